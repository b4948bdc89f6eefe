// Times the page drawing on a worst-case page (124 cells, each with 273
// characters of justified text), against the plain refresh kept as the
// yardstick, and the program's start-up, opening and export. Run under Wine:
//   scripts/bench [work-file]
#include "app/commands.h"
#include "app/mainwindow.h"
#include "app/registration.h"
#include "bench/agendafile.h"
#include "bench/straightpage.h"
#include "calendar/document.h"
#include "calendar/history.h"
#include "calendar/pagefill.h"
#include "files/agenda.h"
#include "platform/message.h"
#include "calendar/render.h"
#include "files/bitmapexport.h"
#include "files/imageexport.h"
#include "files/workfile.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Figures {
    double min, median, max;
};

Figures measure(int runs, const std::function<void()>& step, const std::function<void()>& between = {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (between) between();
        const auto start = std::chrono::steady_clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

Figures report(const char* what, const Figures& f) {
    std::printf("%-44s min %8.2f ms   median %8.2f ms   max %8.2f ms\n", what, f.min, f.median, f.max);
    return f;
}

void ratio(const char* what, double value) { std::printf("%-44s %8.3f\n", what, value); }

std::wstring ownFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring temporaryFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// From CreateProcess until the started program shows a top-level window.
double startUpMilliseconds(const std::wstring& program) {
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION info{};
    const auto begin = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &info))
        return -1;
    struct Search {
        DWORD process;
        HWND found;
    } search{info.dwProcessId, nullptr};
    while (!search.found) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->process || !IsWindowVisible(window)) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found && WaitForSingleObject(info.hProcess, 1) != WAIT_TIMEOUT) break;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return search.found ? ms : -1;
}

Figures startUp(const char* what, const std::wstring& program, int runs) {
    return report(what, measure(runs, [&program] {
                      if (startUpMilliseconds(program) < 0) std::printf("  (no window from %ls)\n", program.c_str());
                  }));
}

std::wstring sampleFile;

