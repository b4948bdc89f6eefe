// An iCalendar file read line by line: folded lines joined byte by byte (an
// exporter may fold inside a UTF-8 character), each line split into its
// name, parameters and value, the components followed by name on a stack,
// and the properties of each VEVENT kept. The dates of the events are then
// walked (files/recurrence.h) over the days asked for.
#include "files/icalendar.h"

#include "files/recurrence.h"

#include "calendar/pagefill.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// The file's lines with the folded ones joined: a line that starts with a
// blank or a tab continues the one before, less that blank. Lines end in CR
// LF, LF or a lone CR.
struct LineReader {
    std::string_view bytes;
    std::size_t at = 0;
    std::string joined;  // the last line, when it was folded
};

std::string_view physicalLine(std::string_view bytes, std::size_t& at) {
    const std::size_t begin = at;
    std::size_t end = begin;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    at = end + (end < bytes.size() ? 1 : 0);
    if (at < bytes.size() && bytes[end] == '\r' && bytes[at] == '\n') ++at;
    return bytes.substr(begin, end - begin);
}

// The next line that is not empty; false at the end of the file.
bool nextLine(LineReader& reader, std::string_view& line) {
    const std::string_view bytes = reader.bytes;
    while (reader.at < bytes.size()) {
        line = physicalLine(bytes, reader.at);
        bool folded = false;
        while (reader.at < bytes.size() && (bytes[reader.at] == ' ' || bytes[reader.at] == '\t')) {
            if (!folded) reader.joined.assign(line);
            folded = true;
            reader.joined.append(physicalLine(bytes, reader.at).substr(1));
        }
        if (folded) line = reader.joined;
        if (!line.empty()) return true;
    }
    return false;
}

// What a line says, of what is read: its name, its value, and whether a
// VALUE=DATE parameter makes the value a date.
struct ContentLine {
    std::string_view name;
    std::string_view value;
    bool dateValue = false;
};

// NAME;PARAM=VALUE,"QUOTED; VALUE":VALUE. False for a line without a name or
// without the colon before its value.
bool parseContentLine(std::string_view line, ContentLine& out) {
    const auto stop = [&](std::size_t i) {
        return i >= line.size() || line[i] == ';' || line[i] == ':' || line[i] == ',';
    };
    std::size_t i = 0;
    while (i < line.size() && line[i] != ';' && line[i] != ':') ++i;
    if (i == 0 || i == line.size()) return false;
    out = ContentLine{line.substr(0, i), {}, false};
    while (line[i] == ';') {
        const std::size_t nameStart = ++i;
        while (i < line.size() && line[i] != '=' && line[i] != ';' && line[i] != ':') ++i;
        if (i == line.size()) return false;
        const std::string_view name = line.substr(nameStart, i - nameStart);
        if (line[i] != '=') continue;
        do {
            const std::size_t valueStart = ++i;
            std::string_view value;
            if (i < line.size() && line[i] == '"') {
                const std::size_t close = line.find('"', i + 1);
                if (close == std::string_view::npos) return false;
                value = line.substr(i + 1, close - i - 1);
                i = close + 1;
                while (!stop(i)) ++i;
            } else {
                while (!stop(i)) ++i;
                value = line.substr(valueStart, i - valueStart);
            }
            if (i == line.size()) return false;
            if (sameLetters(name, "VALUE") && sameLetters(trimmed(value), "DATE")) out.dateValue = true;
        } while (line[i] == ',');
    }
    out.value = line.substr(i + 1);
    return true;
}

