#pragma once
// Receives what a read of a configuration file announces, until the expert
// view's profile strip and profile tree take that over: an announced profile
// is created (under the named top-level profile when there is one,
// otherwise as a new top-level profile) and made current before the store
// fills it; the initial default profile is made current, active and the
// only default. It also keeps what it was told.

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

class ConfigFile;

class ProfileReceiver : public QObject
{
    Q_OBJECT

public:
    // Connects to both signals of file (the process-wide store when null).
    explicit ProfileReceiver(ConfigFile *file = nullptr, QObject *parent = nullptr);
    ~ProfileReceiver() override;

    QStringList announced; // "name/parent"
    QList<QPair<int, int>> initialDefaults;

private:
    void addProfile(const QString &name, const QString &parentName);
    void setInitialDefault(int index, int subIndex);
};
