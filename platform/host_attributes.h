#pragma once
// The DOS attributes of host files and folders: read-only is the write permission, hidden, system and archive
// live in the extended attribute user.DOSATTRIB that Samba keeps.
#include <cstdint>
#include <string>

#include "entry_attributes.h"

namespace platform {

// The bits are those of a directory entry's attribute byte.
namespace dos = orva::attr;

// Read-only when no write permission bit is set (or the file sits on a read-only mount); hidden and system
// from user.DOSATTRIB, when there is one. Files always carry the archive bit: a file just copied has not been
// backed up.
uint8_t hostAttributes(const std::string& path, bool isFolder);

// Gives a host file or folder the bits 0x27: read-only takes every write permission away (and a clear bit
// gives the owner's back); hidden, system and archive go into user.DOSATTRIB where the file system keeps
// extended attributes, and are dropped silently where it does not. False when the permissions could not be
// set.
bool setHostAttributes(const std::string& path, uint8_t attributes);

}  // namespace platform
