// What the canvas tells screen readers: a table whose cells are the page's
// days in calendar order, each named by what the page draws in it (its
// caption and number) followed by its text, and the events that tell them
// when the cursor moves and the page, the selection or a day's text changes.
#include "calendar/canvas.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "platform/accessible.h"
#include "platform/text.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring wide(std::string_view text) { return fromCellText(text); }

int cellCount() { return pageExists() ? pageDayCount(firstMonth, firstYear) : 0; }

std::wstring cellName(int index) {
    const DayPos at = pageDayAt(firstMonth, firstYear, index);
    if (at.column == 0) return {};
    // The page draws the number, then the caption.
    const std::vector<std::wstring> lines = cellLines(at.column, at.day);
    std::wstring name = lines.size() >= 2 ? lines[1] + L" " + lines[0] : std::wstring();
    const DayCell& cell = cellAt(at.column, at.day);
    const std::string_view text(cell.text, strnlen(cell.text, sizeof cell.text));
    if (!text.empty()) name += L": " + wide(text);
    return name;
}

RECT cellRect(int index) {
    const DayPos at = pageDayAt(firstMonth, firstYear, index);
    const CellBox box = cellBox(at.column, at.day);
    return {box.x, box.y + viewY, box.x + box.width, box.y + box.height + viewY};
}

int selectedIndex() {
    return pageExists() && selectionCount == 1 ? pageDayIndex(firstMonth, firstYear, {selectedColumn, selectedDay}) : 0;
}

const AccessibleTable pageTable{
    [] { return pageExists() ? wide(calendarTitle(firstMonth, firstYear)) : std::wstring(L"Sin calendario"); },
    cellCount,
    cellName,
    cellRect,
    [] { return pageExists() ? pageDayIndex(firstMonth, firstYear, dayCursor()) : 0; },
    selectedIndex,
    [](int index) { activateDay(pageDayAt(firstMonth, firstYear, index)); },
    L"Pulsar",
};

// What screen readers were last told of: the page, the selected day and
// each day's text.
struct Told {
    bool page = false;
    unsigned table = 0;  // cellTableSerial(): a new page, a work file
    int16_t month = 0, year = 0;
    int selected = 0;
    std::vector<std::string> texts;
};
Told told;

}  // namespace

LRESULT answerCanvasObject(HWND window, WPARAM wParam, LPARAM lParam) {
    return answerAccessibleObject(window, wParam, lParam, pageTable);
}

void noticeCursorMoved() {
    HWND window = canvasWindow();
    if (window && GetFocus() == window && pageExists()) notifyAccessible(window, EVENT_OBJECT_FOCUS, pageTable.focusedCell());
}

void noticeCanvasChanges() {
    HWND window = canvasWindow();
    if (!window) return;
    // Called whenever the canvas is shown: what is told is compared in
    // place, and a text is copied only when it changed.
    const bool page = pageExists();
    const int selected = selectedIndex(), count = cellCount();
    const bool renewed = page != told.page || cellTableSerial() != told.table || firstMonth != told.month ||
                         firstYear != told.year;
    if (renewed) notifyAccessible(window, EVENT_OBJECT_REORDER, 0);
    told.texts.resize(static_cast<std::size_t>(count));
    for (int index = 1; index <= count; ++index) {
        const DayPos at = pageDayAt(firstMonth, firstYear, index);
        const DayCell& cell = cellAt(at.column, at.day);
        const std::string_view text(cell.text, strnlen(cell.text, sizeof cell.text));
        std::string& was = told.texts[static_cast<std::size_t>(index - 1)];
        if (text == was) continue;
        if (!renewed) notifyAccessible(window, EVENT_OBJECT_NAMECHANGE, index);
        was.assign(text);
    }
    if (!renewed && selected != told.selected) {
        if (told.selected) notifyAccessible(window, EVENT_OBJECT_SELECTIONREMOVE, told.selected);
        if (selected) notifyAccessible(window, EVENT_OBJECT_SELECTION, selected);
    }
    told.page = page, told.table = cellTableSerial(), told.month = firstMonth, told.year = firstYear;
    told.selected = selected;
}
