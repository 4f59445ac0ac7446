#include "ocr/Languages.h"

#include <QCoreApplication>
#include <array>
#include <stdexcept>
#include <string>
#include <tesseract/baseapi.h>
#include <vector>

namespace Languages {

namespace {

constexpr std::array order{"eng", "spa", "tur"};

} // namespace

QByteArray joined(const QStringList& codes)
{
    QByteArrayList parts;
    for (const char* known : order) {
        if (codes.contains(QLatin1String(known))) {
            parts.append(known);
        }
    }
    for (const QString& code : codes) {
        if (!parts.contains(code.toLatin1())) {
            parts.append(code.toLatin1());
        }
    }
    return parts.join('+');
}

QString name(const QString& code)
{
    if (code == u"tur") {
        return QCoreApplication::translate("Recognition", "Türkçe");
    }
    if (code == u"eng") {
        return QCoreApplication::translate("Recognition", "İngilizce");
    }
    if (code == u"spa") {
        return QCoreApplication::translate("Recognition", "İspanyolca");
    }
    if (code == u"osd") {
        return QCoreApplication::translate("Recognition", "sayfa yönü");
    }
    return code;
}

void missing(const QString& code)
{
    const QString text =
        QCoreApplication::translate("Recognition", "Tanıma verisi kurulu değil: %1")
            .arg(name(code));
    throw std::runtime_error(text.toStdString());
}

void require(const tesseract::TessBaseAPI& api, const QStringList& codes)
{
    std::vector<std::string> installed;
    api.GetAvailableLanguagesAsVector(&installed);
    for (const QString& code : codes) {
        if (std::find(installed.begin(), installed.end(), code.toStdString()) == installed.end()) {
            missing(code);
        }
    }
}

} // namespace Languages
