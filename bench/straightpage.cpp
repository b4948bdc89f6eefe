#include "bench/straightpage.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "platform/fonts.h"

#include <cstring>
#include <string>

void straightDrawPage(Image& target) {
    cellWidth = 246;
    cellHeight = 90;
    HDC dc = target.dc();
    if (!dc || !pageExists()) return;

    const Font captionFont = makeTextFont("Times New Roman", 11, styleBold);
    const Font numberFont = makeTextFont("Lucida", 20, styleBold);
    int month = firstMonth;
    int year = firstYear;
    int x = pageOrigin;
    for (int column = 1; column <= pageColumns; ++column) {
        const int days = daysInMonth(month, year);
        int y = pageOrigin;
        for (int day = 1; day <= days; ++day) {
            DayCell& cell = cellAt(column, day);
            stampCell(cell, column, day);
            const std::string number = std::to_string(day);
            const std::string caption = cellCaption(month, year, day);
            textBoxWidth = 246;
            textBoxHeight = 90;
            if (cell.selected == 1) {
                drawCellBox(dc, x, y, lineColour, selectedCellFill);
                drawCellText(target, number, alignLeft, x + 2, y, numberFont.get(), 0xFFFFFF);
                drawCellText(target, caption, alignCentre, x, y, captionFont.get(), 0xFFFFFF);
            } else {
                drawCellBox(dc, x, y, lineColour, cell.backColour);
                const bool sunday = weekdayOf(year, month, day) == 1;
                drawCellText(target, number, alignLeft, x + 2, y, numberFont.get(),
                             sunday ? sundayDateColour : weekdayDateColour);
                drawCellText(target, caption, alignCentre, x, y, captionFont.get(), weekdayDateColour);
                const std::string_view text(cell.text, strnlen(cell.text, sizeof cell.text));
                if (!text.empty()) {
                    textBoxWidth = 242;
                    textBoxHeight = 62;
                    const std::string_view face(cell.fontName, strnlen(cell.fontName, sizeof cell.fontName));
                    const Font font = makeTextFont(face, cell.fontSize, cellFontStyle(column, day));
                    drawCellText(target, text, cell.alignment, x + 2, y + 26, font.get(), cell.fontColour);
                }
            }
            y += rowPitch;
        }
        x += columnPitch;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

void straightRefreshPage() {
    clearBitmap(pageBitmap);
    clearBitmap(viewBitmap);
    straightDrawPage(pageBitmap);
    composeView(0, viewY);
    showView();
}

void buildWorstCasePage() {
    resetAllCells();
    firstMonth = 1;
    firstYear = 2024;
    const std::string words = "Reunion con el equipo de diseno para revisar los colores del calendario ";
    std::string text;
    while (text.size() < cellTextCapacity - 1) text += words;
    text.resize(cellTextCapacity - 1);
    for (int column = 1; column <= pageColumns; ++column)
        for (int day = 1; day <= pageDays; ++day) {
            DayCell& cell = cellAt(column, day);
            assignField(cell.text, text);
            assignField(cell.fontName, "Liberation Serif");
            cell.fontSize = 9;
            cell.alignment = alignJustified;
        }
}
