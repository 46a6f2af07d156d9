#include "OutputAction.h"

#include "ui_OutputAction.h"

#include "ActAlternate.h"
#include "ActRepeat.h"
#include "ActStop.h"
#include "ActWait.h"
#include "AnalogController.h"
#include "ComboBox.h"
#include "JoystickButtons.h"
#include "KeyFunction.h"
#include "KeyLetter.h"
#include "KeyMedia.h"
#include "KeyModifier.h"
#include "KeyPad.h"
#include "KeySymbol.h"
#include "KeyText.h"
#include "LightingLogo.h"
#include "LightingOled.h"
#include "MouseClick.h"
#include "MouseFunctions.h"
#include "MousePointer.h"
#include "MouseScroll.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"
#include "PackageCreator.h"
#include "ProfileChange.h"
#include "TiltAngles.h"
#include "TrackingDpi.h"
#include "TrackingLift.h"
#include "Vibration.h"

#include <QDebug>
#include <QLabel>

namespace {

constexpr int categoryComboWidth = 240;
constexpr int categoryPopupWidth = 270;
constexpr int keyboardPopupWidth = 180;
constexpr int wideComboWidth = 264;
// A profile's own outputs follow its eight settings records in the package.
constexpr int settingsListIndexBase = 8;
// The first sub-type row of the sequence steps the user sees: Wait.
constexpr int firstStepRow = 3;

template<class Record>
bool isA(const OutputActionConfig &record)
{
    return dynamic_cast<const Record *>(&record) != nullptr;
}

QString frameStyle(bool invalid)
{
    return invalid ? QStringLiteral("QFrame#frame_top { border: 1px dotted rgb(255, 89, 89); }")
                   : QStringLiteral("QFrame#frame_top { border: 1px dotted rgba(0, 0, 0, 69); }");
}

} // namespace

OutputAction::OutputAction(int number, int inputKind, int axis, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::OutputAction>())
    , model(PackageCreator::instance())
    , m_number(number)
    , inputKind(inputKind)
    , axis(axis)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->pushButton_help->setToolTip(QString());
    ui->pushButton_delete->setToolTip(tr("Delete output"));
    ui->pushButton_duplicate->setToolTip(tr("Duplicate output"));
    ui->pushButton_drag->setToolTip(tr("Click and drag to re-order outputs"));

    categoryCombo = new ComboBox(ui->frame_top);
    categoryCombo->setObjectName(QStringLiteral("categoryCombo"));
    categoryCombo->setFixedSize(categoryComboWidth, oawidget::comboHeight);
    const QStringList titles = categories().values();
    categoryCombo->setItems(QStringList{tr("Select Output Type")} + titles);
    categoryCombo->setPopupItems(titles);
    categoryCombo->setPopupWidth(categoryPopupWidth);
    // The kit's combo checks the row it was last set to when its pop-up is
    // first built: set none, then show the first item through the base.
    categoryCombo->setCurrentIndex(-1);
    categoryCombo->QComboBox::setCurrentIndex(0);
    ui->horizontalLayout->insertWidget(1, categoryCombo);
    connect(categoryCombo, &ComboBox::selected, this, &OutputAction::chooseCategory);
    connect(categoryCombo, &ComboBox::selected, this, &OutputAction::updateView);

    ui->widget_2row->hide();
    ui->pushButton_help->hide();
    ui->pushButton_duplicate->hide();
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &OutputAction::deleteMe);
    connect(ui->pushButton_duplicate, &QPushButton::pressed, this, &OutputAction::duplicateMe);
    connect(ui->pushButton_drag, &QPushButton::pressed, this, &OutputAction::dragMe);
    setNumber(number);
}

OutputAction::~OutputAction()
{
    // A page's spin box finishes its edit when it loses the focus on the way
    // out, and saves: nothing of that may reach a row being destroyed.
    for (oawidget *p : qAsConst(pages))
        disconnect(p, nullptr, this, nullptr);
}

QMap<int, QString> OutputAction::categories() const
{
    QMap<int, QString> map;
    if (inputKind == AnalogTilt) {
        map.insert(0, tr("Joystick Axis"));
        return map;
    }
    if (inputKind == AnalogForce) {
        map.insert(0, tr("Joystick Slider"));
        return map;
    }
    const MouseFunctions *device = MouseFunctions::instance();
    map.insert(MouseCategory, tr("Mouse"));
    map.insert(KeyboardCategory, tr("Keyboard & Media"));
    if (device->hasHaptics())
        map.insert(VibrationCategory, tr("Vibration"));
    if (device->hasBacklight())
        map.insert(LightingCategory, device->isVModel() ? tr("OLED Screen & Logo Backlight") : tr("Logo Backlight"));
    map.insert(StepsCategory, tr("Repeat / Wait / Stop / Alternate"));
    map.insert(JoystickButtonsCategory, tr("Joystick Buttons"));
    map.insert(TrackingCategory, tr("DPI & Tracking"));
    map.insert(ProfileCategory, tr("Set Profile / Reset Angles"));
    return map;
}

