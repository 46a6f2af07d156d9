#include "KeyMedia.h"

#include "OutputAction_Keyboard.h"

KeyMedia::KeyMedia(QWidget *parent)
    : KeyBase(OutputAction_Keyboard::mediaGroup, parent)
{}
