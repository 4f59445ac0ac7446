#include "Panels.h"
#include "Store.h"

#include <QFileInfo>
#include <algorithm>

QList<PDFEngine::SignItem> Store::signItems() const
{
    QList<PDFEngine::SignItem> items;
    for (const Placement& placement : m_placements) {
        const auto signature =
            std::find_if(m_data.signatures.cbegin(), m_data.signatures.cend(),
                         [&placement](const SavedSignature& s) { return s.id == placement.signatureID; });
        if (signature == m_data.signatures.cend()) {
            continue; // deleted from the library
        }
        // An image signature whose file is gone has nothing to stamp.
        if (std::optional<SignatureArt> art = m_library.art(*signature)) {
            items.append(PDFEngine::SignItem{placement.page, placement.rect, std::move(*art)});
        }
    }
    return items;
}

void Store::runSign()
{
    if (!m_signFile) {
        return;
    }
    QList<PDFEngine::SignItem> items = signItems();
    if (items.isEmpty()) {
        return;
    }
    const QString suggested =
        QFileInfo(m_signFile->source.url).completeBaseName() + QLatin1Char(' ') + tr("imzalı");
    const std::optional<QString> destination = m_panels.save(suggested);
    if (!destination) {
        return;
    }
    ToolRequest request;
    request.tool = AppSection::sign;
    request.sources = {m_signFile->source};
    request.destination = *destination;
    request.signItems = std::move(items);
    perform(AppSection::sign, {*m_signFile}, request);
}
