#pragma once

#include <string>

#include "model/LabelSheet.h"
#include "model/LayoutSettings.h"
#include "model/Result.h"

// Reads the sheet of a label data file with its print pattern, as the input
// window holds them after opening the file. When `layoutFile` is not empty the
// print pattern comes from that file instead: a settings file (data.txt), or
// another label data file whose pattern is taken. NotFound, ReadFailed or
// NotLabelFile (naming the file) when a file is missing, unreadable or not a
// label data file. `misfitLine` receives the first line of the label data
// file that does not line up as written (0 when all do).
//
// Each function here writes a warning on stderr, and sets `warned`, when a
// pattern is not wholly taken (damaged price lines, a damaged colour, a
// preferred pattern that cannot be read): the labels print all the same on
// the defaults, and the tool ends with kExitReported.
Result readSheetForPrinting(const std::string& labelFile, const std::string& layoutFile,
                            LabelSheet& sheet, LayoutSettings& layout, int& misfitLine,
                            bool& warned);

// Reads the print pattern of `layoutFile` into `layout`: a settings file
// (data.txt), or a label data file whose pattern is taken. NotFound or
// ReadFailed when the file is missing or unreadable.
Result readLayoutForPrinting(const std::string& layoutFile, LayoutSettings& layout, bool& warned);

// The print pattern of `layoutFile` as readLayoutForPrinting reads it, or,
// when no file is given, the user's preferred pattern (data.txt), or the
// default pattern when there is none or it cannot be read. The origin
// follows the stored adjustment either way.
Result readLayoutOrPreferred(const std::string& layoutFile, LayoutSettings& layout, bool& warned);
