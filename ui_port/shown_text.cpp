#include "ui_port/shown_text.h"

#include <cctype>
#include <cstring>

namespace desktop {
namespace {

// The length of the printf conversion that starts at format[at] ('%'); 0 when none starts there.
size_t conversionLength(std::string_view format, size_t at) {
    size_t i = at + 1;
    while (i < format.size() && std::strchr("-+ #0", format[i]) != nullptr) ++i;
    while (i < format.size() && (std::isdigit(static_cast<unsigned char>(format[i])) || format[i] == '.'))
        ++i;
    while (i < format.size() && std::strchr("hlLqjzt", format[i]) != nullptr) ++i;
    if (i < format.size() && std::strchr("diouxXeEfFgGaAcsp", format[i]) != nullptr) return i + 1 - at;
    return 0;
}

}  // namespace

ShownText::ShownText(std::string text) {
    if (!text.empty()) pieces_.push_back({std::move(text), {}, Places::Printf, false});
}

ShownText::ShownText(const char* text) : ShownText(std::string(text != nullptr ? text : "")) {}

ShownText ShownText::filled(std::string format, std::vector<std::string> arguments, Places places) {
    ShownText shown;
    shown.pieces_.push_back({std::move(format), std::move(arguments), places, false});
    return shown;
}

ShownText ShownText::verbatim(std::string text) {
    ShownText shown;
    if (!text.empty()) shown.pieces_.push_back({std::move(text), {}, Places::Printf, true});
    return shown;
}

ShownText& ShownText::operator+=(const ShownText& more) {
    pieces_.insert(pieces_.end(), more.pieces_.begin(), more.pieces_.end());
    return *this;
}

std::string ShownText::str() const {
    return str([](const std::string& text) { return text; });
}

std::string ShownText::str(const std::function<std::string(const std::string&)>& translate) const {
    std::string out;
    for (const Piece& piece : pieces_) {
        out += piece.verbatim ? piece.text : fillPlaces(translate(piece.text), piece.arguments, piece.places);
    }
    return out;
}

std::vector<std::string> printfConversions(std::string_view format) {
    std::vector<std::string> conversions;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        if (const size_t length = conversionLength(format, i)) {
            conversions.emplace_back(format.substr(i, length));
            i += length - 1;
        }
    }
    return conversions;
}

std::string fillPlaces(std::string_view format, const std::vector<std::string>& arguments, Places places) {
    // A text without arguments is not a format: it stays exactly as it is, percent signs included.
    if (arguments.empty()) return std::string(format);
    std::string out;
    auto next = arguments.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        size_t length = 0;
        if (places == Places::Drives) {
            length = format.substr(i, 3) == "%c:" ? 3 : 0;
        } else if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        } else {
            length = conversionLength(format, i);
        }
        if (length == 0 || next == arguments.end()) {
            out += format[i];
            continue;
        }
        out += *next++;
        i += length - 1;
    }
    return out;
}

}  // namespace desktop
