#include "files/agenda.h"

#include "calendar/monthlayout.h"

#include <algorithm>
#include <tuple>

void pageDateRange(int firstMonth, int firstYear, CivilDate& first, CivilDate& last) {
    const MonthYear end = columnMonth(firstMonth, firstYear, pageColumns);
    first = {firstYear, firstMonth, 1};
    last = {end.year, end.month, daysInMonth(end.month, end.year)};
}

std::vector<DayText> agendaDayTexts(std::vector<AgendaEntry> entries, int firstMonth, int firstYear) {
    const auto key = [](const AgendaEntry& e) {
        return std::tuple(e.date.year, e.date.month, e.date.day, e.timed, e.timed ? e.minutes : 0, e.order);
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const AgendaEntry& a, const AgendaEntry& b) { return key(a) < key(b); });
    std::vector<DayText> texts;
    for (const AgendaEntry& entry : entries) {
        const int column = pageColumnOf(firstMonth, firstYear, entry.date.month, entry.date.year);
        if (column == 0) continue;
        std::string text = entry.text;
        if (entry.timed) {
            const int hours = entry.minutes / 60 % 24, minutes = entry.minutes % 60;
            const char time[] = {char('0' + hours / 10), char('0' + hours % 10), ':', char('0' + minutes / 10),
                                 char('0' + minutes % 10), ' '};
            text.insert(0, time, sizeof time);
        }
        texts.push_back({column, entry.date.day, std::move(text)});
    }
    return texts;
}
