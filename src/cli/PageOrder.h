#pragma once

#include "cli/CommandLine.h"
#include "engine/include/Job.h"

#include <QList>
#include <QString>
#include <variant>

// The pages organize and extract write, read against the input's page count.
namespace PageOrder {

// Every page of the order (all pages when none is given), each turned by the rotations naming
// it; or the message naming the first piece that does not read, in the split ranges' words.
std::variant<QList<PDFEngine::OrganizedPage>, QString> pages(const CommandLine::Organize& organize,
                                                             qint64 pageCount);

} // namespace PageOrder
