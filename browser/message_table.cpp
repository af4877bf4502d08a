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
    Entry{101, "&O programu Kelvorn..."},
    Entry{102, "Pod tímto operačním systémem nepracuje."},
    Entry{103, "Jednotku %c: nešlo nastavit, zůstává %c:."},
    Entry{104, "Adresář s tímto jménem už existuje"},
    Entry{105, "Soubor s tímto jménem už existuje"},
    Entry{106, "Image soubor není obrazem diskety nebo je poškozen."},
    Entry{107, "Image nelze otevřít (neexistuje apod.)"},
    Entry{108, "Není alokována prac. paměť"},
    Entry{109, "V boot sektoru jsou uvedeny chybné parametry média"},
    Entry{110, "Chybný/neznámý typ média"},
    Entry{111, "Image je příliš krátký i na boot sektor"},
    Entry{112, "Boot sektor je příliš krátký (< 512B)"},
    Entry{113, "Image soubor je kratší než dle bootu"},
    Entry{114, "Image soubor je delší než dle bootu a jen pro čtení (read-only)"},
    Entry{115, "Image soubor je delší než dle bootu"},
    Entry{116, "Image soubor je jen pro čtení (read-only)"},
    Entry{117, "Není alokována prac. paměť, není otevřen soubor"},
    Entry{118, "Image soubor není otevřen"},
    Entry{119, "Chyba čtení položky adresáře"},
    Entry{120, "EOF (číslo položky mimo hranice adresáře)"},
    Entry{121, "EOF (položka plná binárních nul)"},
    Entry{122, "Chyba čtení položky adresáře"},
    Entry{123, "Chyba cesty (např. dvě '\\' po sobě)"},
    Entry{124, "Jméno %s uvnitř cesty neoznačuje adresář"},
    Entry{125, "Nenalezeno"},
    Entry{126, "Chyba při uzavření souboru image"},
    Entry{127, "Nenalezeno"},
    Entry{128, "Nenalezeno"},
    Entry{129, "Zadána prázdná/chybná cesta, pracovní adresář beze změny"},
    Entry{130, "Adresář se nenašel"},
    Entry{131, "Údaj %s neoznačuje soubor"},
    Entry{132, "Soubor %s neexistuje"},
    Entry{133, "Chyba položky adresáře: cluster mimo limity"},
    Entry{134, "Chyba zápisu cílového souboru"},
    Entry{135, "Chyba čtení souboru z image nebo chyba FAT filesystému image"},
    Entry{136, "Image soubor je jen pro čtení (read-only)"},
    Entry{137, "Údaj %s neoznačuje soubor"},
    Entry{138, "Soubor %s neexistuje"},
    Entry{139, "Chyba psaní souboru do image nebo chyba FAT filesystému image"},
    Entry{140, "Cílový adresář %s neexistuje"},
    Entry{141, "Chyba čtení zdrojového souboru"},
    Entry{142, "Položku(y) adresáře nelze přidat, plný adresář nebo disk"},
    Entry{143, "Soubor se na image nevejde"},
    Entry{144, "Chyba čtení"},
    Entry{145, "Chyba zápisu"},
    Entry{146, "Soubor/adresář na image nenalezen"},
    Entry{147, "Kořenový adresář nelze smazat; chcete uzavřít image?"},
    Entry{148, "Neprázdný adresář nelze smazat"},
    Entry{149, "Soubor/adresář je read-only, smazat?"},
    Entry{150, "Chyba zápisu"},
    Entry{151, "Rodičovský soubor/adresář na image nenalezen"},
    Entry{152, "Adresář se nevejde - image je plný"},
    Entry{153, "Chybně formátovaná položka"},
    Entry{154, "Nenalezeno; chybně formátovaná položka"},
    Entry{155, "Opravdu chcete kopírovat celý podstrom?"},
    Entry{156, "Nezdařilo se vytvořit podadresář."},
    Entry{157, "V kořenovém adresáři nelze nastavit atributy."},
    Entry{158, "Soubor/adresář tohoto jména už v cíli existuje."},
    Entry{159, "Cílem přenosu není obraz prázdné diskety."},
    Entry{160, "Prosím označte objekty v obou stromech, vlevo i vpravo!"},
    Entry{161, "Cílem přesunu musí být podadresář disku HD!"},
    Entry{162, "Cílem přenosu může být jen kořenový adresář nebo podadresář diskety!"},
    Entry{163, "Na HD se nezdařilo vytvořit podadresář."},
    Entry{164, "Jméno nového podadresáře/VOL obsahuje nedovolené znaky."},
    Entry{165, "Záznam VOL se nevejde do kořenového adresáře image."},
    Entry{167, "Ohlášena neznámá chyba %d ve funkci %d."},
    Entry{168, "Chyba při vytváření souboru image prázdné diskety."},
    Entry{169, "Prosím označte objekt HD! (Označíte-li soubor, přepíše se.)"},
    Entry{170, "Prosím označte objekt FD (soubor, prázdný podadresář nebo kořen FD) !"},
    Entry{171, "Prosím označte adresář nebo kořen FD !"},
    Entry{1001, "Jméno %s nelze na HD použít, položka se vynechává."},
    Entry{1002, "Soubor %s je právě otevřen jako image; nový obraz diskety jej nesmí přepsat."},
    Entry{1003, "Řetězec clusterů adresáře %s se vrací sám do sebe; jeho položky jsou uvedeny jen jednou."},
    Entry{1004, "Jméno %s je delší než 255 znaků, které FAT dovoluje; položka se vynechává."},
    Entry{1005, "Jméno %s není platný text v kódování UTF-8, na disketu je nelze uložit; položka se vynechává."},
    Entry{1006, "Jméno %s obsahuje znak, který FAT ve jménech nedovoluje (\\ / : * ? \" < > | nebo řídicí znak), nebo končí tečkou či mezerou; položka se vynechává."},
    Entry{1007, "Jméno %s nelze na disketě použít; položka se vynechává."},
    Entry{1008, "Image soubor %s mezitím změnil jiný program; strom diskety je načten znovu, akci prosím zopakujte."},
    Entry{1009, "Jiný program mezitím změnil parametry disku v image souboru; nic se nezapsalo, image otevřete znovu."},
    Entry{1010, "Adresář %s vede zpět do adresáře, který se už kopíruje; jeho obsah se vynechává."},
    Entry{1011, "Řetězec clusterů souboru %s je kratší, než udává jeho délka; na HD je soubor zkrácen."},
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

std::string formatMessage(int id, std::initializer_list<std::string> arguments) {
    const std::string text = messageText(id);
    std::string out;
    auto next = arguments.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        const bool place = text[i] == '%' && i + 1 < text.size() &&
                           std::string_view("sdc").find(text[i + 1]) != std::string_view::npos;
        // A place without an argument stays as it stands.
        if (place && next != arguments.end()) {
            out += *next++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace browser
