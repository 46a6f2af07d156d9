#pragma once

#include "KeyBase.h"

// The picker of the keypad keys (group 5); a fresh page holds NUM LOCK.
class KeyPad : public KeyBase
{
    Q_OBJECT

public:
    explicit KeyPad(QWidget *parent = nullptr);
};
