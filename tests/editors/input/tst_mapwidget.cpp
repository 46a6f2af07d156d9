#include "ButtonWidget.h"
#include "CardDriver.h"
#include "ConfigFile.h"
#include "DialogAnswerer.h"
#include "ForcePressWidget.h"
#include "MappingClipboard.h"
#include "MenuList.h"
#include "ModelSnapshot.h"
#include "MovementWidget.h"
#include "OutputActions.h"
#include "OutputBar.h"
#include "OutputBuilders.h"
#include "AppStyleSheet.h"
#include "SampleModel.h"
#include "TiltWidget.h"
#include "WidgetDriver.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace CardDriver;

namespace {

std::shared_ptr<InputMapAction_Button> buttonIn(ProfileData *profile, int id, const OutputList &press = {},
                                                const OutputList &release = {})
{
    auto mapping = std::static_pointer_cast<InputMapAction_Button>(SampleModel::button(id));
    mapping->activationOutputs = press;
    mapping->deactivationOutputs = release;
    profile->inputMaps.append(mapping);
    return mapping;
}

std::shared_ptr<InputMapAction_Force> forceRegion(int buttonId, int percent)
{
    return ForcePressWidget::newMapping(buttonId, percent, -1);
}

// "Paste" from the card's menu, with an answerer standing by: true when no
// question came.
bool pasteAsksNothing(MapWidget *card)
{
    QTest::ignoreMessage(QtWarningMsg, "DialogAnswerer: no dialog opened");
    auto answer = answerPaste("Merge", 200);
    return choose(card, "Paste") && !answer->wait();
}

// Records the card's signals in the order they come.
struct SignalLog
{
    QStringList names;
    explicit SignalLog(MapWidget *card)
    {
        const auto note = [this](const char *name) { return [this, name] { names << QLatin1String(name); }; };
        QObject::connect(card, &MapWidget::clicked, note("clicked"));
        QObject::connect(card, &MapWidget::inputPress, note("inputPress"));
        QObject::connect(card, &MapWidget::inputRelease, note("inputRelease"));
        QObject::connect(card, &MapWidget::outputPress, note("outputPress"));
        QObject::connect(card, &MapWidget::outputRelease, note("outputRelease"));
        QObject::connect(card, &MapWidget::menuDelete, note("menuDelete"));
    }
};

// Named as the expert window is, so that its style rules select it.
class ExpertView : public QWidget
{
    Q_OBJECT
};

} // namespace

class TestMapWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clicksEmitClickedFirst_data();
    void clicksEmitClickedFirst();
    void pencilsShowWhileTheirRowIsHovered();
    void nestedCardsGetLighter();
    void syncReachesEveryCardBelow();
    void childrenAreAttachedOnce();
    void insertReplacesNestedInput();
    void unknownNestedInputsGetNoCard();

    void loadOutputsRestoresLoadingFlag_data();
    void loadOutputsRestoresLoadingFlag();
    void replacedOutputListsAreDeleted();

    void addOffersForcePressOnForceButtons_data();
    void addOffersForcePressOnForceButtons();
    void saveAddsToMappingsLibrary();
    void clearOutputsEmptiesListsAndName_data();
    void clearOutputsEmptiesListsAndName();
    void pasteWithEmptyClipboardAsksNothing();
    void overwriteOntoItselfChangesNothing();
    void overwriteReplacesOutputsAndNestedInputs();
    void mergeAppendsOutputsAndNestedInputs();
    void analogAndDigitalCopyNothing_data();
    void analogAndDigitalCopyNothing();
    void deleteInputEmptiesClipboard();
    void staleClipboardIsNotPasted_data();
    void staleClipboardIsNotPasted();
    void unlinkedChildIsNotPasted();

    void pickerTakesThePressSummarysPlace();
    void cardFollowsThePickersCopy();

    void captionsShowTheirWholeText();
    void pictures();

private:
    PackageCreator *model = nullptr;
    ProfileData *global = nullptr;
    ProfileData *work = nullptr;
    CardHost *host = nullptr;
};

