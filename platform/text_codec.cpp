#include "platform/text_codec.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace platform {
namespace {

// iconv descriptors are costly to open; keep one per direction for the life of the process.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; on an unconvertible sequence calls onBad(out, consumedBytes) and goes on.
    template <typename OnBad>
    bool run(std::string_view in, std::string& out, OnBad onBad) {
        if (!valid()) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> buf(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buf.data();
            size_t dstLeft = buf.size();
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
            if (rc != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            size_t skip = onBad(out, srcLeft);
            if (skip == 0) return false;
            src += skip;
            srcLeft -= skip;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

std::u16string fromBytes(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return text;
}

}  // namespace

std::optional<std::u16string> utf8ToUtf16(std::string_view text) {
    static Converter toUtf16("UTF-16LE", "UTF-8");
    std::string bytes;
    if (!toUtf16.run(text, bytes, [](std::string&, size_t) { return size_t{0}; })) return std::nullopt;
    return fromBytes(bytes);
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}

std::string utf16ToUtf8(std::u16string_view text) {
    // Most names are plain ASCII; they need no trip through iconv.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) {
        return std::string(text.begin(), text.end());
    }
    static Converter toUtf8("UTF-8", "UTF-16LE");
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    toUtf8.run(bytes, out, [](std::string& o, size_t left) {
        o += "\xEF\xBF\xBD";
        return left >= 2 ? size_t{2} : left;
    });
    return out;
}

std::string shownUtf8(std::string_view bytes) {
    if (isAscii(bytes)) return std::string(bytes);
    static Converter checked("UTF-8", "UTF-8");
    std::string out;
    checked.run(bytes, out, [](std::string& o, size_t) {
        o += "\xEF\xBF\xBD";
        return size_t{1};
    });
    return out;
}

std::string codePageToUtf8(std::string_view bytes, const std::string& codePage) {
    static std::map<std::string, std::unique_ptr<Converter>> converters;
    auto& conv = converters[codePage];
    if (!conv) conv = std::make_unique<Converter>("UTF-8", codePage.c_str());
    std::string out;
    bool ok = conv->run(bytes, out, [](std::string& o, size_t) {
        o += '?';
        return size_t{1};
    });
    if (!ok) {
        // Unknown code page: show ASCII as it is and the rest as '?'.
        out.clear();
        for (char c : bytes) out += (static_cast<unsigned char>(c) < 0x80) ? c : '?';
    }
    return out;
}

std::string lowerCaseUtf8(std::string_view text) {
    if (isAscii(text)) {
        std::string lower(text);
        for (char& c : lower) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return lower;
    }
    static const locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    auto wide = utf8ToUtf16(text);
    if (!wide) return std::string(text);
    for (char16_t& c : *wide) {
        // Surrogate halves are no letters; the rest maps one unit to one unit.
        if (c < 0xD800 || c > 0xDFFF) {
            c = static_cast<char16_t>(utf8Locale ? towlower_l(c, utf8Locale) : (c < 0x80 ? towlower(c) : c));
        }
    }
    return utf16ToUtf8(*wide);
}

}  // namespace platform
