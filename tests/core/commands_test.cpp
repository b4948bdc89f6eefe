// What the commands do that needs no window: the cells after a new page,
// "Borrar", "Pegar" and putting a page back, the text dialog's state on its
// way in and out of a cell, the row that the canvas starts at, the work file
// named on the command line, and the texts of the ".ZANOR" association.
#include "app/commandline.h"
#include "app/registrytext.h"
#include "calendar/document.h"
#include "editing/textstate.h"
#include "files/workfilecodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

// A cell with every byte its own (strings included, to their limits).
DayCell scribbled(int seed) {
    DayCell cell;
    std::memset(static_cast<void*>(&cell), seed, sizeof cell);
    cell.fontName[fontNameCapacity - 1] = cell.text[cellTextCapacity - 1] = '\0';
    return cell;
}

// A cell as the work file holds it, in two parts: its place and reserved
// words, then exactly the eleven attributes that the commands change.
std::string attributes(const DayCell& cell) {
    WorkFileRecord record;
    encodeWorkRecord(cell, PageFields{}, record);
    return std::string(record.bytes.begin() + recordBackColour, record.bytes.begin() + recordLineColour);
}
// All else: the place and reserved words, the selection mark, the cell's copies of the page fields.
std::string allElse(DayCell cell) {
    constexpr std::size_t from = offsetof(DayCell, backColour), to = offsetof(DayCell, pageLineColour);
    std::memset(reinterpret_cast<char*>(&cell) + from, 0, to - from);
    return std::string(reinterpret_cast<const char*>(&cell), sizeof cell);
}
// The attributes of one cell with all else of another.
std::string mixed(const DayCell& of, const DayCell& elseOf) { return attributes(of) + allElse(elseOf); }

TEST(Commands, ChangeTheElevenAttributesOnlyAndASnapshotPutsEverythingBack) {
    const DocumentSnapshot start = takeSnapshot();
    DayCell fresh{};
    fresh.backColour = 0xFFFFFF, fresh.fontSize = 10, fresh.alignment = alignLeft;
    assignField(fresh.fontName, "Times New Roman");

    createCellTable();
    for (int i = 0; i < pageColumns * pageDays; ++i) cellAt(1 + i % 4, 1 + i / 4) = scribbled(i + 1);
    const DocumentSnapshot scribbledPage = takeSnapshot();
    resetAllCells();
    for (int day = 1; day <= pageDays; ++day)
        for (int column = 1; column <= pageColumns; ++column)
            EXPECT_EQ(mixed(cellAt(column, day), cellAt(column, day)), mixed(fresh, {})) << column << "," << day;
    EXPECT_FALSE(documentMatches(scribbledPage));
    firstMonth = firstYear = selectionCount = 9, lineColour = weekdayDateColour = sundayDateColour = 9;
    restoreSnapshot(scribbledPage);
    EXPECT_TRUE(documentMatches(scribbledPage));

    const DayCell source = cellAt(3, 12), before = cellAt(1, 1);
    copyCellAttributes(3, 12, 1, 1);
    EXPECT_EQ(mixed(cellAt(1, 1), cellAt(1, 1)), mixed(source, before));
    EXPECT_EQ(mixed(cellAt(3, 12), cellAt(3, 12)), mixed(source, source));
    resetCell(1, 1);
    EXPECT_EQ(mixed(cellAt(1, 1), cellAt(1, 1)), mixed(fresh, before));
    restoreSnapshot(start);
}

TEST(Commands, ATextGoesThroughTheDialogsStateUnchangedAndCutToItsLimits) {
    DayCell cell = scribbled(5), target = scribbled(6);
    const DayCell before = target;
    cell.alignment = alignCentre;
    loadTextStateFromCell(cell);
    storeTextStateInCell(target);
    EXPECT_EQ(mixed(target, target), mixed(cell, before));
    // An alignment outside 131..134 leaves the one the last cell brought.
    cell.alignment = 0;
    loadTextStateFromCell(cell);
    storeTextStateInCell(target);
    EXPECT_EQ(target.alignment, alignCentre);

    committedAttributes.fontName = std::string(120, 'f');
    assignField(textBuffer, std::string(400, 't'));
    storeTextStateInCell(target);
    EXPECT_EQ(std::string(target.fontName) + std::string(target.text), std::string(99, 'f') + std::string(273, 't'));
    resetTextDialogDefaults();
}

