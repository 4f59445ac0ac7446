#include "SectionText.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SectionText", text);
}

} // namespace

namespace SectionText {

QString title(AppSection section)
{
    switch (section) {
    case AppSection::merge: return tr("Birleştir");
    case AppSection::split: return tr("Böl");
    case AppSection::compress: return tr("Sıkıştır");
    case AppSection::sign: return tr("İmzala");
    case AppSection::pages: return tr("Sayfa sil");
    case AppSection::history: break;
    }
    return tr("Geçmiş");
}

QString subtitle(AppSection section)
{
    switch (section) {
    case AppSection::merge: return tr("Birden çok PDF'i sırayla tek dosyada toplar.");
    case AppSection::split: return tr("Bir PDF'i sayfalara ya da aralıklara ayırır.");
    case AppSection::compress: return tr("Görselleri küçültür, metin seçilebilir kalır.");
    case AppSection::sign: return tr("İmzanı çiz ya da görselden al, sayfaya yerleştir.");
    case AppSection::pages: return tr("İstemediğin sayfaları seç, kalanı yeni dosyaya kaydet.");
    case AppSection::history: break;
    }
    return tr("Bu Mac'te ürettiğin dosyalar.");
}

QString symbol(AppSection section)
{
    switch (section) {
    case AppSection::merge: return QStringLiteral("arrow.triangle.merge");
    case AppSection::split: return QStringLiteral("scissors");
    case AppSection::compress: return QStringLiteral("arrow.down.right.and.arrow.up.left");
    case AppSection::sign: return QStringLiteral("signature");
    case AppSection::pages: return QStringLiteral("rectangle.stack.badge.minus");
    case AppSection::history: break;
    }
    return QStringLiteral("clock.arrow.circlepath");
}

} // namespace SectionText
