#pragma once
// What reading, writing and formatting a floppy tell their caller while they run, and how they end. No text
// here: each caller says it in its own words (the window in Czech, orva in English).
#include <cstdint>
#include <string>

#include "orva.h"

namespace converter::actions {

// Which action a run was, for callers that word its result per action.
enum class ActionKind { Read, Write, Format };

// The long stretches of a run, each with a progress of its own.
enum class Phase { Reading, Formatting, Writing };

// A sector that could not be read on its own, after its cylinder could not be read whole.
struct BadSector {
    uint32_t cylinder = 0;
    uint32_t head = 0;
    uint32_t sector = 0;  // 1-based, as on the medium
    int code = 0;         // the device's error code
    uint64_t offset = 0;  // the sector's byte offset on the medium (and in the image)
};

enum class BadSectorDecision {
    Fill,  // 0xEE in its place, and read on
    Stop,  // end the read; the image keeps the whole cylinders before this one
};

// What ended a run.
enum class Failure {
    None,
    DriveNotOpened,       // code; subject: the drive ("A:")
    DriveLocked,          // another program holds the drive: code; subject: the drive
    RemovableMedium,      // the medium is a removable hard disk, no floppy (found by inspecting the drive)
    NoMedium,             // the wait for a medium was given up
    Declined,             // the erase question or the offered format was answered no
    NoGeometry,           // the medium's geometry could not be had
    NoBuffer,             // no cylinder buffer: an unknown geometry, or no memory
    ImageFile,            // the image cannot be created or opened, or is no file: code; subject: its path
    ImageOnOpticalDrive,  // an image cannot be read onto a CD
    ImageSizeDiffers,     // the image is not of the medium's size; nothing was written
    ImageRead,            // code
    ImageWrite,           // code
    FloppyWrite,          // code
    WriteProtected,       // the floppy refused a write or a format as write-protected: code
    FormatFailed,         // code
    NoTemplate,           // no empty file system is known for the medium's type
    FileSystemWrite,      // the empty file system could not be written: code
    StoppedAtBadSector,   // the caller decided so
    FormatsOnlyOnNt,      // the 95/98 line has no format request
    MapFile,              // a rescue's map cannot be read, is not understood, or cannot be saved: code or
                          // detail; subject: its path
    Stopped,              // the caller stopped a rescue; the map keeps what it did
    RescueNotRaw,         // a rescue keeps its sectors in a raw image beside its map, never in a container
                          // (it would be written over): subject: the image's path
};

struct Result {
    Failure failure = Failure::None;
    int code = 0;
    std::string subject{};    // the drive or the image path the failure concerns
    uint32_t cylinders = 0;   // whole cylinders done in the last phase
    bool driveTaken = false;  // the drive was locked for the run, so what it holds may have changed
    std::string detail{};     // what is wrong with a file the run read, where a code cannot say it
};

// The caller's side of a run: it answers the questions and hears the rest. Every run ends with finished(),
// after the drive was given back.
class ActionObserver {
  public:
    virtual ~ActionObserver() = default;

    // Questions.
    virtual bool insertMedium() = 0;  // no medium in the drive: true checks again, false gives up
    virtual bool eraseFloppy(char driveLetter) = 0;
    virtual bool formatBeforeWriting() = 0;
    // The medium's own type cannot be formatted; formatting to the drive's offered type needs a yes.
    virtual bool formatToOffered(const DiskGeometry& offered) = 0;
    virtual BadSectorDecision badSector(const BadSector& sector) = 0;

    // Notes.
    virtual void mustBeFormatted() = 0;  // the 95/98 line writes only onto a formatted floppy
    virtual void started(Phase phase, const DiskGeometry& geometry) = 0;
    virtual void cylinderDone(Phase phase, uint32_t cylinder) = 0;  // 0-based, in order
    virtual void finished(const Result& result) = 0;
};

}  // namespace converter::actions
