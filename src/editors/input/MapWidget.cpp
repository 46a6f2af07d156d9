#include "MapWidget.h"

#include "ui_MapWidget.h"

#include "ActionLibrary.h"
#include "AppFont.h"
#include "ButtonWidget.h"
#include "ConfigFile.h"
#include "CustomMessageBox.h"
#include "DisplayText.h"
#include "ForcePressWidget.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "LoadingGuard.h"
#include "MappingClipboard.h"
#include "MenuList.h"
#include "MovementWidget.h"
#include "OutputActions.h"
#include "OutputBar.h"
#include "PackageCreator.h"
#include "ScrollWidget.h"
#include "TiltAnalogWidget.h"
#include "TiltWidget.h"

#include <QDebug>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QSpacerItem>
#include <QStandardItemModel>

namespace {

const QColor topLevelColor(72, 72, 74);
// A channel stops growing once it reaches this.
constexpr int lightestChannel = 155;
constexpr int shadeStep = 8;
constexpr int menuWidth = 170;
constexpr int pickerPosition = 3; // after the press summary
// Widths kept before the kept widths are forgotten.
constexpr int rememberedWidths = 4096;

bool isAnalog(int inputType)
{
    return inputType == InputType::ForceRange || inputType == InputType::AngleRange;
}

bool hasForceSensor(int buttonId)
{
    switch (buttonId) {
    case ButtonIds::LeftButton:
    case ButtonIds::RightButton:
    case ButtonIds::MiddleButton:
    case ButtonIds::LeftFingertip:
    case ButtonIds::RightFingertip:
        return true;
    default:
        return false;
    }
}

// The button that "Add" offers a Force Press on: that of a button or force
// region mapping on a force-sensing button; None otherwise.
ButtonIds::Id forceButtonOf(const InputMapActionConfig *mapping)
{
    int id = ButtonIds::None;
    if (mapping->inputType == InputType::Button)
        id = static_cast<const InputMapAction_Button *>(mapping)->buttonId;
    else if (mapping->inputType == InputType::ForceRegion)
        id = static_cast<const InputMapAction_Force *>(mapping)->buttonId;
    return hasForceSensor(id) ? ButtonIds::Id(id) : ButtonIds::None;
}

// A page measures the four texts of each of its cards whenever it shows,
// most of them as they were and many alike: the widths are kept by text for
// the font they were measured in.
int textWidth(const QFont &font, const QString &text)
{
    static QFont measuredIn;
    static QHash<QString, int> widths;
    if (measuredIn != font || widths.size() >= rememberedWidths) {
        measuredIn = font;
        widths.clear();
    }
    const auto known = widths.constFind(text);
    if (known != widths.constEnd())
        return *known;
    const int width = QFontMetrics(font).horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}

} // namespace

MapWidget::MapWidget(bool topLevel, bool isGlobal, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MapWidget>())
    , m_model(PackageCreator::instance())
    , m_color(topLevelColor)
    , m_font(appFont())
    , m_topLevel(topLevel)
    , m_global(isGlobal)
{
    setUp();
}

MapWidget::MapWidget(bool isGlobal, MapWidget *parentCard, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MapWidget>())
    , m_model(PackageCreator::instance())
    , m_color(parentCard ? nestedColor(parentCard->m_color) : topLevelColor)
    , m_font(appFont())
    , m_topLevel(!parentCard)
    , m_global(isGlobal)
{
    setUp();
}

MapWidget::~MapWidget()
{
    delete m_pressOutputs;
    delete m_releaseOutputs;
}

OutputActions *MapWidget::pressOutputs() const
{
    return m_pressOutputs;
}

OutputActions *MapWidget::releaseOutputs() const
{
    return m_releaseOutputs;
}

