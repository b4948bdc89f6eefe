#include "tests/support/testfiles.h"

#include <fstream>
#include <iterator>
#include <utility>

ScratchFolder::ScratchFolder(const std::wstring& label) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    path_ = base + (L"zanor " + label) + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    for (const std::wstring& name : namesIn(path_))
        SetFileAttributesW((*this / name).c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileW((*this / name).c_str());
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> ScratchFolder::namesIn(const std::wstring& folder) {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &data))
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") found.push_back(data.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return found;
}

KeptFile::KeptFile(std::wstring path)
    : path_(std::move(path)), existed_(GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES),
      bytes_(readBytes(path_)) {}

KeptFile::~KeptFile() {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileW(path_.c_str());
    if (existed_) writeBytes(path_, bytes_);
}

std::wstring besideTests(const std::wstring& name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path);
    return program.substr(0, program.find_last_of(L"\\/") + 1) + name;
}

std::string readBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::wstring& path, const std::string& bytes) { std::ofstream(path.c_str(), std::ios::binary) << bytes; }

std::wstring environmentValue(const wchar_t* name) { const wchar_t* value = _wgetenv(name); return value ? value : L""; }

bool isDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770";
}

bool isFileDialog(HWND window) { return isDialog(window) && !GetDlgItem(window, 0xFFFF) && fileNameField(window); }

HWND fileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, 0x47C);
    if (!field) field = GetDlgItem(dialog, 0x480);
    return field ? field : FindWindowExW(dialog, nullptr, L"Edit", nullptr);
}
