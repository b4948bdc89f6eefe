// The texts of the ".ZANOR" association: keys, values, the question, and what
// counts as a registered open command.
#include "app/registrytext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegistryText, TheExtensionNamesItsTypeAndTheTypeItsIconAndCommandKeys) {
    EXPECT_EQ(fileTypeName(L"ZANOR"), L"ZANOR-files");
    EXPECT_EQ(extensionKeyPath(L"ZANOR"), L".ZANOR");
    EXPECT_EQ(defaultIconKeyPath(L"ZANOR"), L"ZANOR-files\\DefaultIcon");
    EXPECT_EQ(openCommandKeyPath(L"ZANOR"), L"ZANOR-files\\Shell\\Open\\Command");
    EXPECT_EQ(lookUpCommandKeyPath(L"ZANOR-files"), L"ZANOR-files\\shell\\open\\command");
    EXPECT_EQ(workFileExtension, L".ZANOR");
    EXPECT_EQ(workFileExtensionWord, L"ZANOR");
}

TEST(RegistryText, TheOpenCommandQuotesTheProgramAndTheFileAndKeepsThePathAsItIs) {
    EXPECT_EQ(openCommandText(L"D:\\Prog\\x.exe"), L"\"D:\\Prog\\x.exe\" \"%1\"");
    EXPECT_EQ(openCommandText(L"C:\\Archivos de programa\\Zanor\\zanor.exe"),
              L"\"C:\\Archivos de programa\\Zanor\\zanor.exe\" \"%1\"");
    // A program on a share keeps its two leading backslashes, and no more.
    EXPECT_EQ(openCommandText(L"\\\\servidor\\compartida\\zanor.exe"),
              L"\"\\\\servidor\\compartida\\zanor.exe\" \"%1\"");
}

TEST(RegistryText, TheIconIsThePathACommaAndTheIndex) {
    EXPECT_EQ(defaultIconText(L"D:\\Prog\\x.exe", 0), L"D:\\Prog\\x.exe,0");
    EXPECT_EQ(defaultIconText(L"C:\\con blancos\\x.exe", 12), L"C:\\con blancos\\x.exe,12");
    EXPECT_EQ(defaultIconText(L"D:\\x.exe", -3), L"D:\\x.exe,-3");
}

TEST(RegistryText, AnExtensionWithADotAnywhereIsRefused) {
    EXPECT_EQ(extensionError(L".ZANOR"), L"Error : Extension se pone sin punto ...");
    EXPECT_EQ(extensionError(L"ZA.NOR"), L"Error : Extension se pone sin punto ...");
    EXPECT_EQ(extensionError(L"ZANOR."), L"Error : Extension se pone sin punto ...");
    EXPECT_EQ(extensionError(L"ZANOR"), L"");
}

TEST(RegistryText, TheQuestionHasItsCaptionAndFourLines) {
    EXPECT_EQ(registrationQuestionCaption, L"...");
    EXPECT_EQ(registrationQuestionText(),
              L"Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
              L"Quiere registrar el programa en la ubicaci\u00f3n actual ?\r\n"
              L"Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
              L"Si no acepta, puede mover la carpeta con el programa a una ubicaci\u00f3n mejor para registrar ...");
}

TEST(RegistryText, KeyPathsLoseLeadingAndTrailingBackslashes) {
    EXPECT_EQ(stripBackslashes(L"\\.ZANOR"), L".ZANOR");
    EXPECT_EQ(stripBackslashes(L"\\\\ZANOR-files\\DefaultIcon\\\\"), L"ZANOR-files\\DefaultIcon");
    EXPECT_EQ(stripBackslashes(L"\\\\\\"), L"");
    EXPECT_EQ(stripBackslashes(L""), L"");
    EXPECT_EQ(joinKeyPath(L"Software\\Classes", L".ZANOR"), L"Software\\Classes\\.ZANOR");
    EXPECT_EQ(joinKeyPath(L"Software\\Classes\\", L"\\.ZANOR"), L"Software\\Classes\\.ZANOR");
    EXPECT_EQ(joinKeyPath(L"", L".ZANOR"), L".ZANOR");
    EXPECT_EQ(joinKeyPath(L"Software\\Classes", L""), L"Software\\Classes");
}

TEST(RegistryText, AnyCommandLeftAfterTrimmingSpacesCountsAsRegistered) {
    EXPECT_FALSE(isRegisteredCommand(L""));
    EXPECT_FALSE(isRegisteredCommand(L" "));
    EXPECT_FALSE(isRegisteredCommand(L"      "));
    EXPECT_TRUE(isRegisteredCommand(L"x"));
    EXPECT_TRUE(isRegisteredCommand(L"   otro.exe %1  "));
    EXPECT_TRUE(isRegisteredCommand(L"ZANOR-files\\shell\\open\\command"));
    EXPECT_EQ(trimSpaces(L"  a b  "), L"a b");
    EXPECT_EQ(trimSpaces(L"a"), L"a");
}

}  // namespace
