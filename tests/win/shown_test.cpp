// What the user sees of the page and its menus, read as it is shown: the grey
// and check marks of every item after each kind of step (and that a greyed
// command does nothing, whichever road it comes by); the words of every
// caption and day number of a page against an independent day count, and one
// of those pages exported in colours of its own for a reader of bitmap files
// that is not ours; the selector's toggling, and every scroll key and the
// wheel at both limits.
#include "support.h"

#include "calendar/history.h"

#include <cstdio>

// The four menus, item by item, each ended by a 0.
constexpr int items[] = {501, 500, 502, 503, 504, 0, 600, 601, 602, 0, 603, 604, 605, 606, 0, 901, 902, 903, 904, 905, 906};

// The items as shown, menu by menu: "x" enabled, "v" checked, "-" greyed.
// Every greyed command is then given anyway, and must open nothing (`dialogs`
// counts what opens) and leave the page as it was.
static std::string menuStates(const int& dialogs) {
    std::string shown;
    std::vector<int> greyed;
    for (int id : items) {
        const UINT state = id ? GetMenuState(menuBar, static_cast<UINT>(id), MF_BYCOMMAND) : 0;
        if (id && state & MF_GRAYED) greyed.push_back(id);
        shown += !id ? ' ' : state == static_cast<UINT>(-1) ? '?' : state & MF_GRAYED ? '-' : state & MF_CHECKED ? 'v' : 'x';
    }
    const std::string before = encodeWorkFile();
    const int opened = dialogs;
    for (int id : greyed) menuCommand(id);
    EXPECT_TRUE(dialogs == opened && encodeWorkFile() == before) << "a greyed command opened a dialog or changed the page";
    return shown;
}

// A left click in the middle of a day of the page's first rows, shown from its top.
static void clickCell(int column, int day) { viewY = 0, refreshPage(), clickDay(column, day); }

TEST(Menu, EveryItemIsGreyedAndCheckedAsItsStepLeavesIt) {
    const ScratchFolder folder(L"menus");
    writeBytes(folder / L"corto.ZANOR", std::string(445, '\0'));
    writeBytes(folder / L"vacio.ZANOR", "");
    int dialogs = 0;
    std::wstring chosen;  // what the next file dialog is given
    bool accept = true;   // how the next "Nuevo za-nor" ends
    int month = 2;        // and the month it picks (March)
    DialogDriver driver;
    driver.on(captioned(L"Nuevo za-nor"), [&](HWND dialog) {
        ++dialogs, pickListItem(dialog, 1003, month), pickListItem(dialog, 1004, 24), pressButton(dialog, accept ? 1016 : 1015);
    });
    driver.on(isFileDialog, [&](HWND dialog) { ++dialogs, e2e::chooseFile(dialog, chosen); });
    driver.on(e2e::isMessageBox, [&](HWND box) { ++dialogs, PostMessageW(box, WM_COMMAND, IDOK, 0); });
    // Each step and the menus it leaves, by the rules: the page's commands
    // wait for a page (a cancelled first "Nuevo" makes none), "Pegar" for a
    // "Copiar" of a selected day, "Deshacer" and "Rehacer" for a step (the
    // first page of a run is the floor), the exports and fillings for months.
    const struct { const char* step; std::function<void()> act; const char* states; } steps[] = {
        {"start", [] {}, "x-x-x --- vxvx ------"},
        {"Nuevo cancelled without a page", [&] { accept = false, menuCommand(commandNew); }, "x-x-x --- vxvx ------"},
        {"Nuevo accepted", [&] { accept = true, menuCommand(commandNew); }, "xxxxx x-x vxvx --xxxx"},
        {"Copiar without a selection", [] { menuCommand(commandCopy); }, "xxxxx x-x vxvx --xxxx"},
        {"Copiar with a selection", [] { clickCell(1, 2), menuCommand(commandCopy); }, "xxxxx xxx vxvx --xxxx"},
        {"Nuevo cancelled with a page", [&] { accept = false, menuCommand(commandNew); }, "xxxxx xxx vxvx --xxxx"},
        {"Editar Texto, twice", [] { menuCommand(commandEditCell), menuCommand(commandEditCell); }, "xxxxx xxx xvvx --xxxx"},
        {"Colores Favoritos", [] { menuCommand(commandFavouriteColours); }, "xxxxx xxx xvxv --xxxx"},
        {"Selector and Captar", [] { menuCommand(commandSelector), menuCommand(commandCaptureColour); }, "xxxxx xxx vxvx --xxxx"},
        {"Abrir fichero refused", [&] { chosen = folder / L"corto.ZANOR", menuCommand(commandOpen); }, "xxxxx xxx vxvx --xxxx"},
        {"Grabar, Nuevo of June, Abrir fichero accepted", [&] {
             chosen = folder / L"marzo.ZANOR", menuCommand(commandSave);
             accept = true, month = 5, menuCommand(commandNew), menuCommand(commandOpen);
         }, "xxxxx xxx vxvx x-xxxx"},
        {"Deshacer to the first page", [] { for (int i = 0; i < 3; ++i) menuCommand(commandUndo); }, "xxxxx xxx vxvx -xxxxx"},
        {"Rehacer to the last step", [] { for (int i = 0; i < 3; ++i) menuCommand(commandRedo); }, "xxxxx xxx vxvx x-xxxx"},
    };
    runMainWindow([&] {
        for (const auto& step : steps) EXPECT_EQ((step.act(), menuStates(dialogs)), step.states) << step.step;
    });
    // Started on a work file, and on one of no records (no months: nothing
    // to export or fill, while "Fotocopia" and "Grabar" go as for any file).
    for (const auto& [file, states] : {std::pair{L"marzo", "xxxxx x-x vxvx --xxxx"}, {L"vacio", "xxxxx x-x vxvx ------"}}) {
        restoreSnapshot(DocumentSnapshot{}), pageHistory = History{};  // as a program that starts anew
        runMainWindow([&, states = states] { EXPECT_EQ(menuStates(dialogs), states); }, L"\"" + folder / file + L".ZANOR\"");
    }
}

