#include "Navigation.h"

#include <QSettings>

namespace {

const QString key = QStringLiteral("section");

} // namespace

Navigation& Navigation::shared()
{
    static Navigation navigation;
    return navigation;
}

QString Navigation::current()
{
    return QSettings().value(key).toString();
}

void Navigation::setCurrent(const QString& page)
{
    QSettings().setValue(key, page);
    emit shared().changed(page);
}
