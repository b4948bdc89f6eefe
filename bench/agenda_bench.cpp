// The reading of a large agenda (bench/agendafile.h) over a page of four
// months, and its texts written into a page's days, twenty times each: the
// least, the median and the most time.
#include "bench/agendafile.h"
#include "calendar/pagefill.h"
#include "files/agenda.h"
#include "files/icalendar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

void report(const char* what, const std::function<void()>& step, const std::function<void()>& before = {}) {
    std::vector<double> times;
    for (int run = 0; run < 20; ++run) {
        if (before) before();
        const auto started = std::chrono::steady_clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-52s min %6.1f ms, median %6.1f ms, max %6.1f ms\n", what, times.front(), times[times.size() / 2],
                times.back());
}

}  // namespace

int main() {
    const std::string file = benchagenda::agenda();
    const auto toLocal = [](const DateAndTime& utc) {
        DateAndTime local = utc;
        local.minutes = (utc.minutes + 60) % (24 * 60);
        if (utc.minutes + 60 >= 24 * 60) local.date.day = std::min(local.date.day + 1, 28);  // near enough for timing
        return local;
    };
    AgendaReading reading;
    report("readAgenda", [&] { reading = readAgenda(file, {2027, 12, 1}, {2028, 3, 31}, toLocal); });
    std::printf("agenda of %zu bytes, 10000 events: %s, %d occurrences, %zu entries on December 2027 to March 2028\n",
                file.size(), std::string(agendaStatusName(reading.status)).c_str(), reading.occurrences,
                reading.entries.size());
    const auto blankPage = [] {
        resetAllCells();
        firstMonth = 12, firstYear = 2027;
    };
    int days = 0;
    report("its texts into a blank page", [&] { days = addTextsToPage(agendaDayTexts(reading.entries, 12, 2027), false); },
           blankPage);
    report("read and written into a blank page", [&] {
        days = addTextsToPage(agendaDayTexts(readAgenda(file, {2027, 12, 1}, {2028, 3, 31}, toLocal).entries, 12, 2027), false);
    }, blankPage);
    std::printf("days changed: %d\n", days);
}
