#pragma once
// A simulated mouse and the process's device object connected to it through
// FakeHidTransport: where device tests and the views' end-to-end tests start.
//
//     std::unique_ptr<ConnectedMouse> fixture;            // a member of the test
//     fixture = std::make_unique<ConnectedMouse>(30);     // init(): model 30, not plugged in
//     fixture->mouse()->setMemorySize(1000);              // any other set-up of the mouse
//     fixture->connect();                                 // plugged in, connected, queries answered
//     fixture->device()->sendProfilesToMouse();
//     fixture.reset();                                    // cleanup()
//
// The device object is made on first use (device()), so a test may still
// write the settings it reads at construction. The destructor destroys the
// device object with its transport, restores the default transport factory
// and then deletes the simulated mouse.

#include <memory>

class FakeHidTransport;
class MouseFunctions;
class SimulatedMouse;

class ConnectedMouse
{
public:
    explicit ConnectedMouse(int productId = 20, int memorySize = 32768, int sensorId = 0);
    ~ConnectedMouse();
    ConnectedMouse(const ConnectedMouse &) = delete;
    ConnectedMouse &operator=(const ConnectedMouse &) = delete;

    SimulatedMouse *mouse() const { return m_mouse.get(); }
    // The transport the device object made; null until start().
    FakeHidTransport *transport() const { return m_transport; }
    // MouseFunctions::instance().
    MouseFunctions *device() const;

    // Hands the device object the transport to the simulated mouse and
    // initialises it: a mouse plugged in by then is reported to it. A test
    // failure when no transport was made.
    void start();
    // Plugs the mouse in (as productId, when given), starts the device object
    // and waits until it reported the connection, is idle and every reply of
    // the connect sequence has arrived. A test failure when it does not
    // connect.
    void connect();
    void connect(int productId);

private:
    std::unique_ptr<SimulatedMouse> m_mouse;
    FakeHidTransport *m_transport = nullptr; // owned by the device object
};
