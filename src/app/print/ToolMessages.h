#pragma once

#include <string>

#include "model/Result.h"

// The one line tanahuda-print writes on stderr for a failed result, naming
// the file, list or printer it is about, e.g. "ファイルがありません: 棚札.csv".
std::string toolMessage(const Result& failure);

// The line for one problem row of the product list `listPath`:
// "LIST:LINE: what is wrong".
std::string toolProblemLine(const std::string& listPath, const Result& problem);
