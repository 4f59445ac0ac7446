#pragma once

#include "core/AppData.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <optional>

class Button;
class QScrollArea;
class QVBoxLayout;
class SignatureCard;
class SignTool;
class Store;
class ToneLabel;

// The signature library beside the page: one card per saved signature, the
// button that opens the pad, and a note on what to do next.
class SignaturePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 220;

    explicit SignaturePanel(SignTool& tool, QWidget* parent = nullptr);

    QList<SignatureCard*> cards() const;
    // The signature the keyboard places on the page: the one whose card last had the focus or
    // was used, else the first of the library; none while the library is empty.
    std::optional<SavedSignature> chosen() const;

signals:
    // "Yeni imza…" was pressed: the pad should open.
    void padRequested();
    // A card was clicked and its signature placed on the page.
    void placed();

private:
    void refresh();
    void rebuildCards();
    void orderTabs();
    void confirmDeletion(const SavedSignature& signature);

    SignTool& m_tool;
    Store& m_store;
    ToneLabel* m_empty;
    QScrollArea* m_scroll;
    QWidget* m_list;
    QVBoxLayout* m_cards;
    Button* m_new;
    ToneLabel* m_note;
    QWidget* m_filler;
    QList<QPair<QUuid, QString>> m_shown;
    std::optional<bool> m_shownPlaceable;
    std::optional<SavedSignature> m_deleting;
    QUuid m_chosen;
    QPointer<QMessageBox> m_confirmation;
};