QStringList OutputAction::subTypeItems(Category category, int minimumRows) const
{
    const MouseFunctions *device = MouseFunctions::instance();
    QStringList all;
    int offered = 0;
    switch (category) {
    case MouseCategory:
        all = QStringList{tr("Mouse Click"), tr("Scroll"), tr("Movement")};
        offered = all.size();
        break;
    case KeyboardCategory:
        all = QStringList{tr("Text String"), tr("Letters & Numbers"),
                          tr("Symbols"),     tr("Modifiers & Actions"),
                          tr("Functions"),   tr("Keypad"),
                          tr("Media")};
        offered = all.size();
        break;
    case LightingCategory:
        all = QStringList{tr("Logo Backlight"), tr("OLED")};
        offered = device->hasBacklight() ? (device->isVModel() ? 2 : 1) : 0;
        break;
    case StepsCategory:
        all = QStringList{tr("Alternate"), tr("Repeat From"), tr("Stop Looping"), tr("Wait")};
        offered = all.size();
        break;
    case TrackingCategory:
        all = QStringList{tr("DPI"), tr("Lift Off Height")};
        offered = all.size();
        break;
    case ProfileCategory:
        all = QStringList{tr("Profile Change"), tr("Reset / Calibrate Tilt Angles")};
        offered = device->isVModel() ? 2 : 1;
        break;
    case VibrationCategory:
    case JoystickButtonsCategory:
    case JoystickCategory:
        break;
    }
    return all.mid(0, qMax(offered, minimumRows));
}

OutputAction::PageKind OutputAction::kindAt(Category category, int row)
{
    static const QVector<PageKind> mouse{MouseClickPage, ScrollPage, PointerPage};
    static const QVector<PageKind> keyboard{TextPage,      LettersPage, SymbolsPage, ModifiersPage,
                                            FunctionsPage, KeypadPage,  MediaPage};
    static const QVector<PageKind> lighting{LogoPage, OledPage};
    static const QVector<PageKind> steps{AlternatePage, RepeatPage, StopPage, WaitPage};
    static const QVector<PageKind> tracking{DpiPage, LiftPage};
    static const QVector<PageKind> profileAndTilt{ProfilePage, TiltPage};
    const QVector<PageKind> *rows = nullptr;
    switch (category) {
    case MouseCategory:
        rows = &mouse;
        break;
    case KeyboardCategory:
        rows = &keyboard;
        break;
    case VibrationCategory:
        return VibrationPage;
    case LightingCategory:
        rows = &lighting;
        break;
    case StepsCategory:
        rows = &steps;
        break;
    case JoystickButtonsCategory:
        return JoystickButtonsPage;
    case TrackingCategory:
        rows = &tracking;
        break;
    case ProfileCategory:
        rows = &profileAndTilt;
        break;
    case JoystickCategory:
        return JoystickPage;
    }
    return rows && row >= 0 && row < rows->size() ? rows->at(row) : NoPage;
}

