#include "GeneralInput.h"

#include "ButtonIds.h"
#include "ComboBox.h"
#include "ForcePress.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "MapWidget.h"
#include "MouseButtons.h"
#include "MouseFunctions.h"
#include "MouseMovement.h"
#include "ScrollWheel.h"
#include "Tilt.h"
#include "ui_GeneralInput.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

bool isForceCapable(int button)
{
    return button == ButtonIds::LeftButton || button == ButtonIds::RightButton || button == ButtonIds::MiddleButton
           || button == ButtonIds::LeftFingertip || button == ButtonIds::RightFingertip;
}

} // namespace

GeneralInput::GeneralInput(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::GeneralInput>())
{
    ui->setupUi(this);
    typeCombo = new ComboBox(ui->widget_type);
    typeCombo->setObjectName(QStringLiteral("comboBox_type"));
    typeCombo->setMinimumWidth(200);
    typeCombo->setMaximumWidth(9999);
    typeCombo->setFixedHeight(30);
    typeCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    typeCombo->setPopupColor(Qt::white);
    typeCombo->popupFollowsWidth = true;
    ui->horizontalLayout_type->addWidget(typeCombo);

    connect(ui->pushButton_ok, &QPushButton::clicked, this, &GeneralInput::addClicked);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &GeneralInput::deleteClicked);
    connect(typeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &GeneralInput::typeChange);

    mouseButtons = new MouseButtons(ui->frame);
    mouseMovement = new MouseMovement(ui->frame);
    scrollWheel = new ScrollWheel(ui->frame);
    forcePress = new ForcePress(ui->frame);
    tilt = new Tilt(ui->frame);
    pages = {mouseButtons, mouseMovement, scrollWheel, forcePress, tilt};
    for (int row = 0; row < int(pages.size()); ++row) {
        pageRows.insert(pages[size_t(row)], row);
        // Below the type row, in creation order.
        ui->verticalLayout->insertWidget(1 + row, pages[size_t(row)]);
    }
    typeChange(0);

    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
}

GeneralInput::~GeneralInput() = default;

void GeneralInput::fillTypeList(int button)
{
    const bool vModel = MouseFunctions::instance()->isVModel();
    pageRows.clear();
    QStringList rows;
    const auto append = [&](InputTypePage *page, const QString &text) {
        if (page)
            pageRows.insert(page, rows.size());
        rows << text;
    };
    append(mouseButtons, tr("Mouse Buttons"));
    append(mouseMovement, tr("Mouse Movement"));
    append(scrollWheel, tr("Scroll Wheel"));
    if (button != ButtonIds::None && (vModel || button == ButtonIds::LeftButton || button == ButtonIds::LeftFingertip))
        append(forcePress, tr("Force Press"));
    if (vModel) {
        append(tilt, tr("Tilt"));
        // The pivot row has no page of its own: it shows the tilt page.
        append(nullptr, tr("Pivot"));
    }
    if (button != ButtonIds::None)
        forcePress->fillForceButtons();
    typeCombo->setItems(rows);
}

void GeneralInput::typeChange(int row)
{
    // The row after "Tilt" is "Pivot": the tilt page in the pivot group.
    InputGroups group = TiltGroup;
    const auto tiltRow = pageRows.constFind(tilt);
    if (tiltRow != pageRows.constEnd() && row > tiltRow.value()) {
        group = PivotGroup;
        --row;
    }
    tilt->show(group);

    InputTypePage *page = pageRows.key(row, nullptr);
    if (page && row >= 0)
        showOnly(page);
}

void GeneralInput::selectPage(InputTypePage *page, int rowAfterPage)
{
    typeCombo->setCurrentIndex(pageRows.value(page) + rowAfterPage);
}

void GeneralInput::showUnlisted(InputTypePage *page)
{
    typeCombo->setCurrentIndex(-1);
    showOnly(page);
}

void GeneralInput::showOnly(InputTypePage *page)
{
    for (InputTypePage *each : pages)
        each->hide();
    current = page;
    current->show();
}

