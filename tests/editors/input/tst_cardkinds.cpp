#include "ButtonWidget.h"
#include "CardDriver.h"
#include "ConnectedMouse.h"
#include "ForcePressWidget.h"
#include "ModelSnapshot.h"
#include "MovementWidget.h"
#include "OutputBuilders.h"
#include "SampleModel.h"
#include "ScrollWidget.h"
#include "TiltAnalogWidget.h"
#include "TiltWidget.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace CardDriver;

using MakeCard = std::function<MapWidget *()>;
Q_DECLARE_METATYPE(MakeCard)
Q_DECLARE_METATYPE(InputMapPtr)

namespace {

const QString degree = QString(QChar(0x1D52));

QByteArray bytesOf(const BigEndian16 &value)
{
    return QByteArray(reinterpret_cast<const char *>(value.bytes), 2);
}

template<class Record>
Record *outputAt(const InputMapActionConfig *mapping, int i)
{
    return dynamic_cast<Record *>(mapping->activationOutputs.value(i).get());
}

} // namespace

class TestCardKinds : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionsAndRows_data();
    void captionsAndRows();
    void newMappingBounds_data();
    void newMappingBounds();

    void firstButtonsClickByDefault_data();
    void firstButtonsClickByDefault();
    void forceButtonsGetNestedForcePress_data();
    void forceButtonsGetNestedForcePress();
    void nestedButtonDefaults_data();
    void nestedButtonDefaults();
    void scrollDefaults_data();
    void scrollDefaults();

    void menusAndLocks_data();
    void menusAndLocks();
    void menuRowsReachTheirItems_data();
    void menuRowsReachTheirItems();
    void nestedWheelsOfTheGlobalProfileStepTheDpi_data();
    void nestedWheelsOfTheGlobalProfileStepTheDpi();

    void emptyCopyKeepsTheInput_data();
    void emptyCopyKeepsTheInput();
    void angleSettingsAreTakenOver();

private:
    MapWidget *nested(MapWidget *card);

    PackageCreator *model = nullptr;
    CardHost *host = nullptr;
    MapWidget *holder = nullptr;
};

void TestCardKinds::init()
{
    model = PackageCreator::instance();
    SampleModel::emptyModel();
    model->addProfile(0, 255, QStringLiteral("Work"));
    model->loading = false;
    host = new CardHost;
    holder = nullptr;
}

void TestCardKinds::cleanup()
{
    delete host;
    host = nullptr;
    model->reset();
}

// Puts card under a top-level button card of the current profile.
MapWidget *TestCardKinds::nested(MapWidget *card)
{
    if (!holder) {
        auto mapping = std::static_pointer_cast<InputMapAction_Button>(SampleModel::button(3));
        model->currentProfile()->inputMaps << mapping;
        holder = host->add(new ButtonWidget(mapping, false, nullptr, nullptr));
    }
    holder->addChildWidget(card);
    settle();
    return card;
}

