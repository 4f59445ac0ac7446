#pragma once

#include <QString>
#include <QStringList>

// A document with everything besides its pages that a user makes, and a plain
// description of those parts read back through qpdf's own helpers.
namespace StructureFixtures {

// Six pages R1-R6 with: a form (text "name" = "Ayşe" on page 1, check box
// "agree" on on page 2, choice "city" = "Ankara" on page 3, text
// "address.street" = "Kordon" on page 5); the outline
//   Bölüm 1 (open, page 1) > 1.1 (named "sec11", page 2), 1.2 (page 3)
//   Bölüm 2 (closed, page 4) > 2.1 (GoTo named "sec21", page 5), 2.2 (page 6)
// page labels i, ii, 1, 2, 3, 4; attachments notlar.txt and veri.csv; links
// on page 1 to page 6, on page 4 to "sec11", on page 6 to a web address.
// With photo, page 1 also shows a large JPEG photograph that compression can shrink.
void writeRich(const QString& path, bool photo = false);

// What can break the walks over those parts, one at a time, in a copy of the rich document.
enum class Hostility { outlineLoop, selfParentField, deepNameTree, destinationToNowhere };
void writeHostile(const QString& path, Hostility hostility);

// One line per part: "field <qualified name>=<value>", "outline <indent><title> @<page>[ +]"
// (+ when open), "label <label>" per page, "attachment <name>=<bytes>",
// "link <page>-><page or address>", "pages <page objects in the file>".
QStringList describe(const QString& path);

// Sets the value of the text field with that qualified name and writes the file back.
void fill(const QString& path, const QString& qualifiedName, const QString& value);

} // namespace StructureFixtures
