#include "tools/sign/SignTool.h"

#include "store/Dialogs.h"
#include "store/PlacementMath.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>
#include <algorithm>

SignTool::SignTool(Store& store) : ToolModel(store)
{
    // A signature deleted from the library takes its placements with it.
    connect(&store, &Store::signatureDeleted, this, [this](const QUuid& id) {
        QList<Placement> kept = m_placements;
        kept.removeIf([&id](const Placement& p) { return p.signatureID == id; });
        setPlacements(kept);
    });
}

QString SignTool::title() const
{
    return QCoreApplication::translate("SectionText", "İmzala");
}

QString SignTool::feature() const
{
    return QCoreApplication::translate("AboutView",
                                       "İmzanı çiz ya da görselden al, sayfaya yerleştir");
}

QString SignTool::subtitle() const
{
    return QCoreApplication::translate("SectionText",
                                       "İmzanı çiz ya da görselden al, sayfaya yerleştir.");
}

void SignTool::setSignFile(const std::optional<PDFFile>& file)
{
    if (!PDFFiles::same(file, m_signFile)) {
        m_signFile = file;
        notify(&SignTool::signFileChanged);
    }
}

void SignTool::setSignPage(int page)
{
    if (page != m_signPage) {
        m_signPage = page;
        notify(&SignTool::signPageChanged);
    }
}

void SignTool::setPlacements(const QList<Placement>& placements)
{
    if (placements != m_placements) {
        m_placements = placements;
        notify(&SignTool::placementsChanged);
    }
}

void SignTool::setSelectedPlacement(const std::optional<QUuid>& id)
{
    if (id != m_selectedPlacement) {
        m_selectedPlacement = id;
        notify(&SignTool::selectedPlacementChanged);
    }
}

QList<PDFFile> SignTool::inputs() const
{
    return PDFFiles::listed(m_signFile);
}

void SignTool::take(const QStringList& paths, const Admit& admit)
{
    if (std::optional<PDFFile> file = admit(paths.first())) {
        setSignFile(file);
        setSignPage(0);
        setPlacements({});
        setSelectedPlacement(std::nullopt);
    }
}

void SignTool::clear()
{
    setSignFile(std::nullopt);
    setPlacements({});
    setSelectedPlacement(std::nullopt);
    setSignPage(0);
}

void SignTool::place(const SavedSignature& signature)
{
    if (!m_signFile) {
        return;
    }
    const auto onPage = std::count_if(m_placements.cbegin(), m_placements.cend(),
                                      [this](const Placement& p) { return p.page == m_signPage; });
    Placement placement;
    placement.id = QUuid::createUuid();
    placement.signatureID = signature.id;
    placement.page = m_signPage;
    placement.rect =
        PlacementMath::placed(m_signFile->displaySize(m_signPage), signature.aspect, onPage);
    setPlacements(m_placements + QList<Placement>{placement});
    setSelectedPlacement(placement.id);
}

void SignTool::movePlacement(const QUuid& id, const QRectF& start, QPointF translation)
{
    updatePlacement(id, PlacementMath::moved(start, translation));
}

void SignTool::resizePlacement(const QUuid& id, const QRectF& start, QPointF translation)
{
    // Proportions are kept, so only the horizontal part of the drag counts.
    updatePlacement(id, PlacementMath::resized(start, translation.x()));
}

void SignTool::updatePlacement(const QUuid& id, const QRectF& rect)
{
    const auto found = std::find_if(m_placements.cbegin(), m_placements.cend(),
                                    [&id](const Placement& p) { return p.id == id; });
    if (found == m_placements.cend()) {
        return; // removed while it was being dragged
    }
    QList<Placement> placements = m_placements;
    placements[std::distance(m_placements.cbegin(), found)].rect = rect;
    setPlacements(placements);
}

void SignTool::removePlacement(const QUuid& id)
{
    QList<Placement> kept = m_placements;
    kept.removeIf([&id](const Placement& p) { return p.id == id; });
    setPlacements(kept);
    setSelectedPlacement(std::nullopt);
}

std::optional<PreparedRun> SignTool::prepare()
{
    if (!m_signFile) {
        return std::nullopt;
    }
    QList<PDFEngine::SignItem> items = signItems();
    if (items.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<QString> destination = store().dialogs().save(
        ToolRun::suggestedName(*m_signFile, QCoreApplication::translate("Store", "imzalı")),
        ToolRun::startFolder(key(), {*m_signFile}));
    if (!destination) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::SignJob{m_signFile->source, std::move(items), *destination},
                       {*m_signFile}};
}

QList<PDFEngine::SignItem> SignTool::signItems() const
{
    const QList<SavedSignature>& signatures = store().data().signatures;
    QList<PDFEngine::SignItem> items;
    for (const Placement& placement : m_placements) {
        const auto signature = std::find_if(signatures.cbegin(), signatures.cend(),
                                            [&placement](const SavedSignature& s) {
                                                return s.id == placement.signatureID;
                                            });
        if (signature == signatures.cend()) {
            continue; // deleted from the library
        }
        // An image signature whose file is gone has nothing to stamp.
        if (std::optional<SignatureArt> art = store().signatureArt(*signature)) {
            items.append(PDFEngine::SignItem{placement.page, placement.rect, std::move(*art)});
        }
    }
    return items;
}