void TestMapWidget::init()
{
    model = PackageCreator::instance();
    global = SampleModel::emptyModel();
    work = model->addProfile(0, 255, QStringLiteral("Work"));
    model->loading = false;
    host = new CardHost;
}

void TestMapWidget::cleanup()
{
    delete host;
    host = nullptr;
    MappingClipboard::clear();
    model->reset();
}

void TestMapWidget::clicksEmitClickedFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("hoverTop");
    QTest::addColumn<QString>("second");
    QTest::newRow("press caption") << "pushButton_topLeft" << false << "inputPress";
    QTest::newRow("release caption") << "pushButton_botLeft" << false << "inputRelease";
    QTest::newRow("press summary") << "pushButton_topRight" << false << "outputPress";
    QTest::newRow("release summary") << "pushButton_botRight" << false << "outputRelease";
    QTest::newRow("top pencil") << "pushButton_edit_top" << true << "outputPress";
    QTest::newRow("bottom pencil") << "pushButton_edit_bot" << true << "outputRelease";
}

void TestMapWidget::clicksEmitClickedFirst()
{
    QFETCH(QString, button);
    QFETCH(bool, hoverTop);
    QFETCH(QString, second);
    // A nested button card: its captions can be clicked.
    auto *parent = host->add(new ButtonWidget(buttonIn(work, 3), false, nullptr, nullptr));
    auto *card = new ButtonWidget(ButtonIds::LeftTriggerPush, false, false, nullptr);
    parent->addChildWidget(card);
    if (hoverTop)
        hover(card, button.endsWith("top"), true);
    SignalLog log(card);
    settle();
    QVERIFY(WidgetDriver::click(card, button));
    QCOMPARE(log.names, QStringList({"clicked", second}));
}

void TestMapWidget::pencilsShowWhileTheirRowIsHovered()
{
    auto *card = host->add(new ButtonWidget(buttonIn(work, 3), false, nullptr, nullptr));
    QVERIFY(!isShown(card, "pushButton_edit_top"));
    QVERIFY(!isShown(card, "pushButton_edit_bot"));
    hover(card, true, true);
    QVERIFY(isShown(card, "pushButton_edit_top"));
    QVERIFY(!isShown(card, "pushButton_edit_bot"));
    hover(card, true, false);
    hover(card, false, true);
    QVERIFY(!isShown(card, "pushButton_edit_top"));
    QVERIFY(isShown(card, "pushButton_edit_bot"));
}

void TestMapWidget::nestedCardsGetLighter()
{
    auto *top = host->add(new ButtonWidget(buttonIn(work, 3), false, nullptr, nullptr));
    QCOMPARE(top->backgroundColor(), QColor(72, 72, 74));
    QVERIFY(top->styleSheet().contains("#48484a"));
    MapWidget *card = top;
    QList<QColor> seen;
    for (int level = 1; level <= 13; ++level) {
        auto *child = new ButtonWidget(ButtonIds::FrontEdge, false, false, nullptr);
        card->addChildWidget(child);
        QCOMPARE(child->parentCard(), card);
        QCOMPARE(child->config()->parent, card->config());
        seen << child->backgroundColor();
        card = child;
    }
    QCOMPARE(seen.first(), QColor(80, 80, 82));
    QCOMPARE(seen.at(1), QColor(88, 88, 90));
    QCOMPARE(seen.at(9), QColor(152, 152, 154));
    for (int i = 10; i < seen.size(); ++i)
        QCOMPARE(seen.at(i), QColor(160, 160, 162));
    QCOMPARE(card->styleSheet(), QString("QWidget {background-color: #a0a0a2;}"));
    // A card made for an existing nested mapping starts in its level's shade.
    auto *made = MapWidget::createChildWidget(SampleModel::button(5), top);
    QCOMPARE(made->backgroundColor(), QColor(80, 80, 82));
    delete made;
}

