#pragma once

#include "core/AppLanguage.h"
#include "core/ToolOptions.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// The settings file itself, read afresh each time so another process's write is seen; writing
// an invalid value removes the key.
namespace SettingsFile {
QVariant value(const QString& key);
void setValue(const QString& key, const QVariant& value);
} // namespace SettingsFile

// How a value of type T is kept in the settings file; decode gives nothing for a stored value
// it cannot read, so the setting's default applies.
template <typename T>
struct SettingFormat;

template <>
struct SettingFormat<bool> {
    static std::optional<bool> decode(const QVariant& stored);
    static QVariant encode(bool value) { return value; }
};

template <>
struct SettingFormat<QString> {
    static std::optional<QString> decode(const QVariant& stored);
    static QVariant encode(const QString& value) { return value; }
};

// A moment, written in ISO 8601 in UTC.
template <>
struct SettingFormat<QDateTime> {
    static std::optional<QDateTime> decode(const QVariant& stored);
    static QVariant encode(const QDateTime& value);
};

// An enumeration kept as its raw value; only an exact raw value reads back.
template <typename E, QString (*raw)(E), std::optional<E> (*parse)(const QString&)>
struct RawValueFormat {
    static std::optional<E> decode(const QVariant& stored) { return parse(stored.toString()); }
    static QVariant encode(E value) { return raw(value); }
};

template <>
struct SettingFormat<CompressionLevel> : RawValueFormat<CompressionLevel, ToolOptions::rawValue,
                                                        ToolOptions::compressionLevelFromRawValue> {
};

// The language is a list of codes, most wanted first, as the desktop's own preference lists are:
// the first entry counts by its first two letters; system is kept as no list at all.
template <>
struct SettingFormat<AppLanguage> {
    static std::optional<AppLanguage> decode(const QVariant& stored);
    static QVariant encode(AppLanguage value);
};

// One setting: its key, the type it is read as, and what an absent or unreadable one reads as.
template <typename T>
class Setting {
public:
    Setting(QString key, T fallback) : m_key(std::move(key)), m_fallback(std::move(fallback)) {}

    const QString& key() const { return m_key; }
    // The stored value, when there is one that reads.
    std::optional<T> stored() const { return SettingFormat<T>::decode(SettingsFile::value(m_key)); }
    T value() const { return stored().value_or(m_fallback); }
    void set(const T& value) const
    {
        SettingsFile::setValue(m_key, SettingFormat<T>::encode(value));
    }
    // Puts back `previous` exactly as stored() gave it: a value, or none.
    void restore(const std::optional<T>& previous) const
    {
        SettingsFile::setValue(m_key, previous ? SettingFormat<T>::encode(*previous) : QVariant());
    }

private:
    QString m_key;
    T m_fallback;
};

// Settings of one kind kept under one prefix, one per name ("saveFolder/merge").
template <typename T>
class SettingFamily {
public:
    SettingFamily(QString prefix, T fallback)
        : m_prefix(std::move(prefix)), m_fallback(std::move(fallback))
    {
    }

    Setting<T> operator[](const QString& name) const { return {m_prefix + name, m_fallback}; }

private:
    QString m_prefix;
    T m_fallback;
};

// Every setting the application keeps. The keys and stored forms are those earlier versions
// wrote, so a settings file a user already has reads the same.
namespace Settings {

// The key of the page the window shows; the window opens its first page for one it lacks.
inline const Setting<QString> section{QStringLiteral("section"), QString()};
inline const Setting<AppLanguage> language{QStringLiteral("AppleLanguages"), AppLanguage::system};
inline const Setting<bool> revealAfter{QStringLiteral("revealAfter"), false};
inline const Setting<bool> noticeMuted{QStringLiteral("backgroundNoticeMuted"), false};
// The raw value of the settings pane last shown; the window reads it.
inline const Setting<QString> settingsPane{QStringLiteral("settingsPane"), QString()};
// The folder each tool (by its key) last saved into.
inline const SettingFamily<QString> saveFolder{QStringLiteral("saveFolder/"), QString()};
inline const Setting<CompressionLevel> compressionLevel{QStringLiteral("compressionLevel"),
                                                        CompressionLevel::balanced};
// Text recognition's languages, their codes joined by "+" ("eng+tur"); none stored means the
// interface language's default.
inline const Setting<QString> ocrLanguages{QStringLiteral("ocrLanguages"), QString()};
inline const Setting<bool> ocrTurnPages{QStringLiteral("ocrTurnPages"), false};
inline const Setting<bool> automaticUpdateChecks{QStringLiteral("automaticUpdateChecks"), true};
// When the last update check started; invalid when none has.
inline const Setting<QDateTime> lastUpdateCheck{QStringLiteral("lastUpdateCheck"), QDateTime()};

} // namespace Settings
