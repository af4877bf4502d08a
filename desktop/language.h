#pragma once
// The language a window speaks: Czech, the programs' own, or English through the Qt Linguist catalogue
// built into each program. Qt's own texts (the buttons of message boxes) follow in the same language.
#include <optional>

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace desktop {

enum class Language { Czech, English };

// The first of the desktop's languages (QLocale::uiLanguages order) that we speak; Czech when it names none
// (the C or POSIX locale), English for any other language.
Language languageOf(const QStringList& uiLanguages);
// The desktop's own choice.
Language desktopLanguage();
// "cs" or "en", as --lang takes it; nothing for anything else.
std::optional<Language> languageNamed(const QString& name);

// Holds the translators of one language while it is installed in the application.
class Translations {
  public:
    // program: the catalogue's name ("kelvorn" finds :/i18n/kelvorn_en.qm). False when a catalogue could not
    // be loaded, with the reason on stderr; the window then shows what it can (its own Czech texts).
    bool use(Language language, const QString& program);

  private:
    QTranslator program_;
    QTranslator qt_;
};

}  // namespace desktop
