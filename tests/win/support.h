// Helpers for the Win32 tests, which run the program's windows in their own
// process: the main window run modally, the dialogs it opens driven from
// inside their own modal loops, message boxes answered, commands given and
// days clicked.
#pragma once

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "editing/favourites.h"
#include "examples/samplepage.h"
#include "files/bitmapexport.h"
#include "files/workfile.h"
#include "files/workfilecodec.h"
#include "platform/surface.h"
#include "tests/support/driver.h"
#include "tests/support/expectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

// Runs the main window modally, as started with the command tail; `during`
// runs once from inside its modal loop (a thread timer), after which the
// window is closed unless `during` closed it.
void runMainWindow(const std::function<void()>& during, const std::wstring& tail = L"");
// A command of the menus, as a click on its item gives it.
void menuCommand(int id);
// A mouse button in the middle of a day as the canvas shows it now.
void clickDay(int column, int day, UINT button = WM_LBUTTONDOWN);

// Runs actions on the dialogs that this thread opens, from inside each
// dialog's own modal loop. A dialog is matched once, when it is first
// activated, by the first watcher that accepts it; watchers end with their
// driver.
struct DialogDriver {
    DialogDriver();
    ~DialogDriver();
    // Every dialog that `match` accepts gets `action`.
    void on(std::function<bool(HWND)> match, std::function<void(HWND)> action);
};
// A match for the dialogs with the caption.
std::function<bool(HWND)> captioned(const std::wstring& caption);

// Presses a button of a dialog as a click would (BN_CLICKED from the button).
void pressButton(HWND dialog, int id);
// Picks an item of a combo box list and confirms it (CBN_SELENDOK).
void pickListItem(HWND dialog, int id, int position);

// While it lives, every message box that this thread shows has its text kept
// and gets the first of `next` (IDOK, IDYES, IDNO), or `button` when none is
// left.
struct MessageBoxAnswerer {
    explicit MessageBoxAnswerer(int button);
    std::vector<std::wstring> texts;
    std::vector<int> next;
    DialogDriver driver;
};
