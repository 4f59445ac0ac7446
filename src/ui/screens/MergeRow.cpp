#include "ui/screens/MergeRow.h"

#include "tools/merge/MergeTool.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/RoundedField.h"
#include "ui/kit/Theme.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int fieldWidth = 150;

} // namespace

MergeRow::MergeRow(const PDFFile& file, int index, const FileDisplay& display, QWidget* parent)
    : FileRow(file, index, display, parent), m_field(new QLineEdit),
      m_error(new AlertLabel(TextStyle::caption))
{
    m_field->setPlaceholderText(tr("Sayfalar: tümü"));
    m_field->setAccessibleName(tr("%1 sayfaları").arg(QFileInfo(file.source.path).fileName()));
    m_field->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    auto* frame = new RoundedField(m_field);
    frame->setFixedWidth(fieldWidth);
    addControl(frame);
    m_error->setObjectName(QStringLiteral("rangeError"));
    m_error->setWordWrap(true);
    addNote(m_error);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textEdited, this, &MergeRow::rangeEdited);
}

void MergeRow::showPages(const QString& ranges, const MergePages& pages)
{
    if (m_field->text() != ranges) {
        m_field->setText(ranges);
    }
    const bool chosen = !ranges.trimmed().isEmpty() && pages.error.isEmpty();
    setChosenPages(chosen ? std::optional(pages.count) : std::nullopt);
    m_error->setMessage(pages.error);
    if (m_field->accessibleDescription() != pages.error) {
        m_field->setAccessibleDescription(pages.error);
    }
}

bool MergeRow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Up || key == Qt::Key_Down;
    }
    return FileRow::eventFilter(watched, event);
}
