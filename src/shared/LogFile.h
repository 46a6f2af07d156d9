#pragma once
// The log file "log.txt" in the settings folder, with one older generation
// "log1.txt". Lines come from the GUI thread and the device reader thread.

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace LogFile {

inline constexpr qint64 rotationSize = 1048576;

// Reads "DisableLogging" and "VerboseLogging" and installs at most one handler.
void setupLogging();

// Normal handler: drops debug messages, writes the rest as "<time> - <text>".
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text);
// Verbose handler: writes every message with its level word.
void verboseMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text);

// The line one handler writes for a message at a given time.
QString formatLine(QtMsgType type, const QString &text, bool verbose, const QDateTime &time);

// Appends one line, rotating first when "log.txt" is above rotationSize.
void appendLogLine(const QString &text);
// Replaces "log1.txt" by the current "log.txt".
void rotateLog();

// Full path of "log.txt", worked out once per run.
QString logFilePath();

} // namespace LogFile
