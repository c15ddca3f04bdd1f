#pragma once

#include <QString>

// NOTICE.txt, installed with the program in <prefix>/share/doc/tanahuda/
// beside the manual: the program's licence in full and the software it uses
// and ships, with theirs. A program run from its build folder finds the one
// the build made.

// Where the notice is, or where the installed one belongs when there is none.
QString programNoticePath();

// Opens the notice with the system's program for text. False when there is
// no notice or nothing could be started.
bool openProgramNotice();