void MapWidget::setUp()
{
    setStyleSheet(QStringLiteral("QWidget { background-color: %1; }").arg(m_color.name()));
    ui->setupUi(this);
    ui->verticalLayout_left->setAlignment(ui->pushButton_menu, Qt::AlignTop);

    // A click makes the card current first, then asks for what was clicked.
    const auto clickedThen = [this](void (MapWidget::*then)()) {
        return [this, then] {
            emit clicked();
            (this->*then)();
        };
    };
    connect(ui->pushButton_topLeft, &QPushButton::clicked, this, clickedThen(&MapWidget::inputPress));
    connect(ui->pushButton_botLeft, &QPushButton::clicked, this, clickedThen(&MapWidget::inputRelease));
    connect(ui->pushButton_topRight, &QPushButton::clicked, this, clickedThen(&MapWidget::outputPress));
    connect(ui->pushButton_botRight, &QPushButton::clicked, this, clickedThen(&MapWidget::outputRelease));
    connect(ui->pushButton_menu, &QPushButton::clicked, this, clickedThen(&MapWidget::showMenu));
    connect(ui->pushButton_actionLibrary, &QPushButton::clicked, this, &MapWidget::showExpertLibrary);
    connect(ui->pushButton_Record, &QPushButton::clicked, this, &MapWidget::startRecording);
    connect(ui->pushButton_edit_top, &QPushButton::clicked, this, clickedThen(&MapWidget::outputPress));
    connect(ui->pushButton_edit_bot, &QPushButton::clicked, this, clickedThen(&MapWidget::outputRelease));

    // Drawn in the font they are sized by (adjustWidths).
    for (QPushButton *text :
         {ui->pushButton_topLeft, ui->pushButton_topRight, ui->pushButton_botLeft, ui->pushButton_botRight})
        text->setFont(appFont());
    ui->pushButton_edit_top->hide();
    ui->pushButton_edit_bot->hide();
    ui->widget_top->installEventFilter(this);
    ui->widget_bot->installEventFilter(this);
}

QColor MapWidget::nestedColor(const QColor &parent)
{
    const auto lighter = [](int channel) { return channel < lightestChannel ? channel + shadeStep : channel; };
    return QColor(lighter(parent.red()), lighter(parent.green()), lighter(parent.blue()), 255);
}

void MapWidget::copyAngleSettings(const InputMapAction_Angle *) {}

void MapWidget::applyDefaults() {}

void MapWidget::applyRestrictions() {}

void MapWidget::setConfig(const InputMapPtr &config)
{
    m_config = config;
}

// Few of a page's cards ever open their picker: each makes it when first
// needed, in the widget of the row it goes into (moved there, it would take
// its styles anew, and so would everything in it).
OutputBar *MapWidget::picker()
{
    if (m_outputBar || !m_config)
        return m_outputBar;
    m_outputBar = new OutputBar(m_config.get(), QStringLiteral("v"), false, ui->horizontalLayout_top->parentWidget());
    m_outputBar->setObjectName(QStringLiteral("outputBar"));
    m_outputBar->setFixedHeight(20);
    m_outputBar->setMinimumWidth(400);
    m_outputBar->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_outputBar->hide();
    ui->horizontalLayout_top->insertWidget(pickerPosition, m_outputBar);
    if (m_libraryModel)
        m_outputBar->setOutputModel(m_libraryModel, m_libraryEntries);
    connect(m_outputBar, &OutputBar::configChanged, this, [this](InputMapActionConfig *newConfig) {
        followConfig(newConfig);
        syncMapping();
        emit syncOutputs(newConfig);
    });
    connect(m_outputBar, &OutputBar::childMappingAdded, this, &MapWidget::addChildMapWidget);
    connect(m_outputBar, &OutputBar::viewOutputs, this, [this] {
        emit clicked();
        emit outputPress();
    });
    connect(m_outputBar, &OutputBar::hideActionLibrary, this, &MapWidget::hideExpertLibrary);
    return m_outputBar;
}

OutputBar *MapWidget::outputBar() const
{
    return const_cast<MapWidget *>(this)->picker();
}

// The picker works on a copy once it copied an inherited mapping into the
// current profile; the card shows and edits that copy from then on.
void MapWidget::followConfig(InputMapActionConfig *newConfig)
{
    if (!newConfig || newConfig == m_config.get())
        return;
    InputMapPtr held = newConfig->weak_from_this().lock();
    if (!held || typeid(*held) != typeid(*m_config)) {
        qWarning() << "MapWidget: the picker's mapping cannot be shown on this card";
        return;
    }
    m_config = held;
}

void MapWidget::syncMapping()
{
    const bool withRelease = !m_config->isActivationOnly();
    ui->pushButton_topLeft->setText(pressText());
    if (withRelease)
        ui->pushButton_botLeft->setText(releaseText());
    // The mapping's name and typed keys may hold an '&', which is no shortcut.
    const QString prefix = m_config->name.isEmpty() ? QString() : m_config->name + QStringLiteral(" : ");
    ui->pushButton_topRight->setText(DisplayText::forButton(
        prefix + OutputActionConfig::listText(m_config->activationOutputs, false, QStringLiteral(" | "))));
    if (withRelease)
        ui->pushButton_botRight->setText(DisplayText::forButton(OutputActionConfig::listText(
            m_config->deactivationOutputs, (m_config->blockOnDeactivation & 0xFF) != 0, QStringLiteral(" | "))));
    adjustWidths();
}

