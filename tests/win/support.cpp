#include "support.h"

namespace {

std::function<void()> pendingDuring;

void CALLBACK runDuring(HWND, UINT, UINT_PTR timer, DWORD) {
    // The modal run shows the window once its queue is empty; wait for that.
    if (!IsWindow(mainWindow) || !IsWindowVisible(mainWindow)) return;
    KillTimer(nullptr, timer);
    if (auto during = std::exchange(pendingDuring, nullptr)) during();
    if (IsWindow(mainWindow)) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

struct Watcher { std::function<bool(HWND)> match; std::function<void(HWND)> action; const DialogDriver* owner; };
HHOOK driverHook = nullptr;
int drivers = 0;
std::vector<Watcher> watchers;
std::set<HWND> activated;
std::vector<std::pair<HWND, std::function<void(HWND)>>> dueActions;

void CALLBACK runDueActions(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (auto& [window, action] : std::exchange(dueActions, {}))
        if (IsWindow(window)) action(window);
}

// A CBT hook sees each dialog activated; its action waits for a thread timer,
// since the controls get their texts after activation and the dialog's own
// loop must be running.
LRESULT CALLBACK driverProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[64] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, className, 64) && std::wstring(className) == L"#32770" &&
        activated.insert(window).second)
        if (auto w = std::ranges::find_if(watchers, [&](const Watcher& w) { return w.match(window); }); w != watchers.end())
            dueActions.emplace_back(window, w->action), SetTimer(nullptr, 0, 0, runDueActions);
    return CallNextHookEx(driverHook, code, wParam, lParam);
}

}  // namespace

void runMainWindow(const std::function<void()>& during, const std::wstring& tail) {
    pendingDuring = during, SetTimer(nullptr, 0, 10, runDuring), showMainWindow(nullptr, tail);
}

void menuCommand(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

void clickDay(int column, int day, UINT button) {
    const CellBox box = cellBox(column, day);
    SendMessageW(canvasWindow(), button, 0, MAKELPARAM(box.x + 123, box.y + 45 + viewY));
}

DialogDriver::DialogDriver() {
    if (drivers++ == 0) activated.clear(), driverHook = SetWindowsHookExW(WH_CBT, driverProc, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
    std::erase_if(watchers, [this](const Watcher& w) { return w.owner == this; });
    if (--drivers == 0) UnhookWindowsHookEx(driverHook);
}

void DialogDriver::on(std::function<bool(HWND)> match, std::function<void(HWND)> action) {
    watchers.push_back(Watcher{std::move(match), std::move(action), this});
}

std::function<bool(HWND)> captioned(const std::wstring& caption) {
    return [caption](HWND window) { return !e2e::isMessageBox(window) && e2e::windowText(window) == caption; };
}

void pressButton(HWND d, int id) { SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(d, id))); }

void pickListItem(HWND dialog, int id, int position) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), LPARAM(GetDlgItem(dialog, id)));
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) {
    driver.on(e2e::isMessageBox, [this, button](HWND box) {
        texts.push_back(e2e::windowText(GetDlgItem(box, 0xFFFF)));
        PostMessageW(box, WM_COMMAND, next.empty() ? button : next.front(), 0);
        if (!next.empty()) next.erase(next.begin());
    });
}
