#include "KeyLetter.h"

KeyLetter::KeyLetter(QWidget *parent)
    : KeyBase(1, parent)
{}
