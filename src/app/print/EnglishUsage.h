#pragma once

// The --help text in English, option for option the Japanese one
// (printToolUsage): the English manual page is made from it.
const char* printToolUsageInEnglish();