TEST(Commands, FontStylesAndTheCanvasStartingRow) {
    // A flag counts when it is exactly 1.
    EXPECT_EQ(fontStyleWord(1, 2, 1, 7, 1), styleBold | styleUnderline | styleLeading);
    EXPECT_EQ(fontStyleWord(-1, 1, 0x10001, 1, 3), styleItalic | styleStrikeout);
    // Today's row at the top, up to the 26th, whose view still ends at the 31st.
    for (const auto& [day, y] : {std::pair{1, 0}, {2, -92}, {25, -2208}, {26, -2300}, {27, -2300}, {31, -2300}})
        EXPECT_EQ(homeScrollYFor(day), y) << "day " << day;
}

TEST(Commands, TheCommandTailAndThePathItNames) {
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'n') + L".ZANOR";
    const struct { std::wstring line, tail, path; } cases[] = {
        {L"\"C:\\a b\\zanor.exe\" \"C:\\a b\\E 25.ZANOR\"", L"\"C:\\a b\\E 25.ZANOR\"", L"C:\\a b\\E 25.ZANOR"},
        // An association made by hand may give %1 without quotes.
        {L"\"C:\\a b\\zanor.exe\" C:\\Mis cosas\\E.ZANOR", L"C:\\Mis cosas\\E.ZANOR", L"C:\\Mis cosas\\E.ZANOR"},
        {L"zanor.exe\tcasa.ZANOR", L"casa.ZANOR", L"casa.ZANOR"}, {L"", L"", L""},
        {L"\"C:\\a b\\zanor.exe\"  \t  a   b.ZANOR", L"a   b.ZANOR", L"a   b.ZANOR"},
        {L"\"C:\\a b\\zanor.exe\"   ", L"", L""}, {L"zanor.exe \t ", L"", L""},
        {L"\"C:\\Zanor\\zanor.exe casa.ZANOR", L"", L""},  // no closing quote: all of it is the program
        {L"zanor.exe casa.ZANOR   ", L"casa.ZANOR   ", L"casa.ZANOR   "},
        {L"\"zanor.exe\" \"casa .ZANOR\"  ", L"\"casa .ZANOR\"  ", L"casa .ZANOR  "},
        {L"zanor.exe \"C:\\x\"\"y.ZANOR\"", L"\"C:\\x\"\"y.ZANOR\"", L"C:\\xy.ZANOR"},
        {L"C:\\Zanor\\zanor.exe D:\\A\u00F1o nuevo.ZANOR", L"D:\\A\u00F1o nuevo.ZANOR", L"D:\\A\u00F1o nuevo.ZANOR"},
        {L"\"zanor.exe\" \"" + longPath + L"\"", L"\"" + longPath + L"\"", longPath},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandTail(c.line), c.tail) << c.line;
        EXPECT_EQ(pathFromTail(c.tail), c.path) << c.tail;
    }
}

TEST(Commands, TheAssociationsKeysAndValues) {
    const std::pair<std::wstring, std::wstring> texts[] = {
        {fileTypeName(L"ZANOR"), L"ZANOR-files"}, {extensionKeyPath(L"ZANOR"), L".ZANOR"},
        {defaultIconKeyPath(L"ZANOR"), L"ZANOR-files\\DefaultIcon"},
        {openCommandKeyPath(L"ZANOR"), L"ZANOR-files\\Shell\\Open\\Command"},
        {lookUpCommandKeyPath(L"ZANOR-files"), L"ZANOR-files\\shell\\open\\command"},
        {openCommandText(L"\\\\servidor\\mis programas\\x.exe"), L"\"\\\\servidor\\mis programas\\x.exe\" \"%1\""},
        {defaultIconText(L"C:\\con blancos\\x.exe", -12), L"C:\\con blancos\\x.exe,-12"},
        {extensionError(L"ZA.NOR"), L"Error : Extension se pone sin punto ..."}, {extensionError(L"ZANOR"), L""},
        {joinKeyPath(L"\\Software\\Classes\\\\", L"\\.ZANOR\\"), L"Software\\Classes\\.ZANOR"},
        {joinKeyPath(L"", L"\\.ZANOR"), L".ZANOR"}, {joinKeyPath(L"Software\\Classes", L"\\\\"), L"Software\\Classes"},
    };
    for (const auto& [got, want] : texts) EXPECT_EQ(got, want);
    // A command counts as registered when anything but blanks is left.
    for (const auto& [command, registered] : {std::pair{L"", false}, {L"      ", false}, {L"   otro.exe %1  ", true}})
        EXPECT_EQ(isRegisteredCommand(command), registered) << command;
}

}  // namespace
