#include "KeySymbol.h"

KeySymbol::KeySymbol(QWidget *parent)
    : KeyBase(2, parent)
{}
