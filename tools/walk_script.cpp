#include "walk_script.h"

#include <array>
#include <queue>

#include "core/direction.h"
#include "core/random.h"
#include "maze/generate.h"
#include "play/player.h"

namespace {

constexpr int MOVE_TICKS = 31;  // the accepting frame and 30 animated ones

Direction Towards(Cell from, Cell to) {
    for (const Direction d : ALL_DIRECTIONS)
        if (Neighbour(from, d) == to) return d;
    return Direction::Down;
}

std::string Hold(const char* keys) { return std::to_string(MOVE_TICKS) + " " + keys + "\n"; }

std::string Turns(Direction from, Direction to) {
    if (to == TurnRight(from)) return Hold("right");
    if (to == Opposite(from)) return Hold("left") + Hold("left");
    if (to == TurnLeft(from)) return Hold("left");
    return "";
}

}  // namespace

std::vector<Cell> RouteCells(const MazeState& state) {
    // Shortest path over the marked cells, so stray marks cannot lead the walk astray.
    std::array<std::array<int, MAZE_HEIGHT>, MAZE_WIDTH> from{};  // the direction back, plus one
    for (auto& column : from) column.fill(-1);
    std::queue<Cell> open;
    open.push(START_CELL);
    from[START_CELL.x][START_CELL.y] = 0;
    const Cell last{EXIT_CELL.x - 1, EXIT_CELL.y};
    while (!open.empty()) {
        const Cell c = open.front();
        open.pop();
        for (const Direction d : {Direction::Down, Direction::Left, Direction::Up, Direction::Right}) {
            const Cell n = Neighbour(c, d);
            if (n.x < 1 || n.x > MAZE_WIDTH - 2 || n.y < 1 || n.y > MAZE_HEIGHT - 2) continue;
            if (state.routeSnapshot[n.x][n.y] != CELL_MARK || from[n.x][n.y] >= 0) continue;
            from[n.x][n.y] = Number(Opposite(d)) + 1;
            open.push(n);
        }
    }
    if (from[last.x][last.y] < 0) return {};
    std::vector<Cell> reversed{EXIT_CELL, last};
    for (Cell c = last; c != START_CELL;) {
        c = Neighbour(c, DirectionNumbered(from[c.x][c.y] - 1));
        reversed.push_back(c);
    }
    reversed.push_back(ENTRANCE_CELL);
    return {reversed.rbegin(), reversed.rend()};
}

std::string WalkInstructions(const std::vector<Cell>& route) {
    std::string script;
    Direction ahead = START_FACING;
    for (size_t i = 1; i < route.size(); ++i) {
        const Direction wanted = Towards(route[i - 1], route[i]);
        script += Turns(ahead, wanted);
        script += Hold("up");
        ahead = wanted;
    }
    return script;
}

std::string WalkScript(uint32_t seed, const std::vector<int>& algorithms, const std::string& shotPrefix) {
    Random random{seed};
    static MazeState state;
    std::string script = "# generated: seed " + std::to_string(seed) + "\n";
    for (size_t stage = 0; stage < algorithms.size(); ++stage) {
        const int algorithm = algorithms[stage];
        const std::string shot = shotPrefix.empty() ? "" : "shot " + shotPrefix + std::to_string(stage + 1);
        auto shotLine = [&](const char* name) { return shot.empty() ? std::string() : shot + "_" + name + ".png\n"; };
        GenerateMaze(state, random, uint8_t(algorithm - 1));
        std::string walk = WalkInstructions(RouteCells(state));
        walk.insert(walk.find(Hold("up")) + Hold("up").size(), shotLine("play"));
        script += "# stage " + std::to_string(stage + 1) + ": DadiZider " + std::to_string(algorithm) + "\n";
        script += shotLine("title");
        script += algorithm == 1 ? "2 up\n" : "2 down\n";
        script += "2 return\n1 -\n" + walk;
        script += "# goal picture, route review, score panel\n";
        script += shotLine("goal") + "1 return\n1 -\n" + shotLine("review") + "1 return\n1 -\n" + shotLine("score");
        script += "1 return\n1 -\n";
    }
    // The title of the stage after the last one played.
    if (!shotPrefix.empty()) script += "shot " + shotPrefix + "end_title.png\n";
    script += "2 -\n1 escape\n";
    return script;
}
