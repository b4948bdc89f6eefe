// The accessible table of a window, read back in its own process through
// oleacc as a screen reader reads it: the table and each cell's name, role,
// state, place on the screen and action, the focus, the selection, hit tests,
// logical navigation, the same object through COM's marshalling from another
// apartment, the action run, the focus event, and an object kept after its
// window has gone.
#include "platform/accessible.h"
#include "platform/systemlibrary.h"
#include "tests/support/driver.h"

#include <ole2.h>
#include <oleacc.h>

#include <gtest/gtest.h>

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
