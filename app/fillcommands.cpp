// "Festivos nacionales" and "Importar agenda": texts from outside written into
// the page's days. The dispatcher runs each of them under the busy guard, as
// one step to undo.
#include "app/commands.h"

#include "calendar/document.h"
#include "calendar/pagefill.h"
#include "calendar/render.h"
#include "files/agenda.h"
#include "files/filedialogs.h"
#include "files/workfile.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message.h"

#include <string>

std::wstring agendaPath;

namespace {

std::wstring counted(int n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n == 1 ? one : many);
}

DateAndTime localTimeOfUtc(const DateAndTime& utc) {
    const ClockTime local = localTimeOf({utc.date.year, utc.date.month, utc.date.day, utc.minutes});
    return {{local.year, local.month, local.day}, local.minutes};
}

}  // namespace

void holidaysCommand(HWND) {
    if (addTextsToPage(nationalHolidays(firstMonth, firstYear), true) > 0) refreshPage();
}

void agendaCommand(HWND window) {
    showAgendaDialog(window, agendaPath);
    if (!agendaPath.empty()) importAgenda(agendaPath);
}

void importAgenda(const std::wstring& path) {
    if (!pageExists()) return;
    const std::wstring about = L"Agenda : \r\n" + path + L"\r\n";
    std::string bytes;
    bool tooLarge = false;
    const FileError error = readFileInPieces(
        path, std::size_t{1} << 20,
        [&](std::uint64_t length) {
            tooLarge = length > maxAgendaBytes;
            if (!tooLarge) bytes.reserve(static_cast<std::size_t>(length));
            return !tooLarge;
        },
        [&](std::string_view piece) {
            bytes += piece;
            return true;
        });
    if (error) return showFileError(error);
    CivilDate first{}, last{};
    pageDateRange(firstMonth, firstYear, first, last);
    const AgendaReading reading =
        tooLarge ? AgendaReading{AgendaStatus::fileTooLarge, {}, 0} : readAgenda(bytes, first, last, localTimeOfUtc);
    switch (reading.status) {
    case AgendaStatus::read:
        break;
    case AgendaStatus::notCalendar:
        return showMessage(about + L"No es un fichero iCalendar ...");
    case AgendaStatus::fileTooLarge:
        return showMessage(about + L"El fichero pasa de 50 MB: no se lee ...");
    case AgendaStatus::valueTooLong:
        return showMessage(about + L"Una l\u00ednea del fichero pasa de 64 KB: no se lee ...");
    case AgendaStatus::tooManyOccurrences:
        return showMessage(about + L"M\u00e1s de 100.000 eventos en estos cuatro meses: no se lee ...");
    case AgendaStatus::tooLongToWork:
        return showMessage(about + L"Sus reglas de repetici\u00f3n llevar\u00edan demasiado tiempo: no se lee ...");
    }
    if (reading.occurrences == 0) return showMessage(about + L"Ning\u00fan evento en estos cuatro meses ...");
    const int days = addTextsToPage(agendaDayTexts(reading.entries, firstMonth, firstYear), false);
    if (days > 0) refreshPage();
    showMessage(about + counted(reading.occurrences, L"evento", L"eventos") + L" en " +
                counted(days, L"d\u00eda", L"d\u00edas"));
}
