#pragma once
// Which platform line the converter behaves as: the requests it can make and the questions it asks follow it.
namespace converter {

enum class OsKind {
    Nt,     // Windows NT/2000, and this host
    Win9x,  // Windows 95/98
};

}  // namespace converter
