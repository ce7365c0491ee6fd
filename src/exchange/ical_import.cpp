// The events of an iCalendar file that fall in the year shown, as notes:
// libical parses the file and expands the recurring events; every day of an
// event within the year receives the event's text.
#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"

namespace {

// One event being placed in the year: how its times read, and the days it
// gives (each day once, with the start time of the instance that gave it).
struct EventDays {
  int Year;
  bool IsDate;                // all-day: DTSTART is a DATE
  bool IsUtc;                 // times in UTC, read in the computer's local time
  icaltimezone* Zone;         // the zone its times are written in (UTC for floating times)
  int Instances;              // instances seen, to bound a runaway rule
  std::vector<time_t> Moved;  // starts of the instances that events of their own replace
  bool Seen[367];             // by DayIndex
  struct Day {
    int DayIndex, Hour, Minute;
  };
  std::vector<Day> Days;
};

constexpr int kMaxInstances = 20000;  // more than an hourly event gives in a year

// The wall-clock time of t as the event's times read.
LocalTime FrameTime(const EventDays& e, time_t t) {
  const icaltimetype time = icaltime_from_timet_with_zone(t, 0, e.Zone);
  const LocalTime read = {time.year, time.month, 0, time.day, time.hour, time.minute, time.second, 0};
  return e.IsUtc ? OsConvertZone(read, 0) : read;
}

// Day of the year (1..365/366) of t, clamped to the year: 0 before it and
// DaysInYear + 1 behind it.
int DayInYear(const LocalTime& t, int year) {
  if (t.Year != year) return t.Year < year ? 0 : DaysInYear(year) + 1;
  return DayOfYear(t.Day, t.Month, year);
}

// libical's callback for each instance of the event: its span in time_t, the
// end of an all-day event's span lying one day less a second behind its end.
void AddInstance(icalcomponent*, icaltime_span* span, void* data) {
  EventDays& e = *static_cast<EventDays*>(data);
  if (++e.Instances > kMaxInstances) return;
  for (const time_t moved : e.Moved)
    if (moved == span->start) return;
  const time_t length = span->end - span->start - (e.IsDate ? 86399 : 0);
  const LocalTime start = FrameTime(e, span->start);
  const LocalTime last = length > 0 ? FrameTime(e, span->start + length - 1) : start;
  const int from = DayInYear(start, e.Year), to = DayInYear(last, e.Year);
  const int leap = IsLeapYear(e.Year);
  for (int d = from < 1 ? 1 : from; d <= to && d <= DaysInYear(e.Year); ++d) {
    const int index = leap || d < 60 ? d : d + 1;  // DayIndex numbers days as in a leap year
    if (e.Seen[index]) continue;
    e.Seen[index] = true;
    e.Days.push_back({index, start.Hour, start.Minute});
  }
}

// The text of an event: its SUMMARY, or its DESCRIPTION when that begins
// with the SUMMARY and a line break (a note of several lines, as the export
// writes it; libical has trimmed the blanks at the SUMMARY's ends); line
// breaks as CR LF, in Windows-1252.
std::string EventText(icalcomponent* event) {
  const char* summary = icalcomponent_get_summary(event);
  const char* description = icalcomponent_get_description(event);
  std::string text = summary ? summary : "";
  if (description && std::strncmp(description, text.c_str(), text.size()) == 0) {
    const char* behind = description + text.size();
    while (*behind == ' ' || *behind == '\t') ++behind;
    if (*behind == '\n' || *behind == '\r') text = description;
  }
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += text[i];
    }
  }
  return Utf8ToCp1252(lines.c_str());
}

