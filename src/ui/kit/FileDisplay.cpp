#include "ui/kit/FileDisplay.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"

#include <QCoreApplication>
#include <QFileInfo>

QString FileDisplay::formatSize(qint64 bytes) const
{
    return Formatting::fileSize(bytes, AppLanguages::locale());
}

QString FileDisplay::details(const PDFFile& file, std::optional<qint64> chosen) const
{
    const QLocale locale = AppLanguages::locale();
    const QString pages = Formatting::count(file.pageCount, locale);
    if (chosen) {
        return QCoreApplication::translate("FileDisplay", "Sayfa: %1 / %2 · %3")
            .arg(Formatting::count(*chosen, locale), pages, formatSize(file.bytes));
    }
    return QCoreApplication::translate("FileDisplay", "Sayfa: %1 · %2")
        .arg(pages, formatSize(file.bytes));
}

QString FileDisplay::spoken(const PDFFile& file, std::optional<qint64> chosen) const
{
    const QLocale locale = AppLanguages::locale();
    const QString name = QFileInfo(file.source.path).fileName();
    const QString pages = Formatting::count(file.pageCount, locale);
    if (chosen) {
        return QCoreApplication::translate("FileDisplay", "%1, %2 sayfadan %3 sayfa, %4")
            .arg(name, pages, Formatting::count(*chosen, locale), formatSize(file.bytes));
    }
    return QCoreApplication::translate("FileDisplay", "%1, %2 sayfa, %3")
        .arg(name, pages, formatSize(file.bytes));
}
