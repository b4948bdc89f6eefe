// The menu bar as the main window shows it: its menus and items, their
// pictures and first states, the two mouse-mode pairs, the commands that
// wait while another one is busy, and messages that are no command at all.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int allCommands[] = {500, 501, 502, 503, 504, 600, 601, 602, 603, 604, 605, 606, 903, 904};

MENUITEMINFOW itemAt(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_CHECKMARKS;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << "position " << position;
    return info;
}

std::wstring textAt(HMENU menu, UINT position) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

// One expected item: "-" is a separator, id 0 a pop-up menu.
struct Row {
    const wchar_t* text;
    int id;
};

void expectItems(HMENU menu, std::initializer_list<Row> rows) {
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(rows.size()));
    UINT position = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        const MENUITEMINFOW info = itemAt(menu, position);
        if (std::wstring_view(row.text) == L"-") {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            EXPECT_EQ(info.hSubMenu, nullptr);
        } else {
            EXPECT_FALSE(info.fType & MFT_SEPARATOR);
            EXPECT_EQ(textAt(menu, position), row.text);
            if (row.id) {
                EXPECT_EQ(info.wID, static_cast<UINT>(row.id));
                EXPECT_EQ(info.hSubMenu, nullptr);
            } else {
                EXPECT_NE(info.hSubMenu, nullptr);
            }
        }
        ++position;
    }
}

bool isGrey(int id) { return GetMenuState(menuBar, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED; }

// The whole state word of an item.
UINT stateOf(int id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menuBar, static_cast<UINT>(id), FALSE, &info)) << id;
    return info.fState;
}

void choose(int id) { SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// What a command could change.
struct Snapshot {
    std::vector<UINT> states;
    int32_t left, right, busy;
    int16_t selection, month;
    bool cells, open;
};

Snapshot snapshot() {
    Snapshot s{{}, leftButtonMode, rightButtonMode, busy, selectionCount, firstMonth, cellTableExists(),
               IsWindow(mainWindow) && IsWindowVisible(mainWindow)};
    for (int id : allCommands) s.states.push_back(GetMenuState(menuBar, static_cast<UINT>(id), MF_BYCOMMAND));
    return s;
}

void expectUnchanged(const Snapshot& before) {
    const Snapshot now = snapshot();
    EXPECT_EQ(now.states, before.states);
    EXPECT_EQ(now.left, before.left);
    EXPECT_EQ(now.right, before.right);
    EXPECT_EQ(now.busy, before.busy);
    EXPECT_EQ(now.selection, before.selection);
    EXPECT_EQ(now.month, before.month);
    EXPECT_EQ(now.cells, before.cells);
    EXPECT_EQ(now.open, before.open);
}

// The window only closes when nothing is busy: whatever a test leaves behind.
struct BusyCleared {
    ~BusyCleared() { busy = 0; }
};

std::vector<uint32_t> pixelsOf(HBITMAP bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(16 * 16);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, 16, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != 16) pixels.clear();
    return pixels;
}

void expectPicture(HMENU menu, UINT position, int resource) {
    SCOPED_TRACE(testing::Message() << "position " << position << ", picture " << resource);
    const MENUITEMINFOW info = itemAt(menu, position);
    ASSERT_NE(info.hbmpChecked, nullptr);
    EXPECT_EQ(info.hbmpUnchecked, info.hbmpChecked);

    BITMAP bitmap{};
    ASSERT_EQ(GetObjectW(info.hbmpChecked, sizeof(bitmap), &bitmap), static_cast<int>(sizeof(bitmap)));
    EXPECT_EQ(bitmap.bmWidth, 16);
    EXPECT_EQ(bitmap.bmHeight, 16);
    EXPECT_EQ(bitmap.bmBitsPixel, 24);

    // The picture is the program's own resource of that number.
    auto stored = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(stored, nullptr);
    const std::vector<uint32_t> shown = pixelsOf(info.hbmpChecked);
    EXPECT_EQ(shown.size(), 256u);
    EXPECT_EQ(shown, pixelsOf(stored));
    DeleteObject(stored);
    // Something is drawn on it: more than a background and one colour.
    EXPECT_GT(std::set<uint32_t>(shown.begin(), shown.end()).size(), 2u);
}

