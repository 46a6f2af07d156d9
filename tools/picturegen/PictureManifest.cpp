#include "PictureManifest.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

bool PictureManifest::load(const QString &fileName)
{
    m_entries.clear();
    m_error.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return false;
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression sizeWord(QStringLiteral("^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$"));
    QSet<QString> seen;
    QTextStream in(&file);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList words = line.split(blanks);
        const auto fail = [&](const QString &why) {
            m_error = QStringLiteral("%1:%2: %3").arg(fileName).arg(lineNumber).arg(why);
            m_entries.clear();
            return false;
        };
        if (words.size() < 3)
            return fail(QStringLiteral("expected <path> <width>x<height> <recipe> [<argument>...]"));
        PictureEntry entry;
        entry.path = words.takeFirst();
        if (entry.path.startsWith(QLatin1Char('/')) || entry.path.contains(QLatin1String("..")))
            return fail(QStringLiteral("the path must be relative to the tree: ") + entry.path);
        if (seen.contains(entry.path))
            return fail(QStringLiteral("the path is listed twice: ") + entry.path);
        const QRegularExpressionMatch size = sizeWord.match(words.takeFirst());
        if (!size.hasMatch())
            return fail(QStringLiteral("the size must read <width>x<height>"));
        entry.size = QSize(size.captured(1).toInt(), size.captured(2).toInt());
        entry.recipe = words.takeFirst();
        entry.arguments = words;
        entry.line = lineNumber;
        seen.insert(entry.path);
        m_entries.append(entry);
    }
    if (m_entries.isEmpty()) {
        m_error = fileName + QStringLiteral(": no entries");
        return false;
    }
    return true;
}
