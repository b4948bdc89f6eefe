// The first starts on a new machine: the association question before the
// window, answered No (nothing registered; a missing work file named on the
// command line is told whole and leaves no page) and then Yes (the file type
// registered for this program, with the open command that the desktop runs,
// as every other journey starts the program: its path and the work file's,
// quoted). The page made then is saved with the colours that the three
// choosers of "Nuevo za-nor" gave it.
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

// A picture with pixels, all white.
static bool allWhite(const Picture& picture) {
    return !picture.pixels.empty() && std::ranges::all_of(picture.pixels, [](std::uint32_t p) { return p == 0xFFFFFF; });
}

// The default value of a key below the user's classes; nothing when absent.
static std::wstring classesValue(const std::wstring& key) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes);
    return value;
}

TEST(FirstStart, AsksBeforeItsWindowRegistersOnYesAndOpensWorkFilesThroughTheAssociation) {
    // As on a new machine, whatever ran before in this prefix.
    for (const wchar_t* key : {L"Software\\Classes\\.ZANOR", L"Software\\Classes\\ZANOR-files"})
        RegDeleteTreeW(HKEY_CURRENT_USER, key);
    ASSERT_EQ(classesValue(L".ZANOR"), L"");
    ScratchFolder folder(L"escritorio");
    const std::wstring missing = folder / L"no existe.ZANOR", workFile = folder / L"calendario.ZANOR";
    {
        Program first(L"\"" + missing + L"\"", Question::leave);
        HWND question = first.waitFor(isMessageBox);
        ASSERT_NE(question, nullptr) << first.describe();
        EXPECT_EQ(first.windows(), std::vector<HWND>{question}) << "the question comes before the window";
        const Message answered = first.answer(IDNO), told = first.answer(IDOK);
        EXPECT_EQ(answered.caption + L" " + told.caption, L"... Programador");
        EXPECT_EQ(answered.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(told.text, L"Fichero de trabajo : \r\n" + missing + L"\r\nNo Existe ...");
        EXPECT_TRUE(allWhite(pictureShown(first.canvas(), allWhite))) << "no page; " << first.describe();
        EXPECT_TRUE(first.close()) << "the program ends without a question";
    }
    EXPECT_EQ(classesValue(L".ZANOR"), L"") << "No registers nothing";
    {
        Program second(L"", Question::yes);
        const PageColours colours{RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 0, 0)};
        ASSERT_TRUE(makeNewPage(second, 3, 2025, &colours)) << second.describe();
        const std::string saved = written(second, commandSave, workFile);
        EXPECT_EQ(workRecords(saved).size(), 31u + 30 + 31 + 30);
        // The line, weekday and Sunday colours, at 426, 438 and 442 of each record (the first here).
        EXPECT_EQ(saved.substr(426, 4) + saved.substr(438, 8), std::string("\0\x80\0\0\0\0\xFF\0\xFF\0\0\0", 12));
        EXPECT_TRUE(second.close());
    }
    EXPECT_EQ(classesValue(L".ZANOR"), L"ZANOR-files");
    EXPECT_EQ(classesValue(L"ZANOR-files\\DefaultIcon"), Program::path() + L",0");
    EXPECT_EQ(classesValue(L"ZANOR-files\\Shell\\Open\\Command"), L"\"" + Program::path() + L"\" \"%1\"");
}