void expectNoPicture(HMENU menu, UINT position) {
    const MENUITEMINFOW info = itemAt(menu, position);
    EXPECT_EQ(info.hbmpChecked, nullptr) << "position " << position;
    EXPECT_EQ(info.hbmpUnchecked, nullptr) << "position " << position;
}

}  // namespace

TEST(MenuBar, HasOperacionesEditarRatonAndExtrasWithTheirItemsInOrder) {
    runMainWindow([] {
        ASSERT_NE(menuBar, nullptr);
        EXPECT_EQ(GetMenu(mainWindow), menuBar);
        expectItems(menuBar, {{L"Operaciones", 0}, {L"Editar", 0}, {L"Raton", 0}, {L"Extras", 0}});
        expectItems(GetSubMenu(menuBar, 3), {{L"Deshacer", 901}, {L"Rehacer", 902}, {L"-", 0}, {L"Exportar PNG", 903}, {L"-", 0}, {L"Exportar PDF A4", 904}});

        expectItems(GetSubMenu(menuBar, 0), {{L"Nuevo", 501},
                                             {L"-", 0},
                                             {L"Fotocopia", 500},
                                             {L"-", 0},
                                             {L"Abrir fichero", 502},
                                             {L"-", 0},
                                             {L"Grabar", 503},
                                             {L"-", 0},
                                             {L"Autor", 504}});
        expectItems(GetSubMenu(menuBar, 1),
                    {{L"Copiar", 600}, {L"-", 0}, {L"Pegar", 601}, {L"-", 0}, {L"Borrar", 602}});

        HMENU mouse = GetSubMenu(menuBar, 2);
        expectItems(mouse, {{L"Izquierda", 0}, {L"Derecha", 0}});
        expectItems(GetSubMenu(mouse, 0), {{L"Selector", 603}, {L"Editar Texto y Colores", 604}});
        expectItems(GetSubMenu(mouse, 1), {{L"Captar Color", 605}, {L"Colores Favoritos", 606}});
    });
}

