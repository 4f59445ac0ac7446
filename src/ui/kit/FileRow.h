#pragma once

#include "ui/kit/FileDisplay.h"
#include "ui/kit/FileList.h"

#include <QColor>
#include <optional>

class Badge;
class Button;
class QHBoxLayout;
class QVBoxLayout;
class ToneLabel;

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
    // Shows and says that the row gives only `chosen` of its pages (nullopt: all of them).
    void setChosenPages(std::optional<qint64> chosen);
    // A control of the row's own, just before its remove button.
    void addControl(QWidget* control);
    // A line under the file's details (a note about a control of the row).
    void addNote(QWidget* note);

signals:
    void removeRequested();

private:
    // Says in one sentence what the row shows: position, file, pages, size and status.
    void describe();

    PDFFile m_file;
    std::optional<int> m_index;
    FileDisplay m_display;
    QString m_spoken; // position, file, pages and size
    QHBoxLayout* m_row;
    QVBoxLayout* m_column;
    ToneLabel* m_details = nullptr;
    Badge* m_badge = nullptr;
    Button* m_remove;
};
