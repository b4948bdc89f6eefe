// Drives the real program from a process of its own, as a user or the desktop
// would: it starts zanor.exe, finds the program's windows by their captions,
// gives menu commands, clicks, keys and wheel turns to the canvas, presses
// the controls of the dialogs, message boxes, file dialogs and colour
// choosers, and takes pictures of the screen.
//
// Input is posted to the program, in order, the way a user's input reaches
// it, and the driver then waits, with a time limit, for what has to follow: a
// window that appears or goes away, a file that is written. Nothing here
// waits a fixed time.
#pragma once

#include "tests/common/testfiles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The longest that any wait lasts, in milliseconds.
constexpr DWORD patience = 20000;

// Polls `condition` until it holds, at most `milliseconds`; true when it held.
bool waitUntil(const std::function<bool()>& condition, DWORD milliseconds = patience);

// ---------------------------------------------------------------------------
// Windows of any process, read without sending them anything.

std::wstring windowText(HWND window);
std::wstring windowClass(HWND window);
// The platform's message box: a dialog with a text control 0xFFFF.
bool isMessageBox(HWND window);
// The text of a message box, its lines joined by CR LF.
std::wstring messageText(HWND box);
// The platform's colour chooser, opened fully (red, green and blue fields).
bool isColourChooser(HWND window);

// ---------------------------------------------------------------------------
// Controls of another program's dialog, used as a user would use them.

// The text of a control as the control itself gives it (WM_GETTEXT): a combo
// box's edit field, for one.
std::wstring fieldText(HWND control);
// Clicks a button, check box or radio button (BM_CLICK, posted).
void press(HWND dialog, int id);
// Replaces the text of an edit field or a combo box's edit field.
void typeText(HWND dialog, int id, const std::wstring& text);
// Picks the item at `position` of a combo box list and confirms it, as a
// click in the dropped list does (CBN_SELENDOK).
void pickItem(HWND dialog, int id, int position);
// The position of the item whose text is exactly `text`, or -1.
int findItem(HWND dialog, int id, const std::wstring& text);
int selectedItem(HWND dialog, int id);  // -1 when none
int itemCount(HWND dialog, int id);
std::wstring itemText(HWND dialog, int id, int position);
bool isChecked(HWND dialog, int id);
bool isEnabled(HWND dialog, int id);
// A mouse button on a control at a point of its client area (posted).
void mouseClick(HWND control, int x, int y, bool right = false);

// Puts a colour into an open colour chooser and presses OK.
void chooseColour(HWND chooser, COLORREF colour);
// Puts a path into an open file dialog and presses OK.
void chooseFile(HWND dialog, const std::wstring& path);
// Presses Cancel in a dialog that has the platform's Cancel button.
void cancelDialog(HWND dialog);

// ---------------------------------------------------------------------------
// Pictures of the screen (the X display that Xvfb keeps), which show what
// every program draws; another program's windows cannot be read directly.

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // rows top-down, 0x00RRGGBB
    COLORREF at(int x, int y) const;    // 0x00BBGGRR, as the program's colours
    bool operator==(const Picture&) const = default;
};
// The screen inside `area` (screen coordinates) as it is now.
Picture screenPicture(const RECT& area);
// A window's client area once two pictures in a row agree.
Picture clientPicture(HWND window);
// What another program draws reaches the screen in that program's own time:
// these wait, with the usual limit, until the window's client area shows
// what is wanted, and give the last picture (or colour) seen either way.
Picture pictureShown(HWND window, const std::function<bool(const Picture&)>& wanted);
COLORREF colourShown(HWND window, int x, int y, COLORREF wanted);
bool allWhite(const Picture& picture);

// ---------------------------------------------------------------------------
// The program.

// What a start does with the association question (caption "...") that the
// program asks before its window while ".ZANOR" has no open command.
enum class Question {
    no,     // answered No whenever it is seen
    yes,    // answered Yes
    leave,  // left for the test
};

// A message box that the program showed, as it was answered.
struct Message {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // IDOK, IDYES, IDNO, ... that it had
};

// A whole command line, program path included (a registered open command).
struct CommandLine {
    std::wstring line;
};

class Program {
public:
    // Starts the program with a command tail (a work file, or nothing).
    explicit Program(const std::wstring& tail = L"", Question question = Question::no);
    explicit Program(const CommandLine& command, Question question = Question::no);
    // Ends the program when it still runs (a test that failed half-way).
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The program under test: a copy of the built zanor.exe in a folder of its
    // own ("programa e2e" beside the driver), where its favourites file lives.
    static std::wstring path();
    static std::wstring folder();

    DWORD id() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    bool running() const;
    // How many association questions this start has seen.
    int questionsSeen() const { return questionsSeen_; }
    // For failure messages: whether it runs, and its windows' captions.
    std::string describe() const;

    // The main window ("Tervalonde za-nor") and its canvas, waited for.
    HWND window() const;
    HWND canvas() const;
    // The program's visible top-level windows.
    std::vector<HWND> windows() const;
    // A visible top-level window of the program that `match` accepts, or the
    // one with `caption`; null when none appears in time or the program ends.
    HWND waitFor(const std::function<bool(HWND)>& match, DWORD milliseconds = patience) const;
    HWND waitFor(const std::wstring& caption, DWORD milliseconds = patience) const;
    bool waitUntilGone(HWND window) const;
    bool waitForExit(DWORD milliseconds = patience) const;

