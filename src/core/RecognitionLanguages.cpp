#include "core/RecognitionLanguages.h"

namespace RecognitionLanguages {

const QStringList& known()
{
    static const QStringList codes{QStringLiteral("eng"), QStringLiteral("spa"),
                                   QStringLiteral("tur")};
    return codes;
}

QStringList defaults(AppLanguage interface)
{
    switch (interface) {
    case AppLanguage::tr: return {QStringLiteral("eng"), QStringLiteral("tur")};
    case AppLanguage::es: return {QStringLiteral("eng"), QStringLiteral("spa")};
    case AppLanguage::en:
    case AppLanguage::system: break;
    }
    return {QStringLiteral("eng")};
}

QStringList ordered(const QStringList& chosen)
{
    QStringList codes;
    for (const QString& code : known()) {
        if (chosen.contains(code)) {
            codes.append(code);
        }
    }
    return codes;
}

} // namespace RecognitionLanguages