bool OutputAction::placementOf(const OutputActionConfig &record, Placement *placement) const
{
    bool fits = false;
    switch (record.typeCode) {
    case OutputType::MousePointer:
        *placement = {MouseCategory, 2};
        fits = isA<OutputAction_Mouse>(record);
        break;
    case OutputType::MouseButton:
        *placement = {MouseCategory, 0};
        fits = isA<OutputAction_Mouse>(record);
        break;
    case OutputType::MouseScroll:
        *placement = {MouseCategory, 1};
        fits = isA<OutputAction_Mouse>(record);
        break;
    case OutputType::Key:
        fits = isA<OutputAction_Keyboard>(record);
        if (fits) {
            // A group outside the pickers' (the file reader leaves 0 for a
            // usage its tables do not place) is taken from the usage; a usage
            // no picker lists shows on the letters, with no key selected.
            const auto &key = static_cast<const OutputAction_Keyboard &>(record);
            int group = key.keyGroup;
            if (group < 1 || group > 5) {
                group = 1;
                for (int g = 1; g <= 5; ++g) {
                    if (OutputAction_Keyboard::keyNameIndex(g, key.keyUsage) >= 0) {
                        group = g;
                        break;
                    }
                }
            }
            *placement = {KeyboardCategory, group};
        }
        break;
    case OutputType::MediaKey:
        *placement = {KeyboardCategory, 6};
        fits = isA<OutputAction_Keyboard>(record);
        break;
    case OutputType::KeyString:
        *placement = {KeyboardCategory, 0};
        fits = isA<OutputAction_Keyboard>(record);
        break;
    case OutputType::JoystickStick:
    case OutputType::JoystickSlider:
        // The joystick page, in a digital list as well.
        *placement = {JoystickCategory, 0};
        fits = isA<OutputAction_Joystick>(record);
        break;
    case OutputType::JoystickButton:
        *placement = {JoystickButtonsCategory, 0};
        fits = isA<OutputAction_Joystick>(record);
        break;
    case OutputType::Haptic:
        *placement = {VibrationCategory, 0};
        fits = isA<OutputAction_Haptic>(record);
        break;
    case OutputType::ProfileSelect:
    case OutputType::ProfileJump:
        *placement = {ProfileCategory, 0};
        fits = isA<OutputAction_Profile>(record);
        break;
    case OutputType::DpiSelect:
        *placement = {TrackingCategory, 0};
        fits = isA<OutputAction_Tracking>(record);
        break;
    case OutputType::LiftOff:
        *placement = {TrackingCategory, 1};
        fits = isA<OutputAction_Tracking>(record);
        break;
    case OutputType::Led:
        *placement = {LightingCategory, 0};
        fits = isA<OutputAction_Led>(record);
        break;
    case OutputType::OledShow:
    case OutputType::OledPrevious:
    case OutputType::OledFlash:
        *placement = {LightingCategory, 1};
        fits = isA<OutputAction_Oled>(record);
        break;
    case OutputType::RepeatFrom:
        *placement = {StepsCategory, 1};
        fits = isA<OutputAction_Act>(record);
        break;
    case OutputType::Alternate:
        *placement = {StepsCategory, 0};
        fits = isA<OutputAction_Act>(record);
        break;
    case OutputType::StopLooping:
        *placement = {StepsCategory, 2};
        fits = isA<OutputAction_Act>(record);
        break;
    case OutputType::Wait:
        *placement = {StepsCategory, 3};
        fits = isA<OutputAction_Act>(record);
        break;
    case OutputType::TiltReset:
        *placement = {ProfileCategory, 1};
        fits = isA<OutputAction_Tilts>(record);
        break;
    default:
        break;
    }
    return fits;
}

void OutputAction::chooseCategory(int popupRow)
{
    const QList<int> keys = categories().keys();
    if (popupRow < 0 || popupRow >= keys.size())
        return;
    const int key = keys.at(popupRow);
    const Category category = isAnalogList() ? JoystickCategory : Category(key);
    buildCategory(category, category == StepsCategory ? firstStepRow : 0);
    current->save();
    emit typeSelected(true);
}

void OutputAction::load(const OutputPtr &record)
{
    Placement placement{MouseCategory, 0};
    if (!record || !placementOf(*record, &placement)) {
        qWarning().noquote() << QStringLiteral("OutputAction: no page shows a record of output type %1")
                                    .arg(record ? record->typeCode : -1);
        return;
    }
    buildCategory(placement.category, placement.row);
    if (!current)
        return;
    current->save();
    emit typeSelected(true);
    current->load(record);
}

void OutputAction::buildCategory(Category category, int row)
{
    categoryCombo->hide();
    typeChosen = true;
    currentCategory = category;
    if (subTypeCombo)
        subTypeCombo->hide();
    subTypeCombo = nullptr;

    const QStringList items = subTypeItems(category, row + 1);
    if (!items.isEmpty()) {
        ComboBox *&combo = subTypeCombos[size_t(category)];
        if (!combo) {
            combo = new ComboBox(ui->frame_top);
            combo->setObjectName(QStringLiteral("subTypeCombo"));
            combo->setFixedSize(category == ProfileCategory ? wideComboWidth : oawidget::comboWidth,
                                oawidget::comboHeight);
            if (category == KeyboardCategory)
                combo->setPopupWidth(keyboardPopupWidth);
            combo->setItems(items);
            ui->horizontalLayout->insertWidget(nextComboPosition++, combo);
            if (category == StepsCategory) {
                connect(combo, &ComboBox::selected, this, &OutputAction::actSelected);
            } else {
                connect(combo, &ComboBox::selected, this, [this, category](int r) { choosePage(category, r); });
            }
            connect(combo, &ComboBox::selected, this, &OutputAction::updateView);
        } else if (combo->count() < items.size()) {
            const QSignalBlocker block(combo);
            combo->setItems(items);
        }
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(row);
        combo->show();
        subTypeCombo = combo;
    }
    if (category == StepsCategory) {
        // The four steps share one combo: their pages are made together.
        for (const PageKind kind : {AlternatePage, RepeatPage, StopPage, WaitPage})
            page(kind);
    }
    choosePage(category, row);
}

