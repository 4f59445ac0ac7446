#include "ui/shell/AboutView.h"

#include "core/AppInfo.h"
#include "store/Store.h"
#include "store/ToolModel.h"
#include "ui/kit/BrandMark.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/shell/PrivacyNote.h"
#include "ui/shell/SettingsForm.h"
#include "update/UpdateConfig.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {

QWidget* header(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new BrandMark(64, box), 0, Qt::AlignHCenter);
    auto* name = Labels::text(QStringLiteral("Leaflow"), TextStyle::body, Tone::primary, box);
    name->setFont(Theme::systemFont(26, QFont::Bold));
    auto* line = Labels::text(AboutView::tr("Mac'inden çıkmayan PDF araç kutusu"),
                              TextStyle::title3, Tone::primary, box);
    auto* version = Labels::text(AboutView::versionLine(AppInfo::version(), AppInfo::build()),
                                 TextStyle::caption, Tone::secondary, box);
    version->setObjectName(QStringLiteral("version"));
    for (QLabel* label :
         {static_cast<QLabel*>(name), static_cast<QLabel*>(line), static_cast<QLabel*>(version)}) {
        label->setAlignment(Qt::AlignHCenter);
        column->addWidget(label);
    }
    return box;
}

QWidget* featureGrid(const Store& store, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const ToolModel* tool : store.tools()) {
        grid->addWidget(Labels::text(tool->title(), TextStyle::body, Tone::primary, box), row, 0);
        grid->itemAtPosition(row, 0)->widget()->setFont(
            Theme::font(TextStyle::body, QFont::DemiBold));
        auto* description = Labels::text(tool->feature(), TextStyle::body, Tone::secondary, box);
        description->setWordWrap(true);
        grid->addWidget(description, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return box;
}

} // namespace

AboutView::AboutView(Store& store, bool showsClose, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_counts(Labels::text(QString(), TextStyle::caption, Tone::secondary, this))
{
    m_counts->setObjectName(QStringLiteral("counts"));
    m_counts->setFont(Theme::monospacedDigits(Theme::font(TextStyle::caption)));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 20);
    column->setSpacing(16);
    column->addWidget(header(this));
    column->addWidget(new PrivacyNote(UpdateConfig::configured(), this));
    column->addWidget(featureGrid(store, this));
    column->addWidget(m_counts);
    // Spare height in the settings pane gathers above the footer, not between the lines.
    column->addStretch(1);
    column->addWidget(SettingsForm::divider(this));

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    // Without a configured address there is nobody to write to.
    if (const QString address = AppInfo::supportAddress(); !address.isEmpty()) {
        auto* mail = new Button(tr("E-posta gönder"), Button::Kind::bordered, this);
        mail->setAutoDefault(false);
        connect(mail, &QAbstractButton::clicked, this,
                [address] { QDesktopServices::openUrl(mailLink(address)); });
        footer->addWidget(mail);
    }
    if (showsClose) {
        auto* close = new Button(tr("Kapat"), Button::Kind::prominent, this);
        close->setDefault(true);
        connect(close, &QAbstractButton::clicked, this, &AboutView::closeRequested);
        footer->addWidget(close);
    }
    column->addLayout(footer);

    connect(&m_store, &Store::dataChanged, this, &AboutView::showCounts);
    showCounts();
}

QString AboutView::versionLine(const QString& version, const QString& build)
{
    return tr("Sürüm %1 (%2) · Linux").arg(version, build);
}

QUrl AboutView::mailLink(const QString& address)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Leaflow"));
    url.setQuery(query);
    return url;
}

void AboutView::showCounts()
{
    const AppData& stored = m_store.data();
    m_counts->setText(tr("Kayıtlı imza: %1 · Geçmiş kaydı: %2")
                          .arg(stored.signatures.size())
                          .arg(stored.history.size()));
}
