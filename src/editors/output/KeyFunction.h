#pragma once

#include "KeyBase.h"

// The picker of the function keys F1 to F24 (group 4); a fresh page holds F1.
class KeyFunction : public KeyBase
{
    Q_OBJECT

public:
    explicit KeyFunction(QWidget *parent = nullptr);
};
