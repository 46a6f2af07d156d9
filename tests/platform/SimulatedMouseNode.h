#pragma once
// The simulated mouse behind an emulated hidraw node of a HidTestbed: the
// output reports the program writes to the node reach the mouse, the mouse's
// input reports come out of the node, and its feature reports answer the
// program's HIDIOCGFEATURE. So the transport's own system calls meet the
// device's side of the protocol.
//
//     SimulatedMouse mouse;
//     mouse.plugIn();
//     SimulatedMouseNode bridge(testbed, node, mouse); // before the program opens the node
//
// Make it before the program opens the node and destroy it only once the
// program has closed the node again: umockdev's preload ends a process that
// keeps using a node whose handler has gone.

#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <cstdint>

class HidTestbed;
class SimulatedMouse;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

class SimulatedMouseNode : public QObject
{
    Q_OBJECT

public:
    SimulatedMouseNode(HidTestbed &testbed, const QString &node, SimulatedMouse &mouse, QObject *parent = nullptr);
    ~SimulatedMouseNode() override;

    bool isAttached() const { return attached; }
    // Feature reports the program asked for.
    int featureReads() const { return features; }

private:
    // Handlers of umockdev's signals, called on its worker thread; true when
    // the call was answered.
    static int answerIoctl(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, void *self);
    static int takeWrite(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, void *self);
    void sendToProgram(const QVector<uint8_t> &report);

    HidTestbed &testbed;
    const QString node;
    SimulatedMouse &mouse;
    UMockdevIoctlBase *handler;
    bool attached = false;
    std::atomic<int> features{0};
};