void TestCardKinds::captionsAndRows_data()
{
    QTest::addColumn<MakeCard>("make");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("release"); // empty: no release row
    const auto row = [](const char *tag, MakeCard make, const QString &name, const QString &press,
                        const QString &release) { QTest::newRow(tag) << make << name << press << release; };
    row(
        "left button", [] { return new ButtonWidget(0, false, false, nullptr); }, "Left Button", "Left Button Press",
        "Left Button Release");
    row(
        "trigger pull", [] { return new ButtonWidget(10, false, false, nullptr); }, "Left Trigger Pull",
        "Left Trigger Pull", "Left Trigger Pull Release");
    row(
        "force region", [] { return new ForcePressWidget(0, 50, -1, false, nullptr); }, "Force Press 50%",
        "Force Press 50% Press", "Force Press 50% Release");
    row(
        "force range", [] { return new ForcePressWidget(0, 20, 90, false, nullptr); }, "Force Press 20% to 90%",
        "Force Press 20% to 90%", "");
    row(
        "movement every", [] { return new MovementWidget(2, 1, 1, false, nullptr); }, "Mouse Movement Up, every 1 unit",
        "Mouse Movement Up, every 1 unit", "");
    row(
        "movement after", [] { return new MovementWidget(6, 100, 0, false, nullptr); },
        "Mouse Movement, after 100 units", "Mouse Movement, after 100 units", "");
    row(
        "movement left", [] { return new MovementWidget(0, 2, 5, false, nullptr); }, "Mouse Movement Left",
        "Mouse Movement Left", "");
    row(
        "scroll push", [] { return new ScrollWidget(0, false, false, nullptr); }, "Scroll Wheel Push",
        "Scroll Wheel Push", "");
    row(
        "scroll pull", [] { return new ScrollWidget(1, false, false, nullptr); }, "Scroll Wheel Pull",
        "Scroll Wheel Pull", "");
    row(
        "scroll both", [] { return new ScrollWidget(2, false, false, nullptr); }, "Scroll Wheel", "Scroll Wheel", "");
    row(
        "tilt right", [] { return new TiltWidget(0, -12, -1, false, false, nullptr); }, "Tilt Right 1.2" + degree,
        "Tilt Right 1.2" + degree, "Tilt Right 1.2" + degree + " Return");
    row(
        "tilt left", [] { return new TiltWidget(0, 100, -1, false, false, nullptr); }, "Tilt Left 10" + degree,
        "Tilt Left 10" + degree, "Tilt Left 10" + degree + " Return");
    row(
        "tilt backward", [] { return new TiltWidget(1, -255, 3, false, false, nullptr); },
        "Tilt Backward 25.5" + degree, "Tilt Backward 25.5" + degree, "Tilt Backward 25.5" + degree + " Return");
    row(
        "pivot left", [] { return new TiltWidget(2, 40, -1, false, false, nullptr); }, "Pivot Left 4" + degree,
        "Pivot Left 4" + degree, "Pivot Left 4" + degree + " Return");
    row(
        "analog pitch", [] { return new TiltAnalogWidget(1, 0, 40, 0, 40, true, false, false, nullptr); },
        "Analog Forward / Backward -4" + degree + " to 4" + degree,
        "Analog Forward / Backward -4" + degree + " to 4" + degree, "");
    row(
        "analog yaw", [] { return new TiltAnalogWidget(2, 15, 300, 20, 250, false, false, false, nullptr); },
        "Analog Pivot Left / Right -30" + degree + " to 25" + degree,
        "Analog Pivot Left / Right -30" + degree + " to 25" + degree, "");
}

void TestCardKinds::captionsAndRows()
{
    QFETCH(MakeCard, make);
    QFETCH(QString, name);
    QFETCH(QString, press);
    QFETCH(QString, release);
    MapWidget *card = nested(make());
    QCOMPARE(card->inputName(), name);
    QCOMPARE(text(card, "pushButton_topLeft"), press);
    QCOMPARE(text(card, "pushButton_topRight"), QString("Do Nothing"));
    QCOMPARE(isShown(card, "pushButton_botLeft"), !release.isEmpty());
    QCOMPARE(isShown(card, "widget"), !release.isEmpty());
    if (!release.isEmpty()) {
        QCOMPARE(text(card, "pushButton_botLeft"), release);
        QCOMPARE(card->releaseText(), release);
    }
    QCOMPARE(card->pressText(), press);
}

void TestCardKinds::newMappingBounds_data()
{
    QTest::addColumn<InputMapPtr>("mapping");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("bounds"); // entry start, entry end, exit start, exit end, flags
    QTest::newRow("tilt -12 automatic") << InputMapPtr(TiltWidget::newMapping(0, -12, -1)) << 60
                                        << QList<int>{1812, 3600, 1807, 3600, 0};
    QTest::newRow("tilt 100 automatic") << InputMapPtr(TiltWidget::newMapping(0, 100, -1)) << 60
                                        << QList<int>{0, 1700, 0, 1710, 0};
    QTest::newRow("tilt -300 automatic") << InputMapPtr(TiltWidget::newMapping(1, -300, -1)) << 60
                                         << QList<int>{2100, 3600, 2070, 3600, 0};
    QTest::newRow("tilt 50 noise 2") << InputMapPtr(TiltWidget::newMapping(2, 50, 2)) << 60
                                     << QList<int>{0, 1750, 0, 1752, 0};
    QTest::newRow("analog mirrored") << InputMapPtr(TiltAnalogWidget::newMapping(1, 0, 40, 0, 40, true)) << 62
                                     << QList<int>{1760, 1800, 1800, 1840, 3};
    QTest::newRow("analog two ranges") << InputMapPtr(TiltAnalogWidget::newMapping(0, 10, 200, 30, 90, false)) << 62
                                       << QList<int>{1600, 1790, 1830, 1890, 4};
    QTest::newRow("force region") << InputMapPtr(ForcePressWidget::newMapping(7, 50, -1)) << 50
                                  << QList<int>{500, 1000, 400, 1000, 0};
    QTest::newRow("force range") << InputMapPtr(ForcePressWidget::newMapping(0, 20, 90)) << 52
                                 << QList<int>{200, 900, 0, 1000, 3};
    // Below 10 % the region would end below no force at all.
    QTest::newRow("force region 5 %") << InputMapPtr(ForcePressWidget::newMapping(0, 5, -1)) << 50
                                      << QList<int>{50, 1000, 0, 1000, 0};
}

