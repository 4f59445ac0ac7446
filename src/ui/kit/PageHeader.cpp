#include "ui/kit/PageHeader.h"

#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

PageHeader::PageHeader(const PageInfo& page, QWidget* parent)
    : QWidget(parent), m_row(new QHBoxLayout(this))
{
    m_row->setContentsMargins(Metrics::pageSide, Metrics::headerTop, Metrics::pageSide,
                              Metrics::headerBottom);
    m_row->setSpacing(12);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto* title = Labels::text(page.title, TextStyle::title2, Tone::primary, this);
    title->setFont(Theme::font(TextStyle::title2, QFont::DemiBold));
    title->setObjectName(QStringLiteral("title"));
    auto* subtitle = Labels::text(page.subtitle, TextStyle::callout, Tone::secondary, this);
    subtitle->setObjectName(QStringLiteral("subtitle"));
    // Beside a page's own controls at the smallest window a longer translation needs two lines.
    subtitle->setWordWrap(true);
    titles->addWidget(title);
    titles->addWidget(subtitle);

    // The titles take the width the trailing controls leave, so the subtitle wraps only if it must.
    m_row->addLayout(titles, 1);
}

void PageHeader::setTrailing(QWidget* trailing)
{
    if (m_trailing) {
        m_trailing->deleteLater();
        m_row->removeWidget(m_trailing);
    }
    m_trailing = trailing;
    if (trailing) {
        m_row->addWidget(trailing, 0, Qt::AlignVCenter);
    }
}
