#include "ProfileButton.h"

#include "ProfileTileStyle.h"
#include "RoundedPixmap.h"
#include "StyleProperties.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString tileState = QStringLiteral("profile_button");

QVariant stateValue(bool holds)
{
    // An invalid value removes the dynamic property.
    return holds ? QVariant(tileState) : QVariant();
}

} // namespace

ProfileButton::ProfileButton(const QString &name, const QPixmap &image, int kind, bool isDefault,
                             const QString &modelKey, QWidget *parent)
    : QWidget(parent)
    , m_name(name)
    , m_image(image)
    , m_kind(kind)
    , m_default(isDefault)
{
    setFixedSize(ProfileTileStyle::tileSize(kind));
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The tile carries the model key itself too, as every styled widget does.
    setProperty(StyleProperties::modelKey, modelKey);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frame_profile"));
    m_frame->setProperty("frame_type", tileState);
    m_frame->setProperty(StyleProperties::modelKey, modelKey);
    auto *frameLayout = new QHBoxLayout(m_frame);
    frameLayout->setSpacing(0);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    const QSize imageSize = ProfileTileStyle::imageSize(kind);
    m_imageButton = new QPushButton(m_frame);
    m_imageButton->setObjectName(QStringLiteral("pushButton_image"));
    m_imageButton->setProperty(StyleProperties::modelKey, modelKey);
    m_imageButton->setFixedSize(imageSize);
    m_imageButton->setIconSize(imageSize);
    frameLayout->addWidget(m_imageButton);
    layout->addWidget(m_frame, 0, Qt::AlignHCenter | Qt::AlignVCenter);
    connect(m_imageButton, &QPushButton::clicked, this, &ProfileButton::clicked);

    m_nameLabel = new QLabel(name, this);
    m_nameLabel->setObjectName(QStringLiteral("label_name"));
    m_nameLabel->setTextFormat(Qt::PlainText);
    m_nameLabel->setFixedSize(100, 30);
    m_nameLabel->setProperty("label_type", tileState);
    m_nameLabel->setProperty(StyleProperties::modelKey, modelKey);
    m_nameLabel->setAlignment(Qt::AlignCenter);
    m_nameLabel->setWordWrap(true);
    layout->addWidget(m_nameLabel);

    updateButtonStyle();
    updateStateProperties();

    m_toggle = new QPushButton(this);
    m_toggle->setObjectName(QStringLiteral("pushButton_subProfiles"));
    m_toggle->setProperty("button_type", QStringLiteral("sub_profile_toggle"));
    m_toggle->setProperty(StyleProperties::modelKey, modelKey);
    m_toggle->setFixedSize(20, 60);
    m_toggle->move(width() - 20, 0);
    m_toggle->setCheckable(true);
    m_toggle->hide();
    connect(m_toggle, &QPushButton::clicked, this, &ProfileButton::clickToggle);
}

ProfileButton::~ProfileButton() = default;

void ProfileButton::setActivated(bool activated)
{
    if (m_activated == activated)
        return;
    m_activated = activated;
    updateStateProperties();
}

void ProfileButton::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    updateStateProperties();
}

void ProfileButton::setDefault(bool isDefault)
{
    m_default = isDefault;
    updateButtonStyle();
}

void ProfileButton::setName(const QString &name)
{
    m_name = name;
    m_nameLabel->setText(name);
}

void ProfileButton::setImage(const QPixmap &image)
{
    m_image = image;
    updateIcon();
    updateButtonStyle();
}

void ProfileButton::setHasSubProfiles(bool has)
{
    m_toggle->setVisible(has);
}

bool ProfileButton::hasSubProfiles() const
{
    return !m_toggle->isHidden();
}

void ProfileButton::clickToggle()
{
    emit expandSubProfiles(this);
    m_expanded = !m_expanded;
    m_toggle->setChecked(m_expanded);
}

QSize ProfileButton::sizeHint() const
{
    return ProfileTileStyle::tileSize(m_kind);
}

QSize ProfileButton::minimumSizeHint() const
{
    return ProfileTileStyle::tileSize(m_kind);
}

void ProfileButton::updateButtonStyle()
{
    const QString style = ProfileTileStyle::buttonStyle(m_default, !m_image.isNull(), m_hovered);
    // The bar sets every tile's default mark at each refresh; a style that
    // stays needs no new polish.
    if (m_imageButton->property("button_style").toString() != style) {
        m_imageButton->setProperty("button_style", style);
        StyleProperties::restyle(m_imageButton);
    }
    m_imageButton->update();
}

void ProfileButton::updateStateProperties()
{
    m_nameLabel->setProperty("label_style_activated", stateValue(m_activated));
    m_nameLabel->setProperty("label_style_selected", stateValue(m_selected));
    m_nameLabel->setProperty("label_style_hovered", stateValue(m_hovered));
    StyleProperties::restyle(m_nameLabel);
    m_nameLabel->update();

    m_frame->setProperty("frame_style_activated", stateValue(m_activated));
    m_frame->setProperty("frame_style_selected", stateValue(m_selected));
    m_frame->setProperty("frame_style_hovered", stateValue(m_hovered));
    StyleProperties::restyle(m_frame);
    m_frame->update();
    updateIcon();
}

void ProfileButton::updateIcon()
{
    const QSize size = ProfileTileStyle::iconSize(m_kind, m_hovered, m_selected);
    m_imageButton->setIconSize(size);
    m_imageButton->setIcon(roundedPixmap(m_image, size, ProfileTileStyle::cornerRadius(m_hovered, m_selected)));
}

bool ProfileButton::event(QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        m_hovered = event->type() == QEvent::Enter;
        if (m_default)
            updateButtonStyle();
        updateStateProperties();
        return true;
    }
    return QWidget::event(event);
}
