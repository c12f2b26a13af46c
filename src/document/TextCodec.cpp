#include "document/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// Bytes of the UTF-8 sequence at `p` that cannot be converted: a lead byte with the
// continuation bytes that follow it (at most as many as it announces), or a single stray byte,
// so that the text after it is kept.
std::size_t Utf8SequenceLength(const char* p, std::size_t left) {
    const unsigned char c = static_cast<unsigned char>(p[0]);
    const std::size_t announced = c >= 0xC2 && c <= 0xDF   ? 2
                                  : c >= 0xE0 && c <= 0xEF ? 3
                                  : c >= 0xF0 && c <= 0xF4 ? 4
                                                           : 1;
    std::size_t n = 1;
    while (n < announced && n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

// Converts with iconv; an unconvertible character becomes `replacement` and is skipped.
std::string Convert(std::string_view in, const char* to, const char* from,
                    std::string_view replacement, std::size_t skipBytes) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // Invalid or incomplete input: replace one character and go on.
            out.append(replacement);
            std::size_t skip = skipBytes;
            if (skipBytes == 0) skip = Utf8SequenceLength(src, srcLeft);
            skip = std::min(skip, srcLeft);
            src += skip;
            srcLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        if (c < 0x80)
            extra = 0;
        else if ((c >> 5) == 0x6)
            extra = 1;
        else if ((c >> 4) == 0xE)
            extra = 2;
        else if ((c >> 3) == 0x1E)
            extra = 3;
        else
            return false;
        if (i + extra >= s.size() && extra > 0) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert(utf8, "CP932", "UTF-8", "?", 0);
}

std::string FileTextToUtf8(std::string_view bytes) {
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB &&
        static_cast<unsigned char>(bytes[2]) == 0xBF)
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Convert(bytes, "UTF-8", "CP932", "?", 1);
}
