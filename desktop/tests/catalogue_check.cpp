// catalogue_check FILE.ts: names every text of a Qt Linguist catalogue that has no finished translation
// (new, unfinished or empty) and fails when there is one. Texts gone from the sources do not count.
#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: catalogue_check FILE.ts\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "catalogue_check: cannot read %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 2;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int texts = 0;
    int untranslated = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete")) continue;
            ++texts;
            if (type == QLatin1String("unfinished") || translation.isEmpty()) {
                ++untranslated;
                std::printf("untranslated [%s] \"%s\"\n", qPrintable(context), qPrintable(source));
            }
        }
    }
    if (xml.hasError()) {
        std::fprintf(stderr, "catalogue_check: %s: %s\n", argv[1], qPrintable(xml.errorString()));
        return 2;
    }
    std::printf("%d texts, %d without a finished translation\n", texts, untranslated);
    return untranslated == 0 && texts > 0 ? 0 : 1;
}
