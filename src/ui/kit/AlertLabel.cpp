#include "ui/kit/AlertLabel.h"

#include "ui/kit/Accessible.h"

#include <QAccessibleWidget>

namespace {

// The line as static text, or as an alert while it holds one.
class AlertAccess : public QAccessibleWidget {
public:
    explicit AlertAccess(AlertLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        return static_cast<AlertLabel*>(widget())->isAlert() ? QAccessible::AlertMessage
                                                             : QAccessible::StaticText;
    }
};

} // namespace

AlertLabel::AlertLabel(TextStyle style, Tone tone, QWidget* parent)
    : ToneLabel(QString(), style, tone, parent)
{
    Accessible::provide("AlertLabel", [](QObject* object) -> QAccessibleInterface* {
        return new AlertAccess(static_cast<AlertLabel*>(object));
    });
    setTextFormat(Qt::PlainText);
    hide();
}

void AlertLabel::setMessage(const QString& message, bool alert)
{
    m_alert = alert && !message.isEmpty();
    if (!m_alert) {
        m_spoken.clear();
    }
    setText(message);
    setAccessibleName(message);
    setVisible(!message.isEmpty());
    announce();
}

void AlertLabel::showEvent(QShowEvent* event)
{
    ToneLabel::showEvent(event);
    announce();
}

void AlertLabel::announce()
{
    if (m_alert && isVisible() && text() != m_spoken) {
        m_spoken = text();
        Accessible::alert(this);
    }
}