void MapWidget::adjustWidths()
{
    for (QPushButton *caption : {ui->pushButton_topLeft, ui->pushButton_botLeft})
        caption->setFixedWidth(textWidth(m_font, caption->text()));
    for (QPushButton *summary : {ui->pushButton_topRight, ui->pushButton_botRight})
        summary->setMaximumWidth(textWidth(m_font, summary->text()));
    if (m_outputBar)
        m_outputBar->updateOutputText();
    for (MapWidget *child : qAsConst(m_childCards))
        child->syncMapping();
}

QString MapWidget::degreeText(int tenths)
{
    return QString::number(tenths / 10.0, 'g', 6) + QChar(0x1D52);
}

QStringList MapWidget::buildMenu()
{
    return menuOf({tr("Add"), tr("Save"), tr("Copy"), tr("Paste"), tr("Clear Outputs")});
}

QStringList MapWidget::menuOf(const QStringList &items) const
{
    QStringList menu = items;
    if (!(m_topLevel && m_global))
        menu << tr("Delete Input");
    return menu;
}

OutputActions *MapWidget::createOutputActions()
{
    return new OutputActions(1, 0);
}

void MapWidget::hideReleaseRow()
{
    ui->widget_bot->hide();
    ui->widget->hide();
}

void MapWidget::setCaptionsEnabled(bool enabled)
{
    ui->pushButton_topLeft->setEnabled(enabled);
    ui->pushButton_botLeft->setEnabled(enabled);
}

void MapWidget::setSummariesEnabled(bool enabled)
{
    ui->pushButton_topRight->setEnabled(enabled);
    ui->pushButton_botRight->setEnabled(enabled);
}

void MapWidget::storeOutputs(const OutputList &list, bool activation)
{
    if (activation)
        m_model->editActivationOutputs(&m_config->activationOutputs, m_config.get());
    else
        m_model->editDeactivationOutputs(&m_config->deactivationOutputs, m_config.get());
    m_model->setEditedOutputs(list, activation, QString());
}

// ---------------------------------------------------------------- output editors

void MapWidget::replaceOutputs(QPointer<OutputActions> &list, bool activation)
{
    if (list) {
        list->removeAll();
        list->deleteLater();
    }
    list = createOutputActions();
    list->setObjectName(activation ? QStringLiteral("pressOutputs") : QStringLiteral("releaseOutputs"));
    if (activation)
        list->setPressOutputs(&m_config->activationOutputs, m_config.get());
    else
        list->setReleaseOutputs(&m_config->deactivationOutputs, m_config.get());
    list->hide();
    connect(list, &OutputActions::sync, this, &MapWidget::syncMapping);
}

void MapWidget::loadOutputs()
{
    const LoadingGuard loading(m_model);
    replaceOutputs(m_pressOutputs, true);
    if (!m_config->isActivationOnly()) {
        replaceOutputs(m_releaseOutputs, false);
    } else if (m_releaseOutputs) {
        m_releaseOutputs->deleteLater();
        m_releaseOutputs = nullptr;
    }
}

// ---------------------------------------------------------------- nested cards

MapWidget *MapWidget::createChildWidget(const InputMapPtr &mapping, MapWidget *parentCard)
{
    if (!mapping || !parentCard)
        return nullptr;
    const bool global = parentCard->m_global;
    switch (mapping->inputType) {
    case InputType::Button:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Button>(mapping))
            return new ButtonWidget(typed, global, parentCard, nullptr);
        break;
    case InputType::Movement:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Movement>(mapping))
            return new MovementWidget(typed, global, parentCard, nullptr);
        break;
    case InputType::Scroll:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Scroll>(mapping))
            return new ScrollWidget(typed, global, parentCard, nullptr);
        break;
    case InputType::ForceRegion:
    case InputType::ForceRange:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Force>(mapping))
            return new ForcePressWidget(typed, global, parentCard, nullptr);
        break;
    case InputType::AngleRegion:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Angle>(mapping))
            return new TiltWidget(typed, global, parentCard, nullptr);
        break;
    case InputType::AngleRange:
        if (auto typed = std::dynamic_pointer_cast<InputMapAction_Angle>(mapping))
            return new TiltAnalogWidget(typed, global, parentCard, nullptr);
        break;
    default:
        break;
    }
    return nullptr;
}

void MapWidget::setParentCard(MapWidget *parent, MapWidget *child)
{
    const QColor color = nestedColor(parent->m_color);
    if (color != child->m_color) {
        child->m_color = color;
        child->setStyleSheet(QStringLiteral("QWidget {background-color: %1;}").arg(color.name()));
    }
    child->m_parentCard = parent;
    child->m_config->parent = parent->m_config.get();
}

