#include "engine/document/EngineText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace EngineText {

QString openFailed(const QString& inputName)
{
    return QCoreApplication::translate("PDFEngine", "%1 açılamadı. Dosya bozuk ya da PDF değil.")
        .arg(inputName);
}

QString passwordNeeded(const QString& inputName)
{
    return QCoreApplication::translate(
               "PDFEngine", "%1 parola korumalı. Dosyayı yeniden ekleyip parolasını gir.")
        .arg(inputName);
}

QString writeFailed(const QString& outputName)
{
    return QCoreApplication::translate("PDFEngine",
                                       "%1 yazılamadı. Klasöre yazma iznin olduğundan emin ol.")
        .arg(outputName);
}

QString folderMissing(const QString& outputName, const QString& folder)
{
    return QCoreApplication::translate("PDFEngine",
                                       "%1 yazılamadı. Kaydedilecek klasör bulunamadı: %2")
        .arg(outputName, QDir::toNativeSeparators(folder));
}

QString nameTooLong(const QString& outputName)
{
    // The name itself may run to hundreds of characters; its start and its end
    // are enough to recognise it.
    constexpr qsizetype longest = 60;
    const QString shown = outputName.size() <= longest
                              ? outputName
                              : outputName.left(40) + QStringLiteral("…") + outputName.right(15);
    return QCoreApplication::translate(
               "PDFEngine",
               "%1 yazılamadı. Dosya adı bu klasör için çok uzun; daha kısa bir ad seç.")
        .arg(shown);
}

QString diskFull(const QString& outputName)
{
    return QCoreApplication::translate(
               "PDFEngine", "%1 yazılamadı. Diskte yeterli yer yok; yer açıp yeniden dene.")
        .arg(outputName);
}

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace EngineText