void OutputAction::actSelected(int index)
{
    choosePage(StepsCategory, index);
}

void OutputAction::choosePage(Category category, int row)
{
    const PageKind kind = kindAt(category, row);
    if (kind == NoPage)
        return;
    oawidget *chosen = page(kind);
    // A Repeat From page made earlier may offer the targets of an older
    // place of the row.
    if (kind == RepeatPage && chosen != current && currentKind != NoPage)
        static_cast<ActRepeat *>(chosen)->updateRowCount(m_number);
    current = chosen;
    currentKind = kind;
    // A page made without a record gets one now, so that the row always
    // has one to save.
    current->ensureConfig();
    if (!model->loading) {
        updateView();
        emit updated();
    }
    if (kind == RepeatPage)
        emit checkOutputs(OutputType::RepeatFrom);
}

oawidget *OutputAction::page(PageKind kind)
{
    oawidget *&slot = pageOfKind[size_t(kind)];
    if (slot)
        return slot;
    slot = makePage(kind);
    oawidget *made = slot;
    connect(made, &oawidget::updated, this, &OutputAction::save);
    pages.append(made);
    ui->horizontalLayout_1row->addWidget(made);
    if (QWidget *second = made->extraRowWidget()) {
        ui->horizontalLayout_2row->insertWidget(1, second);
        if (kind == JoystickPage) {
            ui->horizontalSpacer_2row->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
            ui->horizontalLayout_2row->invalidate();
        }
        setMinimumHeight(twoLineHeight);
        ui->widget_2row->show();
    }
    switch (kind) {
    case MouseClickPage:
    case LettersPage:
    case SymbolsPage:
    case ModifiersPage:
    case FunctionsPage:
    case KeypadPage:
    case MediaPage:
    case JoystickButtonsPage:
        connect(made, &oawidget::autoReleaseAdd, this, &OutputAction::autoReleaseAdd);
        break;
    default:
        break;
    }
    made->hide();
    return made;
}

// Each page is made in the widget of the row's first line, where it stays:
// moved there, it and all its controls would take their styles anew.
oawidget *OutputAction::makePage(PageKind kind)
{
    QWidget *line = ui->widget_action;
    switch (kind) {
    case MouseClickPage:
        return new MouseClick(line);
    case ScrollPage:
        return new MouseScroll(line);
    case PointerPage:
        return new MousePointer(line);
    case TextPage:
        return new KeyText(line);
    case LettersPage:
        return new KeyLetter(line);
    case SymbolsPage:
        return new KeySymbol(line);
    case ModifiersPage:
        return new KeyModifier(line);
    case FunctionsPage:
        return new KeyFunction(line);
    case KeypadPage:
        return new KeyPad(line);
    case MediaPage:
        return new KeyMedia(line);
    case VibrationPage:
        return new Vibration(line);
    case LogoPage:
        return new LightingLogo(line);
    case OledPage:
        return new LightingOled(line);
    case AlternatePage:
        return new ActAlternate(line);
    case RepeatPage: {
        auto *repeat = new ActRepeat(m_number - 1, line);
        repeat->setIndexBase(inputKind == SettingsList ? settingsListIndexBase : 0);
        return repeat;
    }
    case StopPage:
        return new ActStop(line);
    case WaitPage:
        return new ActWait(line);
    case JoystickButtonsPage:
        return new JoystickButtons(line);
    case DpiPage:
        return new TrackingDpi(line);
    case LiftPage:
        return new TrackingLift(line);
    case ProfilePage:
        return new ProfileChange(line);
    case TiltPage:
        return new TiltAngles(line);
    case JoystickPage:
        return new AnalogController(axis, inputKind == AnalogForce, line);
    case pageKindCount:
        break;
    }
    return nullptr;
}

