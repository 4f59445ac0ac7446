#include "QuietSeams.h"

QStringList QuietPanels::openPDFs(bool /*multiple*/)
{
    return {};
}

std::optional<QString> QuietPanels::save(const QString& /*suggested*/, const QString& /*directory*/)
{
    return std::nullopt;
}

std::optional<QString> QuietPanels::folder(const QString& /*directory*/)
{
    return std::nullopt;
}

std::optional<QString> QuietPanels::password(const QString& /*path*/,
                                             const std::function<bool(const QString&)>& /*unlock*/)
{
    return std::nullopt;
}

std::optional<QString> QuietPanels::openImage()
{
    return std::nullopt;
}

void QuietReveal::reveal(const QStringList& /*paths*/, Failed /*failed*/) {}

void QuietReveal::open(const QString& /*path*/, Failed /*failed*/) {}
