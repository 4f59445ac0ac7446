#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

// The interface language the user chose; system means "follow the system".
enum class AppLanguage { system, en, tr, es };

namespace AppLanguages {

QString rawValue(AppLanguage language);
std::optional<AppLanguage> fromRawValue(const QString& raw);
// The language a code such as "es-MX" names, by its first two letters; none for one we do
// not translate.
std::optional<AppLanguage> fromCode(const QString& code);

// The stored choice (Settings::language); system when none is stored or it names a language we
// do not translate.
AppLanguage selected();
// Stores a choice; system removes the key.
void select(AppLanguage language);

// The language the interface runs in: the stored choice, else the first of the
// system's languages that we translate, else English.
AppLanguage effective();
// The same for a given list of the system's languages, most wanted first.
AppLanguage effective(const QStringList& systemLanguages);

// Installs our catalogue and Qt's own for the effective language into app, and makes
// that language's conventions the default locale.
void installTranslator(QCoreApplication& app);
// The choice stored when this process started (installTranslator above); a choice made
// since then is in force only after a restart.
AppLanguage startedWith();
// The same for a given language: a worker process speaks the language its parent speaks.
void installTranslator(QCoreApplication& app, AppLanguage language);
// The language whose catalogue is installed, else the effective one.
AppLanguage current();

// The conventions of the language the interface speaks (the one installed, else
// the effective one), whatever the system locale is: numbers, sizes,
// percentages and dates are written the way the words around them are.
QLocale locale();

} // namespace AppLanguages
