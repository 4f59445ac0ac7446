#include "ui/shell/PrivacyNote.h"

#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"

#include <QHBoxLayout>

PrivacyNote::PrivacyNote(bool checksForUpdates, QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* shield = new SymbolView(QStringLiteral("lock.shield"), 16, Tone::secondary, this);
    shield->setObjectName(QStringLiteral("shield"));
    row->addWidget(shield, 0, Qt::AlignTop);
    // A build without an update feed never goes online, and says so.
    auto* text = Labels::text(
        checksForUpdates
            ? tr("Leaflow tamamen bu Mac'te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, "
                 "veri toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için "
                 "bağlanır.")
            : tr("Leaflow tamamen bu Mac'te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, "
                 "veri toplamayız. Uygulama internete hiç bağlanmaz."),
        TextStyle::callout, Tone::secondary, this);
    text->setObjectName(QStringLiteral("privacy"));
    text->setWordWrap(true);
    // Both keep to the top of a row taller than they need (the settings pane gives its spare
    // height away), so the text starts level with the shield.
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row->addWidget(text, 1, Qt::AlignTop);
}
