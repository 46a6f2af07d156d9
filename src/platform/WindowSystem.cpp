#include "WindowSystem.h"

WindowSystem::WindowSystem(QObject *parent)
    : QObject(parent)
{}

WindowSystem::~WindowSystem() = default;
