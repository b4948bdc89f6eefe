// Any bytes as an iCalendar file, read over December 2027 to March 2028 with
// a time zone one hour ahead of UTC: the reader neither crashes nor hangs,
// and what it gives is sound: every entry inside the range, on a real day,
// with a time of day and a non-empty UTF-8 text, no more timed entries than
// occurrences, and entries only for a file that was read.
#include "files/icalendar.h"
#include "files/recurrence.h"

#include <cstdlib>
#include <set>
#include <tuple>

static void check(bool condition) { if (!condition) std::abort(); }

// Each lead byte followed by as many continuation bytes as it announces.
static bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned c = static_cast<unsigned char>(s[i++]);
        int due = c < 0x80 ? 0 : c < 0xC2 || c > 0xF4 ? -1 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        if (due < 0) return false;
        for (; due > 0; --due)
            if (i == s.size() || (static_cast<unsigned char>(s[i++]) & 0xC0) != 0x80) return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const CivilDate first{2027, 12, 1}, last{2028, 3, 31};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const AgendaReading reading = readAgenda(bytes, first, last, [](const DateAndTime& utc) {
        const int minutes = utc.minutes + 60;
        return DateAndTime{minutes < 24 * 60 ? utc.date : civilDate(dayNumber(utc.date) + 1), minutes % (24 * 60)};
    });
    check(reading.entries.empty() || (reading.status == AgendaStatus::read && reading.occurrences > 0));
    check(reading.occurrences >= 0 && reading.occurrences <= maxOccurrences);
    std::set<std::tuple<int, DayNumber, int>> timedStarts;
    for (const AgendaEntry& e : reading.entries) {
        check(dateExists(e.date) && first <= e.date && e.date <= last && e.minutes >= 0 && e.minutes < 24 * 60);
        check((e.timed || e.minutes == 0) && e.order >= 0 && !e.text.empty() && isUtf8(e.text));
        if (e.timed) timedStarts.emplace(e.order, dayNumber(e.date), e.minutes);
    }
    check(timedStarts.size() <= static_cast<std::size_t>(reading.occurrences));
    return 0;
}
