// Recurrence rules walked period by period (a day, a week, a month or a year
// of the rule's frequency, every INTERVAL of them), each period's dates in
// order. A rule without COUNT starts at the period where the wanted days
// begin; with COUNT every occurrence from DTSTART on is counted, but never
// past the wanted days: no rule, however odd, walks further than that.
#include "files/recurrence.h"

#include "calendar/monthlayout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace {

constexpr int secondsPerDay = 24 * 60 * 60;
// Numbers in a rule above these mean "never again" anyway; capping them keeps
// the arithmetic far from overflowing.
constexpr std::int64_t maxInterval = 10'000'000;
constexpr std::int64_t maxCount = 1'000'000'000'000;

// Monday 0 .. Sunday 6; 1 January 1970 was a Thursday.
int weekdayOf(DayNumber day) {
    return static_cast<int>(((day % 7) + 7 + 3) % 7);
}

// `n` decimal digits at `at`.
bool digitsAt(std::string_view s, std::size_t at, std::size_t n, int& value) {
    if (at + n > s.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// An integer with an optional sign, capped at `cap` either way.
bool parseInteger(std::string_view s, std::int64_t cap, std::int64_t& value) {
    s = trimmed(s);
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    if (s.empty()) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = std::min(cap, value * 10 + (c - '0'));
    }
    if (negative) value = -value;
    return true;
}

// "MO".."SU" to 0..6, -1 for anything else.
int weekdayCode(std::string_view s) {
    constexpr std::string_view codes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    for (int w = 0; w < 7; ++w)
        if (sameLetters(s, codes[w])) return w;
    return -1;
}

// Calls `part` with each item of a comma list.
template <typename Part>
void forEachItem(std::string_view list, Part part) {
    while (true) {
        const std::size_t comma = list.find(',');
        part(trimmed(list.substr(0, comma)));
        if (comma == std::string_view::npos) return;
        list.remove_prefix(comma + 1);
    }
}

void readByDay(std::string_view item, RecurrenceRule& rule) {
    if (item.size() < 2) return;
    const int weekday = weekdayCode(item.substr(item.size() - 2));
    std::int64_t ordinal = 0;
    if (weekday < 0 || (item.size() > 2 && !parseInteger(item.substr(0, item.size() - 2), 1000, ordinal))) return;
    if (ordinal == 0) rule.weekdays |= 1u << weekday;
    else if (ordinal > 0 && ordinal <= 53) rule.nthWeekdays[weekday] |= std::uint64_t{1} << ordinal;
    else if (ordinal < 0 && ordinal >= -53) rule.nthLastWeekdays[weekday] |= std::uint64_t{1} << -ordinal;
}

bool hasByDay(const RecurrenceRule& r) {
    if (r.weekdays != 0) return true;
    for (int w = 0; w < 7; ++w)
        if (r.nthWeekdays[w] != 0 || r.nthLastWeekdays[w] != 0) return true;
    return false;
}

// The weekdays that BYDAY names, ordinals left out (as daily and weekly
// rules read them).
std::uint32_t anyWeekdays(const RecurrenceRule& r) {
    std::uint32_t mask = r.weekdays;
    for (int w = 0; w < 7; ++w)
        if (r.nthWeekdays[w] != 0 || r.nthLastWeekdays[w] != 0) mask |= 1u << w;
    return mask;
}

// Whether BYDAY takes weekday `w`, the day `index` (from 0) of a month or
// year of `length` days.
bool byDayTakes(const RecurrenceRule& r, int w, int index, int length) {
    return ((r.weekdays >> w) & 1) || ((r.nthWeekdays[w] >> (index / 7 + 1)) & 1) ||
           ((r.nthLastWeekdays[w] >> ((length - 1 - index) / 7 + 1)) & 1);
}

bool byMonthDayTakes(const RecurrenceRule& r, int day, int length) {
    return ((r.monthDays >> day) & 1) || ((r.monthDaysFromEnd >> (length - day + 1)) & 1);
}

using Candidates = std::array<DayNumber, 366>;

// The dates of one month that a monthly or yearly rule gives, in order:
// BYMONTHDAY and BYDAY both hold (ordinals counted in the month), or the day
// of DTSTART when there is neither.
int monthCandidates(const RecurrenceRule& r, int year, int month, int startDay, DayNumber* out) {
    const int length = monthLength(year, month);
    const DayNumber first = dayNumber({year, month, 1});
    const bool byMonthDay = (r.monthDays | r.monthDaysFromEnd) != 0, byDay = hasByDay(r);
    if (!byMonthDay && !byDay) {
        if (startDay > length) return 0;
        out[0] = first + startDay - 1;
        return 1;
    }
    int n = 0;
    for (int d = 1, w = weekdayOf(first); d <= length; ++d, w = (w + 1) % 7)
        if ((!byMonthDay || byMonthDayTakes(r, d, length)) && (!byDay || byDayTakes(r, w, d - 1, length)))
            out[n++] = first + d - 1;
    return n;
}

// The dates of period `p` of the rule that its BYxxx parts give, in order.
int periodDates(const RecurrenceRule& r, const CivilDate& start, DayNumber startDay, std::int64_t p,
                Candidates& out) {
    const std::int64_t step = p * r.interval;
    switch (r.frequency) {
    case Frequency::daily: {
        const DayNumber day = startDay + step;
        const std::uint32_t weekdays = anyWeekdays(r);
        if (weekdays != 0 && !((weekdays >> weekdayOf(day)) & 1)) return 0;
        if (r.months != 0 || r.monthDays != 0 || r.monthDaysFromEnd != 0) {
            const CivilDate date = civilDate(day);
            if (r.months != 0 && !((r.months >> date.month) & 1)) return 0;
            if ((r.monthDays | r.monthDaysFromEnd) != 0 &&
                !byMonthDayTakes(r, date.day, monthLength(date.year, date.month)))
                return 0;
        }
        out[0] = day;
        return 1;
    }
    case Frequency::weekly: {
        const DayNumber weekFirst = startDay - (weekdayOf(startDay) - r.weekStart + 7) % 7 + 7 * step;
        const std::uint32_t weekdays = hasByDay(r) ? anyWeekdays(r) : 1u << weekdayOf(startDay);
        int n = 0;
        for (DayNumber day = weekFirst; day < weekFirst + 7; ++day)
            if (((weekdays >> weekdayOf(day)) & 1) && (r.months == 0 || ((r.months >> civilDate(day).month) & 1)))
                out[static_cast<std::size_t>(n++)] = day;
        return n;
    }
    case Frequency::monthly: {
        const std::int64_t index = std::int64_t{start.year} * 12 + start.month - 1 + step;
        const int year = static_cast<int>(index / 12), month = static_cast<int>(index % 12) + 1;
        if (r.months != 0 && !((r.months >> month) & 1)) return 0;
        return monthCandidates(r, year, month, start.day, out.data());
    }
    case Frequency::yearly: {
        const int year = static_cast<int>(start.year + step);
        // BYDAY alone counts in the whole year; otherwise the months are
        // BYMONTH's, or DTSTART's own: also for BYMONTHDAY without BYMONTH,
        // which an exporter writes for yearly birthdays.
        if (r.months == 0 && (r.monthDays | r.monthDaysFromEnd) == 0 && hasByDay(r)) {
            const int length = februaryDays(year) == 29 ? 366 : 365;
            const DayNumber first = dayNumber({year, 1, 1});
            int n = 0;
            for (int d = 0, w = weekdayOf(first); d < length; ++d, w = (w + 1) % 7)
                if (byDayTakes(r, w, d, length)) out[static_cast<std::size_t>(n++)] = first + d;
            return n;
        }
        const std::uint32_t months = r.months != 0 ? r.months : 1u << start.month;
        int n = 0;
        for (int month = 1; month <= 12; ++month)
            if ((months >> month) & 1) n += monthCandidates(r, year, month, start.day, out.data() + n);
        return n;
    }
    case Frequency::none: break;
    }
    return 0;
}

// The same, with BYSETPOS: the dates at those places of the period's dates,
// in order ("the last weekday of the month").
int periodCandidates(const RecurrenceRule& r, const CivilDate& start, DayNumber startDay, std::int64_t p,
                     Candidates& out) {
    const int n = periodDates(r, start, startDay, p, out);
    if (r.setPositions.empty() || n == 0) return n;
    std::array<bool, 366> taken{};
    for (const int position : r.setPositions) {
        const int at = position > 0 ? position - 1 : n + position;
        if (at >= 0 && at < n) taken[static_cast<std::size_t>(at)] = true;
    }
    int kept = 0;
    for (int i = 0; i < n; ++i)
        if (taken[static_cast<std::size_t>(i)]) out[static_cast<std::size_t>(kept++)] = out[static_cast<std::size_t>(i)];
    return kept;
}

// The first day of period `p`: nothing of it or after it comes earlier.
DayNumber periodFirstDay(const RecurrenceRule& r, const CivilDate& start, DayNumber startDay, std::int64_t p) {
    const std::int64_t step = p * r.interval;
    switch (r.frequency) {
    case Frequency::daily: return startDay + step;
    case Frequency::weekly: return startDay - (weekdayOf(startDay) - r.weekStart + 7) % 7 + 7 * step;
    case Frequency::monthly: {
        const std::int64_t index = std::int64_t{start.year} * 12 + start.month - 1 + step;
        return dayNumber({static_cast<int>(index / 12), static_cast<int>(index % 12) + 1, 1});
    }
    case Frequency::yearly: return dayNumber({static_cast<int>(start.year + step), 1, 1});
    case Frequency::none: break;
    }
    return startDay;
}

// The period whose dates can first reach `day` (0 when the start does).
std::int64_t periodReaching(const RecurrenceRule& r, const CivilDate& start, DayNumber startDay, DayNumber day) {
    if (day <= startDay) return 0;
    const CivilDate date = civilDate(day);
    switch (r.frequency) {
    case Frequency::daily: return (day - startDay) / r.interval;
    case Frequency::weekly: return (day - periodFirstDay(r, start, startDay, 0)) / (7 * r.interval);
    case Frequency::monthly:
        return ((std::int64_t{date.year} - start.year) * 12 + date.month - start.month) / r.interval;
    case Frequency::yearly: return (std::int64_t{date.year} - start.year) / r.interval;
    case Frequency::none: break;
    }
    return 0;
}

// For rules whose every period but the first gives the same number of
// dates (a daily rule without BYxxx, a weekly one without BYMONTH): how many
// the periods before `p` (> 0) counted, DTSTART included. -1 for other rules.
std::int64_t countedBefore(const RecurrenceRule& r, DayNumber startDay, std::int64_t p) {
    if (r.frequency == Frequency::daily && r.months == 0 && (r.monthDays | r.monthDaysFromEnd) == 0 && !hasByDay(r))
        return p;
    if (r.frequency != Frequency::weekly || r.months != 0) return -1;
    const std::uint32_t weekdays = hasByDay(r) ? anyWeekdays(r) : 1u << weekdayOf(startDay);
    const int startOffset = (weekdayOf(startDay) - r.weekStart + 7) % 7;
    std::int64_t firstWeek = 0;
    for (int offset = startOffset + 1; offset < 7; ++offset)
        firstWeek += (weekdays >> ((r.weekStart + offset) % 7)) & 1;
    return 1 + firstWeek + (p - 1) * std::popcount(weekdays);
}

using Moment = std::pair<DayNumber, int>;

bool contains(const std::vector<Moment>& sorted, const Moment& m) {
    return std::binary_search(sorted.begin(), sorted.end(), m);
}

}  // namespace