void TestCardKinds::newMappingBounds()
{
    QFETCH(InputMapPtr, mapping);
    QFETCH(int, type);
    QFETCH(QList<int>, bounds);
    QCOMPARE(mapping->inputType, type);
    QVERIFY(mapping->name.isEmpty() && mapping->activationOutputs.isEmpty() && mapping->children.isEmpty());
    QList<int> seen;
    if (auto *angle = dynamic_cast<InputMapAction_Angle *>(mapping.get())) {
        seen = {angle->entryStart, angle->entryEnd, angle->exitStart, angle->exitEnd, angle->rangeMode};
        QCOMPARE(angle->angleDirection, 2);
        QCOMPARE(angle->activeState, 1);
    } else {
        auto *force = static_cast<InputMapAction_Force *>(mapping.get());
        seen = {force->entryStart, force->entryEnd, force->exitStart, force->exitEnd, force->rangeMode};
        QCOMPARE(force->forceDirection, 0);
        QCOMPARE(force->activeState, 1);
    }
    QCOMPARE(seen, bounds);
}

void TestCardKinds::firstButtonsClickByDefault_data()
{
    QTest::addColumn<int>("id");
    for (int id = 0; id <= 4; ++id)
        QTest::addRow("button %d", id) << id;
}

void TestCardKinds::firstButtonsClickByDefault()
{
    QFETCH(int, id);
    auto *card = host->add(new ButtonWidget(id, true, false, nullptr));
    card->applyDefaults();
    card->syncMapping();
    const InputMapActionConfig *mapping = card->config();
    QCOMPARE(mapping->activationOutputs.size(), 1);
    QVERIFY(mapping->activationOutputs.first()->equals(*click(id, 2)));
    QCOMPARE(mapping->deactivationOutputs.size(), 1);
    QVERIFY(mapping->deactivationOutputs.first()->equals(*click(id, 0)));
    QCOMPARE(text(card, "pushButton_topRight"), click(id, 2)->descriptionText());
}

void TestCardKinds::forceButtonsGetNestedForcePress_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("vModel");
    QTest::addColumn<int>("percent"); // 0: no nested Force Press
    QTest::newRow("left") << 0 << false << 50;
    QTest::newRow("left fingertip") << 7 << false << 50;
    QTest::newRow("middle") << 2 << false << 0;
    QTest::newRow("middle on V") << 2 << true << 80;
    QTest::newRow("right on V") << 1 << true << 50;
    QTest::newRow("right fingertip on V") << 8 << true << 50;
    QTest::newRow("thumb on V") << 3 << true << 0;
}

void TestCardKinds::forceButtonsGetNestedForcePress()
{
    QFETCH(int, id);
    QFETCH(bool, vModel);
    QFETCH(int, percent);
    std::unique_ptr<ConnectedMouse> mouse;
    if (vModel) {
        mouse = std::make_unique<ConnectedMouse>(30);
        mouse->connect();
    }
    auto *card = host->add(new ButtonWidget(id, true, true, nullptr));
    QSignalSpy added(card, &MapWidget::inputAdded);
    card->applyDefaults();
    card->syncMapping();
    if (!percent) {
        QVERIFY(card->childCards().isEmpty());
        QVERIFY(card->config()->children.isEmpty());
        return;
    }
    QCOMPARE(card->childCards().size(), 1);
    MapWidget *child = card->childCards().first();
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.first().first().value<MapWidget *>(), child);
    QVERIFY(!child->isGlobal());
    QVERIFY(!child->isTopLevel());
    QCOMPARE(card->config()->children.size(), 1);
    auto *force = dynamic_cast<InputMapAction_Force *>(child->config());
    QVERIFY(force);
    QCOMPARE(force->parent, card->config());
    QCOMPARE(force->inputType, 50);
    QCOMPARE(force->buttonId, id);
    QCOMPARE(int(force->entryStart), percent * 10);
    QCOMPARE(int(force->exitStart), percent * 10 - 100);
    QCOMPARE(force->activationOutputs.size(), 1);
    auto *haptic = outputAt<OutputAction_Haptic>(force, 0);
    QVERIFY(haptic);
    QCOMPARE(haptic->strength, quint8(0));
    QCOMPARE(bytesOf(haptic->duration), QByteArray("\x00\x07", 2));
    QCOMPARE(haptic->hapticOption, 0);
    QCOMPARE(text(child, "pushButton_topLeft"), QString("Force Press %1% Press").arg(percent));
}

