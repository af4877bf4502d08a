#include "platform/containers/container_error.h"

namespace platform::containers {

std::string containerErrorText(ContainerError error) {
    switch (error) {
        case ContainerError::None:
            return "no error";
        case ContainerError::CannotRead:
            return "the file cannot be read";
        case ContainerError::Truncated:
            return "the file ends in the middle of a record (truncated)";
        case ContainerError::BadHeader:
            return "the header is damaged or not of this format";
        case ContainerError::BadRecord:
            return "a track or sector record is damaged";
        case ContainerError::ChecksumMismatch:
            return "the sector data does not match the checksum the file carries";
        case ContainerError::Unsupported:
            return "a variant of the format that cannot be read (old TeleDisk compression or a multi-volume "
                   "set)";
        case ContainerError::IrregularGeometry:
            return "the tracks do not form one regular geometry (sectors of different sizes, or numbered "
                   "outside one range)";
        case ContainerError::TooLarge:
            return "it claims more data than any floppy holds";
        case ContainerError::NoGeometry:
            return "no disk geometry can be told from its boot sector or its size";
        case ContainerError::NotInArchive:
            return "the archive holds no image file";
        case ContainerError::ArchiveFailure:
            return "the archive cannot be read or written";
        case ContainerError::NotWritable:
            return "this format can be read but not written";
        case ContainerError::WriteFailed:
            return "the file cannot be written";
    }
    return "unknown error";
}

}  // namespace platform::containers