TEST(MenuBar, StartsWithThePageCommandsGreyAndTheFirstModesChecked) {
    runMainWindow([] {
        for (int id : {500, 503, 600, 601, 602, 903, 904}) EXPECT_TRUE(isGrey(id)) << id;
        for (int id : {501, 502, 504, 603, 604, 605, 606}) EXPECT_FALSE(isGrey(id)) << id;

        EXPECT_EQ(stateOf(603), static_cast<UINT>(MFS_CHECKED));
        EXPECT_EQ(stateOf(604), 0u);
        EXPECT_EQ(stateOf(605), static_cast<UINT>(MFS_CHECKED));
        EXPECT_EQ(stateOf(606), 0u);
        for (int id : {500, 501, 502, 503, 504, 600, 601, 602})
            EXPECT_FALSE(GetMenuState(menuBar, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) << id;
    });
}

TEST(MenuBar, ItemsShowTheirOwnPictureCheckedOrNot) {
    runMainWindow([] {
        HMENU operations = GetSubMenu(menuBar, 0);
        expectPicture(operations, 0, 800);
        expectPicture(operations, 2, 803);
        expectPicture(operations, 4, 801);
        expectPicture(operations, 6, 802);
        expectPicture(operations, 8, 804);
        for (UINT separator : {1u, 3u, 5u, 7u}) expectNoPicture(operations, separator);

        HMENU edit = GetSubMenu(menuBar, 1);
        expectPicture(edit, 0, 812);
        expectPicture(edit, 2, 813);
        expectPicture(edit, 4, 814);
        for (UINT separator : {1u, 3u}) expectNoPicture(edit, separator);

        // Both buttons show the mouse, each from a picture of its own.
        HMENU mouse = GetSubMenu(menuBar, 2);
        expectPicture(mouse, 0, 809);
        expectPicture(mouse, 1, 809);
        EXPECT_NE(itemAt(mouse, 0).hbmpChecked, itemAt(mouse, 1).hbmpChecked);

        // The mode items show plain check marks, the menu bar no pictures.
        for (UINT menu : {0u, 1u})
            for (UINT position : {0u, 1u}) expectNoPicture(GetSubMenu(mouse, static_cast<int>(menu)), position);
        for (UINT position : {0u, 1u, 2u}) expectNoPicture(menuBar, position);
    });
}

TEST(MenuBar, PageCommandsComeOnTogetherWhilePegarWaitsForACopy) {
    runMainWindow([] {
        enablePageCommands();
        for (int id : {500, 503, 600, 602, 903, 904}) EXPECT_FALSE(isGrey(id)) << id;
        EXPECT_TRUE(isGrey(601));
        for (int id : {501, 502, 504}) EXPECT_FALSE(isGrey(id)) << id;

        // Any item greys and comes back by its id, in a nested menu too.
        enableMenuCommand(601, true);
        EXPECT_FALSE(isGrey(601));
        enableMenuCommand(604, false);
        EXPECT_TRUE(isGrey(604));
        enableMenuCommand(604, true);
        EXPECT_FALSE(isGrey(604));
    });
}

TEST(MouseModes, EachPairActsAsARadioGroupAndSetsItsMode) {
    runMainWindow([] {
        const auto expectLeft = [](int checked, int unchecked, int32_t mode) {
            EXPECT_EQ(stateOf(checked), static_cast<UINT>(MFS_CHECKED));
            EXPECT_EQ(stateOf(unchecked), 0u);
            EXPECT_EQ(leftButtonMode, mode);
        };
        const auto expectRight = [](int checked, int unchecked, int32_t mode) {
            EXPECT_EQ(stateOf(checked), static_cast<UINT>(MFS_CHECKED));
            EXPECT_EQ(stateOf(unchecked), 0u);
            EXPECT_EQ(rightButtonMode, mode);
        };

        choose(604);
        expectLeft(604, 603, 2);
        expectRight(605, 606, 1);  // the other pair stays as it was
        choose(604);
        expectLeft(604, 603, 2);
        choose(603);
        expectLeft(603, 604, 1);
        choose(603);
        expectLeft(603, 604, 1);

        choose(606);
        expectRight(606, 605, 2);
        expectLeft(603, 604, 1);
        choose(606);
        expectRight(606, 605, 2);
        choose(605);
        expectRight(605, 606, 1);
        choose(605);
        expectRight(605, 606, 1);
    });
}

TEST(MouseModes, AreChosenWhileBusyAndWhateverTheNotificationCode) {
    runMainWindow([] {
        BusyCleared cleared;
        busy = 1;
        // As an accelerator would send it, with a window in lParam.
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(604, 1), reinterpret_cast<LPARAM>(canvasWindow()));
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(606, 1), 0);
        EXPECT_EQ(leftButtonMode, 2);
        EXPECT_EQ(rightButtonMode, 2);
        EXPECT_EQ(stateOf(604), static_cast<UINT>(MFS_CHECKED));
        EXPECT_EQ(stateOf(606), static_cast<UINT>(MFS_CHECKED));
        EXPECT_EQ(busy, 1);
    });
}

TEST(MenuCommands, GuardedCommandsDoNothingWhileBusy) {
    runMainWindow([] {
        BusyCleared cleared;
        enablePageCommands();
        busy = 1;
        const Snapshot before = snapshot();
        for (int id : {503, 502, 500, 504, 903, 904}) {
            choose(id);
            // Had the command run, it would have cleared the flag behind it.
            EXPECT_EQ(busy, 1) << id;
        }
        expectUnchanged(before);
    });
}

TEST(MenuCommands, CanvasNotificationsAndUnknownIdsHaveNoEffect) {
    runMainWindow([] {
        const Snapshot before = snapshot();
        HWND canvas = canvasWindow();
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(canvasId, STN_CLICKED), reinterpret_cast<LPARAM>(canvas));
        SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(canvasId, STN_DBLCLK), reinterpret_cast<LPARAM>(canvas));
        for (int id : {0, IDOK, IDCANCEL, 499, 505, 599, 607, 800, 809}) choose(id);
        expectUnchanged(before);
        EXPECT_EQ(busy, 0);
    });
}
