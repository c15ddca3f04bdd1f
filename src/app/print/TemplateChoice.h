#pragma once

#include <string>

#include "model/LabelStock.h"
#include "model/Result.h"

// The stock of --template NAME --stock FILE: one template of a label
// template file of the label designer.

// The template called `name` in the template file at `path`: its whole name
// ("Hisago ELM006 — Rectangular labels") or its maker and part ("Hisago
// ELM006"), compared as stock names are (blanks ignored, x for ×). The
// reader's failure for a file it refuses (naming the file), StockNotFound
// (`detail`: the name) when the file offers no such template, and the
// stock's fault when it cannot be printed on.
Result findTemplateStock(const std::string& path, const std::string& name, NamedStock& found);
