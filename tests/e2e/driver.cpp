#include "driver.h"

#include "app/mainwindow.h"
#include "app/menubar.h"

#include <algorithm>
#include <map>

namespace e2e {

namespace {

// How long one look waits before the next, in milliseconds.
constexpr DWORD pollInterval = 3;

// A short wait that also keeps this thread's own queue empty.
void pause() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollInterval, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

LPARAM keyData(int virtualKey, bool up) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    return static_cast<LPARAM>(1 | (scan << 16) | (up ? 0xC0000000u : 0u));
}

// The day rows that one picture of the canvas shows, and how to scroll the
// page so that a row shows: Home puts the page's top at the canvas's top,
// each Page Down moves it 100 pixels up, End 2288.
constexpr int rowPitch = 92;
constexpr int pageStep = 100;
constexpr int endOffset = 2288;
constexpr int lastPageDownRow = 25;  // rows below it are reached with End
constexpr int boxRows = 90;
constexpr int canvasRows = 574;  // inside the canvas's border

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        pause();
    }
}

std::wstring windowText(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring fieldText(HWND control) {
    wchar_t text[2048] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, patience,
                        nullptr);
    return text;
}

bool isMessageBox(HWND window) { return windowClass(window) == L"#32770" && GetDlgItem(window, 0xFFFF); }

std::wstring messageText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

bool isColourChooser(HWND window) {
    return windowClass(window) == L"#32770" && GetDlgItem(window, 706) && GetDlgItem(window, 707) &&
           GetDlgItem(window, 708);
}

void press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void typeText(HWND dialog, int id, const std::wstring& text) {
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, patience, nullptr);
}

void pickItem(HWND dialog, int id, int position) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0, SMTO_ABORTIFHUNG, patience, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

namespace {
LRESULT ask(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(GetDlgItem(dialog, id), message, wParam, lParam, SMTO_ABORTIFHUNG, patience, &result))
        return -1;
    return static_cast<LRESULT>(result);
}
}  // namespace

int findItem(HWND dialog, int id, const std::wstring& text) {
    const int count = itemCount(dialog, id);
    for (int i = 0; i < count; ++i)
        if (itemText(dialog, id, i) == text) return i;
    return -1;
}

int selectedItem(HWND dialog, int id) { return static_cast<int>(ask(dialog, id, CB_GETCURSEL)); }
int itemCount(HWND dialog, int id) { return static_cast<int>(ask(dialog, id, CB_GETCOUNT)); }

std::wstring itemText(HWND dialog, int id, int position) {
    wchar_t text[512] = {};
    const LRESULT length = ask(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(position));
    if (length < 0 || length >= 512) return {};
    ask(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
    return text;
}

bool isChecked(HWND dialog, int id) { return ask(dialog, id, BM_GETCHECK) == BST_CHECKED; }
bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void mouseClick(HWND control, int x, int y, bool right) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

void chooseColour(HWND chooser, COLORREF colour) {
    // The chooser reads its red, green and blue fields when they announce a
    // change.
    const int fields[] = {706, 707, 708};
    const BYTE parts[] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (int i = 0; i < 3; ++i) {
        typeText(chooser, fields[i], std::to_wstring(parts[i]));
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(fields[i], EN_UPDATE),
                     reinterpret_cast<LPARAM>(GetDlgItem(chooser, fields[i])));
    }
    press(chooser, IDOK);
}

void chooseFile(HWND dialog, const std::wstring& path) {
    SendMessageTimeoutW(fileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, patience, nullptr);
    press(dialog, IDOK);
}

void cancelDialog(HWND dialog) { press(dialog, IDCANCEL); }

