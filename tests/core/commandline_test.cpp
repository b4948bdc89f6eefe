// The command tail and the work-file path taken from it.
#include "app/commandline.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, QuotedProgramThenQuotedPathWithBlanks) {
    const std::wstring line =
        L"\"C:\\Archivos de programa\\Zanor\\zanor.exe\" \"C:\\Mis documentos\\Enero 2025.ZANOR\"";
    const std::wstring tail = commandTail(line);
    EXPECT_EQ(tail, L"\"C:\\Mis documentos\\Enero 2025.ZANOR\"");
    EXPECT_EQ(pathFromTail(tail), L"C:\\Mis documentos\\Enero 2025.ZANOR");
}

TEST(CommandLine, QuotedProgramThenUnquotedPathWithBlanks) {
    // The association appends " %1" without quotes.
    const std::wstring line = L"\"C:\\Archivos de programa\\Zanor\\zanor.exe\" C:\\Mis documentos\\Enero 2025.ZANOR";
    const std::wstring tail = commandTail(line);
    EXPECT_EQ(tail, L"C:\\Mis documentos\\Enero 2025.ZANOR");
    EXPECT_EQ(pathFromTail(tail), L"C:\\Mis documentos\\Enero 2025.ZANOR");
}

TEST(CommandLine, UnquotedProgramEndsAtTheFirstBlank) {
    const std::wstring tail = commandTail(L"C:\\Zanor\\zanor.exe D:\\Calendario de casa.ZANOR");
    EXPECT_EQ(tail, L"D:\\Calendario de casa.ZANOR");
    EXPECT_EQ(pathFromTail(tail), L"D:\\Calendario de casa.ZANOR");
}

TEST(CommandLine, UnquotedProgramEndsAtATab) {
    EXPECT_EQ(commandTail(L"zanor.exe\tcasa.ZANOR"), L"casa.ZANOR");
}

TEST(CommandLine, NoTail) {
    EXPECT_EQ(commandTail(L""), L"");
    EXPECT_EQ(commandTail(L"zanor.exe"), L"");
    EXPECT_EQ(commandTail(L"\"C:\\Archivos de programa\\Zanor\\zanor.exe\""), L"");
    EXPECT_EQ(commandTail(L"\"C:\\Archivos de programa\\Zanor\\zanor.exe\"   "), L"");
    EXPECT_EQ(commandTail(L"zanor.exe \t "), L"");
    EXPECT_EQ(pathFromTail(L""), L"");
}

TEST(CommandLine, UnclosedQuoteMakesTheWholeLineTheProgram) {
    EXPECT_EQ(commandTail(L"\"C:\\Zanor\\zanor.exe casa.ZANOR"), L"");
}

TEST(CommandLine, TrailingBlanksStay) {
    const std::wstring tail = commandTail(L"zanor.exe casa.ZANOR   ");
    EXPECT_EQ(tail, L"casa.ZANOR   ");
    EXPECT_EQ(pathFromTail(tail), L"casa.ZANOR   ");
}

TEST(CommandLine, TrailingBlanksInsideAndAfterQuotesStay) {
    const std::wstring tail = commandTail(L"\"zanor.exe\" \"casa .ZANOR\"  ");
    EXPECT_EQ(tail, L"\"casa .ZANOR\"  ");
    EXPECT_EQ(pathFromTail(tail), L"casa .ZANOR  ");
}

TEST(CommandLine, AllBlanksAfterTheProgramPathAreSkipped) {
    EXPECT_EQ(commandTail(L"zanor.exe     casa.ZANOR"), L"casa.ZANOR");
    EXPECT_EQ(commandTail(L"\"C:\\a b\\zanor.exe\"  \t  \"C:\\c d\\casa.ZANOR\""), L"\"C:\\c d\\casa.ZANOR\"");
}

TEST(CommandLine, BlanksInsideTheTailAreKept) {
    EXPECT_EQ(commandTail(L"zanor.exe a   b.ZANOR"), L"a   b.ZANOR");
}

TEST(CommandLine, EveryQuoteIsRemoved) {
    EXPECT_EQ(pathFromTail(L"\"C:\\x\"\"y.ZANOR\""), L"C:\\xy.ZANOR");
    EXPECT_EQ(pathFromTail(L"\"\"\""), L"");
    EXPECT_EQ(pathFromTail(L"sin comillas"), L"sin comillas");
}

TEST(CommandLine, NonAsciiCharactersSurvive) {
    const std::wstring line = L"zanor.exe C:\\A\u00F1o nuevo\\Espa\u00F1a.ZANOR";
    EXPECT_EQ(pathFromTail(commandTail(line)), L"C:\\A\u00F1o nuevo\\Espa\u00F1a.ZANOR");
}

TEST(CommandLine, LongTailsAreNotCut) {
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'n') + L".ZANOR";
    const std::wstring tail = commandTail(L"\"zanor.exe\" \"" + longPath + L"\"");
    EXPECT_EQ(pathFromTail(tail), longPath);
}

}  // namespace
