// "Festivos nacionales" and "Importar agenda" as a user finds them, on the
// sample page and on a new page: what they write into the days (read from the
// saved work files), their messages, a second run that changes nothing, and
// "Deshacer" and "Rehacer" over both.
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(Fill, HolidaysAndAnAgendaFillTheDaysOnceAndAreUndoneAsOneStepEach) {
    ScratchFolder folder(L"agenda");
    const std::wstring agenda = folder / L"agenda.ics";
    // Christmas Eve (already on the page), a dentist at 08:30 UTC (09:30 in
    // Madrid: scripts/test runs the suite with TZ=Europe/Madrid), a
    // trip over the end of February 2028 (a leap year), and a birthday that
    // an exporter writes yearly by the day of the month alone.
    writeBytes(agenda, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:20271224\r\n"
                       "SUMMARY:Nochebuena\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:2\r\nDTSTART:20280115T083000Z\r\n"
                       "SUMMARY:Dentista\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:3\r\nDTSTART;VALUE=DATE:20280228\r\n"
                       "DTEND;VALUE=DATE:20280302\r\nSUMMARY:Viaje\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:4\r\n"
                       "DTSTART;VALUE=DATE:19900310\r\nRRULE:FREQ=YEARLY;BYMONTHDAY=10\r\n"
                       "SUMMARY:Cumplea\xC3\xB1os de Ana\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    writeBytes(folder / L"nota.ics", "Esto no es una agenda.\r\n");
    writeBytes(folder / L"lejos.ics", "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20240305\nSUMMARY:Lejos\n"
                                      "END:VEVENT\nEND:VCALENDAR\n");
    Program program(L"\"" + besideTests(L"calendario-invierno.ZANOR") + L"\"");
    auto save = [&, n = 0]() mutable { return written(program, commandSave, folder / (std::to_wstring(++n) + L".ZANOR")); };
    // The message of an import, after "Agenda : ", the file's path and a line
    // break; and nothing after it.
    const auto import = [&](const std::wstring& path) {
        const std::wstring head = L"Agenda : \r\n" + path + L"\r\n";
        std::wstring text;
        if (fileCommand(program, commandImportAgenda, path, L"Importar agenda")) text = program.answer(IDOK).text;
        EXPECT_TRUE(program.alone()) << program.describe();
        return text.substr(0, head.size()) == head ? text.substr(head.size()) : L"?" + text;
    };
    const std::string sample = save();
    program.command(commandHolidays);
    ASSERT_TRUE(program.alone()) << "a message came";
    const std::string holidays = save();
    EXPECT_EQ(import(agenda), L"4 eventos en 5 d\u00edas");
    const std::string filled = save();
    EXPECT_EQ(import(agenda), L"4 eventos en 0 d\u00edas");
    program.command(commandHolidays);
    EXPECT_EQ(import(folder / L"nota.ics"), L"No es un fichero iCalendar ...");
    EXPECT_EQ(import(folder / L"lejos.ics"), L"Ning\u00fan evento en estos cuatro meses ...");
    EXPECT_TRUE(save() == filled) << "a second run changed the page";

    const std::vector<WorkRecord> before = workRecords(sample), cells = workRecords(filled);
    const auto text = [&](int column, int day) { return cellOf(cells, column, day).text(); };
    const auto was = [&](int column, int day) { return cellOf(before, column, day).text(); };
    EXPECT_EQ(text(1, 6), was(1, 6) + " \xB7 D\xED" "a de la Constituci\xF3n Espa\xF1ola");
    EXPECT_EQ(text(1, 25), "Navidad \xB7 Natividad del Se\xF1or");
    EXPECT_EQ(text(2, 15), was(2, 15) + " \xB7 09:30 Dentista");
    for (auto [column, day] : {std::pair{3, 28}, {3, 29}, {4, 1}}) EXPECT_EQ(text(column, day), was(column, day) + " \xB7 Viaje");
    EXPECT_EQ(text(4, 10), was(4, 10) + " \xB7 Cumplea\xF1os de Ana");
    int changed = 0;
    for (const WorkRecord& cell : cells) changed += cell.cell != cellOf(before, cell.column, cell.day).cell;
    EXPECT_EQ(changed, 2 + 5) << "only the holidays' and the agenda's days change";

    // "Deshacer" takes back the agenda, then the holidays; "Rehacer" brings them back.
    for (const auto& [command, page] : {std::pair{commandUndo, &holidays}, {commandUndo, &sample}, {commandRedo, &holidays},
                                        {commandRedo, &filled}}) {
        program.command(command);
        EXPECT_TRUE(save() == *page);
    }
    // A new page of March 2024 (in the sample page's colours): Good Friday on
    // the 29th, centred, bold and in the Sunday colour, and May Day.
    ASSERT_TRUE(makeNewPage(program, 3, 2024));
    program.command(commandHolidays);
    const std::vector<WorkRecord> page = workRecords(save());
    EXPECT_EQ(import(folder / L"lejos.ics"), L"1 evento en 1 d\u00eda");  // far from the sample page, on this one
    EXPECT_EQ(cellOf(page, 1, 29).text() + "|" + cellOf(page, 3, 1).text(), "Viernes Santo|Fiesta del Trabajo");
    const std::string& friday = cellOf(page, 1, 29).cell;  // text colour at 4, bold at 110, alignment at 404
    EXPECT_EQ(friday.substr(4, 4) + friday.substr(110, 4) + friday.substr(404, 2),
              sample.substr(442, 4) + std::string("\1\0\0\0\x85\0", 6));
    EXPECT_TRUE(program.close());
}
