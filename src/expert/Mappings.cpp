#include "Mappings.h"

#include "ui_Mappings.h"

#include "ActionLibrary.h"
#include "CardScheduler.h"
#include "CurrentPage.h"
#include "CustomMessageBox.h"
#include "GeneralInput.h"
#include "InputMapAction_Angle.h"
#include "LoadingGuard.h"
#include "MapWidget.h"
#include "MappingCardFactory.h"
#include "MouseFunctions.h"
#include "OutputActions.h"
#include "OutputFooter.h"
#include "OutputNamer.h"
#include "PackageCreator.h"
#include "SettingsFile.h"

#include <QDebug>
#include <QEvent>
#include <QScrollBar>
#include <QSettings>
#include <QStandardItemModel>

using MappingCardFactory::forEachCard;
using Page = MappingListRules::Page;

namespace {

constexpr int scrollDelayMs = 100;
constexpr int highlightGreen = 50;
constexpr int visibleMargin = 50;

bool readSetting(const char *key)
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat).value(QLatin1String(key), false).toBool();
}

QString backgroundStyle(const QColor &color)
{
    return QStringLiteral("QWidget {background-color: %1;}").arg(color.name());
}

} // namespace

Mappings::Mappings(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Mappings>())
    , model(PackageCreator::instance())
    , device(MouseFunctions::instance())
    , pageMemory(CurrentPage::instance())
{
    ui->setupUi(this);
    cardSchedule = new CardScheduler(
        ui->scrollArea_mappings, [this](int place, const InputMapPtr &mapping) { return makeCard(place, mapping); },
        this);
    for (QWidget *hidden : {ui->widget_restore, static_cast<QWidget *>(ui->label_restore),
                            static_cast<QWidget *>(ui->label_remove), static_cast<QWidget *>(ui->pushButton_remove),
                            ui->OutputList, static_cast<QWidget *>(ui->scrollArea_release_outputs)})
        hidden->hide();
    ui->pushButton_remove->installEventFilter(this);
    ui->pushButton_restore->installEventFilter(this);
    connect(ui->pushButton_remove, &QPushButton::clicked, this, &Mappings::removeCliked);
    connect(ui->pushButton_restore, &QPushButton::clicked, this, &Mappings::restoreCliked);
    buildOutputPanel();
}

Mappings::~Mappings() = default;

void Mappings::buildOutputPanel()
{
    namer = new OutputNamer(ui->pressHeader);
    namer->setObjectName(QStringLiteral("outputNamer"));
    ui->pressHeaderLayout->insertWidget(2, namer);
    connect(namer, &OutputNamer::textChanged, this, [this](const QString &name) {
        if (!pressList)
            return;
        pressList->setName(name);
        pressList->save();
    });

    pressFooter = new OutputFooter(ui->scrollAreaWidgetContents_outputs);
    pressFooter->setObjectName(QStringLiteral("pressFooter"));
    ui->verticalLayout_outputs->insertWidget(0, pressFooter);
    releaseFooter = new OutputFooter(ui->scrollAreaWidgetContents_release_outputs);
    releaseFooter->setObjectName(QStringLiteral("releaseFooter"));
    ui->verticalLayout_release_outputs->insertWidget(0, releaseFooter);

    const auto recordWaitsTo = qOverload<bool>(&Mappings::recordWaits);
    connect(pressFooter, &OutputFooter::add, this, &Mappings::addPressOutput);
    connect(pressFooter, &OutputFooter::back, this, &Mappings::hideOutputs);
    connect(pressFooter, &OutputFooter::startRecord, this, &Mappings::startRecord);
    connect(pressFooter, &OutputFooter::keyRecorded, this, &Mappings::keyRecorded);
    connect(
        pressFooter, &OutputFooter::keyHooked, this, [this](long key, bool isPress) { keyHooked(int(key), isPress); },
        Qt::QueuedConnection);
    connect(pressFooter, &OutputFooter::setBlocked, this, &Mappings::blockOutputs);
    connect(pressFooter, &OutputFooter::setWait, this, recordWaitsTo);

    connect(releaseFooter, &OutputFooter::add, this, &Mappings::addReleaseOutput);
    connect(releaseFooter, &OutputFooter::back, this, &Mappings::hideOutputs);
    connect(releaseFooter, &OutputFooter::startRecord, this, &Mappings::startRecordRelease);
    connect(releaseFooter, &OutputFooter::keyRecorded, this, &Mappings::keyRecordedRelease);
    connect(
        releaseFooter, &OutputFooter::keyHooked, this,
        [this](long key, bool isPress) { keyHookedRelease(int(key), isPress); }, Qt::QueuedConnection);
    connect(releaseFooter, &OutputFooter::setBlocked, this, &Mappings::blockOutputs);
    connect(releaseFooter, &OutputFooter::setWait, this, recordWaitsTo);

    // The newest row scrolls into view once the list has laid it out.
    for (auto [timer, area] : {qMakePair(&pressScrollTimer, ui->scrollArea_press_outputs),
                               qMakePair(&releaseScrollTimer, ui->scrollArea_release_outputs)}) {
        timer->setSingleShot(true);
        timer->setInterval(scrollDelayMs);
        connect(timer, &QTimer::timeout, this, [area = area] {
            QScrollBar *bar = area->verticalScrollBar();
            bar->setValue(bar->maximum() + 100);
        });
    }
}

