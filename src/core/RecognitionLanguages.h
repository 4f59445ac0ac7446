#pragma once

#include "core/AppLanguage.h"

#include <QStringList>

// The languages text recognition reads, by their recognition codes ("eng", "spa", "tur"), as the
// window and the command line offer them.
namespace RecognitionLanguages {

// Every language offered, in one fixed order, so that the same choice always makes the same job.
const QStringList& known();
// The languages chosen before the user chooses: the interface's own, and English.
QStringList defaults(AppLanguage interface);
// The known codes among chosen, in known()'s order.
QStringList ordered(const QStringList& chosen);

} // namespace RecognitionLanguages
