#include "InputNaming.h"

#include "ButtonIds.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"

#include <QCoreApplication>

namespace {

constexpr int level = 1800;

QString tr(const char *text)
{
    return QCoreApplication::translate("InputBar", text);
}

QString buttonPicture(int buttonId)
{
    return buttonId == ButtonIds::LeftTriggerPull || buttonId == ButtonIds::RightTriggerPull ? QStringLiteral("pull")
                                                                                             : QStringLiteral("push");
}

void movementPicture(int direction, InputDescription &description)
{
    switch (direction) {
    case 0:
        description.picture = QStringLiteral("move_left");
        break;
    case 1:
        description.picture = QStringLiteral("move_right");
        break;
    case 2:
        description.picture = QStringLiteral("move_up");
        break;
    case 3:
        description.picture = QStringLiteral("move_down");
        break;
    case 6:
        description.picture = QStringLiteral("move_any");
        break;
    default:
        break;
    }
}

void scrollIcon(int direction, InputDescription &description)
{
    switch (direction) {
    case 0:
        description.name = tr("Scroll Forward");
        description.picture = QStringLiteral("scroll_forward");
        break;
    case 1:
        description.name = tr("Scroll Back");
        description.picture = QStringLiteral("scroll_back");
        break;
    case 2:
        description.name = tr("Scroll");
        description.picture = QStringLiteral("scroll_all");
        break;
    default:
        break;
    }
}

void tiltIcon(int axis, bool rightSide, int v, InputDescription &description)
{
    static const char *const sides[3][2] = {
        {QT_TRANSLATE_NOOP("InputBar", "Tilt Left"), QT_TRANSLATE_NOOP("InputBar", "Tilt Right")},
        {QT_TRANSLATE_NOOP("InputBar", "Tilt Forward"), QT_TRANSLATE_NOOP("InputBar", "Tilt Backward")},
        {QT_TRANSLATE_NOOP("InputBar", "Pivot Left"), QT_TRANSLATE_NOOP("InputBar", "Pivot Right")}};
    static const char *const pictures[3][2] = {
        {"tilt_left", "tilt_right"}, {"tilt_forward", "tilt_back"}, {"pivot_left", "pivot_right"}};
    if (axis < 0 || axis > 2)
        return;
    const int side = rightSide ? 1 : 0;
    description.name =
        tr(sides[axis][side]) + QLatin1Char(' ') + QString::number(qAbs(v - level) / 10.0, 'g', 6) + QChar(0x00B0);
    description.picture = QLatin1String(pictures[axis][side]);
}

// The entry end tells the side; the angle is read from the entry end on the
// left side and from the entry start on the right.
void tiltIcon(const InputMapAction_Angle &angle, InputDescription &description)
{
    const bool rightSide = angle.entryEnd > level;
    tiltIcon(angle.axis, rightSide, rightSide ? angle.entryStart : angle.entryEnd, description);
}

int tiltEditor(int axis)
{
    return axis == 2 ? InputNaming::PivotEditor : InputNaming::TiltEditor;
}

} // namespace

const QStringList &InputNaming::pictureNames()
{
    static const QStringList names{
        QStringLiteral("force_press"),    QStringLiteral("move_any"),     QStringLiteral("move_left"),
        QStringLiteral("move_right"),     QStringLiteral("move_down"),    QStringLiteral("move_up"),
        QStringLiteral("scroll_forward"), QStringLiteral("scroll_back"),  QStringLiteral("scroll_all"),
        QStringLiteral("push"),           QStringLiteral("pull"),         QStringLiteral("tilt_left"),
        QStringLiteral("tilt_right"),     QStringLiteral("tilt_forward"), QStringLiteral("tilt_back"),
        QStringLiteral("pivot_left"),     QStringLiteral("pivot_right")};
    return names;
}

