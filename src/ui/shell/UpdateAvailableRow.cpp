#include "ui/shell/UpdateAvailableRow.h"

#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"
#include "update/Updater.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStyleOptionFocusRect>

UpdateAvailableRow::UpdateAvailableRow(Updater& updater, std::function<void()> openSettings,
                                       QWidget* parent)
    : QAbstractButton(parent), m_updater(updater),
      m_label(Labels::text(QString(), TextStyle::caption, Tone::accent, this))
{
    setObjectName(QStringLiteral("updateAvailable"));
    setCursor(Qt::PointingHandCursor);
    // The labels' text role follows this background role; a button's own would make them black.
    setBackgroundRole(QPalette::Window);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 6, 0, 6);
    row->setSpacing(5);
    row->addWidget(
        new SymbolView(QStringLiteral("arrow.down.circle.fill"), 12, Tone::accent, this));
    row->addWidget(m_label);
    row->addStretch(1);
    row->addWidget(Labels::text(tr("Güncelle"), TextStyle::caption, Tone::accent, this));
    connect(this, &QAbstractButton::clicked, this, [open = std::move(openSettings)] { open(); });
    connect(&m_updater, &Updater::changed, this, &UpdateAvailableRow::refresh);
    refresh();
}

QString UpdateAvailableRow::label() const
{
    return m_label->text();
}

void UpdateAvailableRow::paintEvent(QPaintEvent*)
{
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void UpdateAvailableRow::refresh()
{
    const Updater::Phase& phase = m_updater.phase();
    const bool available = phase.kind == Updater::Phase::Kind::available;
    m_label->setText(available ? tr("Yeni sürüm var: %1").arg(phase.version) : QString());
    setAccessibleName(m_label->text());
    setVisible(available);
}
