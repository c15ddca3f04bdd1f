// Feeds arbitrary bytes to the settings file reader. Whatever it reads must
// either be refused by the writer or be written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LayoutSettings settings = initialLayoutSettings();
    readSettingsBytes(bytes, settings);
    for (LabelElement e : kTextElements) {
        if (settings.element(e).font.name.empty() || settings.element(e).font.size < 1)
            std::abort();
    }

    Result result;
    const std::string written = formatSettingsBytes(settings, result);
    if (!result.ok())
        return 0;
    LayoutSettings again = settings;
    readSettingsBytes(written, again);
    if (!(again == settings))
        std::abort();
    if (formatSettingsBytes(again, result) != written)
        std::abort();
    return 0;
}
