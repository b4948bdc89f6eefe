// The events of an iCalendar file (".ics") as texts on the days of a page:
// what "Importar agenda" writes into the day cells. Reads the file's lines,
// its VEVENT components and their dates; the dates of a recurring event are
// worked out in files/recurrence.h. Portable: the computer's time zone comes
// from the caller.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A day of the (proleptic Gregorian) calendar.
struct CivilDate {
    int year;
    int month;
    int day;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

// A date and a time of day, minutes after midnight.
struct DateAndTime {
    CivilDate date;
    int minutes;
};

// The computer's local time of a time in UTC (the caller backs it with the
// platform's time zone).
using UtcToLocal = std::function<DateAndTime(const DateAndTime& utc)>;

// One text that an event puts on one day.
struct AgendaEntry {
    CivilDate date;    // the day it is written on
    bool timed;        // false: all-day
    int minutes;       // a timed entry's start, local, minutes after midnight (0 for all-day)
    int order;         // the position of its VEVENT in the file, from 0 (an override has its own)
    std::string text;  // the SUMMARY, UTF-8, escapes undone, line breaks made blanks; no time prefix
};

// How a reading ended: read, or refused (no calendar, a value too long, a file
// too large, too many occurrences on the page, rules that would take too long
// to work out).
enum class AgendaStatus { read, notCalendar, valueTooLong, fileTooLarge, tooManyOccurrences, tooLongToWork };

struct AgendaReading {
    AgendaStatus status = AgendaStatus::read;
    // One per day inside the range that an all-day occurrence covers, one on
    // the day a timed one starts; in no particular order.
    std::vector<AgendaEntry> entries;
    int occurrences = 0;               // occurrences of the file that fall (at least partly) inside the range
};

// Files above this size are refused whole.
constexpr std::size_t maxAgendaBytes = 50 * 1024 * 1024;
// A value (its lines joined) above this size, of a property that is read,
// makes the file refused; of any other, it is passed over.
constexpr std::size_t maxValueBytes = 64 * 1024;
// More occurrences than this inside the range make the reading refused; so
// do more entries than twice as many (long events that recur often),
// which no page could show and which would only fill the memory.
constexpr int maxOccurrences = 100000;
constexpr std::size_t maxAgendaEntries = std::size_t{2} * maxOccurrences;
// Rules that would need walking through more periods (days, weeks,
// months or years) than this in all to reach the range: a file written to
// keep the reader busy for minutes: refused as too long to work out.
constexpr std::int64_t maxRulePeriods = 20'000'000;

// The events of an iCalendar file on the days from `first` to `last`, both
// included. Any bytes are read without harm: what is not understood adds
// nothing.
AgendaReading readAgenda(std::string_view bytes, CivilDate first, CivilDate last, const UtcToLocal& toLocal);

// "read", "notCalendar", ...: the status's own name, for reports.
std::string_view agendaStatusName(AgendaStatus status);
