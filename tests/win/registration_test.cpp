// The look-up of the ".ZANOR" open command in the real registry of the test
// prefix: the user's classes (HKEY_CURRENT_USER\Software\Classes) before the
// machine's (HKEY_CLASSES_ROOT), values of other types, empty and blank
// values, and references to the environment. The start-up question comes
// exactly when no command counts, and "No" writes nothing.
#include "support.h"

#include "app/registration.h"

const std::wstring type = L"ZanorPrueba-files";
const std::wstring command = type + L"\\shell\\open\\command";

// A value to store below the user's classes (`user`) or the machine's.
struct Value { bool user; std::wstring key, text; DWORD type = REG_SZ; std::wstring name = L""; };

static HKEY rootOf(bool user) { return user ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT; }
static std::wstring pathOf(bool user, const std::wstring& key) { return (user ? L"Software\\Classes\\" : L"") + key; }

static void clearKeys() {
    for (bool user : {true, false})
        for (const std::wstring& key : {std::wstring(L".ZANOR"), type, std::wstring(L"ZANOR-files")})
            RegDeleteTreeW(rootOf(user), pathOf(user, key).c_str());
}

TEST(Registration, TheOpenCommandIsLookedUpAndTheQuestionComesWhenNoneCounts) {
    const std::wstring notepad = environmentValue(L"SystemRoot") + L"\\notepad.exe %1";
    SetEnvironmentVariableW(L"ZANOR_PRUEBA_BLANCOS", L"    ");
    const Value userType{true, L".ZANOR", type}, machineType{false, L".ZANOR", type}, machine{false, command, L"maquina.exe %1"};
    const struct { const char* what; std::vector<Value> values; std::wstring found; } cases[] = {
        {"nothing", {}, L""},
        {"the machine's only", {machineType, machine}, L"maquina.exe %1"},
        {"the user's first", {userType, {true, command, L"usuario.exe %1"}, machineType, machine}, L"usuario.exe %1"},
        {"the user's blanks", {userType, {true, command, L"   "}, machineType, machine}, L"maquina.exe %1"},
        {"the user's number", {userType, {true, command, L"x", REG_DWORD}, machineType, machine}, L"maquina.exe %1"},
        {"blanks", {userType, {true, command, L"     "}}, L""}, {"no command key", {userType}, L""},
        {"no default value", {userType, {true, command, L"otro.exe", REG_SZ, L"Otro"}}, L""},
        {"a number", {userType, {true, command, L"x", REG_DWORD}}, L""},
        {"bytes", {userType, {true, command, L"otro.exe %1", REG_BINARY}}, L""},
        {"no type named", {{true, L".ZANOR", L""}, {true, command, L"otro.exe %1"}}, L""},
        {"a type named by bytes", {{true, L".ZANOR", type, REG_BINARY}, {true, command, L"otro.exe %1"}}, L""},
        {"expanded", {userType, {true, command, L"%SystemRoot%\\notepad.exe %1", REG_EXPAND_SZ}}, notepad},
        {"expanded as REG_SZ", {userType, {true, command, L"%SystemRoot%\\notepad.exe %1"}}, notepad},
        {"expanded to blanks", {userType, {true, command, L" %ZANOR_PRUEBA_BLANCOS% ", REG_EXPAND_SZ}}, L""},
        {"any text", {userType, {true, command, L"  C:\\no existe\\nada.exe  "}}, L"  C:\\no existe\\nada.exe  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearKeys();
        for (const Value& v : c.values)
            RegSetKeyValueW(rootOf(v.user), pathOf(v.user, v.key).c_str(), v.name.c_str(), v.type, v.text.c_str(),
                            static_cast<DWORD>((v.text.size() + 1) * sizeof(wchar_t)));
        EXPECT_EQ(queryOpenCommand(L".ZANOR"), c.found);
        MessageBoxAnswerer boxes(IDNO);
        registrationCheck();
        EXPECT_EQ(boxes.texts.size(), c.found.empty() ? 1u : 0u);
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\ZANOR-files"), ERROR_FILE_NOT_FOUND);
    }
    clearKeys();
}
