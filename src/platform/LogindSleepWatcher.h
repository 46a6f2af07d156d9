#pragma once
#include <QDBusConnection>
#include <QObject>

// Reports the computer going to sleep and waking up, from logind's
// PrepareForSleep signal on the system bus. Without a bus nothing is reported
// (logged once).
class LogindSleepWatcher : public QObject
{
    Q_OBJECT

public:
    explicit LogindSleepWatcher(QObject *parent = nullptr);
    // Watches the given bus instead of the system bus (tests run their own).
    LogindSleepWatcher(const QDBusConnection &bus, QObject *parent = nullptr);
    ~LogindSleepWatcher() override;

    bool start();

signals:
    void goingToSleep();
    void wakingUp();

private slots:
    void prepareForSleep(bool start);

private:
    QDBusConnection bus;
    bool started = false;
};