QWidget *MapWidget::childArea() const
{
    return ui->verticalLayout_container->parentWidget();
}

void MapWidget::addChildWidget(MapWidget *child)
{
    ui->verticalLayout_container->addWidget(child);
    setParentCard(this, child);
    m_childCards.append(child);
    if (!m_config->children.contains(child->m_config))
        m_config->children.append(child->m_config);
    syncMapping();
}

void MapWidget::insertChildWidget(MapWidget *replaced, MapWidget *child)
{
    ui->verticalLayout_container->insertWidget(qMax(0, ui->verticalLayout_container->indexOf(replaced)), child);
    setParentCard(this, child);
    m_childCards.insert(qMax(0, m_childCards.indexOf(replaced)), child);
    const int place = replaced ? m_config->children.indexOf(replaced->m_config) : -1;
    m_config->children.insert(qMax(0, place), child->m_config);
    if (replaced) {
        copyMapping(replaced->config(), child->config());
        addChildrenFrom(replaced->m_config, child);
    }
    child->syncMapping();
}

// Out of the card and of this mapping's children; the mapping's parent link
// goes too, as nothing keeps this mapping alive for it any more.
void MapWidget::unlinkChild(MapWidget *child)
{
    m_childCards.removeAll(child);
    m_config->children.removeAll(child->m_config);
    if (child->m_config->parent == m_config.get())
        child->m_config->parent = nullptr;
    ui->verticalLayout_container->removeWidget(child);
}

void MapWidget::removeChildWidget(MapWidget *child)
{
    if (child)
        unlinkChild(child);
}

void MapWidget::addChildMapWidget(InputMapActionConfig *childConfig)
{
    const InputMapPtr mapping = childConfig ? childConfig->weak_from_this().lock() : nullptr;
    MapWidget *child = createChildWidget(mapping, this);
    if (!child) {
        qWarning() << "MapWidget: no card for a nested input of type" << (childConfig ? childConfig->inputType : -1);
        return;
    }
    addChildWidget(child);
    emit inputAdded(child);
    if (!mapping->children.isEmpty())
        emit addChildren(child);
}

void MapWidget::copyMapping(const InputMapActionConfig *source, InputMapActionConfig *target)
{
    if ((isAnalog(source->inputType) || isAnalog(target->inputType)) && source->inputType != target->inputType)
        return;
    for (const OutputPtr &output : source->activationOutputs)
        target->activationOutputs.append(output->clone());
    OutputList &releases = target->isActivationOnly() ? target->activationOutputs : target->deactivationOutputs;
    for (const OutputPtr &output : source->deactivationOutputs)
        releases.append(output->clone());
    target->blockOnDeactivation = source->blockOnDeactivation;
    target->name = source->name;
}

void MapWidget::addChildrenFrom(const InputMapPtr &source, MapWidget *target)
{
    if (source->isActivationOnly() || target->m_config->isActivationOnly())
        return;
    const InputMapList nested = source->children;
    for (const InputMapPtr &mapping : nested) {
        if (!mapping || mapping == m_config)
            continue;
        MapWidget *card = createChildWidget(mapping, target);
        if (!card) {
            qWarning() << "MapWidget: no card for a nested input of type" << mapping->inputType;
            continue;
        }
        target->addChildWidget(card);
        emit target->inputAdded(card);
        addChildrenFrom(mapping, card);
    }
}

void MapWidget::setOutputModel(const LibraryEntryList &entries, QStandardItemModel *model)
{
    m_libraryEntries = entries;
    m_libraryModel = model;
    if (m_outputBar)
        m_outputBar->setOutputModel(model, entries);
}

// ---------------------------------------------------------------- menu

void MapWidget::showMenu()
{
    if (!m_menu) {
        m_menu = new MenuList(buildMenu(), this);
        m_menu->setObjectName(QStringLiteral("cardMenu"));
        m_menu->setPopupWidth(menuWidth);
        connect(m_menu, &MenuList::itemSelected, this, &MapWidget::menuHandler);
        connect(m_menu, &MenuList::visibilityChanged, this, &MapWidget::menuVisibilityChanged);
    }
    QPushButton *button = ui->pushButton_menu;
    m_menu->showAt(button->mapToGlobal(button->pos()) + QPoint(10, 10));
}

void MapWidget::menuVisibilityChanged(bool visible)
{
    ui->pushButton_menu->setChecked(visible);
}