void TestCardKinds::nestedButtonDefaults_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("topLevel");
    QTest::addColumn<QList<int>>("types");
    QTest::newRow("trigger pull") << 10 << false << QList<int>{111, 97, 97, 97, 97, 97};
    QTest::newRow("rear edge") << 6 << false << QList<int>{90};
    QTest::newRow("front edge") << 5 << false << QList<int>{90};
    QTest::newRow("top-level trigger pull") << 10 << true << QList<int>{};
    QTest::newRow("trigger push") << 9 << false << QList<int>{};
}

void TestCardKinds::nestedButtonDefaults()
{
    QFETCH(int, id);
    QFETCH(bool, topLevel);
    QFETCH(QList<int>, types);
    auto *card = topLevel ? host->add(new ButtonWidget(id, true, false, nullptr))
                          : nested(new ButtonWidget(id, false, false, nullptr));
    card->applyDefaults();
    const InputMapActionConfig *mapping = card->config();
    QList<int> seen;
    for (const OutputPtr &output : mapping->activationOutputs)
        seen << output->typeCode;
    QCOMPARE(seen, types);
    QVERIFY(mapping->deactivationOutputs.isEmpty());
    QVERIFY(card->childCards().isEmpty());
    if (id == 10 && !topLevel) {
        QCOMPARE(outputAt<OutputAction_Act>(mapping, 0)->alternateCount, quint8(5));
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(outputAt<OutputAction_Oled>(mapping, i)->oledMode, i + 1);
            QVERIFY(outputAt<OutputAction_Oled>(mapping, i)->message.isEmpty());
        }
    } else if (!types.isEmpty()) {
        QCOMPARE(outputAt<OutputAction_Profile>(mapping, 0)->profileSelection, id == 6 ? 1 : 2);
    }
}

void TestCardKinds::scrollDefaults_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QByteArray>("amount");
    QTest::newRow("pull") << 1 << QByteArray("\xFF\xFF", 2);
    QTest::newRow("push") << 0 << QByteArray("\x00\x01", 2);
    QTest::newRow("both") << 2 << QByteArray("\x00\x01", 2);
}

void TestCardKinds::scrollDefaults()
{
    QFETCH(int, direction);
    QFETCH(QByteArray, amount);
    auto *card = host->add(new ScrollWidget(direction, true, false, nullptr));
    card->applyDefaults();
    auto *step = outputAt<OutputAction_Mouse>(card->config(), 0);
    QVERIFY(step);
    QCOMPARE(card->config()->activationOutputs.size(), 1);
    QCOMPARE(step->typeCode, 13);
    QCOMPARE(step->scrollAxis, 0);
    QCOMPARE(bytesOf(step->scrollCount), amount);
}

