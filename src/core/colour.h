// The eight-colour table the title, maze picture, map and result screens draw with.
#pragma once

// 0 black, 1 blue, 2 red, 3 magenta, 4 green, 5 cyan, 6 yellow, 7 white; any other number gives 0.
unsigned ColourByNumber(int colourNumber);
