// Zip archives through zlib's deflate: only what a zipped floppy image needs, every field bounds-checked.
#include "platform/containers/zip_image.h"

#include <zlib.h>

#include <algorithm>
#include <optional>

#include "le_bytes.h"
#include "platform/clock.h"
#include "platform/containers/sector_image.h"
#include "platform/containers/zip_layout.h"

namespace platform::containers {
namespace {

uint32_t field(std::span<const uint8_t> bytes, zip::Field f) {
    return orva::loadLe(bytes, f.offset, f.width);
}

void putField(std::vector<uint8_t>& out, size_t base, zip::Field f, uint32_t value) {
    orva::storeLe(std::span(out).subspan(base), f.offset, f.width, value);
}

// The end record: the last one whose comment reaches exactly to the end of the file.
std::optional<size_t> findEnd(std::span<const uint8_t> file) {
    if (file.size() < zip::end::kBytes) return std::nullopt;
    for (size_t at = file.size() - zip::end::kBytes + 1; at-- > 0;) {
        const auto record = file.subspan(at);
        if (field(record, zip::end::signature) == zip::kEndSignature &&
            at + zip::end::kBytes + field(record, zip::end::commentLength) == file.size()) {
            return at;
        }
        if (file.size() - at > zip::end::kBytes + 0xFFFF) break;
    }
    return std::nullopt;
}

ContainerError inflateRaw(std::span<const uint8_t> in, size_t expected, std::vector<uint8_t>& out) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return ContainerError::ArchiveFailure;
    out.assign(expected, 0);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int r = inflate(&z, Z_FINISH);
    const bool whole = r == Z_STREAM_END && z.total_out == expected;
    inflateEnd(&z);
    return whole ? ContainerError::None : ContainerError::ArchiveFailure;
}

std::vector<uint8_t> deflateRaw(std::span<const uint8_t> in) {
    z_stream z{};
    std::vector<uint8_t> out;
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return out;
    out.resize(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int r = deflate(&z, Z_FINISH);
    out.resize(r == Z_STREAM_END ? z.total_out : 0);
    deflateEnd(&z);
    return out;
}

uint32_t crcOf(std::span<const uint8_t> bytes) {
    return static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

// DOS time and date, as zip stores the moment of a change.
std::pair<uint16_t, uint16_t> dosStamp() {
    const UtcTime t = utcNow();
    return {static_cast<uint16_t>(t.hour << 11 | t.minute << 5 | t.second / 2),
            static_cast<uint16_t>((t.year - 1980) << 9 | t.month << 5 | t.day)};
}

}  // namespace

ContainerError unzipImage(std::span<const uint8_t> file, ZippedImage& out) {
    const auto end = findEnd(file);
    if (!end) return ContainerError::ArchiveFailure;
    const auto endRecord = file.subspan(*end);
    uint64_t at = field(endRecord, zip::end::directoryOffset);
    const uint32_t entries = field(endRecord, zip::end::entries);
    for (uint32_t n = 0; n < entries; ++n) {
        if (at + zip::central::kBytes > *end) return ContainerError::ArchiveFailure;
        const auto entry = file.subspan(static_cast<size_t>(at));
        if (field(entry, zip::central::signature) != zip::kCentralSignature)
            return ContainerError::ArchiveFailure;
        const uint32_t nameLength = field(entry, zip::central::nameLength);
        if (at + zip::central::kBytes + nameLength > *end) return ContainerError::ArchiveFailure;
        const auto name = entry.subspan(zip::central::kBytes, nameLength);
        at += zip::central::kBytes + nameLength + field(entry, zip::central::extraLength) +
              field(entry, zip::central::commentLength);
        // Folders end with a slash; the image is the first file.
        if (nameLength == 0 || name.back() == '/') continue;

        const uint32_t flags = field(entry, zip::central::flags);
        const uint32_t method = field(entry, zip::central::method);
        const uint32_t packed = field(entry, zip::central::compressedSize);
        const uint32_t size = field(entry, zip::central::size);
        if (flags & zip::kEncryptedFlag || (method != zip::kStored && method != zip::kDeflated)) {
            return ContainerError::Unsupported;
        }
        if (size > kMaxImageBytes) return ContainerError::TooLarge;
        const uint64_t local = field(entry, zip::central::localOffset);
        if (local + zip::local::kBytes > file.size()) return ContainerError::ArchiveFailure;
        const auto header = file.subspan(static_cast<size_t>(local));
        if (field(header, zip::local::signature) != zip::kLocalSignature)
            return ContainerError::ArchiveFailure;
        const uint64_t dataAt = local + zip::local::kBytes + field(header, zip::local::nameLength) +
                                field(header, zip::local::extraLength);
        if (dataAt + packed > file.size()) return ContainerError::ArchiveFailure;
        const auto data = file.subspan(static_cast<size_t>(dataAt), packed);

        out.entryName.assign(name.begin(), name.end());
        if (method == zip::kStored) {
            if (packed != size) return ContainerError::ArchiveFailure;
            out.bytes.assign(data.begin(), data.end());
        } else if (auto e = inflateRaw(data, size, out.bytes); e != ContainerError::None) {
            return e;
        }
        if (crcOf(out.bytes) != field(entry, zip::central::crc)) return ContainerError::ChecksumMismatch;
        return out.bytes.empty() ? ContainerError::NotInArchive : ContainerError::None;
    }
    return ContainerError::NotInArchive;
}

ContainerError zipImage(const ZippedImage& image, std::vector<uint8_t>& out) {
    if (image.bytes.size() > kMaxImageBytes || image.entryName.size() > 0xFFFF)
        return ContainerError::TooLarge;
    const std::vector<uint8_t> packed = deflateRaw(image.bytes);
    if (packed.empty() && !image.bytes.empty()) return ContainerError::ArchiveFailure;
    const uint32_t crc = crcOf(image.bytes);
    const auto [time, date] = dosStamp();
    const auto nameLength = static_cast<uint32_t>(image.entryName.size());

    out.assign(zip::local::kBytes, 0);
    putField(out, 0, zip::local::signature, zip::kLocalSignature);
    putField(out, 0, zip::local::versionNeeded, zip::kVersion20);
    putField(out, 0, zip::local::method, zip::kDeflated);
    putField(out, 0, zip::local::time, time);
    putField(out, 0, zip::local::date, date);
    putField(out, 0, zip::local::crc, crc);
    putField(out, 0, zip::local::compressedSize, static_cast<uint32_t>(packed.size()));
    putField(out, 0, zip::local::size, static_cast<uint32_t>(image.bytes.size()));
    putField(out, 0, zip::local::nameLength, nameLength);
    out.insert(out.end(), image.entryName.begin(), image.entryName.end());
    out.insert(out.end(), packed.begin(), packed.end());

    const size_t directory = out.size();
    out.resize(directory + zip::central::kBytes, 0);
    putField(out, directory, zip::central::signature, zip::kCentralSignature);
    putField(out, directory, zip::central::versionMadeBy, zip::kVersion20);
    putField(out, directory, zip::central::versionNeeded, zip::kVersion20);
    putField(out, directory, zip::central::method, zip::kDeflated);
    putField(out, directory, zip::central::time, time);
    putField(out, directory, zip::central::date, date);
    putField(out, directory, zip::central::crc, crc);
    putField(out, directory, zip::central::compressedSize, static_cast<uint32_t>(packed.size()));
    putField(out, directory, zip::central::size, static_cast<uint32_t>(image.bytes.size()));
    putField(out, directory, zip::central::nameLength, nameLength);
    out.insert(out.end(), image.entryName.begin(), image.entryName.end());

    const size_t endAt = out.size();
    out.resize(endAt + zip::end::kBytes, 0);
    putField(out, endAt, zip::end::signature, zip::kEndSignature);
    putField(out, endAt, zip::end::entriesHere, 1);
    putField(out, endAt, zip::end::entries, 1);
    putField(out, endAt, zip::end::directorySize, static_cast<uint32_t>(endAt - directory));
    putField(out, endAt, zip::end::directoryOffset, static_cast<uint32_t>(directory));
    return ContainerError::None;
}

}  // namespace platform::containers