unsigned long long fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void CALLBACK runBenchmarks(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!IsWindowVisible(mainWindow)) return;
    KillTimer(nullptr, timer);
    const int runs = 31;
    HWND canvas = canvasWindow();

    buildWorstCasePage();
    viewY = 0;
    const Figures straight = report("plain refresh (yardstick)", measure(runs, straightRefreshPage));
    // Clearing the page image is a change: the page is laid out and drawn.
    const Figures full = report("refreshPage after a change: shown rows",
                                measure(runs, refreshPage, [] { clearBitmap(pageBitmap); }));
    const Figures whole = report("refreshPage after a change: whole page", measure(runs, [] {
                                     clearBitmap(pageBitmap);
                                     refreshPage();
                                     completePage();
                                 }));
    // A selection changes one cell: layouts of the others are kept.
    report("refreshPage after selecting a cell", measure(runs, [] {
               selectCell(2, 2);
               refreshPage();
           }, [] {
               clearSelection();
               refreshPage();
               completePage();
           }));
    clearSelection();
    refreshPage();
    completePage();

    // "Deshacer" and "Rehacer" of a step that gives a shown cell a text of its
    // own, against the refresh after that edit: each lays out the one text
    // that the page drawn before did not have.
    std::string ownText;
    while (ownText.size() < cellTextCapacity - 1) ownText += "Cena de Navidad en casa de los abuelos, a las nueve ";
    ownText.resize(cellTextCapacity - 1);
    const DocumentSnapshot original = takeSnapshot();
    const auto editCell = [&ownText] {
        assignField(cellAt(2, 3).text, ownText);
        refreshPage();
    };
    const Figures edited = report("refreshPage after editing a cell's text", measure(runs * 3, editCell, [&original] {
                                      restoreSnapshot(original);
                                      refreshPage();
                                  }));
    restoreSnapshot(original);
    refreshPage();
    DocumentSnapshot before = takeSnapshot();
    editCell();
    recordStep(pageHistory, std::move(before));
    const auto undo = [] { undoCommand(mainWindow); };
    const auto redo = [] { redoCommand(mainWindow); };
    const Figures undone = report("Deshacer of that edit", measure(runs * 3, undo, redo));
    const Figures redone = report("Rehacer of that edit", measure(runs * 3, redo, undo));
    // What the two add to the refresh: the document put back and kept.
    report("Deshacer and Rehacer without the refresh", measure(runs, [] {
               undoStep(pageHistory);
               redoStep(pageHistory);
           }));
    for (std::size_t step = 0; step < historyDepth; ++step) {
        before = takeSnapshot();
        assignField(cellAt(1 + static_cast<int>(step % 4), 1).text, std::to_string(step));
        recordStep(pageHistory, std::move(before));
    }
    std::printf("history: %zu steps hold %zu bytes, %zu bytes a step\n", pageHistory.undo.size(),
                historyBytes(pageHistory), historyBytes(pageHistory) / pageHistory.undo.size());
    restoreSnapshot(original);
    pageHistory = History{};
    refreshPage();
    completePage();

    // The steps go through the canvas as the user's wheel and keys do, on a
    // page that the idle drawing has completed.
    viewY = 0;
    const Figures wheel = report("wheel step (15 px)", measure(runs * 4, [canvas] {
                                     SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 0xFF88), 0);
                                 }));
    viewY = 0;
    const Figures key = report("key step (Down, 92 px)", measure(runs, [canvas] {
                                   SendMessageW(canvas, WM_KEYDOWN, VK_DOWN, 1);
                               }, [] {
                                   if (viewY < -2200) viewY = 0;
                               }));
    viewY = 0;
    report("wheel step into rows not drawn yet", measure(runs, [canvas] {
               SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 0xFF88), 0);
           }, [] {
               if (viewY < -2200) viewY = 0;
               clearBitmap(pageBitmap);
               refreshPage();
           }));

    exportPath = temporaryFile(L"zanor-bench.bmp");
    const Figures exported = report("export (Fotocopia, whole page drawn)", measure(runs, exportBitmap, [] {
                                        refreshPage();
                                        completePage();
                                    }));
    report("export to a new file", measure(runs, exportBitmap, [] { DeleteFileW(exportPath.c_str()); }));
    const std::wstring copyPath = temporaryFile(L"zanor-bench-copy.bmp");
    const Figures copied = report("plain copy of the exported file", measure(runs, [&copyPath] {
                                      CopyFileW(exportPath.c_str(), copyPath.c_str(), FALSE);
                                  }));
    DeleteFileW(copyPath.c_str());
    DeleteFileW(exportPath.c_str());

    // "Importar agenda" once its dialog has closed, a large agenda into a new
    // page of December 2027: the file read, its texts written, the page drawn
    // and the message shown (and answered at once), against the reading and
    // the writing alone.
    {
        const std::wstring agendaFile = temporaryFile(L"zanor-bench.ics");
        const std::string agenda = benchagenda::agenda();
        HANDLE out = CreateFileW(agendaFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(out, agenda.data(), static_cast<DWORD>(agenda.size()), &written, nullptr);
        CloseHandle(out);
        static HHOOK answering = nullptr;
        answering = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_ACTIVATE && GetDlgItem(reinterpret_cast<HWND>(wParam), 0xFFFF))
                PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
            return CallNextHookEx(answering, code, wParam, lParam);
        }, nullptr, GetCurrentThreadId());
        const auto newPage = [] {
            resetAllCells();
            firstMonth = 12, firstYear = 2027, viewY = 0;
            refreshPage();
            completePage();
        };
        const Figures imported = report("Importar agenda (10,000 events) after its dialog",
                                        measure(11, [&] { importAgenda(agendaFile); }, newPage));
        const Figures read = report("  the reading and the writing alone", measure(11, [&] {
                                        addTextsToPage(agendaDayTexts(readAgenda(agenda, {2027, 12, 1}, {2028, 3, 31},
                                                                                 [](const DateAndTime& t) { return t; })
                                                                          .entries, 12, 2027), false);
                                    }, newPage));
        const Figures message = report("  its message alone, shown and answered", measure(11, [] {
                                           showMessage(L"Agenda : \r\nC:\\agenda.ics\r\n68308 eventos en 122 d\u00edas");
                                       }, [] {}));
        UnhookWindowsHookEx(answering);
        DeleteFileW(agendaFile.c_str());
        ratio("Importar agenda / (2 refreshes + reading and writing)", imported.median / (2 * full.median + read.median));
        ratio("Importar agenda / (2 refreshes + reading and writing + message)",
              imported.median / (2 * full.median + read.median + message.median));
    }

    if (!sampleFile.empty()) {
        workFilePath = sampleFile;
        report("opening the sample work file", measure(runs, [] {
                   if (loadWorkFile()) renewImagesAndView();
               }));
        // The sample page exported the three ways; the files are left in the
        // temporary folder to be looked at.
        exportPath = temporaryFile(L"zanor-muestra.bmp");
        pngExportPath = temporaryFile(L"zanor-muestra.png");
        pdfExportPath = temporaryFile(L"zanor-muestra.pdf");
        const Figures bmp = report("sample page: Fotocopia (BMP)", measure(runs, exportBitmap));
        const Figures png = report("sample page: Exportar PNG", measure(runs, exportPng));
        const Figures pdf = report("sample page: Exportar PDF A4", measure(11, exportPdf));
        const double bmpSize = static_cast<double>(fileSize(exportPath));
        const double pngSize = static_cast<double>(fileSize(pngExportPath));
        std::printf("%-44s BMP %.0f KB   PNG %.0f KB   PDF %.0f KB   (in %ls)\n", "sample page: file sizes",
                    bmpSize / 1024, pngSize / 1024, static_cast<double>(fileSize(pdfExportPath)) / 1024,
                    temporaryFile(L"").c_str());
        ratio("sample page: PNG export / BMP export", png.median / bmp.median);
        ratio("sample page: PNG size / BMP size", pngSize / bmpSize);
        ratio("sample page: PDF export (ms)", pdf.median);
    } else {
        std::printf("opening the sample work file: no file given\n");
    }
    workFilePath = temporaryFile(L"zanor-bench.ZANOR");
    buildWorstCasePage();
    refreshPage();
    saveWorkFile();
    report("opening the worst-case work file", measure(runs, [] {
               if (loadWorkFile()) renewImagesAndView();
           }));
    DeleteFileW(workFilePath.c_str());

    // The association is registered first, so that the program asks nothing.
    registerFileType(L"ZANOR", 0);
    const Figures minimal = startUp("start-up: minimal window program", ownFolder() + L"minimal_window.exe", 11);
    const Figures program = startUp("start-up: zanor.exe to its main window", ownFolder() + L"zanor.exe", 11);

    std::printf("\nmedians compared\n");
    ratio("plain refresh / refresh after a change", straight.median / full.median);
    ratio("plain refresh / refresh of the whole page", straight.median / whole.median);
    ratio("Deshacer / refresh after editing a cell", undone.median / edited.median);
    ratio("Rehacer / refresh after editing a cell", redone.median / edited.median);
    ratio("Deshacer / refresh after a change", undone.median / full.median);
    ratio("Rehacer / refresh after a change", redone.median / full.median);
    ratio("wheel step / plain refresh", wheel.median / straight.median);
    ratio("wheel step / refresh after a change", wheel.median / full.median);
    ratio("key step / plain refresh", key.median / straight.median);
    ratio("start-up / minimal window", program.median / minimal.median);
    ratio("export / plain copy", exported.median / copied.median);
    std::fflush(stdout);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string given = argv[1];
        sampleFile.assign(given.begin(), given.end());
    }
    prepareCommonControls();
    SetTimer(nullptr, 0, 10, runBenchmarks);
    showMainWindow(nullptr);
    return 0;
}
