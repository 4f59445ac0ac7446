#include "engine/compress/CompressText.h"

#include <QCoreApplication>

namespace CompressText {

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

QString noneSmaller()
{
    return QCoreApplication::translate(
        "PDFEngine",
        "Dosyaların hiçbiri daha fazla küçülmedi. Hepsi zaten sıkıştırılmış görünüyor, yeni dosya "
        "yazılmadı.");
}

} // namespace CompressText
