#pragma once
#include <QObject>

struct udev;
struct udev_monitor;
class QSocketNotifier;

// Watches hidraw devices arriving and leaving through a libudev monitor, read
// on the GUI thread through a socket notifier.
class UdevMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UdevMonitor(QObject *parent = nullptr);
    ~UdevMonitor() override;

    // False (and logged) when udev cannot be watched: then nothing is reported.
    bool start();

signals:
    void added(const QString &node);
    void removed(const QString &node);

private:
    void readEvents();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};
