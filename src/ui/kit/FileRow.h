#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/FileList.h"

#include <QColor>
#include <optional>

class Badge;
class Button;
class QHBoxLayout;

// One file of a multi-file list: position, first page, name, page count and size, status, remove.
class FileRow : public FileListRow {
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
    // Says in one sentence what the row shows: position, file, pages, size and status.
    void describe();

    PDFFile m_file;
    QString m_spoken; // position, file, pages and size
    QHBoxLayout* m_row;
    Badge* m_badge = nullptr;
    Button* m_remove;
};
