// The page refreshed the plain way, kept as the yardstick for the renderer:
// both images cleared, every cell drawn with a font made for it and every line
// measured as it is broken and again as it is placed, the whole page copied
// into the view and the view onto the canvas.
#pragma once

#include "platform/image.h"

// Clears pageBitmap and viewBitmap, draws the page, composes the whole view at
// viewY and copies it onto the canvas.
void straightRefreshPage();
// Draws the page into an image (already cleared) the plain way.
void straightDrawPage(Image& target);

// The page that costs most to draw: January to April 2024 (every row of the
// cell table drawn), each cell with 273 characters of justified text.
void buildWorstCasePage();
