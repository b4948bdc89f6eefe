// A cell's text and colours as a user sets them: the text dialog's text,
// face, size, styles, the four alignments and both colours; a colour captured
// from the page and put on another cell through a swatch; and the favourite
// colours defined, archived, read again and reset. What they did is read from
// the saved work file, the exported image and the screen.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace e2e {
namespace {

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF darkRed = RGB(128, 0, 0);
constexpr COLORREF sky = RGB(0, 128, 255);
constexpr COLORREF olive = RGB(128, 128, 0);

// Edits a cell: its text in a face, and its alignment button.
void writeCell(const Program& program, int column, int day, const std::wstring& text, const std::wstring& face,
               int alignment) {
    HWND dialog = openTextDialog(program, column, day);
    ASSERT_NE(dialog, nullptr) << program.describe();
    typeText(dialog, textDialog::text, text);
    pickItem(dialog, textDialog::fontList, findItem(dialog, textDialog::fontList, face));
    press(dialog, alignment);
    press(dialog, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(dialog));
}

// Right-clicks a cell's fill, where no text lies.
void rightClickFill(const Program& program, int column, int day) { program.clickCell(column, day, true, {240, 86}); }

class TextAndColours : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeNewPage(program, 1, 2025)); }
    std::vector<WorkRecord> saved(const std::wstring& name) {
        if (!startSaving(program, folder / name)) return {};
        return workRecords(waitForNewFile(folder / name));
    }
    BitmapFile exported(const std::wstring& name) {
        startExport(program, folder / name);
        return BitmapFile(waitForNewFile(folder / name));
    }
    Program program;
    ScratchFolder folder{L"texto"};
};

TEST_F(TextAndColours, TheTextDialogSetsTextFaceSizeStylesAlignmentsAndColours) {
    HWND dialog = openTextDialog(program, 1, 2);
    ASSERT_NE(dialog, nullptr) << program.describe();
    EXPECT_TRUE(isChecked(dialog, textDialog::alignLeft));
    EXPECT_EQ(itemText(dialog, textDialog::sizeList, selectedItem(dialog, textDialog::sizeList)), L"10");
    typeText(dialog, textDialog::text, L"Fiesta\r\nmayor");
    const int face = findItem(dialog, textDialog::fontList, L"Liberation Mono");
    ASSERT_GE(face, 0);
    pickItem(dialog, textDialog::fontList, face);
    pickItem(dialog, textDialog::sizeList, findItem(dialog, textDialog::sizeList, L"14"));
    for (int style : {textDialog::bold, textDialog::italic, textDialog::underline}) press(dialog, style);
    press(dialog, textDialog::alignCentre);
    ASSERT_TRUE(chooseThrough(program, dialog, textDialog::backChooser, yellow));
    ASSERT_TRUE(chooseThrough(program, dialog, textDialog::inkChooser, darkRed));
    EXPECT_EQ(colourShown(GetDlgItem(dialog, textDialog::backSwatch), 10, 10, yellow), yellow);
    EXPECT_EQ(colourShown(GetDlgItem(dialog, textDialog::preview), 270, 130, yellow), yellow)
        << "the preview's ground";
    press(dialog, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(dialog));

    // One text of two lines of different widths, the shorter at least four
    // fifths of the longer, in each alignment. Every letter of the face is as
    // wide as the others, and Wine stretches its blanks (it does not stretch
    // those of the Liberation faces, whose break character it reports as
    // "!").
    const std::wstring twoLines = L"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkk";
    const int alignments[] = {textDialog::alignLeft, textDialog::alignRight, textDialog::alignCentre,
                              textDialog::alignJustified};
    for (int i = 0; i < 4; ++i) writeCell(program, 2, i + 1, twoLines, L"DejaVu Sans Mono", alignments[i]);
    // A text longer than a cell holds is cut to its first 273 characters.
    writeCell(program, 1, 3, std::wstring(300, L'x'), L"DejaVu Sans", textDialog::alignLeft);

    const std::vector<WorkRecord> cells = saved(L"texto.ZANOR");
    const WorkRecord edited = cellOf(cells, 1, 2);
    EXPECT_EQ(edited.text, "Fiesta mayor") << "a line break becomes a blank";
    EXPECT_EQ(edited.face, "Liberation Mono");
    EXPECT_EQ(edited.size, 14);
    EXPECT_EQ((std::vector<int>{edited.bold, edited.italic, edited.underline, edited.strikeout, edited.leading}),
              (std::vector<int>{1, 1, 1, 0, 0}));
    EXPECT_EQ(edited.alignment, 133);
    EXPECT_EQ(edited.back, yellow);
    EXPECT_EQ(edited.ink, darkRed);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(cellOf(cells, 2, i + 1).alignment, 131 + i);
    EXPECT_EQ(cellOf(cells, 1, 3).text, std::string(273, 'x'));

    const BitmapFile page = exported(L"texto.bmp");
    ASSERT_EQ(page.problem(), "");
    const std::vector<std::string> problems =
        cellProblems(page, 1, 2, unselectedLook({black, black, RGB(255, 0, 0)}, false, yellow));
    EXPECT_TRUE(problems.empty()) << problems.front();
    const InkBox fiesta = textInk(page, 1, 2, darkRed);
    ASSERT_FALSE(fiesta.empty());
    const Box box = cellBox(1, 2);
    EXPECT_NEAR((fiesta.left + fiesta.right) / 2, box.left + 2 + 122, 4) << "centred";

    // Left: the first line starts at the box's left; right: both lines end
    // together near its right; centre: their middles meet; justified: the
    // shorter line is stretched to end with the longer, which left leaves.
    auto lines = [&](int day) {
        const InkBox all = textInk(page, 2, day, black);
        const int middle = (all.top + all.bottom) / 2;
        return std::pair{inkBetween(page, 2, day, black, all.top, middle),
                         inkBetween(page, 2, day, black, middle, all.bottom + 1)};
    };
    const int left = cellBox(2, 1).left;
    const auto [leftFirst, leftSecond] = lines(1);
    ASSERT_FALSE(leftFirst.empty() || leftSecond.empty());
    EXPECT_NEAR(leftFirst.left - left, 3, 2);
    EXPECT_GT(std::abs(leftFirst.right - leftSecond.right), 16) << "the lines are of different widths";
    const auto [rightFirst, rightSecond] = lines(2);
    EXPECT_NEAR(rightFirst.right, rightSecond.right, 2);
    EXPECT_NEAR(rightFirst.right - left, 243, 8);
    const auto [centreFirst, centreSecond] = lines(3);
    EXPECT_NEAR(centreFirst.left + centreFirst.right, centreSecond.left + centreSecond.right, 10);
    EXPECT_NEAR((centreFirst.left + centreFirst.right) / 2 - left, 2 + 122, 6);
    const auto [justifiedFirst, justifiedSecond] = lines(4);
    EXPECT_NEAR(justifiedFirst.right, justifiedSecond.right, 2);
    EXPECT_NEAR(justifiedFirst.left - left, 3, 2);
}

