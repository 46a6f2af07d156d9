#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

// What the views ask of the installed-program scan.
class InstallScannerInterface : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Reports each installed program that a predefined profile is made for.
    virtual void scan() = 0;
    // For every installed program, the name of its predefined profile or an
    // empty string.
    virtual QStringList installedAppNames() = 0;

signals:
    void gameDetected(const QString &name, const QString &path);
    void gameDetected(const QString &name);
};
