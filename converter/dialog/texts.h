#pragma once
// Mirask's own texts, byte for byte, and its printf-style filling.
#include <cstdio>
#include <string>

namespace converter::dialog::text {

// The window.
inline constexpr const char* kWindowTitle = "Konverze disket";
inline constexpr const char* kProgramName = "Mirask";
inline constexpr const char* kFloppyGroup = "&Disketa";
inline constexpr const char* kFileGroup = "&Soubor";
inline constexpr const char* kWriteButtonInitial = "<<----";
inline constexpr const char* kReadButtonInitial = "---->>";
inline constexpr const char* kWriteArrowOn = "&<<==";
inline constexpr const char* kReadArrowOn = "==>&>";
inline constexpr const char* kWriteArrowOff = "<<---";
inline constexpr const char* kReadArrowOff = "--->>";
inline constexpr const char* kFormatButton = "&Formát";
inline constexpr const char* kAboutButton = "&O";
inline constexpr const char* kAboutMenu = "&About Mirask...";
inline constexpr const char* kAboutVersion = "Mirask verze 1.7";

// The floppy side.
inline constexpr const char* kCannotOpen = "Nedaří se otevřít jednotku %s - chyba %d.";
inline constexpr const char* kRemovableHardDisk = "Toto je výměnný HD; zařadit k pevným diskům?";
inline constexpr const char* kLocked = "Jednotka %s blokována jiným programem - chyba %d";
inline constexpr const char* kDriveHeader = "Drive:";
// Without a floppy drive the window says so, and how to try the program all the same.
inline constexpr const char* kNoFloppyDrive =
    "Nebyla nalezena žádná disketová jednotka.\n\n"
    "Mirask lze vyzkoušet s emulovanou jednotkou, např. s prázdnou disketou:\n"
    "    mirask --emulate a=1.44M:blank\n"
    "nebo s obrazem diskety ze souboru:\n"
    "    mirask --emulate a=1.44M:disketa.gvx";

// The file side.
// "%c:" stands for a drive, which on this host is a folder.
inline constexpr const char* kFileDriveNotSet = "Nezdařilo se nastavit jednotku %c: (je %c:)!";
inline constexpr const char* kFillName = "Vyplňte jméno souboru! (ladění: s cestou)";

// Reading, writing, formatting.
inline constexpr const char* kNoCd = "Nelze zapisovat na CD.";
inline constexpr const char* kInsertDisk = "Založte disketu !";
inline constexpr const char* kInsertFormatted = "Založte FORMÁTOVANOU disketu !";
inline constexpr const char* kGeometryFailed = "Chyba získání údajů o disketě.";
inline constexpr const char* kAllocationFailed = "Chyba alokace !";
inline constexpr const char* kReading = "Probíhá čtení...";
inline constexpr const char* kFileError = "Chyba souboru %s: %d";
inline constexpr const char* kBadSector = "Chyba čtení: %d na stopě %d/%d, sektor %d.";
inline constexpr const char* kWriteError = "Chyba zápisu: %d";
inline constexpr const char* kReadDone = "Čtení diskety do HD souboru dokončeno.";
inline constexpr const char* kEraseQuestion = "Obsah diskety v jednotce %c: bude smazán, pokračovat?";
inline constexpr const char* kNotThisType = "Soubor není kopií tohoto typu diskety!";
inline constexpr const char* kFormatBeforeWrite = "Formátovat před zápisem?";
inline constexpr const char* kFormatting = "Probíhá formátování...";
inline constexpr const char* kWriteProtected = "Disketa je chráněna proti zápisu !";
inline constexpr const char* kFormatError = "Chyba při formátování diskety !";
inline constexpr const char* kWriting = "Probíhá zápis...";
inline constexpr const char* kImageReadError = "Chyba čtení: %d";
inline constexpr const char* kWriteDone = "Zápis na disketu dokončen.";
inline constexpr const char* kFormatOnlyNt = "Tímto programem lze formátovat pouze pod systémy NT/2000.";
inline constexpr const char* kCannotFormatType = "Tento typ diskety neumím formátovat...!";
inline constexpr const char* kFormatTo144 = "Formátovat na 3,5\\\" 1,44 MB ?";
inline constexpr const char* kFormatTo12 = "Formátovat na 5,25\\\" 1,2 MB ?";
// The same question for drives that know only their own double-density type.
inline constexpr const char* kFormatTo720 = "Formátovat na 3,5\\\" 720 KB ?";
inline constexpr const char* kFormatTo360 = "Formátovat na 5,25\\\" 360 KB ?";
inline constexpr const char* kTypeNotFormattable = "Disketu tohoto typu nelze formátovat!";
inline constexpr const char* kTrack0Failed = "Nelze zapsat formát stopy 0 !";
inline constexpr const char* kFormatDone = "Formátování dokončeno.";
// Beside the progress bar: the cylinder at work and how many there are.
inline constexpr const char* kCylinderOf = "%u/%u";

// Fills a text's printf places.
template <typename... Args>
std::string fill(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    std::string out(static_cast<size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, format, args...);
    return out;
}

}  // namespace converter::dialog::text
