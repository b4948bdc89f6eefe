# /usr/bin/python3 check-agenda.py AGENDA_DUMP: every iCalendar file of the table below, as the common
# exporters write them, read by agenda_dump over a page of four months and expanded over the same days by
# recurring_ical_events (after icalendar has parsed it, its folds joined byte-wise first), gives the same
# lines and the same count of occurrences. Times in UTC are local times of Europe/Madrid for both. A broken
# file is compared with its clean twin (what the reader must make of it). The reader's limits, the rules that
# the library reads otherwise and bytes that are not UTF-8 are compared with the lines written in the table
# (a refused file with its status). Then Spain's national holidays of a century's pages against dateutil's
# Easter. One line a file; exits non-zero on any difference, and when agenda_dump is missing or prints nothing.
import datetime as dt, os, pathlib, re, subprocess, sys, tempfile, time

os.environ["TZ"] = "Europe/Madrid"
time.tzset()
import icalendar, recurring_ical_events  # noqa: E402 (they read the time zone when imported)
from dateutil import easter  # noqa: E402

MADRID = """BEGIN:VTIMEZONE\nTZID:Europe/Madrid\nBEGIN:STANDARD\nDTSTART:19701025T030000\nTZOFFSETFROM:+0200
TZOFFSETTO:+0100\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\nEND:STANDARD\nBEGIN:DAYLIGHT\nDTSTART:19700329T020000
TZOFFSETFROM:+0100\nTZOFFSETTO:+0200\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\nEND:DAYLIGHT\nEND:VTIMEZONE\n"""
ev = lambda *lines: "BEGIN:VEVENT\n" + "".join(line + "\n" for line in lines) + "END:VEVENT\n"
cal = lambda body, head="": "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Prueba//ES\n" + head + body + "END:VCALENDAR\n"
day = lambda uid, start, text, *more: ev(f"UID:{uid}", f"DTSTART;VALUE=DATE:{start}", f"SUMMARY:{text}", *more)
alarm = "BEGIN:VALARM\nACTION:DISPLAY\nSUMMARY:Aviso\nTRIGGER:-PT15M\nEND:VALARM"
broken_events = day("b1", "20280105", "Antes") + day("b3", "20280107", "Después")

