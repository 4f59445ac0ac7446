#include "FileDisplay.h"

#include "AppLanguage.h"

#include <QCoreApplication>
#include <QLocale>

QString FileDisplay::formatSize(qint64 bytes) const
{
    if (sizeText) {
        return sizeText(bytes);
    }
    return AppLanguages::locale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString FileDisplay::details(const PDFFile& file) const
{
    return QCoreApplication::translate("FileDisplay", "Sayfa: %1 · %2")
        .arg(file.pageCount)
        .arg(formatSize(file.bytes));
}
