#include "KeyPad.h"

KeyPad::KeyPad(QWidget *parent)
    : KeyBase(5, parent)
{}
