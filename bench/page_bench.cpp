// Times the page drawing on a worst-case page: 124 cells, each with 273
// characters of justified text in a proportional face. Run under Wine:
//   scripts/bench
#include "app/mainwindow.h"
#include "calendar/document.h"
#include "calendar/render.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

void buildWorstCasePage() {
    resetAllCells();
    firstMonth = 1;
    firstYear = 2024;  // 31 + 29 + 31 + 30 days: every row of the table that exists is drawn
    const std::string words = "Reunion con el equipo de diseno para revisar los colores del calendario ";
    std::string text;
    while (text.size() < 273) text += words;
    text.resize(273);
    for (int column = 1; column <= 4; ++column)
        for (int day = 1; day <= 31; ++day) {
            DayCell& cell = cellAt(column, day);
            assignField(cell.text, text);
            assignField(cell.fontName, "Liberation Serif");
            cell.fontSize = 9;
            cell.alignment = alignJustified;
        }
}

struct Figures {
    double min, median, max;
};

Figures measure(int runs, const std::function<void()>& step) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

void report(const char* what, const Figures& f) {
    std::printf("%-32s min %8.2f ms   median %8.2f ms   max %8.2f ms\n", what, f.min, f.median, f.max);
}

void CALLBACK runBenchmarks(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!IsWindowVisible(mainWindow)) return;
    KillTimer(nullptr, timer);
    buildWorstCasePage();
    refreshPage();
    const int runs = 30;
    report("refreshPage (worst-case page)", measure(runs, refreshPage));
    // The steps go through the canvas as the user's wheel and keys do.
    HWND canvas = canvasWindow();
    viewY = 0;
    report("wheel step (15 px)", measure(runs, [canvas] {
               SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, 0xFF88), 0);
           }));
    viewY = 0;
    report("key step (Down, 92 px)", measure(runs, [canvas] {
               SendMessageW(canvas, WM_KEYDOWN, VK_DOWN, 1);
               if (viewY < -2200) viewY = 0;
           }));
    std::fflush(stdout);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
    prepareCommonControls();
    SetTimer(nullptr, 0, 10, runBenchmarks);
    showMainWindow(nullptr);
    return 0;
}
