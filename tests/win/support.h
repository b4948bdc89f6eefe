// Helpers for the Win32 tests: running the main window in the test's own
// process and driving the dialogs it opens.
#pragma once

#include "tests/common/testfiles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs the main window modally; `during` runs once from inside its modal loop
// (a thread timer), after which the window is closed unless `during` closed it.
void runMainWindow(const std::function<void()>& during);

// Runs actions on the dialogs that this thread opens, from inside each
// dialog's own modal loop. A dialog is matched once, when it is first
// activated; watchers are tried in the order they were added.
class DialogDriver {
public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    // The next dialog whose caption is `caption` gets `action` once.
    void expect(const std::wstring& caption, std::function<void(HWND)> action);
    // Every dialog that `match` accepts gets `action`.
    void always(std::function<bool(HWND)> match, std::function<void(HWND)> action);
    // Expected dialogs that have not appeared.
    int pending() const;
};

// Presses a button of a dialog as a click would (BN_CLICKED from the button).
void pressButton(HWND dialog, int id);
// Picks an item of a combo box list and confirms it (CBN_SELENDOK).
void pickListItem(HWND dialog, int id, int position);

// Answers the next message box that this thread shows: keeps its caption and
// text and presses `button` (IDOK, IDYES, IDNO).
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int button);
    ~MessageBoxAnswerer();
    int count() const;
    std::wstring caption() const;
    std::wstring text() const;
};


std::wstring windowText(HWND window);
