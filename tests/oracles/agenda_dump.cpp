// agenda_dump FILE.ics FIRST-YEAR FIRST-MONTH: the entries that the agenda
// reader gives for the page of four months from that month, one line each
// ("2027-12-24 all-day|text", "2028-01-10 09:30|text") in the order of
// (date, timed, minutes, order), then "N occurrences" or the status's name.
// Times in UTC are taken to local time under the TZ environment variable.
// agenda_dump --festivos FIRST-YEAR LAST-YEAR: the national holidays of every
// year, "2028-04-14|Viernes Santo", as pages of four months give them.
#include "calendar/pagefill.h"
#include "files/icalendar.h"
#include "files/recurrence.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--festivos") {
        for (int year = std::atoi(argv[2]); year <= std::atoi(argv[3]); ++year)
            for (int month : {1, 5, 9})
                for (const DayText& holiday : nationalHolidays(month, year))
                    std::printf("%04d-%02d-%02d|%s\n", year, month + holiday.column - 1, holiday.day, holiday.text.c_str());
        return 0;
    }
    if (argc != 4) return std::fprintf(stderr, "usage: agenda_dump FILE.ics FIRST-YEAR FIRST-MONTH\n"), 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in) return std::fprintf(stderr, "agenda_dump: cannot read %s\n", argv[1]), 2;
    const int year = std::atoi(argv[2]), month = std::atoi(argv[3]);
    const int endMonth = (month + 2) % 12 + 1, endYear = year + (month + 2) / 12;
    const CivilDate first{year, month, 1}, last{endYear, endMonth, monthLength(endYear, endMonth)};
    tzset();
    const auto toLocal = [](const DateAndTime& utc) {
        std::tm tm{};
        tm.tm_year = utc.date.year - 1900, tm.tm_mon = utc.date.month - 1, tm.tm_mday = utc.date.day;
        tm.tm_hour = utc.minutes / 60, tm.tm_min = utc.minutes % 60;
        const std::time_t t = timegm(&tm);
        localtime_r(&t, &tm);
        return DateAndTime{{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour * 60 + tm.tm_min};
    };
    AgendaReading reading = readAgenda(bytes, first, last, toLocal);
    std::sort(reading.entries.begin(), reading.entries.end(), [](const AgendaEntry& a, const AgendaEntry& b) {
        return std::tie(a.date, a.timed, a.minutes, a.order) < std::tie(b.date, b.timed, b.minutes, b.order);
    });
    for (const AgendaEntry& e : reading.entries) {
        std::printf("%04d-%02d-%02d ", e.date.year, e.date.month, e.date.day);
        if (e.timed) std::printf("%02d:%02d|%s\n", e.minutes / 60, e.minutes % 60, e.text.c_str());
        else std::printf("all-day|%s\n", e.text.c_str());
    }
    if (reading.status == AgendaStatus::read) std::printf("%d occurrences\n", reading.occurrences);
    else std::printf("%s\n", std::string(agendaStatusName(reading.status)).c_str());
}
