#pragma once
// Which platform line a program behaves as: the requests it can make and the questions it asks follow it.
// This host behaves as the NT line.
namespace platform {

enum class OsKind {
    Nt,     // Windows NT/2000, and this host
    Win9x,  // Windows 95/98
};

}  // namespace platform
