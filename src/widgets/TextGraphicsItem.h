#pragma once
// A label of the simple scene: up to a few lines of text hanging above an
// anchor point, clickable, lit while hovered, its colours by style type.

#include <QFontMetrics>
#include <QGraphicsTextItem>
#include <QStringList>

class TextGraphicsItem : public QGraphicsTextItem
{
    Q_OBJECT

public:
    static constexpr int labelTextWidth = 460; // the text width, also where lines are cut
    static constexpr int pixelSize = 30;
    static constexpr int lineHeight = 37;
    // How far the text's bottom stays above the anchor.
    static constexpr int anchorGap = 10;

    // A left-aligned label starts at the anchor, a right-aligned one ends
    // there; offset moves either 40 px away from it.
    TextGraphicsItem(QPointF anchor, bool leftAligned, bool offset, QGraphicsItem *parent = nullptr);

    // Shows the lines: at most maxLines, the last of them counting the rest
    // when there are more; each line shortened with "…" to fit the width.
    void setLines(const QStringList &lines);
    void setColorScheme(int styleType);
    void setHighlighted(bool highlighted);

    int maxLines() const { return m_maxLines; }
    void setMaxLines(int maxLines) { m_maxLines = maxLines; }
    QPointF anchor() const { return m_anchor; }
    int textHeight() const { return m_textHeight; }
    QColor normalColor() const { return m_normalColor; }
    QColor hoverColor() const { return m_hoverColor; }
    // The lines shown by the last setLines, before HTML escaping.
    QStringList shownLines() const { return m_shownLines; }

signals:
    void clicked();
    void hovered(bool isHovered);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QString elided(const QString &line) const;

    QColor m_normalColor;
    QColor m_hoverColor;
    QPointF m_anchor;
    int m_textHeight = 0;
    int m_maxLines = 3;
    QFontMetrics m_metrics;
    QStringList m_shownLines;
};
