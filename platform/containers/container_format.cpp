#include "platform/containers/container_format.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string>

#include "le_bytes.h"
#include "platform/containers/copyqm_layout.h"
#include "platform/containers/imd_layout.h"
#include "platform/containers/teledisk_decode.h"
#include "platform/containers/teledisk_layout.h"

namespace platform::containers {
namespace {

bool startsWith(std::span<const uint8_t> head, std::string_view text) {
    return head.size() >= text.size() && std::equal(text.begin(), text.end(), head.begin());
}

bool isTeleDisk(std::span<const uint8_t> head) {
    if (head.size() < td0::kHeaderBytes || !(startsWith(head, "TD") || startsWith(head, "td"))) return false;
    return teleDiskCrc(head.first(td0::kHeaderCrc.offset)) == orva::load16(head, td0::kHeaderCrc.offset);
}

bool isCopyQm(std::span<const uint8_t> head) {
    if (head.size() < cqm::kHeaderBytes || !startsWith(head, "CQ")) return false;
    const auto header = head.first(cqm::kHeaderBytes);
    return std::accumulate(header.begin(), header.end(), 0u) % 256 == 0;
}

}  // namespace

ContainerFormat detectFormat(std::span<const uint8_t> head) {
    if (startsWith(head, imd::kSignature)) return ContainerFormat::Imd;
    if (isTeleDisk(head)) return ContainerFormat::TeleDisk;
    if (isCopyQm(head)) return ContainerFormat::CopyQm;
    if (startsWith(head, "PK\x03\x04")) return ContainerFormat::Imz;
    return ContainerFormat::Raw;
}

ContainerFormat formatForName(std::string_view path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot)) {
        return ContainerFormat::Raw;
    }
    std::string extension(path.substr(dot + 1));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return formatNamed(extension).value_or(ContainerFormat::Raw);
}

std::string_view formatName(ContainerFormat format) {
    for (const auto& [f, name] : kFormatNames) {
        if (f == format) return name;
    }
    return "raw";
}

std::optional<ContainerFormat> formatNamed(std::string_view name) {
    for (const auto& [f, n] : kFormatNames) {
        if (n == name) return f;
    }
    return std::nullopt;
}

bool isWritable(ContainerFormat format) {
    return format == ContainerFormat::Raw || format == ContainerFormat::Imd || format == ContainerFormat::Imz;
}

}  // namespace platform::containers
