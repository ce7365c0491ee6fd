// Shows an HTML file of the program in the system's modal HTML dialog.
#pragma once

// Returns when the dialog has been closed, or at once when the HTML engine
// cannot be had; a missing file is told ("abrir") and nothing is shown.
void ShowHtmlPage(const char* path);
