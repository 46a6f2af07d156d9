#pragma once
// The tab of a profile in the expert view's profile strip: the profile's name
// between an optional "*" (the active profile) and an optional arrow (a
// profile with sub-profiles). 30 high, as wide as the name in the
// application font plus 60. The selected tab is green; the strip rounds the
// corners of its first and its only tab.

#include <QFontMetrics>
#include <QPixmap>
#include <QPushButton>

class QLabel;

class TummyButton : public QPushButton
{
    Q_OBJECT

public:
    TummyButton(const QString &text, const QPixmap &pixmap, QWidget *parent);

    void setLabelText(const QString &text);
    QString labelText() const;
    void setTextColor(const QColor &color);
    void showNormalArrow();
    void showHoverArrow();
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    void setLeftRounded(bool leftRounded);
    void setFullyRounded(bool fullyRounded);
    void setAsteriskVisible(bool visible);
    bool isAsteriskHidden() const;
    void setArrowVisible(bool visible);

private:
    void updateStyle();
    int widthFor(const QString &text) const;

    QLabel *m_nameLabel;
    QLabel *m_asteriskLabel;
    QLabel *m_arrowLabel;
    QFontMetrics m_metrics;
    QPixmap m_hoverArrow;
    QPixmap m_normalArrow;
    QPixmap m_selectArrow;
    QString m_baseStyle;
    QString m_currentStyle;
    bool m_leftRounded = false;
    bool m_fullyRounded = false;
    bool m_selected = false;
};
