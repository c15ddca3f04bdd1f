#pragma once

#include <string>

#include "render/DrawingSurface.h"

// One printed page, from the choice of printer to the end of the document.
// The editor draws through it without knowing the printer; the Qt printer
// (QtPrintJob) and the tests' fakes implement it.
class PrintJob {
  public:
    virtual ~PrintJob() = default;
    // The page to draw on. Its unit starts as millimetres.
    virtual DrawingSurface& page() = 0;
    // Ends the document so the page goes to the printer. On failure returns
    // false with a reason the user can read.
    virtual bool finish(std::string& error) = 0;
    // Abandons the document: nothing reaches the printer.
    virtual void abort() = 0;
};