void TestMapWidget::syncReachesEveryCardBelow()
{
    auto *top = host->add(new ButtonWidget(buttonIn(work, 0), false, nullptr, nullptr));
    auto *force = new ForcePressWidget(ButtonIds::LeftButton, 50, -1, false, nullptr);
    top->addChildWidget(force);
    auto *tilt = new TiltWidget(0, -12, -1, false, false, nullptr);
    force->addChildWidget(tilt);
    QCOMPARE(text(tilt, "pushButton_topRight"), QString("Do Nothing"));
    tilt->config()->activationOutputs = {click(1, 1)};
    tilt->config()->deactivationOutputs = {click(1, 1)};
    tilt->config()->blockOnDeactivation = 1;
    tilt->config()->name = "R&D";
    top->syncMapping();
    QCOMPARE(text(tilt, "pushButton_topRight"), QString("R&D : ") + click(1, 1)->descriptionText());
    QCOMPARE(text(tilt, "pushButton_botRight"), click(1, 1)->descriptionText() + " | Stop Further Outputs");
}

void TestMapWidget::childrenAreAttachedOnce()
{
    auto mapping = buttonIn(work, 3);
    InputMapPtr nested = mapping->addChild(forceRegion(3, 40));
    auto *top = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    MapWidget *child = MapWidget::createChildWidget(nested, top);
    top->addChildWidget(child);
    QCOMPARE(mapping->children.size(), 1);
    QCOMPARE(top->childCards(), QList<MapWidget *>{child});
    top->removeChildWidget(child);
    QVERIFY(mapping->children.isEmpty());
    QVERIFY(top->childCards().isEmpty());
    QVERIFY(!nested->parent);
    delete child;
}

void TestMapWidget::insertReplacesNestedInput()
{
    auto mapping = buttonIn(work, 3);
    auto *top = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    auto *first = new ButtonWidget(ButtonIds::FrontEdge, false, false, nullptr);
    auto *replaced = new ButtonWidget(ButtonIds::RearEdge, false, false, nullptr);
    top->addChildWidget(first);
    top->addChildWidget(replaced);
    replaced->config()->activationOutputs = {key(4)};
    replaced->config()->name = "Old";
    auto *grandchild = new MovementWidget(6, 10, 1, false, nullptr);
    replaced->addChildWidget(grandchild);

    auto *child = new ForcePressWidget(ButtonIds::RightButton, 30, -1, false, nullptr);
    QSignalSpy added(child, &MapWidget::inputAdded);
    top->insertChildWidget(replaced, child);
    QCOMPARE(top->childCards(), QList<MapWidget *>({first, child, replaced}));
    QCOMPARE(mapping->children.at(1), child->configPtr());
    QCOMPARE(child->config()->name, QString("Old"));
    QCOMPARE(child->config()->activationOutputs.size(), 1);
    QVERIFY(child->config()->activationOutputs.first() != replaced->config()->activationOutputs.first());
    QCOMPARE(child->childCards().size(), 1);
    QCOMPARE(child->config()->children, replaced->config()->children);
    QCOMPARE(added.count(), 1);
    QCOMPARE(text(child, "pushButton_topRight"), QString("Old : ") + key(4)->descriptionText());
    top->removeChildWidget(replaced);
    delete replaced;
    QCOMPARE(mapping->children.size(), 2);
}

void TestMapWidget::unknownNestedInputsGetNoCard()
{
    auto mapping = buttonIn(work, 3);
    auto *top = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    auto odd = std::make_shared<InputMapActionConfig>(InputType::SystemEvent);
    QVERIFY(!MapWidget::createChildWidget(odd, top));
    // A type code on a record of another class gets no card either.
    auto misfit = std::make_shared<InputMapAction_Button>(InputType::Button);
    misfit->inputType = InputType::AngleRegion;
    QVERIFY(!MapWidget::createChildWidget(misfit, top));

    mapping->addChild(odd);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("MapWidget: no card for a nested input of type 80"));
    top->addChildMapWidget(odd.get());
    QVERIFY(top->childCards().isEmpty());
}

void TestMapWidget::loadOutputsRestoresLoadingFlag_data()
{
    QTest::addColumn<bool>("loading");
    QTest::newRow("not loading") << false;
    QTest::newRow("loading") << true;
}

