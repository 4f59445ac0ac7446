#pragma once

#include <QString>
#include <QStringList>

// A document with everything a user makes besides pages, and a description read through qpdf.
namespace StructureFixtures {

// Pages R1-R6 with four filled fields, a nested outline with named destinations, labels
// i, ii, 1-4, two attachments and links to page 6, a named destination and a web address.
// Scanned, its pages show no text.
void writeRich(const QString& path, bool scanned = false);

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
