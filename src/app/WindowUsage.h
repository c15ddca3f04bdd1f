#pragma once

#include <optional>
#include <string>
#include <vector>

#include "HelpLanguage.h"

// What `tanahuda --help` (-h) and `tanahuda --version` print instead of
// opening the window; they need no display. Nothing when the command line
// asks for neither: the program opens its window as always.
std::optional<std::string> windowCommandLineAnswer(const std::vector<std::string>& args,
                                                   HelpLanguage language);

// The label file the window opens at once: the first argument that is no
// option. Nothing when none is given (the start window opens).
std::optional<std::string> labelFileArgument(const std::vector<std::string>& args);
