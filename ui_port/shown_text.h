#pragma once
// A text a window shows, kept as the logic composed it: templates with their printf-style places and the
// arguments that fill them, and verbatim pieces (paths, hex digits). A view shows it in another language by
// translating each template before it is filled; str() is the text as composed, in the logic's own words.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Marks a text of a program's window for the translation catalogue, under the program's name: lupdate
// reads the mark (as QT_TRANSLATE_NOOP) and the logic uses the text as it stands.
#define UI_TEXT(program, text) text

namespace desktop {

// How the arguments of a template take their places.
enum class Places {
    Printf,  // each conversion ("%s", "%d", "%08lx" ...) in order; "%%" is a percent sign
    Drives,  // each "%c:" in order (a drive letter place that holds a folder on this host)
};

class ShownText {
  public:
    struct Piece {
        std::string text;  // a template, or the text itself when verbatim
        std::vector<std::string> arguments;
        Places places = Places::Printf;
        bool verbatim = false;
    };

    ShownText() = default;
    // A whole template without arguments (what most messages are).
    ShownText(std::string text);
    ShownText(const char* text);

    static ShownText filled(std::string format, std::vector<std::string> arguments,
                            Places places = Places::Printf);
    // The arguments formatted each by its own conversion, as printf would.
    template <typename... Args>
    static ShownText printf(const char* format, Args... args);
    // Never translated: a name, a path, digits.
    static ShownText verbatim(std::string text);

    ShownText& operator+=(const ShownText& more);
    friend ShownText operator+(ShownText a, const ShownText& b) { return a += b; }

    bool empty() const { return str().empty(); }
    std::string str() const;
    // Each template through translate before it is filled; verbatim pieces as they are.
    std::string str(const std::function<std::string(const std::string&)>& translate) const;
    const std::vector<Piece>& pieces() const { return pieces_; }

  private:
    std::vector<Piece> pieces_;
};

// The conversions of a printf format in order ("%s", "%08lx"); "%%" is none.
std::vector<std::string> printfConversions(std::string_view format);
// The template with its places filled in order; a place without an argument stays as it stands.
std::string fillPlaces(std::string_view format, const std::vector<std::string>& arguments, Places places);

namespace detail {
template <typename T>
std::string formatOne(const std::string& conversion, T value) {
    const int length = std::snprintf(nullptr, 0, conversion.c_str(), value);
    if (length <= 0) return {};
    std::string out(static_cast<size_t>(length), '\0');
    std::snprintf(out.data(), out.size() + 1, conversion.c_str(), value);
    return out;
}
}  // namespace detail

template <typename... Args>
ShownText ShownText::printf(const char* format, Args... args) {
    const std::vector<std::string> conversions = printfConversions(format);
    std::vector<std::string> arguments;
    size_t next = 0;
    (
        [&] {
            if (next < conversions.size()) arguments.push_back(detail::formatOne(conversions[next], args));
            ++next;
        }(),
        ...);
    return filled(format, std::move(arguments));
}

}  // namespace desktop