void TestMapWidget::loadOutputsRestoresLoadingFlag()
{
    QFETCH(bool, loading);
    auto mapping = buttonIn(work, 3, {click(0, 2), key(5)}, {click(0, 0)});
    auto *card = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    QVERIFY(!card->pressOutputs());
    model->loading = loading;
    QSignalSpy changes(model, &PackageCreator::updateMemoryUsed);
    card->loadOutputs();
    QCOMPARE(model->loading, loading);
    QCOMPARE(changes.count(), 0);
    QVERIFY(card->pressOutputs() && card->releaseOutputs());
    QVERIFY(card->pressOutputs()->isHidden() && card->releaseOutputs()->isHidden());
    QCOMPARE(card->pressOutputs()->rowCount(), 2);
    QCOMPARE(card->releaseOutputs()->rowCount(), 1);
    QCOMPARE(mapping->activationOutputs.size(), 2);

    // Movement has no release phase: no release list.
    auto movement = MovementWidget::newMapping(6, 1, 1);
    work->inputMaps << movement;
    auto *moves = host->add(new MovementWidget(movement, false, nullptr, nullptr));
    moves->loadOutputs();
    QVERIFY(moves->pressOutputs());
    QVERIFY(!moves->releaseOutputs());
}

void TestMapWidget::replacedOutputListsAreDeleted()
{
    auto *card = host->add(new ButtonWidget(buttonIn(work, 3, {click(0, 2)}), false, nullptr, nullptr));
    card->loadOutputs();
    QPointer<OutputActions> firstPress = card->pressOutputs();
    QPointer<OutputActions> firstRelease = card->releaseOutputs();
    card->loadOutputs();
    QVERIFY(card->pressOutputs() != firstPress);
    QTRY_VERIFY(!firstPress && !firstRelease);
    QPointer<OutputActions> press = card->pressOutputs();
    QWidget pane;
    press->setParent(&pane); // shown elsewhere, still the card's to delete
    delete card;
    QVERIFY(!press);
}

void TestMapWidget::addOffersForcePressOnForceButtons_data()
{
    QTest::addColumn<int>("kind"); // 0 button, 1 force region, 2 force range
    QTest::addColumn<int>("buttonId");
    QTest::addColumn<int>("offered");
    QTest::newRow("left button") << 0 << 0 << 0;
    QTest::newRow("right fingertip") << 0 << 8 << 8;
    QTest::newRow("bottom thumb") << 0 << 3 << 13;
    QTest::newRow("region on middle") << 1 << 2 << 2;
    QTest::newRow("region on thumb") << 1 << 4 << 13;
}

void TestMapWidget::addOffersForcePressOnForceButtons()
{
    QFETCH(int, kind);
    QFETCH(int, buttonId);
    QFETCH(int, offered);
    qRegisterMetaType<ButtonIds::Id>();
    auto *top = host->add(new ButtonWidget(buttonIn(work, 3), false, nullptr, nullptr));
    MapWidget *card = top;
    if (kind == 0) {
        card = new ButtonWidget(buttonId, false, false, nullptr);
        top->addChildWidget(card);
    } else {
        card = new ForcePressWidget(buttonId, 50, -1, false, nullptr);
        top->addChildWidget(card);
    }
    QSignalSpy add(card, &MapWidget::menuAdd);
    QVERIFY(choose(card, "Add"));
    QCOMPARE(add.count(), 1);
    QCOMPARE(add.first().first().value<ButtonIds::Id>(), ButtonIds::Id(offered));
}

void TestMapWidget::saveAddsToMappingsLibrary()
{
    auto mapping = buttonIn(work, 3, {key(4)});
    mapping->name = "Fire";
    auto *card = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    QSignalSpy updated(card, &MapWidget::customActionUpdated);
    QVERIFY(choose(card, "Save"));
    QCOMPARE(updated.count(), 1);
    QFile library(ConfigFile::mappingsLibraryPath());
    QVERIFY(library.open(QIODevice::ReadOnly));
    const QByteArray bytes = library.readAll();
    QVERIFY(bytes.contains("\"Custom\""));
    QVERIFY(bytes.contains("\"Fire\""));
}

