#pragma once

#include "oawidget.h"

class QLineEdit;

// A text the mouse types (output type 32), kept as Latin-1 bytes, at most
// 252 characters. An empty text cannot be saved. The page makes its record
// at the first change of the text or when the row asks for one.
class KeyText : public oawidget
{
    Q_OBJECT

public:
    static constexpr int maximumLength = 252;

    explicit KeyText(QWidget *parent = nullptr);

    // Also marks the text field: a red border while it is empty.
    bool isInvalid() override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    QLineEdit *textEdit;
};