void GeneralInput::showAdd(int forceButton)
{
    ui->pushButton_ok->setText(tr("Add"));
    ui->pushButton_delete->hide();
    ui->widget_type->show();
    tilt->setInputRowVisible(true);

    fillTypeList(forceButton);
    if (pageRows.contains(forcePress)) {
        selectPage(forcePress);
        forcePress->setToggleRegion(forceButton, 50);
    }
    show();
}

int GeneralInput::typeListButton(const InputMapActionConfig *mapping)
{
    const InputMapActionConfig *parent = mapping->parent;
    if (!parent)
        return ButtonIds::None;
    if (parent->inputType == InputType::Button) {
        const int button = static_cast<const InputMapAction_Button *>(parent)->buttonId;
        return isForceCapable(button) ? button : ButtonIds::None;
    }
    if (parent->inputType == InputType::ForceRegion)
        return static_cast<const InputMapAction_Force *>(parent)->buttonId;
    return ButtonIds::None;
}

void GeneralInput::showModify(InputMapActionConfig *mapping, bool typeRowVisible, bool deleteVisible)
{
    ui->pushButton_ok->setText(tr("Ok"));
    ui->pushButton_delete->setVisible(deleteVisible);
    ui->widget_type->setVisible(typeRowVisible);
    tilt->setInputRowVisible(typeRowVisible);

    fillTypeList(typeListButton(mapping));
    loadMapping(mapping);
    show();
}

void GeneralInput::loadMapping(InputMapActionConfig *mapping)
{
    switch (mapping->inputType) {
    case InputType::Button:
        selectPage(mouseButtons);
        mouseButtons->setButton(static_cast<InputMapAction_Button *>(mapping)->buttonId);
        break;
    case InputType::Movement: {
        const auto *movement = static_cast<InputMapAction_Movement *>(mapping);
        selectPage(mouseMovement);
        mouseMovement->setMovement(movement->direction, movement->countDivisor.value(), movement->repeat);
        break;
    }
    case InputType::Scroll:
        selectPage(scrollWheel);
        scrollWheel->setDirection(static_cast<InputMapAction_Scroll *>(mapping)->wheelDirection);
        break;
    case InputType::ForceRegion:
    case InputType::ForceRange: {
        const bool listed = pageRows.contains(forcePress);
        if (listed)
            selectPage(forcePress);
        else
            showUnlisted(forcePress);
        const auto *force = static_cast<InputMapAction_Force *>(mapping);
        if (mapping->inputType == InputType::ForceRegion)
            forcePress->setToggleRegion(force->buttonId, force->entryStart / 10);
        else
            forcePress->setAnalogRange(force->buttonId, force->entryStart / 10, force->entryEnd / 10);
        break;
    }
    case InputType::AngleRegion:
    case InputType::AngleRange: {
        const auto *angle = static_cast<InputMapAction_Angle *>(mapping);
        const bool pivot = angle->axis == 2;
        if (pageRows.contains(tilt))
            selectPage(tilt, pivot ? 1 : 0);
        else
            showUnlisted(tilt);
        tilt->show(pivot ? PivotGroup : TiltGroup);
        if (mapping->inputType == InputType::AngleRegion)
            tilt->setAngleRegion(angle->axis, angle->entryStart, angle->entryEnd, angle->exitStart, angle->exitEnd);
        else
            tilt->setAngleRange(angle->axis, angle->entryStart, angle->entryEnd, angle->exitStart, angle->exitEnd,
                                angle->rangeMode & 1);
        break;
    }
    default:
        break;
    }
}

void GeneralInput::addClicked()
{
    ui->pushButton_ok->setFocus();
    MapWidget *card = current->createMapWidget();
    if (ui->pushButton_ok->text() == tr("Add"))
        emit add(card);
    else
        emit modify(card);
    hide();
}

void GeneralInput::deleteClicked()
{
    emit remove();
    hide();
}

void GeneralInput::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        addClicked();
        break;
    case Qt::Key_Escape:
        hide();
        break;
    default:
        break;
    }
    event->accept();
}