void TestMapWidget::clearOutputsEmptiesListsAndName_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("never loaded") << false;
    QTest::newRow("loaded") << true;
}

void TestMapWidget::clearOutputsEmptiesListsAndName()
{
    QFETCH(bool, loaded);
    auto mapping = buttonIn(work, 3, {click(3, 2)}, {click(3, 0)});
    mapping->name = "Thumb";
    mapping->blockOnDeactivation = 1;
    mapping->addChild(forceRegion(3, 50));
    auto *card = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    if (loaded)
        card->loadOutputs();
    QVERIFY(text(card, "pushButton_topRight").startsWith("Thumb : "));
    QVERIFY(choose(card, "Clear Outputs"));
    QVERIFY(mapping->activationOutputs.isEmpty());
    QVERIFY(mapping->deactivationOutputs.isEmpty());
    QVERIFY(mapping->name.isEmpty());
    QCOMPARE(mapping->blockOnDeactivation, quint8(1));
    QCOMPARE(mapping->children.size(), 1);
    QCOMPARE(text(card, "pushButton_topRight"), QString("Do Nothing"));
    QCOMPARE(text(card, "pushButton_botRight"), QString("Do Nothing | Stop Further Outputs"));
    if (loaded)
        QCOMPARE(card->pressOutputs()->rowCount(), 0);
}

void TestMapWidget::pasteWithEmptyClipboardAsksNothing()
{
    auto mapping = buttonIn(work, 3, {click(3, 2)});
    auto *card = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    QVERIFY(pasteAsksNothing(card));
    QCOMPARE(mapping->activationOutputs.size(), 1);
}

void TestMapWidget::overwriteOntoItselfChangesNothing()
{
    auto mapping = buttonIn(work, 3, {click(3, 2)}, {click(3, 0)});
    mapping->addChild(forceRegion(3, 50));
    auto *card = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    card->addChildrenFrom(mapping, card);
    const InputMapPtr before = mapping->deepCopy();
    QVERIFY(choose(card, "Copy"));
    auto answer = answerPaste("Overwrite");
    QVERIFY(choose(card, "Paste"));
    QVERIFY(answer->answered());
    QCOMPARE(ModelSnapshot::mappingDifference(*mapping, *before), QString());
    QCOMPARE(card->childCards().size(), 1);
}

void TestMapWidget::overwriteReplacesOutputsAndNestedInputs()
{
    auto source = buttonIn(work, 4, {key(4), key(5)}, {key(6)});
    source->name = "Keys";
    source->blockOnDeactivation = 1;
    source->addChild(forceRegion(4, 30))->activationOutputs = {key(7)};
    auto target = buttonIn(global, 3, {click(3, 2)}, {click(3, 0)});
    target->addChild(forceRegion(3, 60));
    auto *from = host->add(new ButtonWidget(source, false, nullptr, nullptr));
    auto *to = host->add(new ButtonWidget(target, true, nullptr, nullptr));
    to->addChildrenFrom(target, to);
    QPointer<MapWidget> oldChild = to->childCards().first();
    to->loadOutputs();

    QVERIFY(choose(from, "Copy"));
    QSignalSpy added(to, &MapWidget::inputAdded);
    QSignalSpy memory(model, &PackageCreator::updateMemoryUsed);
    auto answer = answerPaste("Overwrite");
    QVERIFY(choose(to, "Paste"));
    QVERIFY(answer->answered());
    QVERIFY(!oldChild);
    QCOMPARE(target->name, QString("Keys"));
    QCOMPARE(target->blockOnDeactivation, quint8(1));
    QCOMPARE(target->activationOutputs.size(), 2);
    QVERIFY(target->activationOutputs.first()->equals(*key(4)));
    QVERIFY(target->activationOutputs.first() != source->activationOutputs.first());
    QCOMPARE(target->deactivationOutputs.size(), 1);
    QCOMPARE(target->children.size(), 1);
    QVERIFY(target->children.first() != source->children.first());
    QCOMPARE(target->children.first()->parent, target.get());
    QCOMPARE(to->childCards().size(), 1);
    QCOMPARE(to->childCards().first()->config(), target->children.first().get());
    QCOMPARE(added.count(), 1);
    QVERIFY(memory.count() >= 1);
    // The editors were bound again to the new lists.
    QCOMPARE(to->pressOutputs()->rowCount(), 2);
    QCOMPARE(to->releaseOutputs()->rowCount(), 1);
    QCOMPARE(text(to, "pushButton_topRight"),
             QString("Keys : ") + key(4)->descriptionText() + " | " + key(5)->descriptionText());
    // The source is untouched.
    QCOMPARE(source->children.size(), 1);
    QCOMPARE(source->children.first()->parent, source.get());
}

