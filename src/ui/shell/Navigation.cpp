#include "ui/shell/Navigation.h"

#include "core/Settings.h"

Navigation& Navigation::shared()
{
    static Navigation navigation;
    return navigation;
}

QString Navigation::current()
{
    return Settings::section.value();
}

void Navigation::setCurrent(const QString& page)
{
    Settings::section.set(page);
    emit shared().changed(page);
}
