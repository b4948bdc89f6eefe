// agenda_dump FILE.ics FIRST LAST (dates as 2027-12-01): the entries that the
// agenda reader gives for those days, one line each ("2027-12-24 all-day|text",
// "2028-01-10 09:30|text") in no particular order, then "N occurrences" or the
// status's name. Times in UTC are taken to local time under the TZ environment
// variable.
// agenda_dump --festivos FIRST-YEAR LAST-YEAR: the national holidays that the
// pages of April, August and December of those years give, one line each
// ("2028-04-14|Viernes Santo"): the December pages show the next year's months.
#include "calendar/pagefill.h"
#include "files/icalendar.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) return std::fprintf(stderr, "usage: agenda_dump FILE.ics FIRST LAST | --festivos FIRST LAST\n"), 2;
    if (std::string(argv[1]) == "--festivos") {
        for (int year = std::atoi(argv[2]); year <= std::atoi(argv[3]); ++year)
            for (int month : {4, 8, 12})
                for (const DayText& h : nationalHolidays(month, year)) {
                    const int shown = month + h.column - 2;  // months from January of `year`, from 0
                    std::printf("%04d-%02d-%02d|%s\n", year + shown / 12, shown % 12 + 1, h.day, h.text.c_str());
                }
        return 0;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    CivilDate first{}, last{};
    if (!in || std::sscanf(argv[2], "%d-%d-%d", &first.year, &first.month, &first.day) != 3 ||
        std::sscanf(argv[3], "%d-%d-%d", &last.year, &last.month, &last.day) != 3)
        return std::fprintf(stderr, "agenda_dump: cannot read %s, or the dates\n", argv[1]), 2;
    tzset();
    const AgendaReading reading = readAgenda(bytes, first, last, [](const DateAndTime& utc) {
        std::tm tm{};
        tm.tm_year = utc.date.year - 1900, tm.tm_mon = utc.date.month - 1, tm.tm_mday = utc.date.day;
        tm.tm_hour = utc.minutes / 60, tm.tm_min = utc.minutes % 60;
        const std::time_t t = timegm(&tm);
        localtime_r(&t, &tm);
        return DateAndTime{{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour * 60 + tm.tm_min};
    });
    for (const AgendaEntry& e : reading.entries) {
        char time[16] = "all-day";
        if (e.timed) std::snprintf(time, sizeof time, "%02d:%02d", e.minutes / 60, e.minutes % 60);
        std::printf("%04d-%02d-%02d %s|%s\n", e.date.year, e.date.month, e.date.day, time, e.text.c_str());
    }
    if (reading.status == AgendaStatus::read) std::printf("%d occurrences\n", reading.occurrences);
    else std::printf("%s\n", std::string(agendaStatusName(reading.status)).c_str());
}
