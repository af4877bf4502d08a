#include "platform/containers/zip_image.h"

#include <archive.h>
#include <archive_entry.h>

#include <ctime>
#include <memory>

#include "platform/containers/sector_image.h"

namespace platform::containers {
namespace {

struct ReadCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriteCloser {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

la_ssize_t appendTo(archive*, void* target, const void* buffer, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(target);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    out->insert(out->end(), bytes, bytes + length);
    return static_cast<la_ssize_t>(length);
}

}  // namespace

ContainerError unzipImage(std::span<const uint8_t> file, ZippedImage& out) {
    std::unique_ptr<archive, ReadCloser> a(archive_read_new());
    if (!a || archive_read_support_format_zip(a.get()) != ARCHIVE_OK ||
        archive_read_open_memory(a.get(), file.data(), file.size()) != ARCHIVE_OK) {
        return ContainerError::ArchiveFailure;
    }
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF) return ContainerError::NotInArchive;
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return ContainerError::ArchiveFailure;
        if (archive_entry_filetype(entry) == AE_IFREG) break;
    }
    out.entryName = archive_entry_pathname(entry) ? archive_entry_pathname(entry) : "";
    // The size the archive states is only believed as far as the limit; the data decides.
    out.bytes.clear();
    uint8_t chunk[64 * 1024];
    for (;;) {
        const la_ssize_t got = archive_read_data(a.get(), chunk, sizeof chunk);
        if (got < 0) return ContainerError::ArchiveFailure;
        if (got == 0) break;
        if (out.bytes.size() + static_cast<size_t>(got) > kMaxImageBytes) return ContainerError::TooLarge;
        out.bytes.insert(out.bytes.end(), chunk, chunk + got);
    }
    return out.bytes.empty() ? ContainerError::NotInArchive : ContainerError::None;
}

ContainerError zipImage(const ZippedImage& image, std::vector<uint8_t>& out) {
    out.clear();
    std::unique_ptr<archive, WriteCloser> a(archive_write_new());
    std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    if (!a || !entry || archive_write_set_format_zip(a.get()) != ARCHIVE_OK ||
        archive_write_zip_set_compression_deflate(a.get()) != ARCHIVE_OK ||
        archive_write_set_bytes_in_last_block(a.get(), 1) != ARCHIVE_OK ||
        archive_write_open(a.get(), &out, nullptr, appendTo, nullptr) != ARCHIVE_OK) {
        return ContainerError::ArchiveFailure;
    }
    archive_entry_set_pathname(entry.get(), image.entryName.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_mtime(entry.get(), std::time(nullptr), 0);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(image.bytes.size()));
    if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK ||
        archive_write_data(a.get(), image.bytes.data(), image.bytes.size()) !=
            static_cast<la_ssize_t>(image.bytes.size()) ||
        archive_write_close(a.get()) != ARCHIVE_OK) {
        return ContainerError::ArchiveFailure;
    }
    return ContainerError::None;
}

}  // namespace platform::containers