void appendCodePoint(std::string& out, unsigned cp) {
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// A TEXT value as it is written on a day: the escapes undone, line breaks
// and other control characters made blanks, and the bytes that are not UTF-8
// read as Windows-1252, which older exporters of Spanish calendars write.
std::string decodeText(std::string_view value) {
    std::string unescaped;
    unescaped.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            c = value[++i];
            if (c == 'n' || c == 'N') c = ' ';
        }
        unescaped += c;
    }
    std::string text;
    text.reserve(unescaped.size());
    const auto* s = reinterpret_cast<const unsigned char*>(unescaped.data());
    for (std::size_t i = 0; i < unescaped.size();) {
        if (s[i] < 0x20 || s[i] == 0x7F) {
            text += ' ';
            ++i;
        } else if (char32_t c = 0; const int n = decodeUtf8(unescaped, i, c)) {
            text.append(unescaped, i, static_cast<std::size_t>(n));
            i += static_cast<std::size_t>(n);
        } else {
            appendCodePoint(text, static_cast<unsigned>(fromWindows1252(s[i])));
            ++i;
        }
    }
    return text;
}

// The whole days of a DURATION value (weeks and days; its hours and less
// are no part of an all-day event). False for one that is not a duration or
// is negative.
bool parseDurationDays(std::string_view text, DayNumber& days) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || upper(text.front()) != 'P') return false;
    days = 0;
    DayNumber number = 0;
    bool inTime = false, digits = false;
    for (char c : text.substr(1)) {
        if (c >= '0' && c <= '9') {
            number = std::min<DayNumber>(number * 10 + (c - '0'), 10'000'000);
            digits = true;
            continue;
        }
        c = upper(c);
        if (c == 'T' && !inTime) inTime = true;
        else if (!digits || (inTime ? c != 'H' && c != 'M' && c != 'S' : c != 'W' && c != 'D')) return false;
        else if (!inTime) days += c == 'W' ? 7 * number : number;
        number = 0;
        digits = false;
    }
    return !digits;
}

// What a VEVENT says of itself.
struct EventRecord {
    int order = 0;
    std::string uid;
    std::string summary;
    std::string rule;  // the RRULE value
    bool cancelled = false;
    bool officeAllDay = false;  // X-MICROSOFT-CDO-ALLDAYEVENT:TRUE
    bool hasStart = false, hasEnd = false, hasRecurrenceId = false, hasUid = false, hasSummary = false,
         hasRule = false, hasDuration = false;
    Stamp start, end, recurrenceId;
    DayNumber durationDays = 0;
    std::vector<Stamp> exclusions;  // EXDATE
};

// A property of the VEVENT being read; the first of a name counts.
void takeProperty(const ContentLine& line, EventRecord& event) {
    const std::string_view name = line.name, value = line.value;
    Stamp stamp;
    if (sameLetters(name, "UID") && !event.hasUid) event.uid = value, event.hasUid = true;
    else if (sameLetters(name, "SUMMARY") && !event.hasSummary)
        event.summary = decodeText(value), event.hasSummary = true;
    else if (sameLetters(name, "RRULE") && !event.hasRule) event.rule = value, event.hasRule = true;
    else if (sameLetters(name, "DTSTART") && !event.hasStart)
        event.hasStart = parseStamp(value, line.dateValue, event.start);
    else if (sameLetters(name, "DTEND") && !event.hasEnd)
        event.hasEnd = parseStamp(value, line.dateValue, event.end);
    else if (sameLetters(name, "RECURRENCE-ID") && !event.hasRecurrenceId)
        event.hasRecurrenceId = parseStamp(value, line.dateValue, event.recurrenceId);
    else if (sameLetters(name, "DURATION") && !event.hasDuration)
        event.hasDuration = parseDurationDays(value, event.durationDays);
    else if (sameLetters(name, "STATUS")) event.cancelled = sameLetters(trimmed(value), "CANCELLED");
    else if (sameLetters(name, "X-MICROSOFT-CDO-ALLDAYEVENT")) event.officeAllDay = sameLetters(trimmed(value), "TRUE");
    else if (sameLetters(name, "EXDATE")) {
        std::string_view list = value;
        while (true) {
            const std::size_t comma = list.find(',');
            if (parseStamp(list.substr(0, comma), line.dateValue, stamp)) event.exclusions.push_back(stamp);
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
        }
    }
}

