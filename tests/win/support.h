// Helpers for the Win32 tests: running the main window in the test's own
// process, and starting the real program and finding its windows.
#pragma once

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

// The path of a file beside the test program.
std::wstring besideTests(const std::wstring& name);

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

// A folder of its own under the temporary folder; it goes, with the files it
// holds (read-only ones too), when the owner does.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& label = L"pruebas");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& path() const { return path_; }
    // The names of the files in the folder.
    std::vector<std::wstring> names() const { return namesIn(path_); }
    static std::vector<std::wstring> namesIn(const std::wstring& folder);

private:
    std::wstring path_;
};

std::string readBytes(const std::wstring& path);
void writeBytes(const std::wstring& path, const std::string& bytes);
// The value of an environment variable (the test script passes the mounted
// folders this way), or nothing.
std::wstring environmentValue(const wchar_t* name);

// The platform's open and save dialogs, and their file-name field.
bool isFileDialog(HWND window);
HWND fileNameField(HWND dialog);
