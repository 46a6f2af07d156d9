#include "HidSystem.h"

HidSystem::HidSystem(QObject *parent)
    : QObject(parent)
{
}

HidSystem::~HidSystem() = default;