void MapWidget::menuHandler(int item)
{
    switch (item) {
    case 0:
        emit menuAdd(forceButtonOf(m_config.get()));
        break;
    case 1:
        ConfigFile::instance()->addToMappingsLibrary(m_config.get(), QStringLiteral("Custom"));
        ActionLibrary::clearMappingsLibraryCache();
        emit customActionUpdated();
        break;
    case 2:
        MappingClipboard::copy(m_config);
        break;
    case 3:
        pasteMappings();
        break;
    case 4:
        menuClearOutputs();
        break;
    case 5:
        MappingClipboard::clear();
        if (m_menu)
            m_menu->hide();
        emit menuDelete();
        break;
    default:
        break;
    }
}

void MapWidget::menuHandlerWithoutAdd(int item)
{
    MapWidget::menuHandler(item >= 0 && item <= 4 ? item + 1 : 1);
}

void MapWidget::menuHandlerForRange(int item)
{
    MapWidget::menuHandler(item == 1 ? 4 : item == 2 ? 5 : 1);
}

void MapWidget::menuClearOutputs()
{
    m_model->editActivationOutputs(&m_config->activationOutputs, m_config.get());
    if (m_pressOutputs)
        m_pressOutputs->clearOutputs();
    else
        m_model->setEditedOutputs({}, true, QString());
    m_model->editDeactivationOutputs(&m_config->deactivationOutputs, m_config.get());
    if (m_releaseOutputs)
        m_releaseOutputs->clearOutputs();
    else
        m_model->setEditedOutputs({}, false, QString());
    syncMapping();
}

void MapWidget::pasteMappings()
{
    const InputMapPtr source = MappingClipboard::mapping();
    if (!source)
        return;
    CustomMessageBox question(parentWidget(), tr("Would you like to merge or overwrite current\nmappings?"),
                              tr("Overwrite"), tr("Merge"), QString());
    question.setObjectName(QStringLiteral("pasteQuestion"));
    question.setTextAlignment(Qt::AlignCenter);
    const int answer = question.exec();
    if (answer == 2 && source == m_config)
        return;
    const InputMapPtr copy = source->deepCopy();
    if (answer == 2) {
        m_model->editActivationOutputs(&m_config->activationOutputs, m_config.get());
        m_model->editDeactivationOutputs(&m_config->deactivationOutputs, m_config.get());
        m_model->setEditedOutputs({}, true, QString());
        m_model->setEditedOutputs({}, false, QString());
        const QList<MapWidget *> children = m_childCards;
        for (MapWidget *child : children) {
            unlinkChild(child);
            delete child;
        }
    }
    copyMapping(copy.get(), m_config.get());
    addChildrenFrom(copy, this);
    if (answer == 2) {
        const LoadingGuard loading(m_model);
        if (m_pressOutputs) {
            m_pressOutputs->removeAll();
            m_pressOutputs->setPressOutputs(&m_config->activationOutputs, m_config.get());
        }
        if (m_releaseOutputs) {
            m_releaseOutputs->removeAll();
            m_releaseOutputs->setReleaseOutputs(&m_config->deactivationOutputs, m_config.get());
        }
    }
    emit m_model->updateMemoryUsed();
    syncMapping();
}

// ---------------------------------------------------------------- picker

void MapWidget::openPicker()
{
    ui->horizontalSpacer_top->changeSize(0, 20, QSizePolicy::Fixed, QSizePolicy::Fixed);
    ui->horizontalLayout_top->invalidate();
    ui->pushButton_actionLibrary->hide();
    ui->pushButton_topRight->hide();
    m_outputBar->show();
}

void MapWidget::showExpertLibrary()
{
    if (!picker())
        return;
    ui->pushButton_edit_top->hide();
    openPicker();
    m_outputBar->showActionLibrary();
}

void MapWidget::startRecording()
{
    if (!picker())
        return;
    ui->pushButton_edit_bot->hide();
    openPicker();
    m_outputBar->startStopRecording();
}

void MapWidget::hideExpertLibrary()
{
    ui->horizontalSpacer_top->changeSize(40, 20, QSizePolicy::Expanding, QSizePolicy::Fixed);
    ui->horizontalLayout_top->invalidate();
    if (m_outputBar)
        m_outputBar->hide();
    ui->pushButton_topRight->show();
    ui->pushButton_actionLibrary->show();
}

bool MapWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const bool entered = event->type() == QEvent::Enter;
        if (watched == ui->widget_top)
            ui->pushButton_edit_top->setVisible(entered);
        else if (watched == ui->widget_bot)
            ui->pushButton_edit_bot->setVisible(entered);
    }
    return QWidget::eventFilter(watched, event);
}