// An event that cannot be placed: one of the properties that place it that
// libical could not read (it names them in its error properties), no valid
// start, or a rule repeating it more often than every hour. Other damage
// (an empty SUMMARY, an unknown parameter) leaves the event readable.
bool Unreadable(icalcomponent* event) {
  static constexpr const char* kPlacing[] = {" DTSTART ", " DTEND ", " DURATION ", " RRULE ", " RDATE ", " EXDATE "};
  for (icalproperty* error = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY); error;
       error = icalcomponent_get_next_property(event, ICAL_XLICERROR_PROPERTY))
    for (const char* name : kPlacing)
      if (const char* text = icalproperty_get_xlicerror(error); text && std::strstr(text, name)) return true;
  const icaltimetype start = icalcomponent_get_dtstart(event);
  if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) return true;
  for (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); rule;
       rule = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype r = icalproperty_get_rrule(rule);
    if (r.freq == ICAL_SECONDLY_RECURRENCE || r.freq == ICAL_MINUTELY_RECURRENCE) return true;
  }
  return false;
}

// The line numbers of the lines "BEGIN:VEVENT" of the file, in order: the
// n-th event libical gives began on the n-th of them.
std::vector<int> EventLines(const std::string& text) {
  std::vector<int> lines;
  int line = 1;
  for (size_t start = 0; start < text.size(); ++line) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    static constexpr char kBegin[] = "BEGIN:VEVENT";
    size_t i = 0;
    while (i < 12 && start + i < end && std::toupper(static_cast<unsigned char>(text[start + i])) == kBegin[i]) ++i;
    if (i == 12) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A changed instance of a recurring event: its UID and the start it replaces
// (its RECURRENCE-ID), as libical gives the instances' starts.
struct MovedInstance {
  std::string Uid;
  time_t Start;
};

bool ByUid(const MovedInstance& a, const MovedInstance& b) { return a.Uid < b.Uid; }

struct ImportState {
  NotesImage Notes;
  int Year, Add;
  std::vector<MovedInstance> Moved;  // ordered by UID
  bool Touched[367];                 // days written by this import
  std::vector<int> EventLines;
  size_t Events;  // events met so far
  IcalImportResult* Result;
};

// Adds the event to the error log (emptied at the first one of an import):
// the line it begins on and its SUMMARY.
void LogEvent(ImportState* s, icalcomponent* event) {
  char path[PathSize];
  if (!BuildProgramPath(path, ImportErrorsFileIndex)[0]) return;
  if (!s->Result->ErrorsLogged) {
    CreateEmptyFile(path);
    s->Result->ErrorsLogged = 1;
  }
  const int line = s->Events <= s->EventLines.size() ? s->EventLines[s->Events - 1] : 0;
  const char* summary = icalcomponent_get_summary(event);
  char entry[320];
  const int n = std::snprintf(entry, sizeof entry, "\r\nLínea: %d (cita no leída) %.255s", line,
                              Utf8ToCp1252(summary ? summary : "").c_str());
  if (n > 0)
    AppendToFile(path, entry, static_cast<uint32_t>(n < static_cast<int>(sizeof entry) ? n : sizeof entry - 1));
}

void ImportEvent(ImportState* s, icalcomponent* event) {
  ++s->Events;
  if (Unreadable(event)) return LogEvent(s, event);
  const icaltimetype start = icalcomponent_get_dtstart(event);
  EventDays days = {};
  days.Year = s->Year;
  days.IsDate = icaltime_is_date(start);
  days.IsUtc = icaltime_is_utc(start);
  days.Zone = start.zone ? const_cast<icaltimezone*>(start.zone) : icaltimezone_get_utc_timezone();
  // The instances that a changed instance of its own replaces are left to it.
  const char* uid = icalcomponent_get_uid(event);
  if (uid && !icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
    const auto [first, last] = std::equal_range(s->Moved.begin(), s->Moved.end(), MovedInstance{uid, 0}, ByUid);
    for (auto moved = first; moved != last; ++moved) days.Moved.push_back(moved->Start);
  }
  // Every instance that touches the year, with a margin for the zones.
  icaltimetype from = icaltime_null_time(), to = icaltime_null_time();
  from.year = s->Year - 1, from.month = 12, from.day = 30;
  to.year = s->Year + 1, to.month = 1, to.day = 2;
  from.zone = to.zone = icaltimezone_get_utc_timezone();
  icalcomponent_foreach_recurrence(event, from, to, AddInstance, &days);
  if (days.Days.empty()) {
    ++s->Result->EventsOutsideYear;
    return;
  }
  const std::string text = EventText(event);
  for (const EventDays::Day& d : days.Days) {
    char note[MaxNoteLength + 8];
    if (days.IsDate)
      std::snprintf(note, sizeof note, "%.255s", text.c_str());
    else
      std::snprintf(note, sizeof note, "%02d:%02d %.255s", d.Hour, d.Minute, text.c_str());
    int day, month;
    FromDayIndex(d.DayIndex, &day, &month);
    // The first event of a day replaces its note when replacing is chosen;
    // the day's next events join it.
    AddNoteTextInImage(&s->Notes, day, month, note, s->Add || s->Touched[d.DayIndex]);
    if (!s->Touched[d.DayIndex]) ++s->Result->NotesStored;
    s->Touched[d.DayIndex] = true;
  }
}

// The changed instances of recurring events (a VEVENT with a RECURRENCE-ID),
// in a calendar and in the calendars of a file of several.
void CollectMoved(ImportState* s, icalcomponent* component) {
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT) CollectMoved(s, c);
    icalproperty* id = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY);
    const char* uid = icalcomponent_get_uid(c);
    if (icalcomponent_isa(c) != ICAL_VEVENT_COMPONENT || !id || !uid) continue;
    const icaltimetype start = icalproperty_get_datetime_with_component(id, c);
    s->Moved.push_back(
        {uid, icaltime_as_timet_with_zone(start, start.zone ? start.zone : icaltimezone_get_utc_timezone())});
  }
}

