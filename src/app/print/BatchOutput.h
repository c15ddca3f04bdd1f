#pragma once

#include "PrintToolOptions.h"

// Prints a product list: as many sheets as it needs, onto a PDF or a printer.
// Reports unreadable rows and rows printed without a barcode on stderr with
// their line numbers, and a progress line on a terminal for jobs longer than
// a second. Returns the process's exit status: 0 when all went well, 3 when
// rows were reported, 1 when the job failed.
int runBatch(const PrintToolOptions& options);
