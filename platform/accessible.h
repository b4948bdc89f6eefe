// What a custom control that shows a table of cells tells a screen reader,
// through Microsoft Active Accessibility (MSAA): the control answers
// WM_GETOBJECT with an IAccessible whose children are the cells, and tells
// the system when its cursor, selection or cells change. The control
// describes itself with callbacks, so that this knows nothing of what the
// cells hold.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// What a control that shows a table of cells tells a screen reader. The
// callbacks are called on the control's thread, only while the control's
// window exists.
struct AccessibleTable {
    std::function<std::wstring()> name;            // the table's name
    std::function<int()> cellCount;                // cells 1..cellCount (child ids)
    std::function<std::wstring(int cell)> cellName;
    // In the control's client coordinates (may lie outside the client area
    // when scrolled away).
    std::function<RECT(int cell)> cellBox;
    std::function<int()> focusedCell;              // the cell with the keyboard cursor, 0 for none
    std::function<int()> selectedCell;             // the selected cell, 0 for none
    // The cell's default action (what Enter does). A client's request for it
    // returns at once: the action runs afterwards from the thread's message
    // loop, so it may open a modal dialog.
    std::function<void(int cell)> act;
    std::wstring actionName;                       // e.g. L"Pulsar"
};

// Answers WM_GETOBJECT for OBJID_CLIENT with an IAccessible over `table`,
// which must outlive the window. Returns the LRESULT for the window
// procedure to return, or 0 when not answered (other object ids, or no
// accessibility support on the system): the message then goes on to the
// default handling.
LRESULT answerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam,
                               const AccessibleTable& table);

// Tells accessibility clients that a cell (or, with cell 0, the table)
// changed: EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, EVENT_OBJECT_NAMECHANGE,
// EVENT_OBJECT_REORDER, ...
void notifyAccessible(HWND control, DWORD event, int cell);
