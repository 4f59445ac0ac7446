#include "core/Settings.h"

#include <QSettings>

namespace SettingsFile {

QVariant value(const QString& key)
{
    return QSettings().value(key);
}

void setValue(const QString& key, const QVariant& value)
{
    QSettings settings;
    if (value.isValid()) {
        settings.setValue(key, value);
    } else {
        settings.remove(key);
    }
}

} // namespace SettingsFile

std::optional<bool> SettingFormat<bool>::decode(const QVariant& stored)
{
    switch (stored.typeId()) {
    case QMetaType::Bool: return stored.toBool();
    case QMetaType::QString: {
        // The settings file holds text; anything but these four is no answer at all.
        const QString text = stored.toString().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1")) {
            return true;
        }
        if (text == QLatin1String("false") || text == QLatin1String("0")) {
            return false;
        }
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<QString> SettingFormat<QString>::decode(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return stored.toString();
}

std::optional<QDateTime> SettingFormat<QDateTime>::decode(const QVariant& stored)
{
    const QDateTime moment = QDateTime::fromString(stored.toString(), Qt::ISODate);
    if (!moment.isValid()) {
        return std::nullopt;
    }
    return moment;
}

QVariant SettingFormat<QDateTime>::encode(const QDateTime& value)
{
    return value.toUTC().toString(Qt::ISODate);
}

std::optional<AppLanguage> SettingFormat<AppLanguage>::decode(const QVariant& stored)
{
    // A one-entry list comes back from the file as plain text.
    if (stored.typeId() != QMetaType::QStringList && stored.typeId() != QMetaType::QString &&
        stored.typeId() != QMetaType::QVariantList) {
        return std::nullopt;
    }
    const QStringList list = stored.toStringList();
    if (list.isEmpty()) {
        return std::nullopt;
    }
    return AppLanguages::fromCode(list.first());
}

QVariant SettingFormat<AppLanguage>::encode(AppLanguage value)
{
    if (value == AppLanguage::system) {
        return {};
    }
    return QStringList{AppLanguages::rawValue(value)};
}
