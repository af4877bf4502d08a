#include "last_error_text.h"

#include <array>
#include <utility>

#include "platform/host_errors.h"
#include "win32_types.h"

namespace converter {
namespace {

constexpr std::array<std::pair<uint32_t, std::string_view>, 20> kMeanings{{
    {ERROR_INVALID_FUNCTION, "Incorrect function"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified"},
    {ERROR_ACCESS_DENIED, "Access is denied"},
    {ERROR_INVALID_HANDLE, "The handle is invalid"},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command"},
    {ERROR_INVALID_DATA, "The data is invalid"},
    {ERROR_WRITE_PROTECT, "The media is write protected"},
    {ERROR_NOT_READY, "The device is not ready"},
    {ERROR_CRC, "Data error (cyclic redundancy check)"},
    {ERROR_SEEK, "The drive cannot locate a specific area or track on the disk"},
    {ERROR_SECTOR_NOT_FOUND, "The drive cannot find the sector requested"},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning"},
    {ERROR_NOT_SUPPORTED, "The request is not supported"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small"},
    {ERROR_NEGATIVE_SEEK, "An attempt was made to move the file pointer before the beginning of the file"},
    {ERROR_NOT_LOCKED, "The segment is already unlocked"},
    {ERROR_NOACCESS, "Invalid access to memory location"},
    {ERROR_IO_DEVICE, "The request could not be performed because of an I/O device error"},
    {ERROR_UNRECOGNIZED_MEDIA, "The disk media is not recognized. It may not be formatted"},
}};

}  // namespace

std::optional<std::string_view> lastErrorMeaning(uint32_t code) {
    for (const auto& [known, meaning] : kMeanings) {
        if (known == code) return meaning;
    }
    return std::nullopt;
}

std::string lastErrorText(uint32_t code) {
    const auto meaning = lastErrorMeaning(code);
    return meaning ? platform::errorText(static_cast<int>(code), *meaning) : "error " + std::to_string(code);
}

}  // namespace converter
