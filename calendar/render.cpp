#include "calendar/render.h"

#include "calendar/canvas.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/textlayout.h"
#include "platform/fonts.h"
#include "platform/surface.h"
#include "platform/text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

Image pageBitmap;
Image viewBitmap;
int textBoxWidth = 246;
int textBoxHeight = 90;

namespace {

constexpr int32_t white = 0x00FFFFFF;

COLORREF colourRef(int32_t colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

// Measures 8-bit cell text with the font selected into a device context. A
// line that is measured again (breaking checks a line's width, placing needs
// it once more) is answered from what was measured before.
class GdiMeasurer : public TextMeasurer {
public:
    explicit GdiMeasurer(HDC dc) : dc_(dc) {}

    int width(std::string_view text) const override {
        if (text.empty()) return 0;
        const auto known = widths_.find(std::string(text));
        if (known != widths_.end()) return known->second;
        const std::wstring& wide = widen(text);
        SIZE size{};
        GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
        widths_.emplace(text, size.cx);
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
    mutable std::unordered_map<std::string, int> widths_;
};

// One drawn line of a text: where it starts in its box and how it is
// stretched. Empty lines draw nothing and are left out.
struct LaidLine {
    std::wstring text;
    int slot;  // line number from 0: the line starts slot line heights down
    int x;
    // Of each character, as measured (and stretched, for a justified line);
    // empty when the font could not measure them.
    std::vector<INT> advances;
};

// The advance of each character of a line as the font selected into dc
// places it.
std::vector<INT> naturalAdvances(HDC dc, const std::wstring& line) {
    const int n = static_cast<int>(line.size());
    std::vector<INT> advances(line.size());
    SIZE size{};
    if (!GetTextExtentExPointW(dc, line.data(), n, 0, nullptr, advances.data(), &size)) return {};
    for (int i = n - 1; i > 0; --i) advances[i] -= advances[i - 1];
    return advances;
}

// The advance of each character of a line stretched by `extra` pixels spread
// over its blanks, the first blanks taking one pixel more where it does not
// divide evenly. The blanks are widened by hand rather than through
// SetTextJustification, which widens the font's break character: that is not
// the blank in every face (Wine gives "!" for the Liberation faces, which
// stand in for "Times New Roman" and "Arial"), and the line would not stretch.
std::vector<INT> stretchedAdvances(HDC dc, const std::wstring& line, int extra, int spaces) {
    const int n = static_cast<int>(line.size());
    std::vector<INT> advances = naturalAdvances(dc, line);
    if (advances.empty()) return {};
    int left = extra % spaces;
    for (int i = 0; i < n; ++i) {
        if (line[i] != L' ') continue;
        advances[i] += extra / spaces + (left > 0 ? 1 : 0);
        --left;
    }
    return advances;
}

struct LaidText {
    std::vector<LaidLine> lines;
    int lineHeight = 0;
};

// Breaks and places a text in the font selected into dc; no lines for an
// alignment outside 131..134.
LaidText layOutText(HDC dc, std::string_view text, int alignment, int w) {
    const GdiMeasurer measure(dc);
    const LineTable lines = breakLines(text, w, measure);
    std::array<LinePlacement, lineSlots> placements;
    LaidText laid;
    if (!placeLines(lines, alignment, w, measure, placements)) return laid;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    laid.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    for (int i = 0; i < lineSlots; ++i) {
        const LinePlacement& p = placements[i];
        if (lines[i].empty()) continue;
        LaidLine& line = laid.lines.emplace_back(LaidLine{measure.widen(lines[i]), i, p.x, {}});
        // Every glyph goes where the layout measured it: drawn without its
        // advances, a line can come out narrower than it measures (under
        // Wine), and a page drawn at another scale could not follow it.
        line.advances = p.justified && p.extra > 0 && p.spaces > 0 ? stretchedAdvances(dc, line.text, p.extra, p.spaces)
                                                                    : naturalAdvances(dc, line.text);
    }
    return laid;
}

// Draws a laid-out text with its font already selected and its colour set.
void drawLaidText(HDC dc, const LaidText& laid, int x, int y) {
    for (const LaidLine& line : laid.lines) {
        const int lineY = y + line.slot * laid.lineHeight;
        const UINT n = static_cast<UINT>(line.text.size());
        if (line.advances.empty()) TextOutW(dc, x + line.x, lineY, line.text.data(), static_cast<int>(n));
        else ExtTextOutW(dc, x + line.x, lineY, 0, nullptr, line.text.data(), n, line.advances.data());
    }
}

void prepareTextDrawing(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

// The fonts and line layouts of the page drawn last. A page drawn again lays
// out only the texts that changed; what the new page no longer uses is let go.
class PageTexts {
public:
    HFONT font(std::string_view face, int points, int32_t style) {
        FontKey key{std::string(face.substr(0, std::min<size_t>(face.size(), LF_FACESIZE - 1))), points, style};
        auto found = fonts_.find(key);
        if (found == fonts_.end())
            found = fonts_.emplace(std::move(key), Used<Font>{makeTextFont(face, points, style), 0}).first;
        found->second.pass = pass_;
        return found->second.value.get();
    }

    const LaidText& layout(HDC dc, HFONT font, std::string_view text, int alignment, int w) {
        std::string key(reinterpret_cast<const char*>(&font), sizeof font);
        key.append(reinterpret_cast<const char*>(&alignment), sizeof alignment);
        key.append(reinterpret_cast<const char*>(&w), sizeof w);
        key.append(text);
        auto found = layouts_.find(key);
        if (found == layouts_.end()) {
            SelectObject(dc, font);
            found = layouts_.emplace(std::move(key), Used<LaidText>{layOutText(dc, text, alignment, w), 0}).first;
        }
        found->second.pass = pass_;
        return found->second.value;
    }

    void beginPass() { ++pass_; }
    // Lets go of what the pass did not use. Layouts go first: they are keyed
    // by the fonts' handles.
    void endPass() {
        std::erase_if(layouts_, [this](const auto& entry) { return entry.second.pass != pass_; });
        std::erase_if(fonts_, [this](const auto& entry) { return entry.second.pass != pass_; });
    }

private:
    using FontKey = std::tuple<std::string, int, int32_t>;
    template <class T>
    struct Used {
        T value;
        unsigned pass;
    };
    std::map<FontKey, Used<Font>> fonts_;
    std::unordered_map<std::string, Used<LaidText>> layouts_;
    unsigned pass_ = 0;
};

PageTexts pageTexts;

// One text of a cell as the page draws it.
struct PlacedText {
    const LaidText* laid;
    HFONT font;
    int32_t colour;
    int x;
    int y;
};

// One cell as the page draws it: box, day number, caption, free text; and the
// rows that its drawing may touch, with a line height to spare either way
// (text is not clipped to its box and may run far below it).
struct CellPicture {
    int column;
    int day;
    int x;
    int y;
    int32_t fill;
    std::array<PlacedText, 3> texts;
    int textCount;
    int top;
    int bottom;
};

void findRows(CellPicture& cell) {
    int spare = 0;
    int bottom = cell.y + cellHeight;
    for (int i = 0; i < cell.textCount; ++i) {
        const PlacedText& text = cell.texts[i];
        const int lineHeight = text.laid->lineHeight;
        spare = std::max(spare, lineHeight);
        if (!text.laid->lines.empty())
            bottom = std::max(bottom, text.y + (text.laid->lines.back().slot + 1) * lineHeight);
    }
    cell.top = cell.y - spare;
    cell.bottom = bottom + spare;
}

// Lays out every cell of the page, stamping each drawn cell as it goes.
std::vector<CellPicture> layOutPage(HDC dc, int gap) {
    std::vector<CellPicture> picture;
    const HFONT captionFont = pageTexts.font("Times New Roman", 11, styleBold);
    const HFONT numberFont = pageTexts.font("Lucida", 20, styleBold);
    int month = firstMonth;
    int year = firstYear;
    int x = gap + 1;
    for (int column = 1; column <= pageColumns; ++column) {
        const int days = daysInMonth(month, year);
        int y = gap + 1;
        for (int day = 1; day <= days; ++day) {
            DayCell& cell = cellAt(column, day);
            stampCell(cell, column, day);
            const std::string number = std::to_string(day);
            const std::string caption = cellCaption(month, year, day);
            textBoxWidth = 246;
            textBoxHeight = 90;
            const LaidText& numberText = pageTexts.layout(dc, numberFont, number, alignLeft, textBoxWidth + 2);
            const LaidText& captionText = pageTexts.layout(dc, captionFont, caption, alignCentre, textBoxWidth + 2);
            CellPicture& drawn = picture.emplace_back();
            drawn.column = column;
            drawn.day = day;
            drawn.x = x;
            drawn.y = y;
            if (cell.selected == 1) {
                drawn.fill = selectedCellFill;
                drawn.texts[0] = {&numberText, numberFont, white, x + 2, y};
                drawn.texts[1] = {&captionText, captionFont, white, x, y};
                drawn.textCount = 2;
            } else {
                drawn.fill = cell.backColour;
                const bool sunday = weekdayOf(year, month, day) == 1;
                drawn.texts[0] = {&numberText, numberFont, sunday ? sundayDateColour : weekdayDateColour, x + 2, y};
                drawn.texts[1] = {&captionText, captionFont, weekdayDateColour, x, y};
                drawn.textCount = 2;
                const std::string_view text(cell.text, strnlen(cell.text, sizeof cell.text));
                if (!text.empty()) {
                    const std::string_view face(cell.fontName, strnlen(cell.fontName, sizeof cell.fontName));
                    const HFONT font = pageTexts.font(face, cell.fontSize, cellFontStyle(column, day));
                    textBoxWidth = 242;
                    textBoxHeight = 62;
                    const LaidText& free = pageTexts.layout(dc, font, text, cell.alignment, textBoxWidth + 2);
                    drawn.texts[2] = {&free, font, cell.fontColour, x + 2, y + 26};
                    drawn.textCount = 3;
                }
            }
            findRows(drawn);
            y += cellHeight + gap;
        }
        x += cellWidth + gap;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return picture;
}

// Draws, in page order, the cells whose drawing may touch rows top..bottom - 1.
// Lays out the page in a pass of pageTexts: what the pass does not use is let
// go once it ends.
std::vector<CellPicture> layOutPagePass(HDC dc, int gap) {
    pageTexts.beginPass();
    std::vector<CellPicture> picture;
    {
        // The page's fonts are selected in turn to be measured; the one
        // selected before is back before any of them can be let go.
        const SelectGuard keepFont(dc, GetCurrentObject(dc, OBJ_FONT));
        picture = layOutPage(dc, gap);
    }
    pageTexts.endPass();
    return picture;
}

// The box of drawCellBox, pixel for pixel, as two filled rectangles: a
// scaling transform scales them as it scales the box, where the box's pen
// would be drawn the slow way.
void drawScaledCellBox(HDC dc, int x, int y, int32_t border, int32_t fill) {
    const Brush borderBrush(CreateSolidBrush(colourRef(border)));
    const Brush fillBrush(CreateSolidBrush(colourRef(fill)));
    const RECT outside{x, y, x + cellWidth, y + cellHeight};
    const RECT inside{x + 1, y + 1, x + cellWidth - 1, y + cellHeight - 1};
    FillRect(dc, &outside, borderBrush.get());
    FillRect(dc, &inside, fillBrush.get());
}

// A `scaled` drawing has its boxes drawn by drawScaledCellBox.
void drawCells(HDC dc, const std::vector<CellPicture>& picture, int top, int bottom, bool scaled = false) {
    prepareTextDrawing(dc);
    const SelectGuard keepFont(dc, GetCurrentObject(dc, OBJ_FONT));
    for (const CellPicture& cell : picture) {
        if (cell.bottom <= top || cell.top >= bottom) continue;
        if (scaled) drawScaledCellBox(dc, cell.x, cell.y, lineColour, cell.fill);
        else drawCellBox(dc, cell.x, cell.y, lineColour, cell.fill);
        for (int i = 0; i < cell.textCount; ++i) {
            const PlacedText& text = cell.texts[i];
            SelectObject(dc, text.font);
            SetTextColor(dc, colourRef(text.colour));
            drawLaidText(dc, *text.laid, text.x, text.y);
        }
    }
}

// The page that refreshPage draws into pageBitmap: the document it was laid
// out from, its cells, and which rows of the image are drawn. Rows are drawn
// when they are to be shown, and the rest while the program is idle; while
// the document and the image stay the same, nothing is laid out again. An
// image that has just been made has no cells yet: its rows are made white as
// they are needed.
struct DrawnPage {
    DocumentSnapshot document;
    bool laidOut = false;
    bool ours = false;  // false: the image holds what others drew
    unsigned imageSerial = 0;
    std::vector<CellPicture> cells;
    std::vector<bool> rowDrawn;
};
DrawnPage drawnPage;

constexpr UINT_PTR idleDrawingTimer = 0x2A0E;
// Rows drawn at a time while idle: five rows of cells.
constexpr int idleRows = 5 * rowPitch;

// True while the rows that are not drawn yet are the renderer's to draw.
bool rowsAreOurs() { return drawnPage.ours && drawnPage.imageSerial == pageBitmap.serial(); }

bool pageIsCurrent() { return drawnPage.laidOut && rowsAreOurs() && documentMatches(drawnPage.document); }

void forgetDrawnPage() {
    drawnPage.laidOut = false;
    drawnPage.ours = false;
    drawnPage.cells.clear();
}

// Nothing is drawn in pageBitmap yet, and there are no cells to draw.
void startBlankPage() {
    forgetDrawnPage();
    drawnPage.ours = true;
    drawnPage.imageSerial = pageBitmap.serial();
    drawnPage.rowDrawn.assign(static_cast<size_t>(pageBitmap.height()), false);
}

// Lays out the page anew; none of its rows is drawn yet.
void layOutDrawnPage() {
    startBlankPage();
    HDC dc = pageBitmap.dc();
    if (dc && pageExists()) drawnPage.cells = layOutPagePass(dc, cellGap);
    drawnPage.document = takeSnapshot();
    drawnPage.laidOut = true;
}

// Draws the rows from top to bottom - 1 that are not drawn yet: each run of
// them is cleared and the cells that reach into it are drawn clipped to it,
// which gives the same pixels there as drawing the whole page.
void drawPageRows(int top, int bottom) {
    if (!rowsAreOurs()) return;
    std::vector<bool>& drawn = drawnPage.rowDrawn;
    top = std::clamp(top, 0, static_cast<int>(drawn.size()));
    bottom = std::clamp(bottom, top, static_cast<int>(drawn.size()));
    HDC dc = pageBitmap.dc();
    for (int row = top; row < bottom;) {
        if (drawn[row]) {
            ++row;
            continue;
        }
        int end = row;
        while (end < bottom && !drawn[end]) drawn[end++] = true;
        pageBitmap.fillRows(row, end, white);
        if (!drawnPage.cells.empty()) {
            const Region clip(CreateRectRgn(0, row, pageBitmap.width(), end));
            SelectClipRgn(dc, clip.get());
            drawCells(dc, drawnPage.cells, row, end);
            SelectClipRgn(dc, nullptr);
        }
        row = end;
    }
}

// Composes the rows of viewBitmap that the canvas shows: the page shifted by
// viewY, white where the page does not reach. The rows below stay as they
// were; nothing shows them.
void composeShownView() {
    if (!viewBitmap.exists() || !pageBitmap.exists()) return;
    const int rows = std::min(canvasHeight, viewBitmap.height());
    const int top = std::clamp(viewY, 0, rows);
    const int bottom = std::clamp(viewY + pageBitmap.height(), top, rows);
    drawPageRows(top - viewY, bottom - viewY);
    viewBitmap.fillRows(0, top, white);
    if (bottom > top)
        BitBlt(viewBitmap.dc(), 0, top, pageBitmap.width(), bottom - top, pageBitmap.dc(), 0, top - viewY, SRCCOPY);
    viewBitmap.fillRows(bottom, rows, white);
}

// The first row of the page that is still to be drawn, or -1.
int firstUndrawnRow() {
    if (!rowsAreOurs()) return -1;
    const auto& drawn = drawnPage.rowDrawn;
    const auto found = std::find(drawn.begin(), drawn.end(), false);
    return found == drawn.end() ? -1 : static_cast<int>(found - drawn.begin());
}

// Lays the page out again when the document has changed since it was laid
// out, or when the image holds what others drew: no reader of pageBitmap or
// viewBitmap gets a page drawn from an earlier state of the document.
void bringPageUpToDate() {
    cellWidth = 246;
    cellHeight = 90;
    if (!pageIsCurrent()) layOutDrawnPage();
}

void CALLBACK drawWhileIdle(HWND window, UINT, UINT_PTR timer, DWORD) {
    // A dialog may have changed the document without drawing it: the canvas
    // then shows the page anew, and the rest follows as before.
    if (!pageIsCurrent()) {
        KillTimer(window, timer);
        refreshPage();
        return;
    }
    const int row = firstUndrawnRow();
    if (row >= 0) drawPageRows(row, row + idleRows);
    if (firstUndrawnRow() < 0) KillTimer(window, timer);
}

// Shows the view and has the rest of the page drawn while nothing else is
// waiting.
void showViewAndDrawTheRestLater() {
    composeShownView();
    showView();
    HWND canvas = canvasWindow();
    if (canvas && firstUndrawnRow() >= 0) SetTimer(canvas, idleDrawingTimer, USER_TIMER_MINIMUM, drawWhileIdle);
}

}  // namespace

std::string cellCaption(int month, int year, int day) {
    std::string caption(monthName(month));
    caption += ' ';
    caption += std::to_string(year);
    caption += ' ';
    caption += weekdayName(year, month, day);
    return caption;
}

void drawCellBox(HDC dc, int x, int y, int32_t border, int32_t fill) {
    Pen pen(CreatePen(PS_SOLID, 1, colourRef(border)));
    Brush brush(CreateSolidBrush(colourRef(fill)));
    SelectGuard usePen(dc, pen.get());
    SelectGuard useBrush(dc, brush.get());
    RoundRect(dc, x, y, x + cellWidth, y + cellHeight, 0, 0);
}

void clearBitmap(Image& image) {
    image.fill(white);
    if (&image == &pageBitmap) forgetDrawnPage();
}

void composeView(int x, int y) {
    if (!viewBitmap.exists() || !pageBitmap.exists()) return;
    BitBlt(viewBitmap.dc(), x, y, pageBitmap.width(), pageBitmap.height(), pageBitmap.dc(), 0, 0, SRCCOPY);
}

void drawCellText(Image& target, std::string_view text, int alignment, int x, int y, HFONT font,
                  int32_t colour) {
    HDC dc = target.dc();
    if (!dc) return;
    SelectGuard useFont(dc, font);
    SetTextColor(dc, colourRef(colour));
    prepareTextDrawing(dc);
    drawLaidText(dc, layOutText(dc, text, alignment, textBoxWidth + 2), x, y);
}

void drawPage(Image& target, int gap) {
    cellWidth = 246;
    cellHeight = 90;
    HDC dc = target.dc();
    // Without a month and a year there is no page to draw.
    if (!dc || !pageExists()) return;
    // The pass lets go of layouts that the page drawn by refreshPage may
    // still need: that page is laid out again at the next refresh.
    forgetDrawnPage();
    drawCells(dc, layOutPagePass(dc, gap), INT_MIN, INT_MAX);
}

void drawPageScaled(Image& target, int top, int scale) {
    HDC dc = target.dc();
    if (!dc) return;
    target.fill(white);
    if (!pageBitmap.exists() || !pageExists()) return;
    bringPageUpToDate();
    // The page's fonts and layouts, drawn through a transform: the fonts are
    // made at the scale, and each glyph goes where its line's advances put it
    // in pageBitmap, scaled.
    const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
    const auto factor = static_cast<FLOAT>(scale);
    const XFORM scaled{factor, 0, 0, factor, 0, -factor * static_cast<FLOAT>(top)};
    SetWorldTransform(dc, &scaled);
    drawCells(dc, drawnPage.cells, top, top + (target.height() + scale - 1) / scale, true);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, oldMode);
    GdiFlush();
}

std::vector<std::wstring> cellLines(int column, int day) {
    std::vector<std::wstring> lines;
    if (!pageBitmap.exists()) return lines;
    bringPageUpToDate();
    for (const CellPicture& cell : drawnPage.cells) {
        if (cell.column != column || cell.day != day) continue;
        for (int i = 0; i < cell.textCount; ++i)
            for (const LaidLine& line : cell.texts[i].laid->lines) lines.push_back(line.text);
    }
    return lines;
}

bool completePage() {
    bringPageUpToDate();
    if (firstUndrawnRow() < 0) return false;
    drawPageRows(0, pageBitmap.height());
    return true;
}

void showView() {
    if (!viewBitmap.exists()) return;
    surfaceCopy(canvasWindow(), 0, 0, canvasWidth, canvasHeight, viewBitmap.dc(), 0, 0);
    showDayCursor();
}

void refreshPage() {
    bringPageUpToDate();
    showViewAndDrawTheRestLater();
}

void startView() {
    if (viewBitmap.width() != viewWidth || viewBitmap.height() != viewHeight) viewBitmap.create(viewWidth, viewHeight);
    if (pageBitmap.width() != pageWidth || pageBitmap.height() != pageHeight) pageBitmap.create(pageWidth, pageHeight);
    startBlankPage();
}

void renewImagesAndView() {
    resetView(homeScrollY);
    startView();
    refreshPage();
}