// The events of a calendar, and of the calendars of a file of several.
void ImportComponent(ImportState* s, icalcomponent* component) {
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    const icalcomponent_kind kind = icalcomponent_isa(c);
    if (kind == ICAL_VEVENT_COMPONENT)
      ImportEvent(s, c);
    else if (kind == ICAL_VCALENDAR_COMPONENT)
      ImportComponent(s, c);
  }
}

// 1 when the parsed file is a calendar, or holds one.
bool IsCalendar(icalcomponent* root) {
  if (!root) return false;
  if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) return true;
  return icalcomponent_isa(root) == ICAL_XROOT_COMPONENT &&
         icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT) != nullptr;
}

// The whole file as text; 0 after the message when it cannot be read or is
// larger than MaxIcalFileSize.
int LoadIcalFile(const char* path, std::string* text) {
  const FileHandle file = OpenExistingFile(FileRead, path);
  if (file == NoFile) return 0;
  const uint32_t size = OsFileSize(file);
  OsClose(file);
  if (size > MaxIcalFileSize) return ShowProgramMessage(MessageFileTooLarge);
  text->assign(size, '\0');
  return size == 0 || ReadFileAt(path, text->data(), 0, size);
}

}  // namespace

int ImportIcalFile(const char* path, int year, int add, IcalImportResult* result) {
  *result = {};
  std::string text;
  if (!LoadIcalFile(path, &text)) return 0;
  icalcomponent* root = icalparser_parse_string(text.c_str());
  if (!IsCalendar(root)) {
    if (root) icalcomponent_free(root);
    char message[PathSize + 80];
    std::snprintf(message, sizeof message, IcalNotCalendarFormat, path);
    OsMessageBox(message, "Oristel", IconStop);
    return 0;
  }
  ImportState s = {};
  s.Year = year;
  s.Add = add;
  s.Result = result;
  s.EventLines = EventLines(text);
  int ok = ReadNotesImage(&s.Notes);
  if (ok) {
    CollectMoved(&s, root);
    std::sort(s.Moved.begin(), s.Moved.end(), ByUid);
    ImportComponent(&s, root);
    ok = result->NotesStored == 0 || WriteNotesImage(s.Notes);
  }
  icalcomponent_free(root);
  return ok;
}

int ParseIcalOnly(const char* text) {
  icalcomponent* root = icalparser_parse_string(text);
  const bool calendar = IsCalendar(root);
  if (root) icalcomponent_free(root);
  return calendar;
}
