#pragma once

#include "KeyBase.h"

// The picker of the modifier and action keys (group 3); a fresh page holds CTRL left.
class KeyModifier : public KeyBase
{
    Q_OBJECT

public:
    explicit KeyModifier(QWidget *parent = nullptr);
};
