#pragma once
// Why the host refused a file, in words a person can act on: the errno value with its meaning. The library's
// result codes say only that a host file failed; these find out why by trying again without changing
// anything.
#include <string>
#include <string_view>

namespace platform {

// "error 21 (Is a directory)".
std::string errorText(int error);
// The same form for a code whose meaning comes from elsewhere (a device's own words).
std::string errorText(int code, std::string_view meaning);

// Why an existing file cannot be opened for reading as the programs open files (locked, a regular file
// only); 0 when nothing stands in the way or the file is no regular one.
int openFailure(const std::string& path);
// Why a file cannot be created there, or an existing one replaced; 0 when nothing stands in the way.
int createFailure(const std::string& path);

}  // namespace platform
