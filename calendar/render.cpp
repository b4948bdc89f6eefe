#include "calendar/render.h"

#include "app/mainwindow.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/textlayout.h"
#include "platform/fonts.h"
#include "platform/surface.h"
#include "platform/text.h"

#include <cstring>
#include <string>

Image pageBitmap;
Image viewBitmap;
int textBoxWidth = 246;
int textBoxHeight = 90;

namespace {

constexpr int32_t selectedFill = 0x008B0000;
constexpr int32_t white = 0x00FFFFFF;

// Measures 8-bit cell text with the font selected into a device context.
class GdiMeasurer : public TextMeasurer {
public:
    explicit GdiMeasurer(HDC dc) : dc_(dc) {}

    int width(std::string_view text) const override {
        if (text.empty()) return 0;
        const std::wstring& wide = widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }

    int fitCount(std::string_view text, int maxWidth) const override {
        if (text.empty()) return 0;
        const std::wstring& wide = widen(text);
        INT fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc_, wide.data(), static_cast<int>(wide.size()), maxWidth, &fit, nullptr, &size);
        return fit;
    }

    const std::wstring& widen(std::string_view text) const {
        buffer_.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) buffer_[i] = fromCellChar(text[i]);
        return buffer_;
    }

private:
    HDC dc_;
    mutable std::wstring buffer_;
};

std::string_view fieldText(const char* field, size_t capacity) {
    return std::string_view(field, strnlen(field, capacity));
}

void drawBox(HDC dc, int x, int y, int32_t border, int32_t fill) {
    Pen pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(border & 0xFFFFFF)));
    Brush brush(CreateSolidBrush(static_cast<COLORREF>(fill & 0xFFFFFF)));
    SelectGuard usePen(dc, pen.get());
    SelectGuard useBrush(dc, brush.get());
    RoundRect(dc, x, y, x + cellWidth, y + cellHeight, 0, 0);
}

std::string captionOf(int month, int year, int day) {
    std::string caption(monthName(month));
    caption += ' ';
    caption += std::to_string(year);
    caption += ' ';
    caption += weekdayName(year, month, day);
    return caption;
}

}  // namespace

void clearBitmap(Image& image) { image.fill(white); }

void composeView(int x, int y) {
    if (!viewBitmap.exists() || !pageBitmap.exists()) return;
    BitBlt(viewBitmap.dc(), x, y, pageBitmap.width(), pageBitmap.height(), pageBitmap.dc(), 0, 0, SRCCOPY);
}

void drawCellText(Image& target, std::string_view text, int alignment, int x, int y, HFONT font,
                  int32_t colour) {
    HDC dc = target.dc();
    if (!dc) return;
    SelectGuard useFont(dc, font);
    SetTextColor(dc, static_cast<COLORREF>(colour & 0xFFFFFF));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int w = textBoxWidth + 2;

    const GdiMeasurer measure(dc);
    const LineTable lines = breakLines(text, w, measure);
    std::array<LinePlacement, lineSlots> placements;
    if (!placeLines(lines, alignment, w, measure, placements)) return;

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int lineY = y;
    for (int i = 0; i < lineSlots; ++i, lineY += lineHeight) {
        const LinePlacement& p = placements[i];
        if (p.justified) SetTextJustification(dc, p.extra, p.spaces);
        if (!lines[i].empty()) {
            const std::wstring& wide = measure.widen(lines[i]);
            TextOutW(dc, x + p.x, lineY, wide.data(), static_cast<int>(wide.size()));
        }
        if (p.justified) SetTextJustification(dc, 0, 0);
    }
}

void drawPage(Image& target, int gap) {
    cellWidth = 246;
    cellHeight = 90;
    HDC dc = target.dc();
    // Without a month and a year there is no page to draw.
    if (!dc || !pageExists()) return;

    const Font captionFont = makeTextFont(dc, "Times New Roman", 11, styleBold);
    const Font numberFont = makeTextFont(dc, "Lucida", 20, styleBold);
    int month = firstMonth;
    int year = firstYear;
    int x = gap + 1;
    for (int column = 1; column <= pageColumns; ++column) {
        const int days = daysInMonth(month, year);
        int y = gap + 1;
        for (int day = 1; day <= days; ++day) {
            DayCell& cell = cellAt(column, day);
            cell.pageMonth = firstMonth;
            cell.pageYear = firstYear;
            cell.column = static_cast<int16_t>(column);
            cell.day = static_cast<int16_t>(day);
            cell.pageLineColour = lineColour;
            cell.pageWeekdayDateColour = weekdayDateColour;
            cell.pageSundayDateColour = sundayDateColour;

            const std::string number = std::to_string(day);
            const std::string caption = captionOf(month, year, day);
            textBoxWidth = 246;
            textBoxHeight = 90;
            if (cell.selected == 1) {
                drawBox(dc, x, y, lineColour, selectedFill);
                drawCellText(target, number, alignLeft, x + 2, y, numberFont.get(), white);
                drawCellText(target, caption, alignCentre, x, y, captionFont.get(), white);
            } else {
                drawBox(dc, x, y, lineColour, cell.backColour);
                const bool sunday = weekdayOf(year, month, day) == 1;
                drawCellText(target, number, alignLeft, x + 2, y, numberFont.get(),
                             sunday ? sundayDateColour : weekdayDateColour);
                drawCellText(target, caption, alignCentre, x, y, captionFont.get(), weekdayDateColour);
                const std::string_view text = fieldText(cell.text, sizeof cell.text);
                if (!text.empty()) {
                    textBoxWidth = 242;
                    textBoxHeight = 62;
                    const Font font = makeTextFont(dc, fieldText(cell.fontName, sizeof cell.fontName),
                                                   cell.fontSize, cellFontStyle(column, day));
                    drawCellText(target, text, cell.alignment, x + 2, y + 26, font.get(), cell.fontColour);
                }
            }
            y += cellHeight + gap;
        }
        x += cellWidth + gap;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

void showView() {
    if (!viewBitmap.exists()) return;
    surfaceCopy(canvasWindow(), 0, 0, canvasWidth, canvasHeight, viewBitmap.dc(), 0, 0);
}

void refreshPage() {
    clearBitmap(pageBitmap);
    clearBitmap(viewBitmap);
    drawPage(pageBitmap, cellGap);
    composeView(0, viewY);
    showView();
}

void renewImagesAndView() {
    resetView(homeScrollY);
    viewBitmap.create(viewWidth, viewHeight);
    clearBitmap(viewBitmap);
    pageBitmap.create(pageWidth, pageHeight);
    refreshPage();
}
