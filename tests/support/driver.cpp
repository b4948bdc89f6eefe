#include "driver.h"

#include "calendar/canvas.h"

#include <winternl.h>

#include <cstdio>
#include <string>
#include <utility>

namespace e2e {

const DWORD patience = [](const std::wstring& seconds) {
    return seconds.empty() ? DWORD{60000} : static_cast<DWORD>(std::stoul(seconds) * 1000);
}(environmentValue(L"ZANOR_PATIENCE"));

namespace {

// How long one look waits before the next, in milliseconds.
constexpr DWORD pollInterval = 3;

// A message to a control of another program, which may be busy.
void send(HWND control, UINT message, WPARAM wParam, const void* lParam) {
    SendMessageTimeoutW(control, message, wParam, reinterpret_cast<LPARAM>(lParam), SMTO_ABORTIFHUNG, patience, nullptr);
}

// The windows of a process: its visible top-level ones, or all of them with
// their children and message-only windows.
std::vector<HWND> windowsOf(DWORD process, bool all) {
    struct Search { DWORD process; bool all; std::vector<HWND> found; } search{process, all, {}};
    auto add = [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process && (s->all || IsWindowVisible(window))) s->found.push_back(window);
        return TRUE;
    };
    const LPARAM data = reinterpret_cast<LPARAM>(&search);
    EnumWindows(add, data);
    for (std::size_t i = 0, tops = search.found.size(); all && i < tops; ++i) EnumChildWindows(search.found[i], add, data);
    for (HWND w = nullptr; all && (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr));) add(w, data);
    return search.found;
}

// A window's client area as the screen shows it now.
Picture screenPicture(HWND window) {
    RECT area{};
    GetClientRect(window, &area), MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    Picture picture{area.right - area.left, area.bottom - area.top, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);  // top-down rows of 32 bits
    if (picture.width > 0 && picture.height > 0 && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < picture.width * picture.height; ++i) picture.pixels.push_back(first[i] & 0xFFFFFF);
        SelectObject(memory, old);
    }
    DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
    return picture;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    for (const ULONGLONG deadline = GetTickCount64() + milliseconds; !condition();) {
        if (GetTickCount64() >= deadline) return false;
        // A short wait that also keeps this thread's own queue empty.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, pollInterval, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    }
    return true;
}

