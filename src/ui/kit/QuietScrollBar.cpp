#include "ui/kit/QuietScrollBar.h"

#include "ui/kit/Theme.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QScrollBar>

namespace {

QString rgba(QColor color, qreal alpha)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(qRound(alpha * 255));
}

// Re-tints the bar whenever the appearance changes.
class Tint : public QObject {
public:
    explicit Tint(QScrollBar* bar) : QObject(bar), m_bar(bar) { apply(); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange) {
            apply();
        }
        return false;
    }

private:
    void apply()
    {
        const QColor ink = Theme::primary(m_bar->palette());
        const QString sheet =
            QStringLiteral(
                "QScrollBar:vertical { background: transparent; width: 11px; margin: 3px 2px 3px "
                "0; }"
                "QScrollBar::handle:vertical { background: %1; border-radius: 3px;"
                " min-height: 32px; margin: 0 1px; }"
                "QScrollBar::handle:vertical:hover { background: %2; }"
                "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical"
                " { background: transparent; }")
                .arg(rgba(ink, 0.22), rgba(ink, 0.4));
        if (sheet != m_bar->styleSheet()) {
            m_bar->setStyleSheet(sheet);
        }
    }

    QScrollBar* m_bar;
};

} // namespace

void quietScrollBar(QAbstractScrollArea* area)
{
    QScrollBar* bar = area->verticalScrollBar();
    bar->installEventFilter(new Tint(bar));
}
