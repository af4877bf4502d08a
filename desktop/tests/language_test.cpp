// Which language the windows speak, from the desktop's languages or --lang.
#include <gtest/gtest.h>

#include <QStringList>

#include "desktop/language.h"

namespace desktop {
namespace {

TEST(LanguageTest, DesktopLanguagesChooseCzechOrEnglish) {
    struct Row {
        QStringList uiLanguages;
        Language expected;
    };
    const Row rows[] = {
        {{}, Language::Czech},     // no language named
        {{"C"}, Language::Czech},  // LANG=C
        {{"POSIX"}, Language::Czech},
        {{"cs-CZ", "cs"}, Language::Czech},
        {{"cs"}, Language::Czech},
        {{"en-US", "en"}, Language::English},
        {{"en-GB"}, Language::English},
        {{"de-DE", "de"}, Language::English},   // a language we do not speak
        {{"de-DE", "cs-CZ"}, Language::Czech},  // the first one we speak
        {{"sk-SK", "en-US", "cs"}, Language::English},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(languageOf(row.uiLanguages), row.expected) << row.uiLanguages.join(' ').toStdString();
    }
}

TEST(LanguageTest, LangOptionNamesTwoLanguages) {
    EXPECT_EQ(languageNamed("cs"), Language::Czech);
    EXPECT_EQ(languageNamed("en"), Language::English);
    for (const char* name : {"", "CS", "de", "english", "cs_CZ"}) EXPECT_FALSE(languageNamed(name)) << name;
}

}  // namespace
}  // namespace desktop
