// Helpers for the Win32 tests: running the main window in the test's own
// process, and starting the real program and finding its windows.
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


// What a started program's association question gets: the program asks it
// (caption "...") before its main window whenever ".ZANOR" is not registered.
enum class AssociationQuestion {
    answerNo,  // answered No whenever it is seen, so the program goes on
    leave,     // left for the test
};

// A whole command line, program path included, to start a program with.
struct WholeCommandLine {
    std::wstring line;
};

// The real program started with a command tail.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& tail,
                            AssociationQuestion question = AssociationQuestion::answerNo);
    // A program started with a whole command line, such as a registered open
    // command.
    explicit RunningProgram(const WholeCommandLine& command,
                            AssociationQuestion question = AssociationQuestion::answerNo);
    ~RunningProgram();
    // A visible top-level window of the program with this caption, waiting for
    // it up to `milliseconds`; null when none appears. While it waits, the
    // association question is answered No unless it was to be left (or is the
    // window asked for).
    HWND waitForWindow(const std::wstring& caption, DWORD milliseconds = 20000) const;
    // Waits for the process to end; true when it did.
    bool waitForExit(DWORD milliseconds = 20000) const;
    DWORD id() const { return info_.dwProcessId; }
    // How many association questions were answered No for the test.
    int associationQuestionsAnswered() const { return questionsAnswered_; }

private:
    PROCESS_INFORMATION info_{};
    AssociationQuestion question_;
    mutable HWND lastQuestion_ = nullptr;
    mutable int questionsAnswered_ = 0;
};

std::wstring windowText(HWND window);
