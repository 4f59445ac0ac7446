#include "ui/kit/EmptyState.h"

#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"

#include <QVBoxLayout>

namespace {

constexpr int symbolSide = 40;
constexpr int textWidth = 340;

} // namespace

EmptyState::EmptyState(const QString& symbol, const QString& label, const QString& description,
                       QWidget* parent)
    : QWidget(parent), m_symbol(new SymbolView(symbol, symbolSide, Tone::secondary)),
      m_label(Labels::text(label, TextStyle::title2, Tone::primary)),
      m_description(Labels::text(description, TextStyle::callout, Tone::secondary))
{
    m_symbol->setWeight(SymbolWeight::light);
    m_label->setFont(Theme::font(TextStyle::title2, QFont::Bold));
    m_label->setAlignment(Qt::AlignHCenter);
    m_description->setAlignment(Qt::AlignHCenter);
    m_description->setWordWrap(true);
    m_description->setFixedWidth(textWidth);
    m_description->setMinimumHeight(m_description->heightForWidth(textWidth));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(0);
    column->addStretch(1);
    column->addWidget(m_symbol, 0, Qt::AlignHCenter);
    column->addSpacing(14);
    column->addWidget(m_label, 0, Qt::AlignHCenter);
    column->addSpacing(6);
    column->addWidget(m_description, 0, Qt::AlignHCenter);
    column->addStretch(1);
    // Sits a little above the middle, where the eye expects it in a tall page.
    column->addSpacing(40);

    setAccessibleName(label);
    setAccessibleDescription(description);
}
