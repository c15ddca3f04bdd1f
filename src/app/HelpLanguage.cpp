#include "HelpLanguage.h"

#include <cstdlib>
#include <string_view>

HelpLanguage helpLanguageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view locale(value);
        // "en", "en_US.UTF-8", "en@euro"; not "C", "POSIX", "ja_JP.UTF-8".
        const bool english =
            locale.substr(0, 2) == "en" &&
            (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
        return english ? HelpLanguage::English : HelpLanguage::Japanese;
    }
    return HelpLanguage::Japanese;
}

HelpLanguage helpLanguage() {
    return helpLanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