// The properties that takeProperty reads, and those that open and close
// components.
bool readProperty(std::string_view name) {
    for (const std::string_view read : {"UID", "SUMMARY", "RRULE", "DTSTART", "DTEND", "RECURRENCE-ID", "DURATION",
                                        "STATUS", "X-MICROSOFT-CDO-ALLDAYEVENT", "EXDATE", "BEGIN", "END"})
        if (sameLetters(name, read)) return true;
    return false;
}

bool isBegin(const ContentLine& line, std::string_view component) {
    return sameLetters(line.name, "BEGIN") && sameLetters(trimmed(line.value), component);
}

bool hasCalendar(std::string_view bytes) {
    LineReader reader{bytes, 0, {}};
    std::string_view line;
    ContentLine content;
    while (nextLine(reader, line))
        if (parseContentLine(line, content) && isBegin(content, "VCALENDAR")) return true;
    return false;
}

// An open component. Only a VEVENT directly inside VCALENDARs is an event;
// whatever else is open around a component makes it one that is skipped.
struct OpenComponent {
    std::string name;  // in capitals
    bool calendar;     // a VCALENDAR with nothing but VCALENDARs around it
    bool event;        // a VEVENT in such a VCALENDAR
};

// Deeper than this, a file is nonsense: further components are only counted,
// each END closing the deepest of them whatever its name.
constexpr std::size_t maxDepth = 32;

// The VEVENTs of the file, in order; false when a value is too long.
bool readEvents(std::string_view bytes, std::vector<EventRecord>& events) {
    LineReader reader{bytes, 0, {}};
    std::vector<OpenComponent> open;
    std::size_t tooDeep = 0;
    EventRecord event;
    std::string_view line;
    ContentLine content;
    while (nextLine(reader, line)) {
        if (!parseContentLine(line, content)) continue;
        // A long value of what is not read (an attachment, an HTML
        // description) is passed over; of what is read, it refuses the file.
        if (content.value.size() > maxValueBytes) {
            if (readProperty(content.name)) return false;
            continue;
        }
        const bool begin = sameLetters(content.name, "BEGIN");
        if (!begin && !sameLetters(content.name, "END")) {
            if (!open.empty() && open.back().event) takeProperty(content, event);
            continue;
        }
        std::string name(trimmed(content.value));
        std::transform(name.begin(), name.end(), name.begin(), upper);
        if (begin) {
            // A VEVENT that begins inside the event being read: that one
            // never ended, and is dropped.
            if (name == "VEVENT" && !open.empty() && open.back().event) open.pop_back();
            if (open.size() >= maxDepth) {
                ++tooDeep;
                continue;
            }
            const bool inCalendar = open.empty() || open.back().calendar;
            const bool inside = !open.empty() && open.back().calendar;
            open.push_back({std::move(name), false, false});
            open.back().calendar = inCalendar && open.back().name == "VCALENDAR";
            open.back().event = inside && open.back().name == "VEVENT";
            if (open.back().event) event = EventRecord{};
            continue;
        }
        if (tooDeep > 0) {
            --tooDeep;
            continue;
        }
        // An END closes the innermost open component of its name (those
        // inside it never ended and are dropped); one that closes nothing is
        // ignored.
        const auto closed =
            std::find_if(open.rbegin(), open.rend(), [&](const OpenComponent& c) { return c.name == name; });
        if (closed == open.rend()) continue;
        // An alarm that never ended inside an event does not spoil the event.
        const bool wasEvent = closed->event;
        open.erase(closed.base() - 1, open.end());
        if (wasEvent) {
            event.order = static_cast<int>(events.size());
            events.push_back(std::move(event));
            event = EventRecord{};
        }
    }
    return true;
}

