#include "desktop/translated_text.h"

#include <QCoreApplication>

namespace desktop {

QString translated(const char* program, const char* source) {
    return QCoreApplication::translate(program, source);
}

QString translated(const char* program, const ShownText& text) {
    return QString::fromStdString(text.str([program](const std::string& source) {
        return QCoreApplication::translate(program, source.c_str()).toStdString();
    }));
}

}  // namespace desktop