void TestMapWidget::mergeAppendsOutputsAndNestedInputs()
{
    auto source = buttonIn(work, 4, {key(4)}, {key(6)});
    source->name = "Keys";
    source->addChild(forceRegion(4, 30));
    auto target = buttonIn(work, 3, {click(3, 2)}, {click(3, 0)});
    target->addChild(forceRegion(3, 60));
    auto *from = host->add(new ButtonWidget(source, false, nullptr, nullptr));
    auto *to = host->add(new ButtonWidget(target, false, nullptr, nullptr));
    to->addChildrenFrom(target, to);
    MapWidget *ownChild = to->childCards().first();

    QVERIFY(choose(from, "Copy"));
    auto answer = answerPaste("Merge");
    QVERIFY(choose(to, "Paste"));
    QVERIFY(answer->answered());
    QCOMPARE(target->activationOutputs.size(), 2);
    QVERIFY(target->activationOutputs.at(0)->equals(*click(3, 2)));
    QVERIFY(target->activationOutputs.at(1)->equals(*key(4)));
    QCOMPARE(target->deactivationOutputs.size(), 2);
    QCOMPARE(target->name, QString("Keys"));
    QCOMPARE(target->children.size(), 2);
    QCOMPARE(to->childCards().size(), 2);
    QCOMPARE(to->childCards().first(), ownChild);
    QCOMPARE(static_cast<InputMapAction_Force *>(target->children.at(1).get())->entryStart, quint16(300));
}

void TestMapWidget::analogAndDigitalCopyNothing_data()
{
    QTest::addColumn<bool>("analogFirst");
    QTest::newRow("analog onto digital") << true;
    QTest::newRow("digital onto analog") << false;
}

// Analog cards have no "Copy" and "Paste"; replacing a nested input by one of
// the other family takes over nothing.
void TestMapWidget::analogAndDigitalCopyNothing()
{
    QFETCH(bool, analogFirst);
    auto parent = buttonIn(work, 0);
    auto *top = host->add(new ButtonWidget(parent, false, nullptr, nullptr));
    MapWidget *analog = new ForcePressWidget(ButtonIds::LeftButton, 20, 90, false, nullptr);
    MapWidget *digital = new ForcePressWidget(ButtonIds::LeftButton, 50, -1, false, nullptr);
    MapWidget *replaced = analogFirst ? analog : digital;
    MapWidget *replacement = analogFirst ? digital : analog;
    top->addChildWidget(replaced);
    replaced->config()->activationOutputs = {key(9)};
    replaced->config()->name = "Old";
    replaced->config()->blockOnDeactivation = 1;
    if (!analogFirst)
        replaced->addChildWidget(new MovementWidget(6, 5, 1, false, nullptr));
    const InputMapPtr before = replacement->config()->deepCopy();
    top->insertChildWidget(replaced, replacement);
    QCOMPARE(ModelSnapshot::mappingDifference(*replacement->config(), *before), QString());
    QVERIFY(replacement->childCards().isEmpty());
    QCOMPARE(text(replacement, "pushButton_topRight"), QString("Do Nothing"));
    top->removeChildWidget(replaced);
    delete replaced;
}