# (name, line ends, the page's first month or "FIRST LAST" days, the file, None for the oracle's lines, the file's
# clean twin, or the lines (apart by "; ") or the status that the reader must give)
V64 = "v" * 65536  # the longest value read
CASES = [
    ("public holidays", "\r\n", "2027-12", cal(MADRID + "".join(day(f"h{i}", d, t, f"DTEND;VALUE=DATE:{e}", alarm)
        for i, (d, e, t) in enumerate([("20271225", "20271226", "Navidad"), ("20280101", "20280102", "Año Nuevo"), ("20280106",
        "20280107", "Epifanía del Señor"), ("20280319", "20280320", "San José"), ("20280413", "20280414", "Jueves Santo")])),
        "X-WR-CALNAME:Festivos en España\nX-WR-TIMEZONE:Europe/Madrid\nCALSCALE:GREGORIAN\n"), None),
    ("birthdays", "\n", "2028-01", cal(day("c1", "19800114", "Cumpleaños de Ana", "RRULE:FREQ=YEARLY;BYMONTHDAY=14")
        + day("c2", "19760229", "Cumpleaños de Luis", "RRULE:FREQ=YEARLY;BYMONTHDAY=29")
        + day("c3", "19900310", "Aniversario", "RRULE:FREQ=YEARLY", "DURATION:P1D")), None),
    ("weekly meeting", "\r\n", "2027-12", cal(MADRID + ev("UID:m1", "DTSTART;TZID=Europe/Madrid:20271201T100000",
        "DTEND;TZID=Europe/Madrid:20271201T110000", "RRULE:FREQ=WEEKLY;BYDAY=WE,FR;UNTIL=20280301T090000Z",
        "EXDATE;TZID=Europe/Madrid:20271224T100000,20271229T100000", "EXDATE;TZID=Europe/Madrid:20271231T100000",
        "EXDATE:20280202T090000Z", "SUMMARY:Reunión de equipo", alarm) + ev("UID:m1",
        "RECURRENCE-ID;TZID=Europe/Madrid:20280112T100000", "DTSTART;TZID=Europe/Madrid:20280113T163000",
        "DTEND;TZID=Europe/Madrid:20280113T173000", "SUMMARY:Reunión (movida)") + ev("UID:m2", "DTSTART:20271206T080000Z",
        "RRULE:FREQ=WEEKLY;INTERVAL=2;WKST=SU;BYDAY=MO,SU", "SUMMARY:Quincenal", "EXDATE:20280103T080000Z")
        + ev("UID:m3", "RECURRENCE-ID:20270101T080000Z", "DTSTART:20280202T120000Z", "SUMMARY:Sin serie")), None),
    ("across month ends", "\r\n", "2027-12", cal(day("v1", "20271129", "Puente", "DTEND;VALUE=DATE:20271203")
        + day("v2", "20280330", "Semana Santa", "DTEND;VALUE=DATE:20280403") + day("v3", "20280214", "Dos días", "DURATION:P2D")
        + day("v4", "20280221", "Una semana", "DURATION:P1W") + day("v5", "20280110", "Al revés", "DTEND;VALUE=DATE:20280109")), None),
    ("folded UTF-8", "\r\n", "2027-12", cal(day("f1", "20271220", "Cumplea^ños de Bego^ña ^— tarta ^🎂 y m^ás\\, mucho m^ás")
        + day("f2", "20271221", "Línea uno\\nlínea dos\\Ntres \\; punto y coma \\\\ barra")
        + "BEGIN:VEVENT\nUID:f3\nDTSTART;VALUE=DATE:20271222\nSUMMARY;LANGUAGE=es;X-NOTA=\"a:b;c,d\":Árbol de Na\n\tvidad\n"
          "ATTENDEE;CN=\"Pérez, Ana: jefa; RRHH\":mailto:ana@example.com\nEND:VEVENT\n"), None),
    ("line feeds only", "\n", "2028-02", cal(day("l1", "20280301", "Marzo") + day("l2", "20280415", "Abril")), None),
    ("carriage returns only", "\r", "2028-02", cal(day("r1", "20280302", "Retorno")), None),
    ("cancelled", "\r\n", "2027-12", cal(day("x1", "20271215", "Anulado", "STATUS:CANCELLED") + day("x2", "20271216", "Vale")
        + ev("UID:x3", "DTSTART:20280104T180000", "RRULE:FREQ=WEEKLY;COUNT=4", "SUMMARY:Clase")
        + ev("UID:x3", "RECURRENCE-ID:20280111T180000", "DTSTART:20280111T180000", "SUMMARY:Clase", "STATUS:cancelled")), None),
    ("UTC times", "\r\n", "2027-12", cal(ev("UID:u1", "DTSTART:20271231T233000Z", "SUMMARY:Nochevieja")
        + ev("UID:u2", "DTSTART:20271130T233000Z", "SUMMARY:Medianoche") + ev("UID:u3", "DTSTART:20280331T223000Z", "SUMMARY:Fuera")
        + ev("UID:u4", "DTSTART:20280323T070000Z", "RRULE:FREQ=DAILY;COUNT=5", "SUMMARY:Cambio de hora")), None),
    ("office suite all-day", "\r\n", "2028-01", cal("BEGIN:VTIMEZONE\nTZID:Romance Standard Time\nBEGIN:STANDARD\n"
        "DTSTART:16010101T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\nEND:STANDARD\n"
        "END:VTIMEZONE\n" + "".join(ev(f"UID:o{i}", f'DTSTART;TZID="Romance Standard Time":{s}T000000',
        f'DTEND;TZID="Romance Standard Time":{e}T000000', f"SUMMARY:{t}", "X-MICROSOFT-CDO-ALLDAYEVENT:TRUE")
        for i, (s, e, t) in enumerate([("20280214", "20280215", "San Valentín"), ("20280228", "20280301", "Congreso")])
    ) + ev("UID:o9", 'DTSTART;TZID="Romance Standard Time":20280215T000000', "SUMMARY:A medianoche")), None),
    ("monthly rules", "\r\n", "2027-12", cal(day("n1", "20270912", "Segundo domingo", "RRULE:FREQ=MONTHLY;BYDAY=2SU")
        + day("n1", "20280110", "Segundo domingo (lunes)", "RECURRENCE-ID;VALUE=DATE:20280109") + day("n7", "20270328",
        "Cambio de hora", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU")
        + ev("UID:n2", "DTSTART:20270924T180000", "RRULE:FREQ=MONTHLY;BYDAY=-1FR", "SUMMARY:Último viernes")
        + day("n3", "20271031", "Día 31", "RRULE:FREQ=MONTHLY") + day("n4", "20271130", "Fin de mes", "RRULE:freq=monthly;bymonthday=-1")
        + day("n5", "20270104", "Primer y último lunes", "RRULE:FREQ=YEARLY;BYDAY=1MO,-1MO") + day("n6", "20270101",
        "Viernes 13", "RRULE:FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13")), None),
    ("count and until", "\r\n", "2027-12", cal(day("k1", "20271230", "Cinco días", "RRULE:FREQ=DAILY;COUNT=5")
        + day("k2", "20271230", "Hasta el 20", "RRULE:FREQ=WEEKLY;UNTIL=20280120") + ev("UID:k3", "DTSTART:20270101T090000",
        "RRULE:FREQ=DAILY;INTERVAL=3;COUNT=125", "SUMMARY:Cada tres días") + ev("UID:k4", "DTSTART;TZID=Europe/Madrid:20200106T200000",
        "RRULE:FREQ=MONTHLY;BYDAY=1TH,3TH;BYMONTH=1,3;UNTIL=20280316T190000Z", "SUMMARY:Jueves")), None),
    ("broken lines and foreign components", "\r\n", "2028-01", cal("sin dos puntos\n:sin nombre\nX-RARO;P=\"sin cierre:x\n"
        + day("b1", "20280105", "Antes") + "BEGIN:VTODO\nDTSTART;VALUE=DATE:20280106\nSUMMARY:Tarea\nEND:VTODO\n"
        "BEGIN:X-COSA\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20280106\nSUMMARY:Dentro\nEND:VEVENT\nEND:X-COSA\nEND:VTODO\n"
        "BEGIN:VEVENT\nUID:b2\nDTSTART;VALUE=DATE:20280106\nSUMMARY:Nunca acaba\n" + day("b3", "20280107", "Después")
        + "begin:vevent\ndtstart;value=date:20280108\nsummary:minúsculas\nend:vevent\n"),
        cal(broken_events + day("b4", "20280108", "minúsculas"))),
    ("truncated", "\r\n", "2028-01", "\ufeff" + cal(broken_events).replace("END:VCALENDAR\n", day("t", "20280109", "Cortado")[:-11]),
        cal(broken_events)),
    # The reader's limits, and files that the library reads otherwise: the lines or the status that the reader gives.
    ("over 50 MB", "\n", "2028-01", "\n" * (50 << 20) + "\n", "fileTooLarge"),
    ("no calendar", "\r\n", "2028-01", day("z", "20280105", "Suelto", "X:" + V64 + "v"), "notCalendar"),  # before a long value
    ("a value of 64 KB", "\r\n", "2028-01", cal(day("w", "20280105", "x", "DESCRIPTION:" + V64)), None),
    ("a longer value not read", "\n", "2028-01", cal(day("w", "20280105", "x", "ATTACH;ENCODING=BASE64:v" + V64)), None),
    ("a longer value read", "\n", "2028-01", cal(day("w", "20280105", "v" + V64)), "valueTooLong"),
    ("the last weekday", "\n", "2027-12", cal(day("p", "20271231", "x", "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1")), None),
    ("over 100,000 occurrences", "\n", "1800-01-01 2100-12-31",
        cal(day("d", "18000101", "x", "RRULE:FREQ=DAILY")), "tooManyOccurrences"),
    # COUNT counts a DTSTART that the rule does not give.
    ("COUNT", "\n", "2028-01", cal(ev("DTSTART:20280105T100000", "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=3", "SUMMARY:x")),
        "2028-01-05 10:00|x; 2028-01-10 10:00|x; 2028-01-17 10:00|x; 3 occurrences"),
    # An UNTIL date lets its whole day in; one in UTC is a local time against a local start.
    ("UNTIL", "\n", "2028-01", cal(ev("DTSTART:20280101T200000", "RRULE:FREQ=DAILY;UNTIL=20280102", "SUMMARY:a")
        + ev("DTSTART:20280110T200000", "RRULE:FREQ=DAILY;UNTIL=20280111T190000Z", "SUMMARY:b")),
        "2028-01-01 20:00|a; 2028-01-02 20:00|a; 2028-01-10 20:00|b; 2028-01-11 20:00|b; 4 occurrences"),
    # An EXDATE date takes the timed occurrence of its local day.
    ("EXDATE", "\n", "2028-01", cal(ev("DTSTART:20280101T233000Z", "RRULE:FREQ=DAILY;COUNT=3",
        "EXDATE;VALUE=DATE:20280103", "SUMMARY:x")), "2028-01-02 00:30|x; 2028-01-04 00:30|x; 2 occurrences"),
    # Rules from the year 1 that never end or never give a date.
    ("year 1", "\n", "2028-01-05 2028-01-05", cal(day("y", "00010130", "a", "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30;COUNT=5")
        + ev("DTSTART:00010101T000000", "RRULE:FREQ=DAILY;BYMONTH=1;COUNT=63000", "SUMMARY:b")
        + ev("DTSTART:00010101T080000", "RRULE:FREQ=DAILY;COUNT=99999999999", "SUMMARY:c")),
        "2028-01-05 00:00|b; 2028-01-05 08:00|c; 2 occurrences"),
    # Bytes that are not UTF-8 are Windows-1252 (lone surrogates here), control characters blanks.
    ("not UTF-8", "\n", "2028-01", cal(day("w", "20280105", "A\udcf1o \udc80\t\\n\\\\fin\\")),
        "2028-01-05 all-day|Año €  \\fin\\; 1 occurrences"),
    # An override without DTSTART starts at its RECURRENCE-ID; one without SUMMARY still takes its occurrence away.
    ("overrides", "\n", "2028-01", cal(day("u", "20280105", "a", "RRULE:FREQ=DAILY;COUNT=3") + ev("UID:u",
        "RECURRENCE-ID;VALUE=DATE:20280106", "SUMMARY:b") + ev("UID:u", "RECURRENCE-ID;VALUE=DATE:20280107")),
        "2028-01-05 all-day|a; 2028-01-06 all-day|b; 2 occurrences"),
]


def oracle(text, first, last):  # the lines and the count of occurrences that recurring_ical_events gives
    calendar = icalendar.Calendar.from_ical(text)
    for event in calendar.walk("VEVENT"):  # where the library reads events otherwise than their users mean them
        if "DTEND" in event and event["DTEND"].dt <= event["DTSTART"].dt:  # an end before the start: one day
            del event["DTEND"]
        rule = event.get("RRULE")  # a yearly BYMONTHDAY without BYMONTH: in DTSTART's month
        if rule and rule.get("FREQ") == ["YEARLY"] and "BYMONTHDAY" in rule and "BYMONTH" not in rule:
            rule["BYMONTH"] = [event["DTSTART"].dt.month]
    lines, count = [], 0
    for event in recurring_ical_events.of(calendar).between(first - dt.timedelta(3), last + dt.timedelta(4)):
        text = re.sub(r"\r\n|\r|\n", " ", str(event.get("SUMMARY", "")))
        start, end = event["DTSTART"].dt, event["DTEND"].dt if "DTEND" in event else None
        if str(event.get("STATUS", "")).upper() == "CANCELLED" or not text:
            continue
        if str(event.get("X-MICROSOFT-CDO-ALLDAYEVENT", "")).upper() == "TRUE" and start.time() == dt.time(0):
            start, end = start.date(), end and end.date()
        if isinstance(start, dt.datetime):
            start = start.astimezone() if start.tzname() == "UTC" else start
            days, label = [start.date()] if first <= start.date() <= last else [], start.strftime("%H:%M")
        else:
            length = max(1, (end - start).days) if end else 1
            days, label = [d for d in (start + dt.timedelta(k) for k in range(length)) if first <= d <= last], "all-day"
        count += bool(days)
        lines += [f"{d} {label}|{text}" for d in days]
    return sorted(lines), count


def check(dump, folder, name, ends, page, text, twin):
    raw = text.replace("\n", ends).encode(errors="surrogateescape")  # lone surrogates: bytes that are not UTF-8
    raw = re.sub(rb"\^([\xc0-\xff])", lambda m: m[1] + ends.encode() + b" ", raw)  # folds inside a character
    path = os.path.join(folder, re.sub(r"\W", "-", name) + ".ics")
    pathlib.Path(path).write_bytes(raw)
    first, *last = map(dt.date.fromisoformat, (page if " " in page else page + "-01").split())
    last = last[0] if last else (first + dt.timedelta(130)).replace(day=1) - dt.timedelta(1)  # the fourth month's end
    got = subprocess.run([dump, path, str(first), str(last)], check=True, capture_output=True, text=True).stdout
    got = got.splitlines() or sys.exit(f"{name}: agenda_dump printed nothing")
    if twin is None or twin.startswith("BEGIN:"):  # folds joined here, byte-wise: the library decodes first
        clean = re.sub(rb"\n[ \t]", b"", re.sub(rb"\r\n?", b"\n", twin.encode() if twin else raw))
        lines, count = oracle(clean.decode("utf-8-sig"), first, last)
        wanted = (lines or sys.exit(f"{name}: the oracle finds nothing, the case proves nothing")) + [f"{count} occurrences"]
    else:
        wanted = twin.split("; ")
    differences = [f"-{w}" for w in wanted if w not in got] + [f"+{g}" for g in got if g not in wanted]
    same = sorted(got[:-1]) == sorted(wanted[:-1]) and got[-1] == wanted[-1]
    print(f"{name}: {'as wanted (' + wanted[-1] + ')' if same else 'DIFFERS ' + ' '.join(differences)}")
    return not same


def holidays_differ(dump):  # Spain's national holidays, April 2000 to March 2101, Good Friday from dateutil's Easter
    fixed = [(1, 1, "Año Nuevo"), (1, 6, "Epifanía del Señor"), (5, 1, "Fiesta del Trabajo"),
             (8, 15, "Asunción de la Virgen"), (10, 12, "Fiesta Nacional de España"), (11, 1, "Todos los Santos"),
             (12, 6, "Día de la Constitución Española"), (12, 8, "Inmaculada Concepción"), (12, 25, "Natividad del Señor")]
    days = [(dt.date(y, m, d), t) for y in range(2000, 2102) for m, d, t in fixed] + \
        [(easter.easter(y) - dt.timedelta(2), "Viernes Santo") for y in range(2000, 2102)]
    wanted = [f"{d}|{t}" for d, t in days if dt.date(2000, 4, 1) <= d <= dt.date(2101, 3, 31)]
    got = subprocess.run([dump, "--festivos", "2000", "2100"], check=True, capture_output=True).stdout.decode("utf-8")
    differ = sorted(got.splitlines()) != sorted(wanted)
    print(f"national holidays of pages 2000 to 2100: {'DIFFER' if differ else 'as dateutil.easter and the fixed dates'}")
    return differ


if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
    sys.exit("usage: /usr/bin/python3 check-agenda.py PATH/TO/agenda_dump (built, executable)")
with tempfile.TemporaryDirectory() as folder:
    sys.exit(sum([check(sys.argv[1], folder, *case) for case in CASES]) + holidays_differ(sys.argv[1]) > 0)
