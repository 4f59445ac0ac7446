#pragma once

#include "FileDisplay.h"

#include <QColor>
#include <QWidget>
#include <optional>

class Badge;
class Button;
class QHBoxLayout;

// One file of a multi-file list: position, first page, name, page count and size, status, remove.
class FileRow : public QWidget {
    Q_OBJECT
public:
    FileRow(const PDFFile& file, std::optional<int> index, const FileDisplay& display,
            QWidget* parent = nullptr);

    const PDFFile& file() const { return m_file; }
    // A status badge after the name (none for nullopt).
    void setStatus(const std::optional<QString>& status, const QColor& tint = {});
    Badge* statusBadge() const { return m_badge; }
    void setRemovable(bool removable);

signals:
    void removeRequested();

private:
    PDFFile m_file;
    QHBoxLayout* m_row;
    Badge* m_badge = nullptr;
    Button* m_remove;
};
