#include "InputHookBackend.h"

InputHookBackend::InputHookBackend(QObject *parent)
    : QObject(parent)
{}

InputHookBackend::~InputHookBackend() = default;
