#pragma once
// Why a container could not be read or written; one text for each, said to the user as it stands.
#include <string>

namespace platform::containers {

enum class ContainerError {
    None,
    CannotRead,
    Truncated,
    BadHeader,
    BadRecord,
    ChecksumMismatch,
    Unsupported,
    IrregularGeometry,
    TooLarge,
    NoGeometry,
    NotInArchive,
    ArchiveFailure,
    NotWritable,
    WriteFailed,
};

std::string containerErrorText(ContainerError error);

}  // namespace platform::containers
