// The first starts on a new machine: the association question before the
// window, answered No and then Yes, what Yes leaves in the registry, the white
// canvas and the greyed menu items of a program without a page, and a work
// file opened through the registered open command, as the desktop opens it.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

const wchar_t questionText[] =
    L"Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
    L"Quiere registrar el programa en la ubicaci\u00f3n actual ?\r\n"
    L"Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
    L"Si no acepta, puede mover la carpeta con el programa a una ubicaci\u00f3n mejor para registrar ...";

const wchar_t userClasses[] = L"Software\\Classes\\";

// The default value of a key below the user's classes; nothing when absent.
std::wstring classesValue(const std::wstring& key) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, (userClasses + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &bytes) != ERROR_SUCCESS)
        return {};
    return value;
}

bool anyAssociation() {
    HKEY key = nullptr;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
        const std::wstring path = root == HKEY_CLASSES_ROOT ? L".ZANOR" : std::wstring(userClasses) + L".ZANOR";
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            return true;
        }
    }
    return false;
}

// A page is made, saved and exported; the export's bytes are returned.
std::string saveAndExport(const Program& program, const std::wstring& workFile, const std::wstring& picture) {
    EXPECT_TRUE(makeNewPage(program, 3, 2025));
    EXPECT_TRUE(startSaving(program, workFile));
    EXPECT_EQ(workRecords(waitForNewFile(workFile)).size(), 31u + 30 + 31 + 30);
    EXPECT_TRUE(startExport(program, picture));
    return waitForNewFile(picture);
}

TEST(FirstStart, AsksBeforeItsWindowRegistersOnYesAndOpensWorkFilesThroughTheAssociation) {
    ASSERT_FALSE(anyAssociation()) << "the end-to-end suite runs in a Wine prefix of its own, made afresh";
    {
        SCOPED_TRACE("first start, answered No");
        Program program(L"", Question::leave);
        HWND question = program.waitFor([](HWND w) { return isMessageBox(w) && windowText(w) == L"..."; });
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(messageText(question), questionText);
        EXPECT_TRUE(GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO) && !GetDlgItem(question, IDOK) &&
                    !GetDlgItem(question, IDCANCEL));
        EXPECT_EQ(program.windows(), std::vector<HWND>{question}) << "the question comes before the window";
        const Message answered = program.answer(IDNO);
        EXPECT_EQ(answered.caption, L"...");
        ASSERT_NE(program.window(), nullptr);
        EXPECT_FALSE(anyAssociation());

        EXPECT_TRUE(allWhite(pictureShown(program.canvas(), allWhite))) << program.describe();
        EXPECT_EQ(menuItemsEnabled(program, menu::operations, 5), (std::vector<bool>{true, false, true, false, true}))
            << "Nuevo, Fotocopia, Abrir fichero, Grabar, Autor; " << program.describe();
        EXPECT_EQ(menuItemsEnabled(program, menu::edit, 3), (std::vector<bool>{false, false, false}))
            << "Copiar, Pegar, Borrar";
        // Without a page the right button captures the canvas's white.
        program.click(500, 300, true);
        HWND captured = program.waitFor(capturedCaption);
        ASSERT_NE(captured, nullptr);
        EXPECT_EQ(windowText(GetDlgItem(captured, captured::value)), L"&&H00FFFFFF");
        press(captured, captured::accept);
        EXPECT_TRUE(program.waitUntilGone(captured));
        EXPECT_TRUE(program.close()) << "the program ends without a question";
    }
    const std::wstring program = Program::path();
    {
        SCOPED_TRACE("second start, answered Yes");
        Program second(L"", Question::yes);
        ASSERT_NE(second.window(), nullptr);
        EXPECT_EQ(second.questionsSeen(), 1);
        EXPECT_TRUE(second.close());
    }
    EXPECT_EQ(classesValue(L".ZANOR"), L"ZANOR-files");
    EXPECT_EQ(classesValue(L"ZANOR-files\\DefaultIcon"), program + L",0");
    const std::wstring command = classesValue(L"ZANOR-files\\Shell\\Open\\Command");
    ASSERT_EQ(command, L"\"" + program + L"\" \"%1\"");

    ScratchFolder folder(L"escritorio");
    const std::wstring workFile = folder / L"calendario del escritorio.ZANOR";
    std::string exported;
    {
        SCOPED_TRACE("third start, no question");
        Program third(L"", Question::leave);
        ASSERT_NE(third.window(), nullptr) << "a question would keep the window from opening";
        EXPECT_EQ(third.windows(), std::vector<HWND>{third.window()});
        exported = saveAndExport(third, workFile, folder / L"desde el programa.bmp");
        EXPECT_TRUE(third.close());
    }
    {
        SCOPED_TRACE("started by the desktop on the work file");
        std::wstring line = command;
        line.replace(line.find(L"%1"), 2, workFile);
        Program opened(CommandLine{line}, Question::leave);
        ASSERT_NE(opened.window(), nullptr);
        EXPECT_TRUE(opened.responsive());
        EXPECT_EQ(opened.windows(), std::vector<HWND>{opened.window()})
            << "no message: the file was read; " << opened.describe();
        EXPECT_EQ(menuItemsEnabled(opened, menu::operations, 5), std::vector<bool>(5, true));
        ASSERT_TRUE(startExport(opened, folder / L"desde el escritorio.bmp"));
        EXPECT_TRUE(waitForNewFile(folder / L"desde el escritorio.bmp") == exported) << "the same page";
        EXPECT_TRUE(opened.close());
    }
}

}  // namespace
}  // namespace e2e
