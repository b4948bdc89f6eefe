// Drives the real program from a process of its own, as a user or the desktop
// would: it starts zanor.exe, finds the program's windows by their captions,
// gives menu commands, clicks, keys and wheel turns to the canvas, presses
// the controls of the dialogs, message boxes, file dialogs and colour
// choosers, takes pictures of the screen and counts the program's GUI objects.
//
// Input is posted to the program, in order, the way a user's input reaches
// it, and the driver then waits, with a time limit, for what has to follow: a
// window that appears or goes away, a file that is written. Nothing here
// waits a fixed time.
#pragma once

#include "app/menubar.h"
#include "tests/support/testfiles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The longest that any wait lasts, in milliseconds: a minute, enough for
// whatever the program does on two busy cores, or ZANOR_PATIENCE seconds. A
// wait that runs out fails the test that waited, saying what it waited for.
extern const DWORD patience;

// Polls `condition` until it holds, at most `milliseconds`; true when it held.
bool waitUntil(const std::function<bool()>& condition, DWORD milliseconds = patience);

// ---------------------------------------------------------------------------
// Windows and controls of any process, used as a user would use them.

std::wstring windowText(HWND window);
// The platform's message box: a dialog with a text control 0xFFFF, whose
// text has its lines joined by CR LF.
bool isMessageBox(HWND window);
// Clicks a button, check box or radio button (BM_CLICK, posted).
void press(HWND dialog, int id);
// Replaces the text of an edit field or a combo box's edit field.
void typeText(HWND dialog, int id, const std::wstring& text);
// Picks the item at `position` of a combo box list and confirms it, as a
// click in the dropped list does (CBN_SELENDOK).
void pickItem(HWND dialog, int id, int position);
// A mouse button on a control at a point of its client area (posted).
void mouseClick(HWND control, int x, int y, bool right = false);

// ---------------------------------------------------------------------------
// Pictures of the screen (the X display that Xvfb keeps), which show what
// every program draws; another program's windows cannot be read directly.

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // rows top-down, 0x00RRGGBB
    COLORREF at(int x, int y) const;    // 0x00BBGGRR, as the program's colours
    bool operator==(const Picture&) const = default;
};
// What another program draws reaches the screen in that program's own time:
// this waits, with the usual limit, until the window's client area shows
// what is wanted (two pictures in a row the same), and gives the last picture
// seen either way.
Picture pictureShown(HWND window, const std::function<bool(const Picture&)>& wanted);

// ---------------------------------------------------------------------------
// The program.

// What a start does with the association question (caption "...") that the
// program asks before its window while ".ZANOR" has no open command: answer
// it No or Yes whenever it is seen, or leave it to the test.
enum class Question { no, yes, leave };

// A message box that the program showed, as it was answered; its buttons are
// those of IDOK, IDCANCEL, IDYES, IDNO that it had.
struct Message { std::wstring caption, text; std::vector<int> buttons; };

class Program {
public:
    // Starts the program with a command tail: a work file, or nothing.
    explicit Program(const std::wstring& tail = L"", Question question = Question::no);
    // Ends the program when it still runs (a test that failed half-way).
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The program under test: a copy of the built zanor.exe in a folder of its
    // own ("programa e2e" beside the driver), where its favourites file lives.
    static std::wstring path();
    static std::wstring folder();

    HANDLE process() const { return info_.hProcess; }
    bool running() const;
    // For failure messages: whether it runs, and its windows' captions.
    std::string describe() const;

    // The main window ("Tervalonde za-nor") and its canvas, waited for.
    HWND window() const;
    HWND canvas() const;
    // The program's visible top-level windows.
    std::vector<HWND> windows() const;
    // A visible top-level window of the program that `match` accepts, or the
    // one with `caption`; null when none appears in time or the program ends.
    HWND waitFor(const std::function<bool(HWND)>& match) const;
    HWND waitFor(const std::wstring& caption) const;
    bool waitUntilGone(HWND window) const;

