#include "platform/containers/mapfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/host_file.h"

namespace platform::containers {
namespace {

std::string hex(uint64_t v) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(v));
    return text;
}

bool isStatus(char c) {
    return c == kNonTried || c == kNonTrimmed || c == kNonScraped || c == kBadSector || c == kFinished;
}

// ddrescue's phases add filling and generating to the block states.
bool isPhase(char c) {
    return isStatus(c) || c == 'F' || c == 'G';
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

std::optional<uint64_t> number(std::string_view word) {
    const std::string text(word);
    if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string mapfileText(const Mapfile& map, const std::string& commandLine) {
    std::string text = "# Mapfile. Created by " + commandLine + "\n";
    text += "# current_pos  current_status  current_pass\n";
    text += hex(map.currentPos) + "     " + map.currentStatus + "               " +
            std::to_string(map.currentPass) + "\n";
    text += "#      pos        size  status\n";
    size_t i = 0;
    while (i < map.blocks.size()) {
        const MapBlock& first = map.blocks[i];
        uint64_t size = first.size;
        size_t next = i + 1;
        while (next < map.blocks.size() && map.blocks[next].status == first.status)
            size += map.blocks[next++].size;
        text += hex(first.pos) + "  " + hex(size) + "  " + first.status + "\n";
        i = next;
    }
    return text;
}

MapfileParse parseMapfile(std::string_view text) {
    Mapfile map;
    bool statusLine = false;
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line[0] == '#') continue;
        const auto w = words(line);
        if (w.empty()) continue;
        const std::string where = "line " + std::to_string(lineNumber);
        if (!statusLine) {
            const auto pos = number(w[0]);
            if (w.size() < 2 || w.size() > 3 || !pos || w[1].size() != 1 || !isPhase(w[1][0]))
                return {std::nullopt, where + ": no status line"};
            map.currentPos = *pos;
            map.currentStatus = w[1][0];
            if (w.size() == 3) {
                const auto pass = number(w[2]);
                if (!pass || *pass == 0 || *pass > 0xFFFFFFFFu) return {std::nullopt, where + ": bad pass"};
                map.currentPass = static_cast<uint32_t>(*pass);
            }
            statusLine = true;
            continue;
        }
        const auto pos = number(w.size() == 3 ? w[0] : std::string_view{});
        const auto size = number(w.size() == 3 ? w[1] : std::string_view{});
        if (!pos || !size || w[2].size() != 1 || !isStatus(w[2][0]))
            return {std::nullopt, where + ": not a block"};
        const uint64_t expected = map.blocks.empty() ? 0 : map.blocks.back().pos + map.blocks.back().size;
        if (*pos != expected) return {std::nullopt, where + ": block does not follow the one before"};
        if (*size != 0) map.blocks.push_back({*pos, *size, w[2][0]});
    }
    if (!statusLine) return {std::nullopt, "no status line"};
    return {map, {}};
}

MapfileRead readMapfile(const std::string& path) {
    MapfileRead read;
    auto file = openExclusive(path, Access::ReadOnly, read.code);
    if (!file) return read;
    const auto size = file->size();
    std::vector<uint8_t> bytes(size.value_or(0));
    errno = 0;
    if (!size || file->readAt(0, bytes) != static_cast<int64_t>(bytes.size())) {
        read.code = errno != 0 ? errno : EIO;
        return read;
    }
    MapfileParse parsed = parseMapfile(std::string(bytes.begin(), bytes.end()));
    read.map = std::move(parsed.map);
    read.error = std::move(parsed.error);
    return read;
}

}  // namespace platform::containers
