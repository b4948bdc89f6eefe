// What an agenda (an iCalendar file) puts on the page: its entries as the
// texts of the page's days. Portable.
#pragma once

#include "calendar/pagefill.h"
#include "files/icalendar.h"

#include <vector>

// The first and the last day of the page that starts at (firstMonth,
// firstYear): the four months it shows.
void pageDateRange(int firstMonth, int firstYear, CivilDate& first, CivilDate& last);

// The texts of the entries that fall on the page's days. Each day's come in
// this order: the all-day entries as the file lists their events, then the
// timed ones by their start, each led by its time on the 24-hour clock
// ("09:30 Dentista").
std::vector<DayText> agendaDayTexts(std::vector<AgendaEntry> entries, int firstMonth, int firstYear);
