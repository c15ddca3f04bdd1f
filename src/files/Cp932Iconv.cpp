#include <iconv.h>

#include <cerrno>

#include "files/Cp932Converter.h"

namespace cp932 {
namespace {

// One conversion direction of iconv, opened once per thread.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` up to its end or up to the first sequence that cannot be
    // converted, appending the result. Returns the number of bytes of `in`
    // converted; a value below in.size() means the sequence there was refused.
    std::size_t convertUntilError(std::string_view in, std::string& out) {
        if (!valid())
            return 0;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG)
                break;
        }
        return in.size() - inLeft;
    }

  private:
    iconv_t cd_;
};

Converter& decoder() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

std::size_t decodeUntilRefused(std::string_view bytes, std::string& utf8) {
    return decoder().convertUntilError(bytes, utf8);
}

std::size_t encodeUntilRefused(std::string_view text, std::string& bytes) {
    return encoder().convertUntilError(text, bytes);
}

}  // namespace cp932
