// Feeds arbitrary bytes to the label data file reader. Whatever it reads must
// either be refused by the writer or be written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/LabelDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LabelSheet sheet;
    LayoutSettings settings = initialLayoutSettings();
    if (parseLabelFile(bytes, sheet, settings) != LabelFileRead::Read) {
        if (!(sheet == LabelSheet{}) || !(settings == initialLayoutSettings()))
            std::abort();
        return 0;
    }
    std::string written;
    if (!formatLabelFile(sheet, settings, written).ok())
        return 0;

    LabelSheet again;
    LayoutSettings againSettings = settings;
    if (parseLabelFile(written, again, againSettings) != LabelFileRead::Read)
        std::abort();
    if (!(again == sheet) || !(againSettings == settings))
        std::abort();
    std::string rewritten;
    if (!formatLabelFile(again, againSettings, rewritten).ok() || rewritten != written) {
        std::abort();
    }
    return 0;
}
