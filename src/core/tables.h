// Fixed tables of directions and masks shared by generation, play and the mini-map.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Direction numbers: 0 right, 1 up, 2 left, 3 down on the maze picture (y grows downwards).
inline constexpr int16_t DIR_RIGHT = 0;
inline constexpr int16_t DIR_UP = 1;
inline constexpr int16_t DIR_LEFT = 2;
inline constexpr int16_t DIR_DOWN = 3;

inline constexpr std::array<int16_t, 4> DIR_DX = {1, 0, -1, 0};
inline constexpr std::array<int16_t, 4> DIR_DY = {0, -1, 0, 1};

// 1 where a cell with these solid sides (bit d = side d) may be decorated: one solid side, or two
// at a right angle.
inline constexpr std::array<uint8_t, 16> ETC_TABLE = {0, 1, 1, 1, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 0, 0};

// Row p is the p-th permutation of 0..3 in lexicographic order.
using DirPermutations = std::array<std::array<int16_t, 4>, 24>;
constexpr DirPermutations MakeDirPermutations() {
    DirPermutations rows{};
    std::array<int16_t, 4> current = {0, 1, 2, 3};
    for (auto& row : rows) {
        row = current;
        // Next permutation in lexicographic order.
        int i = 2;
        while (i >= 0 && current[i] > current[i + 1]) --i;
        if (i < 0) break;
        int j = 3;
        while (current[j] < current[i]) --j;
        std::swap(current[i], current[j]);
        for (int a = i + 1, b = 3; a < b; ++a, --b) std::swap(current[a], current[b]);
    }
    return rows;
}
inline constexpr DirPermutations DIR_PERMUTATIONS = MakeDirPermutations();

// The first direction of `order` whose bit is set in `mask`, -1 when there is none.
template <std::size_t N>
constexpr int8_t FirstInOrder(const std::array<int16_t, N>& order, int mask) {
    for (const int16_t d : order)
        if (mask & (1 << d)) return static_cast<int8_t>(d);
    return -1;
}
