#include "ui/kit/FileRow.h"

#include "ui/kit/Badge.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PageThumb.h"
#include "ui/kit/Theme.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

FileRow::FileRow(const PDFFile& file, std::optional<int> index, const FileDisplay& display,
                 QWidget* parent)
    : FileListRow(parent), m_file(file), m_index(index), m_display(display),
      m_row(new QHBoxLayout(this)), m_column(new QVBoxLayout),
      m_remove(new Button(QString(), Button::Kind::borderless, this))
{
    m_row->setContentsMargins(4, 6, 4, 6);
    m_row->setSpacing(10);

    if (index) {
        auto* number =
            Labels::text(QString::number(*index), TextStyle::body, Tone::secondary, this);
        number->setFont(Theme::monospacedDigits(Theme::font(TextStyle::body)));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setFixedWidth(22);
        number->setObjectName(QStringLiteral("index"));
        m_row->addWidget(number);
    }

    auto* thumb = new PageThumb(file, 0, 48, display.thumbnail, this);
    thumb->setFixedSize(36, 46);
    m_row->addWidget(thumb);

    m_column->setSpacing(2);
    auto* name = new ElidedLabel(QFileInfo(file.source.path).fileName(), TextStyle::body,
                                 Tone::primary, Qt::ElideMiddle, this);
    name->setObjectName(QStringLiteral("name"));
    m_details = Labels::text(QString(), TextStyle::caption, Tone::secondary, this);
    m_details->setFont(Theme::monospacedDigits(Theme::font(TextStyle::caption)));
    m_details->setObjectName(QStringLiteral("details"));
    m_column->addStretch(1);
    m_column->addWidget(name);
    m_column->addWidget(m_details);
    m_column->addStretch(1);
    m_row->addLayout(m_column, 1);

    m_remove->setSymbol(QStringLiteral("xmark.circle.fill"), 15, Tone::secondary);
    const QString fileName = QFileInfo(file.source.path).fileName();
    m_remove->setAccessibleName(tr("%1 dosyasını listeden kaldır").arg(fileName));
    tip(m_remove, tr("Listeden çıkar"));
    m_row->addWidget(m_remove);
    connect(m_remove, &QAbstractButton::clicked, this, &FileRow::removeRequested);
    setChosenPages(std::nullopt);
}

void FileRow::setChosenPages(std::optional<qint64> chosen)
{
    m_details->setText(m_display.details(m_file, chosen));
    const QString spoken = m_display.spoken(m_file, chosen);
    m_spoken = m_index ? tr("%1. %2").arg(*m_index).arg(spoken) : spoken;
    describe();
}

void FileRow::addControl(QWidget* control)
{
    m_row->insertWidget(m_row->indexOf(m_remove), control, 0, Qt::AlignVCenter);
}

void FileRow::addNote(QWidget* note)
{
    m_column->insertWidget(m_column->count() - 1, note);
}

void FileRow::describe()
{
    // Said again unchanged, a name would still be announced as a change.
    const QString name = m_badge ? tr("%1, %2").arg(m_spoken, m_badge->text()) : m_spoken;
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
}

void FileRow::setStatus(const std::optional<QString>& status, const QColor& tint)
{
    if (!status) {
        delete m_badge;
        m_badge = nullptr;
        describe();
        return;
    }
    if (!m_badge) {
        m_badge = new Badge(*status, tint, {}, this);
        m_row->insertWidget(m_row->indexOf(m_remove), m_badge, 0, Qt::AlignVCenter);
    }
    m_badge->setText(*status);
    m_badge->setTint(tint);
    describe();
}

void FileRow::setRemovable(bool removable)
{
    m_remove->setEnabled(removable);
}
