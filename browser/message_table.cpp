#include "browser/message_table.h"

#include <algorithm>
#include <array>
#include <utility>

#include "browser/library_entries.h"
#include "library_codes.h"

namespace browser {
namespace {

struct Entry {
    int id;
    const char* text;
};

// clang-format off
constexpr std::array kMessages{
    Entry{101, UI_TEXT("Kelvorn", "&O programu Kelvorn...")},
    Entry{102, UI_TEXT("Kelvorn", "Pod tímto operačním systémem nepracuje.")},
    Entry{103, UI_TEXT("Kelvorn", "Jednotku %c: nešlo nastavit, zůstává %c:.")},
    Entry{104, UI_TEXT("Kelvorn", "Adresář s tímto jménem už existuje")},
    Entry{105, UI_TEXT("Kelvorn", "Soubor s tímto jménem už existuje")},
    Entry{106, UI_TEXT("Kelvorn", "Image soubor není obrazem diskety nebo je poškozen.")},
    Entry{107, UI_TEXT("Kelvorn", "Image nelze otevřít (neexistuje apod.)")},
    Entry{108, UI_TEXT("Kelvorn", "Není alokována prac. paměť")},
    Entry{109, UI_TEXT("Kelvorn", "V boot sektoru jsou uvedeny chybné parametry média")},
    Entry{110, UI_TEXT("Kelvorn", "Chybný/neznámý typ média")},
    Entry{111, UI_TEXT("Kelvorn", "Image je příliš krátký i na boot sektor")},
    Entry{112, UI_TEXT("Kelvorn", "Boot sektor je příliš krátký (< 512B)")},
    Entry{113, UI_TEXT("Kelvorn", "Image soubor je kratší než dle bootu")},
    Entry{114, UI_TEXT("Kelvorn", "Image soubor je delší než dle bootu a jen pro čtení (read-only)")},
    Entry{115, UI_TEXT("Kelvorn", "Image soubor je delší než dle bootu")},
    Entry{116, UI_TEXT("Kelvorn", "Image soubor je jen pro čtení (read-only)")},
    Entry{117, UI_TEXT("Kelvorn", "Není alokována prac. paměť, není otevřen soubor")},
    Entry{118, UI_TEXT("Kelvorn", "Image soubor není otevřen")},
    Entry{119, UI_TEXT("Kelvorn", "Chyba čtení položky adresáře")},
    Entry{120, UI_TEXT("Kelvorn", "EOF (číslo položky mimo hranice adresáře)")},
    Entry{121, UI_TEXT("Kelvorn", "EOF (položka plná binárních nul)")},
    Entry{122, UI_TEXT("Kelvorn", "Chyba čtení položky adresáře")},
    Entry{123, UI_TEXT("Kelvorn", "Chyba cesty (např. dvě '\\' po sobě)")},
    Entry{124, UI_TEXT("Kelvorn", "Jméno %s uvnitř cesty neoznačuje adresář")},
    Entry{125, UI_TEXT("Kelvorn", "Nenalezeno")},
    Entry{126, UI_TEXT("Kelvorn", "Chyba při uzavření souboru image")},
    Entry{127, UI_TEXT("Kelvorn", "Nenalezeno")},
    Entry{128, UI_TEXT("Kelvorn", "Nenalezeno")},
    Entry{129, UI_TEXT("Kelvorn", "Zadána prázdná/chybná cesta, pracovní adresář beze změny")},
    Entry{130, UI_TEXT("Kelvorn", "Adresář se nenašel")},
    Entry{131, UI_TEXT("Kelvorn", "Údaj %s neoznačuje soubor")},
    Entry{132, UI_TEXT("Kelvorn", "Soubor %s neexistuje")},
    Entry{133, UI_TEXT("Kelvorn", "Chyba položky adresáře: cluster mimo limity")},
    Entry{134, UI_TEXT("Kelvorn", "Chyba zápisu cílového souboru")},
    Entry{135, UI_TEXT("Kelvorn", "Chyba čtení souboru z image nebo chyba FAT filesystému image")},
    Entry{136, UI_TEXT("Kelvorn", "Image soubor je jen pro čtení (read-only)")},
    Entry{137, UI_TEXT("Kelvorn", "Údaj %s neoznačuje soubor")},
    Entry{138, UI_TEXT("Kelvorn", "Soubor %s neexistuje")},
    Entry{139, UI_TEXT("Kelvorn", "Chyba psaní souboru do image nebo chyba FAT filesystému image")},
    Entry{140, UI_TEXT("Kelvorn", "Cílový adresář %s neexistuje")},
    Entry{141, UI_TEXT("Kelvorn", "Chyba čtení zdrojového souboru")},
    Entry{142, UI_TEXT("Kelvorn", "Položku(y) adresáře nelze přidat, plný adresář nebo disk")},
    Entry{143, UI_TEXT("Kelvorn", "Soubor se na image nevejde")},
    Entry{144, UI_TEXT("Kelvorn", "Chyba čtení")},
    Entry{145, UI_TEXT("Kelvorn", "Chyba zápisu")},
    Entry{146, UI_TEXT("Kelvorn", "Soubor/adresář na image nenalezen")},
    Entry{147, UI_TEXT("Kelvorn", "Kořenový adresář nelze smazat; chcete uzavřít image?")},
    Entry{148, UI_TEXT("Kelvorn", "Neprázdný adresář nelze smazat")},
    Entry{149, UI_TEXT("Kelvorn", "Soubor/adresář je read-only, smazat?")},
    Entry{150, UI_TEXT("Kelvorn", "Chyba zápisu")},
    Entry{151, UI_TEXT("Kelvorn", "Rodičovský soubor/adresář na image nenalezen")},
    Entry{152, UI_TEXT("Kelvorn", "Adresář se nevejde - image je plný")},
    Entry{153, UI_TEXT("Kelvorn", "Chybně formátovaná položka")},
    Entry{154, UI_TEXT("Kelvorn", "Nenalezeno; chybně formátovaná položka")},
    Entry{155, UI_TEXT("Kelvorn", "Opravdu chcete kopírovat celý podstrom?")},
    Entry{156, UI_TEXT("Kelvorn", "Nezdařilo se vytvořit podadresář.")},
    Entry{157, UI_TEXT("Kelvorn", "V kořenovém adresáři nelze nastavit atributy.")},
    Entry{158, UI_TEXT("Kelvorn", "Soubor/adresář tohoto jména už v cíli existuje.")},
    Entry{159, UI_TEXT("Kelvorn", "Cílem přenosu není obraz prázdné diskety.")},
    Entry{160, UI_TEXT("Kelvorn", "Prosím označte objekty v obou stromech, vlevo i vpravo!")},
    Entry{161, UI_TEXT("Kelvorn", "Cílem přesunu musí být podadresář disku HD!")},
    Entry{162, UI_TEXT("Kelvorn", "Cílem přenosu může být jen kořenový adresář nebo podadresář diskety!")},
    Entry{163, UI_TEXT("Kelvorn", "Na HD se nezdařilo vytvořit podadresář.")},
    Entry{164, UI_TEXT("Kelvorn", "Jméno nového podadresáře/VOL obsahuje nedovolené znaky.")},
    Entry{165, UI_TEXT("Kelvorn", "Záznam VOL se nevejde do kořenového adresáře image.")},
    Entry{167, UI_TEXT("Kelvorn", "Ohlášena neznámá chyba %d ve funkci %d.")},
    Entry{168, UI_TEXT("Kelvorn", "Chyba při vytváření souboru image prázdné diskety.")},
    Entry{169, UI_TEXT("Kelvorn", "Prosím označte objekt HD! (Označíte-li soubor, přepíše se.)")},
    Entry{170, UI_TEXT("Kelvorn", "Prosím označte objekt FD (soubor, prázdný podadresář nebo kořen FD) !")},
    Entry{171, UI_TEXT("Kelvorn", "Prosím označte adresář nebo kořen FD !")},
    Entry{1001, UI_TEXT("Kelvorn", "Jméno %s nelze na HD použít, položka se vynechává.")},
    Entry{1002, UI_TEXT("Kelvorn", "Soubor %s je právě otevřen jako image; nový obraz diskety jej nesmí přepsat.")},
    Entry{1003, UI_TEXT("Kelvorn", "Řetězec clusterů adresáře %s se vrací sám do sebe; jeho položky jsou uvedeny jen jednou.")},
    Entry{1004, UI_TEXT("Kelvorn", "Jméno %s je delší než 255 znaků, které FAT dovoluje; položka se vynechává.")},
    Entry{1005, UI_TEXT("Kelvorn", "Jméno %s není platný text v kódování UTF-8, na disketu je nelze uložit; položka se vynechává.")},
    Entry{1006, UI_TEXT("Kelvorn", "Jméno %s obsahuje znak, který FAT ve jménech nedovoluje (\\ / : * ? \" < > | nebo řídicí znak), nebo končí tečkou či mezerou; položka se vynechává.")},
    Entry{1007, UI_TEXT("Kelvorn", "Jméno %s nelze na disketě použít; položka se vynechává.")},
    Entry{1008, UI_TEXT("Kelvorn", "Image soubor %s mezitím změnil jiný program; strom diskety je načten znovu, akci prosím zopakujte.")},
    Entry{1009, UI_TEXT("Kelvorn", "Jiný program mezitím změnil parametry disku v image souboru; nic se nezapsalo, image otevřete znovu.")},
    Entry{1010, UI_TEXT("Kelvorn", "Adresář %s vede zpět do adresáře, který se už kopíruje; jeho obsah se vynechává.")},
    Entry{1011, UI_TEXT("Kelvorn", "Řetězec clusterů souboru %s je kratší, než udává jeho délka; na HD je soubor zkrácen.")},
    Entry{1012, UI_TEXT("Kelvorn", "Mapu záchrany %s nelze přečíst (%s); poškozené položky se proto nevyznačí.")},
};

struct Row {
    int function;
    int32_t code;
    int id;
};

constexpr std::array kRows{
    Row{kOpenFDImg, 1, 116}, Row{kOpenFDImg, 2, 115}, Row{kOpenFDImg, 3, 114}, Row{kOpenFDImg, 4, 113},
    Row{kOpenFDImg, 5, 112}, Row{kOpenFDImg, 6, 111}, Row{kOpenFDImg, 7, 110}, Row{kOpenFDImg, 8, 109},
    Row{kOpenFDImg, 9, 108}, Row{kOpenFDImg, 10, 107},
    Row{kGetFDType, 9, 117},
    Row{kGetFWDirEntry, 1, 121}, Row{kGetFWDirEntry, 2, 120}, Row{kGetFWDirEntry, 9, 119},
    Row{kGetFDirEntry, 1, 125}, Row{kGetFDirEntry, 4, 124}, Row{kGetFDirEntry, 5, 123}, Row{kGetFDirEntry, 9, 122},
    Row{kCloseFDImg, 1, 126},
    Row{kFindInDir, 1, 127}, Row{kFindInDir, 2, 153}, Row{kFindInDir, 3, 154},
    Row{kFindMInDir, 1, 128}, Row{kFindMInDir, 2, 153}, Row{kFindMInDir, 3, 154},
    Row{kSetFWrkDir, 1, 130}, Row{kSetFWrkDir, 5, 129},
    Row{kCopyF, 1, 135}, Row{kCopyF, 2, 134}, Row{kCopyF, 3, 133}, Row{kCopyF, 4, 132}, Row{kCopyF, 5, 131},
    Row{kCopyF, 6, 156},
    Row{kCopyT, 1, 143}, Row{kCopyT, 2, 142}, Row{kCopyT, 3, 141}, Row{kCopyT, 4, 140}, Row{kCopyT, 5, 139},
    Row{kCopyT, 6, 138}, Row{kCopyT, 7, 137}, Row{kCopyT, 9, 158},
    Row{kCopyT, orva::result::kNameTooLong, 1004}, Row{kCopyT, orva::result::kNameNotText, 1005},
    Row{kCopyT, orva::result::CopyT::kNameForbidden, 1006},
    Row{kKillF, 1, 149}, Row{kKillF, 2, 148}, Row{kKillF, 3, 147}, Row{kKillF, 4, 146}, Row{kKillF, 5, 145},
    Row{kKillF, 6, 144},
    Row{kMkDir, 3, 152}, Row{kMkDir, 4, 151}, Row{kMkDir, 5, 150}, Row{kMkDir, 7, 164},
    Row{kMkDir, orva::result::kNameTooLong, 1004}, Row{kMkDir, orva::result::kNameNotText, 1005},
    Row{kBlockTestFol, 9, 108},
    Row{kGetLastErr, 9, 108},
    Row{kSetAttrib, 1, 128}, Row{kSetAttrib, 2, 157}, Row{kSetAttrib, 5, 123}, Row{kSetAttrib, 6, 150},
    Row{kSetAttrib, 9, 108},
    Row{kWriteBoot, 5, 134}, Row{kWriteBoot, 9, 108},
    Row{kWriteVol, 1, 165}, Row{kWriteVol, 5, 150}, Row{kWriteVol, 7, 164},
};
// clang-format on

}  // namespace

std::optional<Message> nameFaultMessage(orva::NameFault fault) {
    switch (fault) {
        case orva::NameFault::TooLong:
            return Message::NameTooLong;
        case orva::NameFault::NotText:
            return Message::NameNotText;
        case orva::NameFault::ControlChar:
        case orva::NameFault::ForbiddenChar:
        case orva::NameFault::TrailingDotOrBlank:
            return Message::NameForbidden;
        case orva::NameFault::Empty:
        case orva::NameFault::DotName:
            return Message::NameUnusable;
        case orva::NameFault::None:
            break;
    }
    return std::nullopt;
}

std::string messageText(int id) {
    const auto* m =
        std::find_if(kMessages.begin(), kMessages.end(), [id](const Entry& x) { return x.id == id; });
    return m == kMessages.end() ? std::string() : std::string(m->text);
}

std::optional<int> messageIdFor(int function, int32_t code) {
    const auto* row = std::find_if(kRows.begin(), kRows.end(),
                                   [&](const Row& r) { return r.function == function && r.code == code; });
    if (row == kRows.end()) return std::nullopt;
    return row->id;
}

desktop::ShownText shownMessage(int id, std::initializer_list<std::string> arguments) {
    return desktop::ShownText::filled(messageText(id), arguments);
}

desktop::ShownText messageNaming(Message id, const std::string& subject) {
    return shownMessage(id) + desktop::ShownText::verbatim(": " + subject);
}

std::string formatMessage(int id, std::initializer_list<std::string> arguments) {
    return shownMessage(id, arguments).str();
}

}  // namespace browser
