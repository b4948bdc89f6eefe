// The accessible table of a window, read back in its own process through
// oleacc as a screen reader reads it: the table and each cell's name, role,
// state, place on the screen and action, the focus, the selection, hit tests,
// logical navigation, the same object through COM's marshalling from another
// apartment, the action run, the focus event, and an object kept after its
// window has gone.
#include "support.h"

#include "platform/accessible.h"
#include "platform/systemlibrary.h"
#include "tests/support/expectations.h"

#include <ole2.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <future>

namespace {

struct Cell { const wchar_t* name; RECT box; };
// Four cells in a row, and a fifth scrolled away below the client area.
const Cell cells[] = {{L"lunes 1", {10, 10, 60, 40}}, {L"martes 2", {70, 10, 120, 40}},
                      {L"miércoles 3", {130, 10, 180, 40}}, {L"jueves 4", {190, 10, 240, 40}},
                      {L"viernes 5", {10, 2000, 60, 2030}}};
int calls = 0, acted = 0, actedCell = 0;
// What the callbacks give, counting the calls.
template <class T> T counted(T value) { return ++calls, value; }
AccessibleTable table{.name = [] { return counted<std::wstring>(L"Calendario"); }, .cellCount = [] { return counted(5); },
                      .cellName = [](int c) { return counted<std::wstring>(cells[c - 1].name); },
                      .cellBox = [](int c) { return counted(cells[c - 1].box); },
                      .focusedCell = [] { return counted(2); }, .selectedCell = [] { return counted(3); },
                      .act = [](int c) { counted(++acted), actedCell = c; }, .actionName = L"Pulsar"};

LRESULT CALLBACK tableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT)
        if (LRESULT answer = answerAccessibleObject(window, wParam, lParam, table)) return answer;
    return DefWindowProcW(window, message, wParam, lParam);
}

VARIANT child(long id) { VARIANT v{}; v.vt = VT_I4; v.lVal = id; return v; }
// A call's result and what it gave (read after the call, and freed): a
// text, a number, or "-" for VT_EMPTY.
using Got = std::pair<HRESULT, std::wstring>;
Got got(HRESULT result, BSTR& text) {
    Got g{result, text ? text : L""};
    systemFunction<decltype(SysFreeString)>(L"oleaut32.dll", "SysFreeString")(std::exchange(text, nullptr));
    return g;
}
Got got(HRESULT result, const VARIANT& v) { return {result, v.vt == VT_I4 ? std::to_wstring(v.lVal) : v.vt ? L"?" : L"-"}; }
Got is(long n, HRESULT result = S_OK) { return {result, std::to_wstring(n)}; }
const Got nothing{S_FALSE, L"-"};

// The window, object and child of the last focus event.
std::vector<LONG_PTR> focusEvent;
void CALLBACK seeEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG id, DWORD, DWORD) {
    focusEvent = {reinterpret_cast<LONG_PTR>(window), object, id};
}

}  // namespace

