#pragma once

#include <QString>
#include <QStringList>

// A document with everything besides its pages that a user makes, and a plain
// description of those parts read back through qpdf's own helpers.
namespace StructureFixtures {

// Six pages R1-R6 with a form of four filled fields, a nested outline with open and
// closed entries and named destinations, labels i, ii, 1, 2, 3, 4, two attachments and
// three links (to page 6, to a named destination and to a web address).
void writeRich(const QString& path);

// What can break the walks over those parts, one at a time, in a copy of the rich document.
enum class Hostility { outlineLoop, selfParentField, deepNameTree, destinationToNowhere };
void writeHostile(const QString& path, Hostility hostility);

// One line per part: "field <qualified name>=<value>", "outline <indent><title> @<page>[ +]"
// (+ when open), "label <prefix>/<style><number>" per page, "attachment <name>=<bytes>",
// "link <page>-><page or address>", "pages <page objects in the file>".
QStringList describe(const QString& path);

// Sets the value of the text field with that qualified name and writes the file back.
void fill(const QString& path, const QString& qualifiedName, const QString& value);

} // namespace StructureFixtures
