// Drawing the page into the off-screen images and onto the canvas.
#pragma once

#include "platform/image.h"

#include <cstdint>
#include <string_view>

extern Image pageBitmap;  // the whole page, 1000 x 2900
extern Image viewBitmap;  // the page shifted by viewY, 1000 x 4577

// Width of the box that drawCellText breaks and aligns text in; drawPage sets
// it before each call. Nothing reads the height.
extern int textBoxWidth;
extern int textBoxHeight;

// Fills the whole image with white.
void clearBitmap(Image& image);
// Copies pageBitmap into viewBitmap with its top-left corner at (x, y).
void composeView(int x, int y);
// Draws the four month columns of the page; nothing while there is no page.
void drawPage(Image& target, int gap);
// Draws one text broken into lines and aligned (131..134) in a box of
// textBoxWidth whose top-left corner is (x, y); any other alignment draws
// nothing. The text is 8-bit cell text.
void drawCellText(Image& target, std::string_view text, int alignment, int x, int y, HFONT font,
                  int32_t colour);
// Redraws the whole page and shows it on the canvas at the scroll offset.
void refreshPage();
// Copies viewBitmap onto the canvas.
void showView();
// Makes both images anew, puts the view at homeScrollY and redraws the page;
// used after a work file has been read.
void renewImagesAndView();