DayNumber dayNumber(CivilDate date) {
    const std::int64_t y = std::int64_t{date.year} - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

CivilDate civilDate(DayNumber day) {
    day += 719468;
    const std::int64_t era = (day >= 0 ? day : day - 146096) / 146097;
    const std::int64_t dayOfEra = day - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t m = (5 * dayOfYear + 2) / 153;
    const int month = static_cast<int>(m < 10 ? m + 3 : m - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month,
            static_cast<int>(dayOfYear - (153 * m + 2) / 5 + 1)};
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int monthLength(int year, int month) { return daysInMonth(((month - 1) % 12 + 12) % 12 + 1, year); }

bool dateExists(CivilDate date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= monthLength(date.year, date.month);
}

bool parseStamp(std::string_view text, bool dateOnly, Stamp& stamp) {
    text = trimmed(text);
    CivilDate date{};
    if (!digitsAt(text, 0, 4, date.year) || !digitsAt(text, 4, 2, date.month) || !digitsAt(text, 6, 2, date.day) ||
        !dateExists(date))
        return false;
    stamp = Stamp{dayNumber(date), 0, false, false};
    if (text.size() == 8) return true;
    int hour = 0, minute = 0, second = 0;
    const bool utc = text.size() == 16 && upper(text[15]) == 'Z';
    if ((text.size() != 15 && !utc) || upper(text[8]) != 'T' || !digitsAt(text, 9, 2, hour) ||
        !digitsAt(text, 11, 2, minute) || !digitsAt(text, 13, 2, second) || hour > 23 || minute > 59 || second > 60)
        return false;
    if (!dateOnly) stamp = Stamp{stamp.day, hour * 3600 + minute * 60 + std::min(second, 59), true, utc};
    return true;
}

RecurrenceRule parseRecurrenceRule(std::string_view text) {
    RecurrenceRule rule;
    bool narrowed = false;
    while (!text.empty()) {
        const std::size_t semicolon = text.find(';');
        const std::string_view part = text.substr(0, semicolon);
        text.remove_prefix(semicolon == std::string_view::npos ? text.size() : semicolon + 1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view name = trimmed(part.substr(0, equals)), value = trimmed(part.substr(equals + 1));
        std::int64_t number = 0;
        if (sameLetters(name, "FREQ")) {
            constexpr std::pair<std::string_view, Frequency> frequencies[] = {
                {"DAILY", Frequency::daily}, {"WEEKLY", Frequency::weekly},
                {"MONTHLY", Frequency::monthly}, {"YEARLY", Frequency::yearly}};
            rule.frequency = Frequency::none;
            for (const auto& [word, frequency] : frequencies)
                if (sameLetters(value, word)) rule.frequency = frequency;
        } else if (sameLetters(name, "INTERVAL")) {
            if (parseInteger(value, maxInterval, number) && number > 0) rule.interval = number;
        } else if (sameLetters(name, "COUNT")) {
            if (parseInteger(value, maxCount, number) && number >= 0) rule.count = std::max<std::int64_t>(number, 1);
        } else if (sameLetters(name, "UNTIL")) {
            rule.hasUntil = parseStamp(value, false, rule.until);
        } else if (sameLetters(name, "BYMONTH")) {
            forEachItem(value, [&](std::string_view item) {
                if (parseInteger(item, 100, number) && number >= 1 && number <= 12) rule.months |= 1u << number;
            });
        } else if (sameLetters(name, "BYMONTHDAY")) {
            forEachItem(value, [&](std::string_view item) {
                if (!parseInteger(item, 100, number) || number == 0 || number > 31 || number < -31) return;
                (number > 0 ? rule.monthDays : rule.monthDaysFromEnd) |= 1u << (number > 0 ? number : -number);
            });
        } else if (sameLetters(name, "BYDAY")) {
            forEachItem(value, [&](std::string_view item) { readByDay(item, rule); });
        } else if (sameLetters(name, "WKST")) {
            rule.weekStart = std::max(0, weekdayCode(value));
        } else if (sameLetters(name, "BYSETPOS")) {
            forEachItem(value, [&](std::string_view item) {
                if (parseInteger(item, 400, number) && number != 0 && number >= -366 && number <= 366)
                    rule.setPositions.push_back(static_cast<int>(number));
            });
        } else if (sameLetters(name, "BYYEARDAY") || sameLetters(name, "BYWEEKNO")) {
            narrowed = true;
        }
    }
    if (narrowed) rule.frequency = Frequency::none;
    return rule;
}

Stamp localStamp(const Stamp& stamp, const UtcToLocal& toLocal) {
    if (!stamp.timed || !stamp.utc) return stamp;
    const DateAndTime local = toLocal(DateAndTime{civilDate(stamp.day), stamp.seconds / 60});
    // A time zone that answers nonsense leaves the time as written.
    if (!dateExists(local.date) || local.minutes < 0 || local.minutes >= 24 * 60)
        return Stamp{stamp.day, stamp.seconds, true, false};
    return Stamp{dayNumber(local.date), local.minutes * 60 + stamp.seconds % 60, true, false};
}

bool forEachOccurrence(const Series& series, DayNumber first, DayNumber last, const UtcToLocal& toLocal,
                       std::int64_t& periodsLeft, const std::function<bool(const LocalStart&)>& take) {
    const Stamp& start = series.start;
    const RecurrenceRule& rule = series.rule;
    // The starts, as written, whose days can meet first..last: a long
    // all-day event starts earlier, and a time in UTC can be a day off its
    // local day.
    const DayNumber margin = start.timed && start.utc ? 2 : 0;
    const DayNumber from = first - (start.timed ? 0 : std::max<DayNumber>(series.days, 1) - 1) - margin;
    const DayNumber to = last + margin;

    // What the exclusions take away. A date takes the occurrence that starts
    // on that (local) day; a time, the one that starts at that moment, in UTC
    // when both are, otherwise in local time.
    std::vector<DayNumber> days;
    std::vector<Moment> utcMoments, localMoments;
    for (const Stamp& x : series.exclusions) {
        const Stamp local = localStamp(x, toLocal);
        if (!start.timed || !x.timed) days.push_back(local.day);
        else if (start.utc && x.utc) utcMoments.emplace_back(x.day, x.seconds);
        else localMoments.emplace_back(local.day, local.seconds);
    }
    std::sort(days.begin(), days.end());
    std::sort(utcMoments.begin(), utcMoments.end());
    std::sort(localMoments.begin(), localMoments.end());
    const auto offer = [&](DayNumber day) {
        const Stamp local = localStamp(Stamp{day, start.seconds, start.timed, start.utc}, toLocal);
        if (std::binary_search(days.begin(), days.end(), local.day) ||
            (start.utc && contains(utcMoments, {day, start.seconds})) ||
            (start.timed && contains(localMoments, {local.day, local.seconds})))
            return true;
        return take(LocalStart{local.day, local.seconds / 60});
    };

    // DTSTART is always the first occurrence, and the first that COUNT counts.
    if (start.day >= from && start.day <= to && !offer(start.day)) return false;
    if (rule.frequency == Frequency::none) return true;

    // The last moment UNTIL lets an occurrence start at, in DTSTART's terms;
    // a date lets the whole day in.
    Moment limit{to + 1, 0};
    if (rule.hasUntil) {
        const Stamp until = rule.until.utc && !start.utc ? localStamp(rule.until, toLocal) : rule.until;
        limit = std::min(limit, until.timed ? Moment{until.day, until.seconds} : Moment{until.day, secondsPerDay});
    }
    const CivilDate startDate = civilDate(start.day);
    // A COUNT that not even a date in every period could use up before the
    // wanted days end changes nothing there.
    std::int64_t count = rule.count;
    constexpr std::int64_t mostPerPeriod[] = {1, 1, 7, 31, 366};
    const std::int64_t periodsToEnd = periodReaching(rule, startDate, start.day, to) + 1;
    if (1 + periodsToEnd * mostPerPeriod[static_cast<int>(rule.frequency)] < count) count = 0;
    // Without COUNT the walk starts where the wanted days begin; with it, too
    // when the dates before can be counted without walking them.
    std::int64_t period = 0, counted = 1;
    if (const std::int64_t reaching = periodReaching(rule, startDate, start.day, from); reaching > 0) {
        if (count == 0) period = reaching;
        else if (const std::int64_t before = countedBefore(rule, start.day, reaching); before >= 0)
            period = reaching, counted = before;
    }
    Candidates candidates;
    for (;; ++period) {
        if (periodFirstDay(rule, startDate, start.day, period) > std::min(to, limit.first)) return true;
        if (--periodsLeft < 0) return false;
        const int n = periodCandidates(rule, startDate, start.day, period, candidates);
        for (int i = 0; i < n; ++i) {
            const DayNumber day = candidates[static_cast<std::size_t>(i)];
            if (day <= start.day) continue;
            if ((count != 0 && ++counted > count) || Moment{day, start.seconds} > limit || day > to)
                return true;
            if (day >= from && !offer(day)) return false;
        }
    }
}
