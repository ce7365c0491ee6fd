// Local wall-clock time as the program stores it.
#pragma once
#include "os/os.h"
#include "os/platform_records.h"

// The local time as a FILETIME (100-ns steps since 1 January 1601), as
// SystemTimeToFileTime gives it for a SYSTEMTIME.
FileTime ToFileTime(const LocalTime& time);
// The broken-down time of a FILETIME, without any time-zone conversion.
LocalTime FromFileTime(const FileTime& time);
// The current local time, through the seam's clock.
FileTime CurrentFileTime();
