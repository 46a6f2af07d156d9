#pragma once

#include "KeyBase.h"

// The picker of the letters and digits (group 1); a fresh page holds A.
class KeyLetter : public KeyBase
{
    Q_OBJECT

public:
    explicit KeyLetter(QWidget *parent = nullptr);
};
