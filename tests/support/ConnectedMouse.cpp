#include "ConnectedMouse.h"

#include "FakeHidTransport.h"
#include "MouseFunctions.h"
#include "SimulatedMouse.h"

#include <QSignalSpy>
#include <QtTest>

ConnectedMouse::ConnectedMouse(int productId, int memorySize, int sensorId)
    : m_mouse(std::make_unique<SimulatedMouse>())
{
    m_mouse->setProductId(productId);
    m_mouse->setMemorySize(memorySize);
    m_mouse->setSensorId(sensorId);
}

ConnectedMouse::~ConnectedMouse()
{
    // The transport refers to the mouse: it goes first, with the device object.
    MouseFunctions::destroyInstance();
    MouseFunctions::setTransportFactory({});
    m_mouse.reset();
}

MouseFunctions *ConnectedMouse::device() const
{
    return MouseFunctions::instance();
}

void ConnectedMouse::start()
{
    MouseFunctions::setTransportFactory([this] {
        m_transport = new FakeHidTransport(m_mouse.get());
        return m_transport;
    });
    device()->init();
    QVERIFY(m_transport);
}

void ConnectedMouse::connect(int productId)
{
    m_mouse->setProductId(productId);
    connect();
}

void ConnectedMouse::connect()
{
    m_mouse->plugIn();
    QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
    start();
    QTRY_COMPARE(connected.count(), 1);
    QCOMPARE(connected.at(0).at(0).toBool(), true);
    QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    QTRY_COMPARE(m_mouse->pendingReports(), 0);
    QCoreApplication::processEvents();
}