std::wstring windowText(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

bool isMessageBox(HWND window) { return isDialog(window) && GetDlgItem(window, 0xFFFF); }
void press(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void typeText(HWND dialog, int id, const std::wstring& text) { send(GetDlgItem(dialog, id), WM_SETTEXT, 0, text.c_str()); }

void pickItem(HWND dialog, int id, int position) {
    send(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(position), nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void mouseClick(HWND control, int x, int y, bool right) {
    PostMessageW(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

COLORREF Picture::at(int x, int y) const {
    const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

Picture pictureShown(HWND window, const std::function<bool(const Picture&)>& wanted) {
    // The window is asked to paint now; its program puts the paint on the
    // screen when it next waits, so two equal pictures in a row are taken as
    // what it shows. When they are not what is wanted, it is asked again.
    Picture last, now;
    bool steady = true;
    waitUntil([&] {
        if (steady) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        steady = std::exchange(last, now = screenPicture(window)) == now && !now.pixels.empty();
        return steady && wanted(now);
    });
    return now;
}

// ---------------------------------------------------------------------------

std::wstring Program::folder() { return besideTests(L"programa e2e"); }

std::wstring Program::path() {
    static const std::wstring installed = [] {
        CreateDirectoryW(folder().c_str(), nullptr);
        // A program of an earlier run may still hold its file: the copy it
        // left must then be the same build, or nothing here tests this one.
        const std::wstring built = besideTests(L"zanor.exe"), copy = folder() + L"\\zanor.exe";
        if (!CopyFileW(built.c_str(), copy.c_str(), FALSE) && readBytes(built) != readBytes(copy)) {
            std::fprintf(stderr, "zanor.exe could not be copied beside the tests: an older build would be tested\n");
            ExitProcess(3);
        }
        return copy;
    }();
    return installed;
}

Program::Program(const std::wstring& tail, Question question) : question_(question) {
    std::wstring line = L"\"" + path() + L"\"" + (tail.empty() ? L"" : L" " + tail);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) info_ = {};
}

Program::~Program() {
    // Nothing to end when it never started or has ended.
    TerminateProcess(info_.hProcess, 1), WaitForSingleObject(info_.hProcess, patience);
    CloseHandle(info_.hThread), CloseHandle(info_.hProcess);
}

bool Program::running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::string Program::describe() const {
    std::string text = running() ? "running, windows:" : "not running";
    for (HWND window : windows())
        for (wchar_t c : L" [" + windowText(window) + L"]") text += c < 128 ? static_cast<char>(c) : '?';
    return text;
}

std::vector<HWND> Program::windows() const { return windowsOf(info_.dwProcessId, false); }

HWND Program::waitFor(const std::function<bool(HWND)>& match) const {
    const ULONGLONG deadline = GetTickCount64() + patience;
    do {
        HWND found = nullptr;
        for (HWND window : windows()) {
            if (window == lastQuestion_) continue;
            if (question_ != Question::leave && isMessageBox(window) && windowText(window) == L"...") {
                // The program waits in its question until it is answered.
                lastQuestion_ = window;
                press(window, question_ == Question::yes ? IDYES : IDNO);
            } else if (match(window)) found = window;
        }
        if (found) return found;
    } while (WaitForSingleObject(info_.hProcess, pollInterval) == WAIT_TIMEOUT && GetTickCount64() < deadline);
    return nullptr;
}

HWND Program::waitFor(const std::wstring& caption) const { return waitFor([&](HWND w) { return windowText(w) == caption; }); }

bool Program::waitUntilGone(HWND window) const { return waitUntil([&] { return !IsWindow(window) || !running(); }); }

HWND Program::window() const {
    if (!window_ || !IsWindow(window_))
        window_ = waitFor([](HWND w) { return windowText(w) == mainCaption && GetDlgItem(w, canvasId); });
    return window_;
}

HWND Program::canvas() const { return GetDlgItem(window(), canvasId); }
void Program::command(int id) const { PostMessageW(window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Program::key(int virtualKey) const {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(canvas(), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1 | scan);
    PostMessageW(canvas(), WM_KEYUP, static_cast<WPARAM>(virtualKey), 1 | scan | 0xC0000000);
}

void Program::wheel(int notches) const {
    RECT area{};
    GetWindowRect(canvas(), &area);
    PostMessageW(canvas(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)),
                 MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2));
}

void Program::clickCell(int column, int day) const {
    // As few keys as show the whole row: Home, then Page Down (100 pixels
    // each) until the row's 90 pixels show on the canvas's 574, or End (2288
    // pixels) below the 25th.
    const int top = 3 + 92 * (day - 1);
    int scrolled = day > 25 ? 2288 : 0;
    key(day > 25 ? VK_END : VK_HOME);
    for (; day <= 25 && scrolled < top + 90 - 574; scrolled += 100) key(VK_NEXT);
    mouseClick(canvas(), 3 + 248 * (column - 1) + 123, top - scrolled + 45);
}

Message Program::answer(int button) const {
    HWND box = waitFor(isMessageBox);
    if (!box) return {};
    Message message{windowText(box), windowText(GetDlgItem(box, 0xFFFF)), {}};
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) if (GetDlgItem(box, id)) message.buttons.push_back(id);
    press(box, button), waitUntilGone(box);
    return message;
}

bool Program::settle() const {
    command(commandAbout);
    HWND dialog = waitFor(L"Autor");
    if (dialog) press(dialog, 1017);  // the one way out
    return dialog && waitUntilGone(dialog);
}

bool Program::alone() const { return settle() && windows() == std::vector<HWND>{window()}; }

bool Program::close() const {
    PostMessageW(window(), WM_CLOSE, 0, 0);
    return info_.hProcess && WaitForSingleObject(info_.hProcess, patience) == WAIT_OBJECT_0;
}

// GetGuiResources counts GDI and USER objects on Windows; Wine answers 0 (the
// call is a stub there). Under Wine the GDI objects are then counted in the
// process's GDI handle table, which Wine keeps in the process's memory and
// names in its PEB (GdiSharedHandleTable, at 0xF8 in a 64-bit one), in
// 0x10000 entries of 24 bytes whose byte 14 (the type) is 0 when free; and
// the USER objects as the windows that the process owns: Wine keeps its
// menus, icons and cursors where no other process can count them.
GuiObjects countGuiObjects(const Program& program) {
    HANDLE process = program.process();
    GuiObjects objects{static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS)),
                       static_cast<long>(GetGuiResources(process, GR_USEROBJECTS))};
    if (objects.user == 0) objects.user = static_cast<long>(windowsOf(GetProcessId(process), true).size());
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    const char* table = nullptr;
    std::vector<std::uint8_t> entries(0x10000 * 24);
    if (objects.gdi == 0 && query && query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8, &table, sizeof table,
                          nullptr) &&
        ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) {
        objects.gdi = 0;
        for (std::size_t at = 14; at < entries.size(); at += 24) objects.gdi += entries[at] != 0;
    }
    return objects;
}

// ---------------------------------------------------------------------------

bool makeNewPage(const Program& program, int month, int year, const PageColours* colours) {
    program.command(commandNew);
    HWND dialog = program.waitFor(newPageCaption);
    if (!dialog) return false;
    pickItem(dialog, newPage::monthList, month - 1);
    pickItem(dialog, newPage::yearList, year - 2000);
    if (colours)
        for (auto [chooser, colour] : {std::pair{newPage::lineChooser, colours->line},
                                       {newPage::weekdayChooser, colours->weekday}, {newPage::sundayChooser, colours->sunday}})
            chooseColour(program, colour, dialog, chooser);
    press(dialog, newPage::accept);
    return program.waitUntilGone(dialog);
}

void chooseFile(HWND dialog, const std::wstring& path) {
    if (!path.empty()) send(fileNameField(dialog), WM_SETTEXT, 0, path.c_str());
    press(dialog, path.empty() ? IDCANCEL : IDOK);
}

bool fileCommand(const Program& program, int command, const std::wstring& path, const wchar_t* caption) {
    program.command(command);
    HWND dialog = program.waitFor([&](HWND w) { return isFileDialog(w) && (!caption || windowText(w) == caption); });
    if (dialog) chooseFile(dialog, path);
    return dialog && program.waitUntilGone(dialog);
}

FileStamp stampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
            static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime};
}

