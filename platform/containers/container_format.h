#pragma once
// Which container a file is, told by its first bytes; and which one a name asks for when writing.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace platform::containers {

enum class ContainerFormat { Raw, Imd, TeleDisk, CopyQm, Imz };

// Each format's name, which is also the file name extension of the containers.
inline constexpr std::array<std::pair<ContainerFormat, std::string_view>, 5> kFormatNames{{
    {ContainerFormat::Raw, "raw"},
    {ContainerFormat::Imd, "imd"},
    {ContainerFormat::TeleDisk, "td0"},
    {ContainerFormat::CopyQm, "cqm"},
    {ContainerFormat::Imz, "imz"},
}};

// ".imd" and the others, in any case; header-only, for the programs' extension lists.
inline bool isContainerExtension(std::string_view extension) {
    if (extension.empty() || extension[0] != '.') return false;
    std::string lower(extension.substr(1));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::any_of(kFormatNames.begin() + 1, kFormatNames.end(),
                       [&](const auto& entry) { return entry.second == lower; });
}

// Bytes enough to tell every format apart (a CopyQM header is checked whole).
inline constexpr size_t kDetectBytes = 133;

// Raw for anything that is none of the containers.
ContainerFormat detectFormat(std::span<const uint8_t> head);

// By the name's extension: .imd, .td0, .cqm, .imz, or raw for any other.
ContainerFormat formatForName(std::string_view path);

// "raw", "imd", "td0", "cqm", "imz"; and back, for an option naming a format.
std::string_view formatName(ContainerFormat format);
std::optional<ContainerFormat> formatNamed(std::string_view name);

// Whether changes can be written back in the same format.
bool isWritable(ContainerFormat format);

}  // namespace platform::containers
