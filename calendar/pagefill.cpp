#include "calendar/pagefill.h"

#include "calendar/monthlayout.h"

#include <cstring>

namespace {

// The characters of Windows-1252's bytes 0x80..0x9F; U+FFFD where a byte has none.
constexpr char32_t windows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char cellCharOf(char32_t c) {
    if (c == U'\r' || c == U'\n') return ' ';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (windows1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

char32_t fromWindows1252(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte; }

// The length of the UTF-8 sequence that starts at text[at] and its code
// point; 0 for a broken sequence (an overlong form, a surrogate, beyond
// U+10FFFF, a missing continuation byte).
int decodeUtf8(std::string_view text, std::size_t at, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                     : lead >= 0xF0 && lead < 0xF5   ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        c = c << 6 | (byte(at + i) & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

std::string cellTextOfUtf8(std::string_view utf8) {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        // A line break of two characters is one blank too.
        if (utf8.substr(at, 2) == "\r\n") ++at;
        char32_t c = 0;
        const int length = decodeUtf8(utf8, at, c);
        out += length > 0 ? cellCharOf(c) : '?';
        at += length > 0 ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

bool addTextToCell(DayCell& cell, std::string_view text, bool holiday) {
    const std::string added(trimmed(cellTextOfUtf8(text)));
    const std::string now(cell.text, strnlen(cell.text, sizeof cell.text));
    if (added.empty() || now.find(added) != std::string::npos) return false;
    // A cell with no room for the separator and a character of the text after
    // it takes nothing more.
    constexpr std::size_t separator = 3, room = cellTextCapacity - 1;
    if (!now.empty() && now.size() + separator >= room) return false;
    // A cell that a work file had no record for draws no text: it gets a
    // blank day's look first.
    if (now.empty() && (cell.alignment < alignLeft || cell.alignment > alignJustified)) setCellDefaults(cell);
    assignField(cell.text, now.empty() ? added : now + " \xB7 " + added);
    if (now.empty() && holiday) {
        cell.alignment = alignCentre;
        cell.bold = 1;
        cell.fontColour = sundayDateColour;
    }
    return true;
}

int pageColumnOf(int firstMonth, int firstYear, int month, int year) {
    for (int column = 1; column <= pageColumns; ++column) {
        const MonthYear shown = columnMonth(firstMonth, firstYear, column);
        if (shown.month == month && shown.year == year) return column;
    }
    return 0;
}

int addTextsToPage(const std::vector<DayText>& texts, bool holidays) {
    if (!pageExists()) return 0;
    std::vector<bool> changed(std::size_t{pageColumns} * pageDays, false);
    for (const DayText& text : texts) {
        if (text.column < 1 || text.column > pageColumns || text.day < 1) continue;
        const MonthYear shown = columnMonth(firstMonth, firstYear, text.column);
        if (text.day > daysInMonth(shown.month, shown.year)) continue;
        if (addTextToCell(cellAt(text.column, text.day), text.text, holidays))
            changed[static_cast<std::size_t>((text.day - 1) * pageColumns + text.column - 1)] = true;
    }
    int days = 0;
    for (const bool day : changed) days += day;
    return days;
}

MonthDay easterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return {n / 31, n % 31 + 1};
}

std::vector<DayText> nationalHolidays(int firstMonth, int firstYear) {
    struct Holiday {
        int month;
        int day;
        const char* text;
    };
    std::vector<DayText> texts;
    for (int column = 1; column <= pageColumns; ++column) {
        const MonthYear shown = columnMonth(firstMonth, firstYear, column);
        // Good Friday: two days before Easter Sunday, which is never before 22 March.
        const MonthDay easter = easterSunday(shown.year);
        const MonthDay goodFriday = easter.day > 2 ? MonthDay{easter.month, easter.day - 2}
                                                   : MonthDay{3, 31 + easter.day - 2};
        const Holiday holidays[] = {
            {1, 1, "A\u00f1o Nuevo"},
            {1, 6, "Epifan\u00eda del Se\u00f1or"},
            {goodFriday.month, goodFriday.day, "Viernes Santo"},
            {5, 1, "Fiesta del Trabajo"},
            {8, 15, "Asunci\u00f3n de la Virgen"},
            {10, 12, "Fiesta Nacional de Espa\u00f1a"},
            {11, 1, "Todos los Santos"},
            {12, 6, "D\u00eda de la Constituci\u00f3n Espa\u00f1ola"},
            {12, 8, "Inmaculada Concepci\u00f3n"},
            {12, 25, "Natividad del Se\u00f1or"},
        };
        for (const Holiday& holiday : holidays)
            if (holiday.month == shown.month) texts.push_back({column, holiday.day, holiday.text});
    }
    return texts;
}
