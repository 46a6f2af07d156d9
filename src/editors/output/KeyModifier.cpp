#include "KeyModifier.h"

KeyModifier::KeyModifier(QWidget *parent)
    : KeyBase(3, parent)
{}
