#include "TummyButton.h"

#include "AppFont.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

QLabel *overlayLabel(QWidget *parent, const QString &styleSheet)
{
    auto *label = new QLabel(parent);
    label->setStyleSheet(styleSheet);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setTextFormat(Qt::PlainText); // a profile name reads as typed
    return label;
}

const QString nameStyle = QStringLiteral("color: %1; background: transparent;");
const QString asteriskStyle = QStringLiteral("font-size: 21px; color: %1; background: transparent;");
const QString normalTextColor = QStringLiteral("#ffd400");

} // namespace

TummyButton::TummyButton(const QString &text, const QPixmap &pixmap, QWidget *parent)
    : QPushButton(parent)
    , m_nameLabel(overlayLabel(this, nameStyle.arg(QStringLiteral("white"))))
    , m_asteriskLabel(overlayLabel(this, asteriskStyle.arg(QStringLiteral("white"))))
    , m_arrowLabel(overlayLabel(this, QStringLiteral("background: transparent;")))
    , m_metrics(appFont())
    , m_hoverArrow(QStringLiteral(":/pic/down_arrow_profile_hover.png"))
    , m_normalArrow(QStringLiteral(":/pic/down_arrow_profile.png"))
    , m_selectArrow(QStringLiteral(":/pic/down_arrow_profile_select.png"))
{
    m_nameLabel->setText(text);
    m_nameLabel->setAlignment(Qt::AlignCenter);
    m_asteriskLabel->setText(QStringLiteral("*"));
    m_asteriskLabel->hide();
    m_arrowLabel->setPixmap(pixmap);
    m_arrowLabel->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_asteriskLabel);
    layout->addWidget(m_nameLabel);
    layout->addWidget(m_arrowLabel);
    setFixedHeight(30);
    setFixedWidth(widthFor(text));

    m_baseStyle = styleSheet();
    m_currentStyle = m_baseStyle;
}

int TummyButton::widthFor(const QString &text) const
{
    return m_metrics.horizontalAdvance(text) + 60;
}

void TummyButton::setLabelText(const QString &text)
{
    // The strip sets every tab's text at each change of the current or
    // active profile; measuring it again is the cost.
    if (text == m_nameLabel->text())
        return;
    m_nameLabel->setText(text);
    setFixedWidth(widthFor(text));
}

QString TummyButton::labelText() const
{
    return m_nameLabel->text();
}

void TummyButton::setTextColor(const QColor &color)
{
    m_asteriskLabel->setStyleSheet(asteriskStyle.arg(color.name()));
    m_nameLabel->setStyleSheet(nameStyle.arg(color.name()));
}

void TummyButton::showNormalArrow()
{
    setTextColor(QColor(normalTextColor));
    m_arrowLabel->setPixmap(m_normalArrow);
}

void TummyButton::showHoverArrow()
{
    setTextColor(QColor(QStringLiteral("#3f3f3f")));
    m_arrowLabel->setPixmap(m_hoverArrow);
}

void TummyButton::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    if (selected) {
        m_currentStyle = QStringLiteral(
            "QPushButton { color: white; border: none; background: qlineargradient(spread:pad, x1:0.5, y1:0, "
            "x2:0.5, y2:1, stop:0 #76c752, stop:1 #5aad35); }");
        updateStyle();
        setTextColor(Qt::white);
        m_arrowLabel->setPixmap(m_selectArrow);
    } else {
        m_currentStyle = m_baseStyle;
        updateStyle();
        setTextColor(QColor(normalTextColor));
        m_arrowLabel->setPixmap(m_normalArrow);
    }
}

void TummyButton::setLeftRounded(bool leftRounded)
{
    if (leftRounded == m_leftRounded)
        return;
    m_leftRounded = leftRounded;
    updateStyle();
}

void TummyButton::setFullyRounded(bool fullyRounded)
{
    if (fullyRounded == m_fullyRounded)
        return;
    m_fullyRounded = fullyRounded;
    updateStyle();
}

void TummyButton::updateStyle()
{
    QString style = m_currentStyle;
    if (m_leftRounded)
        style += QStringLiteral("QPushButton { border-top-left-radius: 5px; border-bottom-left-radius: 5px; "
                                "border-top-right-radius: 0px; border-bottom-right-radius: 0px; }");
    if (m_fullyRounded)
        style += QStringLiteral("QPushButton { border-top-left-radius: 5px; border-bottom-left-radius: 5px; "
                                "border-top-right-radius: 5px; border-bottom-right-radius: 5px; }");
    setStyleSheet(style);
}

void TummyButton::setAsteriskVisible(bool visible)
{
    m_asteriskLabel->setVisible(visible);
}

bool TummyButton::isAsteriskHidden() const
{
    return m_asteriskLabel->isHidden();
}

void TummyButton::setArrowVisible(bool visible)
{
    m_arrowLabel->setVisible(visible);
}
