#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>

// The six sections of the main window, in sidebar order.
enum class AppSection { merge, split, compress, sign, pages, history };

// Announces each write of the selected section, so windows follow a choice made anywhere.
class SectionChanges : public QObject {
    Q_OBJECT
signals:
    void changed(AppSection section);
};

namespace AppSections {

inline constexpr std::array<AppSection, 6> all = {AppSection::merge,    AppSection::split,
                                                  AppSection::compress, AppSection::sign,
                                                  AppSection::pages,    AppSection::history};
// The five sections that are tools (everything but the history).
inline constexpr std::array<AppSection, 5> tools = {AppSection::merge, AppSection::split,
                                                    AppSection::compress, AppSection::sign,
                                                    AppSection::pages};

QString rawValue(AppSection section);
// Exact, case-sensitive match of a raw value; anything else is absent.
std::optional<AppSection> fromRawValue(const QString& raw);

// The selected section, kept in the settings key "section"; merge when unset or unknown.
AppSection current();
void setCurrent(AppSection section);
// Emits changed after every setCurrent.
SectionChanges& changes();

} // namespace AppSections
