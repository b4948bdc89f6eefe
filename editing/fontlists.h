// The two lists of the text properties dialog: the installed font families,
// each drawn in its own face, and the point sizes 06..70.
#pragma once

#include <windows.h>

// Empties the owner-drawn font list and fills it with every installed font
// family, each name once. Each item keeps the character set of its face as
// its item data, so that drawing it needs no enumeration.
void fillFontList(HWND list);

// Switches on the extended keyboard interface of the size list `id` and adds
// the sizes 6 to `largestSize` as two digits each ("06", "07", ... "70").
void fillSizeList(HWND dialog, int id, int largestSize);

// A font of `face` at `points` (at fontDpi, as the dialogs are), in the
// character set given; null when it cannot be made.
HFONT makeItemFont(const wchar_t* face, int points, int weight, bool italic, bool underline, BYTE charSet);

// Draws one item of the font list for WM_DRAWITEM: the family name in its own
// face at 12 points, in highlight colours when selected in the dropped list,
// with a focus rectangle when selected. Item id -1 draws nothing.
void drawFontListItem(HWND list, const DRAWITEMSTRUCT& item);
