#include "image_columns.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include "dos_stamp.h"

namespace kelvorn {
namespace {

// The stamp as the image keeps it (no time zone is applied: the entry names none); nothing for a stamp no
// calendar has, as an entry made without one shows.
QString writtenText(uint16_t date, uint16_t time) {
    const auto moment = orva::stampMoment(date, time);
    if (!moment) return {};
    const QDateTime at(QDate(moment->year, moment->month, moment->day),
                       QTime(moment->hour, moment->minute, moment->second));
    if (!at.isValid()) return {};
    //: How an entry's date and time show in the image tree (QDateTime format).
    return QLocale().toString(at, QCoreApplication::translate("kelvorn::KelvornWindow", "d. M. yyyy H:mm"));
}

}  // namespace

QString ImageColumns::title(int column) const {
    switch (column) {
        case kName:
            return QCoreApplication::translate("kelvorn::KelvornWindow", "Název");
        case kSize:
            return QCoreApplication::translate("kelvorn::KelvornWindow", "Velikost");
        case kWritten:
            return QCoreApplication::translate("kelvorn::KelvornWindow", "Změněno");
        default:
            return {};
    }
}

QVariant ImageColumns::value(browser::ItemHandle item, int column, int role) const {
    const browser::ItemData& data = tree_.data(item);
    const bool isFile = data.kind == browser::ItemKind::ImageFile;
    if (role == Qt::TextAlignmentRole && column == kSize) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (column) {
        case kSize:
            //: A file's size in bytes in the image tree.
            return isFile ? QCoreApplication::translate("kelvorn::KelvornWindow", "%1 B")
                                .arg(QLocale().toString(data.size))
                          : QString();
        case kWritten:
            return isFile || data.kind == browser::ItemKind::ImageFolder
                       ? writtenText(data.writeDate, data.writeTime)
                       : QString();
        default:
            return {};
    }
}

}  // namespace kelvorn
