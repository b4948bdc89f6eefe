// The dates of an event of an iCalendar file: day numbers and the calendar
// arithmetic on them, dates and times as the file writes them, recurrence
// rules (RRULE) and the starts of the occurrences they give, less those an
// EXDATE or an override takes away. Portable.
#pragma once

#include "files/icalendar.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The text of the file: letters compared without case ("freq" is "FREQ"),
// and a value without the blanks and tabs around it.
char upper(char c);
bool sameLetters(std::string_view a, std::string_view b);
std::string_view trimmed(std::string_view s);

// Days counted from 1 January 1970, negative before it.
using DayNumber = std::int64_t;

DayNumber dayNumber(CivilDate date);
CivilDate civilDate(DayNumber day);
int monthLength(int year, int month);
// True for a month 1..12 and a day that month has, in the years 1..9999.
bool dateExists(CivilDate date);

// A date, or a date and a time of day, as the file writes it.
struct Stamp {
    DayNumber day = 0;
    int seconds = 0;     // after midnight; 0 for a date
    bool timed = false;  // false: a date
    bool utc = false;    // a time in UTC (a trailing "Z")
};

// "20271225", "20271225T093000" or "20271225T093000Z", blanks around them
// allowed. With `dateOnly` (a VALUE=DATE parameter) the date of any of them.
// False for anything else, or for a date or a time that does not exist.
bool parseStamp(std::string_view text, bool dateOnly, Stamp& stamp);

enum class Frequency { none, daily, weekly, monthly, yearly };

// A recurrence rule, as far as it is read. The BYxxx sets are bit masks; an
// empty mask is a part the rule does not have. Weekdays count from Monday (0).
struct RecurrenceRule {
    Frequency frequency = Frequency::none;  // none: the event does not recur
    std::int64_t interval = 1;
    std::int64_t count = 0;  // 0: no COUNT
    bool hasUntil = false;
    Stamp until;
    std::uint32_t months = 0;            // BYMONTH: bit m for month m
    std::uint32_t monthDays = 0;         // BYMONTHDAY: bit d for day d
    std::uint32_t monthDaysFromEnd = 0;  // BYMONTHDAY: bit d for day -d (-1 the last)
    std::uint32_t weekdays = 0;          // BYDAY without an ordinal: bit w for weekday w
    std::uint64_t nthWeekdays[7] = {};   // BYDAY nWD: bit n for weekday WD
    std::uint64_t nthLastWeekdays[7] = {};  // BYDAY -nWD
    int weekStart = 0;                   // WKST
    std::vector<int> setPositions;       // BYSETPOS: 1 the first date of a period, -1 its last
};

// The rule of an RRULE value. Values it cannot read are left out, and so are
// the pieces of a rule it does not know; a FREQ other than the four it knows,
// or a BYYEARDAY or BYWEEKNO (which would narrow the dates it gives), gives
// none: the event keeps only its first date.
RecurrenceRule parseRecurrenceRule(std::string_view text);

// The dates of one event.
struct Series {
    Stamp start;                    // DTSTART, a date for an all-day event
    DayNumber days = 1;             // the days an all-day event covers
    RecurrenceRule rule;
    std::vector<Stamp> exclusions;  // its EXDATEs, and the RECURRENCE-ID of each of its overrides
};

// Where an occurrence starts in local time.
struct LocalStart {
    DayNumber day;
    int minutes;  // after midnight; 0 for all-day
};

// A time in UTC in local time, seconds kept; a date or a time not in UTC
// stays as it is.
Stamp localStamp(const Stamp& stamp, const UtcToLocal& toLocal);

// Calls `take` with the local start of each occurrence of the series, in
// order, whose days can meet the days `first` to `last` (some earlier and
// later ones may come too); those excluded are left out. Each period of the
// rule that is looked at takes one from `periodsLeft`. Stops, and returns
// false, as soon as `take` returns false or `periodsLeft` runs out.
bool forEachOccurrence(const Series& series, DayNumber first, DayNumber last, const UtcToLocal& toLocal,
                       std::int64_t& periodsLeft, const std::function<bool(const LocalStart&)>& take);