TEST_F(TextAndColours, ACapturedColourGoesOnAnotherCellThroughASwatch) {
    HWND dialog = openTextDialog(program, 1, 2);
    ASSERT_NE(dialog, nullptr) << program.describe();
    ASSERT_TRUE(chooseThrough(program, dialog, textDialog::backChooser, olive));
    press(dialog, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(dialog));

    program.command(commandCaptureColour);
    rightClickFill(program, 1, 2);
    HWND captured = program.waitFor(capturedCaption);
    ASSERT_NE(captured, nullptr) << program.describe();
    EXPECT_EQ(windowText(GetDlgItem(captured, captured::value)), L"&&H00008080");
    EXPECT_EQ(colourShown(GetDlgItem(captured, captured::swatch), 100, 40, olive), olive);
    press(captured, captured::accept);
    ASSERT_TRUE(program.waitUntilGone(captured));

    dialog = openTextDialog(program, 3, 7);
    ASSERT_NE(dialog, nullptr);
    mouseClick(GetDlgItem(dialog, textDialog::backSwatch), 10, 10);
    EXPECT_EQ(colourShown(GetDlgItem(dialog, textDialog::backSwatch), 10, 10, olive), olive);
    press(dialog, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(dialog));
    EXPECT_EQ(cellOf(saved(L"capturado.ZANOR"), 3, 7).back, olive);
}

// The favourites file's records: column and row to colour, and the bytes.
struct Palette {
    std::string bytes;
    std::map<std::pair<int, int>, COLORREF> colours;
};

Palette readPalette() {
    Palette palette{readBytes(Program::folder() + L"\\Mis Colores.log"), {}};
    for (std::size_t at = 0; at + 24 <= palette.bytes.size(); at += 24) {
        auto word = [&](std::size_t offset, int size) {
            std::uint32_t v = 0;
            for (int i = size - 1; i >= 0; --i)
                v = v << 8 | static_cast<unsigned char>(palette.bytes[at + offset + i]);
            return v;
        };
        palette.colours[{static_cast<int>(word(16, 2)), static_cast<int>(word(18, 2))}] = word(20, 4);
    }
    return palette;
}

// The middle of a palette swatch.
POINT swatchPoint(int column, int row) {
    return {column * favourites::slotSize + 15, row * favourites::slotSize + 15};
}

HWND openFavourites(const Program& program) {
    program.command(commandFavouriteColours);
    program.click(900, 500, true);
    return program.waitFor(favouritesCaption);
}

