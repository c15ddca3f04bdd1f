#pragma once

// The language of --help and of the manual pages made from it. The programs
// speak Japanese; --help is in English only where the messages locale names
// English (LANG=en_US.UTF-8 and the like), so that the English manual page is
// made from the same text as the Japanese one.
enum class HelpLanguage { Japanese, English };

// From the locale variables, in the order the C library reads them: the first
// that is set and not empty decides. Null stands for an unset variable.
HelpLanguage helpLanguageOf(const char* lcAll, const char* lcMessages, const char* lang);

// From this process's environment.
HelpLanguage helpLanguage();
