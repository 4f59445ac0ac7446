#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/Retire.h"
#include "engine/structure/Assembly.h"

#include <qpdf/QPDF.hh>

#include <QCoreApplication>
#include <memory>

namespace PDFEngine {

void deletePages(const PDFSource& source, const QSet<int>& marked, const QString& destination,
                 OutputTransaction& outputs, const Share& share,
                 const std::optional<QString>& ranges)
{
    const std::vector<Share> parts =
        share.parts({Effort::open, Effort::copy, Effort::write + Effort::check});
    parts[0].report(0, 1);
    std::unique_ptr<QPDF> pdf = open(source);
    const Failure unreadable(EngineText::openFailed(EngineText::fileName(source.path)));
    std::unique_ptr<SourceDocument> document;
    try {
        document = std::make_unique<SourceDocument>(*pdf, EngineText::fileName(source.path));
    } catch (const std::exception&) {
        throw unreadable;
    }
    const auto count = static_cast<qint64>(document->pages().size());
    QSet<int> removing = marked;
    if (ranges) {
        for (const PageGroup& group : parseRanges(*ranges, count)) {
            for (int index : group) {
                removing.insert(index);
            }
        }
    }
    // The size of the set decides, not how many of its indices exist.
    if (removing.size() >= count) {
        throw Failure(QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."));
    }
    // The kept pages go into a new document, so that nothing of a removed page
    // stays behind through a bookmark, a link or a form field.
    auto output = std::make_unique<Assembly>(Assembly::Bookmarks::asIs);
    std::vector<int> kept;
    for (int index = 0; index < count; ++index) {
        if (!removing.contains(index)) {
            kept.push_back(index);
        }
    }
    try {
        output->add(*document, kept, parts[1].reporter());
    } catch (const std::exception&) {
        throw unreadable;
    }
    const qint64 remaining = output->pageCount();
    write(output->finish(), outputs, destination, remaining, parts[2]);
    retire(std::move(output));
    retire(std::move(document));
    retire(std::move(pdf));
}

} // namespace PDFEngine
