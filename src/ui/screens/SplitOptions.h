#pragma once

#include "ui/kit/Card.h"

class QLineEdit;
class SegmentedControl;
class StepperControl;
class SplitTool;
class ToneLabel;

// The split tool's options card: the mode, and the step or range text the mode needs.
class SplitOptions : public Card {
    Q_OBJECT
public:
    explicit SplitOptions(SplitTool& tool, QWidget* parent = nullptr);

private:
    void showMode();
    void showEvery();
    void showRanges();

    SplitTool& m_tool;
    SegmentedControl* m_modes;
    ToneLabel* m_each;
    QWidget* m_everyRow;
    // "Her %1 sayfada bir böl" with the stepper standing in for the number.
    ToneLabel* m_everyBefore;
    ToneLabel* m_everyAfter;
    StepperControl* m_stepper;
    QWidget* m_ranges;
    QLineEdit* m_field;
};
