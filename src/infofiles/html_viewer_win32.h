// Shows an HTML file of the program in the system's modal HTML dialog, or,
// where the HTML engine or its dialog cannot be had, in the user's browser.
#pragma once

// Returns when the dialog has been closed: 1, the page may be deleted. With
// the page handed to the browser it returns at once with 0: the browser
// reads the file later, so it stays until a page of its name replaces it
// (a shell that cannot open it has told so, naming the page). A missing
// file is told ("abrir"), nothing is shown, 1.
int ShowHtmlPage(const char* path);
// Unpacks a packed page of the program directory into the page beside it
// (the wait cursor meanwhile), shows it and deletes it unless a browser
// shows it; a failure to unpack has been told and nothing is shown.
void ShowPackedPage(const char* packedName, const char* pageName);
