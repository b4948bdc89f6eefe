// The agenda reader where tests/oracles/check-agenda.py cannot see it: the
// limits of what it reads, rules that the oracle's library reads otherwise,
// and bytes that are not UTF-8. The common files are the oracle's.
#include "files/icalendar.h"
#include "files/recurrence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

// A calendar of events apart by '#', their lines apart by '|'.
std::string calendar(std::string_view events) {
    std::string file = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n";
    for (char c : events)
        file += c == '#' ? "\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n" : c == '|' ? "\r\n" : std::string(1, c);
    return file + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// "0105 x, 0110 10:00 y": the entries by date, time and order.
std::string described(AgendaReading reading) {
    std::sort(reading.entries.begin(), reading.entries.end(), [](const AgendaEntry& a, const AgendaEntry& b) {
        return std::tie(a.date, a.timed, a.minutes, a.order) < std::tie(b.date, b.timed, b.minutes, b.order);
    });
    std::string text;
    for (const AgendaEntry& e : reading.entries) {
        char head[64];
        std::snprintf(head, sizeof head, e.timed ? "%02d%02d %02d:%02d " : "%02d%02d ", e.date.month, e.date.day,
                      e.minutes / 60, e.minutes % 60);
        text += (text.empty() ? "" : ", ") + std::string(head) + e.text;
    }
    return text;
}

struct Case {
    const char* name;
    std::string file;
    AgendaStatus status;
    int occurrences;
    const char* entries;
    CivilDate first = {2028, 1, 1}, last = {2028, 3, 31};
};

TEST(Agenda, LimitsRulesAndBytesBeyondTheOracle) {
    using enum AgendaStatus;
    const std::string value(maxValueBytes, 'v');
    const Case cases[] = {
        {"a file over 50 MB", std::string(maxAgendaBytes + 1, '\n'), fileTooLarge, 0, ""},
        {"no calendar comes before a long value", "BEGIN:VEVENT\nX:" + value + "v\n", notCalendar, 0, ""},
        {"a value of 64 KB", calendar("DTSTART:20280105|SUMMARY:x|DESCRIPTION:" + value), read, 1, "0105 x"},
        {"a value longer, in a component that is skipped", calendar("BEGIN:VALARM|X:" + value + "v|END:VALARM"),
         valueTooLong, 0, ""},
        {"more than 100,000 occurrences", calendar("DTSTART:18000101|RRULE:FREQ=DAILY|SUMMARY:x"),
         tooManyOccurrences, 0, "", {1800, 1, 1}, {2100, 12, 31}},
        {"COUNT counts a DTSTART that the rule does not give",
         calendar("DTSTART:20280105T100000|RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=3|SUMMARY:x"), read, 3,
         "0105 10:00 x, 0110 10:00 x, 0117 10:00 x"},
        {"an UNTIL date lets its whole day in; one in UTC is a local time against a local start",
         calendar("DTSTART:20280101T200000|RRULE:FREQ=DAILY;UNTIL=20280102|SUMMARY:a#"
                  "DTSTART:20280110T200000|RRULE:FREQ=DAILY;UNTIL=20280111T190000Z|SUMMARY:b"),
         read, 4, "0101 20:00 a, 0102 20:00 a, 0110 20:00 b, 0111 20:00 b"},
        {"an EXDATE date takes the timed occurrence of its local day",
         calendar("DTSTART:20280101T233000Z|RRULE:FREQ=DAILY;COUNT=3|EXDATE;VALUE=DATE:20280103|SUMMARY:x"), read, 2,
         "0102 00:30 x, 0104 00:30 x"},
        {"rules from the year 1 that never end or never give a date",
         calendar("DTSTART;VALUE=DATE:00010130|RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30;COUNT=5|SUMMARY:a#"
                  "DTSTART:00010101T000000|RRULE:FREQ=DAILY;BYMONTH=1;COUNT=63000|SUMMARY:b#"
                  "DTSTART:00010101T080000|RRULE:FREQ=DAILY;COUNT=99999999999|SUMMARY:c"),
         read, 2, "0105 00:00 b, 0105 08:00 c", {2028, 1, 5}, {2028, 1, 5}},
        {"bytes that are not UTF-8 are Windows-1252, control characters blanks",
         calendar("DTSTART:20280105|SUMMARY:A\xf1o \x80\t\\n\\\\fin\\"), read, 1,
         "0105 A\xc3\xb1o \xe2\x82\xac  \\fin\\"},
        {"an override without DTSTART starts at its RECURRENCE-ID, one without SUMMARY still replaces",
         calendar("UID:u|DTSTART;VALUE=DATE:20280105|RRULE:FREQ=DAILY;COUNT=3|SUMMARY:a#"
                  "UID:u|RECURRENCE-ID;VALUE=DATE:20280106|SUMMARY:b#UID:u|RECURRENCE-ID;VALUE=DATE:20280107"),
         read, 2, "0105 a, 0106 b"},
    };
    const UtcToLocal aheadOneHour = [](const DateAndTime& utc) {
        const int minutes = utc.minutes + 60;
        return DateAndTime{minutes < 24 * 60 ? utc.date : civilDate(dayNumber(utc.date) + 1), minutes % (24 * 60)};
    };
    for (const Case& c : cases) {
        const AgendaReading reading = readAgenda(c.file, c.first, c.last, aheadOneHour);
        EXPECT_EQ(agendaStatusName(reading.status), agendaStatusName(c.status)) << c.name;
        EXPECT_EQ(reading.occurrences, c.status == read ? c.occurrences : 0) << c.name;
        EXPECT_EQ(described(reading), c.entries) << c.name;
    }
}

}  // namespace
