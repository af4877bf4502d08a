#include "floppy/converter_texts.h"

#include <array>
#include <string_view>

#include "converter/dialog/texts.h"

namespace cli {
namespace {

namespace text = converter::dialog::text;
using Places = std::vector<std::string>;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Backtracks only at %s, the one place that can swallow a separator that follows it.
bool matchFrom(std::string_view format, std::string_view shown, Places& places) {
    if (format.empty()) return shown.empty();
    if (format.size() > 1 && format[0] == '%' && format[1] != '%') {
        const std::string_view rest = format.substr(2);
        size_t length = 0;
        switch (format[1]) {
            case 'd':
                if (length < shown.size() && shown[length] == '-') ++length;
                while (length < shown.size() && isDigit(shown[length])) ++length;
                if (length == 0 || !isDigit(shown[length - 1])) return false;
                break;
            case 'c':
                if (shown.empty()) return false;
                length = 1;
                break;
            case 's':
                for (length = 0; length <= shown.size(); ++length) {
                    places.emplace_back(shown.substr(0, length));
                    if (matchFrom(rest, shown.substr(length), places)) return true;
                    places.pop_back();
                }
                return false;
            default:
                return false;
        }
        places.emplace_back(shown.substr(0, length));
        if (matchFrom(rest, shown.substr(length), places)) return true;
        places.pop_back();
        return false;
    }
    const size_t literal = format.starts_with("%%") ? 2 : 1;
    if (shown.empty() || shown[0] != format[literal - 1]) return false;
    return matchFrom(format.substr(literal), shown.substr(1), places);
}

struct Known {
    const char* format;
    ShownKind kind;
    std::string (*english)(const Places& places, FloppyAction action);
};

std::string withError(const char* what, const std::string& code) {
    return std::string(what) + ", error " + code;
}

const std::array<Known, 21> kKnown{{
    {text::kReadDone, ShownKind::Done, [](const Places&, FloppyAction) { return std::string("read"); }},
    {text::kWriteDone, ShownKind::Done, [](const Places&, FloppyAction) { return std::string("written"); }},
    {text::kFormatDone, ShownKind::Done,
     [](const Places&, FloppyAction) { return std::string("formatted"); }},
    {text::kCannotOpen, ShownKind::Failure,
     [](const Places& p, FloppyAction) { return withError("the drive cannot be opened", p[1]); }},
    {text::kLocked, ShownKind::Failure,
     [](const Places& p, FloppyAction) { return withError("another program holds the drive", p[1]); }},
    {text::kGeometryFailed, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("the floppy's geometry cannot be read"); }},
    {text::kAllocationFailed, ShownKind::Failure,
     [](const Places&, FloppyAction) {
         return std::string("the floppy's format is unknown (unformatted?) or no buffer could be had");
     }},
    {text::kFileError, ShownKind::Failure,
     [](const Places& p, FloppyAction) {
         return withError((p[0] + ": the image file cannot be used").c_str(), p[1]);
     }},
    {text::kWriteError, ShownKind::Failure,
     [](const Places& p, FloppyAction action) {
         return withError(
             action == FloppyAction::Read ? "writing the image file failed" : "writing the floppy failed",
             p[0]);
     }},
    {text::kImageReadError, ShownKind::Failure,
     [](const Places& p, FloppyAction) { return withError("reading the image file failed", p[0]); }},
    {text::kNotThisType, ShownKind::Failure,
     [](const Places&, FloppyAction) {
         return std::string("the image's size is not that of the floppy in the drive; nothing was written");
     }},
    {text::kWriteProtected, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("the floppy is write-protected"); }},
    {text::kFormatError, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("formatting the floppy failed"); }},
    {text::kTypeNotFormattable, ShownKind::Failure,
     [](const Places&, FloppyAction) {
         return std::string("a floppy of this type cannot be formatted, or the drive refused the format");
     }},
    {text::kTrack0Failed, ShownKind::Failure,
     [](const Places&, FloppyAction) {
         return std::string("the empty file system cannot be written to track 0");
     }},
    {text::kCannotFormatType, ShownKind::Note,
     [](const Places&, FloppyAction) {
         return std::string("the floppy's present format is not one to format it to again");
     }},
    {text::kInsertFormatted, ShownKind::Note,
     [](const Places&, FloppyAction) { return std::string("the floppy must be formatted already"); }},
    {text::kFormatOnlyNt, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("floppies are formatted only on the NT line"); }},
    {text::kNoCd, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("images cannot be read onto a CD"); }},
    {text::kFillName, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("no image file named"); }},
    {text::kFileDriveNotSet, ShownKind::Failure,
     [](const Places&, FloppyAction) { return std::string("the image's folder cannot be used"); }},
}};

}  // namespace

std::optional<std::vector<std::string>> filledPlaces(const char* format, const std::string& text) {
    Places places;
    if (!matchFrom(format, text, places)) return std::nullopt;
    return places;
}

ShownText explainMessage(const std::string& shown, FloppyAction action) {
    for (const Known& known : kKnown) {
        if (const auto places = filledPlaces(known.format, shown))
            return {known.kind, known.english(*places, action)};
    }
    return {ShownKind::Failure, "the converter stopped"};
}

}  // namespace cli
