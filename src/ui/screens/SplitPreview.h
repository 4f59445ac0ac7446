#pragma once

#include "core/SplitPlan.h"
#include "ui/kit/Card.h"

#include <optional>

class AlertLabel;
class QVBoxLayout;

// The outcome of computing a split's page groups: the groups, or the message of why not.
using SplitOutcome = SplitPlan;

// The split tool's preview card: the names of the files a split would write.
class SplitPreview : public Card {
    Q_OBJECT
public:
    // Lists at most `shown` names, then one line for the rest.
    explicit SplitPreview(int shown, QWidget* parent = nullptr);

    // Shows the outputs of splitting a file named `fileName` by `outcome`.
    void showOutcome(const QString& fileName, const SplitOutcome& outcome);
    // The lines below the caption, as shown (names, the overflow line or the message).
    QStringList lines() const;
    bool showsFailure() const { return !m_failure->isHidden(); }

private:
    void clearLines();
    void addName(const QString& name);
    void addOverflow(qint64 hidden);

    int m_shown;
    QVBoxLayout* m_lines;
    QStringList m_texts;
    QWidget* m_failure; // the reason the ranges cannot be split, with its symbol
    AlertLabel* m_message;
};