void TestMapWidget::deleteInputEmptiesClipboard()
{
    auto copied = buttonIn(work, 3, {click(3, 2)});
    auto other = buttonIn(work, 4);
    auto *copiedCard = host->add(new ButtonWidget(copied, false, nullptr, nullptr));
    auto *otherCard = host->add(new ButtonWidget(other, false, nullptr, nullptr));
    auto *nested = new ForcePressWidget(ButtonIds::LeftButton, 50, -1, false, nullptr);
    otherCard->addChildWidget(nested);
    QVERIFY(choose(copiedCard, "Copy"));
    QVERIFY(MappingClipboard::mapping());
    SignalLog log(nested);
    QVERIFY(choose(nested, "Delete Input"));
    QCOMPARE(log.names.last(), QString("menuDelete"));
    QVERIFY(!MappingClipboard::mapping());
    QVERIFY(pasteAsksNothing(otherCard));
    QVERIFY(other->activationOutputs.isEmpty());
}

void TestMapWidget::staleClipboardIsNotPasted_data()
{
    QTest::addColumn<bool>("keepCard");
    QTest::newRow("card deleted with its profile") << false;
    QTest::newRow("card still shown") << true;
}

// A copied mapping whose profile is gone is not pasted: the card of another
// profile asks nothing and keeps what it has.
void TestMapWidget::staleClipboardIsNotPasted()
{
    QFETCH(bool, keepCard);
    ProfileData *doomed = model->addProfile(1, 255, QStringLiteral("Play"));
    auto copied = buttonIn(doomed, 3, {click(3, 2), key(4)});
    copied->addChild(forceRegion(3, 50));
    QPointer<MapWidget> copiedCard = host->add(new ButtonWidget(copied, false, nullptr, nullptr));
    auto target = buttonIn(work, 4, {key(5)});
    auto *targetCard = host->add(new ButtonWidget(target, false, nullptr, nullptr));
    QVERIFY(choose(copiedCard, "Copy"));
    copied.reset();
    model->removeProfile(doomed);
    if (!keepCard)
        delete copiedCard;

    const InputMapPtr before = target->deepCopy();
    QVERIFY(pasteAsksNothing(targetCard));
    QCOMPARE(ModelSnapshot::mappingDifference(*target, *before), QString());
    QVERIFY(!MappingClipboard::mapping());
}

// The copied child pasted over its own parent with "Overwrite": the parent's
// nested inputs are unlinked, the copied one among them.
void TestMapWidget::unlinkedChildIsNotPasted()
{
    auto parent = buttonIn(work, 3);
    parent->addChild(forceRegion(3, 50))->activationOutputs = {key(6)};
    auto target = buttonIn(work, 0, {key(7)});
    auto *parentCard = host->add(new ButtonWidget(parent, false, nullptr, nullptr));
    parentCard->addChildrenFrom(parent, parentCard);
    auto *targetCard = host->add(new ButtonWidget(target, false, nullptr, nullptr));
    QPointer<MapWidget> childCard = parentCard->childCards().first();
    QVERIFY(choose(childCard, "Copy"));
    auto overwrite = answerPaste("Overwrite");
    QVERIFY(choose(parentCard, "Paste"));
    QVERIFY(overwrite->answered());
    QVERIFY(!childCard);
    QVERIFY(parent->children.isEmpty());
    QCOMPARE(parent->activationOutputs.size(), 1);

    const InputMapPtr before = target->deepCopy();
    QVERIFY(pasteAsksNothing(targetCard));
    QCOMPARE(ModelSnapshot::mappingDifference(*target, *before), QString());
}

void TestMapWidget::pickerTakesThePressSummarysPlace()
{
    auto *card = host->add(new ButtonWidget(buttonIn(work, 3, {click(3, 2)}), false, nullptr, nullptr));
    settle();
    QVERIFY(card->outputBar());
    QVERIFY(!card->outputBar()->isVisible());
    QVERIFY(WidgetDriver::click(card, "pushButton_actionLibrary"));
    QVERIFY(card->outputBar()->isVisible());
    QVERIFY(!isShown(card, "pushButton_topRight"));
    QVERIFY(!isShown(card, "pushButton_actionLibrary"));
    emit card->outputBar()->hideActionLibrary();
    QVERIFY(!card->outputBar()->isVisible());
    QVERIFY(isShown(card, "pushButton_topRight"));
    QVERIFY(isShown(card, "pushButton_actionLibrary"));

    SignalLog log(card);
    emit card->outputBar()->viewOutputs();
    QCOMPARE(log.names, QStringList({"clicked", "outputPress"}));
}

