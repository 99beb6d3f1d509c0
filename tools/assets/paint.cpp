#include "art.h"

#include <algorithm>
#include <cmath>

namespace art {

SlabStyle GoldSlab() {
    return {pal::GOLD_TOP, pal::GOLD_BOTTOM, pal::GOLD_LIGHT, pal::GOLD_DARK, pal::OUTLINE, Hex(0x02040A), 2, 2, 3};
}

namespace {
bool NearMask(const Mask& m, int x, int y, int r) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (m.At(x + dx, y + dy)) return true;
    return false;
}
}  // namespace

void DrawSlab(Canvas& c, const Mask& m, int x, int y, const SlabStyle& s) {
    int r = s.outlineWidth, off = s.shadowOffset;
    for (int j = -r; j < m.h + r + off; ++j)
        for (int i = -r; i < m.w + r + off; ++i)
            if (off > 0 && NearMask(m, i - off, j - off, r)) c.Put(x + i, y + j, s.shadow);
    for (int j = -r; j < m.h + r; ++j)
        for (int i = -r; i < m.w + r; ++i)
            if (NearMask(m, i, j, r)) c.Put(x + i, y + j, s.outline);
    for (int j = 0; j < m.h; ++j) {
        for (int i = 0; i < m.w; ++i) {
            if (!m.At(i, j)) continue;
            Rgb col = Mix(s.top, s.bottom, m.h > 1 ? j / (m.h - 1.0) : 0);
            for (int k = 1; k <= s.bevel; ++k) {
                if (!m.At(i, j - k) || !m.At(i - k, j)) {
                    col = s.light;
                    break;
                }
                if (!m.At(i, j + k) || !m.At(i + k, j)) {
                    col = s.dark;
                    break;
                }
            }
            c.Put(x + i, y + j, col);
        }
    }
}

void DrawPlate(Canvas& c, int x, int y, int w, int h, int radius, int rim) {
    auto body = [&](int i, int j) { return InRoundRect(i, j, x, y, w, h, radius); };
    auto face = [&](int i, int j) {
        return InRoundRect(i, j, x + rim, y + rim, w - 2 * rim, h - 2 * rim, std::max(1, radius - rim));
    };
    auto edgeOf = [](auto inside, int i, int j) {
        return !inside(i - 1, j) || !inside(i + 1, j) || !inside(i, j - 1) || !inside(i, j + 1);
    };
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            if (!body(i, j)) continue;
            Rgb col = pal::NAVY;
            if (edgeOf(body, i, j)) {
                col = pal::INK;
            } else if (!face(i, j)) {
                bool nextToFace = face(i - 1, j) || face(i + 1, j) || face(i, j - 1) || face(i, j + 1);
                // lit from the upper left: bright rim above the diagonal, dark below
                double t = ((i - x) / static_cast<double>(w) + (j - y) / static_cast<double>(h)) / 2;
                col = nextToFace ? pal::INK : Mix(pal::STONE_LIGHT, pal::STONE_DARK, t * 1.4 - 0.2);
            }
            c.Put(i, j, col);
        }
    }
}

BlockMaze MakeBlockMaze(int roomsX, int roomsY, uint64_t seed, int entryRoomY, int exitRoomY) {
    BlockMaze m;
    m.w = roomsX * 2 + 1;
    m.h = roomsY * 2 + 1;
    m.wall.assign(static_cast<size_t>(m.w) * m.h, 1);
    auto idx = [&](int bx, int by) { return static_cast<size_t>(by) * m.w + bx; };
    Rng rng(seed);
    std::vector<uint8_t> seen(static_cast<size_t>(roomsX) * roomsY, 0);
    std::vector<int> stack{0};
    seen[0] = 1;
    m.wall[idx(1, 1)] = 0;
    const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, -1, 0, 1};
    while (!stack.empty()) {
        int room = stack.back(), rx = room % roomsX, ry = room / roomsX;
        int options[4], n = 0;
        for (int d = 0; d < 4; ++d) {
            int nx = rx + dx[d], ny = ry + dy[d];
            if (nx >= 0 && ny >= 0 && nx < roomsX && ny < roomsY && !seen[static_cast<size_t>(ny) * roomsX + nx])
                options[n++] = d;
        }
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        int d = options[rng.Range(0, n - 1)], nx = rx + dx[d], ny = ry + dy[d];
        seen[static_cast<size_t>(ny) * roomsX + nx] = 1;
        m.wall[idx(rx * 2 + 1 + dx[d], ry * 2 + 1 + dy[d])] = 0;
        m.wall[idx(nx * 2 + 1, ny * 2 + 1)] = 0;
        stack.push_back(ny * roomsX + nx);
    }
    m.wall[idx(0, entryRoomY * 2 + 1)] = 0;
    m.wall[idx(m.w - 1, exitRoomY * 2 + 1)] = 0;
    // breadth-first route between the two doors
    int start = entryRoomY * roomsX, goal = exitRoomY * roomsX + roomsX - 1;
    std::vector<int> from(seen.size(), -1), queue{start};
    from[start] = start;
    for (size_t q = 0; q < queue.size(); ++q) {
        int room = queue[q], rx = room % roomsX, ry = room / roomsX;
        for (int d = 0; d < 4; ++d) {
            int nx = rx + dx[d], ny = ry + dy[d], next = ny * roomsX + nx;
            if (nx < 0 || ny < 0 || nx >= roomsX || ny >= roomsY || from[next] >= 0) continue;
            if (m.wall[idx(rx * 2 + 1 + dx[d], ry * 2 + 1 + dy[d])]) continue;
            from[next] = room;
            queue.push_back(next);
        }
    }
    for (int room = goal;; room = from[room]) {
        m.route.insert(m.route.begin(), room);
        if (room == start) break;
    }
    return m;
}

void DrawThinMaze(Canvas& c, const BlockMaze& m, int x, int y, int wall, int room, Rgb floor, Rgb wallColour,
                  Rgb wallLight, Rgb route) {
    int pitch = wall + room;
    auto pos = [&](int b) { return (b / 2) * pitch + (b % 2 ? wall : 0); };
    auto size = [&](int b) { return b % 2 ? room : wall; };
    for (int by = 0; by < m.h; ++by) {
        for (int bx = 0; bx < m.w; ++bx) {
            bool w = m.IsWall(bx, by);
            for (int j = 0; j < size(by); ++j)
                for (int i = 0; i < size(bx); ++i)
                    c.Put(x + pos(bx) + i, y + pos(by) + j, !w ? floor : (j == 0 || i == 0) ? wallLight : wallColour);
        }
    }
    int roomsX = (m.w - 1) / 2, half = room / 2;
    auto centre = [&](int r, int& cx, int& cy) {
        cx = x + (r % roomsX) * pitch + wall + half - 1;
        cy = y + (r / roomsX) * pitch + wall + half - 1;
    };
    for (size_t k = 0; k < m.route.size(); ++k) {
        int ax, ay, bx, by;
        centre(m.route[k], ax, ay);
        if (k + 1 < m.route.size()) centre(m.route[k + 1], bx, by);
        else bx = x + m.w / 2 * pitch + wall, by = ay;  // out through the exit door
        if (k == 0) c.Fill(x, ay, ax - x, 2, route);    // in through the entrance door
        c.Fill(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + 2, std::abs(by - ay) + 2, route);
    }
}

}  // namespace art
