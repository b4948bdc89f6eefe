// Fonts made from a face name, a point size and a style word, for drawing text.
#pragma once

#include "platform/gdi.h"

#include <cstdint>
#include <string_view>

// Point sizes that no dialog of the program produces are brought into this
// range, so that a size read from a file cannot make drawing run away.
constexpr int smallestPointSize = 1;
constexpr int largestPointSize = 200;

// The resolution that every font of the program is made for, whatever the
// display reports: the page is laid out in pixels (its cells, its line
// breaks, its export), and so are the dialogs, so that they are the same on
// every machine. A scaled display scales the program's windows as a whole.
constexpr int fontDpi = 96;

// The pixel height of a font of `points` on a device of `dpi` dots per inch,
// rounded to the nearest integer, halves to even. A size of 0 stands for 8.
int fontPixelHeight(int dpi, int points);

// A font in character set 0, default pitch, no escapement, of `points` at
// fontDpi. The face is 8-bit cell text (cut to 31 characters); the style word
// gives bold 1, italic 2, underline 4, strikeout 8 and leading 16 (the height
// then includes the internal leading).
Font makeTextFont(std::string_view face, int points, int32_t style);
