#pragma once

#include "KeyBase.h"

// The picker of the symbol keys (group 2), each named with its shifted
// character; a fresh page holds minus.
class KeySymbol : public KeyBase
{
    Q_OBJECT

public:
    explicit KeySymbol(QWidget *parent = nullptr);
};
