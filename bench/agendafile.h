// A large agenda for the benchmarks: a file of about 2 MB with 10,000 events
// of every kind the exporters write (all-day days with alarms, times in UTC,
// daily and weekly rules with BYDAY and EXDATE, monthly "nth weekday" rules,
// yearly birthdays from decades ago, COUNT and UNTIL, moved occurrences,
// folded descriptions), the same every time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace benchagenda {


inline std::uint32_t state = 20271201;

inline int pick(int n) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
}

inline std::string date(int year) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, 1 + pick(12), 1 + pick(28));
    return text;
}

inline std::string time() {
    char text[48];
    std::snprintf(text, sizeof text, "T%02d%02d00", 6 + pick(14), 15 * pick(4));
    return text;
}

// A description of about 120 bytes, folded at 75 as exporters fold.
inline std::string description(int i) {
    std::string value = "DESCRIPTION:Evento número " + std::to_string(i) + ": ";
    while (value.size() < 120) value += "texto de relleno con acentos (á\\, é\\, ñ) y una línea\\n";
    std::string folded;
    for (std::size_t at = 0; at < value.size(); at += 74) folded += (at ? "\r\n " : "") + value.substr(at, 74);
    return folded + "\r\n";
}

inline std::string agenda() {
    const char* weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Banco de pruebas//ES\r\n";
    for (int i = 0; i < 10000; ++i) {
        const std::string uid = "UID:evento-" + std::to_string(i) + "@example.com\r\n";
        std::string event = "BEGIN:VEVENT\r\n" + uid + "SUMMARY:Evento " + std::to_string(i) + " de la agenda\r\n";
        const int kind = pick(20);
        if (kind < 5) {
            const std::string day = date(2026 + pick(4));
            event += "DTSTART;VALUE=DATE:" + day + "\r\nDTEND;VALUE=DATE:" + day + "\r\n";
            event += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Aviso\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n";
        } else if (kind < 8) {
            event += "DTSTART:" + date(2026 + pick(4)) + time() + "Z\r\nDURATION:PT1H\r\n";
        } else if (kind < 11) {
            const std::string start = date(2020 + pick(8)), at = time();
            event += "DTSTART;TZID=Europe/Madrid:" + start + at + "\r\nRRULE:FREQ=" + (pick(2) ? "DAILY" : "WEEKLY") +
                     ";BYDAY=" + weekdays[pick(7)] + "," + weekdays[pick(7)] +
                     (pick(3) ? "" : ";UNTIL=20280215T000000Z") +
                     "\r\nEXDATE;TZID=Europe/Madrid:" + date(2028) + at + "," + date(2027) + at + "\r\n";
            if (pick(4) == 0) {
                event += "END:VEVENT\r\nBEGIN:VEVENT\r\n" + uid + "SUMMARY:Evento movido\r\n";
                event += "RECURRENCE-ID;TZID=Europe/Madrid:" + date(2028) + at + "\r\n";
                event += "DTSTART;TZID=Europe/Madrid:" + date(2028) + at + "\r\n";
            }
        } else if (kind < 13) {
            event += "DTSTART:" + date(2010 + pick(15)) + time() + "\r\nRRULE:FREQ=MONTHLY;BYDAY=" +
                     std::to_string(pick(2) ? 1 + pick(4) : -1) + weekdays[pick(7)] + "\r\n";
        } else if (kind < 17) {
            const std::string born = date(1940 + pick(60));
            event += "DTSTART;VALUE=DATE:" + born + "\r\nRRULE:FREQ=YEARLY";
            event += (pick(2) ? ";BYMONTHDAY=" + born.substr(6) : "") + "\r\n";
        } else {
            event += "DTSTART:" + date(2015 + pick(12)) + time() + "\r\nRRULE:FREQ=" + (pick(2) ? "DAILY" : "WEEKLY") +
                     ";INTERVAL=" + std::to_string(1 + pick(3)) + ";COUNT=" + std::to_string(10 + pick(2000)) + "\r\n";
        }
        if (pick(3) == 0) event += description(i);
        file += event + "END:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

}  // namespace benchagenda
