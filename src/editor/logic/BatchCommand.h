#pragma once

#include <string>

#include "editor/logic/BatchProgress.h"
#include "editor/logic/EditorDialogs.h"
#include "jobs/BatchPrint.h"
#include "model/LayoutSettings.h"
#include "render/PrintJob.h"

// Prints the product list at `listPath` on `job` (begun on the printer chosen
// in the printer set-up dialog) with `layout`, as `choice` asks, telling
// `progress` how far it has come. A list that cannot be opened abandons the
// job: nothing reaches the printer.
BatchOutcome printProductList(const std::string& listPath, const BatchChoice& choice,
                              const LayoutSettings& layout, PrintJob& job,
                              BatchProgressPort& progress);
