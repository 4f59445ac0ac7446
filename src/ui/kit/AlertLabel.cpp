#include "AlertLabel.h"

#include "Accessible.h"

AlertLabel::AlertLabel(TextStyle style, Tone tone, QWidget* parent)
    : ToneLabel(QString(), style, tone, parent)
{
    Accessible::setRole(this, QAccessible::AlertMessage);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    hide();
}

void AlertLabel::setMessage(const QString& message)
{
    setText(message);
    setAccessibleName(message);
    if (message.isEmpty()) {
        m_spoken.clear();
    }
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
    if (isVisible() && !text().isEmpty() && text() != m_spoken) {
        m_spoken = text();
        Accessible::alert(this);
    }
}
