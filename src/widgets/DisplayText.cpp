#include "DisplayText.h"

#include <QTextBoundaryFinder>

namespace DisplayText {

QString forRichText(const QString &text)
{
    return text.toHtmlEscaped();
}

QString forButton(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QVector<int> characterEnds(const QString &text)
{
    QVector<int> ends{0};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        ends.append(finder.position());
    if (ends.last() != text.size())
        ends.append(text.size());
    return ends;
}

QString longestFittingStart(const QString &text, const std::function<bool(const QString &)> &fits)
{
    const QVector<int> ends = characterEnds(text);
    // The start ending at ends[low] fits, or is the empty one; none longer
    // than the one ending at ends[high] does.
    int low = 0;
    int high = ends.size() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(text.left(ends.at(middle))))
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(ends.at(low));
}

QString withoutLastCharacters(const QString &text, int count)
{
    const QVector<int> ends = characterEnds(text);
    const int kept = ends.size() - 1 - count;
    return kept > 0 ? text.left(ends.at(kept)) : QString();
}

} // namespace DisplayText
