#include "EngineText.h"

#include <QCoreApplication>
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

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace EngineText
