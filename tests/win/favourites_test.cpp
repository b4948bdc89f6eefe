// "Tus Colores Favoritos Cargalos y Guardalos", driven as a user would: the
// palette's mouse buttons, the colour chooser, "Archivar", "Salir" and
// "Reseteo", and the file "Mis Colores.log" beside the test program.
#include "support.h"

#include "editing/colourdialogs.h"
#include "editing/colours.h"
#include "editing/favourites.h"
#include "editing/favouritescodec.h"
#include "platform/files.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t dialogCaption[] = L"Tus Colores Favoritos Cargalos y Guardalos";
const wchar_t archivedText[] = L"Mis Colores Favoritos han sido Archivados";
const wchar_t saveQuestion[] = L"Desea guardar los cambios antes de Salir ?";
const wchar_t resetQuestion[] = L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";

constexpr int32_t white = 0x00FFFFFF;
constexpr int32_t black = 0x00000000;
constexpr int32_t red = 0x000000FF;
constexpr int32_t green = 0x0000FF00;

std::wstring filePath() { return besideTests(L"Mis Colores.log"); }

std::optional<std::string> readBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof buffer, &done, nullptr) && done > 0) bytes.append(buffer, done);
    CloseHandle(file);
    return bytes;
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
    ASSERT_EQ(done, bytes.size());
}

std::unique_ptr<FavouriteTable> defaultTable() {
    auto table = std::make_unique<FavouriteTable>();
    buildDefaultFavourites(*table);
    return table;
}

std::string record(int32_t left, int32_t right, int32_t top, int32_t bottom, int16_t column, int16_t row,
                   int32_t colour) {
    return encodeFavouriteSlot(FavouriteSlot{left, right, top, bottom, column, row, colour});
}

std::size_t recordAt(int column, int row) { return static_cast<std::size_t>(row * 13 + column) * 24; }

// The middle of a swatch, its left outline and a gap pixel right of it.
int centreX(int column) { return column * 25 + 15; }
int centreY(int row) { return row * 25 + 15; }

HWND palette(HWND dialog) { return GetDlgItem(dialog, favouritesPaletteId); }
HWND selected(HWND dialog) { return GetDlgItem(dialog, favouritesSelectedId); }
bool archiveEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, favouritesArchiveId)) != FALSE; }

void mouse(HWND dialog, UINT message, int x, int y) {
    SendMessageW(palette(dialog), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}
void leftClick(HWND dialog, int column, int row) { mouse(dialog, WM_LBUTTONDOWN, centreX(column), centreY(row)); }
void hover(HWND dialog, int column, int row) { mouse(dialog, WM_MOUSEMOVE, centreX(column), centreY(row)); }

int countPixels(HWND surface, int32_t colour) {
    RECT client{};
    GetClientRect(surface, &client);
    int n = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) n += surfacePixel(surface, x, y) == colour;
    return n;
}

bool isMessageBox(HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }
bool isChooser(HWND window) { return GetDlgItem(window, 706) && GetDlgItem(window, 708); }

// Drives one opening of the dialog: message boxes get the queued answers
// (IDNO once the queue is empty), choosers the queued colours (a cancel once
// it is empty); `during` runs on the open dialog, which is then closed with
// "Salir" unless `during` closed it.
struct FavouritesRun {
    std::deque<int> answers;
    std::deque<int32_t> colours;
    std::vector<std::wstring> messages;
    int choosers = 0;
    bool opened = false;

    void run(const std::function<void(HWND)>& during) {
        DialogDriver driver;
        driver.always(isMessageBox, [this](HWND box) {
            messages.push_back(windowText(GetDlgItem(box, 0xFFFF)));
            EXPECT_EQ(windowText(box), L"Programador");
            int answer = IDNO;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
            PostMessageW(box, WM_COMMAND, answer, 0);
        });
        driver.always(isChooser, [this](HWND chooser) {
            ++choosers;
            if (colours.empty()) {
                PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            const int32_t colour = colours.front();
            colours.pop_front();
            const int values[3] = {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
            for (int i = 0; i < 3; ++i) {
                SetDlgItemInt(chooser, 706 + i, static_cast<UINT>(values[i]), FALSE);
                SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE),
                             reinterpret_cast<LPARAM>(GetDlgItem(chooser, 706 + i)));
            }
            PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        });
        driver.expect(dialogCaption, [&](HWND dialog) {
            opened = true;
            during(dialog);
            if (IsWindow(dialog) && IsWindowVisible(dialog)) pressButton(dialog, favouritesExitId);
        });
        showFavouriteColoursDialog();
        EXPECT_TRUE(opened);
        EXPECT_EQ(driver.pending(), 0);
    }
};