TEST_F(TextAndColours, FavouriteColoursAreDefinedArchivedReadAgainAndReset) {
    const std::wstring file = Program::folder() + L"\\Mis Colores.log";
    DeleteFileW(file.c_str());
    HWND dialog = openFavourites(program);
    ASSERT_NE(dialog, nullptr) << program.describe();
    EXPECT_FALSE(isEnabled(dialog, favourites::archive));
    HWND palette = GetDlgItem(dialog, favourites::palette);
    EXPECT_EQ(colourShown(palette, swatchPoint(2, 1).x, swatchPoint(2, 1).y, white), white);

    mouseClick(palette, swatchPoint(2, 1).x, swatchPoint(2, 1).y);
    HWND chooser = program.waitFor(isColourChooser);
    ASSERT_NE(chooser, nullptr);
    chooseColour(chooser, sky);
    ASSERT_TRUE(program.waitUntilGone(chooser));
    EXPECT_TRUE(waitUntil([&] { return isEnabled(dialog, favourites::archive); }));
    press(dialog, favourites::archive);
    const Message archived = program.answer(IDOK);
    EXPECT_EQ(archived.text, L"Mis Colores Favoritos han sido Archivados");
    EXPECT_EQ(archived.caption, messageCaption);
    const Palette palette1 = readPalette();
    ASSERT_EQ(palette1.bytes.size(), 3120u);
    EXPECT_EQ((palette1.colours.at({2, 1})), sky);
    EXPECT_EQ((palette1.colours.at({1, 0})), white);
    // The second record: column 1 of row 0, its rectangle on the 25-pixel grid.
    EXPECT_EQ(palette1.bytes.substr(24, 20), std::string("\x1A\0\0\0\x33\0\0\0\x01\0\0\0\x1A\0\0\0\x01\0\0\0", 20));
    EXPECT_FALSE(isEnabled(dialog, favourites::archive));
    press(dialog, favourites::leave);
    ASSERT_TRUE(program.waitUntilGone(dialog)) << "no question after Archivar";

    // Opened again, the palette comes from the file; a right click picks.
    dialog = openFavourites(program);
    ASSERT_NE(dialog, nullptr);
    palette = GetDlgItem(dialog, favourites::palette);
    EXPECT_EQ(colourShown(palette, swatchPoint(2, 1).x, swatchPoint(2, 1).y, sky), sky);
    mouseClick(palette, swatchPoint(2, 1).x, swatchPoint(2, 1).y, true);
    EXPECT_EQ(colourShown(GetDlgItem(dialog, favourites::selected), 5, 40, sky), sky);
    // A change left unsaved: Salir asks, and No keeps the file.
    mouseClick(palette, swatchPoint(0, 0).x, swatchPoint(0, 0).y);
    chooser = program.waitFor(isColourChooser);
    ASSERT_NE(chooser, nullptr);
    chooseColour(chooser, olive);
    ASSERT_TRUE(program.waitUntilGone(chooser));
    press(dialog, favourites::leave);
    const Message leaving = program.answer(IDNO);
    EXPECT_EQ(leaving.text, L"Desea guardar los cambios antes de Salir ?");
    EXPECT_EQ(leaving.buttons, (std::vector<int>{IDYES, IDNO}));
    ASSERT_TRUE(program.waitUntilGone(dialog));
    EXPECT_EQ(readPalette().bytes, palette1.bytes);

    // The picked colour goes on a cell's text through a swatch.
    HWND text = openTextDialog(program, 4, 9);
    ASSERT_NE(text, nullptr);
    typeText(text, textDialog::text, L"Favorito");
    mouseClick(GetDlgItem(text, textDialog::inkSwatch), 10, 10);
    EXPECT_EQ(colourShown(GetDlgItem(text, textDialog::inkSwatch), 10, 10, sky), sky);
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));
    EXPECT_EQ(cellOf(saved(L"favorito.ZANOR"), 4, 9).ink, sky);

    // Reseteo: No keeps everything; Yes removes the file, whitens the palette
    // and makes white the current colour.
    dialog = openFavourites(program);
    ASSERT_NE(dialog, nullptr);
    press(dialog, favourites::reset);
    EXPECT_EQ(program.answer(IDNO).text, L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos");
    EXPECT_TRUE(fileExists(file));
    press(dialog, favourites::reset);
    EXPECT_EQ(program.answer(IDYES).buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(waitUntil([&] { return !fileExists(file); }));
    palette = GetDlgItem(dialog, favourites::palette);
    EXPECT_EQ(colourShown(palette, swatchPoint(2, 1).x, swatchPoint(2, 1).y, white), white);
    press(dialog, favourites::leave);
    ASSERT_TRUE(program.waitUntilGone(dialog));
    text = openTextDialog(program, 4, 10);
    ASSERT_NE(text, nullptr);
    typeText(text, textDialog::text, L"Blanco");
    mouseClick(GetDlgItem(text, textDialog::inkSwatch), 10, 10);
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));
    EXPECT_EQ(cellOf(saved(L"blanco.ZANOR"), 4, 10).ink, white);
}

}  // namespace
}  // namespace e2e
