#pragma once

#include <QAbstractButton>
#include <QAccessibleWidget>

// A custom-drawn button to assistive technology: the role it plays, and a press action that
// clicks it as the pointer would.
class ButtonAccess : public QAccessibleWidget {
public:
    ButtonAccess(QAbstractButton* button, QAccessible::Role role) : QAccessibleWidget(button, role)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            button()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

protected:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};