TEST(Page, EveryCaptionAndNumberNamesItsDayAsAnIndependentDayCountDoes) {
    const wchar_t* const months[] = {L"Enero", L"Febrero", L"Marzo", L"Abril", L"Mayo", L"Junio", L"Julio", L"Agosto",
                                     L"Septiembre", L"Octubre", L"Noviembre", L"Diciembre"};
    const wchar_t* const weekdays[] = {L"Domingo", L"Lunes", L"Martes", L"Miercoles", L"Jueves", L"Viernes", L"Sabado"};
    // The page that starts in December 2087 is also exported with green lines,
    // blue weekdays and red Sundays where ZANOR_BITMAP_SAMPLE says, for
    // tests/oracles/check-bitmap.py to read with Python's PIL.
    const std::wstring sample = environmentValue(L"ZANOR_BITMAP_SAMPLE");
    if (sample.empty() && environmentValue(L"CI") == L"true") ADD_FAILURE() << "ZANOR_BITMAP_SAMPLE names no file";
    else if (sample.empty()) std::printf("ZANOR_BITMAP_SAMPLE names no file: the page for the bitmap reader is not exported\n");
    runMainWindow([&] {
        for (const auto& [month, year] : {std::pair{1, 2000}, {11, 2023}, {2, 2100}, {12, 2087}, {9, 1999}, {6, 2030}}) {
            resetAllCells(), firstMonth = static_cast<int16_t>(month), firstYear = static_cast<int16_t>(year);
            lineColour = RGB(0, 128, 0), weekdayDateColour = RGB(0, 0, 255), sundayDateColour = RGB(255, 0, 0), refreshPage();
            if (year == 2087 && !sample.empty()) exportPath = sample, exportBitmap();
            for (int column = 1; column <= 4; ++column) {
                const e2e::ColumnTruth m = e2e::columnTruth(month, year, column);  // the column's month, by the day count
                for (int day = 1; day <= 31; ++day) {
                    const std::wstring wanted = day > m.days ? L"" : std::to_wstring(day) + L"|" + months[m.month - 1] + L" " +
                                                    std::to_wstring(m.year) + L" " + weekdays[(m.firstWeekday + day - 1) % 7];
                    std::wstring drawn;
                    for (const std::wstring& line : cellLines(column, day)) drawn += (drawn.empty() ? L"" : L"|") + line;
                    EXPECT_EQ(drawn, wanted) << "column " << column << ", day " << day << " of " << month << "/" << year;
                }
            }
        }
    });
}

TEST(Canvas, TheSelectorTogglesAndEveryScrollStopsAtItsLimits) {
    runMainWindow([] {
        buildSamplePage(), enablePageCommands();
        // A selects; B then clears; B again selects; B again clears.
        for (const auto& [column, day, after] : {std::tuple{1, 2, "1 1,2 10"}, {3, 4, "0 0,0 00"}, {3, 4, "1 3,4 01"},
                                                 {3, 4, "0 0,0 00"}}) {
            clickCell(column, day);
            EXPECT_EQ(std::to_string(selectionCount) + " " + std::to_string(selectedColumn) + "," + std::to_string(selectedDay) +
                          " " + std::to_string(cellAt(1, 2).selected) + std::to_string(cellAt(3, 4).selected), after)
                << column << "," << day;
        }
        // From a scroll offset, a key (or a wheel turn: -1 toward the user,
        // 1 away, 0x8000 as the high word) and where it leaves the page.
        const struct { int from, key, to; } steps[] = {
            {0, VK_DOWN, -92},    {-2208, VK_DOWN, -2300}, {-2300, VK_DOWN, -2300}, {-2288, VK_DOWN, -2380},
            {0, VK_UP, 0},        {-50, VK_UP, 42},        {42, VK_UP, 42},         {-15, VK_UP, 77},
            {0, VK_NEXT, -100},   {-2200, VK_NEXT, -2300}, {-2300, VK_NEXT, -2300}, {0, VK_PRIOR, 0},
            {-50, VK_PRIOR, 50},  {-500, VK_END, -2288},   {-500, VK_HOME, 0},      {-500, VK_MULTIPLY, homeScrollY},
            {0, -1, -15},         {-2288, -1, -2303},      {-2300, -1, -2300},      {0, 1, 0},
            {-15, 1, 0},          {-5, 1, 10},             {-30, 0x8000, -15},      {-30, 0x8001, -45},
            {-30, VK_LEFT, -30},  {-30, 'A', -30},
        };
        for (const auto& step : steps) {
            viewY = step.from;
            const int wheel = step.key == 1 ? 120 : step.key == -1 ? 0xFF88 : step.key >= 0x8000 ? step.key : 0;
            if (wheel) SendMessageW(canvasWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, wheel), 0);
            else SendMessageW(canvasWindow(), WM_KEYDOWN, static_cast<WPARAM>(step.key), 0);
            EXPECT_EQ(viewY, step.to) << "key " << step.key << " from " << step.from;
        }
    });
}
