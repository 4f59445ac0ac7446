#include "CompressText.h"

#include <QCoreApplication>

namespace CompressText {

QString startFailed()
{
    return QCoreApplication::translate("PDFEngine", "Sıkıştırma başlatılamadı.");
}

QString compressFailed(const QString& inputName)
{
    return QCoreApplication::translate("PDFEngine", "%1 sıkıştırılamadı.").arg(inputName);
}

QString notSmaller()
{
    return QCoreApplication::translate(
        "PDFEngine",
        "Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.");
}

} // namespace CompressText
