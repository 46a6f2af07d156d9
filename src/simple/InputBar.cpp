#include "InputBar.h"

#include "AngleInput.h"
#include "ButtonInput.h"
#include "ForcePressInput.h"
#include "InputKinds.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "MouseMovementInput.h"
#include "PackageCreator.h"
#include "ScrollInput.h"
#include "StyleProperties.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

const QSize pictureSize(22, 22);

// The rows whose input can be changed here: nested buttons and scrolls,
// movements, force regions and tilt regions.
bool isEditable(const InputMapActionConfig &mapping)
{
    switch (mapping.inputType) {
    case InputType::Button:
    case InputType::Scroll:
        return mapping.parent != nullptr;
    case InputType::Movement:
    case InputType::ForceRegion:
    case InputType::AngleRegion:
        return true;
    default:
        return false;
    }
}

} // namespace

InputBar::InputBar(InputMapActionConfig *mapping, const QString &modelKey, bool openEditor, QWidget *parent)
    : QWidget(parent)
    , m_mapping(mapping)
    , m_modelKey(modelKey)
    , m_whiteSet(modelKey == QLatin1String("tamsel") || modelKey == QLatin1String("v"))
    , m_model(PackageCreator::instance())
    , m_layout(new QHBoxLayout(this))
    , m_inputButton(new QPushButton(this))
{
    for (const QString &name : InputNaming::pictureNames()) {
        m_blackPictures.insert(name, QPixmap(picturePath(name, false)));
        m_whitePictures.insert(name, QPixmap(picturePath(name, true)));
    }
    describeInput(false);

    m_inputButton->setObjectName(QStringLiteral("inputButton"));
    m_inputButton->setText(m_description.name);
    QPixmap icon = m_picture;
    if (m_mapping && isEditable(*m_mapping)) {
        m_inputButton->setProperty("button_type", QStringLiteral("common"));
        icon = picture(true);
    } else {
        m_inputButton->setProperty("button_type", QStringLiteral("input"));
        m_inputButton->setEnabled(false);
    }
    m_inputButton->setProperty(StyleProperties::modelKey, modelKey);
    showButtonIcon(icon);
    m_inputButton->setFixedSize(190, 30);
    connect(m_inputButton, &QPushButton::clicked, this, &InputBar::showInput);
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_inputButton);

    if (openEditor)
        showInput();
}

QString InputBar::picturePath(const QString &name, bool white)
{
    return QStringLiteral(":/pic/simple_mode/v/mouse_scene/") + name
           + (white ? QStringLiteral("_white.png") : QStringLiteral("_black.png"));
}

QPixmap InputBar::picture(bool white) const
{
    return (white ? m_whitePictures : m_blackPictures).value(m_description.picture);
}

void InputBar::describeInput(bool reset)
{
    if (m_mapping)
        InputNaming::describe(*m_mapping, reset, m_description);
    m_picture = picture(m_whiteSet);
}

void InputBar::showButtonIcon(const QPixmap &icon)
{
    if (icon.isNull())
        return;
    QIcon both;
    both.addPixmap(icon, QIcon::Normal);
    both.addPixmap(icon, QIcon::Disabled);
    m_inputButton->setIcon(both);
    m_inputButton->setIconSize(pictureSize);
}

void InputBar::showInput()
{
    emit shown();
    m_inputButton->hide();
    if (!m_container)
        buildContainer();
    m_container->show();
    m_hideButton->show();
}

void InputBar::buildContainer()
{
    m_container = new QWidget(this);
    m_container->setObjectName(QStringLiteral("inputContainer"));
    m_container->setFixedHeight(30);
    m_container->setProperty("widget_type", QStringLiteral("input_container"));
    m_container->setProperty(StyleProperties::modelKey, m_modelKey);
    auto *layout = new QHBoxLayout(m_container);
    layout->setSpacing(16);
    layout->setContentsMargins(10, 0, 10, 0);

    m_pictureLabel = new QLabel(m_container);
    m_pictureLabel->setFixedSize(pictureSize);
    m_pictureLabel->setPixmap(m_picture.scaled(pictureSize, Qt::IgnoreAspectRatio));
    layout->addWidget(m_pictureLabel);

    m_nameLabel = new QLabel(m_description.name, m_container);
    m_nameLabel->setObjectName(QStringLiteral("inputName"));
    m_nameLabel->setFixedSize(80, 30);
    m_nameLabel->setProperty("label_type", QStringLiteral("input_menu"));
    m_nameLabel->setProperty(StyleProperties::modelKey, m_modelKey);
    m_nameLabel->hide();
    layout->addWidget(m_nameLabel);

    if (m_hideButton) {
        m_layout->insertWidget(m_layout->indexOf(m_hideButton), m_container);
    } else {
        m_hideButton = new QPushButton(this);
        m_hideButton->setObjectName(QStringLiteral("hideInputButton"));
        m_hideButton->setFixedSize(20, 30);
        m_hideButton->setProperty("button_type", QStringLiteral("common"));
        m_hideButton->setProperty("button_style", QStringLiteral("hide_input"));
        m_hideButton->setProperty(StyleProperties::modelKey, m_modelKey);
        connect(m_hideButton, &QPushButton::clicked, this, &InputBar::hideInput);
        m_layout->addWidget(m_container);
        m_layout->addWidget(m_hideButton);
    }

    m_editor = createEditor();
    const bool tilt =
        m_description.editorKind == InputNaming::TiltEditor || m_description.editorKind == InputNaming::PivotEditor;
    if (tilt && m_mapping && !m_mapping->parent) {
        m_nameLabel->setText(InputNaming::topLevelLabel(m_description.name));
        m_nameLabel->show();
    }
    layout->addWidget(m_editor);
    connect(m_editor, &SimpleInputType::syncInputIcon, this, &InputBar::syncIcon);
    connect(m_editor, &SimpleInputType::changeInputType, this, &InputBar::changeInput);
}

