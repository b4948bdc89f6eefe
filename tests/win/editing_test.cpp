// The editing dialogs as the user works them, read back from what they leave:
// every control of "Propiedades Texto" against the bytes it writes into the
// day's record (the whole saved record is compared), with colours captured
// from the page through "Color Captado", black among them, and text typed or
// pasted in, which the day holds in Windows-1252 and up to 273 characters;
// and "Tus Colores Favoritos": a colour redefined, the question on leaving,
// "Archivar", "Reseteo" and a colour picked for the colour squares.
#include "support.h"

#include "editing/colours.h"

static void click(UINT button, int x, int y) { SendMessageW(canvasWindow(), button, 0, MAKELPARAM(x, y)); }
static void tick(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
static std::string recordOf(const DayCell& cell) {
    WorkFileRecord record{};
    return encodeWorkRecord(cell, documentPageFields(), record), std::string(record.bytes.begin(), record.bytes.end());
}

// Every colour chooser that opens gets `colour` and OK.
static void chooseColours(DialogDriver& driver, const COLORREF& colour) {
    driver.on([](HWND w) { return GetDlgItem(w, 706) && GetDlgItem(w, 708); }, [&colour](HWND chooser) {
        for (int i = 0; i < 3; ++i) {
            SetDlgItemInt(chooser, 706 + i, colour >> (8 * i) & 0xFF, FALSE);
            SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE), LPARAM(GetDlgItem(chooser, 706 + i)));
        }
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    });
}

