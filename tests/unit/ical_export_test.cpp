// The iCalendar export writes its text itself: byte for byte what libical
// writes for the same events (escaping, folding, line ends), over notes made
// to strike every way a line folds.
#include <libical/ical.h>

#include "base/clock.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"
#include "program_dir.h"

// libical's text of the export of the year's notes: one all-day event per
// note, built from libical's own components and written by it.
static std::string LibicalExport(int year, int withUpdate) {
  NotesImage notes;
  EXPECT_EQ(ReadNotesImage(&notes), 1);
  icalcomponent* calendar = icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                                                icalproperty_new_prodid("-//Oristel//Oristel " ORISTEL_VERSION "//ES"),
                                                icalproperty_new_calscale("GREGORIAN"), nullptr);
  auto utc = [](const LocalTime& t) {
    icaltimetype time = icaltime_null_time();
    time.year = t.Year;
    time.month = t.Month;
    time.day = t.Day;
    time.hour = t.Hour;
    time.minute = t.Minute;
    time.second = t.Second;
    return icaltime_set_timezone(&time, icaltimezone_get_utc_timezone());
  };
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= DaysInMonth(month, year); ++day) {
      NoteRecord note;
      if (!ReadNoteFromImage(notes, day, month, &note)) continue;
      icaltimetype start = icaltime_null_date();
      start.year = year;
      start.month = month;
      start.day = day;
      icaltimetype end = start;
      icaltime_adjust(&end, 1, 0, 0, 0);
      char uid[48];
      std::snprintf(uid, sizeof uid, "%04d%02d%02d-nota@oristel", year, month, day);
      std::string text;  // line breaks as one LF, other controls but the tab dropped
      for (const char* p = note.Text; *p; ++p) {
        if (*p == '\r' && p[1] == '\n') continue;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r' || c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F)) text += c == '\r' ? '\n' : *p;
      }
      text = Cp1252ToUtf8(text.c_str());
      icalcomponent* event = icalcomponent_vanew(ICAL_VEVENT_COMPONENT, icalproperty_new_uid(uid),
                                                 icalproperty_new_dtstamp(utc(OsConvertZone(OsLocalTime(), 1))),
                                                 icalproperty_new_dtstart(start), icalproperty_new_dtend(end),
                                                 icalproperty_new_summary(text.substr(0, text.find('\n')).c_str()),
                                                 icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
      if (text.find('\n') != std::string::npos)
        icalcomponent_add_property(event, icalproperty_new_description(text.c_str()));
      if (withUpdate)
        icalcomponent_add_property(event,
                                   icalproperty_new_lastmodified(utc(OsConvertZone(FromFileTime(note.UpdateTime), 1))));
      icalcomponent_add_component(calendar, event);
    }
  }
  char* written = icalcomponent_as_ical_string_r(calendar);
  std::string result = written;
  icalmemory_free_buffer(written);
  icalcomponent_free(calendar);
  return result;
}

// Every day of a leap year and of a common one gets a note of a length
// that walks the fold positions, made of one of the pieces below: plain
// and multibyte letters (folded between UTF-8 sequences), the characters
// libical breaks behind, the escaped ones, line breaks of every kind, the
// tab and a dropped control; an empty note and one that opens with a break.
TEST_F(ProgramDirTest, IcalExportIsLibicalsTextOfTheSameEvents) {
  const std::string pieces[] = {"a", "ñ", "€", "a;", "b c", "d:", "\\", ",x", "\r\nz", "\rq", "\ny", "\t", "\x01w"};
  WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
  for (int n = 1; n <= 366; ++n) {
    int day, month;
    FromDayIndex(n, &day, &month);
    const std::string piece = pieces[n % std::size(pieces)];
    std::string text;
    while (text.size() + piece.size() <= size_t(n * 7 % 256)) text += piece;
    if (n == 100) text = "";
    if (n == 101) text = "\r\nsolo la descripción";
    NoteRecord record{ToFileTime({2007, 3, 1, 5, n / 60 % 24, n % 60, 0, 0}), {}};  // each its own minute
    std::snprintf(record.Text, sizeof record.Text, "%s", text.c_str());
    ASSERT_EQ(WriteNote(day, month, &record, 1), 1);
  }
  for (int year : {2007, 2008}) {
    for (int withUpdate : {0, 1}) {
      WizardChoices choices{{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, ActionIcalExport, withUpdate, 0, 0};
      IcalExportResult result;
      const std::string path = PathOf("export.ics");
      ASSERT_EQ(WriteIcalExport(path.c_str(), choices, year, &result), 1);
      const Bytes written = ReadBytes(path);
      EXPECT_EQ(std::string(written.begin(), written.end()), LibicalExport(year, withUpdate)) << year;
      EXPECT_EQ(result.NotesWritten, DaysInYear(year));
    }
  }
}
