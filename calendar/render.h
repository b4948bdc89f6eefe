// Drawing the page into the off-screen images and onto the canvas.
#pragma once

#include "platform/image.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The whole page, 1000 x 2900. refreshPage draws the rows that are shown at
// once and the rest while the program is idle: whatever reads the whole image
// (an export) calls completePage() first.
extern Image pageBitmap;
// The page shifted by viewY, 1000 x 4577; only the rows that the canvas shows
// (its top 576) are composed.
extern Image viewBitmap;

// Width of the box that drawCellText breaks and aligns text in; drawPage sets
// it before each call. Nothing reads the height.
extern int textBoxWidth;
extern int textBoxHeight;

// Fill of the selected cell: dark blue.
constexpr int32_t selectedCellFill = 0x008B0000;

// The caption of a day cell: month, year and weekday, "Enero 2024 Lunes".
std::string cellCaption(int month, int year, int day);
// A cell's box, 246 x 90 pixels from (x, y): a one-pixel border and a solid
// fill.
void drawCellBox(HDC dc, int x, int y, int32_t border, int32_t fill);

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
// Shows the page on the canvas at the scroll offset. The page is drawn again
// whenever anything drawn on it has changed since it was last drawn; a scroll
// alone only moves it. Only the rows of viewBitmap that the canvas shows are
// composed.
void refreshPage();
// Makes pageBitmap hold the whole page of the document as it is at this
// moment: the page is laid out again when the document has changed since it
// was last laid out (a dialog may change it without drawing), and whatever is
// not drawn yet is drawn (refreshPage draws the rows it shows at once and the
// rest while the program is idle). True when anything was left to draw. The
// canvas keeps what it shows until the next refreshPage.
bool completePage();
// The texts that the page, as the document now is, draws in a cell, line by
// line as they are drawn: its day number, its caption, and the lines of its
// free text (a selected cell shows none); nothing for a cell the page does
// not draw.
std::vector<std::wstring> cellLines(int column, int day);
// Draws the page from its row `top` on into `target`, `scale` times as large,
// with the fonts, line breaks and glyph positions of pageBitmap scaled: a
// print of the page at a finer resolution. Rows the page does not reach are
// white.
void drawPageScaled(Image& target, int top, int scale);
// Copies viewBitmap onto the canvas.
void showView();
// Makes pageBitmap and viewBitmap where they do not exist yet, with nothing
// drawn in them: their rows are made white, or drawn, as they are needed (the
// page's when they are shown, and the rest while the program is idle). The
// canvas keeps what it shows until the next refreshPage.
void startView();
// Starts the images again, puts the view at homeScrollY and redraws the page;
// used after a work file has been read.
void renewImagesAndView();
