#pragma once

#include "AppSection.h"

#include <QString>

// What the screens show for each section: its title (also the tool's name), subtitle and symbol.
namespace SectionText {
QString title(AppSection section);
QString subtitle(AppSection section);
QString symbol(AppSection section);
} // namespace SectionText
