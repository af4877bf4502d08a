#pragma once
// Kelvorn's Czech messages by their string ids (marked for the translation catalogue), and which message a
// library result code selects.
#include <cstdint>
#include <optional>
#include <string>

#include "bootsectors/boot_templates.h"
#include "new_name_rules.h"
#include "ui_port/shown_text.h"

namespace browser {

// The messages the logic shows by name; each value is the message's string id.
enum class Message : int {
    AboutMenu = 101,
    DriveNotSet = 103,
    FolderExists = 104,
    FileExists = 105,
    NotAnImage = 106,
    NotOpen = 118,
    TargetNotWritten = 134,
    ReadOnlyImage = 136,
    NoRoomForEntries = 142,
    RootNotDeletable = 147,
    CopyWholeTree = 155,
    ExistsInTarget = 158,
    TargetNotEmptyImage = 159,
    SelectInBothTrees = 160,
    TargetNotHostFolder = 161,
    TargetNotImageFolder = 162,
    HostFolderNotMade = 163,
    UnknownError = 167,
    EmptyImageNotMade = 168,
    SelectHostItem = 169,
    SelectImageItem = 170,
    SelectImageFolder = 171,
    // Our own, for what the program never had to say before.
    UnusableHostName = 1001,        // an image name that cannot name a host file
    OpenImageNotReplaced = 1002,    // a new image over the one that is open
    FolderChainLoops = 1003,        // a folder's cluster chain leads back into itself; its entries shown once
    NameTooLong = 1004,             // a host name longer than the 255 characters of a FAT name; left out
    NameNotText = 1005,             // a host name that is no UTF-8 text; left out
    NameForbidden = 1006,           // a host name with a character FAT forbids, or a trailing dot or blank
    NameUnusable = 1007,            // a host name that names no entry at all (empty, "." or "..")
    ImageReread = 1008,             // another program changed the open image: its tree is read again
    ImageParametersChanged = 1009,  // another program gave the open image new disk parameters
    FolderLeadsBack = 1010,         // a folder entry leads back to a folder being copied; left empty
    FileCutShort = 1011,            // a file whose cluster chain ends before its size; copied out shorter
    MapUnreadable = 1012,           // a rescue map beside the image that cannot be read; no marks shown
};

// The message that says why a host name cannot name an entry of the image, naming it; nothing for none.
std::optional<Message> nameFaultMessage(orva::NameFault fault);

// The text of a message id (101 to 171, and ours); empty for an id the program does not have.
std::string messageText(int id);
inline std::string messageText(Message id) {
    return messageText(static_cast<int>(id));
}

// The message for a result code of a library function (the table row, not the two rules common to all
// functions); nothing when the pair has no row.
std::optional<int> messageIdFor(int function, int32_t code);

// A message as the window shows it: its template and the arguments that fill its "%s", "%d" and "%c"
// places in order (taken as text), so a view can show it in another language.
desktop::ShownText shownMessage(int id, std::initializer_list<std::string> arguments = {});
inline desktop::ShownText shownMessage(Message id, std::initializer_list<std::string> arguments = {}) {
    return shownMessage(static_cast<int>(id), arguments);
}

// A message followed by ": " and what it concerns (a path, a name), which no language changes.
desktop::ShownText messageNaming(Message id, const std::string& subject);

// The message as composed, in the program's own words.
std::string formatMessage(int id, std::initializer_list<std::string> arguments);
inline std::string formatMessage(Message id, std::initializer_list<std::string> arguments) {
    return formatMessage(static_cast<int>(id), arguments);
}

}  // namespace browser

namespace browser {

inline constexpr const char* kProgramName = "Kelvorn";
inline constexpr const char* kAboutCaption = UI_TEXT("Kelvorn", "Kelvorn - o programu");
inline constexpr const char* kAboutVersion = UI_TEXT("Kelvorn", "Kelvorn verze 2.3");
inline constexpr const char* kAboutHint =
    UI_TEXT("Kelvorn", "Image otevřete poklepáním souboru v levém seznamu.");
inline constexpr const char* kResultText = UI_TEXT("Kelvorn", "Akce dokončena bez chyb.");
inline constexpr const char* kResultGroup = UI_TEXT("Kelvorn", "Výsledek:");
inline constexpr int kResultBoxCloseMs = 2000;

// The new-image dialog.
inline constexpr const char* kNewImageCaption = UI_TEXT("Kelvorn", "Kelvorn - nový soubor");
inline constexpr const char* kNewImageQuestion = UI_TEXT("Kelvorn", "Chcete vytvořit obraz prázdné diskety?");
inline constexpr const char* kNewImageFileField = UI_TEXT("Kelvorn", "Do souboru:");
inline constexpr const char* kNewImageLabelField = UI_TEXT("Kelvorn", "Návěští VOL:");
inline constexpr const char* kNewImageTypeGroup = UI_TEXT("Kelvorn", "Typ diskety:");
inline constexpr const char* kNewImageYes = UI_TEXT("Kelvorn", "Ano");
inline constexpr const char* kNewImageNo = UI_TEXT("Kelvorn", "Ne");
struct DiskTypeChoice {
    const char* text;
    bootsectors::TemplateId templateId;
};
// In the dialog's order; the first is chosen at start.
inline constexpr DiskTypeChoice kDiskTypeChoices[] = {
    {UI_TEXT("Kelvorn", "3,5\" 1,44 MB"), bootsectors::TemplateId::Disk1440K},
    {UI_TEXT("Kelvorn", "3,5\" 720 KB"), bootsectors::TemplateId::Disk720K},
    {UI_TEXT("Kelvorn", "5,25\" 1,2 MB"), bootsectors::TemplateId::Disk1200K},
    {UI_TEXT("Kelvorn", "5,25\" 360 KB"), bootsectors::TemplateId::Disk360K}};
inline constexpr int kNewImageNameLimit = 255;
inline constexpr int kLabelLimit = 11;

// The new-folder dialog.
inline constexpr const char* kNewItemCaption = UI_TEXT("Kelvorn", "Kelvorn - nová složka");
inline constexpr const char* kNewItemPrompt = UI_TEXT("Kelvorn", " Zadejte název:");
inline constexpr const char* kNewItemDefaultName = UI_TEXT("Kelvorn", "Nová složka");
inline constexpr const char* kNewItemTypeGroup = UI_TEXT("Kelvorn", "Typ");
inline constexpr const char* kNewItemSubfolder = UI_TEXT("Kelvorn", "Podsložka");
inline constexpr const char* kNewItemLabel = UI_TEXT("Kelvorn", "VOL1 diskety");
inline constexpr const char* kNewItemOk = UI_TEXT("Kelvorn", "OK");
inline constexpr const char* kNewItemCancel = UI_TEXT("Kelvorn", "Storno");

}  // namespace browser
