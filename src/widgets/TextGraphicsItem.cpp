#include "TextGraphicsItem.h"

#include "AppFont.h"
#include "DisplayText.h"

#include <QTextDocument>
#include <QTextOption>

namespace {

QFont labelFont()
{
    QFont font = appFont();
    font.setPixelSize(TextGraphicsItem::pixelSize);
    return font;
}

} // namespace

TextGraphicsItem::TextGraphicsItem(QPointF anchor, bool leftAligned, bool offset, QGraphicsItem *parent)
    : QGraphicsTextItem(parent)
    , m_normalColor(177, 183, 232)
    , m_hoverColor(251, 251, 251)
    , m_anchor(anchor)
    , m_metrics(labelFont())
{
    setAcceptHoverEvents(true);
    setDefaultTextColor(m_normalColor);
    setFont(labelFont());
    const int shift = offset ? 40 : 0;
    m_anchor.rx() += leftAligned ? shift : -shift - labelTextWidth;
    // No margin around the text: lines are cut to the full width, so that
    // width must be the room the lines get, and the item's position is then
    // where its text starts.
    document()->setDocumentMargin(0);
    setTextWidth(labelTextWidth);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(leftAligned ? Qt::AlignLeft : Qt::AlignRight);
    document()->setDefaultTextOption(option);
}

QString TextGraphicsItem::elided(const QString &line) const
{
    const auto fits = [this](const QString &start) { return m_metrics.horizontalAdvance(start) < labelTextWidth; };
    if (fits(line))
        return line;
    return DisplayText::withoutLastCharacters(DisplayText::longestFittingStart(line, fits), 3) + QChar(0x2026);
}

void TextGraphicsItem::setLines(const QStringList &lines)
{
    QStringList shown = lines;
    if (shown.size() > m_maxLines) {
        const int rest = shown.size() - m_maxLines + 1;
        shown = shown.mid(0, m_maxLines - 1);
        shown.append(QStringLiteral("+ %1 %2").arg(rest).arg(tr("more")));
    }
    m_textHeight = int(shown.size()) * lineHeight;
    setPos(m_anchor.x(), m_anchor.y() - m_textHeight - anchorGap);
    QStringList escaped;
    for (QString &line : shown) {
        line = elided(line);
        escaped.append(DisplayText::forRichText(line));
    }
    m_shownLines = shown;
    setHtml(QStringLiteral("<p style='line-height: %1px;'>%2</p>").arg(lineHeight).arg(escaped.join("<br>")));
}

void TextGraphicsItem::setColorScheme(int styleType)
{
    switch (styleType) {
    case 0:
    case 3:
        m_normalColor = QColor(200, 200, 200);
        m_hoverColor = QColor(255, 255, 255);
        break;
    case 1:
        m_normalColor = QColor(177, 183, 232);
        m_hoverColor = QColor(251, 251, 251);
        break;
    case 2:
        m_normalColor = QColor(168, 168, 168);
        m_hoverColor = QColor(255, 255, 255);
        break;
    default:
        break;
    }
    setDefaultTextColor(m_normalColor);
}

void TextGraphicsItem::setHighlighted(bool highlighted)
{
    setDefaultTextColor(highlighted ? m_hoverColor : m_normalColor);
}

void TextGraphicsItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    setDefaultTextColor(m_hoverColor);
    emit hovered(true);
}

void TextGraphicsItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    setDefaultTextColor(m_normalColor);
    emit hovered(false);
}

void TextGraphicsItem::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    emit clicked();
}
