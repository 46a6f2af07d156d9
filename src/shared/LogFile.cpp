#include "LogFile.h"

#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>
#include <QTextCodec>
#include <QTextStream>

namespace LogFile {

namespace {

// Serialises appends and rotation between the GUI thread and the device reader.
QMutex &logMutex()
{
    static QMutex mutex;
    return mutex;
}

QString timeStamp(const QDateTime &time)
{
    return time.toString(Qt::ISODateWithMs);
}

} // namespace

QString logFilePath()
{
    static const QString path = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
    return path;
}

void setupLogging()
{
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    if (settings.value("DisableLogging", false).toBool())
        return;
    if (settings.value("VerboseLogging", false).toBool()) {
        qInstallMessageHandler(verboseMessageHandler);
        qDebug("Verbose logging enabled");
        return;
    }
    SettingsFile::writeIfChanged(settings, QStringLiteral("DisableLogging"), false);
    SettingsFile::writeIfChanged(settings, QStringLiteral("VerboseLogging"), false);
    qInstallMessageHandler(messageHandler);
}

QString formatLine(QtMsgType type, const QString &text, bool verbose, const QDateTime &time)
{
    const QString stamp = timeStamp(time);
    if (!verbose)
        return QStringLiteral("%1 - %2").arg(stamp, text);
    switch (type) {
    case QtDebugMsg: return QStringLiteral("%1 DEBUG - %2").arg(stamp, text);
    case QtWarningMsg: return QStringLiteral("%1  WARN - %2").arg(stamp, text);
    case QtCriticalMsg: return QStringLiteral("%1  CRIT - %2").arg(stamp, text);
    case QtFatalMsg: return QStringLiteral("%1 FATAL - %2").arg(stamp, text);
    case QtInfoMsg: return QStringLiteral("%1  INFO - %2").arg(stamp, text);
    }
    return QStringLiteral("%1 - %2").arg(stamp, text);
}

void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg)
        return;
    appendLogLine(formatLine(type, text, false, QDateTime::currentDateTime()));
}

void verboseMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    appendLogLine(formatLine(type, text, true, QDateTime::currentDateTime()));
}

void appendLogLine(const QString &text)
{
    QMutexLocker lock(&logMutex());
    const QString path = logFilePath();
    if (QFileInfo(path).size() > rotationSize)
        rotateLog();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        // The folder may not exist yet on a first start; a log that still
        // cannot be written is not worth stopping for.
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return;
    }
    QTextStream out(&file);
    out.setCodec(QTextCodec::codecForLocale());
    out << text << '\n';
}

void rotateLog()
{
    const QString folder = QFileInfo(logFilePath()).path();
    QFile::remove(folder + "/log1.txt");
    QFile::rename(folder + "/log.txt", folder + "/log1.txt");
}

} // namespace LogFile
