#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/LabelStock.h"
#include "model/Result.h"

// Label template files of the open-source label designer many shops use
// (XML, one <Glabels-templates> element holding <Template>s). Their stock
// database is installed by distributions in kInstalledLabelTemplateFolder;
// a user may also pick a single file of their own.
//
// Only what this program can print on is offered: a rectangular label frame
// in one grid on a paper it knows. Every other template (round, elliptic and
// CD labels, several grids or frames, another paper, an alias of a template
// the file does not hold) is skipped and counted.

// One offered template, named for a list: "brand part — description".
struct TemplateStock {
    std::string name;
    LabelStock stock;  // firstLabel measured from the corner of the paper
    bool operator==(const TemplateStock&) const = default;
};

struct LabelTemplates {
    std::vector<TemplateStock> stocks;  // in the order of the file
    int skipped = 0;                    // templates not offered
    // Templates with a size or count that cannot be read (no finite length
    // within ten metres, no whole count from 1 to 1000, a size missing):
    // not offered either, and the line of the first.
    int damaged = 0;
    int firstDamagedLine = 0;
};

// Larger files are refused unread: the whole installed database is under one
// MiB, the largest file of it under 300 KiB.
inline constexpr std::size_t kMaxLabelTemplateFileBytes = 4 * 1024 * 1024;

inline constexpr const char* kInstalledLabelTemplateFolder = "/usr/share/libglabels-3.0/templates";

// Reads the templates of one file's bytes, adding them to `templates`. A file
// that is not a well-formed template file (bad XML, another root element, a
// document type or entity, nesting deeper than a template has) is refused
// whole with NotLabelTemplate and the line; `templates` is then left as it
// was. A template whose values cannot be read is counted as damaged.
Result readLabelTemplateBytes(std::string_view bytes, LabelTemplates& templates);

// The same for a file: ReadFailed (with the system's reason, or because it
// is larger than kMaxLabelTemplateFileBytes) or NotFound before it is read.
Result readLabelTemplateFile(const std::string& path, LabelTemplates& templates);

// Every "*-templates.xml" file of `folder` in name order; files that are
// refused count as nothing offered and nothing skipped, damaged templates as
// skipped. Empty when the folder is missing.
LabelTemplates readInstalledLabelTemplates(
    const std::string& folder = kInstalledLabelTemplateFolder);
