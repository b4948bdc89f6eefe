// What the commands do that needs no window: the row that the canvas starts
// at, the work file named on the command line, and the texts of the ".ZANOR"
// association. (What the text dialog, "Pegar" and "Borrar" leave of a cell is
// read end to end from the saved work file.)
#include "app/commandline.h"
#include "app/registrytext.h"
#include "calendar/document.h"

#include <gtest/gtest.h>

#include <utility>

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
        // (The keys and values written are read back end to end.)
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
