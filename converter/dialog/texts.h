#pragma once
// Mirask's own texts, byte for byte, marked for the translation catalogue, and their printf-style filling.
#include <string>

#include "ui_port/shown_text.h"

namespace converter::dialog::text {

// The window.
inline constexpr const char* kWindowTitle = UI_TEXT("Mirask", "Konverze disket");
inline constexpr const char* kProgramName = "Mirask";
inline constexpr const char* kFloppyGroup = UI_TEXT("Mirask", "&Disketa");
inline constexpr const char* kFileGroup = UI_TEXT("Mirask", "&Soubor");
inline constexpr const char* kWriteButtonInitial = UI_TEXT("Mirask", "<<----");
inline constexpr const char* kReadButtonInitial = UI_TEXT("Mirask", "---->>");
inline constexpr const char* kWriteArrowOn = UI_TEXT("Mirask", "&<<==");
inline constexpr const char* kReadArrowOn = UI_TEXT("Mirask", "==>&>");
inline constexpr const char* kWriteArrowOff = UI_TEXT("Mirask", "<<---");
inline constexpr const char* kReadArrowOff = UI_TEXT("Mirask", "--->>");
inline constexpr const char* kFormatButton = UI_TEXT("Mirask", "&Formát");
inline constexpr const char* kAboutButton = UI_TEXT("Mirask", "&O");
inline constexpr const char* kAboutMenu = UI_TEXT("Mirask", "&About Mirask...");
inline constexpr const char* kAboutVersion = UI_TEXT("Mirask", "Mirask verze 1.7");

// The floppy side.
inline constexpr const char* kCannotOpen = UI_TEXT("Mirask", "Nedaří se otevřít jednotku %s - chyba %d.");
inline constexpr const char* kRemovableHardDisk =
    UI_TEXT("Mirask", "Toto je výměnný HD; zařadit k pevným diskům?");
inline constexpr const char* kLocked = UI_TEXT("Mirask", "Jednotka %s blokována jiným programem - chyba %d");
inline constexpr const char* kDriveHeader = UI_TEXT("Mirask", "Drive:");
// Without a floppy drive the window says so, and how to try the program all the same.
inline constexpr const char* kNoFloppyDrive =
    UI_TEXT("Mirask",
            "Nebyla nalezena žádná disketová jednotka.\n\n"
            "Mirask lze vyzkoušet s emulovanou jednotkou, např. s prázdnou disketou:\n"
            "    mirask --emulate a=1.44M:blank\n"
            "nebo s obrazem diskety ze souboru:\n"
            "    mirask --emulate a=1.44M:disketa.gvx");

// The file side.
// "%c:" stands for a drive, which on this host is a folder.
inline constexpr const char* kFileDriveNotSet =
    UI_TEXT("Mirask", "Nezdařilo se nastavit jednotku %c: (je %c:)!");
inline constexpr const char* kFillName = UI_TEXT("Mirask", "Vyplňte jméno souboru! (ladění: s cestou)");

// Reading, writing, formatting.
inline constexpr const char* kNoCd = UI_TEXT("Mirask", "Nelze zapisovat na CD.");
inline constexpr const char* kInsertDisk = UI_TEXT("Mirask", "Založte disketu !");
inline constexpr const char* kInsertFormatted = UI_TEXT("Mirask", "Založte FORMÁTOVANOU disketu !");
inline constexpr const char* kGeometryFailed = UI_TEXT("Mirask", "Chyba získání údajů o disketě.");
inline constexpr const char* kAllocationFailed = UI_TEXT("Mirask", "Chyba alokace !");
inline constexpr const char* kReading = UI_TEXT("Mirask", "Probíhá čtení...");
inline constexpr const char* kFileError = UI_TEXT("Mirask", "Chyba souboru %s: %d");
// A rescue writes into its image as it goes; only a raw image and ImageDisk keep what it needs.
inline constexpr const char* kRescueNotRaw =
    UI_TEXT("Mirask", "Záchrana se ukládá do prostého obrazu nebo do souboru ImageDisk, ne do kontejneru %s. "
                      "Zvolte jméno s příponou .gvx, .img nebo .imd; jiný formát z něj lze udělat potom "
                      "(orva convert).");
inline constexpr const char* kBadSector = UI_TEXT("Mirask", "Chyba čtení: %d na stopě %d/%d, sektor %d.");
inline constexpr const char* kWriteError = UI_TEXT("Mirask", "Chyba zápisu: %d");
inline constexpr const char* kReadDone = UI_TEXT("Mirask", "Čtení diskety do HD souboru dokončeno.");
inline constexpr const char* kEraseQuestion =
    UI_TEXT("Mirask", "Obsah diskety v jednotce %c: bude smazán, pokračovat?");
inline constexpr const char* kNotThisType = UI_TEXT("Mirask", "Soubor není kopií tohoto typu diskety!");
inline constexpr const char* kFormatBeforeWrite = UI_TEXT("Mirask", "Formátovat před zápisem?");
inline constexpr const char* kFormatting = UI_TEXT("Mirask", "Probíhá formátování...");
inline constexpr const char* kWriteProtected = UI_TEXT("Mirask", "Disketa je chráněna proti zápisu !");
inline constexpr const char* kFormatError = UI_TEXT("Mirask", "Chyba při formátování diskety !");
inline constexpr const char* kWriting = UI_TEXT("Mirask", "Probíhá zápis...");
inline constexpr const char* kImageReadError = UI_TEXT("Mirask", "Chyba čtení: %d");
inline constexpr const char* kWriteDone = UI_TEXT("Mirask", "Zápis na disketu dokončen.");
inline constexpr const char* kFormatOnlyNt =
    UI_TEXT("Mirask", "Tímto programem lze formátovat pouze pod systémy NT/2000.");
inline constexpr const char* kCannotFormatType = UI_TEXT("Mirask", "Tento typ diskety neumím formátovat...!");
inline constexpr const char* kFormatTo144 = UI_TEXT("Mirask", "Formátovat na 3,5\\\" 1,44 MB ?");
inline constexpr const char* kFormatTo12 = UI_TEXT("Mirask", "Formátovat na 5,25\\\" 1,2 MB ?");
// The same question for drives that know only their own double-density type.
inline constexpr const char* kFormatTo720 = UI_TEXT("Mirask", "Formátovat na 3,5\\\" 720 KB ?");
inline constexpr const char* kFormatTo360 = UI_TEXT("Mirask", "Formátovat na 5,25\\\" 360 KB ?");
inline constexpr const char* kTypeNotFormattable = UI_TEXT("Mirask", "Disketu tohoto typu nelze formátovat!");
inline constexpr const char* kTrack0Failed = UI_TEXT("Mirask", "Nelze zapsat formát stopy 0 !");
inline constexpr const char* kFormatDone = UI_TEXT("Mirask", "Formátování dokončeno.");
// A rescue beside the plain read: retried rounds, a map beside the image, no question per sector.
inline constexpr const char* kRescueChoice = UI_TEXT("Mirask", "&Záchrana");
inline constexpr const char* kRescueRounds = UI_TEXT("Mirask", "opakování:");
inline constexpr const char* kStopButton = UI_TEXT("Mirask", "Zas&tavit");
inline constexpr const char* kRescuing = UI_TEXT("Mirask", "Probíhá záchrana...");
inline constexpr const char* kPassCylinders = UI_TEXT("Mirask", "Záchrana: celé cylindry");
inline constexpr const char* kPassSectors = UI_TEXT("Mirask", "Záchrana: jednotlivé sektory");
inline constexpr const char* kPassRetry = UI_TEXT("Mirask", "Záchrana: opakování %u z %u");
inline constexpr const char* kContinueMap =
    UI_TEXT("Mirask", "Soubor %s už má mapu záchrany. Pokračovat v ní?\n(Ne: záchrana začne znovu.)");
inline constexpr const char* kDriverMessagesKept =
    UI_TEXT("Mirask", "Ovladač dál zapisuje každé chybné čtení do systémového protokolu (chyba %u).");
inline constexpr const char* kTrackLayoutUnknown =
    UI_TEXT("Mirask", "Sektory stopy 0 nelze spočítat, platí geometrie ovladače (chyba %u).");
inline constexpr const char* kMapWithoutImage =
    UI_TEXT("Mirask", "Mapa záchrany leží bez svého obrazu; všechny sektory se čtou znovu a mapa se nahradí.");
inline constexpr const char* kRescueDone = UI_TEXT("Mirask", "Záchrana diskety do HD souboru dokončena.");
inline constexpr const char* kRescueStopped =
    UI_TEXT("Mirask", "Záchrana zastavena, obraz i mapa jsou uloženy; lze v ní pokračovat.");
inline constexpr const char* kRescueCounts =
    UI_TEXT("Mirask", "Přečteno sektorů: %u z %u\nZ toho obnoveno hlasováním: %u\nStále chybí: %u");
inline constexpr const char* kHurtHeading = UI_TEXT("Mirask", "Poškozeno:");
inline constexpr const char* kHurtBoot = UI_TEXT("Mirask", "zaváděcí sektor");
inline constexpr const char* kHurtTable = UI_TEXT("Mirask", "kopie FAT %u");
inline constexpr const char* kHurtRoot = UI_TEXT("Mirask", "kořenová složka");
inline constexpr const char* kHurtUnknown =
    UI_TEXT("Mirask", "Poškozené soubory nelze zjistit: %s");
inline constexpr const char* kImageNotOpened =
    UI_TEXT("Mirask", "Poškozené soubory nelze zjistit: obraz nelze otevřít (%d).");
inline constexpr const char* kHurtNothing = UI_TEXT("Mirask", "nic obsazeného, chybějící sektory jsou volné");
// Beside the progress bar: the cylinder at work and how many there are.
inline constexpr const char* kCylinderOf = "%u/%u";

// A text with its printf places filled, kept with its template so a view can show it in another language.
template <typename... Args>
desktop::ShownText shown(const char* format, Args... args) {
    return desktop::ShownText::printf(format, args...);
}

// The same, composed in the program's own words.
template <typename... Args>
std::string fill(const char* format, Args... args) {
    return shown(format, args...).str();
}

}  // namespace converter::dialog::text
