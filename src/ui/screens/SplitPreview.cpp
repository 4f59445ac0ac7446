#include "ui/screens/SplitPreview.h"

#include "core/AppLanguage.h"
#include "core/FittedName.h"
#include "core/Formatting.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

SplitPreview::SplitPreview(int shown, QWidget* parent)
    : Card(16, parent), m_shown(shown), m_lines(new QVBoxLayout), m_failure(new QWidget),
      m_message(new AlertLabel(TextStyle::callout))
{
    m_message->setWordWrap(true);
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(Labels::overline(tr("Oluşacak dosyalar")));
    m_lines->setContentsMargins(0, 0, 0, 0);
    m_lines->setSpacing(5);
    column->addLayout(m_lines);
    // The one message line stays while the ranges are typed, so that a screen reader speaks a
    // reason once rather than at every key.
    auto* failure = new QHBoxLayout(m_failure);
    failure->setContentsMargins(0, 0, 0, 0);
    failure->setSpacing(8);
    failure->addWidget(new SymbolView(QStringLiteral("info.circle"), 14, Tone::down), 0,
                       Qt::AlignTop);
    failure->addWidget(m_message, 1);
    m_failure->hide();
    column->addWidget(m_failure);
    layout()->addWidget(body);
}

void SplitPreview::showOutcome(const QString& fileName, const SplitOutcome& outcome)
{
    clearLines();
    m_message->setMessage(outcome.error);
    m_failure->setVisible(!outcome.error.isEmpty());
    if (!outcome.error.isEmpty()) {
        m_texts << outcome.error;
        return;
    }
    const Grouping& groups = outcome.groups;
    const QString stem = QFileInfo(fileName).completeBaseName();
    const qint64 listed = std::min<qint64>(groups.size(), m_shown);
    for (qint64 index = 0; index < listed; ++index) {
        addName(fittedName(stem, u' ' + groupLabel(groups.at(index))) + QStringLiteral(".pdf"));
    }
    if (groups.size() > listed) {
        addOverflow(groups.size() - listed);
    }
}

QStringList SplitPreview::lines() const
{
    return m_texts;
}

void SplitPreview::clearLines()
{
    while (QLayoutItem* item = m_lines->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    m_texts.clear();
}

void SplitPreview::addName(const QString& name)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new SymbolView(QStringLiteral("doc"), 13, Tone::secondary));
    auto* label = new ElidedLabel(name, TextStyle::callout, Tone::primary, Qt::ElideMiddle);
    label->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    layout->addWidget(label, 1);
    m_lines->addWidget(row);
    m_texts << name;
}

void SplitPreview::addOverflow(qint64 hidden)
{
    const QString text =
        tr("ve %1 dosya daha").arg(Formatting::count(hidden, AppLanguages::locale()));
    auto* label = Labels::text(text, TextStyle::callout, Tone::secondary);
    label->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    label->setContentsMargins(21, 2, 0, 0);
    m_lines->addWidget(label);
    m_texts << text;
}
