// The page without a mouse, read back in its own process through oleacc as a
// screen reader reads the canvas: the day cursor moved by Tab, Shift+Tab, Left
// and Right (across a month's end, onto a shorter month, at the page's ends)
// with the page scrolled to show it; the table and its days' names, roles,
// states, places on the screen and action against an independent day count;
// hit tests and logical navigation; the action run later from the message
// loop; the same object through COM's marshalling from another apartment;
// Ctrl+Y and Ctrl+Shift+Z; the focus, selection and name-change events; the
// cursor on the screen only; and the object kept after the main window has
// gone. (Enter in "Editar Texto y Colores" and Ctrl+Z are the keyboard
// journey's.)
#include "support.h"

#include "platform/systemlibrary.h"

#include <oleacc.h>

#include <future>

static VARIANT child(long id) { VARIANT v{}; v.vt = VT_I4; v.lVal = id; return v; }
// A call's result and what it gave (read after the call, and freed): a
// text, a number, or "-" for VT_EMPTY.
using Got = std::pair<HRESULT, std::wstring>;
static Got got(HRESULT result, BSTR& text) {
    Got g{result, text ? text : L""};
    systemFunction<decltype(SysFreeString)>(L"oleaut32.dll", "SysFreeString")(std::exchange(text, nullptr));
    return g;
}
static Got got(HRESULT r, const VARIANT& v) { return {r, v.vt == VT_I4 ? std::to_wstring(v.lVal) : v.vt ? L"?" : L"-"}; }
static Got is(long n, HRESULT result = S_OK) { return {result, std::to_wstring(n)}; }
const Got nothing{S_FALSE, L"-"};
static std::vector<std::pair<DWORD, LONG>> events;  // of the canvas's days
static int seen(DWORD event, LONG id) { return int(std::ranges::count(events, std::pair{event, id})); }

