#include "KeyFunction.h"

KeyFunction::KeyFunction(QWidget *parent)
    : KeyBase(4, parent)
{}
