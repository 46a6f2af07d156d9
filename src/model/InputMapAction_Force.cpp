#include "InputMapAction_Force.h"

InputMapAction_Force::InputMapAction_Force(int inputType)
    : InputMapActionOf(inputType)
{}
