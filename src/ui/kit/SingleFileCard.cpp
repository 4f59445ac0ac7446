#include "ui/kit/SingleFileCard.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PageThumb.h"
#include "ui/kit/Theme.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

SingleFileCard::SingleFileCard(const PDFFile& file, const FileDisplay& display, QWidget* parent)
    : Card(16, parent), m_other(new Button(tr("Başka dosya…"), Button::Kind::bordered, this)),
      m_remove(new Button(QString(), Button::Kind::borderless, this))
{
    auto* body = new QWidget(this);
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);

    auto* thumb = new PageThumb(file, 0, 60, display.thumbnail, body);
    thumb->setFixedSize(44, 58);
    row->addWidget(thumb);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    auto* name = new ElidedLabel(QFileInfo(file.source.path).fileName(), TextStyle::headline,
                                 Tone::primary, Qt::ElideMiddle, body);
    name->setObjectName(QStringLiteral("name"));
    auto* details = Labels::text(display.details(file), TextStyle::callout, Tone::secondary, body);
    details->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    details->setObjectName(QStringLiteral("details"));
    column->addStretch(1);
    column->addWidget(name);
    column->addWidget(details);
    column->addStretch(1);
    row->addLayout(column, 1);

    row->addWidget(m_other, 0, Qt::AlignVCenter);
    m_remove->setSymbol(QStringLiteral("xmark.circle.fill"), 15, Tone::secondary);
    // The card is the file to a screen reader; its buttons say what they act on.
    Accessible::setRole(this, QAccessible::Grouping);
    setAccessibleName(display.spoken(file));
    m_remove->setAccessibleName(
        tr("%1 dosyasını kaldır").arg(QFileInfo(file.source.path).fileName()));
    tip(m_remove, tr("Dosyayı kaldır"));
    row->addWidget(m_remove, 0, Qt::AlignVCenter);
    layout()->addWidget(body);

    connect(m_other, &QAbstractButton::clicked, this, &SingleFileCard::openRequested);
    connect(m_remove, &QAbstractButton::clicked, this, &SingleFileCard::clearRequested);
}
