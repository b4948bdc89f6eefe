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
    Told now{pageExists(), cellTableSerial(), firstMonth, firstYear, selectedIndex(), {}};
    for (int index = 1; index <= cellCount(); ++index) {
        const DayPos at = pageDayAt(firstMonth, firstYear, index);
        const DayCell& cell = cellAt(at.column, at.day);
        now.texts.emplace_back(cell.text, strnlen(cell.text, sizeof cell.text));
    }
    if (now.page != told.page || now.table != told.table || now.month != told.month || now.year != told.year) {
        notifyAccessible(window, EVENT_OBJECT_REORDER, 0);
    } else {
        for (std::size_t i = 0; i < now.texts.size() && i < told.texts.size(); ++i)
            if (now.texts[i] != told.texts[i]) notifyAccessible(window, EVENT_OBJECT_NAMECHANGE, static_cast<int>(i) + 1);
        if (now.selected != told.selected) {
            if (told.selected) notifyAccessible(window, EVENT_OBJECT_SELECTIONREMOVE, told.selected);
            if (now.selected) notifyAccessible(window, EVENT_OBJECT_SELECTION, now.selected);
        }
    }
    told = std::move(now);
}
