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

    SymbolView* symbol() const { return m_symbol; }
    ToneLabel* label() const { return m_label; }
    ToneLabel* description() const { return m_description; }

private:
    SymbolView* m_symbol;
    ToneLabel* m_label;
    ToneLabel* m_description;
};
