#include "platform/clock.h"

#include <windows.h>

ClockTime localTimeOf(const ClockTime& utc) {
    SYSTEMTIME given{};
    given.wYear = static_cast<WORD>(utc.year);
    given.wMonth = static_cast<WORD>(utc.month);
    given.wDay = static_cast<WORD>(utc.day);
    given.wHour = static_cast<WORD>(utc.minutes / 60);
    given.wMinute = static_cast<WORD>(utc.minutes % 60);
    SYSTEMTIME local{};
    if (utc.year < 1601 || utc.year > 30827 || !SystemTimeToTzSpecificLocalTime(nullptr, &given, &local)) return utc;
    return {local.wYear, local.wMonth, local.wDay, local.wHour * 60 + local.wMinute};
}