COLORREF Picture::at(int x, int y) const {
    const std::uint32_t p =
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Picture screenPicture(const RECT& area) {
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    if (picture.width <= 0 || picture.height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        picture.pixels.assign(first, first + static_cast<std::size_t>(picture.width) * picture.height);
        for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

Picture clientPicture(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    // Ask for the window to be painted now; its program puts the paint on the
    // screen when it next waits, so two equal pictures in a row are taken as
    // what it shows.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Picture last = screenPicture(area);
    Picture now;
    waitUntil([&] {
        now = screenPicture(area);
        if (now == last && !now.pixels.empty()) return true;
        last = now;
        return false;
    });
    return now;
}

Picture pictureShown(HWND window, const std::function<bool(const Picture&)>& wanted) {
    Picture shown;
    waitUntil([&] {
        shown = clientPicture(window);
        return !shown.pixels.empty() && wanted(shown);
    });
    return shown;
}

COLORREF colourShown(HWND window, int x, int y, COLORREF wanted) {
    const Picture shown = pictureShown(window, [&](const Picture& p) { return p.at(x, y) == wanted; });
    return shown.pixels.empty() ? CLR_INVALID : shown.at(x, y);
}

bool allWhite(const Picture& picture) {
    return !picture.pixels.empty() &&
           std::all_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint32_t p) { return p == 0xFFFFFF; });
}

// ---------------------------------------------------------------------------

std::wstring Program::folder() { return besideTests(L"programa e2e"); }

std::wstring Program::path() {
    static const std::wstring installed = [] {
        const std::wstring target = folder() + L"\\zanor.exe";
        CreateDirectoryW(folder().c_str(), nullptr);
        // A program of an earlier run may still hold its file: the copy it
        // left is then the same build.
        CopyFileW(besideTests(L"zanor.exe").c_str(), target.c_str(), FALSE);
        return target;
    }();
    return installed;
}

Program::Program(const std::wstring& tail, Question question) : question_(question) {
    start(L"\"" + path() + L"\"" + (tail.empty() ? L"" : L" " + tail));
}

Program::Program(const CommandLine& command, Question question) : question_(question) {
    path();
    start(command.line);
}

void Program::start(const std::wstring& line) {
    std::wstring mutableLine = line;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        info_ = {};
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (running()) TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, patience);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::string Program::describe() const {
    DWORD code = 0;
    if (!running())
        return GetExitCodeProcess(info_.hProcess, &code) ? "ended with code " + std::to_string(code) : "not started";
    std::string text = "running, windows:";
    for (HWND window : windows()) {
        text += " [";
        for (wchar_t c : windowText(window)) text += c < 128 ? static_cast<char>(c) : '?';
        text += "]";
    }
    return text;
}

std::vector<HWND> Program::windows() const {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{info_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == s->process && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Program::isQuestionToAnswer(HWND window) const {
    return question_ != Question::leave && isMessageBox(window) && windowText(window) == L"...";
}

void Program::answerQuestion() const {
    for (HWND window : windows()) {
        if (window == lastQuestion_ || !isQuestionToAnswer(window)) continue;
        // The program waits in its question until it is answered.
        lastQuestion_ = window;
        ++questionsSeen_;
        press(window, question_ == Question::yes ? IDYES : IDNO);
    }
}

HWND Program::waitFor(const std::function<bool(HWND)>& match, DWORD milliseconds) const {
    HWND found = nullptr;
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        answerQuestion();
        // A question that showed after answerQuestion looked is answered on
        // the next turn, never taken for what is waited for.
        for (HWND window : windows())
            if (window != lastQuestion_ && !isQuestionToAnswer(window) && match(window)) found = window;
        if (found) return found;
    } while (WaitForSingleObject(info_.hProcess, pollInterval) == WAIT_TIMEOUT && GetTickCount64() < deadline);
    return nullptr;
}

HWND Program::waitFor(const std::wstring& caption, DWORD milliseconds) const {
    return waitFor([&](HWND window) { return windowText(window) == caption; }, milliseconds);
}

bool Program::waitUntilGone(HWND window) const {
    return waitUntil([&] { return !IsWindow(window) || !running(); });
}

bool Program::waitForExit(DWORD milliseconds) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

HWND Program::window() const {
    if (!window_ || !IsWindow(window_))
        window_ = waitFor([](HWND w) { return windowText(w) == mainCaption && GetDlgItem(w, canvasId); });
    return window_;
}

HWND Program::canvas() const { return GetDlgItem(window(), canvasId); }

void Program::command(int id) const { PostMessageW(window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Program::key(int virtualKey) const {
    PostMessageW(canvas(), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), keyData(virtualKey, false));
    PostMessageW(canvas(), WM_KEYUP, static_cast<WPARAM>(virtualKey), keyData(virtualKey, true));
}

void Program::wheel(int notches) const {
    RECT area{};
    GetWindowRect(canvas(), &area);
    const auto delta = static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA));
    PostMessageW(canvas(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                 MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2));
}

void Program::click(int x, int y, bool right) const { mouseClick(canvas(), x, y, right); }

void Program::clickCell(int column, int day, bool right, POINT inside) const {
    // As few keys as show the whole row: Home, Page Down or End.
    const int top = 3 + rowPitch * (day - 1);
    const int needed = top + boxRows - canvasRows;
    int scrolled = 0;
    key(VK_HOME);
    if (day > lastPageDownRow) {
        key(VK_END);
        scrolled = endOffset;
    } else {
        for (; scrolled < needed; scrolled += pageStep) key(VK_NEXT);
    }
    click(3 + 248 * (column - 1) + inside.x, top - scrolled + inside.y, right);
}

Message Program::answer(int button) const {
    HWND box = waitFor(isMessageBox);
    if (!box) return {};
    Message message{windowText(box), messageText(box), {}};
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (GetDlgItem(box, id)) message.buttons.push_back(id);
    press(box, button);
    waitUntilGone(box);
    return message;
}

bool Program::responsive(DWORD milliseconds) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

bool Program::settle() const {
    command(commandAbout);
    HWND dialog = waitFor(aboutCaption);
    if (!dialog) return false;
    press(dialog, about::leave);
    return waitUntilGone(dialog);
}

bool Program::close() const {
    PostMessageW(window(), WM_CLOSE, 0, 0);
    return waitForExit();
}

// ---------------------------------------------------------------------------

bool scrollToTop(const Program& program) {
    program.key(VK_HOME);
    return program.settle();
}

namespace {

// Which rows of a menu picture hold item texts: rows whose right end shows the
// menu's own background (not a separator, not the highlight) and that have
// ink. Each run of such rows is one item; its darkest ink tells greyed text
// (light grey) from enabled text (black).
std::vector<bool> enabledTexts(const Picture& menu) {
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t p : menu.pixels) ++counts[p];
    const std::uint32_t background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    constexpr int textLeft = 24;  // past the item pictures
    constexpr int darkInk = 96;   // greyed text is lighter than this
    constexpr int textRows = 4;   // fewer rows of ink are a separator
    std::vector<bool> enabled;
    int rows = 0;
    int darkest = 255;
    for (int y = 0; y <= menu.height; ++y) {
        bool ink = false;
        if (y < menu.height && menu.pixels[static_cast<std::size_t>(y * menu.width + menu.width - 6)] == background) {
            for (int x = textLeft; x < menu.width - 8; ++x) {
                const std::uint32_t p = menu.pixels[static_cast<std::size_t>(y * menu.width + x)];
                if (p == background) continue;
                ink = true;
                darkest =
                    std::min<int>(darkest, static_cast<int>(((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3));
            }
        }
        if (ink) {
            ++rows;
        } else {
            if (rows >= textRows) enabled.push_back(darkest < darkInk);
            rows = 0;
            darkest = 255;
        }
    }
    return enabled;
}

// How long a menu has to show its items.
constexpr DWORD menuWhile = 1000;

HWND openMenu(const Program& program) {
    return program.waitFor([](HWND w) { return windowClass(w) == L"#32768"; }, menuWhile);
}

// The texts of the open menu once its picture shows `texts` of them and
// differs from `before`; empty when it does not within a short while.
std::vector<bool> shownTexts(HWND popup, std::size_t texts, const Picture& before, Picture& picture) {
    std::vector<bool> enabled;
    waitUntil(
        [&] {
            picture = clientPicture(popup);
            enabled = enabledTexts(picture);
            return enabled.size() == texts && !(picture == before);
        },
        menuWhile);
    return enabled.size() == texts ? enabled : std::vector<bool>{};
}

std::vector<bool> readMenu(const Program& program, int menuPosition, int items) {
    // The keyboard opens the menu with its first item highlighted; Up then
    // highlights the last one. Each item is read from the picture in which it
    // is not highlighted.
    const auto texts = static_cast<std::size_t>(items - 1);
    PostMessageW(program.window(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    for (int i = 0; i < menuPosition; ++i) program.key(VK_RIGHT);
    program.key(VK_DOWN);
    std::vector<bool> rest, first;
    HWND popup = openMenu(program);
    if (popup) {
        Picture firstHighlighted, lastHighlighted;
        rest = shownTexts(popup, texts, {}, firstHighlighted);
        program.key(VK_UP);
        if (!rest.empty()) first = shownTexts(popup, texts, firstHighlighted, lastHighlighted);
    }
    for (int i = 0; i < 2; ++i) program.key(VK_ESCAPE);
    if (popup) program.waitUntilGone(popup);
    if (rest.empty() || first.empty()) return {};
    std::vector<bool> enabled{first.front()};
    enabled.insert(enabled.end(), rest.begin(), rest.end());
    return enabled;
}

}  // namespace

std::vector<bool> menuItemsEnabled(const Program& program, int menuPosition, int items) {
    // A menu opened while the window is new can be cancelled by the window's
    // own late activation, or stay under the window on the X display: it is
    // opened again until its picture shows its items.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::vector<bool> enabled = readMenu(program, menuPosition, items);
        if (!enabled.empty() || !program.running()) return enabled;
    }
    return {};
}

bool makeNewPage(const Program& program, int month, int year, const PageColours* colours) {
    program.command(commandNew);
    HWND dialog = program.waitFor(newPageCaption);
    if (!dialog) return false;
    pickItem(dialog, newPage::monthList, month - 1);
    pickItem(dialog, newPage::yearList, year - 2000);
    if (colours) {
        chooseThrough(program, dialog, newPage::lineChooser, colours->line);
        chooseThrough(program, dialog, newPage::weekdayChooser, colours->weekday);
        chooseThrough(program, dialog, newPage::sundayChooser, colours->sunday);
    }
    press(dialog, newPage::accept);
    return program.waitUntilGone(dialog);
}

namespace {
bool startFileCommand(const Program& program, int command, const std::wstring& caption, const std::wstring& path) {
    program.command(command);
    HWND dialog =
        program.waitFor([&](HWND w) { return isFileDialog(w) && (caption.empty() || windowText(w) == caption); });
    if (!dialog) return false;
    chooseFile(dialog, path);
    return program.waitUntilGone(dialog);
}
}  // namespace

bool startSaving(const Program& program, const std::wstring& path) {
    return startFileCommand(program, commandSave, L"", path);
}

bool startOpening(const Program& program, const std::wstring& path) {
    return startFileCommand(program, commandOpen, L"", path);
}

bool startExport(const Program& program, const std::wstring& path) {
    return startFileCommand(program, commandExport, exportCaption, path);
}

FileStamp stampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime};
}

std::string waitForNewFile(const std::wstring& path, const FileStamp& before) {
    std::string bytes;
    waitUntil([&] {
        const FileStamp now = stampOf(path);
        if (!now.exists || now == before) return false;
        // The program may still hold the file for a moment after putting it
        // in place.
        bytes = readBytes(path);
        return bytes.size() == now.size;
    });
    return bytes;
}

HWND openTextDialog(const Program& program, int column, int day) {
    program.command(commandEditCell);
    program.clickCell(column, day);
    return program.waitFor(textDialogCaption);
}

bool chooseThrough(const Program& program, HWND dialog, int button, COLORREF colour) {
    press(dialog, button);
    HWND chooser = program.waitFor(isColourChooser);
    if (!chooser) return false;
    chooseColour(chooser, colour);
    return program.waitUntilGone(chooser);
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace e2e
