#include "ui/screens/HistoryRow.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RelativeDate.h"
#include "ui/kit/SymbolView.h"
#include "ui/screens/HistoryDisplay.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int symbolSide = 15;
constexpr int symbolFrame = 24;
constexpr int sidePadding = 8; // with the list's margin, text lines up with the page header
// The row's own 4 above and below, plus the 4 a list row keeps around its content.
constexpr int verticalPadding = 4 + 4;

QString detailText(const HistoryItem& item, const ToolModel* tool, bool missing)
{
    const QString detail =
        missing ? QCoreApplication::translate("HistoryRow", "Dosya taşınmış ya da silinmiş")
                : item.inputs.join(QStringLiteral(", "));
    const std::optional<QString> name = HistoryDisplay::toolName(tool);
    return name ? *name + QStringLiteral(" · ") + detail : detail;
}

// What the magnifier shows, by name when it is one file.
QString revealName(const HistoryItem& item)
{
    if (item.outputs.size() == 1) {
        return QCoreApplication::translate("HistoryRow", "%1 dosyasını dosya yöneticisinde göster")
            .arg(HistoryDisplay::title(item));
    }
    return QCoreApplication::translate("HistoryRow", "%1 dosyayı dosya yöneticisinde göster")
        .arg(Formatting::count(item.outputs.size(), AppLanguages::locale()));
}

} // namespace

HistoryRow::HistoryRow(const HistoryItem& item, const ToolModel* tool, const QDateTime& now,
                       QWidget* parent)
    : FileListRow(parent), m_item(item), m_tool(tool), m_existing(HistoryDisplay::existing(item)),
      m_symbol(new SymbolView(HistoryDisplay::symbol(tool), symbolSide, Tone::secondary)),
      m_title(new ElidedLabel(HistoryDisplay::title(item), TextStyle::body, Tone::primary,
                              Qt::ElideMiddle)),
      m_detail(new ElidedLabel(detailText(item, tool, m_existing.isEmpty()), TextStyle::caption,
                               Tone::secondary, Qt::ElideMiddle)),
      m_sizes(Labels::text(QString(), TextStyle::caption, Tone::primary)),
      m_date(Labels::text(QString(), TextStyle::caption, Tone::secondary)),
      m_reveal(new Button(QString(), Button::Kind::borderless))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(sidePadding, verticalPadding, sidePadding, verticalPadding);
    row->setSpacing(12);

    m_symbol->setFrameSize(QSize(symbolFrame, symbolFrame));
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_title->setObjectName(QStringLiteral("title"));
    m_detail->setObjectName(QStringLiteral("detail"));
    texts->addWidget(m_title);
    texts->addWidget(m_detail);
    row->addLayout(texts, 1);

    auto* facts = new QVBoxLayout;
    facts->setSpacing(2);
    const QLocale locale = AppLanguages::locale();
    m_sizes->setText(QStringLiteral("%1 → %2").arg(Formatting::fileSize(item.bytesBefore, locale),
                                                   Formatting::fileSize(item.bytesAfter, locale)));
    m_sizes->setFont(Theme::monospacedDigits(Theme::font(TextStyle::caption)));
    m_sizes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_sizes->setObjectName(QStringLiteral("sizes"));
    m_date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_date->setObjectName(QStringLiteral("date"));
    facts->addWidget(m_sizes, 0, Qt::AlignRight);
    facts->addWidget(m_date, 0, Qt::AlignRight);
    row->addLayout(facts);

    m_reveal->setSymbol(QStringLiteral("magnifyingglass"), 14, Tone::secondary);
    m_reveal->setObjectName(QStringLiteral("reveal"));
    m_reveal->setAccessibleName(revealName(item));
    tip(m_reveal, tr("Finder'da göster"));
    m_reveal->setEnabled(!m_existing.isEmpty());
    row->addWidget(m_reveal, 0, Qt::AlignVCenter);

    connect(m_reveal, &QAbstractButton::clicked, this,
            [this] { emit revealRequested(HistoryDisplay::existing(m_item)); });
    setNow(now);
}

void HistoryRow::setNow(const QDateTime& now)
{
    m_date->setText(RelativeDate::text(m_item.date, now));
    QStringList spoken{HistoryDisplay::title(m_item), m_date->text()};
    if (const std::optional<QString> tool = HistoryDisplay::toolName(m_tool)) {
        spoken.prepend(*tool);
    }
    if (m_existing.isEmpty()) {
        spoken.append(tr("Dosya taşınmış ya da silinmiş"));
    }
    setAccessibleName(spoken.join(QStringLiteral(", ")));
    tip(m_date, AppLanguages::locale().toString(m_item.date.toLocalTime(), QLocale::LongFormat));
}
