// The editing dialogs as the user works them, read back from what they leave:
// every control of "Propiedades Texto" against the field it writes into the
// day (the whole saved record is compared), with colours captured from the
// page through "Color Captado", black among them; and "Tus Colores
// Favoritos": a colour redefined, the question on leaving, "Archivar",
// "Reseteo" and a colour picked for the colour squares.
#include "support.h"

#include "editing/colours.h"
#include "files/workfilecodec.h"
#include "platform/surface.h"

#include <set>

namespace {

void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }
void click(UINT button, int x, int y) { SendMessageW(canvasWindow(), button, 0, MAKELPARAM(x, y)); }
void tick(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
std::string recordOf(const DayCell& cell) {
    WorkFileRecord record{};
    encodeWorkRecord(cell, documentPageFields(), record);
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// Every colour chooser that opens gets `colour` and OK.
void chooseColours(DialogDriver& driver, const COLORREF& colour) {
    driver.on([](HWND w) { return GetDlgItem(w, 706) && GetDlgItem(w, 708); }, [&colour](HWND chooser) {
        for (int i = 0; i < 3; ++i) {
            SetDlgItemInt(chooser, 706 + i, colour >> (8 * i) & 0xFF, FALSE);
            SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(chooser, 706 + i)));
        }
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    });
}

}  // namespace

TEST(TextDialog, EachControlWritesItsOwnFieldOfTheDayAndCancelarNothing) {
    runMainWindow([] {
        buildSamplePage();
        lineColour = 0;  // black borders, to capture black from
        viewY = 0;
        refreshPage();
        // The captured colour: "Año Nuevo"'s fill below its words, then a black border.
        std::vector<std::wstring> shown;
        COLORREF chosen = RGB(10, 200, 30);
        DialogDriver driver;
        chooseColours(driver, chosen);
        const auto capture = [&](int x, int y) {
            DialogDriver capturing;
            capturing.on(captioned(L"Color Captado"), [&](HWND dialog) {
                shown.push_back(windowText(GetDlgItem(dialog, 21003)));
                pressButton(dialog, 21004);
            });
            command(commandCaptureColour);
            click(WM_RBUTTONDOWN, x, y);
        };
        const auto pick = [](HWND dialog, int list, const std::wstring& item) {
            SendDlgItemMessageW(dialog, list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
        };
        std::wstring sizes;
        // On "Día de la Constitución" (red text on pink, Arial 14 bold,
        // centred): what is done in the dialog, and what then changes in the day.
        const struct { const char* what; std::function<void(HWND)> act; std::function<void(DayCell&)> change; } rows[] = {
            {"a face", [&](HWND d) { pick(d, 10100, L"Liberation Mono"); }, [](DayCell& c) { assignField(c.fontName, "Liberation Mono"); }},
            {"another face", [&](HWND d) { pick(d, 10100, L"DejaVu Serif"); }, [](DayCell& c) { assignField(c.fontName, "DejaVu Serif"); }},
            {"a size", [&](HWND d) {
                 for (int i = 0; i < SendDlgItemMessageW(d, 10120, CB_GETCOUNT, 0, 0); ++i) {
                     wchar_t item[8] = {};
                     SendDlgItemMessageW(d, 10120, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                     sizes += item + std::wstring(L" ");
                 }
                 pick(d, 10120, L"09");
             }, [](DayCell& c) { c.fontSize = 9; }},
            {"Negrita off", [](HWND d) { tick(d, 10130); }, [](DayCell& c) { c.bold = 0; }},
            {"Itálico", [](HWND d) { tick(d, 10140); }, [](DayCell& c) { c.italic = 1; }},
            {"Subrayado", [](HWND d) { tick(d, 10150); }, [](DayCell& c) { c.underline = 1; }},
            {"Tachado", [](HWND d) { tick(d, 10160); }, [](DayCell& c) { c.strikeout = 1; }},
            {"Leading", [](HWND d) { tick(d, 10180); }, [](DayCell& c) { c.leading = 1; }},
            {"left", [](HWND d) { tick(d, 10330); }, [](DayCell& c) { c.alignment = alignLeft; }},
            {"right", [](HWND d) { tick(d, 10340); }, [](DayCell& c) { c.alignment = alignRight; }},
            {"justified", [](HWND d) { tick(d, 10360); }, [](DayCell& c) { c.alignment = alignJustified; }},
            {"centre", [](HWND d) { tick(d, 10350); }, [](DayCell& c) { c.alignment = alignCentre; }},
            {"the fill chosen", [](HWND d) { pressButton(d, 10220); }, [&](DayCell& c) { c.backColour = chosen; }},
            {"the ink chosen", [](HWND d) { pressButton(d, 10240); }, [&](DayCell& c) { c.fontColour = chosen; }},
            {"the fill captured", [&](HWND d) { pressButton(d, 10230); }, [](DayCell& c) { c.backColour = RGB(250, 214, 214); }},
            {"the ink captured black", [&](HWND d) { pressButton(d, 10260); }, [](DayCell& c) { c.fontColour = 0; }},
            {"all of them, then Cancelar", [&](HWND d) {
                 for (int id : {10130, 10140, 10340}) tick(d, id);
                 pick(d, 10100, L"Liberation Sans");
                 pressButton(d, 10220);
                 SetDlgItemTextW(d, 10310, L"otra cosa");
             }, [](DayCell&) {}},
        };
        command(commandEditCell);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.what);
            if (std::string(row.what) == "the fill captured") capture(251 + 240, 88);
            if (std::string(row.what) == "the ink captured black") capture(3, 50);
            command(commandEditCell);
            DayCell wanted = cellAt(1, 6);
            row.change(wanted);
            DialogDriver editing;
            editing.on(captioned(L"Propiedades Texto"), [&](HWND dialog) {
                row.act(dialog);
                pressButton(dialog, std::string(row.what).find("Cancelar") != std::string::npos ? 10270 : 10280);
            });
            const CellBox box = cellBox(1, 6);
            click(WM_LBUTTONDOWN, box.x + 123, box.y + 45);
            EXPECT_EQ(recordOf(cellAt(1, 6)), recordOf(wanted));
        }
        std::wstring listed;
        for (int size = 6; size <= 70; ++size) listed += (size < 10 ? L"0" : L"") + std::to_wstring(size) + L" ";
        EXPECT_EQ(sizes, listed);
        EXPECT_EQ(shown, (std::vector<std::wstring>{L"&&H00D6D6FA", L"&&H00000000"}));
    });
}