TEST(TextDialog, EachControlWritesItsOwnFieldOfTheDayAndCancelarNothing) {
    runMainWindow([] {
        buildSamplePage();
        lineColour = 0, viewY = 0, refreshPage();  // black borders, to capture black from
        std::vector<std::wstring> shown, sizes;  // in "Color Captado"; in the list of sizes
        const COLORREF chosen = RGB(10, 200, 30);
        DialogDriver driver;
        chooseColours(driver, chosen);
        driver.on(captioned(L"Color Captado"), [&](HWND dialog) {
            shown.push_back(e2e::windowText(GetDlgItem(dialog, 21003)));
            pressButton(dialog, 21004);
        });
        const auto pick = [](HWND dialog, int list, const wchar_t* item) {
            pickListItem(dialog, list, int(SendDlgItemMessageW(dialog, list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item))));
        };
        // A record's fields: little-endian numbers, texts padded with zeros.
        const auto le = [](uint32_t value, int bytes) { return std::string(reinterpret_cast<const char*>(&value), bytes); };
        const auto text = [](std::string bytes, size_t size) { return bytes.resize(size, '\0'), bytes; };
        const std::string yes = le(1, 4), no = le(0, 4);
        // On "Día de la Constitución" (red text on pink, Arial 14 bold,
        // centred): a control, how it is worked, and where the day's record
        // then changes and to what. 'c' clicks it (a check box, a radio
        // button, a "..." button), 'l' picks an item of its list, 's' clicks
        // a colour square after a colour is captured at a point of the canvas
        // (a square is no button: it takes its click as a command), 'p' puts
        // a text in at once as a paste would, 't' types it key by key.
        // Captured: "Año Nuevo"'s fill below its words (at 491, 88), then a
        // black border. The n with tilde and the euro sign are in
        // Windows-1252; a with macron, infinity and a character beyond 16 bits
        // are not; Ctrl+Enter types a line feed. Last, everything changed and
        // "Cancelar".
        const struct { int id; char how; std::wstring item; std::size_t at; std::string bytes; int x = 0, y = 0; } rows[] = {
            {10100, 'l', L"Liberation Mono", recordFontName, text("Liberation Mono", 100)},
            {10100, 'l', L"DejaVu Serif", recordFontName, text("DejaVu Serif", 100)},
            {10120, 'l', L"09", recordFontSize, le(9, 2)}, {10130, 'c', {}, recordBold, no}, {10140, 'c', {}, recordItalic, yes},
            {10150, 'c', {}, recordUnderline, yes}, {10160, 'c', {}, recordStrikeout, yes}, {10180, 'c', {}, recordLeading, yes},
            {10330, 'c', {}, recordAlignment, le(alignLeft, 2)}, {10340, 'c', {}, recordAlignment, le(alignRight, 2)},
            {10360, 'c', {}, recordAlignment, le(alignJustified, 2)}, {10350, 'c', {}, recordAlignment, le(alignCentre, 2)},
            {10220, 'c', {}, recordBackColour, le(chosen, 4)}, {10240, 'c', {}, recordFontColour, le(chosen, 4)},
            {10230, 's', {}, recordBackColour, le(RGB(250, 214, 214), 4), 491, 88}, {10260, 's', {}, recordFontColour, no, 3, 50},
            {10310, 'p', L"A\u00F1o \u20AC5 \u0101\u221E \U0001F600.", recordText, text("A\xF1o \x80" "5 ?? ?.", 274)},
            {10310, 'p', L"uno\r\ndos\rtres\ncuatro", recordText, text("uno dos tres cuatro", 274)},
            {10310, 't', std::wstring(300, L'.'), recordText, text(std::string(273, '.'), 274)},
            {10310, 'p', std::wstring(272, L'x') + L"\u0101\u20AC", recordText, text(std::string(272, 'x') + "?", 274)},
            {10310, 't', L"a\nb", recordText, text("a b", 274)}, {10270, 'c', {}, 0, ""}};
        menuCommand(commandEditCell);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.id);
            if (row.how == 's') menuCommand(commandCaptureColour), click(WM_RBUTTONDOWN, row.x, row.y);
            const std::string wanted = recordOf(cellAt(1, 6)).replace(row.at, row.bytes.size(), row.bytes);
            DialogDriver editing;
            editing.on(captioned(L"Propiedades Texto"), [&](HWND d) {
                sizes.clear();
                for (int i = 0; i < SendDlgItemMessageW(d, 10120, CB_GETCOUNT, 0, 0); ++i) {
                    wchar_t item[8] = {};
                    SendDlgItemMessageW(d, 10120, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                    sizes.push_back(item);
                }
                if (row.id == 10270) {
                    for (int id : {10130, 10140, 10340, 10220}) tick(d, id);
                    pick(d, 10100, L"Liberation Sans");
                    SetDlgItemTextW(d, 10310, L"otra cosa");
                }
                if (row.how == 'p' || row.how == 't') SetDlgItemTextW(d, row.id, row.how == 'p' ? row.item.c_str() : L"");
                for (wchar_t key : row.how == 't' ? row.item : L"") SendDlgItemMessageW(d, row.id, WM_CHAR, key, 1);
                row.how == 'l' ? pick(d, row.id, row.item.c_str()) : row.how == 'c' ? tick(d, row.id)
                    : row.how == 's' ? pressButton(d, row.id) : void();
                if (row.id != 10270) tick(d, 10280);
            });
            clickDay(1, 6);
            EXPECT_EQ(recordOf(cellAt(1, 6)), wanted);
        }
        std::vector<std::wstring> listed;
        for (int size = 6; size <= 70; ++size) listed.push_back((size < 10 ? L"0" : L"") + std::to_wstring(size));
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
        DialogDriver driver;
        chooseColours(driver, chosen);
        MessageBoxAnswerer boxes(IDOK);
        // One opening of the dialog: the answers to its questions, and what is done in it before "Salir".
        const auto open = [&](std::vector<int> replies, const std::function<void(HWND)>& act) {
            boxes.next = std::move(replies), boxes.texts.clear();
            DialogDriver opening;
            opening.on(captioned(L"Tus Colores Favoritos Cargalos y Guardalos"),
                       [&](HWND d) { act(d), pressButton(d, favouritesExitId); });
            menuCommand(commandFavouriteColours), click(WM_RBUTTONDOWN, 500, 300);
        };
        const auto archiveEnabled = [](HWND d) { return IsWindowEnabled(GetDlgItem(d, favouritesArchiveId)) != 0; };
        const auto redefine = [&](HWND dialog, int column, int row) {
            SendDlgItemMessageW(dialog, favouritesPaletteId, WM_LBUTTONDOWN, MK_LBUTTON, at(column, row));
            SendDlgItemMessageW(dialog, favouritesPaletteId, WM_MOUSEMOVE, 0, at(0, 0));  // the palette is drawn anew
        };
        const std::vector<std::wstring> leave{L"Desea guardar los cambios antes de Salir ?"};
        // Redefined, then left without saving: the file is not written.
        open({IDNO}, [&](HWND d) {
            EXPECT_FALSE(archiveEnabled(d));
            redefine(d, 2, 1);
            EXPECT_TRUE(swatch(d, 2, 1) == 0x0000C8 && archiveEnabled(d));
        });
        EXPECT_EQ(boxes.texts, leave);
        EXPECT_FALSE(pathExists(favouritesFilePath()));
        // Again, saved on leaving: no other message, and the file has it.
        open({IDYES}, [&](HWND d) {
            EXPECT_EQ(swatch(d, 2, 1), 0xFFFFFF) << "a change left unsaved came back";
            redefine(d, 2, 1);
        });
        EXPECT_EQ(boxes.texts, leave);
        const std::string file = readBytes(favouritesFilePath());
        ASSERT_EQ(file.size(), 3120u);
        EXPECT_EQ(file.substr(15 * 24 + 20, 4), std::string("\xC8\0\0\0", 4)) << "row 1, column 2 is the 16th record";
        // Picked with the right button: the current colour and its square; a
        // change archived; leaving then asks nothing.
        chosen = RGB(0, 0, 0);
        open({}, [&](HWND d) {
            EXPECT_EQ(swatch(d, 2, 1), 0x0000C8);
            SendDlgItemMessageW(d, favouritesPaletteId, WM_RBUTTONDOWN, MK_RBUTTON, at(2, 1));
            EXPECT_TRUE(currentColour == 0x0000C8 && surfacePixel(GetDlgItem(d, favouritesSelectedId), 3, 3) == 0x0000C8);
            redefine(d, 5, 5);
            pressButton(d, favouritesArchiveId);
            EXPECT_FALSE(archiveEnabled(d));
            // A black swatch picked: its square is black, its caption white.
            SendDlgItemMessageW(d, favouritesPaletteId, WM_RBUTTONDOWN, MK_RBUTTON, at(5, 5));
            std::set<int32_t> inks;
            for (int y = 12; y < 30; ++y)
                for (int x = 0; x < 336; ++x) inks.insert(surfacePixel(GetDlgItem(d, favouritesSelectedId), x, y));
            EXPECT_TRUE(currentColour == 0 && inks.count(0xFFFFFF)) << "no white caption on the black square";
        });
        EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"Mis Colores Favoritos han sido Archivados"});
        EXPECT_EQ(readBytes(favouritesFilePath()).substr(70 * 24 + 20, 4), std::string(4, '\0'));
        // "Reseteo": No keeps everything; Yes removes the file, whitens the
        // palette and makes the current colour white.
        open({IDNO, IDYES}, [&](HWND d) {
            pressButton(d, favouritesResetId);
            EXPECT_TRUE(pathExists(favouritesFilePath()) && swatch(d, 2, 1) == 0x0000C8);
            pressButton(d, favouritesResetId);
            EXPECT_TRUE(!pathExists(favouritesFilePath()) && swatch(d, 2, 1) == 0xFFFFFF && currentColour == 0xFFFFFF);
        });
        const std::wstring reset = L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";
        EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{reset, reset}));
    });
}
