#pragma once

#include "core/Placement.h"
#include "store/ToolModel.h"

#include <QPointF>
#include <QRectF>
#include <QUuid>

struct SavedSignature;

// Stamps signatures from the library onto the pages of one PDF, where the user placed them.
class SignTool : public ToolModel {
    Q_OBJECT

public:
    explicit SignTool(Store& store);

    const std::optional<PDFFile>& signFile() const { return m_signFile; }
    void setSignFile(const std::optional<PDFFile>& file);
    int signPage() const { return m_signPage; }
    void setSignPage(int page);
    const QList<Placement>& placements() const { return m_placements; }
    void setPlacements(const QList<Placement>& placements);
    const std::optional<QUuid>& selectedPlacement() const { return m_selectedPlacement; }
    void setSelectedPlacement(const std::optional<QUuid>& id);

    // Placements on signFile. Drags pass the placement's rectangle at the start
    // of the drag and the translation so far, in fractions of the page.
    void place(const SavedSignature& signature);
    void movePlacement(const QUuid& id, const QRectF& start, QPointF translation);
    void resizePlacement(const QUuid& id, const QRectF& start, QPointF translation);
    void removePlacement(const QUuid& id);

    QString key() const override { return QStringLiteral("sign"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("signature"); }
    bool takesMany() const override { return false; }
    QList<PDFFile> inputs() const override;
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override;
    std::optional<PreparedRun> prepare() override;

signals:
    void signFileChanged();
    void signPageChanged();
    void placementsChanged();
    void selectedPlacementChanged();

private:
    void updatePlacement(const QUuid& id, const QRectF& rect);
    // What the engine stamps: each placement whose signature is still in the library.
    QList<PDFEngine::SignItem> signItems() const;

    std::optional<PDFFile> m_signFile;
    int m_signPage = 0;
    QList<Placement> m_placements;
    std::optional<QUuid> m_selectedPlacement;
};
