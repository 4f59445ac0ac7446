#pragma once

#include "ui/kit/FileRow.h"

class AlertLabel;
class QLineEdit;
struct MergePages;

// A merge row: its file, a field naming the pages the merge takes of it, and why the field's
// text cannot be read when it cannot.
class MergeRow : public FileRow {
    Q_OBJECT
public:
    MergeRow(const PDFFile& file, int index, const FileDisplay& display, QWidget* parent = nullptr);

    QLineEdit* rangeField() const { return m_field; }
    // Shows `ranges` in the field, and the pages they give or the reason they give none.
    void showPages(const QString& ranges, const MergePages& pages);

signals:
    void rangeEdited(const QString& ranges);

protected:
    // ↑ and ↓ in the field do nothing, rather than choose another row of the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    AlertLabel* m_error;
};