class Favourites : public ::testing::Test {
protected:
    void SetUp() override {
        backup_ = readBytes(filePath());
        DeleteFileW(filePath().c_str());
        currentColour = 0;
        // The real pointer stays off the palette: its moves would highlight
        // a swatch of their own.
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        stopFailingWrites();
        SetFileAttributesW(filePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(filePath().c_str());
        if (backup_) writeBytes(filePath(), *backup_);
        currentColour = 0;
    }

private:
    std::optional<std::string> backup_;
};

TEST_F(Favourites, TheFileIsBesideTheProgram) { EXPECT_EQ(favouritesFilePath(), filePath()); }

TEST_F(Favourites, WithoutAFileTheDialogShows130WhiteSwatchesAndArchivarIsDisabled) {
    FavouritesRun run;
    run.run([](HWND dialog) {
        EXPECT_EQ(windowText(dialog), dialogCaption);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 350);
        EXPECT_EQ(client.bottom, 357);
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
        EXPECT_EQ(windowText(GetDlgItem(dialog, favouritesArchiveId)), L"Archivar");
        EXPECT_EQ(windowText(GetDlgItem(dialog, favouritesExitId)), L"Salir");
        EXPECT_EQ(windowText(GetDlgItem(dialog, favouritesResetId)), L"Reseteo");
        EXPECT_FALSE(archiveEnabled(dialog));
        int whiteSwatches = 0;
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 13; ++column) {
                whiteSwatches += surfacePixel(palette(dialog), centreX(column), centreY(row)) == white;
                EXPECT_EQ(surfacePixel(palette(dialog), column * 25 + 4, centreY(row)), black);
                EXPECT_EQ(surfacePixel(palette(dialog), centreX(column), row * 25 + 4), black);
                EXPECT_EQ(surfacePixel(palette(dialog), column * 25 + 28, centreY(row)), white);
            }
        }
        EXPECT_EQ(whiteSwatches, 130);
        // The caption in black on white.
        EXPECT_GT(countPixels(selected(dialog), black), 30);
        EXPECT_EQ(surfacePixel(selected(dialog), 3, 3), white);
    });
    EXPECT_TRUE(run.messages.empty());
    EXPECT_FALSE(pathExists(filePath()));
}

TEST_F(Favourites, ARedSwatchEnablesArchivarWhichWrites130Records) {
    FavouritesRun run;
    run.colours = {red};
    run.answers = {IDOK};
    run.run([&](HWND dialog) {
        leftClick(dialog, 2, 0);
        EXPECT_EQ(run.choosers, 1);
        EXPECT_TRUE(archiveEnabled(dialog));
        // Shown from the next mouse move over a swatch.
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(2), centreY(0)), white);
        hover(dialog, 5, 5);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(2), centreY(0)), red);
        pressButton(dialog, favouritesArchiveId);
        EXPECT_FALSE(archiveEnabled(dialog));
    });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], archivedText);
    const auto bytes = readBytes(filePath());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 3120u);
    EXPECT_EQ(bytes->substr(24, 24), record(26, 51, 1, 26, 1, 0, white));
    EXPECT_EQ(bytes->substr(48, 24), record(51, 76, 1, 26, 2, 0, red));
}

TEST_F(Favourites, ACancelledChooserChangesNothing) {
    FavouritesRun run;
    run.run([&](HWND dialog) {
        leftClick(dialog, 4, 4);
        EXPECT_EQ(run.choosers, 1);
        EXPECT_FALSE(archiveEnabled(dialog));
        // Outside the 13 x 10 swatches a left click opens nothing.
        mouse(dialog, WM_LBUTTONDOWN, 330, 10);
        mouse(dialog, WM_LBUTTONDOWN, 10, 255);
        EXPECT_EQ(run.choosers, 1);
    });
    EXPECT_TRUE(run.messages.empty());
}

TEST_F(Favourites, TheSwatchUnderTheMouseIsOutlinedInWhite) {
    FavouritesRun run;
    run.run([](HWND dialog) {
        hover(dialog, 1, 0);
        EXPECT_EQ(surfacePixel(palette(dialog), 29, centreY(0)), white);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(1), centreY(0)), white);
        EXPECT_EQ(surfacePixel(palette(dialog), 54, centreY(0)), black);
        hover(dialog, 2, 0);
        EXPECT_EQ(surfacePixel(palette(dialog), 29, centreY(0)), black);
        EXPECT_EQ(surfacePixel(palette(dialog), 54, centreY(0)), white);
        // Off the swatches the last highlight stays.
        mouse(dialog, WM_MOUSEMOVE, 330, 300);
        EXPECT_EQ(surfacePixel(palette(dialog), 54, centreY(0)), white);
    });
}

TEST_F(Favourites, RecordsInAnotherOrderLoadIntoTheirOwnSlots) {
    auto table = defaultTable();
    table->slots[3][4].colour = red;
    table->slots[11][2].colour = green;
    const std::string bytes = encodeFavourites(*table);
    std::string reversed;
    for (std::size_t at = bytes.size(); at > 0; at -= 24) reversed += bytes.substr(at - 24, 24);
    writeBytes(filePath(), reversed);
    FavouritesRun run;
    run.run([](HWND dialog) {
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(3), centreY(4)), red);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(11), centreY(2)), green);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(0), centreY(0)), white);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(12), centreY(9)), white);
        EXPECT_FALSE(archiveEnabled(dialog));
    });
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(readBytes(filePath()), reversed);
}

