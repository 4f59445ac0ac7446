#pragma once

#include "core/AppData.h"
#include "ui/kit/FileList.h"

#include <QDateTime>
#include <QStringList>

class Button;
class ElidedLabel;
class SymbolView;
class ToneLabel;

class ToolModel;

// One recorded run: tool symbol, title, tool and inputs, sizes, when, and a button that reveals its
// outputs. A screen reader hears it as "<tool>, <title>, <when>".
class HistoryRow : public FileListRow {
    Q_OBJECT
public:
    // `tool` made the record; none when this version does not know it.
    HistoryRow(const HistoryItem& item, const ToolModel* tool, const QDateTime& now,
               QWidget* parent = nullptr);

    const HistoryItem& item() const { return m_item; }
    // The outputs that existed when the row was made.
    const QStringList& existing() const { return m_existing; }
    // Writes the date again relative to `now`.
    void setNow(const QDateTime& now);

signals:
    // The file manager should show and select these files.
    void revealRequested(const QStringList& paths);

private:
    HistoryItem m_item;
    const ToolModel* m_tool; // a child of the Store, which outlives the rows
    QStringList m_existing;
    SymbolView* m_symbol;
    ElidedLabel* m_title;
    ElidedLabel* m_detail;
    ToneLabel* m_sizes;
    ToneLabel* m_date;
    Button* m_reveal;
};
