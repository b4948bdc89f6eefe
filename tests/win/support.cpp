#include "support.h"

#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

std::function<void()> pendingDuring;

void CALLBACK runDuring(HWND, UINT, UINT_PTR timer, DWORD) {
    // The modal run shows the window once its queue is empty; wait for that.
    if (!IsWindow(mainWindow) || !IsWindowVisible(mainWindow)) return;
    KillTimer(nullptr, timer);
    auto during = std::move(pendingDuring);
    pendingDuring = nullptr;
    if (during) during();
    if (IsWindow(mainWindow)) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

struct Watcher {
    std::function<bool(HWND)> match;
    std::function<void(HWND)> action;
    bool once;
    const DialogDriver* owner;
};

HHOOK driverHook = nullptr;
int drivers = 0;
std::vector<std::shared_ptr<Watcher>> watchers;
std::set<HWND> activated;
std::vector<std::pair<HWND, std::function<void(HWND)>>> dueActions;

void CALLBACK runDueActions(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto due = std::move(dueActions);
    dueActions.clear();
    for (auto& [window, action] : due)
        if (IsWindow(window)) action(window);
}

LRESULT CALLBACK driverProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring(className) == L"#32770" && activated.insert(window).second) {
            for (auto it = watchers.begin(); it != watchers.end(); ++it) {
                std::shared_ptr<Watcher> watcher = *it;
                if (!watcher->match(window)) continue;
                // Controls get their texts after activation: act once the
                // dialog's own loop runs.
                dueActions.emplace_back(window, watcher->action);
                SetTimer(nullptr, 0, 0, runDueActions);
                if (watcher->once) watchers.erase(it);
                break;
            }
        }
    }
    return CallNextHookEx(driverHook, code, wParam, lParam);
}

bool isMessageBox(HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }

int answered = 0;
std::wstring answeredCaption;
std::wstring answeredText;

}  // namespace

std::wstring windowText(HWND window) {
    wchar_t buffer[2048] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return buffer;
}

void runMainWindow(const std::function<void()>& during) {
    pendingDuring = during;
    SetTimer(nullptr, 0, 10, runDuring);
    showMainWindow(nullptr);
}

DialogDriver::DialogDriver() {
    if (drivers++ == 0) {
        activated.clear();
        driverHook = SetWindowsHookExW(WH_CBT, driverProc, nullptr, GetCurrentThreadId());
    }
}

DialogDriver::~DialogDriver() {
    // This driver's watchers end with it.
    std::erase_if(watchers, [this](const std::shared_ptr<Watcher>& w) { return w->owner == this; });
    if (--drivers == 0) {
        UnhookWindowsHookEx(driverHook);
        driverHook = nullptr;
        watchers.clear();
    }
}

void DialogDriver::expect(const std::wstring& caption, std::function<void(HWND)> action) {
    watchers.push_back(std::make_shared<Watcher>(Watcher{
        [caption](HWND window) { return windowText(window) == caption && !isMessageBox(window); },
        std::move(action), true, this}));
}

void DialogDriver::always(std::function<bool(HWND)> match, std::function<void(HWND)> action) {
    watchers.push_back(std::make_shared<Watcher>(Watcher{std::move(match), std::move(action), false, this}));
}

int DialogDriver::pending() const {
    int n = 0;
    for (const auto& w : watchers) n += w->once && w->owner == this;
    return n;
}

void pressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pickListItem(HWND dialog, int id, int position) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

namespace {
DialogDriver* answerDriver = nullptr;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) {
    answered = 0;
    answeredCaption.clear();
    answeredText.clear();
    answerDriver = new DialogDriver;
    answerDriver->always(isMessageBox, [button](HWND box) {
        ++answered;
        answeredCaption = windowText(box);
        answeredText = windowText(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, button, 0);
    });
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    delete answerDriver;
    answerDriver = nullptr;
}

int MessageBoxAnswerer::count() const { return answered; }
std::wstring MessageBoxAnswerer::caption() const { return answeredCaption; }
std::wstring MessageBoxAnswerer::text() const { return answeredText; }

