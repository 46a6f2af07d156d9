#include "HIDInterface.h"

HIDInterface::HIDInterface(QObject *parent)
    : QObject(parent)
{
    // The reports cross from the reader thread through queued connections.
    qRegisterMetaType<QVector<uint8_t>>("QVector<uint8_t>");
}

HIDInterface::~HIDInterface() = default;
