#pragma once

#include "oawidget.h"

class QSpinBox;

// Repeat From (output type 110): jump back to an earlier row of the sequence
// 0 to 65535 times (0: without end). The target is the row's position in the
// sequence plus the index base: 0 in a mapping's outputs, 8 in a profile's
// own outputs, which follow the profile's eight settings records.
//
// Until the user picks a target from the placeholder (or a record is
// loaded) the page is invalid. A loaded target that names no earlier row is
// kept as it is: the target combo then selects nothing.
class ActRepeat : public oawidget
{
    Q_OBJECT

public:
    static constexpr int maximumTimes = 65535;

    // count: the rows before this one, which it may point back to.
    explicit ActRepeat(int count, QWidget *parent = nullptr);

    void setIndexBase(int base);
    int indexBase() const { return m_indexBase; }
    // The row moved to number n: offers the rows 1 to n - 1. A chosen target
    // that is gone makes the page invalid until the user picks another.
    void updateRowCount(int n);

    bool isInvalid() override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;
    // The user's first pick of a target from the placeholder's pop-up.
    void select(int index);

private:
    void fillTargets(int count);
    void showTarget(bool chosen);

    int m_indexBase = 0;
    bool targetChosen = false;
    ComboBox *placeholderCombo;
    ComboBox *targetCombo;
    QSpinBox *timesSpin;
};