SimpleInputType *InputBar::createEditor()
{
    switch (m_description.editorKind) {
    case InputNaming::MovementEditor:
        return new MouseMovementInput(m_mapping, m_modelKey, m_container);
    case InputNaming::ScrollEditor:
        return new ScrollInput(m_mapping, m_modelKey, m_container);
    case InputNaming::ForceEditor:
        return new ForcePressInput(m_mapping, m_modelKey, m_container);
    case InputNaming::TiltEditor:
    case InputNaming::PivotEditor:
        return new AngleInput(m_mapping, m_modelKey, m_container);
    case InputNaming::ButtonEditor:
    default:
        return new ButtonInput(m_mapping, m_modelKey, m_container);
    }
}

void InputBar::hideInput()
{
    if (m_container)
        m_container->hide();
    if (m_hideButton)
        m_hideButton->hide();
    m_inputButton->show();
    emit hidden();
}

void InputBar::changeInput(int inputType)
{
    if (!m_mapping || m_model->loading)
        return;
    // The old record leaves the tree here; it lives on until this change is
    // announced, as the row still points at it.
    const InputMapPtr previous = m_mapping->weak_from_this().lock();
    const InputMapPtr replacement = InputKinds::changeKind(*m_model, m_mapping, inputType);
    if (!replacement)
        return;

    // The editor that asked is still on the stack: it goes later.
    if (m_container) {
        m_container->hide();
        m_hideButton->hide();
        m_container->deleteLater();
    }
    m_container = nullptr;
    m_pictureLabel = nullptr;
    m_nameLabel = nullptr;
    m_editor = nullptr;

    m_mapping = replacement.get();
    describeInput(true);
    syncIcon(m_mapping);
    showInput();
    m_editor->apply();
    emit configChanged(m_mapping);
}

void InputBar::syncIcon(InputMapActionConfig *inputConfig)
{
    if (!inputConfig)
        return;
    setIcon(inputConfig, true);
    showButtonIcon(m_picture);
    setIcon(inputConfig, m_whiteSet);
    m_inputButton->setText(m_description.name);
    if (m_pictureLabel)
        m_pictureLabel->setPixmap(m_picture.scaled(pictureSize, Qt::IgnoreAspectRatio));
    if (inputConfig != m_mapping) {
        m_mapping = inputConfig;
        if (m_editor)
            m_editor->syncConfig(inputConfig);
        emit configChanged(inputConfig);
    }
}

void InputBar::syncConfig(InputMapActionConfig *newConfig)
{
    m_mapping = newConfig;
    if (m_editor)
        m_editor->syncConfig(newConfig);
}

void InputBar::setIcon(InputMapActionConfig *inputConfig, bool useWhiteIcon)
{
    if (inputConfig)
        InputNaming::icon(*inputConfig, m_description);
    m_picture = picture(useWhiteIcon);
}

void InputBar::setButtonIcon(int buttonId, bool useWhiteIcon)
{
    InputMapAction_Button button;
    button.buttonId = buttonId;
    setIcon(&button, useWhiteIcon);
}

void InputBar::setMouseMovementIcon(int index, bool useWhiteIcon)
{
    InputMapAction_Movement movement;
    movement.direction = index;
    setIcon(&movement, useWhiteIcon);
}

void InputBar::setScrollIcon(int index, bool useWhiteIcon)
{
    InputMapAction_Scroll scroll;
    scroll.wheelDirection = index;
    setIcon(&scroll, useWhiteIcon);
}

void InputBar::setAngleIcon(int axisIndex, int angle, bool useWhiteIcon)
{
    InputNaming::angleIcon(axisIndex, angle, m_description);
    m_picture = picture(useWhiteIcon);
}
