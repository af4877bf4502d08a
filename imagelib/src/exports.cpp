// The C interface: one process-wide image, a NULL text read as an empty one.
#include "image_state.h"
#include "orva.h"

namespace {

// Created when the library is loaded, released when it is unloaded.
orva::ImageState g_state;

std::string_view text(const char* s) { return s ? std::string_view(s) : std::string_view(); }

}  // namespace

extern "C" {

ORVA_API int32_t OpenFDImg(const char* path, int32_t fatCopy) { return g_state.OpenFDImg(text(path), fatCopy); }
ORVA_API int32_t CloseFDImg(void) { return g_state.CloseFDImg(); }
ORVA_API int32_t GetFDType(DiskGeometry* geometry, uint8_t* bootBytes, int32_t count) {
    return g_state.GetFDType(geometry, bootBytes, count);
}
ORVA_API int32_t GetLastErr(int32_t* checkCode, uint8_t* badEntry, uint32_t* fileOffset) {
    return g_state.GetLastErr(checkCode, badEntry, fileOffset);
}
ORVA_API int32_t BlockTestFol(int32_t flags) { return g_state.BlockTestFol(flags); }
ORVA_API int32_t FreeSpace(uint32_t* freeBytes) { return g_state.FreeSpace(freeBytes); }
ORVA_API int32_t FindInDir(const char* name, int32_t dirCluster, DirEntry** entry, EntryPos* pos) {
    return g_state.FindInDir(text(name), dirCluster, entry, pos);
}
ORVA_API int32_t FindMInDir(const char* pattern, int32_t dirCluster, DirEntry** entry, int32_t* slotCount) {
    return g_state.FindMInDir(text(pattern), dirCluster, entry, slotCount);
}
ORVA_API int32_t GetFDirEntry(const char* path, DirEntry** entry, int32_t* slotCount, EntryPos* pos) {
    return g_state.GetFDirEntry(text(path), entry, slotCount, pos);
}
ORVA_API int32_t GetFWDirEntry(int32_t index, uint8_t* slot) { return g_state.GetFWDirEntry(index, slot); }
ORVA_API int32_t SetFWrkDir(const char* path) { return g_state.SetFWrkDir(text(path)); }
ORVA_API int32_t CopyF(const char* imagePath, const char* hostPath) {
    return g_state.CopyF(text(imagePath), text(hostPath));
}

ORVA_API int32_t WriteBoot(const uint8_t* sector) { return g_state.WriteBoot(sector); }
ORVA_API int32_t WriteVol(const char* label) { return g_state.WriteVol(text(label)); }
ORVA_API int32_t CopyT(const char* hostPath, const char* imagePath) {
    return g_state.CopyT(text(hostPath), text(imagePath));
}
ORVA_API int32_t KillF(const char* imagePath, uint8_t force) { return g_state.KillF(text(imagePath), force); }
ORVA_API int32_t MkDir(const char* imagePath) { return g_state.MkDir(text(imagePath)); }
ORVA_API int32_t SetAttrib(const char* imagePath, uint8_t attributes) {
    return g_state.SetAttrib(text(imagePath), attributes);
}

}  // extern "C"
