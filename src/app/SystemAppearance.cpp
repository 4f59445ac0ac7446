#include "app/SystemAppearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr int portalTimeoutMs = 400;

// The freedesktop setting: 0 no preference, 1 prefer dark, 2 prefer light.
std::optional<uint> portalColorScheme()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                       QStringLiteral("/org/freedesktop/portal/desktop"),
                                       QStringLiteral("org.freedesktop.portal.Settings"),
                                       QStringLiteral("Read"));
    call << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    const QDBusMessage answer = bus.call(call, QDBus::Block, portalTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty()) {
        return std::nullopt;
    }
    // The value arrives wrapped in one or two variants, depending on the portal's version.
    QVariant value = answer.arguments().constFirst();
    while (value.canConvert<QDBusVariant>() &&
           value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok ? std::optional<uint>(scheme) : std::nullopt;
}

} // namespace

Appearance systemAppearance()
{
    if (const std::optional<uint> scheme = portalColorScheme()) {
        if (*scheme == 1) {
            return Appearance::dark;
        }
        if (*scheme == 2) {
            return Appearance::light;
        }
    }
    if (qEnvironmentVariable("GTK_THEME").endsWith(QLatin1String(":dark"))) {
        return Appearance::dark;
    }
    return Theme::isDark(QGuiApplication::palette()) ? Appearance::dark : Appearance::light;
}
