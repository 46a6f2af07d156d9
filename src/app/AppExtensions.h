#pragma once
// The open-window flag: a second start sets it, and the running instance,
// polling every 100 ms, clears it and brings its window forward.

#include <QObject>
#include <QSharedMemory>
#include <QTimer>

class AppExtensions : public QObject
{
    Q_OBJECT
public:
    static const QString flagName;

    AppExtensions();
    ~AppExtensions() override;

    void setPollingEnabled(bool on);
    // Asks the running instance to open its window. Does nothing when the flag
    // segment could neither be attached nor created.
    void requestOpenWindow();
    bool isAttached() const { return sharedMemory.isAttached(); }

signals:
    void sigOpenWindow();

public slots:
    void checkOpenRequest();

private:
    QSharedMemory sharedMemory;
    QTimer timer;
};
