#include "play/sight.h"

#include <cmath>

#include "core/direction.h"

namespace {

constexpr double CELL_SIZE = 1000.0;
// Slack on every edge of the view, as a tangent (a pixel is about 0.003 at the middle of the
// screen): the renderer's rounding may show a sliver past an exact edge.
constexpr double SLACK = 0.005;
// Points nearer the eye than this along the view, in cells, lie before the near plane.
constexpr double FRONT = 0.001;
// An eye this close to a side between two cells stands in both.
constexpr double ON_SIDE = 0.001;
// Sides crossed before the search gives up and hands over every walkable cell; a maze of corridors
// needs a few hundred at most.
constexpr int MAX_CROSSINGS = 100000;

struct Point {
    double x, y;
};

// The view's edges as tangents off the view direction: a line of sight p - eye lies between them
// when low <= Across / Along <= high.
struct Wedge {
    double low, high;
};

// Sight lines from an eye in grid units (x and y as the grid's), passed from cell to cell through
// open sides. A side is crossed only away from the eye, so every path ends.
class SightSearch {
public:
    SightSearch(const MazeGrid& wallMap, Point eye, Point ahead) : wallMap_(wallMap), eye_(eye), ahead_(ahead) {}

    void Visit(int x, int y, Wedge wedge) {
        if (++crossings_ > MAX_CROSSINGS) return;
        seen_[size_t(x)].set(size_t(y));
        for (const Direction d : ALL_DIRECTIONS) {
            Wedge through = wedge;
            if (IsWalkable(wallMap_, Neighbour({x, y}, d)) && Narrow(x, y, d, through))
                Visit(x + StepX(d), y + StepY(d), through);
        }
    }

    bool GaveUp() const { return crossings_ > MAX_CROSSINGS; }
    const CellSet& Seen() const { return seen_; }

private:
    double Along(Point p) const { return (p.x - eye_.x) * ahead_.x + (p.y - eye_.y) * ahead_.y; }
    double Across(Point p) const { return ahead_.x * (p.y - eye_.y) - ahead_.y * (p.x - eye_.x); }

    // Narrows `wedge` to the sight lines through the side of cell (x, y) toward d; false when none
    // pass, or the side does not lead away from the eye.
    bool Narrow(int x, int y, Direction d, Wedge& wedge) const {
        const Point centre{x + StepX(d) / 2.0, y + StepY(d) / 2.0};
        if ((centre.x - eye_.x) * StepX(d) + (centre.y - eye_.y) * StepY(d) <= ON_SIDE) return false;
        Point a{centre.x - StepY(d) / 2.0, centre.y - StepX(d) / 2.0};
        Point b{centre.x + StepY(d) / 2.0, centre.y + StepX(d) / 2.0};
        if (!ClipToFront(a, b)) return false;
        const double sa = Across(a) / Along(a), sb = Across(b) / Along(b);
        wedge.low = std::max(wedge.low, std::min(sa, sb) - SLACK);
        wedge.high = std::min(wedge.high, std::max(sa, sb) + SLACK);
        return wedge.low <= wedge.high;
    }

    // Cuts the segment a-b to the part at least FRONT ahead of the eye; false when none is.
    bool ClipToFront(Point& a, Point& b) const {
        const double fa = Along(a), fb = Along(b);
        if (fa < FRONT && fb < FRONT) return false;
        Point& behind = fa < FRONT ? a : b;
        const double fBehind = std::min(fa, fb);
        if (fBehind >= FRONT) return true;
        const double t = (FRONT - fBehind) / (std::max(fa, fb) - fBehind);
        const Point& front = fa < FRONT ? b : a;
        behind = {behind.x + t * (front.x - behind.x), behind.y + t * (front.y - behind.y)};
        return true;
    }

    const MazeGrid& wallMap_;
    Point eye_, ahead_;
    CellSet seen_{};
    int crossings_ = 0;
};

}  // namespace

CellSet WalkableCells(const MazeGrid& wallMap) {
    CellSet cells{};
    for (int x = 0; x < MAZE_WIDTH; ++x)
        for (int y = 0; y < MAZE_HEIGHT; ++y)
            if (IsWalkable(wallMap[x][y])) cells[size_t(x)].set(size_t(y));
    return cells;
}

CellSet VisibleCells(const MazeGrid& wallMap, VECTOR eye, VECTOR direction, float halfWidth) {
    const double length = std::hypot(double(direction.z), double(direction.x));
    const Point at{eye.z / CELL_SIZE, eye.x / CELL_SIZE};
    // Off the grid by far (or not a number) is no eye the game places; such a view is left uncut.
    if (!(length > 0) || !(std::abs(at.x) < MAZE_WIDTH * 2) || !(std::abs(at.y) < MAZE_HEIGHT * 2))
        return WalkableCells(wallMap);
    SightSearch search(wallMap, at, {direction.z / length, direction.x / length});
    // The eye's cell, or each cell whose side it stands on, with the whole view.
    bool started = false;
    const Wedge view{-halfWidth - SLACK, halfWidth + SLACK};
    const int x0 = int(std::floor(at.x + 0.5 - ON_SIDE)), x1 = int(std::floor(at.x + 0.5 + ON_SIDE));
    const int y0 = int(std::floor(at.y + 0.5 - ON_SIDE)), y1 = int(std::floor(at.y + 0.5 + ON_SIDE));
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            if (!IsWalkable(wallMap, {x, y})) continue;
            search.Visit(x, y, view);
            started = true;
        }
    return started && !search.GaveUp() ? search.Seen() : WalkableCells(wallMap);
}
