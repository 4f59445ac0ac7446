#pragma once

#include "AppSection.h"
#include "Card.h"
#include "FileDisplay.h"

class Button;

// The input of a single-file tool, on a card: first page, name, page count and size, replace and
// remove.
class SingleFileCard : public Card {
    Q_OBJECT
public:
    SingleFileCard(const PDFFile& file, AppSection section, const FileDisplay& display,
                   QWidget* parent = nullptr);

    AppSection section() const { return m_section; }

signals:
    // Pick another file for this section.
    void openRequested(AppSection section);
    // Clear this section's input.
    void clearRequested(AppSection section);

private:
    AppSection m_section;
    Button* m_other;
    Button* m_remove;
};
