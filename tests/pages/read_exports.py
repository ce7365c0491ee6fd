#!/usr/bin/env python3
"""Reads the exports of write_exports with Python's csv module and the web
page by its markup, and checks them against the notes file they were made from:
    read_exports.py DIR
Each row of export.txt (";") and export.csv ("," with ISO dates and the days
without notes), CR LF ended, must give exactly the date and the text of a stored
note of 2007, quotes and line breaks included, followed by its update time, and
every stored note must be there.
In export.htm every month's table must place each day under its weekday,
marking the Sundays and the days with a note, and list the notes as text."""
import calendar
import csv
import datetime as dt
import html
import re
import struct
import sys
from pathlib import Path

FLAGS_SIZE = 12 * 31 * 4
RECORD_SIZE = 264
LEAP_STARTS = [0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335]


def stored_notes(path):
    """The notes of the notes file that 2007 has, by (day, month)."""
    data = path.read_bytes()
    notes = {}
    for month in range(1, 13):
        for day in range(1, calendar.monthrange(2007, month)[1] + 1):
            (flag,) = struct.unpack_from("<i", data, 4 * (31 * (month - 1) + day - 1))
            if not flag:
                continue
            start = FLAGS_SIZE + RECORD_SIZE * (LEAP_STARTS[month - 1] + day - 1) + 8
            text = data[start:start + 256].split(b"\0", 1)[0]
            notes[(day, month)] = text.decode("cp1252")
    return notes


def stamp(data, day, month, iso):
    """The note's update time (local wall-clock time) as the exports append it."""
    (ticks,) = struct.unpack_from("<Q", data, FLAGS_SIZE + RECORD_SIZE * (LEAP_STARTS[month - 1] + day - 1))
    t = dt.datetime(1601, 1, 1) + dt.timedelta(microseconds=ticks // 10)
    return f" (actualizada el: {t:%Y-%m-%d %H:%M})" if iso else f" (actualizada el: {t.day}/{t.month}/{t.year} {t:%Hh:%Mm})"


def rows(path, delimiter):
    with open(path, newline="", encoding="cp1252") as f:
        return list(csv.reader(f, delimiter=delimiter))


def date_of(field, iso):
    if iso:
        year, month, day = (int(x) for x in field.split("-"))
    else:
        day, month, year = (int(x) for x in field.split("/"))
    assert year == 2007, field
    return day, month


def check(path, delimiter, iso, every_day, notes):
    raw, data = path.read_bytes(), (path.parent / "cal_notas.dat").read_bytes()
    assert raw.count(b"\n") == raw.count(b"\r\n"), (path.name, "CR LF only")
    table = rows(path, delimiter)
    assert table[0] == ["Fecha", "Notas"], table[0]
    found = {}
    for row in table[1:]:
        assert len(row) in (1, 2), (path.name, row)
        key = date_of(row[0], iso)
        if len(row) == 2 and row[1] != "":
            found[key] = row[1]
    stamped = {key: text + stamp(data, *key, iso) for key, text in notes.items()}
    assert found == stamped, (path.name, found, stamped)
    days = 365 if every_day else len(notes)
    assert len(table) == 1 + days, (path.name, len(table))
    print(f"{path.name}: {len(table) - 1} rows, {len(found)} notes as stored")


def check_page(path, notes):
    page = path.read_bytes().decode("cp1252")
    names = ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
             "noviembre", "diciembre"]
    assert "<TITLE>Calendario 2007</TITLE>" in page
    assert "Página creada el domingo, 4 de marzo de 2007, a las 10:30 h.<BR>" in page  # the clock of write_exports
    assert re.findall(r'<A href="#(\w+)">\1</A>', page) == names
    tables = re.findall(r"<TH id=(\w+) colSpan=7>\1 2007</TH>\r\n    <TR id=nomdia>.*?\r\n(.*?)\r\n  </TBODY>", page, re.S)
    assert [name for name, _ in tables] == names
    for month, (name, rows) in enumerate(tables, 1):
        first, days = calendar.monthrange(2007, month)
        expected = "    <TR>" + "<TD>" * first
        for day in range(1, days + 1):
            mark = " id=nota" if (day, month) in notes else " id=domingo" if (first + day) % 7 == 0 else ""
            expected += f"<TD{mark}>{day}" + ("\r\n    <TR>" if (first + day) % 7 == 0 else "")
        assert rows == expected, (name, rows, expected)
    listed = re.findall(r"<P>(\d+)/(\d+)/2007-(.*?)\r\n(?=<P>|</DIV>)", page, re.S)
    # A note is text, not markup: its &, < and > as entities, every other character as it is.
    escaped = {key: html.escape(text, quote=False) for key, text in notes.items()}
    assert {(int(d), int(m)): text for d, m, text in listed} == escaped
    print(f"{path.name}: 12 months, {len(listed)} notes as stored")


def main():
    directory = Path(sys.argv[1])
    notes = stored_notes(directory / "cal_notas.dat")
    assert len(notes) >= 5 and any("\r\n" in n for n in notes.values()) and any('"' in n for n in notes.values())
    check(directory / "export.txt", ";", False, False, notes)
    check(directory / "export.csv", ",", True, True, notes)
    check_page(directory / "export.htm", notes)


if __name__ == "__main__":
    main()