void InputNaming::describe(InputMapActionConfig &mapping, bool reset, InputDescription &description)
{
    if (auto *force = dynamic_cast<InputMapAction_Force *>(&mapping);
        force && mapping.inputType == InputType::ForceRegion && mapping.parent) {
        if (const auto *button = dynamic_cast<const InputMapAction_Button *>(mapping.parent))
            force->buttonId = button->buttonId;
        else if (const auto *parentForce = dynamic_cast<const InputMapAction_Force *>(mapping.parent))
            force->buttonId = parentForce->buttonId;
    }

    switch (mapping.inputType) {
    case InputType::Button:
        if (auto *button = dynamic_cast<InputMapAction_Button *>(&mapping)) {
            if (reset)
                button->buttonId = ButtonIds::LeftButton;
            description.name = ButtonIds::name(button->buttonId, false);
            if (button->buttonId >= 0 && button->buttonId < ButtonIds::None)
                description.picture = buttonPicture(button->buttonId);
        }
        description.editorKind = ButtonEditor;
        break;
    case InputType::Movement:
        if (auto *movement = dynamic_cast<InputMapAction_Movement *>(&mapping)) {
            if (reset) {
                movement->direction = 6;
                movement->countDivisor.setValue(5);
                movement->repeat = 0;
            }
            movementPicture(movement->direction, description);
        }
        description.name = tr("Movement");
        description.editorKind = MovementEditor;
        break;
    case InputType::Scroll:
        if (auto *scroll = dynamic_cast<InputMapAction_Scroll *>(&mapping)) {
            if (reset)
                scroll->wheelDirection = 0;
            scrollIcon(scroll->wheelDirection, description);
        }
        description.editorKind = ScrollEditor;
        break;
    case InputType::ForceRegion:
        if (auto *force = dynamic_cast<InputMapAction_Force *>(&mapping); force && reset) {
            force->entryStart = 500;
            force->entryEnd = 1000;
            force->exitStart = 400;
            force->exitEnd = 1000;
        }
        description.name = tr("Force Press");
        description.picture = QStringLiteral("force_press");
        description.editorKind = ForceEditor;
        break;
    case InputType::AngleRegion:
        if (auto *angle = dynamic_cast<InputMapAction_Angle *>(&mapping)) {
            if (reset) {
                angle->axis = 0;
                angle->entryStart = 0;
                angle->entryEnd = 1788;
                angle->exitStart = 0;
                angle->exitEnd = 1793;
            }
            tiltIcon(*angle, description);
            description.editorKind = tiltEditor(angle->axis);
        }
        break;
    case InputType::AngleRange:
        if (auto *angle = dynamic_cast<InputMapAction_Angle *>(&mapping)) {
            if (reset)
                angle->axis = 0;
            if (angle->axis == 0)
                description.name = tr("Analog Tilt Left/Right");
            else if (angle->axis == 1)
                description.name = tr("Analog Tilt Forward/Back");
            else if (angle->axis == 2)
                description.name = tr("Analog Pivot");
            description.editorKind = tiltEditor(angle->axis);
        }
        break;
    default:
        break;
    }
}

void InputNaming::icon(const InputMapActionConfig &mapping, InputDescription &description)
{
    if (const auto *button = dynamic_cast<const InputMapAction_Button *>(&mapping)) {
        description.name = ButtonIds::name(button->buttonId, false);
        description.picture = buttonPicture(button->buttonId);
    } else if (const auto *movement = dynamic_cast<const InputMapAction_Movement *>(&mapping)) {
        movementPicture(movement->direction, description);
    } else if (const auto *scroll = dynamic_cast<const InputMapAction_Scroll *>(&mapping)) {
        scrollIcon(scroll->wheelDirection, description);
    } else if (dynamic_cast<const InputMapAction_Force *>(&mapping)) {
        description.picture = QStringLiteral("force_press");
    } else if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(&mapping)) {
        tiltIcon(*angle, description);
    }
}

void InputNaming::angleIcon(int axis, int v, InputDescription &description)
{
    tiltIcon(axis, v > level, v, description);
}

QString InputNaming::topLevelLabel(const QString &name)
{
    const int blank = name.indexOf(QLatin1Char(' '), 8);
    return blank < 0 ? name : name.left(blank);
}