std::string waitForNewFile(const std::wstring& path, const FileStamp& before) {
    std::string bytes;
    waitUntil([&] {
        // The program may still hold the file for a moment after putting it
        // in place.
        const FileStamp now = stampOf(path);
        return now.exists && !(now == before) && (bytes = readBytes(path)).size() == now.size;
    });
    return bytes;
}

std::string written(const Program& program, int command, const std::wstring& path) {
    return fileCommand(program, command, path) ? waitForNewFile(path) : std::string();
}

HWND openTextDialog(const Program& program, int column, int day) {
    program.command(commandEditCell);
    program.clickCell(column, day);
    return program.waitFor(L"Propiedades Texto");
}

bool chooseColour(const Program& program, COLORREF colour, HWND dialog, int button) {
    if (dialog) press(dialog, button);
    // The platform's colour chooser, opened fully, reads its red, green and
    // blue fields (706..708) when they announce a change.
    HWND chooser = program.waitFor([](HWND w) { return isDialog(w) && GetDlgItem(w, 706) && GetDlgItem(w, 708); });
    for (int field = 706; chooser && field <= 708; ++field) {
        typeText(chooser, field, std::to_wstring(colour >> (8 * (field - 706)) & 0xFF));
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(field, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(chooser, field)));
    }
    if (chooser) press(chooser, IDOK);
    return chooser && program.waitUntilGone(chooser);
}

}  // namespace e2e
