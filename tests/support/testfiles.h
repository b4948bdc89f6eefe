// Files, folders and file dialogs for the Windows tests and the end-to-end
// suite: scratch folders, whole-file reading and writing, the settings that
// scripts/test hands over in the environment, and the platform's open and
// save dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A folder of its own under the temporary folder; it goes, with the files it
// holds (read-only ones too), when the owner does.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& label = L"pruebas");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& path() const { return path_; }
    // The names of the files in a folder.
    static std::vector<std::wstring> namesIn(const std::wstring& folder);

private:
    std::wstring path_;
};

// A file put back as it was (or removed, when there was none) when its
// keeper goes, whatever happened meanwhile.
class KeptFile {
public:
    explicit KeptFile(std::wstring path);
    ~KeptFile();
    KeptFile(const KeptFile&) = delete;
    KeptFile& operator=(const KeptFile&) = delete;

private:
    std::wstring path_;
    bool existed_;
    std::string bytes_;
};

// The path of a file beside the running test program.
std::wstring besideTests(const std::wstring& name);

std::string readBytes(const std::wstring& path);
void writeBytes(const std::wstring& path, const std::string& bytes);
// The value of an environment variable (the test script passes the mounted
// folders this way), or nothing.
std::wstring environmentValue(const wchar_t* name);

// A dialog box of any process; the platform's open and save dialogs among
// them, and their file-name field.
bool isDialog(HWND window);
bool isFileDialog(HWND window);
HWND fileNameField(HWND dialog);
