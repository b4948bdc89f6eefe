// The ".ZANOR" association against the real registry of the test prefix: the
// question at start-up, what Yes writes under HKEY_CURRENT_USER\Software\Classes,
// what counts as registered, and the refusal of an extension with a dot.
#include "support.h"

#include "app/registration.h"
#include "app/registrytext.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const wchar_t* const userClasses = L"Software\\Classes";
const wchar_t* const testType = L"ZanorPrueba-files";

// Every key that these tests may write, below a classes key.
const wchar_t* const writtenKeys[] = {L".ZANOR", L"ZANOR-files", L"ZanorPrueba-files", L"..ZANOR", L".ZANOR-files"};

void deleteTree(HKEY root, const std::wstring& path) {
    const LONG result = RegDeleteTreeW(root, path.c_str());
    EXPECT_TRUE(result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) << "cannot delete key, error " << result;
}

void clearRegistrations() {
    for (const wchar_t* key : writtenKeys) {
        deleteTree(HKEY_CURRENT_USER, std::wstring(userClasses) + L"\\" + key);
        deleteTree(HKEY_CLASSES_ROOT, key);
    }
}

bool keyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool anyKeyWritten() {
    for (const wchar_t* key : writtenKeys) {
        if (keyExists(HKEY_CURRENT_USER, std::wstring(userClasses) + L"\\" + key)) return true;
        if (keyExists(HKEY_LOCAL_MACHINE, std::wstring(userClasses) + L"\\" + key)) return true;
    }
    return false;
}

// Stores raw data as the value `name` of root\path, creating the key.
void putValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void putString(HKEY root, const std::wstring& path, const std::wstring& text, DWORD type = REG_SZ) {
    putValue(root, path, L"", type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// A type under HKEY_CURRENT_USER\Software\Classes whose open command is
// `command`, and ".ZANOR" naming it.
void registerForUser(const std::wstring& command, DWORD type = REG_SZ) {
    putString(HKEY_CURRENT_USER, std::wstring(userClasses) + L"\\.ZANOR", testType);
    putString(HKEY_CURRENT_USER, std::wstring(userClasses) + L"\\" + testType + L"\\shell\\open\\command", command,
              type);
}

struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

RawValue rawValue(HKEY root, const std::wstring& path, const std::wstring& name = L"") {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.found = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size) ==
                      ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

// The bytes of a REG_SZ value holding `text`: UTF-16 with one terminating zero.
std::vector<BYTE> stringBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(bytes.data(), text.c_str(), text.size() * sizeof(wchar_t));
    return bytes;
}

std::wstring environmentValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    GetEnvironmentVariableW(name, value, 1024);
    return value;
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        clearRegistrations();
        ASSERT_FALSE(anyKeyWritten());
    }
    void TearDown() override { clearRegistrations(); }
};

TEST_F(Registration, WithoutAnyKeyTheQuestionIsAskedAndNoWritesNothing) {
    int asked = 0;
    std::wstring caption, text;
    bool yesAndNoOnly = false;
    {
        DialogDriver driver;
        driver.always([](HWND box) { return GetDlgItem(box, 0xFFFF) != nullptr; },
                      [&](HWND box) {
                          ++asked;
                          caption = windowText(box);
                          text = windowText(GetDlgItem(box, 0xFFFF));
                          yesAndNoOnly = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && !GetDlgItem(box, IDOK) &&
                                         !GetDlgItem(box, IDCANCEL);
                          PostMessageW(box, WM_COMMAND, IDNO, 0);
                      });
        registrationCheck();
        EXPECT_EQ(asked, 1);
        EXPECT_FALSE(anyKeyWritten());
        // The question comes back at the next start.
        registrationCheck();
    }
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(caption, L"...");
    EXPECT_EQ(text,
              L"Entendiendo que este programa necesita registrarse para su mejor funcionamiento :\r\n"
              L"Quiere registrar el programa en la ubicaci\u00f3n actual ?\r\n"
              L"Si acepta, se le aconseja que no mueva este programa y su carpeta de donde esta.\r\n"
              L"Si no acepta, puede mover la carpeta con el programa a una ubicaci\u00f3n mejor para registrar ...");
    EXPECT_TRUE(yesAndNoOnly);
    EXPECT_FALSE(anyKeyWritten());
}

TEST_F(Registration, ARegistrationOnlyUnderClassesRootCounts) {
    putString(HKEY_CLASSES_ROOT, L".ZANOR", testType);
    putString(HKEY_CLASSES_ROOT, std::wstring(testType) + L"\\shell\\open\\command",
              L"\"C:\\otro programa\\visor.exe\" \"%1\"");
    MessageBoxAnswerer answer(IDNO);
    registrationCheck();
    EXPECT_EQ(answer.count(), 0);
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), L"\"C:\\otro programa\\visor.exe\" \"%1\"");
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, L"Software\\Classes\\.ZANOR"));
}

TEST_F(Registration, TheUsersCommandIsReadBeforeTheMachines) {
    putString(HKEY_CLASSES_ROOT, L".ZANOR", testType);
    putString(HKEY_CLASSES_ROOT, std::wstring(testType) + L"\\shell\\open\\command", L"maquina.exe %1");
    registerForUser(L"usuario.exe %1");
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), L"usuario.exe %1");
    // A user's command of blanks leaves the machine's to count.
    registerForUser(L"   ");
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), L"maquina.exe %1");
}