void TestCardKinds::menusAndLocks_data()
{
    QTest::addColumn<MakeCard>("make");
    QTest::addColumn<bool>("nest");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("captions");
    QTest::addColumn<bool>("summaries");
    const QStringList all{"Add", "Save", "Copy", "Paste", "Clear Outputs", "Delete Input"};
    const QStringList noAdd{"Save", "Copy", "Paste", "Clear Outputs", "Delete Input"};
    const QStringList range{"Save", "Clear Outputs", "Delete Input"};
    QTest::newRow("global left button") << MakeCard([] { return new ButtonWidget(0, true, true, nullptr); }) << false
                                        << QStringList{"Add", "Save", "Copy", "Paste"} << false << false;
    QTest::newRow("global right button") << MakeCard([] { return new ButtonWidget(1, true, true, nullptr); }) << false
                                         << QStringList(all.mid(0, 5)) << false << true;
    QTest::newRow("profile left button") << MakeCard([] { return new ButtonWidget(0, true, false, nullptr); }) << false
                                         << all << false << true;
    QTest::newRow("nested button") << MakeCard([] { return new ButtonWidget(0, false, true, nullptr); }) << true << all
                                   << true << true;
    QTest::newRow("global wheel") << MakeCard([] { return new ScrollWidget(1, true, true, nullptr); }) << false
                                  << QStringList(noAdd.mid(0, 4)) << false << true;
    QTest::newRow("nested wheel") << MakeCard([] { return new ScrollWidget(1, false, false, nullptr); }) << true
                                  << noAdd << true << true;
    QTest::newRow("movement") << MakeCard([] { return new MovementWidget(6, 1, 1, false, nullptr); }) << true << noAdd
                              << true << true;
    QTest::newRow("force region") << MakeCard([] { return new ForcePressWidget(0, 50, -1, false, nullptr); }) << true
                                  << all << true << true;
    QTest::newRow("force range") << MakeCard([] { return new ForcePressWidget(0, 20, 90, false, nullptr); }) << true
                                 << range << true << true;
    QTest::newRow("global tilt") << MakeCard([] { return new TiltWidget(0, 100, -1, true, true, nullptr); }) << false
                                 << QStringList(all.mid(0, 5)) << true << true;
    QTest::newRow("analog tilt") << MakeCard([] {
        return new TiltAnalogWidget(0, 0, 40, 0, 40, true, false, false, nullptr);
    }) << true << range << true << true;
}

void TestCardKinds::menusAndLocks()
{
    QFETCH(MakeCard, make);
    QFETCH(bool, nest);
    QFETCH(QStringList, rows);
    QFETCH(bool, captions);
    QFETCH(bool, summaries);
    MapWidget *card = nest ? nested(make()) : host->add(make());
    if (card->isTopLevel() && card->isGlobal())
        card->applyRestrictions();
    QCOMPARE(menuRows(card), rows);
    QCOMPARE(isEnabled(card, "pushButton_topLeft"), captions);
    QCOMPARE(isEnabled(card, "pushButton_botLeft"), captions);
    QCOMPARE(isEnabled(card, "pushButton_topRight"), summaries);
    QCOMPARE(isEnabled(card, "pushButton_botRight"), summaries);
}

void TestCardKinds::menuRowsReachTheirItems_data()
{
    QTest::addColumn<MakeCard>("make");
    QTest::newRow("movement") << MakeCard([] { return new MovementWidget(6, 1, 1, false, nullptr); });
    QTest::newRow("wheel") << MakeCard([] { return new ScrollWidget(0, false, false, nullptr); });
    QTest::newRow("force range") << MakeCard([] { return new ForcePressWidget(0, 20, 90, false, nullptr); });
    QTest::newRow("analog tilt") << MakeCard(
        [] { return new TiltAnalogWidget(2, 0, 40, 0, 40, false, false, false, nullptr); });
}

// The kinds whose menu leaves out rows still reach the right items.
void TestCardKinds::menuRowsReachTheirItems()
{
    QFETCH(MakeCard, make);
    MapWidget *card = nested(make());
    card->config()->activationOutputs = {key(4)};
    card->config()->name = "Named";
    card->syncMapping();
    QVERIFY(choose(card, "Clear Outputs"));
    QVERIFY(card->config()->activationOutputs.isEmpty());
    QVERIFY(card->config()->name.isEmpty());
    QCOMPARE(text(card, "pushButton_topRight"), QString("Do Nothing"));
    QSignalSpy deleted(card, &MapWidget::menuDelete);
    QVERIFY(choose(card, "Delete Input"));
    QCOMPARE(deleted.count(), 1);
}

void TestCardKinds::nestedWheelsOfTheGlobalProfileStepTheDpi_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("topLevel");
    QTest::addColumn<int>("selection"); // 0: left unchanged
    QTest::newRow("nested pull") << 1 << false << 7;
    QTest::newRow("nested push") << 0 << false << 8;
    QTest::newRow("top-level pull") << 1 << true << 0;
}

