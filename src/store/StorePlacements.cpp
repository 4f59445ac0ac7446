#include "Store.h"

#include "PlacementMath.h"

#include <algorithm>

void Store::place(const SavedSignature& signature)
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

void Store::movePlacement(const QUuid& id, const QRectF& start, QPointF translation)
{
    updatePlacement(id, PlacementMath::moved(start, translation));
}

void Store::resizePlacement(const QUuid& id, const QRectF& start, QPointF translation)
{
    // Proportions are kept, so only the horizontal part of the drag counts.
    updatePlacement(id, PlacementMath::resized(start, translation.x()));
}

void Store::updatePlacement(const QUuid& id, const QRectF& rect)
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

void Store::removePlacement(const QUuid& id)
{
    QList<Placement> kept = m_placements;
    kept.removeIf([&id](const Placement& p) { return p.id == id; });
    setPlacements(kept);
    setSelectedPlacement(std::nullopt);
}