bool Mappings::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const bool entered = event->type() == QEvent::Enter;
        if (watched == ui->pushButton_remove)
            ui->label_remove->setVisible(entered);
        else if (watched == ui->pushButton_restore)
            ui->label_restore->setVisible(entered);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- profile page

void Mappings::setGlobal(bool global)
{
    isGlobal = global;
}

void Mappings::setParentName(const QString &name)
{
    save();
    parentName = name;
    if (isGlobal) {
        cardSchedule->finish();
        for (MapWidget *card : qAsConst(cards))
            card->applyRestrictions();
    } else {
        ui->pushButton_remove->show();
    }
}

void Mappings::rebuildLibrary()
{
    auto newModel = std::make_unique<QStandardItemModel>();
    LibraryEntryList entries;
    ActionLibrary::fillModel(entries, newModel.get());
    library = entries;
    forEachCard(cards, [this, &newModel](MapWidget *card) { card->setOutputModel(library, newModel.get()); });
    libraryModel = std::move(newModel);
}

void Mappings::load()
{
    LoadingGuard guard(model);
    loaded = true;
    rebuildLibrary();
    cardSchedule->load(model->currentInputMaps());
    ui->pushButton_remove->setVisible(!isGlobal);
}

MapWidget *Mappings::makeCard(int place, const InputMapPtr &mapping)
{
    MapWidget *card = createCard(mapping, nullptr);
    if (!card) {
        cardless.append({place, mapping});
        return nullptr;
    }
    cards.append(card);
    connectMapping(card);
    createChildInputs(card);
    insertIntoList(card);
    if (isGlobal)
        card->applyRestrictions();
    return card;
}

const QList<MapWidget *> &Mappings::topLevelCards()
{
    cardSchedule->finish();
    return cards;
}

bool Mappings::allCardsMade() const
{
    return cardSchedule->isDone();
}

void Mappings::reload()
{
    cardSchedule->clear();
    deleteAllCards();
    cardless.clear();
    load();
    pageMemory->page = 0;
}

void Mappings::reloadIfRequested()
{
    const int page = pageMemory->page;
    if (page >= 1 && page <= 3)
        reload();
    show();
}