void OutputAction::updateView()
{
    if (!current)
        return;
    for (oawidget *p : qAsConst(pages)) {
        if (p != current)
            p->hide();
    }
    current->show();
    if (current->isAdvanced()) {
        setMinimumHeight(advancedHeight);
        ui->widget_2row->show();
    } else if (current->hasExtraRow()) {
        setMinimumHeight(twoLineHeight);
        ui->widget_2row->show();
    } else {
        setMinimumHeight(oneLineHeight);
        ui->widget_2row->hide();
    }

    QString help;
    switch (currentKind) {
    case ModifiersPage:
        help = tr("Please note that Caps Lock needs to be held down\nfor at least 80ms to take effect");
        break;
    case OledPage:
        help = tr("Use the 'Show Previous' Output Action\nto close the current OLED display\nand show the previous "
                  "OLED display");
        break;
    case VibrationPage:
        help = tr("Vibration strength over 100% is 'overdrive\nmode', which can cause 'rattling' for longer\n"
                  "vibration duration");
        break;
    case ProfilePage:
        help = tr("Output actions following a profile change don`t activate");
        break;
    case TiltPage:
        help = tr("Sets the current mouse orientation (angle)\nas the neutral (zero degrees) position");
        break;
    default:
        break;
    }
    ui->pushButton_help->setToolTip(help);
    ui->pushButton_help->setVisible(!help.isEmpty());
    const bool once = currentKind == AlternatePage || currentKind == RepeatPage || currentKind == StopPage
                      || currentKind == ProfilePage;
    ui->pushButton_duplicate->setVisible(!once);
}

void OutputAction::save()
{
    if (model->loading)
        return;
    updateView();
    emit updated();
}

OutputPtr OutputAction::config() const
{
    return current ? current->config() : OutputPtr();
}

bool OutputAction::isInvalid() const
{
    return current && current->isInvalid();
}

void OutputAction::setInvalid(bool invalid)
{
    // Every save sets every row: restyling only on a change keeps a long
    // sequence quick.
    if (invalid == markedInvalid)
        return;
    markedInvalid = invalid;
    ui->frame_top->setStyleSheet(frameStyle(invalid));
}

void OutputAction::setNumber(int number)
{
    m_number = number;
    ui->label_num->setText(QStringLiteral("#%1").arg(number));
    if (typeChosen && currentKind == RepeatPage)
        static_cast<ActRepeat *>(current)->updateRowCount(number);
}

QPoint OutputAction::dragHotSpot() const
{
    return ui->pushButton_drag->mapTo(this, ui->pushButton_drag->rect().center());
}

bool OutputAction::isReleaseOf(const OutputAction *other) const
{
    const OutputPtr mine = config();
    const OutputPtr theirs = other ? other->config() : OutputPtr();
    if (!mine || !theirs || mine->typeCode != theirs->typeCode)
        return false;
    switch (mine->typeCode) {
    case OutputType::MouseButton: {
        const auto *a = dynamic_cast<const OutputAction_Mouse *>(mine.get());
        const auto *b = dynamic_cast<const OutputAction_Mouse *>(theirs.get());
        return a && b && a->buttonId == b->buttonId && a->buttonState == OutputActionConfig::ButtonRelease;
    }
    case OutputType::Key:
    case OutputType::MediaKey: {
        const auto *a = dynamic_cast<const OutputAction_Keyboard *>(mine.get());
        const auto *b = dynamic_cast<const OutputAction_Keyboard *>(theirs.get());
        const bool sameKey =
            a && b && (mine->typeCode == OutputType::Key ? a->keyUsage == b->keyUsage : a->mediaUsage == b->mediaUsage);
        return sameKey && currentKind == other->currentKind && a->buttonState == OutputActionConfig::ButtonRelease;
    }
    case OutputType::JoystickButton: {
        const auto *a = dynamic_cast<const OutputAction_Joystick *>(mine.get());
        const auto *b = dynamic_cast<const OutputAction_Joystick *>(theirs.get());
        return a && b && a->buttonId == b->buttonId && a->buttonState == OutputActionConfig::ButtonRelease;
    }
    default:
        qWarning() << "OutputAction: Invalid output type being checked for release";
        return false;
    }
}

void OutputAction::makePlaceholder()
{
    categoryCombo->hide();
    ui->pushButton_delete->hide();
    ui->pushButton_drag->hide();
    if (!placeholderLabel) {
        placeholderLabel = new QLabel(tr("Press Keyboard Keys to Create Output Actions"), ui->frame_top);
        placeholderLabel->setObjectName(QStringLiteral("placeholderLabel"));
        ui->horizontalLayout->insertWidget(1, placeholderLabel);
    }
}

void OutputAction::refreshProfileList()
{
    const OutputPtr record = config();
    if (currentKind == ProfilePage && record && record->typeCode == OutputType::ProfileJump)
        static_cast<ProfileChange *>(current)->refreshAndSave();
}
