#include "PrivacyNote.h"

#include "Labels.h"
#include "SymbolView.h"

#include <QHBoxLayout>

PrivacyNote::PrivacyNote(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(new SymbolView(QStringLiteral("lock.shield"), 16, Tone::secondary, this), 0,
                   Qt::AlignTop);
    auto* text = Labels::text(
        tr("Leaflow tamamen bu Mac'te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri "
           "toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için bağlanır."),
        TextStyle::callout, Tone::secondary, this);
    text->setWordWrap(true);
    row->addWidget(text, 1);
}
