// The page's whole journey without a mouse, typed ahead on the keyboard as a
// user who knows the program types it: a new page, a day's text and its
// colour, copied and pasted, saved, exported and the paste undone. Every key
// goes through the system's input, to whatever has the focus when it comes,
// each once the program has done with the one before.
#include "support.h"

static std::vector<INPUT> typed;
static std::size_t next = 0;
// A key's press, or its release, once the program waits for input again.
static void CALLBACK typeNext(HWND, UINT, UINT_PTR, DWORD) {
    if (next < typed.size() && !GetQueueStatus(QS_ALLINPUT)) SendInput(1, &typed[next++], sizeof(INPUT));
}
// One key's press or release (a virtual key, or a character with KEYEVENTF_UNICODE).
static void stroke(WORD vk, wchar_t c, DWORD flags) { typed.push_back({INPUT_KEYBOARD, {.ki = {vk, c, flags, 0, 0}}}); }
static void key(WORD vk, int times = 1) {
    for (int i = 0; i < times; ++i) stroke(vk, 0, 0), stroke(vk, 0, KEYEVENTF_KEYUP);
}
static void text(const std::wstring& characters) {
    for (wchar_t c : characters) stroke(0, c, KEYEVENTF_UNICODE), stroke(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
}
// A menu of the bar by its place, then an item of it by its place among the items (separators skipped).
static void menu(int bar, int item, int sub = -1) {
    key(VK_MENU), key(VK_RIGHT, bar), key(VK_DOWN), key(VK_DOWN, item);
    if (sub >= 0) key(VK_RIGHT), key(VK_DOWN, sub);
    key(VK_RETURN);
}

TEST(NoMouse, TheReadmesJourneyIsDoneWithTheKeyboardAlone) {
    const ScratchFolder folder(L"sin raton");
    const std::wstring work = folder / L"marzo.ZANOR", picture = folder / L"marzo.bmp";
    runMainWindow([&] {
        // "Nuevo": March, 2024 (the 25th year), "Aceptar".
        menu(0, 0), key(VK_F4), key(VK_DOWN, 3), key(VK_RETURN);
        key(VK_TAB), key(VK_F4), key(VK_DOWN, 25), key(VK_RETURN), key(VK_TAB, 5), key(VK_SPACE);
        // "Editar Texto y Colores"; on the 5th: a text, the fill of the chooser's first colour, "Aceptar".
        menu(2, 0, 1), key(VK_TAB, 4), key(VK_RETURN), text(L"Cumplea\u00f1os");
        key(VK_TAB, 9), key(VK_SPACE), key(VK_RETURN), key(VK_TAB, 3), key(VK_SPACE);
        // "Selector": the 5th copied onto the 6th.
        menu(2, 0, 0), key(VK_RETURN), menu(1, 0), key(VK_TAB), key(VK_RETURN), menu(1, 1);
        // "Grabar", "Fotocopia", and "Deshacer" of the paste.
        menu(0, 3), text(work), key(VK_RETURN), menu(0, 1), text(picture), key(VK_RETURN);
        stroke(VK_CONTROL, 0, 0), key('Z'), stroke(VK_CONTROL, 0, KEYEVENTF_KEYUP);
        SetFocus(canvasWindow());
        const UINT_PTR typist = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, typeNext);
        // As the main window's own loop does, until every key is typed and
        // the paste undone, or a minute has gone.
        for (const ULONGLONG end = GetTickCount64() + 60000; GetTickCount64() < end;) {
            if (next == typed.size() && pathExists(picture) && cellAt(1, 5).text[0] && !cellAt(1, 6).text[0]) break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
                if (!CallMsgFilterW(&m, MSGF_DIALOGBOX) && !IsDialogMessageW(mainWindow, &m)) TranslateMessage(&m), DispatchMessageW(&m);
        }
        KillTimer(nullptr, typist);
        EXPECT_EQ(next, typed.size()) << "keys left";
        EXPECT_EQ(firstMonth * 10000 + firstYear, 32024);
        EXPECT_STREQ(cellAt(1, 6).text, "") << "the paste is not undone";
    });
    const std::vector<e2e::WorkRecord> saved = e2e::workRecords(readBytes(work));
    EXPECT_EQ(saved.size(), 31u + 30 + 31 + 30);
    EXPECT_EQ(e2e::cellOf(saved, 1, 5).text(), "Cumplea\xF1os");
    EXPECT_EQ(e2e::cellOf(saved, 1, 5).cell.substr(0, 4), std::string("\x80\x80\x80\0", 4)) << "not the chooser's grey";
    EXPECT_TRUE(e2e::cellOf(saved, 1, 6).cell == e2e::cellOf(saved, 1, 5).cell) << "not pasted before it was saved";
    EXPECT_EQ(e2e::BitmapFile{readBytes(picture)}.problem(), "");
}
