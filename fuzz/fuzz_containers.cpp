// Hostile containers: the first byte picks a decoder, the rest is its file. Checksums that would stop the
// fuzzer at the door (TeleDisk's header CRC, CopyQM's header sum and data CRC) are made right first, so the
// records behind them are reached. An ImageDisk file that decodes must encode and decode to the same sectors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/containers/copyqm_decode.h"
#include "platform/containers/image_codec.h"
#include "platform/containers/lzhuf_decode.h"
#include "platform/containers/teledisk_decode.h"
#include "platform/containers/zip_image.h"

namespace {

using namespace platform::containers;

void requireImdRoundTrip(const std::vector<uint8_t>& file) {
    ImdImage first;
    if (decodeImd(file, first) != ContainerError::None) return;
    std::vector<uint8_t> encoded;
    if (encodeImd(first.image, first.layout, encoded) != ContainerError::None) return;
    ImdImage second;
    if (decodeImd(encoded, second) != ContainerError::None || second.image.bytes != first.image.bytes ||
        second.image.states != first.image.states || second.image.geometry != first.image.geometry) {
        std::abort();
    }
}

void fixTeleDiskHeader(std::vector<uint8_t>& file) {
    if (file.size() < 12) return;
    const uint16_t crc = teleDiskCrc(std::span(file).first(10));
    file[10] = static_cast<uint8_t>(crc);
    file[11] = static_cast<uint8_t>(crc >> 8);
}

void fixCopyQmHeader(std::vector<uint8_t>& file) {
    if (file.size() < 133) return;
    file[0] = 'C';
    file[1] = 'Q';
    for (size_t i = 0x5C; i < 0x60; ++i) file[i] = 0;  // no data CRC to check
    uint8_t sum = 0;
    for (size_t i = 0; i < 132; ++i) sum = static_cast<uint8_t>(sum + file[i]);
    file[132] = static_cast<uint8_t>(-sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<uint8_t> file(data + 1, data + size);
    switch (data[0] % 6) {
        case 0:
            requireImdRoundTrip(file);
            break;
        case 1: {
            fixTeleDiskHeader(file);
            TeleDiskImage out;
            decodeTeleDisk(file, out);
            break;
        }
        case 2: {
            std::vector<uint8_t> out;
            lzhufDecode(file, 1u << 20, out);
            break;
        }
        case 3: {
            fixCopyQmHeader(file);
            SectorImage out;
            decodeCopyQm(file, out);
            break;
        }
        case 4: {
            ZippedImage out;
            unzipImage(file, out);
            break;
        }
        default: {
            // Whatever the content says it is, and back out as every writable format.
            DecodedImage image;
            if (decodeImage(file, image) != ContainerError::None) break;
            for (ContainerFormat format : {ContainerFormat::Raw, ContainerFormat::Imd, ContainerFormat::Imz}) {
                std::vector<uint8_t> out;
                encodeImage(image, format, EncodeOptions{"IMD 1.18: 01/01/2000 00:00:00\r\n", "A.IMA"}, out);
            }
            break;
        }
    }
    return 0;
}
