#include "ui/kit/FileDisplay.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"

#include <QCoreApplication>
#include <QFileInfo>

QString FileDisplay::formatSize(qint64 bytes) const
{
    return Formatting::fileSize(bytes, AppLanguages::locale());
}

QString FileDisplay::details(const PDFFile& file) const
{
    return QCoreApplication::translate("FileDisplay", "Sayfa: %1 · %2")
        .arg(Formatting::count(file.pageCount, AppLanguages::locale()), formatSize(file.bytes));
}

QString FileDisplay::spoken(const PDFFile& file) const
{
    return QCoreApplication::translate("FileDisplay", "%1, %2 sayfa, %3")
        .arg(QFileInfo(file.source.path).fileName(),
             Formatting::count(file.pageCount, AppLanguages::locale()), formatSize(file.bytes));
}
