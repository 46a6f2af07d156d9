#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The profiles a measured start begins with: none (a first start, which
// loads the starter profiles) or a generated model of N profiles, the shape
// of the model rows, written into the fresh home as the working file. Its
// newest backup is the same file, as after any start that followed the last
// change: the start then reads the file and writes no backup.
class StartFiles
{
public:
    // Generates the file of each size once (in this process's model store,
    // which is empty again afterwards).
    void generate(const QList<int> &sizes);
    QByteArray file(int profiles) const { return m_files.value(profiles); }
    // Into home: the working file of that many profiles and its backup;
    // nothing for 0. False when a file could not be written.
    bool seed(const QString &home, int profiles) const;
    // Where a home keeps the working file.
    static QString workingFile(const QString &home);

private:
    QMap<int, QByteArray> m_files;
};
