// Changed, cancelled, repeated and added instances of recurring events as
// calendar servers write them: each file of tests/ical (which the native
// suite also expands with recurring_ical_events) gives its notes of 2007.

#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"
#include "program_dir.h"

struct IcalInstances : ProgramDirTest {};

// Every case is read into an empty notes file; the events counted outside the
// year (a cancelled event never is).
TEST_F(IcalInstances, EachFileGivesItsNotes) {
  const struct {
    const char* file;
    const char* notes;
    int outside;
  } cases[] = {
      // A changed instance carrying its series' RRULE is that one instance.
      {"moved_with_rule.ics", "5/3=10:00 Reunión|13/3=11:30 Reunión movida|19/3=10:00 Reunión|26/3=10:00 Reunión", 0},
      // The copy of highest SEQUENCE, then of latest LAST-MODIFIED, then of
      // latest DTSTAMP; the older copy's change that the newer one excludes is stale.
      {"two_copies.ics", "20/1=21:00 Cena nueva|26/1=20:00 Cine nuevo|2/4=Clase de piano|16/4=Clase de piano", 0},
      // An all-day series' instance named by a time in another zone; a timed
      // series' instances named in another zone and in UTC.
      {"other_value_type.ics",
       "16/4=Guardia|25/4=Guardia cambiada|30/4=Guardia|2/5=10:00 Comité|10/5=12:00 Comité movido|17/5=09:00 Comité "
       "adelantado",
       0},
      // A cancelled event, in the year and outside it, and a cancelled instance.
      {"cancelled.ics", "5/6=18:00 Inglés|19/6=18:00 Inglés", 0},
      // The later instances moved by a day and two days long, but the one changed on its own.
      {"this_and_future.ics",
       "6/9=Curso|13/9=Curso|21/9=Curso de fin de semana|22/9=Curso de fin de semana|28/9=Curso de fin de "
       "semana|29/9=Curso de fin de semana|3/10=Examen|12/10=Curso de fin de semana|13/10=Curso de fin de semana",
       0},
      // RDATEs in Madrid's time and in UTC on a series in Madrid's time.
      {"rdate_zone.ics", "3/4=10:30 Tutoría|5/4=23:30 Tutoría|10/4=10:30 Tutoría|12/4=10:30 Tutoría|19/4=10:30 Tutoría",
       0},
      {"master_missing.ics", "3/7=09:00 Sin serie", 0},
      // Instances of 2006 and 2007 moved into and out of 2007: the series and
      // the second change fall outside.
      {"into_out_of_year.ics", "2/1=Turno de enero", 2},
      {"several_calendars.ics", "1/8=Informe|2/8=Piscina|3/8=Piscina", 0},
      {"uid_in_two_calendars.ics", "6/8=20:00 Reunión de vecinos", 0},
  };
  for (const auto& c : cases) {
    WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
    IcalImportResult result;
    EXPECT_EQ(ImportIcalFile((std::string(ORISTEL_ICAL_CASES "/") + c.file).c_str(), 2007, 0, &result), 1);
    EXPECT_EQ(Notes(), c.notes) << c.file;
    EXPECT_EQ(result.EventsOutsideYear, c.outside) << c.file;
    EXPECT_EQ(result.ErrorsLogged, 0) << c.file;
  }
  EXPECT_EQ(g_shown, std::vector<std::string>{});
}
