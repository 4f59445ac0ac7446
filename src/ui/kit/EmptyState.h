#pragma once

#include <QWidget>

class SymbolView;
class ToneLabel;

// The view shown where a list has nothing yet: a large symbol, a label and a description, centred.
class EmptyState : public QWidget {
    Q_OBJECT
public:
    EmptyState(const QString& symbol, const QString& label, const QString& description,
               QWidget* parent = nullptr);

private:
    SymbolView* m_symbol;
    ToneLabel* m_label;
    ToneLabel* m_description;
};
