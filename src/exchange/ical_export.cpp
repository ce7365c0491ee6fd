// The notes of the chosen months as an iCalendar file: one all-day event per
// note, written by libical (escaping, folding at 75 octets between UTF-8
// sequences, CR LF line ends).
#include <libical/ical.h>

#include <cstdio>
#include <cstring>

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"

#ifndef ORISTEL_VERSION
#define ORISTEL_VERSION "0"
#endif

// A libical date-time in UTC from a broken-down UTC time.
static icaltimetype UtcTime(const LocalTime& t) {
  icaltimetype time = icaltime_null_time();
  time.year = t.Year;
  time.month = t.Month;
  time.day = t.Day;
  time.hour = t.Hour;
  time.minute = t.Minute;
  time.second = t.Second;
  return icaltime_set_timezone(&time, icaltimezone_get_utc_timezone());
}

// The note's text as iCalendar text: UTF-8, every line break (CR LF, or a
// lone CR or LF) one LF, which libical writes as "\n"; control characters
// other than the tab, which iCalendar text cannot hold, dropped.
static std::string EventText(const char* note) {
  std::string text;
  for (const char* p = note; *p; ++p) {
    if (*p == '\r') {
      text += '\n';
      if (p[1] == '\n') ++p;
    } else if (*p == '\n' || *p == '\t' || (static_cast<unsigned char>(*p) >= 0x20 && *p != 0x7F)) {
      text += *p;
    }
  }
  return Cp1252ToUtf8(text.c_str());
}

// Adds the all-day event of the note of (day, month, year).
static void AddEvent(icalcomponent* calendar, const NoteRecord& note, int day, int month, int year,
                     const WizardChoices& choices, const icaltimetype& stamp) {
  icaltimetype start = icaltime_null_date();
  start.year = year;
  start.month = month;
  start.day = day;
  icaltimetype end = start;
  icaltime_adjust(&end, 1, 0, 0, 0);
  // The same day gives the same identifier on every export, so that a
  // calendar that reads the file again updates the event.
  char uid[48];
  std::snprintf(uid, sizeof uid, "%04d%02d%02d-nota@oristel", year, month, day);
  const std::string text = EventText(note.Text);
  const size_t lineBreak = text.find('\n');
  icalcomponent* event =
      icalcomponent_vanew(ICAL_VEVENT_COMPONENT, icalproperty_new_uid(uid), icalproperty_new_dtstamp(stamp),
                          icalproperty_new_dtstart(start), icalproperty_new_dtend(end),
                          icalproperty_new_summary(text.substr(0, lineBreak).c_str()),
                          icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
  if (lineBreak != std::string::npos) icalcomponent_add_property(event, icalproperty_new_description(text.c_str()));
  if (choices.IncludeUpdateDate) {
    const LocalTime changed = FromFileTime(note.UpdateTime);
    icalcomponent_add_property(event, icalproperty_new_lastmodified(UtcTime(OsConvertZone(changed, 1))));
  }
  icalcomponent_add_component(calendar, event);
}

int WriteIcalExport(const char* path, const WizardChoices& choices, int year, IcalExportResult* result) {
  *result = {};
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  icalcomponent* calendar = icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                                                icalproperty_new_prodid("-//Oristel//Oristel " ORISTEL_VERSION "//ES"),
                                                icalproperty_new_calscale("GREGORIAN"), nullptr);
  const icaltimetype stamp = UtcTime(OsConvertZone(OsLocalTime(), 1));
  for (int month = 1; month <= 12; ++month) {
    if (!choices.MonthSelected[month - 1]) continue;
    NoteRecord note;
    for (int day = 1; day <= BaseDaysInMonth(month) + (month == 2); ++day) {
      if (!ReadNoteFromImage(notes, day, month, &note)) continue;
      if (day > DaysInMonth(month, year)) {
        ++result->LeapDaysSkipped;
        continue;
      }
      AddEvent(calendar, note, day, month, year, choices, stamp);
      ++result->NotesWritten;
    }
  }
  char* text = icalcomponent_as_ical_string_r(calendar);
  icalcomponent_free(calendar);
  int ok = 0;
  if (!text) {
    ShowProgramMessage(MessageNoMemory);
  } else {
    ok = WriteNewFile(path, text, static_cast<uint32_t>(std::strlen(text)));
  }
  icalmemory_free_buffer(text);
  return ok;
}
