#include "update/UpdateAddress.h"

#include <QHostAddress>

namespace {

bool loopback(const QString& host)
{
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
           QHostAddress(host).isLoopback();
}

} // namespace

namespace UpdateAddress {

bool allowed(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty()) {
        return false;
    }
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("https") ||
           (scheme == QLatin1String("http") && loopback(url.host()));
}

bool redirectAllowed(const QUrl& from, const QUrl& to)
{
    return to.scheme().compare(from.scheme(), Qt::CaseInsensitive) == 0 && allowed(to);
}

} // namespace UpdateAddress