TEST_F(Registration, ACommandOfOnlySpacesAsks) {
    registerForUser(L"     ");
    MessageBoxAnswerer answer(IDNO);
    registrationCheck();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.caption(), L"...");
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), L"");
}

TEST_F(Registration, ATypeWithoutAReadableOpenCommandAsks) {
    MessageBoxAnswerer answer(IDNO);
    // ".ZANOR" names a type that has no shell\open\command key.
    putString(HKEY_CURRENT_USER, L"Software\\Classes\\.ZANOR", testType);
    registrationCheck();
    EXPECT_EQ(answer.count(), 1);
    // The command key exists but has no default value.
    const std::wstring commandKey = std::wstring(userClasses) + L"\\" + testType + L"\\shell\\open\\command";
    const std::wstring other = L"otro.exe";
    putValue(HKEY_CURRENT_USER, commandKey, L"Otro", REG_SZ, other.c_str(),
             static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
    registrationCheck();
    EXPECT_EQ(answer.count(), 2);
    // The command is not a string.
    const DWORD number = 1;
    putValue(HKEY_CURRENT_USER, commandKey, L"", REG_DWORD, &number, sizeof(number));
    registrationCheck();
    EXPECT_EQ(answer.count(), 3);
    putValue(HKEY_CURRENT_USER, commandKey, L"", REG_BINARY, other.c_str(),
             static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
    registrationCheck();
    EXPECT_EQ(answer.count(), 4);
    // ".ZANOR" names no type.
    registerForUser(L"otro.exe %1");
    putString(HKEY_CURRENT_USER, L"Software\\Classes\\.ZANOR", L"");
    registrationCheck();
    EXPECT_EQ(answer.count(), 5);
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), L"");
}

TEST_F(Registration, ACommandWithEnvironmentReferencesIsExpanded) {
    const std::wstring systemRoot = environmentValue(L"SystemRoot");
    ASSERT_FALSE(systemRoot.empty());
    MessageBoxAnswerer answer(IDNO);

    registerForUser(L"%SystemRoot%\\notepad.exe %1", REG_EXPAND_SZ);
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), systemRoot + L"\\notepad.exe %1");
    registrationCheck();
    EXPECT_EQ(answer.count(), 0);

    registerForUser(L"%SystemRoot%\\notepad.exe %1", REG_SZ);
    EXPECT_EQ(queryOpenCommand(L".ZANOR"), systemRoot + L"\\notepad.exe %1");

    // Expansion comes before the test for blanks.
    ASSERT_TRUE(SetEnvironmentVariableW(L"ZANOR_PRUEBA_BLANCOS", L"    "));
    registerForUser(L" %ZANOR_PRUEBA_BLANCOS% ", REG_EXPAND_SZ);
    registrationCheck();
    EXPECT_EQ(answer.count(), 1);
    SetEnvironmentVariableW(L"ZANOR_PRUEBA_BLANCOS", nullptr);
}

TEST_F(Registration, AnyNonEmptyCommandDoesNotAsk) {
    MessageBoxAnswerer answer(IDNO);
    for (const std::wstring command : {L"otro.exe %1", L"x", L"  C:\\no existe\\nada.exe  "}) {
        registerForUser(command);
        registrationCheck();
        EXPECT_EQ(queryOpenCommand(L".ZANOR"), command);
    }
    EXPECT_EQ(answer.count(), 0);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, L"Software\\Classes\\ZANOR-files"));
}

TEST_F(Registration, AnExtensionWithADotIsRefusedAndNothingIsWritten) {
    MessageBoxAnswerer answer(IDOK);
    registerFileType(L".ZANOR", 0);
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.caption(), L"Programador");
    EXPECT_EQ(answer.text(), L"Error : Extension se pone sin punto ...");
    EXPECT_FALSE(anyKeyWritten());
}

TEST_F(Registration, SetRegistryValueStoresAStringWithItsZeroAndReportsFailure) {
    // A null root is the current user's; the backslashes around the path go.
    EXPECT_TRUE(setRegistryValue(nullptr, L"\\\\Software\\Classes\\ZanorPrueba-files\\", L"Nombre", L"valor"));
    const RawValue named = rawValue(HKEY_CURRENT_USER, L"Software\\Classes\\ZanorPrueba-files", L"Nombre");
    ASSERT_TRUE(named.found);
    EXPECT_EQ(named.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(named.bytes, stringBytes(L"valor"));
    EXPECT_EQ(named.bytes.size(), 12u);

    // A path from a share keeps its leading double backslash.
    EXPECT_TRUE(setRegistryValue(HKEY_CURRENT_USER, L"Software\\Classes\\ZanorPrueba-files", L"",
                                 L"\\\\servidor\\compartida\\zanor.exe"));
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, L"Software\\Classes\\ZanorPrueba-files").bytes,
              stringBytes(L"\\\\servidor\\compartida\\zanor.exe"));

    // A key that cannot be created: its root is no key at all.
    EXPECT_FALSE(setRegistryValue(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7654)), L"ZanorPrueba-files",
                                  L"", L"valor"));
}

// A copy of the program in a folder with blanks, removed at the end.
struct ProgramCopy {
    std::wstring folder = besideTests(L"carpeta con blancos");
    std::wstring path = folder + L"\\zanor.exe";
    ProgramCopy() {
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_TRUE(CopyFileW(besideTests(L"zanor.exe").c_str(), path.c_str(), FALSE));
    }
    ~ProgramCopy() {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }
};

}  // namespace
