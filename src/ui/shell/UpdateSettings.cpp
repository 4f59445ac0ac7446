#include "ui/shell/UpdateSettings.h"

#include "core/AppInfo.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"
#include "ui/shell/SettingsForm.h"
#include "update/UpdateConfig.h"
#include "update/Updater.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int fractionSteps = 1000;

QProgressBar* indicator(int width, const QString& name, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    bar->setRange(0, 0);
    bar->setFixedSize(width, 6);
    return bar;
}

} // namespace

UpdateSettings::UpdateSettings(Updater& updater, QWidget* parent)
    : QWidget(parent), m_updater(updater),
      m_automatic(new QCheckBox(tr("Güncellemeleri otomatik denetle"), this)),
      m_statusSymbol(new SymbolView(QString(), 13, Tone::secondary, this)),
      m_status(Labels::text(QString(), TextStyle::callout, Tone::secondary, this)),
      m_check(new Button(tr("Şimdi denetle"), Button::Kind::bordered, this)),
      m_busy(indicator(40, QStringLiteral("updateBusy"), this)),
      m_later(new Button(tr("Sonra"), Button::Kind::bordered, this)),
      m_install(new Button(tr("Güncelle"), Button::Kind::prominent, this)),
      m_progress(indicator(progressWidth, QStringLiteral("updateProgress"), this)),
      m_cancel(new Button(tr("Vazgeç"), Button::Kind::bordered, this))
{
    m_status->setObjectName(QStringLiteral("updateStatus"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A long failure is cut to two lines; the whole text stays in its tip.
    m_status->setMaximumHeight(2 * m_status->fontMetrics().lineSpacing());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(m_automatic);

    auto* row = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(
        Labels::text(tr("Sürüm %1").arg(AppInfo::version()), TextStyle::body, Tone::primary, this));
    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(5);
    statusRow->addWidget(m_statusSymbol, 0, Qt::AlignTop);
    statusRow->addWidget(m_status, 1);
    left->addLayout(statusRow);
    row->addLayout(left, 1);
    row->addWidget(actionArea(), 0, Qt::AlignRight | Qt::AlignVCenter);
    column->addLayout(row);

    // Without a feed nothing is ever read, so there is nothing to tell.
    const QString host = UpdateConfig::feedHost();
    if (!host.isEmpty()) {
        column->addWidget(SettingsForm::note(
            tr("Leaflow günde bir kez %1 adresinden yalnız sürüm bilgisini okur. Kişisel veri "
               "gönderilmez.")
                .arg(host),
            this));
    }

    connect(m_automatic, &QCheckBox::toggled, &m_updater, &Updater::setAutomatic);
    connect(m_check, &QPushButton::clicked, &m_updater, &Updater::checkNow);
    connect(m_later, &QPushButton::clicked, &m_updater, &Updater::later);
    connect(m_install, &QPushButton::clicked, &m_updater, &Updater::install);
    connect(m_cancel, &QPushButton::clicked, &m_updater, &Updater::cancelDownload);
    connect(&m_updater, &Updater::changed, this, &UpdateSettings::refresh);
    refresh();
}

QWidget* UpdateSettings::actionArea()
{
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (QWidget* control : std::initializer_list<QWidget*>{m_check, m_busy, m_later, m_install,
                                                            m_progress, m_cancel}) {
        row->addWidget(control, 0, Qt::AlignVCenter);
    }
    m_check->setObjectName(QStringLiteral("checkNow"));
    m_later->setObjectName(QStringLiteral("later"));
    m_install->setObjectName(QStringLiteral("install"));
    m_cancel->setObjectName(QStringLiteral("cancelDownload"));
    return area;
}

void UpdateSettings::refresh()
{
    using Kind = Updater::Phase::Kind;
    const Updater::Phase& phase = m_updater.phase();
    {
        const QSignalBlocker quiet(m_automatic);
        m_automatic->setChecked(m_updater.automatic());
    }
    m_automatic->setEnabled(m_updater.updater() != nullptr);

    switch (phase.kind) {
    case Kind::idle: showStatus({}, {}, Tone::secondary); break;
    case Kind::checking: showStatus(tr("Denetleniyor…"), {}, Tone::secondary); break;
    case Kind::available:
        showStatus(tr("Yeni sürüm var: %1").arg(phase.version),
                   QStringLiteral("arrow.down.circle.fill"), Tone::accent);
        break;
    case Kind::downloading: showStatus(tr("İndiriliyor…"), {}, Tone::secondary); break;
    case Kind::preparing: showStatus(tr("Hazırlanıyor…"), {}, Tone::secondary); break;
    case Kind::installing:
        showStatus(tr("Kuruluyor. Leaflow yeniden açılacak."), {}, Tone::secondary);
        break;
    case Kind::upToDate:
        showStatus(tr("Güncelsin. En yeni sürümü kullanıyorsun."),
                   QStringLiteral("checkmark.circle.fill"), Tone::primary);
        break;
    case Kind::failed:
        showStatus(phase.message, QStringLiteral("exclamationmark.triangle.fill"), Tone::primary);
        break;
    case Kind::reopen:
        showStatus(phase.message, QStringLiteral("info.circle"), Tone::primary);
        break;
    }

    const bool resting = phase.kind == Kind::idle || phase.kind == Kind::upToDate ||
                         phase.kind == Kind::failed || phase.kind == Kind::reopen;
    const bool downloading = phase.kind == Kind::downloading;
    // The package manager's progress shows like the download's, without a way to stop it.
    const bool measured = (downloading || phase.kind == Kind::installing) &&
                          phase.fraction.has_value();
    m_check->setVisible(resting);
    m_check->setEnabled(m_updater.canCheck());
    m_busy->setVisible(!measured &&
                       (phase.kind == Kind::checking || phase.kind == Kind::preparing ||
                        phase.kind == Kind::installing || downloading));
    m_later->setVisible(phase.kind == Kind::available);
    m_install->setVisible(phase.kind == Kind::available);
    m_progress->setVisible(measured);
    m_cancel->setVisible(downloading);
    if (measured) {
        m_progress->setRange(0, fractionSteps);
        m_progress->setValue(qRound(*phase.fraction * fractionSteps));
    }
}

void UpdateSettings::showStatus(const QString& text, const QString& symbol, Tone tone)
{
    m_status->setText(text);
    m_status->setToolTip(text);
    m_status->setTone(tone);
    m_status->setVisible(!text.isEmpty());
    m_statusSymbol->setSymbol(symbol);
    m_statusSymbol->setTone(tone);
    m_statusSymbol->setVisible(!symbol.isEmpty());
}
