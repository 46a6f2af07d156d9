#pragma once

#include "oawidget.h"

class QCheckBox;

// Stop Looping (output type 112), optionally skipping the waits that are
// left. A fresh page holds no skipping.
class ActStop : public oawidget
{
    Q_OBJECT

public:
    explicit ActStop(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    QCheckBox *skipCheck;
};
