#include "AppSection.h"

#include "Settings.h"

namespace AppSections {

QString rawValue(AppSection section)
{
    switch (section) {
    case AppSection::merge: return QStringLiteral("merge");
    case AppSection::split: return QStringLiteral("split");
    case AppSection::compress: return QStringLiteral("compress");
    case AppSection::sign: return QStringLiteral("sign");
    case AppSection::pages: return QStringLiteral("pages");
    case AppSection::history: return QStringLiteral("history");
    }
    return {};
}

std::optional<AppSection> fromRawValue(const QString& raw)
{
    for (AppSection section : all) {
        if (rawValue(section) == raw) {
            return section;
        }
    }
    return std::nullopt;
}

AppSection current()
{
    return Settings::section.value();
}

void setCurrent(AppSection section)
{
    Settings::section.set(section);
    emit changes().changed(section);
}

SectionChanges& changes()
{
    static SectionChanges notifier;
    return notifier;
}

} // namespace AppSections
