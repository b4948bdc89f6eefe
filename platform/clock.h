// The computer's clock and time zone.
#pragma once

// A date and a time of day in minutes after midnight.
struct ClockTime {
    int year;
    int month;
    int day;
    int minutes;
};

// The local time, in the computer's time zone, of a time in UTC; the time
// itself when the system cannot convert it (a year before 1601).
ClockTime localTimeOf(const ClockTime& utc);