TEST(Accessible, AScreenReaderReadsTheTableItsCellsAndTheirActionAndEvents) {
    const WNDCLASSW type{0, tableProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, L"ZanorTabla"};
    RegisterClassW(&type);
    HWND window = CreateWindowExW(0, type.lpszClassName, L"Tabla", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400,
                                  300, nullptr, nullptr, type.hInstance, nullptr);
    SetFocus(window);
    ASSERT_EQ(GetFocus(), window);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);

    auto* fromWindow = systemFunction<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
    IAccessible* acc = nullptr;
    ASSERT_EQ(fromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)), S_OK);
    long count = 0;
    EXPECT_TRUE(acc->get_accChildCount(&count) == S_OK && count == 5);
    BSTR s = nullptr;
    VARIANT v{};
    const long cellStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const struct { long id; std::wstring name; long role, state; RECT box; } expected[] = {
        {CHILDID_SELF, L"Calendario", ROLE_SYSTEM_TABLE, STATE_SYSTEM_FOCUSABLE, client},
        {1, cells[0].name, ROLE_SYSTEM_CELL, cellStates, cells[0].box},
        {2, cells[1].name, ROLE_SYSTEM_CELL, cellStates | STATE_SYSTEM_FOCUSED, cells[1].box},
        {3, cells[2].name, ROLE_SYSTEM_CELL, cellStates | STATE_SYSTEM_SELECTED, cells[2].box},
        {4, cells[3].name, ROLE_SYSTEM_CELL, cellStates, cells[3].box},
        {5, cells[4].name, ROLE_SYSTEM_CELL, cellStates | STATE_SYSTEM_OFFSCREEN, cells[4].box}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        RECT box = e.box;
        if (e.id) MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(got(acc->get_accName(child(e.id), &s), s), Got(S_OK, e.name));
        EXPECT_EQ(got(acc->get_accRole(child(e.id), &v), v), is(e.role));
        EXPECT_EQ(got(acc->get_accState(child(e.id), &v), v), is(e.state));
        EXPECT_EQ(got(acc->get_accDefaultAction(child(e.id), &s), s), e.id ? Got(S_OK, L"Pulsar") : Got(S_FALSE, L""));
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(acc->accLocation(&x, &y, &w, &h, child(e.id)), S_OK);
        EXPECT_EQ(std::vector<long>({x, y, x + w, y + h}), std::vector<long>({box.left, box.top, box.right, box.bottom}));
        // A point of a cell is that cell, one of the table on no cell the
        // table itself; the cell scrolled away is outside the table.
        EXPECT_EQ(got(acc->accHitTest(box.right - 5, box.bottom - 5, &v), v), e.id == 5 ? nothing : is(e.id));
    }
    EXPECT_EQ(got(acc->accHitTest(client.right + 5, client.top + 5, &v), v), nothing);
    EXPECT_EQ(got(acc->get_accFocus(&v), v), is(2));
    EXPECT_EQ(got(acc->get_accSelection(&v), v), is(3));
    const struct { long direction, from; Got to; } moves[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, is(1)}, {NAVDIR_LASTCHILD, CHILDID_SELF, is(5)}, {NAVDIR_NEXT, 2, is(3)},
        {NAVDIR_PREVIOUS, 2, is(1)}, {NAVDIR_NEXT, 5, nothing}, {NAVDIR_PREVIOUS, 1, nothing},
        {NAVDIR_FIRSTCHILD, 3, nothing}, {NAVDIR_UP, 3, {DISP_E_MEMBERNOTFOUND, L"-"}}};
    for (const auto& m : moves)
        EXPECT_EQ(got(acc->accNavigate(m.direction, child(m.from), &v), v), m.to) << m.direction << " " << m.from;
    EXPECT_EQ(got(acc->get_accName(child(6), &s), s), Got(E_INVALIDARG, L""));
    IDispatch* cell = reinterpret_cast<IDispatch*>(1);
    EXPECT_TRUE(acc->get_accChild(child(1), &cell) == S_FALSE && !cell);
    // The parent is the window's own object, of which Wine answers little
    // more than the window.
    IDispatch* parent = nullptr;
    IOleWindow* frame = nullptr;
    HWND frameWindow = nullptr;
    ASSERT_EQ(acc->get_accParent(&parent), S_OK);
    ASSERT_EQ(parent->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&frame)), S_OK);
    EXPECT_TRUE(frame->GetWindow(&frameWindow) == S_OK && frameWindow == window);
    frame->Release(), parent->Release();

    // Another apartment gets a proxy of the table, as a screen reader in
    // another process does: its calls reach this thread's message loop.
    auto remoteName = std::async(std::launch::async, [&] {
        systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")(nullptr, COINIT_MULTITHREADED);
        IAccessible* remote = nullptr;
        BSTR name = nullptr;
        Got read{fromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&remote)), L""};
        if (remote) read = got(remote->get_accName(child(2), &name), name), remote->Release();
        systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
        return read;
    });
    EXPECT_TRUE(e2e::waitUntil([&] { return remoteName.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
    EXPECT_EQ(remoteName.get(), Got(S_OK, L"martes 2"));

    // The action and the focus event wait for the message loop.
    EXPECT_EQ(acc->accDoDefaultAction(child(4)), S_OK);
    EXPECT_EQ(acted, 0);
    EXPECT_TRUE(e2e::waitUntil([] { return acted > 0; }, 5000));
    EXPECT_EQ(std::vector<int>({acted, actedCell}), std::vector<int>({1, 4}));
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, seeEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    notifyAccessible(window, EVENT_OBJECT_FOCUS, 2);
    EXPECT_TRUE(e2e::waitUntil([] { return !focusEvent.empty(); }, 5000));
    EXPECT_EQ(focusEvent, std::vector<LONG_PTR>({reinterpret_cast<LONG_PTR>(window), OBJID_CLIENT, 2}));
    UnhookWinEvent(hook);

    // Once the window has gone the object says so, and calls no callback.
    DestroyWindow(window);
    const int before = calls;
    EXPECT_EQ(acc->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(got(acc->get_accName(child(1), &s), s), Got(RPC_E_DISCONNECTED, L""));
    EXPECT_EQ(acc->accDoDefaultAction(child(1)), RPC_E_DISCONNECTED);
    EXPECT_EQ(calls, before);
    acc->Release();
}

// The page without a mouse: the day cursor moved by the keys and read as a
// screen reader reads the canvas (its focus, its days' names and places
// against an independent day count), Enter in both modes of the left button,
// Ctrl+Z and Ctrl+Y, the events, and the cursor on the screen only.
TEST(Keyboard, TheDayCursorMovesActsAndIsReadAsAScreenReaderReadsThePage) {
    std::vector<std::pair<DWORD, LONG>> events;  // of the canvas's days
    static auto* seen = &events;
    runMainWindow([&] {
        resetAllCells();
        firstMonth = 1, firstYear = 2024;  // 31, 29, 31 and 30 days; today is not on it
        enablePageCommands();
        viewY = 0;
        refreshPage();
        HWND canvas = canvasWindow();
        SetFocus(canvas);
        SendMessageW(mainWindow, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr,
            [](HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG id, DWORD, DWORD) {
                if (object == OBJID_CLIENT) seen->push_back({event, id});
            }, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        auto* fromWindow = systemFunction<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
        IAccessible* page = nullptr;
        ASSERT_EQ(fromWindow(canvas, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&page)), S_OK);
        BSTR s = nullptr;
        VARIANT v{};
        long count = 0;
        EXPECT_TRUE(page->get_accChildCount(&count) == S_OK && count == 121);
        EXPECT_EQ(got(page->get_accName(child(CHILDID_SELF), &s), s), Got(S_OK, L"Calendario Enero 2024 - Abril 2024"));
        // Keys as the keyboard gives them (Shift and Ctrl held or not), and
        // then where the cursor is (its child, in calendar order) and the
        // page's scroll offset.
        const auto key = [&](int vk, bool shift = false, bool ctrl = false) {
            BYTE state[256] = {};
            state[VK_SHIFT] = shift ? 0x80 : 0, state[VK_CONTROL] = ctrl ? 0x80 : 0;
            SetKeyboardState(state);
            PostMessageW(canvas, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
            for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
                if (!CallMsgFilterW(&m, MSGF_DIALOGBOX) && !IsDialogMessageW(mainWindow, &m)) DispatchMessageW(&m);
            SetKeyboardState(std::array<BYTE, 256>{}.data());
            return got(page->get_accFocus(&v), v).second + L" " + std::to_wstring(viewY);
        };
        EXPECT_EQ(got(page->get_accFocus(&v), v), is(1)) << "not on column 1's first day";
        for (int i = 0; i < 29; ++i) key(VK_TAB);
        EXPECT_EQ(key(VK_TAB), L"31 -2277") << "the 31st of January shown whole at the canvas's foot";
        EXPECT_EQ(key(VK_TAB), L"32 -3") << "across the month's end, the 1st shown from its top";
        EXPECT_EQ(key(VK_TAB, true), L"31 -2277");
        EXPECT_EQ(key(VK_RIGHT), L"60 -2277") << "onto the 29th of February, the shorter month's last";
        EXPECT_EQ(key(VK_RIGHT), L"89 -2277");
        EXPECT_EQ(key(VK_LEFT), L"60 -2277");
        moveDayCursor({4, 30});
        EXPECT_EQ(key(VK_TAB), L"121 -2277") << "past the page's last day";
        EXPECT_EQ(key(VK_RIGHT), L"121 -2277");
        moveDayCursor({1, 2});
        EXPECT_EQ(key(VK_TAB, true), L"1 -3");
        EXPECT_EQ(key(VK_TAB, true), L"1 -3");
        EXPECT_EQ(key(VK_LEFT), L"1 -3");
        // Names and places of a few days.
        for (const auto& [index, column, day, name] : {std::tuple{1, 1, 1, L"Enero 2024 Lunes 1"},
                 {60, 2, 29, L"Febrero 2024 Jueves 29"}, {121, 4, 30, L"Abril 2024 Martes 30"}}) {
            EXPECT_EQ(got(page->get_accName(child(index), &s), s), Got(S_OK, name));
            POINT corner{3 + 248 * (column - 1), 3 + 92 * (day - 1) + viewY};
            ClientToScreen(canvas, &corner);
            long x = 0, y = 0, w = 0, h = 0;
            EXPECT_EQ(page->accLocation(&x, &y, &w, &h, child(index)), S_OK);
            EXPECT_EQ(std::vector<long>({x, y, w, h}), std::vector<long>({corner.x, corner.y, 246, 90}));
        }
        // Enter as the left button: selects, then clears; opens the text of
        // the day in "Editar Texto y Colores".
        key(VK_RETURN);
        EXPECT_TRUE(selectionCount == 1 && cellAt(1, 1).selected == 1);
        EXPECT_EQ(got(page->get_accSelection(&v), v), is(1));
        key(VK_SPACE);
        EXPECT_EQ(selectionCount, 0);
        SendMessageW(mainWindow, WM_COMMAND, commandEditCell, 0);
        DialogDriver driver;
        driver.on(captioned(L"Propiedades Texto"), [](HWND dialog) {
            SetDlgItemTextW(dialog, 10310, L"Cumplea\u00f1os");
            pressButton(dialog, 10280);
        });
        key(VK_RETURN);
        EXPECT_EQ(got(page->get_accName(child(1), &s), s), Got(S_OK, L"Enero 2024 Lunes 1: Cumplea\u00f1os"));
        // "Deshacer" and "Rehacer" from the keyboard, in both ways for Rehacer.
        for (const auto& [ctrlKey, shift, text] : {std::tuple{'Z', false, ""}, {'Y', false, "Cumplea\xF1os"},
                                                    {'Z', false, ""}, {'Z', true, "Cumplea\xF1os"}}) {
            key(ctrlKey, shift, true);
            EXPECT_STREQ(cellAt(1, 1).text, text) << char(ctrlKey) << shift;
        }
        // On the screen the cursor's dotted frame along the day's top; in the
        // export the page as it is.
        const ScratchFolder folder(L"cursor");
        exportPath = folder / L"pagina.bmp";
        exportBitmap();
        const e2e::BitmapFile exported{readBytes(exportPath)};
        HDC shown = GetDC(canvas);
        int dotted = 0, kept = 0;
        for (int x = 6; x < 243; ++x) {
            dotted += GetPixel(shown, x, 3) != GetPixel(pageBitmap.dc(), x, 6);
            kept += exported.at(x, 6) == GetPixel(pageBitmap.dc(), x, 6);
        }
        ReleaseDC(canvas, shown);
        EXPECT_GT(dotted, 50) << "no cursor on the screen";
        EXPECT_EQ(kept, 243 - 6) << "the cursor in the export";
        e2e::waitUntil([&] { return std::ranges::count(events, std::pair<DWORD, LONG>{EVENT_OBJECT_NAMECHANGE, 1}) >= 3; }, 5000);
        EXPECT_GE(std::ranges::count(events, std::pair<DWORD, LONG>{EVENT_OBJECT_FOCUS, 32}), 1);
        EXPECT_GE(std::ranges::count(events, std::pair<DWORD, LONG>{EVENT_OBJECT_SELECTION, 1}), 1);
        EXPECT_GE(std::ranges::count(events, std::pair<DWORD, LONG>{EVENT_OBJECT_NAMECHANGE, 1}), 3);
        UnhookWinEvent(hook);
        page->Release();
    });
}
