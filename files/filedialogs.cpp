#include "files/filedialogs.h"
#include "platform/systemlibrary.h"

#include <commdlg.h>

#include <vector>

std::wstring lastFolder;

namespace {

// Paths of the dialogs are taken whole: the buffer holds the longest path the
// system knows.
constexpr DWORD pathBufferSize = 32768;
// The longest folder that a dialog is given to start in.
constexpr std::size_t folderLimit = 255;
constexpr std::size_t pathPartsLimit = 260;

struct DialogSettings {
    const wchar_t* title;
    // Description and pattern, each ended by a zero; the literal adds the
    // second zero that ends the list.
    const wchar_t* filter;
    const wchar_t* defaultExtension;
};

const DialogSettings workFileSettings{L"", L"Tervalonde\0*.ZANOR\0", L"Tervalonde"};
const DialogSettings bitmapSettings{L"Navegador de ficheros para bitmap", L"Bitmap\0*.bmp\0", L"bitmap"};
const DialogSettings pngSettings{L"Exportar imagen PNG", L"Imagen PNG (*.png)\0*.png\0", L"png"};
const DialogSettings pdfSettings{L"Exportar PDF para imprimir", L"Documento PDF (*.pdf)\0*.pdf\0", L"pdf"};
const DialogSettings agendaSettings{L"Importar agenda",
                                    L"Agenda iCalendar (*.ics)\0*.ics\0Todos los ficheros (*.*)\0*.*\0", L"ics"};

std::wstring currentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring folder(needed, L'\0');
    const DWORD written = GetCurrentDirectoryW(needed, folder.data());
    if (written == 0 || written >= needed) return {};
    folder.resize(written);
    return folder;
}

// The folder to remember: a folder too long to be handed to a dialog is not
// remembered at all rather than cut.
void rememberFolder(const std::wstring& path) {
    lastFolder = folderPart(path);
    if (lastFolder.size() > folderLimit) lastFolder.clear();
}

void runFileDialog(HWND owner, std::wstring& path, bool open, const DialogSettings& settings) {
    std::vector<wchar_t> buffer(pathBufferSize, L'\0');
    const std::wstring name = fileNamePart(path);
    if (name.size() < buffer.size()) name.copy(buffer.data(), name.size());
    // Without a remembered folder the dialog starts in the process's current
    // folder, not in one the system remembers for the program.
    const std::wstring initialFolder = lastFolder.empty() ? currentFolder() : lastFolder;
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = settings.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = settings.title;
    dialog.lpstrDefExt = settings.defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (open) dialog.Flags |= OFN_FILEMUSTEXIST;
    static const auto openDialog = systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto saveDialog = systemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    const auto run = open ? openDialog : saveDialog;
    const BOOL chosen = run ? run(&dialog) : FALSE;
    if (chosen) {
        path.assign(buffer.data());
    } else {
        path.clear();
    }
}

}  // namespace

std::wstring folderPart(const std::wstring& path) {
    if (path.empty() || path.size() > pathPartsLimit) return {};
    const std::size_t end = path.find_last_of(L"\\:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

std::wstring fileNamePart(const std::wstring& path) {
    if (path.empty() || path.size() > pathPartsLimit) return {};
    const std::size_t end = path.find_last_of(L"\\:");
    return end == std::wstring::npos ? path : path.substr(end + 1);
}

void showWorkFileDialog(HWND owner, std::wstring& path, int mode) {
    rememberFolder(path);
    runFileDialog(owner, path, mode == 0, workFileSettings);
    rememberFolder(path);
}

void showBitmapDialog(HWND owner, std::wstring& path, int mode) {
    runFileDialog(owner, path, mode == 0, bitmapSettings);
    rememberFolder(path);
}

void showPngDialog(HWND owner, std::wstring& path) {
    runFileDialog(owner, path, false, pngSettings);
    rememberFolder(path);
}

void showPdfDialog(HWND owner, std::wstring& path) {
    runFileDialog(owner, path, false, pdfSettings);
    rememberFolder(path);
}

void showAgendaDialog(HWND owner, std::wstring& path) {
    runFileDialog(owner, path, true, agendaSettings);
    rememberFolder(path);
}