void TestCardKinds::nestedWheelsOfTheGlobalProfileStepTheDpi()
{
    QFETCH(int, direction);
    QFETCH(bool, topLevel);
    QFETCH(int, selection);
    MapWidget *card = topLevel ? host->add(new ScrollWidget(direction, true, true, nullptr))
                               : nested(new ScrollWidget(direction, false, true, nullptr));
    card->applyRestrictions();
    const InputMapActionConfig *mapping = card->config();
    if (!selection) {
        QVERIFY(mapping->activationOutputs.isEmpty());
        return;
    }
    QCOMPARE(mapping->activationOutputs.size(), 2);
    auto *dpi = outputAt<OutputAction_Tracking>(mapping, 0);
    QCOMPARE(dpi->typeCode, 92);
    QCOMPARE(dpi->dpiSelectionType, selection);
    QCOMPARE(dpi->dpiValue, quint16(1));
    auto *flash = outputAt<OutputAction_Oled>(mapping, 1);
    QCOMPARE(flash->typeCode, 103);
    QCOMPARE(flash->oledMode, 2);
    QCOMPARE(bytesOf(flash->flashDuration), QByteArray("\x00\x64", 2));
    QCOMPARE(flash->flashOption, 0);
}

void TestCardKinds::emptyCopyKeepsTheInput_data()
{
    QTest::addColumn<MakeCard>("make");
    QTest::newRow("button") << MakeCard([] { return new ButtonWidget(8, true, true, nullptr); });
    QTest::newRow("force region") << MakeCard([] { return new ForcePressWidget(7, 35, -1, true, nullptr); });
    QTest::newRow("force range") << MakeCard([] { return new ForcePressWidget(1, 15, 85, false, nullptr); });
    QTest::newRow("movement") << MakeCard([] { return new MovementWidget(3, 640, 1, false, nullptr); });
    QTest::newRow("wheel") << MakeCard([] { return new ScrollWidget(1, true, false, nullptr); });
    QTest::newRow("tilt above") << MakeCard([] { return new TiltWidget(1, -120, 7, true, false, nullptr); });
    QTest::newRow("tilt below") << MakeCard([] { return new TiltWidget(2, 90, -1, false, true, nullptr); });
    QTest::newRow("analog") << MakeCard(
        [] { return new TiltAnalogWidget(0, 20, 300, 5, 100, false, true, false, nullptr); });
}

void TestCardKinds::emptyCopyKeepsTheInput()
{
    QFETCH(MakeCard, make);
    std::unique_ptr<MapWidget> card(make());
    const InputMapPtr expected = card->config()->deepCopy();
    card->config()->activationOutputs = {key(4)};
    card->config()->name = "Busy";
    std::unique_ptr<MapWidget> copy(card->createEmptyCopy());
    QCOMPARE(typeid(*copy), typeid(*card));
    QVERIFY(!copy->isTopLevel());
    QCOMPARE(copy->isGlobal(), card->isGlobal());
    QVERIFY(copy->config() != card->config());
    QCOMPARE(ModelSnapshot::mappingDifference(*copy->config(), *expected), QString());
}

void TestCardKinds::angleSettingsAreTakenOver()
{
    auto other = TiltWidget::newMapping(2, -50, 9);
    auto *tilt = nested(new TiltWidget(0, 100, -1, false, false, nullptr));
    tilt->copyAngleSettings(other.get());
    auto *angle = static_cast<InputMapAction_Angle *>(tilt->config());
    QCOMPARE(angle->axis, 0);
    QCOMPARE(QList<int>({angle->entryStart, angle->entryEnd, angle->exitStart, angle->exitEnd}),
             QList<int>({1850, 3600, 1841, 3600}));
    QCOMPARE(text(tilt, "pushButton_topLeft"), "Tilt Right 5" + degree);

    auto range = TiltAnalogWidget::newMapping(1, 10, 80, 10, 80, false);
    auto *analog = nested(new TiltAnalogWidget(0, 0, 40, 0, 40, true, false, false, nullptr));
    analog->copyAngleSettings(range.get());
    QCOMPARE(ModelSnapshot::mappingDifference(*analog->config(), *range), QString());
    QCOMPARE(text(analog, "pushButton_topLeft"), "Analog Forward / Backward -8" + degree + " to 8" + degree);

    // Other kinds take nothing.
    auto *movement = nested(new MovementWidget(6, 1, 1, false, nullptr));
    const InputMapPtr before = movement->config()->deepCopy();
    movement->copyAngleSettings(other.get());
    QCOMPARE(ModelSnapshot::mappingDifference(*movement->config(), *before), QString());
}

QTEST_MAIN(TestCardKinds)
#include "tst_cardkinds.moc"
