/* ORVA: the FAT12 floppy image library.
 *
 * One image is open at a time; every function works on that image and returns 0 on success or a code of its
 * own. Text arguments are UTF-8; a NULL text counts as an empty one. Paths inside the image use "\" as the
 * separator; a leading "\" starts at the root, anything else at the working directory.
 *
 * A DirEntry pointer handed out points at the 8.3 entry, followed in memory by its long-name parts, part 1
 * first (slot count - 1 of them). It stays valid until the next call into the library.
 */
#ifndef ORVA_H
#define ORVA_H

#include <stdint.h>

#if defined(_WIN32)
#define ORVA_API __declspec(dllexport)
#else
#define ORVA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DiskGeometry { /* 24 bytes, little-endian, no padding */
    int64_t cylinders;        /* high half 0 whenever we fill it */
    int32_t mediaType;        /* 0 Unknown, 1 F5_1Pt2_512, 2 F3_1Pt44_512, 5 F3_720_512, 6 F5_360_512 */
    uint32_t tracksPerCylinder;
    uint32_t sectorsPerTrack;
    uint32_t bytesPerSector;
} DiskGeometry;

/* The 8.3 directory entry as stored in the image. */
typedef struct DirEntry {
    uint8_t name[8];      /* padded with blanks; 0xE5 first = deleted, 0x00 first = end of directory */
    uint8_t extension[3]; /* padded with blanks */
    uint8_t attributes;   /* 0x01 read-only, 0x02 hidden, 0x04 system, 0x08 label, 0x10 directory, 0x20 archive */
    uint8_t reserved;
    uint8_t createFine;
    uint16_t createTime;
    uint16_t createDate;
    uint16_t accessDate;
    uint16_t clusterHigh;
    uint16_t writeTime;
    uint16_t writeDate;
    uint16_t firstCluster;
    uint32_t size;
} DirEntry;

/* A long-name slot: 13 UTF-16 characters in three runs. */
typedef struct LongNamePart {
    uint8_t sequence; /* 1..20, 0x40 added on the last part of the name */
    uint8_t chars1[10];
    uint8_t attributes; /* 0x0F */
    uint8_t type;
    uint8_t checksum;
    uint8_t chars2[12];
    uint16_t firstCluster;
    uint8_t chars3[4];
} LongNamePart;

typedef struct EntryPos {
    uint16_t cluster; /* 1 = root directory */
    uint16_t index;   /* slot within that cluster or within the root */
} EntryPos;

/* Opens an image. Results: 0 opened, 1 read-only, 2 longer than its boot sector says, 3 as 2 and read-only,
 * 4 shorter than its boot sector says, 5 boot sector read short; not opened: 6 unreadable, 7 unknown media
 * byte, 8 bad media parameters (also: opened, more free clusters than the table holds), 9 no work area,
 * 10 cannot be opened (missing, locked by another program, no access).
 * An image that is still open is closed first. fatCopy 2 loads the second copy of the allocation table. */
ORVA_API int32_t OpenFDImg(const char* path, int32_t fatCopy);
/* 0 closed or nothing open; 1 the file could not be closed cleanly (the image is closed all the same). */
ORVA_API int32_t CloseFDImg(void);
/* Copies the first count bytes (at most 512) of the boot sector and the geometry. 9 nothing open. */
ORVA_API int32_t GetFDType(DiskGeometry* geometry, uint8_t* bootBytes, int32_t count);
/* The last failed slot check: its code, the 32-byte slot and its file offset. 9 nothing open. */
ORVA_API int32_t GetLastErr(int32_t* checkCode, uint8_t* badEntry, uint32_t* fileOffset);
/* Slot checks while reading directories: 2 check every slot, 2|1 also strict long-name checks. */
ORVA_API int32_t BlockTestFol(int32_t flags);
ORVA_API int32_t FreeSpace(uint32_t* freeBytes);
ORVA_API int32_t FindInDir(const char* name, int32_t dirCluster, DirEntry** entry, EntryPos* pos);
ORVA_API int32_t FindMInDir(const char* pattern, int32_t dirCluster, DirEntry** entry, int32_t* slotCount);
ORVA_API int32_t GetFDirEntry(const char* path, DirEntry** entry, int32_t* slotCount, EntryPos* pos);
ORVA_API int32_t GetFWDirEntry(int32_t index, uint8_t* slot);
ORVA_API int32_t SetFWrkDir(const char* path);
ORVA_API int32_t CopyF(const char* imagePath, const char* hostPath);

/* The writing functions return 8 on an image opened read-only and 10 when nothing is open. Each one leaves
 * the image consistent on disk at every step: data first, then the allocation table, then the entries. */

/* Puts a new boot sector in place, keeping the image's own disk parameters (bytes 11..42 and 54..61).
 * 5 the write failed. */
ORVA_API int32_t WriteBoot(const uint8_t* sector);
/* Sets, replaces or (with an empty text) removes the volume label of the root directory; the working
 * directory becomes the root. 1 no free slot in the root, 5 write failed, 7 a byte below 0x20 or above 0x7F. */
ORVA_API int32_t WriteVol(const char* label);
/* Copies a host file into the image. imagePath ending with "\" names the folder (the host file's name is
 * kept), otherwise its last name is the new name; a path without "\" is a name in the working directory.
 * 1 does not fit, 2 no room for the entries (full root, disk full, name over 156 characters, every alias
 * of the name taken), 3 reading the host file failed, 4 target folder not found, 5 writing the image failed,
 * 6 the host file cannot be opened or is not a regular file, 7 the host path names a folder. */
ORVA_API int32_t CopyT(const char* hostPath, const char* imagePath);
/* Deletes a file or an empty folder. 1 read-only, hidden or system and force is 0, 2 the folder is not empty,
 * 3 the root, 4 not found, 5 write failed, 6 read failed. */
ORVA_API int32_t KillF(const char* imagePath, uint8_t force);
/* Creates a folder. 3 no room (full root, disk full), 4 parent not found, 5 write failed,
 * 7 an empty name or a character from / : * ? " < > |. */
ORVA_API int32_t MkDir(const char* imagePath);
/* Sets read-only, hidden, system and archive (mask 0x27) of an entry. 1 not found, 2 the root,
 * 4 a name inside the path is not a folder, 5 an empty name in the path, 6 reading or writing failed. */
ORVA_API int32_t SetAttrib(const char* imagePath, uint8_t attributes);

#ifdef __cplusplus
}
#endif

#endif
