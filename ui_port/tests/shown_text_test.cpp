// Texts kept with their templates: composed exactly as printf would, and shown in another language by
// translating the templates only.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "ui_port/shown_text.h"

namespace desktop {
namespace {

std::string viaPrintf(const char* format, int a, unsigned long b, const char* c) {
    char out[256];
    std::snprintf(out, sizeof out, format, a, b, c);
    return out;
}

TEST(ShownTextTest, FilledAsPrintfWouldFillIt) {
    const char* formats[] = {
        "\nChyba %d: %08lx:\n%s",
        "%5d|%-3lu|%.2s",
        "100%% hotovo: %d %lx %s",
        "%+d, %#lx, [%10s]",
    };
    for (const char* format : formats) {
        const ShownText shown = ShownText::printf(format, -3, 0x2600UL, "Záloha");
        EXPECT_EQ(shown.str(), viaPrintf(format, -3, 0x2600UL, "Záloha")) << format;
    }
    EXPECT_EQ(ShownText::printf("Obsah diskety v jednotce %c: bude smazán", 'A').str(),
              "Obsah diskety v jednotce A: bude smazán");
}

TEST(ShownTextTest, PlacesAndWhatStaysAsItIs) {
    struct Row {
        const char* name;
        ShownText text;
        std::string composed;
    };
    const Row rows[] = {
        {"a text without arguments keeps its percent signs", ShownText("Jméno %s 100%% jinak"),
         "Jméno %s 100%% jinak"},
        {"a place without an argument stays", ShownText::filled("%d ve funkci %d.", {"6"}),
         "6 ve funkci %d."},
        {"drive places take the colon with them",
         ShownText::filled("Jednotku %c: nešlo nastavit, zůstává %c:.", {"/home/eva", "/"}, Places::Drives),
         "Jednotku /home/eva nešlo nastavit, zůstává /."},
        {"an argument is never read as a template", ShownText::filled("Soubor %s neexistuje", {"%d%s.txt"}),
         "Soubor %d%s.txt neexistuje"},
        {"pieces follow each other", ShownText("Chyba zápisu") + ShownText::verbatim(": /tmp/a"),
         "Chyba zápisu: /tmp/a"},
        {"nothing at all", ShownText(""), ""},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text.str(), row.composed) << row.name;
    EXPECT_TRUE(ShownText("").empty());
    EXPECT_TRUE(ShownText::verbatim("").empty());
}

TEST(ShownTextTest, TranslationTakesTemplatesNotArgumentsOrVerbatimPieces) {
    const std::map<std::string, std::string> english{
        {"Chyba zápisu: %d", "Write error: %d"},
        {"Nenalezeno", "Not found"},
        {"Jednotku %c: nešlo nastavit, zůstává %c:.", "Drive %c: could not be set, %c: stays."},
    };
    const auto translate = [&](const std::string& source) {
        const auto found = english.find(source);
        return found == english.end() ? source : found->second;
    };
    struct Row {
        ShownText text;
        std::string shown;
    };
    const Row rows[] = {
        {ShownText::printf("Chyba zápisu: %d", 28), "Write error: 28"},
        {ShownText("Nenalezeno") + ShownText::verbatim(": Nenalezeno"), "Not found: Nenalezeno"},
        {ShownText::filled("Soubor %s neexistuje", {"Nenalezeno"}), "Soubor Nenalezeno neexistuje"},
        {ShownText::filled("Jednotku %c: nešlo nastavit, zůstává %c:.", {"/mnt", "/"}, Places::Drives),
         "Drive /mnt could not be set, / stays."},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text.str(translate), row.shown) << row.text.str();
}

TEST(ShownTextTest, ConversionsOfAFormat) {
    EXPECT_EQ(printfConversions("%s a %d, 100%% %08lx %c:"),
              (std::vector<std::string>{"%s", "%d", "%08lx", "%c"}));
    EXPECT_TRUE(printfConversions("bez míst, 50%% a % konec %").empty());
}

}  // namespace
}  // namespace desktop