MapWidget *Mappings::createCard(const InputMapPtr &mapping, MapWidget *parentCard)
{
    QWidget *parent = parentCard ? parentCard->childArea() : ui->scrollAreaWidgetContents_mappings;
    MapWidget *card = MappingCardFactory::cardFor(mapping, isGlobal, parentCard, parent);
    if (!card)
        qWarning() << "Mappings: no card for an input of type" << (mapping ? mapping->inputType : -1);
    return card;
}

void Mappings::createChildInputs(MapWidget *parentMap)
{
    if (!parentMap)
        return;
    const InputMapList children = parentMap->config()->children;
    for (const InputMapPtr &mapping : children) {
        MapWidget *child = createCard(mapping, parentMap);
        if (!child)
            continue; // stays among the parent's children
        parentMap->addChildWidget(child);
        connectMapping(child);
        if (!mapping->children.isEmpty())
            createChildInputs(child);
    }
}

void Mappings::connectMapping(MapWidget *card)
{
    if (!card)
        return;
    const auto unique = Qt::UniqueConnection;
    connect(card, &MapWidget::clicked, this, &Mappings::setCurrent, unique);
    connect(card, &MapWidget::menuAdd, this, &Mappings::openNewInput, unique);
    // Queued: the card's menu is still on the stack when it asks.
    connect(card, &MapWidget::menuDelete, this, &Mappings::deleteInput,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    connect(card, &MapWidget::customActionUpdated, this, &Mappings::rebuildLibrary, unique);
    connect(card, &MapWidget::inputPress, this, &Mappings::openInput, unique);
    connect(card, &MapWidget::inputRelease, this, &Mappings::openInput, unique);
    connect(card, &MapWidget::outputPress, this, &Mappings::showPressOutputs, unique);
    connect(card, &MapWidget::outputRelease, this, &Mappings::showReleaseOutputs, unique);
    connect(card, &MapWidget::inputAdded, this, &Mappings::connectMapping, unique);
    connect(card, &MapWidget::addChildren, this, &Mappings::createChildInputs, unique);
    connect(card, &MapWidget::syncOutputs, this, &Mappings::updateOutputs, unique);
    card->setOutputModel(library, libraryModel.get());
}

void Mappings::insertIntoList(MapWidget *card)
{
    ui->verticalLayout_mappings->insertWidget(cards.indexOf(card), card);
}

void Mappings::appendNewCard(MapWidget *card)
{
    cardSchedule->finish();
    cards.append(card);
    insertIntoList(card);
    connectMapping(card);
    card->applyDefaults();
    card->syncMapping();
}

void Mappings::appendDefaults(const MappingListRules::Defaults &defaults)
{
    for (const MappingListRules::Default &mapping : defaults)
        appendNewCard(MappingCardFactory::newCard(mapping, isGlobal, ui->scrollAreaWidgetContents_mappings));
}

// Deleting a card deletes its nested cards and its lists with it; the
// page's QPointers to any of them go null.
void Mappings::removeCard(MapWidget *card)
{
    if (MapWidget *parentCard = card->parentCard()) {
        parentCard->removeChildWidget(card);
    } else {
        cards.removeAll(card);
        ui->verticalLayout_mappings->removeWidget(card);
    }
    delete card;
}

void Mappings::deleteAllCards()
{
    cardSchedule->clear();
    const QList<MapWidget *> all = cards;
    for (MapWidget *card : all)
        removeCard(card);
}

// Before the first load the page holds no cards, and storing them would
// empty the profile's mappings.
void Mappings::save()
{
    if (model->loading || !loaded)
        return;
    qInfo() << "Mappings: save()";
    storeMappings();
}

void Mappings::storeMappings()
{
    cardSchedule->finish();
    InputMapList maps;
    for (MapWidget *card : qAsConst(cards))
        maps.append(card->configPtr());
    for (const auto &[place, mapping] : qAsConst(cardless))
        maps.insert(qMin(place, maps.size()), mapping);
    model->setInputMaps(maps);
    if (pressList)
        pressList->setName(namer->text());
}

bool Mappings::hasButtonMapping(int buttonId, bool exact) const
{
    return MappingListRules(model->currentInputMaps()).hasButtonMapping(buttonId, exact);
}

bool Mappings::hasTiltForwardBack() const
{
    return MappingListRules(model->currentInputMaps()).hasTiltForwardBack();
}

bool Mappings::hasTiltLeftRight() const
{
    return MappingListRules(model->currentInputMaps()).hasTiltLeftRight();
}

// ---------------------------------------------------------------- pages

void Mappings::setPageLabels(const QString &pageName)
{
    ui->label_restore->setText(pageName + QLatin1Char(' ') + tr("default mappings to override %1.").arg(parentName));
    ui->label_remove->setText(pageName + QLatin1Char(' ') + tr("mappings (and use mappings from %1).").arg(parentName));
}

void Mappings::showPage(const Page &page, const QString &pageName)
{
    setPageLabels(pageName);
    reloadIfRequested();
    ui->widget_restore->hide();
    {
        LoadingGuard guard(model);
        const bool tiltModel = device->isVModel();
        cardSchedule->follow(page, tiltModel);
        InputMapList cardMappings;
        for (MapWidget *card : qAsConst(cards)) {
            cardMappings.append(card->configPtr());
            CardScheduler::showOnPage(card, page, tiltModel);
        }
        // The cards still to be made follow the page when they are; the
        // rules read their mappings now (a mapping that gets no card is of
        // a kind no rule counts).
        cardMappings += cardSchedule->waitingMappings();
        if (MappingListRules(cardMappings).offersRestore(page))
            ui->widget_restore->show();
    }
    emit setHeaderTree({});
    ui->MappingList->show();
    ui->OutputList->hide();
    clearHighlight();
}

void Mappings::showAll()
{
    showPage(Page::all(), tr("All"));
}

void Mappings::showButton(int buttonId, const QString &buttonName)
{
    showPage(Page::button(buttonId), buttonName);
}

void Mappings::showTiltForwardBack()
{
    showPage(Page::tiltForwardBack(), tr("Tilt forward / back"));
}

void Mappings::showTiltLeftRight()
{
    showPage(Page::tiltLeftRight(), tr("Tilt left / right"));
}

// ---------------------------------------------------------------- defaults

void Mappings::addDefaultsAll(const QString &parentName)
{
    appendDefaults(MappingListRules::allDefaults(device->isVModel()));
    setParentName(parentName);
}

void Mappings::addDefaultsForButton(int buttonId, const QString &parentName)
{
    appendDefaults(MappingListRules::defaultsForButton(buttonId));
    setParentName(parentName);
}

void Mappings::addDefaultsTiltForwardBack(const QString &parentName)
{
    appendDefaults(MappingListRules::tiltDefaults(MappingListRules::forwardBackAxis));
    setParentName(parentName);
}

void Mappings::addDefaultsTiltLeftRight(const QString &parentName)
{
    appendDefaults(MappingListRules::tiltDefaults(MappingListRules::leftRightAxis));
    setParentName(parentName);
}

void Mappings::resetToDefaults()
{
    deleteAllCards();
    cardless.clear();
    emit removed();
    appendDefaults(MappingListRules::allDefaults(device->isVModel()));
    setParentName(QString());
    storeMappings();
}

void Mappings::clearAll()
{
    deleteAllCards();
    cardless.clear();
    emit removed();
    storeMappings();
}

void Mappings::restoreCliked()
{
    cardSchedule->finish();
    InputMapList shown;
    for (MapWidget *card : qAsConst(cards)) {
        if (!card->isHidden())
            shown.append(card->configPtr());
    }
    appendDefaults(MappingListRules(model->currentInputMaps()).restore(shown));
    save();
    ui->widget_restore->hide();
}

void Mappings::removeCliked()
{
    CustomMessageBox question(this, tr("Are you sure you wish to clear these mappings?"), tr("Yes"), tr("No"),
                              QString());
    question.setObjectName(QStringLiteral("removeQuestion"));
    question.setTextAlignment(Qt::AlignHCenter);
    if (question.exec() != 2)
        return;
    cardSchedule->finish();
    const QList<MapWidget *> all = cards;
    for (MapWidget *card : all) {
        if (!card->isHidden())
            removeCard(card);
    }
    save();
    emit removed();
}

void Mappings::refreshOutputs()
{
    LoadingGuard guard(model);
    for (MapWidget *card : qAsConst(cards)) {
        for (OutputActions *list : {card->pressOutputs(), card->releaseOutputs()}) {
            if (list)
                list->refresh();
        }
    }
}

void Mappings::updateProfileLists()
{
    forEachCard(cards, [](MapWidget *card) {
        for (OutputActions *list : {card->pressOutputs(), card->releaseOutputs()}) {
            if (list)
                list->updateProfileLists();
        }
    });
}

// ---------------------------------------------------------------- output panel

void Mappings::setCurrent()
{
    if (ui->OutputList->isHidden())
        clearHighlight();
    currentCard = qobject_cast<MapWidget *>(sender());
}

void Mappings::takeOutputs(MapWidget *card, bool pressSide)
{
    InputMapActionConfig *mapping = card->config();
    card->loadOutputs();
    connectMappingOutputs(card);
    // The last of the two is the list the editor writes.
    if (pressSide) {
        model->editDeactivationOutputs(&mapping->deactivationOutputs, mapping);
        model->editActivationOutputs(&mapping->activationOutputs, mapping);
    } else {
        model->editActivationOutputs(&mapping->activationOutputs, mapping);
        model->editDeactivationOutputs(&mapping->deactivationOutputs, mapping);
    }
    pressList = card->pressOutputs();
    releaseList = card->releaseOutputs();
}

void Mappings::updateNamer()
{
    if (!pressList)
        return;
    namer->setText(pressList->name());
    const bool named = pressList->hasOutputs();
    namer->setVisible(named);
    if (!named)
        namer->setText(QString());
}

void Mappings::showPressOutputs()
{
    showOutputs(true);
}

void Mappings::showReleaseOutputs()
{
    showOutputs(false);
}

// The namer follows the press list on either side.
void Mappings::showOutputs(bool pressSide)
{
    if (!currentCard)
        return;
    MapWidget *card = currentCard;
    {
        LoadingGuard guard(model);
        if (pressList)
            pressList->hide();
        if (releaseList)
            releaseList->hide();
        QWidget *otherHeader = pressSide ? ui->releaseHeader : ui->pressHeader;
        QWidget *otherArea = pressSide ? ui->scrollArea_release_outputs : ui->scrollArea_press_outputs;
        otherHeader->hide();
        otherArea->hide();

        takeOutputs(card, pressSide);
        ui->press_label_tree->setText(card->pressText());
        ui->release_label_tree->setText(card->releaseText());
        updateNamer();
        pressFooter->setBlockOption(0, false);
        releaseFooter->setBlockOption(1, card->config()->blockOnDeactivation);
        if (OutputActions *shown = pressSide ? pressList : releaseList)
            shown->show();
        (pressSide ? ui->pressHeader : ui->releaseHeader)->show();
        (pressSide ? ui->scrollArea_press_outputs : ui->scrollArea_release_outputs)->show();
    }
    openPanel();
}

void Mappings::openPanel()
{
    QStringList names;
    for (MapWidget *above = currentCard->parentCard(); above; above = above->parentCard())
        names.append(above->inputName());
    emit setHeaderTree(names);

    if (!readSetting("ExpertViewSideBySide"))
        ui->MappingList->hide();
    ui->OutputList->show();

    if (!currentCard->config()->isActivationOnly() && readSetting("ExpertViewShowPressRelease")) {
        LoadingGuard guard(model);
        for (OutputActions *list : {pressList.data(), releaseList.data()}) {
            if (list)
                list->show();
        }
        for (QWidget *part : {ui->pressHeader, static_cast<QWidget *>(ui->scrollArea_press_outputs), ui->releaseHeader,
                              static_cast<QWidget *>(ui->scrollArea_release_outputs)})
            part->show();
    }
    highlightCurrent();
}

void Mappings::highlightCurrent()
{
    clearHighlight();
    highlightedCard = currentCard;
    if (!highlightedCard)
        return;
    QColor color = highlightedCard->backgroundColor();
    color.setGreen(qMin(255, color.green() + highlightGreen));
    highlightedCard->setStyleSheet(backgroundStyle(color));
}

// Cards are never greener than red, so only the highlighted one gets its
// own colour back.
void Mappings::clearHighlight()
{
    if (!highlightedCard)
        return;
    const QColor color = highlightedCard->backgroundColor();
    if (color.isValid())
        highlightedCard->setStyleSheet(backgroundStyle(color));
    highlightedCard = nullptr;
}

void Mappings::hideOutputs()
{
    if (!pressList)
        return;
    pressList->hide();
    if (releaseList)
        releaseList->hide();
    ui->OutputList->hide();
    ui->MappingList->show();
    if (currentCard)
        ui->scrollArea_mappings->ensureWidgetVisible(currentCard, visibleMargin, visibleMargin);
    clearHighlight();
    emit backToCurrentView();
}

void Mappings::updateOutputs(InputMapActionConfig *)
{
    MapWidget *card = qobject_cast<MapWidget *>(sender());
    if (!card || card != currentCard || ui->OutputList->isHidden())
        return;
    LoadingGuard guard(model);
    takeOutputs(card, true);
    releaseFooter->setBlockOption(1, card->config()->blockOnDeactivation);
    updateNamer();
    pressList->show();
    if (releaseList)
        releaseList->show();
}

void Mappings::connectMappingOutputs(MapWidget *map)
{
    if (OutputActions *press = map->pressOutputs()) {
        ui->verticalLayout_outputs->insertWidget(0, press);
        connect(press, &OutputActions::enableAdd, this, &Mappings::footerEnableAdd);
        connect(press, &OutputActions::enableAdd, this, &Mappings::outputNamerVisibility);
    }
    if (OutputActions *release = map->releaseOutputs()) {
        ui->verticalLayout_release_outputs->insertWidget(0, release);
        connect(release, &OutputActions::enableAdd, this, &Mappings::releaseFooterEnableAdd);
    }
}

void Mappings::addPressOutput()
{
    if (!pressList || !pressList->addAction())
        return;
    outputNamerVisibility(true);
    pressFooter->enableAdd(false);
}

void Mappings::addReleaseOutput()
{
    if (releaseList && releaseList->addAction())
        releaseFooter->enableAdd(false);
}

void Mappings::outputNamerVisibility(bool state)
{
    if (!pressList)
        return;
    const bool named = pressList->hasOutputs();
    namer->setVisible(state && named);
    if (!named)
        namer->setText(QString());
}

void Mappings::footerEnableAdd(bool state)
{
    pressFooter->enableAdd(state);
}

void Mappings::releaseFooterEnableAdd(bool state)
{
    releaseFooter->enableAdd(state);
}

// The newest row scrolls into view a moment later; a timer already running
// scrolls for this one too.
void Mappings::toList(OutputActions *list, QTimer &scrollTimer, const std::function<void(OutputActions *)> &step)
{
    if (list)
        step(list);
    if (!scrollTimer.isActive())
        scrollTimer.start();
}

void Mappings::startRecord(bool start)
{
    toList(pressList, pressScrollTimer, [start](OutputActions *list) { list->setRecording(start); });
    pressFooter->enableAdd(!start);
}

void Mappings::startRecordRelease(bool start)
{
    toList(releaseList, releaseScrollTimer, [start](OutputActions *list) { list->setRecording(start); });
    releaseFooter->enableAdd(!start);
}

void Mappings::keyRecorded(int key, bool isPress)
{
    toList(pressList, pressScrollTimer, [=](OutputActions *list) { list->keyRecorded(key, isPress); });
}

void Mappings::keyRecordedRelease(int key, bool isPress)
{
    toList(releaseList, releaseScrollTimer, [=](OutputActions *list) { list->keyRecorded(key, isPress); });
}

void Mappings::keyHooked(int key, bool isPress)
{
    toList(pressList, pressScrollTimer, [=](OutputActions *list) { list->keyHooked(key, isPress); });
}

void Mappings::keyHookedRelease(int key, bool isPress)
{
    toList(releaseList, releaseScrollTimer, [=](OutputActions *list) { list->keyHooked(key, isPress); });
}

void Mappings::blockOutputs(bool state)
{
    if (!currentCard)
        return;
    currentCard->config()->blockOnDeactivation = state ? 1 : 0;
    // The release summary tells the block.
    currentCard->syncMapping();
    save();
}

void Mappings::recordWaits(bool state)
{
    if (pressList)
        pressList->setRecordWaits(state);
    if (releaseList)
        releaseList->setRecordWaits(state);
    pressFooter->enableWait(state);
    releaseFooter->enableWait(state);
}

void Mappings::recordWaits()
{
    recordWaits(false);
}

// ---------------------------------------------------------------- input editing

GeneralInput *Mappings::inputChoice()
{
    if (!generalInput) {
        generalInput = new GeneralInput(this);
        generalInput->setObjectName(QStringLiteral("generalInput"));
        connect(generalInput, &GeneralInput::add, this, &Mappings::addInputInside);
        connect(generalInput, &GeneralInput::modify, this, &Mappings::modifyInput);
        connect(generalInput, &GeneralInput::remove, this, &Mappings::deleteInput);
    }
    return generalInput;
}

void Mappings::openNewInput(ButtonIds::Id forceButton)
{
    inputChoice()->showAdd(forceButton);
}

void Mappings::openInput()
{
    if (MapWidget *card = qobject_cast<MapWidget *>(sender()))
        currentCard = card;
    if (!currentCard)
        return;
    const bool nested = !currentCard->isTopLevel();
    inputChoice()->showModify(currentCard->config(), nested, nested || !isGlobal);
}

void Mappings::addInputInside(MapWidget *newInput)
{
    if (!newInput)
        return;
    if (!currentCard) {
        delete newInput;
        return;
    }
    currentCard->addChildWidget(newInput);
    connectMapping(newInput);
    // The new input is in the model through its parent; storing reports the
    // edit, so it is saved like any other.
    save();
}

void Mappings::modifyInput(MapWidget *newInput)
{
    if (!newInput)
        return;
    QPointer<MapWidget> card = currentCard;
    if (!card) {
        delete newInput;
        return;
    }
    if (MapWidget *parentCard = card->parentCard()) {
        if (!card->config()->children.isEmpty() && newInput->config()->isActivationOnly()) {
            CustomMessageBox question(this,
                                      tr("You have selected basic input that can't include\nnested levels. If you "
                                         "continue, nested levels will\nbe removed."),
                                      tr("Continue"), tr("Cancel"), QString());
            question.setObjectName(QStringLiteral("nestedLevelsQuestion"));
            question.setTextAlignment(Qt::AlignHCenter);
            if (question.exec() != 2 || !card) {
                delete newInput;
                return;
            }
        }
        connectMapping(newInput);
        parentCard->insertChildWidget(card, newInput);
        removeCard(card);
        emit removed();
    } else {
        if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(newInput->config()))
            card->copyAngleSettings(angle);
        delete newInput;
    }
    save();
}

void Mappings::deleteInput()
{
    if (!currentCard)
        return;
    removeCard(currentCard);
    emit removed();
    save();
}
