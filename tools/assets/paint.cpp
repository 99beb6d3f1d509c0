#include "art.h"

#include <algorithm>
#include <cmath>

namespace art {

SlabStyle gold_slab() {
    return {pal::gold_top, pal::gold_bottom, pal::gold_light, pal::gold_dark, pal::outline, hex(0x02040A), 2, 2, 3};
}

namespace {
bool near_mask(const Mask& m, int x, int y, int r) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (m.at(x + dx, y + dy)) return true;
    return false;
}
}  // namespace

void draw_slab(Canvas& c, const Mask& m, int x, int y, const SlabStyle& s) {
    int r = s.outline_width, off = s.shadow_offset;
    for (int j = -r; j < m.h + r + off; ++j)
        for (int i = -r; i < m.w + r + off; ++i)
            if (off > 0 && near_mask(m, i - off, j - off, r)) c.put(x + i, y + j, s.shadow);
    for (int j = -r; j < m.h + r; ++j)
        for (int i = -r; i < m.w + r; ++i)
            if (near_mask(m, i, j, r)) c.put(x + i, y + j, s.outline);
    for (int j = 0; j < m.h; ++j) {
        for (int i = 0; i < m.w; ++i) {
            if (!m.at(i, j)) continue;
            Rgb col = mix(s.top, s.bottom, m.h > 1 ? j / (m.h - 1.0) : 0);
            for (int k = 1; k <= s.bevel; ++k) {
                if (!m.at(i, j - k) || !m.at(i - k, j)) { col = s.light; break; }
                if (!m.at(i, j + k) || !m.at(i + k, j)) { col = s.dark; break; }
            }
            c.put(x + i, y + j, col);
        }
    }
}

void draw_plate(Canvas& c, int x, int y, int w, int h, int radius, int rim) {
    auto body = [&](int i, int j) { return in_round_rect(i, j, x, y, w, h, radius); };
    auto face = [&](int i, int j) {
        return in_round_rect(i, j, x + rim, y + rim, w - 2 * rim, h - 2 * rim, std::max(1, radius - rim));
    };
    auto edge_of = [](auto inside, int i, int j) {
        return !inside(i - 1, j) || !inside(i + 1, j) || !inside(i, j - 1) || !inside(i, j + 1);
    };
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            if (!body(i, j)) continue;
            Rgb col = pal::navy;
            if (edge_of(body, i, j)) {
                col = pal::ink;
            } else if (!face(i, j)) {
                bool next_to_face = face(i - 1, j) || face(i + 1, j) || face(i, j - 1) || face(i, j + 1);
                // lit from the upper left: bright rim above the diagonal, dark below
                double t = ((i - x) / static_cast<double>(w) + (j - y) / static_cast<double>(h)) / 2;
                col = next_to_face ? pal::ink : mix(pal::stone_light, pal::stone_dark, t * 1.4 - 0.2);
            }
            c.put(i, j, col);
        }
    }
}

BlockMaze make_block_maze(int rooms_x, int rooms_y, uint64_t seed, int entry_room_y, int exit_room_y) {
    BlockMaze m;
    m.w = rooms_x * 2 + 1;
    m.h = rooms_y * 2 + 1;
    m.wall.assign(static_cast<size_t>(m.w) * m.h, 1);
    auto idx = [&](int bx, int by) { return static_cast<size_t>(by) * m.w + bx; };
    Rng rng(seed);
    std::vector<uint8_t> seen(static_cast<size_t>(rooms_x) * rooms_y, 0);
    std::vector<int> stack{0};
    seen[0] = 1;
    m.wall[idx(1, 1)] = 0;
    const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, -1, 0, 1};
    while (!stack.empty()) {
        int room = stack.back(), rx = room % rooms_x, ry = room / rooms_x;
        int options[4], n = 0;
        for (int d = 0; d < 4; ++d) {
            int nx = rx + dx[d], ny = ry + dy[d];
            if (nx >= 0 && ny >= 0 && nx < rooms_x && ny < rooms_y && !seen[static_cast<size_t>(ny) * rooms_x + nx])
                options[n++] = d;
        }
        if (n == 0) { stack.pop_back(); continue; }
        int d = options[rng.range(0, n - 1)], nx = rx + dx[d], ny = ry + dy[d];
        seen[static_cast<size_t>(ny) * rooms_x + nx] = 1;
        m.wall[idx(rx * 2 + 1 + dx[d], ry * 2 + 1 + dy[d])] = 0;
        m.wall[idx(nx * 2 + 1, ny * 2 + 1)] = 0;
        stack.push_back(ny * rooms_x + nx);
    }
    m.wall[idx(0, entry_room_y * 2 + 1)] = 0;
    m.wall[idx(m.w - 1, exit_room_y * 2 + 1)] = 0;
    // breadth-first route between the two doors
    int start = entry_room_y * rooms_x, goal = exit_room_y * rooms_x + rooms_x - 1;
    std::vector<int> from(seen.size(), -1), queue{start};
    from[start] = start;
    for (size_t q = 0; q < queue.size(); ++q) {
        int room = queue[q], rx = room % rooms_x, ry = room / rooms_x;
        for (int d = 0; d < 4; ++d) {
            int nx = rx + dx[d], ny = ry + dy[d], next = ny * rooms_x + nx;
            if (nx < 0 || ny < 0 || nx >= rooms_x || ny >= rooms_y || from[next] >= 0) continue;
            if (m.wall[idx(rx * 2 + 1 + dx[d], ry * 2 + 1 + dy[d])]) continue;
            from[next] = room;
            queue.push_back(next);
        }
    }
    for (int room = goal; ; room = from[room]) {
        m.route.insert(m.route.begin(), room);
        if (room == start) break;
    }
    return m;
}

void draw_thin_maze(Canvas& c, const BlockMaze& m, int x, int y, int wall, int room, Rgb floor, Rgb wall_colour,
                    Rgb wall_light, Rgb route) {
    int pitch = wall + room;
    auto pos = [&](int b) { return (b / 2) * pitch + (b % 2 ? wall : 0); };
    auto size = [&](int b) { return b % 2 ? room : wall; };
    for (int by = 0; by < m.h; ++by) {
        for (int bx = 0; bx < m.w; ++bx) {
            bool w = m.is_wall(bx, by);
            for (int j = 0; j < size(by); ++j)
                for (int i = 0; i < size(bx); ++i)
                    c.put(x + pos(bx) + i, y + pos(by) + j, !w ? floor : (j == 0 || i == 0) ? wall_light : wall_colour);
        }
    }
    int rooms_x = (m.w - 1) / 2, half = room / 2;
    auto centre = [&](int r, int& cx, int& cy) {
        cx = x + (r % rooms_x) * pitch + wall + half - 1;
        cy = y + (r / rooms_x) * pitch + wall + half - 1;
    };
    for (size_t k = 0; k < m.route.size(); ++k) {
        int ax, ay, bx, by;
        centre(m.route[k], ax, ay);
        if (k + 1 < m.route.size()) centre(m.route[k + 1], bx, by);
        else bx = x + m.w / 2 * pitch + wall, by = ay;   // out through the exit door
        if (k == 0) c.fill(x, ay, ax - x, 2, route);     // in through the entrance door
        c.fill(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + 2, std::abs(by - ay) + 2, route);
    }
}

}  // namespace art