    // Input, posted in order.
    void command(int id) const;  // a menu command
    void key(int virtualKey) const;
    void wheel(int notches) const;                       // > 0 away from the user
    void click(int x, int y, bool right = false) const;  // canvas client pixels
    // Scrolls the page so that the cell shows (Home, then Page Down or End)
    // and clicks it, in its middle or at `inside` (pixels from its corner).
    void clickCell(int column, int day, bool right = false, POINT inside = {123, 45}) const;

    // Waits for a message box, reads it and presses `button`.
    Message answer(int button) const;
    // The program answers a message within `milliseconds`.
    bool responsive(DWORD milliseconds = 5000) const;
    // Returns once the program has handled all input posted before: it is
    // asked for its About dialog ("Autor"), which it opens only from its main
    // loop, and the dialog is closed again. False when it never came.
    bool settle() const;
    // Closes the main window and waits for the process to end.
    bool close() const;

private:
    void start(const std::wstring& line);
    bool isQuestionToAnswer(HWND window) const;
    void answerQuestion() const;

    PROCESS_INFORMATION info_{};
    Question question_;
    mutable HWND window_ = nullptr;
    mutable HWND lastQuestion_ = nullptr;
    mutable int questionsSeen_ = 0;
};

// ---------------------------------------------------------------------------
// What the program offers, by its published ids and captions.

namespace menu {
// Positions on the menu bar.
constexpr int operations = 0;  // "Operaciones"
constexpr int edit = 1;        // "Editar"
}  // namespace menu

// Scrolls the page to its top (Home), where canvas pixels are page pixels,
// and waits until the program has done so.
bool scrollToTop(const Program& program);

// Reads, from the screen, which items of a menu-bar menu show enabled (true)
// and which greyed: the menu is opened with the keyboard, as F10 and the
// arrows would, and closed again. `items` counts its commands (no separators).
std::vector<bool> menuItemsEnabled(const Program& program, int menuPosition, int items);

// "Nuevo za-nor".
namespace newPage {
constexpr int monthList = 1003, yearList = 1004;
constexpr int lineSwatch = 1006, lineChooser = 1007;
constexpr int weekdayChooser = 1009, weekdaySwatch = 1010;
constexpr int sundayChooser = 1013, sundaySwatch = 1014;
constexpr int cancel = 1015, accept = 1016;
}  // namespace newPage

// "Propiedades Texto".
namespace textDialog {
constexpr int fontList = 10100, sizeList = 10120;
constexpr int bold = 10130, italic = 10140, underline = 10150, strikeout = 10160, leading = 10180;
constexpr int preview = 10200;
constexpr int backChooser = 10220, backSwatch = 10230, inkChooser = 10240, inkSwatch = 10260;
constexpr int cancel = 10270, accept = 10280;
constexpr int text = 10310;
constexpr int alignLeft = 10330, alignRight = 10340, alignCentre = 10350, alignJustified = 10360;
}  // namespace textDialog

// "Color Captado".
namespace captured {
constexpr int swatch = 21002, value = 21003, accept = 21004;
}

// "Tus Colores Favoritos Cargalos y Guardalos".
namespace favourites {
constexpr int palette = 31001, archive = 31002, leave = 31003, reset = 31004, selected = 31005;
constexpr int slotSize = 25;  // palette pixels of one swatch's place
}  // namespace favourites

// "Autor".
namespace about {
constexpr int leave = 1017;
}

constexpr wchar_t mainCaption[] = L"Tervalonde za-nor";
constexpr wchar_t newPageCaption[] = L"Nuevo za-nor";
constexpr wchar_t textDialogCaption[] = L"Propiedades Texto";
constexpr wchar_t capturedCaption[] = L"Color Captado";
constexpr wchar_t favouritesCaption[] = L"Tus Colores Favoritos Cargalos y Guardalos";
constexpr wchar_t aboutCaption[] = L"Autor";
constexpr wchar_t exportCaption[] = L"Navegador de ficheros para bitmap";
constexpr wchar_t messageCaption[] = L"Programador";

// The page colours that "Nuevo" sets through its three choosers.
struct PageColours {
    COLORREF line;
    COLORREF weekday;
    COLORREF sunday;
};

// "Nuevo": picks the month (1..12) and the year, sets the colours when given,
// and presses "Aceptar"; returns when the dialog has gone.
bool makeNewPage(const Program& program, int month, int year, const PageColours* colours = nullptr);
// "Grabar" to `path`; an existing file's question is left to the caller.
bool startSaving(const Program& program, const std::wstring& path);
// "Abrir fichero" of `path`.
bool startOpening(const Program& program, const std::wstring& path);
// "Fotocopia" to `path`; true when the dialog took it.
bool startExport(const Program& program, const std::wstring& path);
// How a file stands: its size and its time of writing; nothing when absent.
struct FileStamp {
    bool exists = false;
    unsigned long long size = 0;
    unsigned long long written = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::wstring& path);
// Waits until the file at `path` no longer stands as `before` (taken before
// the command that writes it) and returns its bytes. The program puts files
// in place whole; the file is not opened before that, so that it is never
// held open while the program replaces it.
std::string waitForNewFile(const std::wstring& path, const FileStamp& before = {});

// "Editar Texto y Colores" on a cell: switches the left button to editing and
// clicks the cell; returns the text dialog.
HWND openTextDialog(const Program& program, int column, int day);
// Presses a button that opens a colour chooser and chooses `colour` in it.
bool chooseThrough(const Program& program, HWND dialog, int button, COLORREF colour);

bool fileExists(const std::wstring& path);

}  // namespace e2e
