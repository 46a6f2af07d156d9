#pragma once
// Texts made fit for the widgets that show them. User-given texts (profile,
// mapping, application and file names) are escaped where a widget would read
// them: rich text takes '<' and '&' as markup, and a button, check box or
// menu entry takes '&' as the mark of its keyboard shortcut. Texts too wide
// for their room are cut between whole characters (grapheme clusters), so
// that no character is left in halves, whatever the text holds.

#include <QString>
#include <QVector>

#include <functional>

namespace DisplayText {

// text for a rich-text message or label: its markup characters escaped, so
// that it reads as typed.
QString forRichText(const QString &text);
// text for a button, check box or menu entry: every '&' doubled, so that it
// shows as typed and makes no shortcut.
QString forButton(const QString &text);

// Where the whole characters of text end, in UTF-16 units: 0, the end of the
// first character, ..., text.size().
QVector<int> characterEnds(const QString &text);
// The longest start of text made of whole characters for which fits holds;
// empty when no start of one character or more does. fits must hold for every start shorter than
// one for which it holds, as a width limit does: the start is found by
// bisection, so a long text is measured only a few times.
QString longestFittingStart(const QString &text, const std::function<bool(const QString &)> &fits);
// text without its last count whole characters; empty when it has no more.
QString withoutLastCharacters(const QString &text, int count);

} // namespace DisplayText
