// The first starts on a new machine: the association question before the
// window, answered No (nothing registered; a missing work file named on the
// command line is told whole and leaves no page) and then Yes (the file type
// registered for this program, with the open command that the desktop runs,
// as every other journey starts the program: its path and the work file's,
// quoted).
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// The default value of a key below the user's classes; nothing when absent.
std::wstring classesValue(const std::wstring& key) {
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
        const Message answered = first.answer(IDNO);
        EXPECT_EQ(answered.caption, L"...");
        EXPECT_EQ(answered.buttons, (std::vector<int>{IDYES, IDNO}));
        const Message told = first.answer(IDOK);
        EXPECT_EQ(told.caption, messageCaption);
        EXPECT_EQ(told.text, L"Fichero de trabajo : \r\n" + missing + L"\r\nNo Existe ...");
        EXPECT_TRUE(allWhite(pictureShown(first.canvas(), allWhite))) << "no page; " << first.describe();
        EXPECT_TRUE(first.close()) << "the program ends without a question";
    }
    EXPECT_EQ(classesValue(L".ZANOR"), L"") << "No registers nothing";
    {
        Program second(L"", Question::yes);
        ASSERT_TRUE(makeNewPage(second, 3, 2025)) << second.describe();
        ASSERT_TRUE(startSaving(second, workFile));
        EXPECT_EQ(workRecords(waitForNewFile(workFile)).size(), 31u + 30 + 31 + 30);
        EXPECT_TRUE(second.close());
    }
    EXPECT_EQ(classesValue(L".ZANOR"), L"ZANOR-files");
    EXPECT_EQ(classesValue(L"ZANOR-files\\DefaultIcon"), Program::path() + L",0");
    EXPECT_EQ(classesValue(L"ZANOR-files\\Shell\\Open\\Command"), L"\"" + Program::path() + L"\" \"%1\"");
}

}  // namespace
