// GLib first: its headers name fields "signals", which Qt defines away.
#include <umockdev.h>

#include "SimulatedMouseNode.h"

#include "HidTestbed.h"
#include "SimulatedMouse.h"

#include <QDebug>

#include <algorithm>
#include <cerrno>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

SimulatedMouseNode::SimulatedMouseNode(HidTestbed &testbed, const QString &node, SimulatedMouse &mouse, QObject *parent)
    : QObject(parent)
    , testbed(testbed)
    , node(node)
    , mouse(mouse)
    , handler(umockdev_ioctl_base_new())
{
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(&SimulatedMouseNode::answerIoctl), this);
    g_signal_connect(handler, "handle-write", G_CALLBACK(&SimulatedMouseNode::takeWrite), this);
    GError *error = nullptr;
    attached = umockdev_testbed_attach_ioctl(testbed.testbed(), node.toUtf8().constData(), handler, &error);
    if (!attached)
        qWarning("SimulatedMouseNode: cannot attach to %s: %s", qPrintable(node), error ? error->message : "");
    g_clear_error(&error);
    connect(&mouse, &SimulatedMouse::inputReport, this, &SimulatedMouseNode::sendToProgram);
}

SimulatedMouseNode::~SimulatedMouseNode()
{
    g_signal_handlers_disconnect_by_data(handler, this);
    if (attached)
        umockdev_testbed_detach_ioctl(testbed.testbed(), node.toUtf8().constData(), nullptr);
    g_object_unref(handler);
}

int SimulatedMouseNode::answerIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, void *self)
{
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    if (_IOC_TYPE(request) != _IOC_TYPE(HIDIOCGFEATURE(0)) || _IOC_NR(request) != _IOC_NR(HIDIOCGFEATURE(0))
        || _IOC_DIR(request) != _IOC_DIR(HIDIOCGFEATURE(0)))
        return false; // umockdev answers it as a device without it would
    auto *bridge = static_cast<SimulatedMouseNode *>(self);
    const size_t length = _IOC_SIZE(request);
    GError *error = nullptr;
    UMockdevIoctlData *buffer = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, &error);
    g_clear_error(&error);
    if (!buffer || length == 0) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    // The program's thread waits in its ioctl() meanwhile, so the mouse,
    // which lives on that thread, is not in use.
    const QVector<uint8_t> report = bridge->mouse.featureReport(buffer->data[0]);
    ++bridge->features;
    if (report.isEmpty()) {
        umockdev_ioctl_client_complete(client, -1, EPIPE); // as the device stalling the request
    } else {
        const size_t count = std::min(length, size_t(report.size()));
        std::copy_n(report.constData(), count, buffer->data);
        umockdev_ioctl_client_complete(client, long(count), 0);
    }
    g_object_unref(buffer);
    return true;
}

int SimulatedMouseNode::takeWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, void *self)
{
    auto *bridge = static_cast<SimulatedMouseNode *>(self);
    const UMockdevIoctlData *written = umockdev_ioctl_client_get_arg(client);
    const QVector<uint8_t> report(written->data, written->data + written->data_len);
    // As a device's: the write is done once the report is sent; the mouse
    // takes it on its own thread.
    QMetaObject::invokeMethod(
        bridge, [bridge, report] { bridge->mouse.receiveOutputReport(report); }, Qt::QueuedConnection);
    umockdev_ioctl_client_complete(client, written->data_len, 0);
    return true;
}

void SimulatedMouseNode::sendToProgram(const QVector<uint8_t> &report)
{
    // One write per report: the program's read takes it whole.
    if (::write(testbed.deviceFd(node), report.constData(), size_t(report.size())) != report.size())
        qWarning("SimulatedMouseNode: a report to %s was lost", qPrintable(node));
}