TEST_F(Favourites, A129RecordFileLeavesOneBlackSlotThatIsStillAddressable) {
    const std::string bytes = encodeFavourites(*defaultTable());
    const std::size_t missing = recordAt(6, 4);
    writeBytes(filePath(), bytes.substr(0, missing) + bytes.substr(missing + 24));
    FavouritesRun run;
    run.colours = {red};
    run.answers = {IDOK};
    run.run([&](HWND dialog) {
        // Drawn from its all-zero rectangle: a small black box in the corner,
        // and nothing in its grid place.
        EXPECT_EQ(surfacePixel(palette(dialog), 1, 1), black);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(6), centreY(4)), white);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(5), centreY(4)), white);
        leftClick(dialog, 6, 4);
        EXPECT_EQ(run.choosers, 1);
        EXPECT_TRUE(archiveEnabled(dialog));
        hover(dialog, 0, 9);
        EXPECT_EQ(surfacePixel(palette(dialog), 1, 1), red);
        pressButton(dialog, favouritesArchiveId);
    });
    const auto written = readBytes(filePath());
    ASSERT_TRUE(written);
    ASSERT_EQ(written->size(), 3120u);
    EXPECT_EQ(written->substr(missing, 24), record(0, 0, 0, 0, 6, 4, red));
    EXPECT_EQ(written->substr(0, 24), bytes.substr(0, 24));
    auto reread = std::make_unique<FavouriteTable>();
    decodeFavourites(*written, *reread);
    EXPECT_EQ(reread->slots[6][4].colour, red);
    EXPECT_EQ(reread->slots[0][0].colour, white);
}

TEST_F(Favourites, SalirAfterAChangeAnsweredYesRewritesTheFileSilently) {
    auto table = defaultTable();
    table->slots[0][0].colour = green;
    writeBytes(filePath(), encodeFavourites(*table));
    FavouritesRun run;
    run.colours = {red};
    run.answers = {IDYES};
    run.run([](HWND dialog) {
        leftClick(dialog, 7, 7);
        pressButton(dialog, favouritesExitId);
        EXPECT_FALSE(IsWindowVisible(dialog));  // ended: hidden until its loop returns
    });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], saveQuestion);
    table->slots[7][7].colour = red;
    EXPECT_EQ(readBytes(filePath()), encodeFavourites(*table));
}

TEST_F(Favourites, SalirWithoutAChangeAsksNothing) {
    FavouritesRun run;
    run.run([](HWND dialog) {
        pressButton(dialog, favouritesExitId);
        EXPECT_FALSE(IsWindowVisible(dialog));  // ended: hidden until its loop returns
    });
    EXPECT_TRUE(run.messages.empty());
    EXPECT_FALSE(pathExists(filePath()));
}

TEST_F(Favourites, TheCaptionIsCentred) {
    FavouritesRun run;
    run.run([](HWND dialog) {
        HWND surface = selected(dialog);
        RECT client{};
        GetClientRect(surface, &client);
        int left = client.right, right = -1, top = client.bottom;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                if (surfacePixel(surface, x, y) == white) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
        ASSERT_GE(right, left);
        EXPECT_GE(top, 12);
        EXPECT_LE(std::abs((left + right) - client.right), 6);
    });
}

TEST_F(Favourites, AFailedArchiveSaysSoAndLosesNothing) {
    auto table = defaultTable();
    table->slots[0][0].colour = green;
    const std::string old = encodeFavourites(*table);
    writeBytes(filePath(), old);
    FavouritesRun run;
    run.colours = {red};
    run.answers = {IDOK, IDNO};
    run.run([&](HWND dialog) {
        leftClick(dialog, 5, 5);
        failWritesAfter(100, ERROR_ACCESS_DENIED);
        pressButton(dialog, favouritesArchiveId);
        stopFailingWrites();
        EXPECT_TRUE(archiveEnabled(dialog));
        EXPECT_EQ(readBytes(filePath()), old);
        hover(dialog, 0, 0);
        EXPECT_EQ(surfacePixel(palette(dialog), centreX(5), centreY(5)), red);
        pressButton(dialog, favouritesExitId);
    });
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_EQ(run.messages[0], L"Err:  70 Permission denied");
    EXPECT_EQ(run.messages[1], saveQuestion);
    EXPECT_EQ(readBytes(filePath()), old);
}

TEST_F(Favourites, ArchivarReplacesAReadOnlyFile) {
    writeBytes(filePath(), encodeFavourites(*defaultTable()));
    SetFileAttributesW(filePath().c_str(), FILE_ATTRIBUTE_READONLY);
    FavouritesRun run;
    run.colours = {green};
    run.answers = {IDOK};
    run.run([](HWND dialog) {
        leftClick(dialog, 12, 9);
        pressButton(dialog, favouritesArchiveId);
        EXPECT_FALSE(archiveEnabled(dialog));
    });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], archivedText);
    const auto bytes = readBytes(filePath());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 3120u);
    EXPECT_EQ(bytes->substr(recordAt(12, 9), 24), record(301, 326, 226, 251, 12, 9, green));
}

}  // namespace