    // Input, posted in order: a menu command, a key, wheel notches (> 0 away
    // from the user).
    void command(int id) const;
    void key(int virtualKey) const;
    void wheel(int notches) const;
    // Scrolls the page so that the cell shows (Home, then Page Down; or End)
    // and clicks it in its middle.
    void clickCell(int column, int day) const;

    // Waits for a message box, reads it and presses `button`.
    Message answer(int button) const;
    // Returns once the program has handled all input posted before: it is
    // asked for its About dialog ("Autor"), which it opens only from its main
    // loop, and the dialog is closed again. False when it never came.
    bool settle() const;
    // Settles and tells whether the main window is all the program shows.
    bool alone() const;
    // Closes the main window and waits for the process to end.
    bool close() const;

private:
    PROCESS_INFORMATION info_{};
    Question question_;
    mutable HWND window_ = nullptr, lastQuestion_ = nullptr;
};

// The GDI and USER objects of the program (-1: could not be counted).
struct GuiObjects { long gdi = -1, user = -1; };
GuiObjects countGuiObjects(const Program& program);

// ---------------------------------------------------------------------------
// What the program offers, by its published ids and captions.

namespace newPage {  // "Nuevo za-nor"
constexpr int monthList = 1003, yearList = 1004, lineChooser = 1007, weekdayChooser = 1009, sundayChooser = 1013,
              cancel = 1015, accept = 1016;
}
namespace textDialog {  // "Propiedades Texto"
constexpr int fontList = 10100, sizeList = 10120, bold = 10130, backChooser = 10220, inkChooser = 10240,
              cancel = 10270, accept = 10280, text = 10310, alignJustified = 10360;
}
namespace captured { constexpr int accept = 21004; }  // "Color Captado"
// "Tus Colores Favoritos Cargalos y Guardalos"
namespace favourites { constexpr int palette = 31001, archive = 31002, leave = 31003; }

constexpr wchar_t mainCaption[] = L"Tervalonde za-nor", newPageCaption[] = L"Nuevo za-nor", messageCaption[] = L"Programador";

// The page colours that "Nuevo" sets through its three choosers.
struct PageColours { COLORREF line, weekday, sunday; };

// "Nuevo": picks the month (1..12) and the year, sets the colours when given,
// and presses "Aceptar"; returns when the dialog has gone.
bool makeNewPage(const Program& program, int month, int year, const PageColours* colours = nullptr);
// Puts a path into a file dialog and presses OK; an empty path presses Cancel.
void chooseFile(HWND dialog, const std::wstring& path);
// A command that asks for a file ("Grabar", "Abrir fichero", the exports,
// "Importar agenda"): in its file dialog (the one with `caption`, when one is
// given) the path and OK, or Cancel when the path is empty; true once the
// dialog has gone. A question about an existing file is left to the caller.
bool fileCommand(const Program& program, int command, const std::wstring& path, const wchar_t* caption = nullptr);
// How a file stands: its size and its time of writing; nothing when absent.
struct FileStamp { bool exists; unsigned long long size, written; bool operator==(const FileStamp&) const = default; };
FileStamp stampOf(const std::wstring& path);
// Waits until the file at `path` no longer stands as `before` (taken before
// the command that writes it) and returns its bytes. The program puts files
// in place whole; the file is not opened before that, so that it is never
// held open while the program replaces it.
std::string waitForNewFile(const std::wstring& path, const FileStamp& before = {});
// A file command that writes a new file at `path` (none is there yet), and
// the file it wrote; nothing when the dialog or the file did not come.
std::string written(const Program& program, int command, const std::wstring& path);

// "Editar Texto y Colores" on a cell: switches the left button to editing and
// clicks the cell; returns the text dialog.
HWND openTextDialog(const Program& program, int column, int day);
// Presses the button of `dialog` that opens a colour chooser, when given, then
// puts the colour into the program's colour chooser and presses OK; true
// once the chooser has gone.
bool chooseColour(const Program& program, COLORREF colour, HWND dialog = nullptr, int button = 0);

}  // namespace e2e
