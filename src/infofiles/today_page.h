// The today page: the information of the selected day from the chosen
// information files, written to "cal_temp.htm".
#pragma once

// Number of information files chosen for the today page (0 when the settings
// file cannot be read).
int ReadTodaySelectionCount();
// Writes the page of the selected day; non-zero when written. With no file
// chosen it tells the user so and returns 0.
int BuildTodayPage();