TEST(Favourites, RedefinedLeftArchivedResetAndPickedAsTheUserSeesThem) {
    const KeptFile kept(favouritesFilePath());
    DeleteFileW(favouritesFilePath().c_str());
    runMainWindow([] {
        // A swatch's middle on the palette (column, row), and what it shows.
        const auto at = [](int column, int row) { return MAKELPARAM(column * 25 + 15, row * 25 + 15); };
        const auto swatch = [](HWND dialog, int column, int row) {
            return surfacePixel(GetDlgItem(dialog, favouritesPaletteId), column * 25 + 15, row * 25 + 15);
        };
        COLORREF chosen = RGB(200, 0, 0);
        std::vector<int> answers;  // Yes or No for the next questions, in turn
        std::vector<std::wstring> asked;
        DialogDriver driver;
        chooseColours(driver, chosen);
        driver.on(e2e::isMessageBox, [&](HWND box) {
            asked.push_back(windowText(GetDlgItem(box, 0xFFFF)));
            PostMessageW(box, WM_COMMAND, answers.empty() ? IDOK : answers.front(), 0);
            if (!answers.empty()) answers.erase(answers.begin());
        });
        // One opening of the dialog: what is done in it, and the question's answers.
        const auto open = [&](std::vector<int> replies, const std::function<void(HWND)>& act) {
            answers = std::move(replies);
            asked.clear();
            DialogDriver opening;
            opening.on(captioned(L"Tus Colores Favoritos Cargalos y Guardalos"), act);
            command(commandFavouriteColours);
            click(WM_RBUTTONDOWN, 500, 300);
        };
        const auto archiveEnabled = [](HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, favouritesArchiveId)) != 0; };
        const auto redefine = [&](HWND dialog, int column, int row) {
            SendDlgItemMessageW(dialog, favouritesPaletteId, WM_LBUTTONDOWN, MK_LBUTTON, at(column, row));
            SendDlgItemMessageW(dialog, favouritesPaletteId, WM_MOUSEMOVE, 0, at(0, 0));  // the palette is drawn anew
        };
        const std::wstring leave = L"Desea guardar los cambios antes de Salir ?";
        // Redefined, then left without saving: the file is not written.
        open({IDNO}, [&](HWND d) {
            EXPECT_FALSE(archiveEnabled(d));
            redefine(d, 2, 1);
            EXPECT_EQ(swatch(d, 2, 1), 0x0000C8);
            EXPECT_TRUE(archiveEnabled(d));
            pressButton(d, favouritesExitId);
        });
        EXPECT_EQ(asked, std::vector<std::wstring>{leave});
        EXPECT_FALSE(pathExists(favouritesFilePath()));
        // Again, saved on leaving: no other message, and the file has it.
        open({IDYES}, [&](HWND d) {
            EXPECT_EQ(swatch(d, 2, 1), 0xFFFFFF) << "a change left unsaved came back";
            redefine(d, 2, 1);
            pressButton(d, favouritesExitId);
        });
        EXPECT_EQ(asked, std::vector<std::wstring>{leave});
        const std::string file = readBytes(favouritesFilePath());
        ASSERT_EQ(file.size(), 3120u);
        EXPECT_EQ(file.substr(15 * 24 + 20, 4), std::string("\xC8\0\0\0", 4)) << "row 1, column 2 is the 16th record";
        // Picked with the right button: the current colour and its square; a
        // change archived; leaving then asks nothing.
        chosen = RGB(0, 0, 0);
        open({}, [&](HWND d) {
            EXPECT_EQ(swatch(d, 2, 1), 0x0000C8);
            SendDlgItemMessageW(d, favouritesPaletteId, WM_RBUTTONDOWN, MK_RBUTTON, at(2, 1));
            EXPECT_EQ(currentColour, 0x0000C8);
            EXPECT_EQ(surfacePixel(GetDlgItem(d, favouritesSelectedId), 3, 3), 0x0000C8);
            redefine(d, 5, 5);
            pressButton(d, favouritesArchiveId);
            EXPECT_FALSE(archiveEnabled(d));
            // A black swatch picked: its square is black, its caption white.
            SendDlgItemMessageW(d, favouritesPaletteId, WM_RBUTTONDOWN, MK_RBUTTON, at(5, 5));
            const HWND square = GetDlgItem(d, favouritesSelectedId);
            std::set<int32_t> inks;
            for (int y = 12; y < 30; ++y)
                for (int x = 0; x < 336; ++x) inks.insert(surfacePixel(square, x, y));
            EXPECT_TRUE(currentColour == 0 && inks.count(0xFFFFFF)) << "no white caption on the black square";
            pressButton(d, favouritesExitId);
        });
        EXPECT_EQ(asked, std::vector<std::wstring>{L"Mis Colores Favoritos han sido Archivados"});
        EXPECT_EQ(readBytes(favouritesFilePath()).substr(70 * 24 + 20, 4), std::string(4, '\0'));
        // "Reseteo": No keeps everything; Yes removes the file, whitens the
        // palette and makes the current colour white.
        const std::wstring reset = L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";
        open({IDNO, IDYES}, [&](HWND d) {
            pressButton(d, favouritesResetId);
            EXPECT_TRUE(pathExists(favouritesFilePath()) && swatch(d, 2, 1) == 0x0000C8);
            pressButton(d, favouritesResetId);
            EXPECT_FALSE(pathExists(favouritesFilePath()));
            EXPECT_EQ(swatch(d, 2, 1), 0xFFFFFF);
            EXPECT_EQ(currentColour, 0xFFFFFF);
            pressButton(d, favouritesExitId);
        });
        EXPECT_EQ(asked, (std::vector<std::wstring>{reset, reset}));
    });
}
