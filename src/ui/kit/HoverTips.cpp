#include "ui/kit/HoverTips.h"

#include "ui/kit/TipPanel.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int restMs = 350;
constexpr const char* hoveringProperty = "leaflowTipHovering";

bool hovering(const QWidget* widget)
{
    return widget->property(hoveringProperty).toBool();
}

class TipFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::ToolTip: return true;
        case QEvent::Enter:
            if (!widget->toolTip().isEmpty()) {
                entered(widget);
            }
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (hovering(widget)) {
                widget->setProperty(hoveringProperty, false);
                TipPanel::shared()->orderOut();
            }
            break;
        default: break;
        }
        return false;
    }

private:
    static void entered(QWidget* widget)
    {
        widget->setProperty(hoveringProperty, true);
        // Each rest waits on its own: it shows its widget's tip only if that widget
        // is still under the pointer, so quick passes over several widgets show nothing stale.
        QTimer::singleShot(restMs, widget, [widget] {
            if (hovering(widget) && widget->isVisible() && !widget->toolTip().isEmpty()) {
                TipPanel::shared()->showText(widget->toolTip());
            }
        });
    }
};

} // namespace

namespace HoverTips {

void install()
{
    static QPointer<TipFilter> filter;
    if (!filter && qApp) {
        filter = new TipFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace HoverTips

void tip(QWidget* widget, const QString& text)
{
    HoverTips::install();
    widget->setToolTip(text);
}
