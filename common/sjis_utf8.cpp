#include "common/sjis_utf8.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "common/gaiji.h"

namespace quorvel {

namespace {

// One open converter per direction and thread for the life of the thread: iconv_open loads a
// gconv module and is far slower than the conversions themselves, and a converter keeps state,
// so two threads never share one.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (valid()) {
            iconv_close(cd_);
        }
    }

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // An unconvertible sequence becomes `replacement`; `skip` says how many input bytes it spans.
    // `ok` turns false when that happens.
    template <typename Skip>
    std::string convert(std::string_view input, std::string_view replacement, Skip skip, bool& ok) {
        ok = valid();
        std::string out;
        if (!ok) {
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(input.size() * 2 + 8);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t used = 0;
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end): replace it and go on.
            ok = false;
            const std::size_t bad = std::min(inLeft, skip(std::string_view(in, inLeft)));
            out.replace(used, 0, replacement);
            used += replacement.size();
            if (out.size() < used + 8) {
                out.resize(out.size() * 2 + 8);
            }
            in += bad;
            inLeft -= bad;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(used);
        return out;
    }

  private:
    iconv_t cd_;
};

std::size_t utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::max<std::size_t>(1, std::min(n, s.size()));
}

}  // namespace

std::string sjisToUtf8(std::string_view sjis) {
    static thread_local Converter decoder("UTF-8", "CP932");
    bool ok = true;
    return gaiji::toCharacters(decoder.convert(
        sjis, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; }, ok));
}

std::string utf8ToSjis(std::string_view utf8, bool& ok) {
    static thread_local Converter encoder("CP932", "UTF-8");
    return encoder.convert(gaiji::toPrivateUse(std::string(utf8)), "?", utf8SequenceLength, ok);
}

}  // namespace quorvel
