// Shows an HTML file of the program in the system's modal HTML dialog.
#pragma once

// Returns when the dialog has been closed, or at once when the HTML engine
// cannot be had; a missing file is told ("abrir") and nothing is shown.
void ShowHtmlPage(const char* path);
// Unpacks a packed page of the program directory into the page beside it
// (the wait cursor meanwhile), shows it and deletes it; a failure to unpack
// has been told and nothing is shown.
void ShowPackedPage(const char* packedName, const char* pageName);
