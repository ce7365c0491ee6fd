// The events of an iCalendar file that fall in the year shown, as notes:
// libical parses the file and expands the recurring events; every day of an
// event within the year receives the event's text.
#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"

namespace {

// A changed instance of a series as its series meets it: the start it stands
// for (its RECURRENCE-ID, in the zone it is written in) and, when it changes
// the later instances too (RANGE=THISANDFUTURE), the shift of their starts in
// the series' wall-clock time and their new length.
struct Replacement {
  icaltimetype Id;
  time_t Instant;  // the RECURRENCE-ID as an instant, a floating one read in the series' zone
  bool ThisAndFuture;
  time_t Shift, Length;
  icalcomponent* Event;
};

// One event being placed in the year: how its times read, and the days it
// gives (each day once, with the start time of the instance that gave it and
// the event whose text it takes).
struct EventDays {
  int Year;
  bool IsDate;                        // all-day: DTSTART is a DATE
  bool IsUtc;                         // times in UTC, read in the computer's local time
  icaltimezone* Zone;                 // the zone its times are written in (UTC for floating times)
  int Instances;                      // instances seen, to bound a runaway rule
  std::vector<Replacement> Replaced;  // its changed instances
  bool Seen[367];                     // by DayIndex
  struct Day {
    int DayIndex, Hour, Minute;
    icalcomponent* Text;
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

// The seconds of t's wall-clock time in the series' zone (a floating t read
// in it), counted as if that zone were UTC: differences of two of them are
// shifts that keep the hour across a change of summer time.
time_t WallSeconds(const EventDays& e, const icaltimetype& t) {
  return icaltime_as_timet(icaltime_convert_to_zone(t, e.Zone));
}

// Where an instance of the series starting at start stands against a
// RECURRENCE-ID (-1 before, 0 the same, 1 after): by the date as each reads
// it when either is all-day, else by the instant.
int CompareToId(const EventDays& e, time_t start, const Replacement& r) {
  if (!e.IsDate && !r.Id.is_date) return (start > r.Instant) - (start < r.Instant);
  const icaltimetype day = icaltime_from_timet_with_zone(start, 0, e.Zone);
  const int a = day.year * 10000 + day.month * 100 + day.day, b = r.Id.year * 10000 + r.Id.month * 100 + r.Id.day;
  return (a > b) - (a < b);
}

// Gives the days of one instance of event, starting at start and lasting
// length seconds (an all-day one up to the end of its last day).
void PlaceInstance(EventDays& e, icalcomponent* event, time_t start, time_t length) {
  length -= e.IsDate ? 86399 : 0;
  const LocalTime first = FrameTime(e, start);
  const LocalTime last = length > 0 ? FrameTime(e, start + length - 1) : first;
  const int from = DayInYear(first, e.Year), to = DayInYear(last, e.Year);
  const int leap = IsLeapYear(e.Year);
  for (int d = from < 1 ? 1 : from; d <= to && d <= DaysInYear(e.Year); ++d) {
    const int index = leap || d < 60 ? d : d + 1;  // DayIndex numbers days as in a leap year
    if (e.Seen[index]) continue;
    e.Seen[index] = true;
    e.Days.push_back({index, first.Hour, first.Minute, event});
  }
}

// libical's callback for each instance of the event: its span in time_t, the
// end of an all-day event's span lying one day less a second behind its end.
// An instance that a changed instance stands for is left to it; one behind a
// change of this and the future instances is moved as that says.
void AddInstance(icalcomponent* event, icaltime_span* span, void* data) {
  EventDays& e = *static_cast<EventDays*>(data);
  if (++e.Instances > kMaxInstances) return;
  const Replacement* future = nullptr;
  for (const Replacement& r : e.Replaced) {
    const int order = CompareToId(e, span->start, r);
    if (order == 0) return;
    if (order > 0 && r.ThisAndFuture && (!future || r.Instant > future->Instant)) future = &r;
  }
  if (!future) return PlaceInstance(e, event, span->start, span->end - span->start);
  icaltimetype start = icaltime_from_timet_with_zone(span->start, 0, e.Zone);
  icaltime_adjust(&start, 0, 0, 0, static_cast<int>(future->Shift));
  PlaceInstance(e, future->Event, icaltime_as_timet_with_zone(start, e.Zone), future->Length);
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

struct ImportState {
  NotesImage Notes;
  int Year, Add;
  std::map<std::string, icalcomponent*> Latest;        // by UID, the copy of each event that counts
  std::multimap<std::string, icalcomponent*> Changed;  // by UID, the changed instances (with a RECURRENCE-ID)
  bool Touched[367];                                   // days written by this import
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

// The RECURRENCE-ID of a changed instance, in the zone it is written in.
icaltimetype RecurrenceId(icalcomponent* event) {
  icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
  return id ? icalproperty_get_datetime_with_component(id, event) : icaltime_null_time();
}

// Whether copy a of an event is older than copy b: a lower SEQUENCE, or an
// equal one and an earlier LAST-MODIFIED, or both equal and an earlier DTSTAMP.
bool OlderCopy(icalcomponent* a, icalcomponent* b) {
  const int sa = icalcomponent_get_sequence(a), sb = icalcomponent_get_sequence(b);
  if (sa != sb) return sa < sb;
  icalproperty* ma = icalcomponent_get_first_property(a, ICAL_LASTMODIFIED_PROPERTY);
  icalproperty* mb = icalcomponent_get_first_property(b, ICAL_LASTMODIFIED_PROPERTY);
  const int modified = icaltime_compare(ma ? icalproperty_get_lastmodified(ma) : icaltime_null_time(),
                                        mb ? icalproperty_get_lastmodified(mb) : icaltime_null_time());
  if (modified != 0) return modified < 0;
  return icaltime_compare(icalcomponent_get_dtstamp(a), icalcomponent_get_dtstamp(b)) < 0;
}

// An event left out: an older copy of an event, or a changed instance older
// than its series' copy that excludes the instance it stands for.
bool Superseded(const ImportState& s, icalcomponent* event, const char* uid) {
  const auto latest = uid ? s.Latest.find(uid) : s.Latest.end();
  if (latest == s.Latest.end()) return false;
  if (!icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) return latest->second != event;
  if (icalcomponent_get_sequence(event) >= icalcomponent_get_sequence(latest->second)) return false;
  icaltimetype start = icalcomponent_get_dtstart(latest->second), id = RecurrenceId(event);
  return !icaltime_is_null_time(id) && icalproperty_recurrence_is_excluded(latest->second, &start, &id);
}

// The zone an RDATE's time is written in: its TZID's, else the series'.
icaltimezone* RdateZone(icalproperty* rdate, icalcomponent* event, icaltimezone* series) {
  icalparameter* tzid = icalproperty_get_first_parameter(rdate, ICAL_TZID_PARAMETER);
  const char* name = tzid ? icalparameter_get_tzid(tzid) : nullptr;
  if (!name) return series;
  for (icalcomponent* c = event; c; c = icalcomponent_get_parent(c))
    if (icaltimezone* zone = icalcomponent_get_timezone(c, name)) return zone;
  if (icaltimezone* zone = icaltimezone_get_builtin_timezone_from_tzid(name)) return zone;
  icaltimezone* zone = icaltimezone_get_builtin_timezone(name);
  return zone ? zone : series;
}

// The instances of a series given by its RDATEs, each read in its own zone
// (libical would read a TZID's time as UTC): taken out of the event, placed
// as its other instances are, unless an EXDATE excludes them.
void AddRdates(icalcomponent* event, std::vector<icalproperty*> rdates, EventDays* days) {
  icaltimetype start = icalcomponent_get_dtstart(event);
  const icaltime_span base = icaltime_span_new(start, icalcomponent_get_dtend(event), 1);
  for (icalproperty* rdate : rdates) {
    icaltimetype t = icalproperty_get_rdate(rdate).time;
    if (!icaltime_is_null_time(t) && !t.is_date && !icaltime_is_utc(t))
      t = icaltime_set_timezone(&t, RdateZone(rdate, event, days->Zone));
    if (!icaltime_is_null_time(t) && !icalproperty_recurrence_is_excluded(event, &start, &t)) {
      const time_t at = icaltime_as_timet_with_zone(t, t.zone ? t.zone : icaltimezone_get_utc_timezone());
      icaltime_span span = {at, at + base.end - base.start, 1};
      AddInstance(event, &span, days);
    }
    icalproperty_free(rdate);
  }
}

// The changed instances of the series event, each with the start it stands
// for and, for a change of the later instances too, their shift and length;
// from, to: the span of the instances to expand, widened by those shifts.
void CollectReplacements(const ImportState& s, const char* uid, EventDays* days, icaltimetype* from, icaltimetype* to) {
  constexpr time_t kMaxWidening = 400 * 86400, kMaxShift = 50 * 366 * 86400;  // a shift within libical's int
  time_t back = 0, ahead = 0;
  for (auto [c, last] = s.Changed.equal_range(uid); c != last; ++c) {
    if (Superseded(s, c->second, uid)) continue;
    icalproperty* id = icalcomponent_get_first_property(c->second, ICAL_RECURRENCEID_PROPERTY);
    icalparameter* range = icalproperty_get_first_parameter(id, ICAL_RANGE_PARAMETER);
    Replacement r = {RecurrenceId(c->second), 0, range && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE};
    r.Instant = icaltime_as_timet_with_zone(r.Id, r.Id.zone ? r.Id.zone : days->Zone);
    const icaltimetype start = icalcomponent_get_dtstart(c->second);
    const icaltime_span span = icaltime_span_new(start, icalcomponent_get_dtend(c->second), 1);
    r.Shift = std::clamp(WallSeconds(*days, start) - WallSeconds(*days, r.Id), -kMaxShift, kMaxShift);
    r.Length = span.end - span.start;
    r.Event = c->second;
    if (r.ThisAndFuture) back = std::max(back, std::min(r.Shift, kMaxWidening));
    if (r.ThisAndFuture) ahead = std::max(ahead, std::min(-r.Shift, kMaxWidening));
    days->Replaced.push_back(r);
  }
  icaltime_adjust(from, 0, 0, 0, static_cast<int>(-back));
  icaltime_adjust(to, 0, 0, 0, static_cast<int>(ahead));
}

void ImportEvent(ImportState* s, icalcomponent* event) {
  ++s->Events;
  if (Unreadable(event)) return LogEvent(s, event);
  // An older copy, a stale change and a cancelled event give nothing, and
  // count nowhere.
  const char* uid = icalcomponent_get_uid(event);
  if (Superseded(*s, event, uid) || icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) return;
  const icaltimetype start = icalcomponent_get_dtstart(event);
  EventDays days = {};
  days.Year = s->Year;
  days.IsDate = icaltime_is_date(start);
  days.IsUtc = icaltime_is_utc(start);
  days.Zone = start.zone ? const_cast<icaltimezone*>(start.zone) : icaltimezone_get_utc_timezone();
  if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
    // A changed instance is that one instance, whatever rule it carries.
    icaltime_span span = icaltime_span_new(start, icalcomponent_get_dtend(event), 1);
    AddInstance(event, &span, &days);
  } else {
    // Every instance that touches the year, with a margin for the zones.
    icaltimetype from = icaltime_null_time(), to = icaltime_null_time();
    from.year = s->Year - 1, from.month = 12, from.day = 30;
    to.year = s->Year + 1, to.month = 1, to.day = 2;
    from.zone = to.zone = icaltimezone_get_utc_timezone();
    if (uid) CollectReplacements(*s, uid, &days, &from, &to);
    std::vector<icalproperty*> rdates;
    while (icalproperty* rdate = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY)) {
      icalcomponent_remove_property(event, rdate);
      rdates.push_back(rdate);
    }
    icalcomponent_foreach_recurrence(event, from, to, AddInstance, &days);
    AddRdates(event, rdates, &days);
  }
  if (days.Days.empty()) {
    ++s->Result->EventsOutsideYear;
    return;
  }
  icalcomponent* source = nullptr;
  std::string text;
  for (const EventDays::Day& d : days.Days) {
    if (d.Text != source) text = EventText(source = d.Text);
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

// The copy of each event that counts and the changed instances of recurring
// events, in a calendar and in the calendars of a file of several: of two
// copies the newer, of equal ones the later in the file.
void CollectEvents(ImportState* s, icalcomponent* component) {
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT) CollectEvents(s, c);
    const char* uid = icalcomponent_get_uid(c);
    if (icalcomponent_isa(c) != ICAL_VEVENT_COMPONENT || !uid) continue;
    if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
      s->Changed.emplace(uid, c);
      continue;
    }
    icalcomponent*& latest = s->Latest[uid];
    if (!latest || !OlderCopy(c, latest)) latest = c;
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
    CollectEvents(&s, root);
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
