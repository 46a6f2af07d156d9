#pragma once
// The list of generated resource files: one line per file with its path in
// the resource tree, its size in pixels and the recipe that draws it. The
// picture generator draws from it; the resource test checks the compiled
// tree against it.

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

struct PictureEntry
{
    QString path;          // in the tree, without the leading ":/"
    QSize size;            // pixels
    QString recipe;        // how the file is drawn
    QStringList arguments; // the recipe's own words and colours
    int line = 0;          // in the manifest, for messages
};

class PictureManifest
{
public:
    // Reads the manifest file. False, with error() naming the file and the
    // line, when it cannot be read, a line is malformed or a path repeats.
    bool load(const QString &fileName);

    const QVector<PictureEntry> &entries() const { return m_entries; }
    QString error() const { return m_error; }

private:
    QVector<PictureEntry> m_entries;
    QString m_error;
};
