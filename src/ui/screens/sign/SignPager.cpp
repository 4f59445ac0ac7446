#include "ui/screens/sign/SignPager.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/sign/SignTool.h"
#include "ui/kit/Accessible.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"

#include <QHBoxLayout>

SignPager::SignPager(SignTool& tool, QWidget* parent)
    : QWidget(parent), m_tool(tool), m_store(tool.store()),
      m_previous(new Button(QString(), Button::Kind::bordered)),
      m_page(Labels::text(QString(), TextStyle::body)),
      m_next(new Button(QString(), Button::Kind::bordered)),
      m_count(Labels::text(QString(), TextStyle::caption, Tone::secondary))
{
    m_previous->setSymbol(QStringLiteral("chevron.left"));
    m_previous->setAccessibleName(tr("Önceki sayfa"));
    tip(m_previous, tr("Önceki sayfa"));
    m_next->setSymbol(QStringLiteral("chevron.right"));
    m_next->setAccessibleName(tr("Sonraki sayfa"));
    tip(m_next, tr("Sonraki sayfa"));

    m_page->setObjectName(QStringLiteral("page"));
    m_count->setObjectName(QStringLiteral("count"));
    m_page->setFont(Theme::monospacedDigits(m_page->font()));
    m_page->setMinimumWidth(labelWidth);
    m_page->setAlignment(Qt::AlignCenter);
    // A screen reader on the arrow buttons hears the page they turned to.
    Accessible::setRole(m_page, QAccessible::AlertMessage);
    m_count->setFont(Theme::monospacedDigits(m_count->font()));
    // The row is centred under the page: the count keeps its room while hidden and for up to
    // two digits, so that it appearing or growing never moves the arrows.
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(countText(88)));
    QSizePolicy keep = m_count->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_count->setSizePolicy(keep);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(m_previous);
    row->addWidget(m_page);
    row->addWidget(m_next);
    row->addWidget(m_count);

    connect(m_previous, &QPushButton::clicked, this, [this] { turn(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { turn(1); });
    for (auto signal :
         {&SignTool::signFileChanged, &SignTool::signPageChanged, &SignTool::placementsChanged}) {
        connect(&m_tool, signal, this, &SignPager::refresh);
    }
    refresh();
}

void SignPager::turn(int by)
{
    Button* pressed = by < 0 ? m_previous : m_next;
    const bool focused = pressed->hasFocus();
    m_tool.setSignPage(m_tool.signPage() + by);
    m_tool.setSelectedPlacement(std::nullopt);
    // At the first or last page the pressed arrow goes dim, and Qt would hand its focus to the
    // library; the other arrow is where the user is.
    Button* other = by < 0 ? m_next : m_previous;
    if (focused && !pressed->isEnabled() && other->isEnabled()) {
        other->setFocus(Qt::OtherFocusReason);
    }
    Accessible::alert(m_page);
}

void SignPager::refresh()
{
    const qint64 pages = m_tool.signFile() ? m_tool.signFile()->pageCount : 0;
    const int page = m_tool.signPage();
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page < pages - 1);
    const QString shown = pageText(page, pages);
    if (shown != m_page->text()) {
        m_page->setText(shown);
        m_page->setAccessibleName(shown);
    }
    const qsizetype placed = m_tool.placements().size();
    m_count->setVisible(placed > 0);
    m_count->setText(countText(placed));
}

QString SignPager::pageText(int page, qint64 pages)
{
    const QLocale locale = AppLanguages::locale();
    return tr("Sayfa %1 / %2")
        .arg(Formatting::count(page + 1, locale), Formatting::count(pages, locale));
}

QString SignPager::countText(qsizetype placed)
{
    return tr("Yerleştirilen imza: %1").arg(Formatting::count(placed, AppLanguages::locale()));
}
