// Code page 932 through glibc's iconv table. Where Windows' own table differs
// (a handful of signs such as 〜 and −), the Windows build follows this one,
// so both write the same bytes.
#include <iconv.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace folvane {

namespace {

class Converter {
  public:
    Converter() : cd_(::iconv_open("CP932", "UTF-8")) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Returns how many characters became "?".
    std::size_t Append(std::string& out, std::string_view text) {
        std::size_t replaced = 0;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // No table on this system: keep the line readable rather than lose it.
            for (std::size_t i = 0; i < text.size();) {
                const std::size_t length = WellFormedUtf8Length(text.substr(i));
                i += length == 0 ? 1 : length;
                out += '?';
                ++replaced;
            }
            return replaced;
        }
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = ::iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: a character without a code, or a broken
            // sequence. It becomes "?" and the conversion goes on after it.
            // A well-formed character without a code is skipped whole; a
            // broken sequence only by its first byte, so that the
            // characters after it are kept.
            out += '?';
            ++replaced;
            std::size_t skip = WellFormedUtf8Length(std::string_view(in, inLeft));
            if (skip == 0) skip = 1;
            in += skip;
            inLeft -= skip;
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return replaced;
    }

  private:
    iconv_t cd_;
};

}  // namespace

std::size_t AppendCp932(std::string& out, std::string_view text) {
    // iconv descriptors keep state, so each thread gets its own.
    thread_local Converter converter;
    return converter.Append(out, text);
}

}  // namespace folvane
