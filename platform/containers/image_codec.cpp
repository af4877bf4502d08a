#include "platform/containers/image_codec.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/containers/copyqm_decode.h"
#include "platform/containers/raw_geometry.h"
#include "platform/containers/teledisk_decode.h"
#include "platform/containers/zip_image.h"

namespace platform::containers {
namespace {

std::vector<uint8_t> rawBytes(const SectorImage& image) {
    std::vector<uint8_t> bytes = image.bytes;
    for (size_t i = 0; i < image.states.size(); ++i) {
        if (image.states[i] == SectorState::Normal) continue;
        const auto at = bytes.begin() + static_cast<long>(i * image.geometry.bytesPerSector);
        std::fill_n(at, image.geometry.bytesPerSector, kMissingSectorFill);
    }
    return bytes;
}

}  // namespace

ContainerError decodeImage(std::vector<uint8_t> file, DecodedImage& out) {
    out = DecodedImage();
    out.format = detectFormat(file);
    switch (out.format) {
        case ContainerFormat::Raw:
            out.image = rawSectorImage(std::move(file));
            return ContainerError::None;
        case ContainerFormat::Imd: {
            ImdImage imd;
            const ContainerError e = decodeImd(file, imd);
            out.image = std::move(imd.image);
            out.imdLayout = std::move(imd.layout);
            out.comment = out.imdLayout.comment;
            return e;
        }
        case ContainerFormat::TeleDisk: {
            TeleDiskImage td;
            const ContainerError e = decodeTeleDisk(file, td);
            out.image = std::move(td.image);
            out.comment = std::move(td.comment);
            return e;
        }
        case ContainerFormat::CopyQm:
            return decodeCopyQm(file, out.image);
        case ContainerFormat::Imz: {
            ZippedImage zipped;
            const ContainerError e = unzipImage(file, zipped);
            out.zipEntryName = std::move(zipped.entryName);
            out.image = rawSectorImage(std::move(zipped.bytes));
            return e;
        }
    }
    return ContainerError::BadHeader;
}

ContainerError encodeImage(const DecodedImage& image, ContainerFormat format, const EncodeOptions& options,
                           std::vector<uint8_t>& out) {
    switch (format) {
        case ContainerFormat::Raw:
            out = rawBytes(image.image);
            return ContainerError::None;
        case ContainerFormat::Imd: {
            if (image.format == ContainerFormat::Imd) return encodeImd(image.image, image.imdLayout, out);
            ImdLayout fresh;
            fresh.headerLine = options.imdHeaderLine;
            fresh.comment = image.comment;
            if (!fresh.comment.empty() && !fresh.comment.ends_with("\r\n")) fresh.comment += "\r\n";
            return encodeImd(image.image, fresh, out);
        }
        case ContainerFormat::Imz: {
            const std::string name =
                image.format == ContainerFormat::Imz ? image.zipEntryName : options.zipEntryName;
            return zipImage(ZippedImage{name, rawBytes(image.image)}, out);
        }
        case ContainerFormat::TeleDisk:
        case ContainerFormat::CopyQm:
            return ContainerError::NotWritable;
    }
    return ContainerError::NotWritable;
}

std::string imdHeaderLineNow() {
    const UtcTime t = utcNow();
    return imdHeaderLine(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace platform::containers
