#pragma once

#include <QString>

// The user manual, Japanese HTML installed with the program in
// <prefix>/share/doc/tanahuda/manual/ beside <prefix>/bin. A program run from
// its build folder, which has no such folder, finds the manual of its source
// tree instead.

// The manual's first page: where it is, or where the installed one belongs
// when there is none.
QString userManualPath();

// Opens the manual in the system's browser. False when there is no manual or
// no browser could be started.
bool openUserManual();