TEST(Keyboard, TheDayCursorMovesActsAndIsReadAsAScreenReaderReadsThePage) {
    IAccessible* page = nullptr;
    BSTR s = nullptr;
    VARIANT v{};
    long count = 0;
    runMainWindow([&] {
        resetAllCells(), firstMonth = 1, firstYear = 2024;  // 31, 29, 31 and 30 days; today is not on it
        assignField(cellAt(1, 3).text, "Reyes"), enablePageCommands(), viewY = 0, refreshPage();
        HWND canvas = canvasWindow();
        SetFocus(canvas), SendMessageW(mainWindow, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr,
            [](HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG id, DWORD, DWORD) {
                if (object == OBJID_CLIENT) events.push_back({event, id});
            }, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        auto* fromWindow = systemFunction<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
        ASSERT_EQ(fromWindow(canvas, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&page)), S_OK);
        EXPECT_TRUE(page->get_accChildCount(&count) == S_OK && count == 121);
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
            state[VK_SHIFT] = state[VK_CONTROL] = 0, SetKeyboardState(state);
            return got(page->get_accFocus(&v), v).second + L" " + std::to_wstring(viewY);
        };
        // From column 1's first day, 29 Tabs to the 30th of January. Then from
        // there (or from the day given), a key and where it leaves the cursor:
        // the 31st shown whole at the canvas's foot, across the month's end
        // the 1st shown from its top, and back; onto the 29th of February, the
        // shorter month's last, on to the last column and back; at the page's
        // last day and at its first the cursor stays.
        for (int i = 0; i < 29; ++i) key(VK_TAB);
        const struct { DayPos from; int vk; bool shift; const wchar_t* to; } keys[] = {
            {{}, VK_TAB, false, L"31 -2277"}, {{}, VK_TAB, false, L"32 -3"}, {{}, VK_TAB, true, L"31 -2277"},
            {{}, VK_RIGHT, false, L"60 -2277"}, {{}, VK_RIGHT, false, L"89 -2277"}, {{}, VK_RIGHT, false, L"120 -2277"},
            {{}, VK_LEFT, false, L"89 -2277"}, {{}, VK_LEFT, false, L"60 -2277"},
            {{4, 30}, VK_TAB, false, L"121 -2277"}, {{}, VK_RIGHT, false, L"121 -2277"}, {{1, 2}, VK_TAB, true, L"1 -3"},
            {{}, VK_TAB, true, L"1 -3"}, {{}, VK_LEFT, false, L"1 -3"}};
        for (const auto& k : keys) {
            if (k.from.column) moveDayCursor(k.from);
            EXPECT_EQ(key(k.vk, k.shift), k.to) << "the key of row " << &k - keys;
        }
        // A client's action waits for the message loop: Enter's, which selects in "Selector".
        EXPECT_TRUE(page->accDoDefaultAction(child(3)) == S_OK && selectionCount == 0);
        EXPECT_TRUE(e2e::waitUntil([] { return selectionCount == 1 && selectedDay == 3; }, 5000));
        EXPECT_EQ(got(page->get_accSelection(&v), v), is(3));
        // The table (the canvas's client area) and some of its days as the day
        // count and the layout place them; a point of each hits it, but a day
        // scrolled away is outside the canvas, whose corner is no day, and a
        // point beside the canvas hits nothing.
        RECT client;
        GetClientRect(canvas, &client);
        MapWindowPoints(canvas, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const long plain = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE, away = STATE_SYSTEM_OFFSCREEN;
        const struct { long id; const wchar_t* name; int column, day; long state; } days[] = {
            {CHILDID_SELF, L"Calendario Enero 2024 - Abril 2024", 0, 0, STATE_SYSTEM_FOCUSABLE},
            {1, L"Enero 2024 Lunes 1", 1, 1, plain | STATE_SYSTEM_FOCUSED},
            {3, L"Enero 2024 Miercoles 3: Reyes", 1, 3, plain | STATE_SYSTEM_SELECTED},
            {32, L"Febrero 2024 Jueves 1", 2, 1, plain}, {60, L"Febrero 2024 Jueves 29", 2, 29, plain | away},
            {121, L"Abril 2024 Martes 30", 4, 30, plain | away}};
        for (const auto& d : days) {
            SCOPED_TRACE(d.id);
            POINT corner{3 + 248 * (d.column - 1), 3 + 92 * (d.day - 1) + viewY};
            ClientToScreen(canvas, &corner);
            const RECT box = d.id ? RECT{corner.x, corner.y, corner.x + 246, corner.y + 90} : client;
            EXPECT_EQ(got(page->get_accName(child(d.id), &s), s), Got(S_OK, d.name));
            EXPECT_EQ(got(page->get_accRole(child(d.id), &v), v), is(d.id ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_TABLE));
            EXPECT_EQ(got(page->get_accState(child(d.id), &v), v), is(d.state));
            EXPECT_EQ(got(page->get_accDefaultAction(child(d.id), &s), s), d.id ? Got(S_OK, L"Pulsar") : Got(S_FALSE, L""));
            long x = 0, y = 0, w = 0, h = 0;
            EXPECT_EQ(page->accLocation(&x, &y, &w, &h, child(d.id)), S_OK);
            EXPECT_EQ(std::vector<long>({x, y, x + w, y + h}), std::vector<long>({box.left, box.top, box.right, box.bottom}));
            EXPECT_EQ(got(page->accHitTest(box.right - 5, box.bottom - 5, &v), v), d.state & away ? nothing : is(d.id));
        }
        EXPECT_EQ(got(page->accHitTest(client.right + 5, client.top + 5, &v), v), nothing) << "beside the canvas";
        const struct { long direction, from; Got to; } moves[] = {
            {NAVDIR_FIRSTCHILD, CHILDID_SELF, is(1)}, {NAVDIR_LASTCHILD, CHILDID_SELF, is(121)}, {NAVDIR_NEXT, 31, is(32)},
            {NAVDIR_PREVIOUS, 32, is(31)}, {NAVDIR_NEXT, 121, nothing}, {NAVDIR_PREVIOUS, 1, nothing},
            {NAVDIR_FIRSTCHILD, 3, nothing}, {NAVDIR_UP, 3, {DISP_E_MEMBERNOTFOUND, L"-"}}};
        for (const auto& m : moves)
            EXPECT_EQ(got(page->accNavigate(m.direction, child(m.from), &v), v), m.to) << m.direction << " " << m.from;
        EXPECT_EQ(got(page->get_accName(child(122), &s), s), Got(E_INVALIDARG, L""));
        IDispatch* cell = reinterpret_cast<IDispatch*>(1);
        EXPECT_TRUE(page->get_accChild(child(1), &cell) == S_FALSE && !cell);
        // The parent is the window's own object, of which Wine answers little more than the window.
        IDispatch* parent = nullptr;
        IOleWindow* frame = nullptr;
        HWND frameWindow = nullptr;
        if (page->get_accParent(&parent) == S_OK && parent->QueryInterface(IID_PPV_ARGS(&frame)) == S_OK)
            frame->GetWindow(&frameWindow), frame->Release(), parent->Release();
        EXPECT_EQ(frameWindow, canvas) << "the parent is not the canvas's window object";
        // Another apartment gets a proxy of the page, as a screen reader in
        // another process does: its calls reach this thread's message loop.
        auto remote = std::async(std::launch::async, [&] {
            systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")(nullptr, COINIT_MULTITHREADED);
            IAccessible* proxy = nullptr;
            BSTR name = nullptr;
            Got read{fromWindow(canvas, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&proxy)), L""};
            if (proxy) read = got(proxy->get_accName(child(3), &name), name), proxy->Release();
            systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
            return read;
        });
        EXPECT_TRUE(e2e::waitUntil([&] { return remote.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
        EXPECT_EQ(remote.get(), Got(S_OK, L"Enero 2024 Miercoles 3: Reyes"));
        // "Borrar" of the 3rd, then "Deshacer" and "Rehacer" from the keyboard,
        // Rehacer both ways; Space then selects as a click does.
        menuCommand(commandDelete);
        for (const auto& [ctrlKey, shift, text] : {std::tuple{'Z', 0, "Reyes"}, {'Y', 0, ""}, {'Z', 0, "Reyes"}, {'Z', 1, ""}}) {
            key(ctrlKey, shift != 0, true);
            EXPECT_STREQ(cellAt(1, 3).text, text) << char(ctrlKey) << shift;
        }
        key(VK_SPACE);
        EXPECT_TRUE(selectionCount == 1 && selectedDay == 1);
        // On the screen the cursor's dotted frame along the day's top; in the
        // export the page as it is.
        const ScratchFolder folder(L"cursor");
        exportPath = folder / L"pagina.bmp", exportBitmap();
        const e2e::BitmapFile exported{readBytes(exportPath)};
        HDC shown = GetDC(canvas);
        int dotted = 0, kept = 0;
        for (int x = 6; x < 243; ++x) {
            const COLORREF drawn = GetPixel(pageBitmap.dc(), x, 6);
            dotted += GetPixel(shown, x, 3) != drawn, kept += exported.at(x, 6) == drawn;
        }
        ReleaseDC(canvas, shown);
        EXPECT_TRUE(dotted > 50 && kept == 243 - 6) << dotted << " dotted on the screen, " << kept << " as drawn in the export";
        // The events of the cursor's move across the month's end, of the
        // selection, and of each change of the 3rd's text.
        e2e::waitUntil([&] { return seen(EVENT_OBJECT_NAMECHANGE, 3) >= 5; }, 5000);
        EXPECT_TRUE(seen(EVENT_OBJECT_FOCUS, 32) && seen(EVENT_OBJECT_SELECTION, 3) && seen(EVENT_OBJECT_NAMECHANGE, 3) >= 5);
        UnhookWinEvent(hook);
    });
    // Once the main window has gone the object says so, and asks the page nothing.
    ASSERT_TRUE(page);
    EXPECT_EQ(page->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(got(page->get_accName(child(1), &s), s), Got(RPC_E_DISCONNECTED, L""));
    EXPECT_EQ(page->accDoDefaultAction(child(1)), RPC_E_DISCONNECTED);
    page->Release();
}
