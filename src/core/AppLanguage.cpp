#include "core/AppLanguage.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace AppLanguages {

namespace {

// The language whose catalogue is installed; a choice stored since then takes
// effect only at the next start, for the words and the numbers alike.
std::optional<AppLanguage>& installed()
{
    static std::optional<AppLanguage> language;
    return language;
}

// The stored choice when this process installed its catalogues.
std::optional<AppLanguage>& startChoice()
{
    static std::optional<AppLanguage> language;
    return language;
}

QLocale::Language qtLanguage(AppLanguage language)
{
    switch (language) {
    case AppLanguage::en: return QLocale::English;
    case AppLanguage::es: return QLocale::Spanish;
    case AppLanguage::tr:
    case AppLanguage::system: break;
    }
    return QLocale::Turkish;
}

// Installs the catalogue at `path` under `name`, replacing the one installed before rather
// than stacking another on top; an empty or unreadable path leaves none.
void replaceCatalogue(QCoreApplication& app, const QString& name, const QString& path)
{
    if (auto* previous = app.findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(previous);
        previous->deleteLater();
        previous->setObjectName(QString());
    }
    if (path.isEmpty()) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path)) {
        return;
    }
    translator->setObjectName(name);
    translator->setParent(&app);
    QCoreApplication::installTranslator(translator.release());
}

} // namespace

QString rawValue(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system: return QStringLiteral("system");
    case AppLanguage::en: return QStringLiteral("en");
    case AppLanguage::tr: return QStringLiteral("tr");
    case AppLanguage::es: return QStringLiteral("es");
    }
    return {};
}

std::optional<AppLanguage> fromRawValue(const QString& raw)
{
    for (AppLanguage language :
         {AppLanguage::system, AppLanguage::en, AppLanguage::tr, AppLanguage::es}) {
        if (rawValue(language) == raw) {
            return language;
        }
    }
    return std::nullopt;
}

std::optional<AppLanguage> fromCode(const QString& code)
{
    const auto language = fromRawValue(code.left(2));
    if (language == AppLanguage::system) {
        return std::nullopt;
    }
    return language;
}

AppLanguage selected()
{
    return Settings::language.value();
}

void select(AppLanguage language)
{
    Settings::language.set(language);
}

AppLanguage effective()
{
    return effective(QLocale::system().uiLanguages());
}

AppLanguage effective(const QStringList& systemLanguages)
{
    if (const AppLanguage chosen = selected(); chosen != AppLanguage::system) {
        return chosen;
    }
    for (const QString& code : systemLanguages) {
        if (const auto language = fromCode(code)) {
            return *language;
        }
    }
    // A desktop in a language we do not speak reads English more widely than Turkish.
    return AppLanguage::en;
}

void installTranslator(QCoreApplication& app)
{
    startChoice() = selected();
    installTranslator(app, effective());
}

AppLanguage startedWith()
{
    return startChoice().value_or(selected());
}

void installTranslator(QCoreApplication& app, AppLanguage language)
{
    if (language == AppLanguage::system) {
        language = effective();
    }
    installed() = language;
    QLocale::setDefault(locale());
    // Ours: Turkish has one too, for the words of this platform. Qt's own (file dialogs,
    // standard buttons, text-field menus) speaks the same language; its source is English.
    replaceCatalogue(app, QStringLiteral("leaflow-translations"),
                     QStringLiteral(":/i18n/leaflow_%1.qm").arg(rawValue(language)));
    replaceCatalogue(app, QStringLiteral("qt-translations"),
                     language == AppLanguage::en
                         ? QString()
                         : QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                               QStringLiteral("/qtbase_%1.qm").arg(rawValue(language)));
}

AppLanguage current()
{
    return installed().value_or(effective());
}

QLocale locale()
{
    const QLocale::Language language = qtLanguage(current());
    // The user's own region keeps its conventions when it speaks the same language. Qt's data
    // for that region is taken rather than the system locale itself, whose numbers may follow
    // another setting (LANGUAGE=tr with LANG=C gives Turkish words and C's decimal point).
    const QLocale system = QLocale::system();
    return system.language() == language ? QLocale(system.name()) : QLocale(language);
}

} // namespace AppLanguages
