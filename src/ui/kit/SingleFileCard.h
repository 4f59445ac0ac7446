#pragma once

#include "ui/kit/Card.h"
#include "ui/kit/FileDisplay.h"

class Button;

// The input of a single-file tool, on a card: first page, name, page count and size, replace and
// remove.
class SingleFileCard : public Card {
    Q_OBJECT
public:
    SingleFileCard(const PDFFile& file, const FileDisplay& display, QWidget* parent = nullptr);

signals:
    // Pick another file for this tool.
    void openRequested();
    // Clear this tool's input.
    void clearRequested();

private:
    Button* m_other;
    Button* m_remove;
};