// An inherited mapping that the picker copied into the current profile: the
// card shows and edits the copy and hands it on.
void TestMapWidget::cardFollowsThePickersCopy()
{
    auto inherited = buttonIn(global, 3, {click(3, 2)});
    model->setCurrentProfile(work);
    auto *card = host->add(new ButtonWidget(inherited, false, nullptr, nullptr));
    const InputMapPtr copy = model->copyIntoCurrentProfile(inherited.get());
    copy->activationOutputs = {keyInGroup(1, 4)};
    QList<InputMapActionConfig *> handed;
    connect(card, &MapWidget::syncOutputs, this, [&handed](InputMapActionConfig *mapping) { handed << mapping; });
    emit card->outputBar()->configChanged(copy.get());
    QCOMPARE(card->config(), copy.get());
    QCOMPARE(handed, QList<InputMapActionConfig *>{copy.get()});
    QCOMPARE(text(card, "pushButton_topRight"), keyInGroup(1, 4)->descriptionText());
    card->loadOutputs();
    QCOMPARE(card->pressOutputs()->rowCount(), 1);
    QCOMPARE(inherited->activationOutputs.size(), 1);
    QVERIFY(inherited->activationOutputs.first()->equals(*click(3, 2)));
}

void TestMapWidget::captionsShowTheirWholeText()
{
    // Cards sit in the expert window, whose style gives its buttons padding;
    // the captions are as wide as their text and must show all of it.
    qApp->setStyleSheet(AppStyleSheet::joined());
    ExpertView window;
    auto *layout = new QVBoxLayout(&window);
    auto *card = new ButtonWidget(buttonIn(work, 0, {click(0, 2)}, {click(0, 0)}), false, nullptr, nullptr);
    layout->addWidget(card);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const char *name : {"pushButton_topLeft", "pushButton_botLeft", "pushButton_topRight", "pushButton_botRight"}) {
        auto *button = card->findChild<QPushButton *>(name);
        QVERIFY(button && !button->text().isEmpty());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int needed = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(needed <= room.width(),
                 qPrintable(QStringLiteral("%1: %2 px of text in %3 px").arg(button->text()).arg(needed).arg(room.width())));
    }
    qApp->setStyleSheet(QString());
}

void TestMapWidget::pictures()
{
    auto top = buttonIn(work, 0, {click(0, 2)}, {click(0, 0)});
    InputMapPtr force = top->addChild(forceRegion(0, 50));
    force->activationOutputs = {keyInGroup(1, 4), keyInGroup(1, 5, 2)};
    force->name = "Hard";
    InputMapPtr tilt = force->addChild(TiltWidget::newMapping(1, 150, -1));
    tilt->deactivationOutputs = {keyInGroup(1, 6, 0)};
    tilt->blockOnDeactivation = 1;
    top->addChild(MovementWidget::newMapping(2, 10, 1));
    auto *card = host->add(new ButtonWidget(top, false, nullptr, nullptr));
    card->addChildrenFrom(top, card);
    QVERIFY(QTest::qWaitForWindowExposed(host));
    const QString tree = WidgetDriver::grabToPng(host, "card-tree");
    QVERIFY(!tree.isEmpty());
    qInfo() << "picture:" << tree;

    MenuList *menu = openMenu(card);
    QVERIFY(menu);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QString menuPicture = WidgetDriver::grabToPng(menu, "card-menu");
    QVERIFY(!menuPicture.isEmpty());
    qInfo() << "picture:" << menuPicture;
    QVERIFY(card->findChild<QPushButton *>("pushButton_menu")->isChecked());
    menu->hide();
    QVERIFY(!card->findChild<QPushButton *>("pushButton_menu")->isChecked());
}

QTEST_MAIN(TestMapWidget)
#include "tst_mapwidget.moc"
