#!/usr/bin/python3
"""The iCalendar export and import against real programs:
    read_ical.py WRITE_EXPORTS DIR
`WRITE_EXPORTS DIR` writes its notes and exports in the zone of Madrid.
export.ics must read back through Python's icalendar module as the notes of
cal_notas.dat of 2007 with their update times, and calcurse must import it
with every event on its day. Then files of real producers are
imported by `WRITE_EXPORTS DIR FILE YEAR ADD` in the zone of Madrid: one
written with icalendar as the web calendars write theirs, and calcurse's own
export; the notes file must then hold exactly the expected notes. Last, the
files of tests/ical (changed, cancelled and added instances of recurring
events) are imported and expanded by recurring_ical_events, and both must give
the same days."""
import datetime as dt
import os
import subprocess
import sys
import struct
import tempfile
import zoneinfo
from pathlib import Path

import icalendar
import recurring_ical_events

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).parent))
from read_exports import FLAGS_SIZE, LEAP_STARTS, RECORD_SIZE, stored_notes  # noqa: E402

MADRID = "CET-1CEST,M3.5.0,M10.5.0/3"


def update_time(data, day, month):
    """The note's update time (local wall-clock time) in UTC, to the second."""
    (ticks,) = struct.unpack_from("<Q", data, FLAGS_SIZE + RECORD_SIZE * (LEAP_STARTS[month - 1] + day - 1))
    local = dt.datetime(1601, 1, 1) + dt.timedelta(microseconds=ticks // 10)
    return local.replace(microsecond=0, tzinfo=zoneinfo.ZoneInfo("Europe/Madrid")).astimezone(dt.timezone.utc)


def check_export(ics, notes):
    raw, data = ics.read_bytes(), (ics.parent / "cal_notas.dat").read_bytes()
    lines = raw.split(b"\r\n")
    assert lines[-1] == b"" and all(b"\n" not in line and b"\r" not in line for line in lines), "CR LF only"
    for line in lines:
        assert len(line) <= 75, line
        line.decode("utf-8")  # a fold never cuts a UTF-8 sequence
    assert any(line.startswith(b" ") for line in lines), "the long note is folded"
    calendar = icalendar.Calendar.from_ical(raw)
    assert "Oristel" in str(calendar["PRODID"]) and str(calendar["VERSION"]) == "2.0"
    found = {}
    for event in calendar.walk("VEVENT"):
        day = event.decoded("DTSTART")
        assert type(day) is dt.date and event.decoded("DTEND") == day + dt.timedelta(days=1), event
        assert str(event["UID"]) == f"{day:%Y%m%d}-nota@oristel" and "DTSTAMP" in event
        assert str(event["TRANSP"]) == "TRANSPARENT"
        assert event.decoded("LAST-MODIFIED") == update_time(data, day.day, day.month), event
        text = str(event.get("DESCRIPTION", event["SUMMARY"]))
        assert str(event["SUMMARY"]) == text.split("\n")[0] and ("DESCRIPTION" in event) == ("\n" in text)
        found[(day.day, day.month)] = text.replace("\n", "\r\n")
    assert found == notes, (found, notes)
    assert any(len(note) == 255 for note in notes.values()) and any("\\" in note for note in notes.values())
    print(f"export.ics: {len(found)} events as stored")


def check_calcurse(ics, notes):
    with tempfile.TemporaryDirectory() as home:
        report = subprocess.run(["calcurse", "-D", home, "-i", str(ics)], capture_output=True, text=True, check=True)
        assert f"0 apps / {len(notes)} events / 0 todos / 0 skipped" in report.stdout, report.stdout
        listing = subprocess.run(["calcurse", "-D", home, "-Q", "--from", "01/01/2007", "--days", "365",
                                  "--format-event", "%m\n"], capture_output=True, text=True, check=True).stdout
    days, day = {}, None
    for line in listing.splitlines():
        if line.endswith(":") and line[:2].isdigit():
            month, number, _ = line[:-1].split("/")
            day = (int(number), int(month))
        elif line:
            days[day] = line
    assert days == {key: note.split("\r\n")[0] for key, note in notes.items()}, days
    print(f"calcurse: {len(days)} events on their days")


def web_calendar():
    """A calendar as the web calendars write theirs, and the notes of 2007 it gives."""
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//Google Inc//Google Calendar 70.9054//EN")
    calendar.add("version", "2.0")
    zone = icalendar.Timezone()
    zone.add("tzid", "America/New_York")
    for kind, start, before, after in ((icalendar.TimezoneStandard, dt.datetime(2007, 11, 4, 2), -4, -5),
                                       (icalendar.TimezoneDaylight, dt.datetime(2007, 3, 11, 2), -5, -4)):
        part = kind()
        part.add("dtstart", start)
        part.add("tzoffsetfrom", dt.timedelta(hours=before))
        part.add("tzoffsetto", dt.timedelta(hours=after))
        part.add("rrule", {"freq": "yearly", "bymonth": start.month, "byday": "1su" if start.month == 11 else "2su"})
        zone.add_component(part)
    calendar.add_component(zone)
    ny = {"TZID": "America/New_York"}
    long_summary = "Café con Zoë ☃ en la plaza, " + "y después al cine, " * 4 + "fin"
    events = [  # properties; then the notes they give
        ({"dtstart": (dt.datetime(2007, 3, 9, 22, 0), ny), "summary": "Cena tardía"}, {(9, 3): "22:00 Cena tardía"}),
        ({"dtstart": dt.datetime(2007, 6, 15, 22, 30, tzinfo=dt.timezone.utc), "summary": "Vuelo"},
         {(16, 6): "00:30 Vuelo"}),
        ({"dtstart": dt.date(2007, 8, 1), "dtend": dt.date(2007, 8, 4), "summary": "Vacaciones"},
         {(1, 8): "Vacaciones", (2, 8): "Vacaciones21:00 Cena", (3, 8): "Vacaciones"}),
        ({"dtstart": dt.datetime(2007, 8, 2, 21, 0), "summary": "Cena"}, {}),
        ({"dtstart": dt.date(1980, 5, 20), "rrule": {"freq": "yearly"}, "summary": "Cumpleaños de Ana"},
         {(20, 5): "Cumpleaños de Ana"}),
        ({"dtstart": (dt.datetime(2007, 1, 2, 9, 0), ny), "summary": "Clase",
          "rrule": {"freq": "weekly", "byday": "tu", "until": dt.datetime(2007, 1, 31)},
          "exdate": (dt.datetime(2007, 1, 16, 9, 0), ny)},
         {(d, 1): "09:00 Clase" for d in (2, 9, 23, 30)}),
        ({"uid": "yoga@web", "dtstart": (dt.datetime(2007, 2, 6, 19, 0), ny), "rrule": {"freq": "weekly", "count": 3},
          "summary": "Yoga"}, {(6, 2): "19:00 Yoga", (15, 2): "18:00 Yoga (cambiada)", (20, 2): "19:00 Yoga"}),
        ({"uid": "yoga@web", "recurrence-id": (dt.datetime(2007, 2, 13, 19, 0), ny),
          "dtstart": (dt.datetime(2007, 2, 15, 18, 0), ny), "summary": "Yoga (cambiada)"}, {}),
        ({"dtstart": dt.date(2007, 3, 5), "summary": long_summary}, {(5, 3): long_summary.replace("☃", "")[:255]}),
        ({"dtstart": dt.date(2006, 12, 25), "summary": "Navidad pasada"}, {}),
        ({"summary": "Sin fecha"}, {}),
    ]
    expected = {}
    for properties, notes in events:
        event = icalendar.Event()
        for name, value in properties.items():
            value, parameters = value if isinstance(value, tuple) else (value, None)
            event.add(name, value, parameters=parameters)
        calendar.add_component(event)
        expected.update(notes)
    todo = icalendar.Todo()
    todo.add("dtstart", dt.date(2007, 4, 1))
    todo.add("summary", "Tarea")
    calendar.add_component(todo)
    return calendar.to_ical(), expected


def calcurse_export(home):
    """calcurse's export of what it imported from a small calendar, and the notes of 2007 it gives."""
    source = Path(home) / "source.ics"
    source.write_bytes(b"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART:20070412T160000\r\n"
                       b"DTEND:20070412T170000\r\nSUMMARY:M\xc3\xa9dico\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                       b"DTSTART;VALUE=DATE:20070101\r\nRRULE:FREQ=MONTHLY;COUNT=3\r\nSUMMARY:Recibo\r\nEND:VEVENT\r\n"
                       b"END:VCALENDAR\r\n")
    subprocess.run(["calcurse", "-D", home, "-i", str(source)], capture_output=True, check=True)
    exported = subprocess.run(["calcurse", "-D", home, "-xical"], capture_output=True, check=True).stdout
    return exported, {(12, 4): "16:00 Médico", (1, 1): "Recibo", (1, 2): "Recibo", (1, 3): "Recibo"}


def check_import(tool, name, data, expected, outside, errors):
    with tempfile.TemporaryDirectory() as folder:
        folder = Path(folder)
        (folder / "cal_notas.dat").write_bytes(bytes(98112))
        (folder / name).write_bytes(data)
        counts = subprocess.run([tool, str(folder), str(folder / name), "2007", "0"], capture_output=True, text=True,
                                check=True, env=dict(os.environ, TZ=MADRID)).stdout.split()
        notes = stored_notes(folder / "cal_notas.dat")
        assert notes == expected, (name, notes, expected)
        assert counts == [str(len(expected)), str(outside), str(errors)], (name, counts)
        if errors:
            log = (folder / "Calendario_Errores_Import.txt").read_bytes().decode("cp1252")
            line = data.split(b"\r\n").index(b"SUMMARY:Sin fecha")  # the line of its BEGIN:VEVENT
            assert log == f"\r\nLínea: {line} (cita no leída) Sin fecha", log
    print(f"{name}: {len(expected)} notes as expected")


# Where Debian's recurring_ical_events (2.0.1) departs from what the import
# must give: the days only the import gives, then those only the oracle gives.
DEPARTURES = {
    # It reads RANGE=THISANDFUTURE as this instance only: the later instances
    # stay on their Thursdays instead of moving to Friday and Saturday.
    "this_and_future.ics": ({(28, 9), (29, 9), (12, 10), (13, 10)}, {(27, 9), (11, 10)}),
    # It keeps every copy of an event whose SEQUENCE is equal, whatever its
    # LAST-MODIFIED or DTSTAMP, and a changed instance of an older copy that
    # the newer copy excludes by EXDATE.
    "two_copies.ics": (set(), {(19, 1), (27, 1), (10, 4)}),
}


def expanded_days(data):
    """The days of 2007 of the events that recurring_ical_events expands, the cancelled ones left out: each from its
    start to its end (an all-day end excluded, a timed one up to the second before), UTC times in Madrid's time, the
    others as written, as the import reads them."""
    days, madrid = set(), zoneinfo.ZoneInfo("Europe/Madrid")
    for calendar in icalendar.Calendar.from_ical(data, multiple=True):
        for event in recurring_ical_events.of(calendar).between(dt.date(2007, 1, 1), dt.date(2008, 1, 1)):
            if str(event.get("STATUS", "")) == "CANCELLED":
                continue
            start, end = event.decoded("DTSTART"), event.decoded("DTEND")
            if isinstance(start, dt.datetime) and start.tzname() == "UTC":
                start, end = start.astimezone(madrid), end.astimezone(madrid)
            if end > start:
                end -= dt.timedelta(seconds=1) if isinstance(start, dt.datetime) else dt.timedelta(days=1)
            day = start if type(start) is dt.date else start.date()
            while day <= (end if type(end) is dt.date else end.date()):
                if day.year == 2007:
                    days.add((day.day, day.month))
                day += dt.timedelta(days=1)
    return days


def check_instances(tool):
    for ics in sorted((Path(__file__).parent.parent / "ical").glob("*.ics")):
        with tempfile.TemporaryDirectory() as folder:
            (Path(folder) / "cal_notas.dat").write_bytes(bytes(98112))
            subprocess.run([tool, folder, str(ics), "2007", "0"], capture_output=True, check=True,
                           env=dict(os.environ, TZ=MADRID))
            imported = set(stored_notes(Path(folder) / "cal_notas.dat"))
        expanded = expanded_days(ics.read_bytes())
        assert imported and (imported - expanded, expanded - imported) == DEPARTURES.get(ics.name, (set(), set())), \
            (ics.name, imported, expanded)
        print(f"{ics.name}: {len(imported)} days as recurring_ical_events gives them")


def main():
    tool, directory = sys.argv[1], Path(sys.argv[2])
    counts = subprocess.run([tool, str(directory)], capture_output=True, text=True, check=True,
                            env=dict(os.environ, TZ=MADRID)).stdout.split()
    notes = stored_notes(directory / "cal_notas.dat")
    assert counts == [str(len(notes)), "1"], counts  # 29 February is not written in 2007
    check_export(directory / "export.ics", notes)
    check_calcurse(directory / "export.ics", notes)
    data, expected = web_calendar()
    check_import(tool, "web.ics", data, expected, 1, 1)
    with tempfile.TemporaryDirectory() as home:
        data, expected = calcurse_export(home)
    check_import(tool, "calcurse.ics", data, expected, 0, 0)
    check_instances(tool)


if __name__ == "__main__":
    main()
