#pragma once

#include <QString>
#include <functional>

// Tells the user something through the desktop, for moments when no window of ours is in sight.
class Notifier {
public:
    // Run when the user picks the notification's action.
    using Action = std::function<void()>;

    virtual ~Notifier() = default;
    // `show`, when given, is offered as the notification's action ("Göster").
    virtual void notify(const QString& summary, const QString& body, Action show) = 0;
};