// The dates of an event. False for one without a start.
bool buildSeries(const EventRecord& e, Series& series) {
    if (!e.hasStart && !e.hasRecurrenceId) return false;
    series.start = e.hasStart ? e.start : e.recurrenceId;
    // An office suite's all-day event: DTSTART and DTEND at midnight, as
    // times of day.
    if (e.officeAllDay && series.start.timed && series.start.seconds == 0) series.start = Stamp{series.start.day};
    if (!series.start.timed) {
        // Up to DTEND, not included (a day that DTEND enters is included);
        // or DURATION's days; or the one day of DTSTART.
        const DayNumber end = e.end.day + (e.end.timed && e.end.seconds > 0 ? 1 : 0);
        if (e.hasEnd) series.days = std::max<DayNumber>(end - series.start.day, 1);
        else if (e.durationDays > 0) series.days = e.durationDays;
    }
    // An override is the one occurrence it gives.
    if (e.hasRule && !e.hasRecurrenceId) series.rule = parseRecurrenceRule(e.rule);
    series.exclusions = e.exclusions;
    return true;
}

AgendaReading refused(AgendaStatus status) {
    AgendaReading reading;
    reading.status = status;
    return reading;
}

}  // namespace

std::string_view agendaStatusName(AgendaStatus status) {
    switch (status) {
    case AgendaStatus::read: return "read";
    case AgendaStatus::notCalendar: return "notCalendar";
    case AgendaStatus::valueTooLong: return "valueTooLong";
    case AgendaStatus::fileTooLarge: return "fileTooLarge";
    case AgendaStatus::tooManyOccurrences: return "tooManyOccurrences";
    case AgendaStatus::tooLongToWork: return "tooLongToWork";
    }
    return "";
}

AgendaReading readAgenda(std::string_view bytes, CivilDate first, CivilDate last, const UtcToLocal& toLocal) {
    if (bytes.size() > maxAgendaBytes) return refused(AgendaStatus::fileTooLarge);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (!hasCalendar(bytes)) return refused(AgendaStatus::notCalendar);
    std::vector<EventRecord> events;
    if (!readEvents(bytes, events)) return refused(AgendaStatus::valueTooLong);
    AgendaReading reading;
    // The calendar ends with 9999.
    if (last.year > 9999) last = {9999, 12, 31};
    if (!dateExists(first) || !dateExists(last) || last < first) return reading;

    // Each override takes the occurrence it names away from the events of
    // its UID that recur.
    std::vector<Series> series(events.size());
    std::vector<bool> usable(events.size());
    std::unordered_map<std::string_view, std::vector<std::size_t>> masters;
    for (std::size_t i = 0; i < events.size(); ++i) {
        usable[i] = buildSeries(events[i], series[i]);
        if (usable[i] && events[i].hasUid && !events[i].hasRecurrenceId) masters[events[i].uid].push_back(i);
    }
    for (const EventRecord& e : events)
        if (e.hasRecurrenceId && e.hasUid)
            if (const auto found = masters.find(e.uid); found != masters.end())
                for (const std::size_t m : found->second) series[m].exclusions.push_back(e.recurrenceId);

    const DayNumber firstDay = dayNumber(first), lastDay = dayNumber(last);
    bool tooMany = false;
    std::int64_t periodsLeft = maxRulePeriods;
    for (std::size_t i = 0; i < events.size() && !tooMany && periodsLeft >= 0; ++i) {
        const EventRecord& e = events[i];
        if (!usable[i] || e.cancelled || e.summary.empty()) continue;
        const bool timed = series[i].start.timed;
        forEachOccurrence(series[i], firstDay, lastDay, toLocal, periodsLeft, [&](const LocalStart& start) {
            const DayNumber from = std::max(start.day, firstDay);
            const DayNumber to = std::min(timed ? start.day : start.day + series[i].days - 1, lastDay);
            if (from > to) return true;
            if (++reading.occurrences > maxOccurrences ||
                reading.entries.size() + static_cast<std::size_t>(to - from + 1) > maxAgendaEntries) {
                tooMany = true;
                return false;
            }
            for (DayNumber day = from; day <= to; ++day)
                reading.entries.push_back({civilDate(day), timed, timed ? start.minutes : 0, e.order, e.summary});
            return true;
        });
    }
    if (tooMany) return refused(AgendaStatus::tooManyOccurrences);
    if (periodsLeft < 0) return refused(AgendaStatus::tooLongToWork);
    return reading;
}
