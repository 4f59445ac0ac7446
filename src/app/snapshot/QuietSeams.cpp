#include "app/snapshot/QuietSeams.h"

QStringList QuietDialogs::openPDFs(bool /*multiple*/)
{
    return {};
}

std::optional<QString> QuietDialogs::save(const QString& /*suggested*/,
                                          const QString& /*directory*/)
{
    return std::nullopt;
}

std::optional<QString> QuietDialogs::folder(const QString& /*directory*/)
{
    return std::nullopt;
}

std::optional<QString> QuietDialogs::password(const QString& /*path*/,
                                              const std::function<bool(const QString&)>& /*unlock*/)
{
    return std::nullopt;
}

std::optional<QString> QuietDialogs::openImage()
{
    return std::nullopt;
}

void QuietReveal::reveal(const QStringList& /*paths*/, Failed /*failed*/) {}

void QuietReveal::open(const QString& /*path*/, Failed /*failed*/) {}
