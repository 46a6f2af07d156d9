// The output row: its categories for the connected model, the page a choice
// or a loaded record shows, its buttons, heights and the release question.
#include "ComboBox.h"
#include "ConnectedMouse.h"
#include "OutputAction.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "RecordBytes.h"
#include "RowDriver.h"
#include "SampleModel.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

// A window that holds one row, as a sequence would.
struct RowHost
{
    QWidget window;
    OutputAction *row;

    explicit RowHost(int inputKind = OutputAction::DigitalInput, int number = 1, int axis = 0)
        : row(new OutputAction(number, inputKind, axis))
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(row);
        layout->addStretch();
        window.resize(960, 300);
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    // The category combo's pop-up row, then (when given) a sub-type row.
    bool choose(int categoryRow, int subTypeRow = -1)
    {
        if (!PageDriver::pickPopupRow(row, "categoryCombo", categoryRow))
            return false;
        return subTypeRow < 0 || PageDriver::pickPopupRow(row, "subTypeCombo", subTypeRow);
    }
};

OutputPtr withState(OutputPtr record, int state)
{
    if (auto *mouse = dynamic_cast<OutputAction_Mouse *>(record.get()))
        mouse->buttonState = state;
    if (auto *joystick = dynamic_cast<OutputAction_Joystick *>(record.get()))
        joystick->buttonState = state;
    return record;
}

// The sample's joystick button 8, in that state.
OutputPtr joystickButton8(int state)
{
    return withState(SampleModel::everyOutput().at(8)->clone(), state);
}

} // namespace

class TestOutputAction : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;

    static PackageCreator *store() { return PackageCreator::instance(); }
    void plugIn(int model)
    {
        if (model == 0)
            return;
        mouse = std::make_unique<ConnectedMouse>(model);
        mouse->connect();
    }

private slots:
    void init()
    {
        clean.emplace();
        store()->setCurrentProfile(store()->addProfile(1, 255, "Work"));
        store()->loading = false;
    }
    void cleanup()
    {
        mouse.reset();
        clean.reset();
    }

    void categoriesFollowTheModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("inputKind");
        QTest::addColumn<QStringList>("popup");
        const QStringList tail{"Repeat / Wait / Stop / Alternate", "Joystick Buttons", "DPI & Tracking",
                               "Set Profile / Reset Angles"};
        QTest::newRow("no mouse") << 0 << int(OutputAction::DigitalInput)
                                  << QStringList{"Mouse", "Keyboard & Media"} + tail;
        QTest::newRow("model 10: haptics")
            << 10 << int(OutputAction::DigitalInput) << QStringList{"Mouse", "Keyboard & Media", "Vibration"} + tail;
        QTest::newRow("model 20: logo") << 20 << int(OutputAction::SettingsList)
                                        << QStringList{"Mouse", "Keyboard & Media", "Logo Backlight"} + tail;
        QTest::newRow("model 30: everything")
            << 30 << int(OutputAction::DigitalInput)
            << QStringList{"Mouse", "Keyboard & Media", "Vibration", "OLED Screen & Logo Backlight"} + tail;
        QTest::newRow("analog tilt") << 30 << int(OutputAction::AnalogTilt) << QStringList{"Joystick Axis"};
        QTest::newRow("analog force") << 30 << int(OutputAction::AnalogForce) << QStringList{"Joystick Slider"};
    }
    void categoriesFollowTheModel()
    {
        QFETCH(int, model);
        QFETCH(int, inputKind);
        QFETCH(QStringList, popup);
        plugIn(model);
        RowHost host(inputKind);
        QVERIFY(host.show());
        auto *combo = WidgetDriver::child<ComboBox>(host.row, "categoryCombo");
        QCOMPARE(combo->currentText(), QString("Select Output Type"));
        int checked = 0;
        QCOMPARE(PageDriver::popupTexts(combo, &checked), popup);
        QCOMPARE(checked, -1);
        QVERIFY(!host.row->hasType());
        QVERIFY(!host.row->config());
    }

    // The first page of each category, as the user picks it.
    void choosingACategoryShowsItsFirstPage_data()
    {
        QTest::addColumn<int>("inputKind");
        QTest::addColumn<int>("popupRow");
        QTest::addColumn<QString>("subType");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<int>("height");
        const int digital = OutputAction::DigitalInput;
        QTest::newRow("mouse") << digital << 0 << "Mouse Click"
                               << "MouseClick" << 12 << 60;
        QTest::newRow("keyboard") << digital << 1 << "Text String"
                                  << "KeyText" << 32 << 60;
        QTest::newRow("vibration") << digital << 2 << ""
                                   << "Vibration" << 80 << 92;
        QTest::newRow("lighting") << digital << 3 << "Logo Backlight"
                                  << "LightingLogo" << 95 << 60;
        QTest::newRow("steps: Wait first") << digital << 4 << "Wait"
                                           << "ActWait" << 113 << 60;
        QTest::newRow("joystick buttons") << digital << 5 << ""
                                          << "JoystickButtons" << 51 << 60;
        QTest::newRow("tracking") << digital << 6 << "DPI"
                                  << "TrackingDpi" << 92 << 60;
        QTest::newRow("profile") << digital << 7 << "Profile Change"
                                 << "ProfileChange" << 91 << 60;
        QTest::newRow("joystick slider") << int(OutputAction::AnalogForce) << 0 << ""
                                         << "AnalogController" << 52 << 92;
        QTest::newRow("joystick axis") << int(OutputAction::AnalogTilt) << 0 << ""
                                       << "AnalogController" << 50 << 92;
    }
    void choosingACategoryShowsItsFirstPage()
    {
        QFETCH(int, inputKind);
        QFETCH(int, popupRow);
        QFETCH(QString, subType);
        QFETCH(QString, page);
        QFETCH(int, typeCode);
        QFETCH(int, height);
        plugIn(30);
        RowHost host(inputKind, 1, inputKind == OutputAction::AnalogTilt ? 1 : 0);
        QVERIFY(host.show());
        QSignalSpy typeSelected(host.row, &OutputAction::typeSelected);
        QSignalSpy updated(host.row, &OutputAction::updated);
        QVERIFY(host.choose(popupRow));

        QVERIFY(host.row->hasType());
        QVERIFY(WidgetDriver::child(host.row, "categoryCombo")->isHidden());
        QCOMPARE(RowDriver::subType(host.row), subType);
        QCOMPARE(RowDriver::pageClass(host.row), page);
        QVERIFY(host.row->config());
        QCOMPARE(host.row->config()->typeCode, typeCode);
        QCOMPARE(typeSelected.count(), 1);
        QVERIFY(updated.count() >= 1);
        QCOMPARE(host.row->minimumHeight(), height);
        QCOMPARE(WidgetDriver::child(host.row, "widget_2row")->isVisible(), height > 60);
    }

    // Every kind a record can be, and the key groups the file leaves out.
    void loadShowsTheRecordsKind_data()
    {
        QTest::addColumn<int>("inputKind");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<QString>("subType");
        QTest::addColumn<QString>("page");
        const int digital = OutputAction::DigitalInput;
        const QStringList subTypes{"Movement",
                                   "Mouse Click",
                                   "Scroll",
                                   "Scroll",
                                   "Modifiers & Actions",
                                   "Media",
                                   "Text String",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "Profile Change",
                                   "Profile Change",
                                   "DPI",
                                   "Lift Off Height",
                                   "Logo Backlight",
                                   "OLED",
                                   "OLED",
                                   "OLED",
                                   "Repeat From",
                                   "Alternate",
                                   "Stop Looping",
                                   "Wait",
                                   "Reset / Calibrate Tilt Angles"};
        const QStringList pages{
            "MousePointer",  "MouseClick",       "MouseScroll",     "MouseScroll",      "KeyModifier",  "KeyMedia",
            "KeyText",       "AnalogController", "JoystickButtons", "AnalogController", "Vibration",    "ProfileChange",
            "ProfileChange", "TrackingDpi",      "TrackingLift",    "LightingLogo",     "LightingOled", "LightingOled",
            "LightingOled",  "ActRepeat",        "ActAlternate",    "ActStop",          "ActWait",      "TiltAngles"};
        const OutputList every = SampleModel::everyOutput();
        QCOMPARE(every.size(), pages.size());
        for (int i = 0; i < every.size(); ++i) {
            QTest::addRow("%d: type %d", i, every.at(i)->typeCode)
                << digital << every.at(i) << subTypes.at(i) << pages.at(i);
        }
        QTest::newRow("key of group 4") << digital << keyInGroup(4, 62) << "Functions"
                                        << "KeyFunction";
        QTest::newRow("group 0, a letter") << digital << keyInGroup(0, 4) << "Letters & Numbers"
                                           << "KeyLetter";
        QTest::newRow("group 0, keypad 7") << digital << keyInGroup(0, 95) << "Keypad"
                                           << "KeyPad";
        QTest::newRow("group 7, F13") << digital << keyInGroup(7, 104) << "Functions"
                                      << "KeyFunction";
        QTest::newRow("group 0, no picker's key") << digital << keyInGroup(0, 100) << "Letters & Numbers"
                                                  << "KeyLetter";
        QTest::newRow("slider in a force list") << int(OutputAction::AnalogForce) << every.at(9) << ""
                                                << "AnalogController";
    }
    void loadShowsTheRecordsKind()
    {
        QFETCH(int, inputKind);
        QFETCH(OutputPtr, record);
        QFETCH(QString, subType);
        QFETCH(QString, page);
        plugIn(30);
        RowHost host(inputKind, 20);
        QVERIFY(host.show());
        const QByteArray before = pageFieldBytes(record);
        QSignalSpy typeSelected(host.row, &OutputAction::typeSelected);
        store()->loading = true;
        host.row->load(record);
        store()->loading = false;
        host.row->updateView(); // as the sequence does when it is shown
        QCOMPARE(RowDriver::subType(host.row), subType);
        QCOMPARE(RowDriver::pageClass(host.row), page);
        QCOMPARE(host.row->config(), record);
        QCOMPARE(pageFieldBytes(record), before);
        QCOMPARE(typeSelected.count(), 1);
    }

    void aKeyNoPickerListsSelectsNoKeyAndIsKept()
    {
        RowHost host;
        QVERIFY(host.show());
        const OutputPtr record = keyInGroup(0, 100, OutputActionConfig::ButtonPress);
        host.row->load(record);
        QCOMPARE(PageDriver::shownText(host.row, "keyCombo"), QString());
        QVERIFY(PageDriver::pickItem(host.row, "modeCombo", "Release"));
        QCOMPARE(host.row->config(), record);
        QCOMPARE(pageFieldBytes(record), QByteArray::fromHex("006400"));
        QVERIFY(!host.row->isInvalid());
    }

    void aRecordNoPageShowsBuildsNothing_data()
    {
        QTest::addColumn<OutputPtr>("record");
        QTest::newRow("unknown type") << OutputPtr(recordWithCode<OutputAction_Act>(120));
        QTest::newRow("a key record with the mouse button's code")
            << OutputPtr(recordWithCode<OutputAction_Keyboard>(OutputType::MouseButton));
        QTest::newRow("a mouse record with the wait's code")
            << OutputPtr(recordWithCode<OutputAction_Mouse>(OutputType::Wait));
    }
    void aRecordNoPageShowsBuildsNothing()
    {
        QFETCH(OutputPtr, record);
        RowHost host;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^OutputAction: no page shows"));
        host.row->load(record);
        QVERIFY(!host.row->hasType());
        QVERIFY(!host.row->config());
        QVERIFY(!WidgetDriver::child(host.row, "categoryCombo")->isHidden());
    }

    void noUpdatedWhileTheModelLoads()
    {
        RowHost host;
        QVERIFY(host.show());
        QSignalSpy updated(host.row, &OutputAction::updated);
        store()->loading = true;
        QVERIFY(host.choose(1, 3)); // keyboard, modifiers
        QVERIFY(PageDriver::pickItem(host.row, "modeCombo", "Press"));
        RowHost loaded;
        QSignalSpy loadedUpdates(loaded.row, &OutputAction::updated);
        loaded.row->load(SampleModel::everyOutput().at(19)); // Repeat From, whose page saves on load
        QCOMPARE(updated.count(), 0);
        QCOMPARE(loadedUpdates.count(), 0);
        store()->loading = false;
        QVERIFY(PageDriver::pickItem(host.row, "modeCombo", "Tap"));
        QCOMPARE(updated.count(), 1);
    }

    void helpAndDuplicateFollowThePage_data()
    {
        QTest::addColumn<int>("categoryRow");
        QTest::addColumn<int>("subTypeRow");
        QTest::addColumn<QString>("help");
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("mouse click") << 0 << -1 << "" << true;
        QTest::newRow("modifiers") << 1 << 3
                                   << "Please note that Caps Lock needs to be held down\nfor at least 80ms to take "
                                      "effect"
                                   << true;
        QTest::newRow("vibration") << 2 << -1
                                   << "Vibration strength over 100% is 'overdrive\nmode', which can cause "
                                      "'rattling' for longer\nvibration duration"
                                   << true;
        QTest::newRow("OLED") << 3 << 1
                              << "Use the 'Show Previous' Output Action\nto close the current OLED display\nand show "
                                 "the previous OLED display"
                              << true;
        QTest::newRow("logo") << 3 << 0 << "" << true;
        QTest::newRow("alternate") << 4 << 0 << "" << false;
        QTest::newRow("repeat from") << 4 << 1 << "" << false;
        QTest::newRow("stop looping") << 4 << 2 << "" << false;
        QTest::newRow("wait") << 4 << 3 << "" << true;
        QTest::newRow("profile change") << 7 << 0 << "Output actions following a profile change don`t activate"
                                        << false;
        QTest::newRow("tilt reset") << 7 << 1
                                    << "Sets the current mouse orientation (angle)\nas the neutral (zero degrees) "
                                       "position"
                                    << true;
    }
    void helpAndDuplicateFollowThePage()
    {
        QFETCH(int, categoryRow);
        QFETCH(int, subTypeRow);
        QFETCH(QString, help);
        QFETCH(bool, duplicate);
        plugIn(30);
        RowHost host(OutputAction::DigitalInput, 2);
        QVERIFY(host.show());
        QVERIFY(host.choose(categoryRow, subTypeRow));
        auto *helpButton = WidgetDriver::child<QPushButton>(host.row, "pushButton_help");
        QCOMPARE(helpButton->isVisible(), !help.isEmpty());
        QCOMPARE(helpButton->toolTip(), help);
        QCOMPARE(WidgetDriver::child(host.row, "pushButton_duplicate")->isVisible(), duplicate);
        QCOMPARE(WidgetDriver::child(host.row, "pushButton_delete")->toolTip(), QString("Delete output"));
        QCOMPARE(WidgetDriver::child(host.row, "pushButton_drag")->toolTip(),
                 QString("Click and drag to re-order outputs"));
    }

    void buttonsAskTheSequence()
    {
        RowHost host;
        QVERIFY(host.show());
        QVERIFY(host.choose(0));
        QSignalSpy deleteMe(host.row, &OutputAction::deleteMe);
        QSignalSpy duplicateMe(host.row, &OutputAction::duplicateMe);
        QVERIFY(WidgetDriver::click(host.row, "pushButton_delete"));
        QVERIFY(WidgetDriver::click(host.row, "pushButton_duplicate"));
        QCOMPARE(deleteMe.count(), 1);
        QCOMPARE(duplicateMe.count(), 1);
        const QWidget *drag = WidgetDriver::child(host.row, "pushButton_drag");
        QCOMPARE(host.row->dragHotSpot(), drag->mapTo(host.row, drag->rect().center()));
    }

    // The joystick page's advanced ranges need the tallest row, and its
    // second line starts at the left edge.
    void theJoysticksAdvancedRangesMakeTheRowTallest()
    {
        RowHost host(OutputAction::AnalogTilt, 1, 1);
        QVERIFY(host.show());
        QVERIFY(host.choose(0));
        QCOMPARE(host.row->minimumHeight(), OutputAction::twoLineHeight);
        QVERIFY(WidgetDriver::click(host.row, "advancedCheck"));
        QCOMPARE(host.row->minimumHeight(), OutputAction::advancedHeight);
        const QWidget *second = WidgetDriver::child(host.row, "widget_2row");
        QCOMPARE(RowDriver::currentPage(host.row)->extraRowWidget()->mapTo(second, QPoint()).x(), 15);
        QVERIFY(WidgetDriver::click(host.row, "advancedCheck"));
        QCOMPARE(host.row->minimumHeight(), OutputAction::twoLineHeight);
    }

    void switchingToAOneLinePageHidesTheSecondLine()
    {
        plugIn(30);
        RowHost host;
        QVERIFY(host.show());
        QVERIFY(host.choose(3, 1)); // OLED
        QCOMPARE(host.row->minimumHeight(), OutputAction::twoLineHeight);
        QVERIFY(PageDriver::pickPopupRow(host.row, "subTypeCombo", 0)); // logo
        QCOMPARE(host.row->minimumHeight(), OutputAction::oneLineHeight);
        QVERIFY(!WidgetDriver::child(host.row, "widget_2row")->isVisible());
        QCOMPARE(host.row->config()->typeCode, int(OutputType::Led));
    }

    void theRowNumberAndItsRepeatTargets()
    {
        plugIn(30);
        RowHost host(OutputAction::DigitalInput, 3);
        QVERIFY(host.show());
        QCOMPARE(PageDriver::shownText(host.row, "label_num"), QString("#3"));
        QVERIFY(host.choose(4, 1));
        QCOMPARE(WidgetDriver::child<ComboBox>(host.row, "placeholderCombo")->count(), 3); // empty, 1, 2
        host.row->setNumber(5);
        QCOMPARE(PageDriver::shownText(host.row, "label_num"), QString("#5"));
        QCOMPARE(WidgetDriver::child<ComboBox>(host.row, "targetCombo")->count(), 4);
    }

    void aSettingsListsRepeatFromCountsPastTheSettings()
    {
        plugIn(30);
        RowHost host(OutputAction::SettingsList, 3);
        QVERIFY(host.show());
        QVERIFY(host.choose(4, 1));
        QVERIFY(PageDriver::pickPopupRow(host.row, "placeholderCombo", 1));
        QCOMPARE(pageFieldBytes(host.row->config()), QByteArray::fromHex("090000"));
    }

    void isReleaseOf_data()
    {
        QTest::addColumn<OutputPtr>("press");
        QTest::addColumn<OutputPtr>("candidate");
        QTest::addColumn<bool>("releases");
        const int press = OutputActionConfig::ButtonPress;
        const int release = OutputActionConfig::ButtonRelease;
        QTest::newRow("button 2 released") << click(1, press) << click(1, release) << true;
        QTest::newRow("another button") << click(1, press) << click(2, release) << false;
        QTest::newRow("button tapped") << click(1, press) << click(1, OutputActionConfig::ButtonTap) << false;
        QTest::newRow("key A released") << keyInGroup(1, 4, press) << keyInGroup(1, 4, release) << true;
        QTest::newRow("key B") << keyInGroup(1, 4, press) << keyInGroup(1, 5, release) << false;
        QTest::newRow("media") << media(0xCD, press) << media(0xCD, release) << true;
        QTest::newRow("joystick 8 released") << joystickButton8(press) << joystickButton8(release) << true;
        QTest::newRow("joystick in Press") << joystickButton8(press) << joystickButton8(press) << false;
        QTest::newRow("other types") << click(1, press) << withState(key(4, release), release) << false;
        QTest::newRow("no type") << click(1, press) << OutputPtr() << false;
    }
    void isReleaseOf()
    {
        QFETCH(OutputPtr, press);
        QFETCH(OutputPtr, candidate);
        QFETCH(bool, releases);
        RowHost first;
        RowHost second(OutputAction::DigitalInput, 2);
        first.row->load(press);
        if (candidate)
            second.row->load(candidate);
        QCOMPARE(second.row->isReleaseOf(first.row), releases);
        QVERIFY(!first.row->isReleaseOf(second.row) || releases);
    }

    void releaseOfAStepIsNoQuestion()
    {
        RowHost first;
        RowHost second(OutputAction::DigitalInput, 2);
        const OutputList every = SampleModel::everyOutput();
        first.row->load(every.at(22)->clone());
        second.row->load(every.at(22)->clone());
        QTest::ignoreMessage(QtWarningMsg, "OutputAction: Invalid output type being checked for release");
        QVERIFY(!second.row->isReleaseOf(first.row));
    }

    void thePlaceholderOnlyPrompts()
    {
        RowHost host;
        host.row->makePlaceholder();
        QVERIFY(host.show());
        QCOMPARE(PageDriver::shownText(host.row, "placeholderLabel"),
                 QString("Press Keyboard Keys to Create Output Actions"));
        for (const char *name : {"categoryCombo", "pushButton_delete", "pushButton_drag", "pushButton_duplicate"})
            QVERIFY2(!WidgetDriver::child(host.row, name)->isVisible(), name);
    }

    void invalidRowsAreFramedRed()
    {
        RowHost host;
        QVERIFY(host.show());
        QVERIFY(host.choose(1)); // an empty text
        QVERIFY(host.row->isInvalid());
        host.row->setInvalid(true);
        QVERIFY(WidgetDriver::child(host.row, "frame_top")->styleSheet().contains("rgb(255, 89, 89)"));
        host.row->setInvalid(false);
        QVERIFY(WidgetDriver::child(host.row, "frame_top")->styleSheet().contains("rgba(0, 0, 0, 69)"));
    }

    // Rows of several kinds, one of them red, to look at.
    void grabRows()
    {
        plugIn(30);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        window.resize(960, 500);
        QList<OutputAction *> rows;
        const auto add = [&](int inputKind) {
            rows << new OutputAction(rows.size() + 1, inputKind, 1);
            layout->addWidget(rows.last());
            return rows.last();
        };
        add(OutputAction::DigitalInput);
        add(OutputAction::DigitalInput)->load(click(1, OutputActionConfig::ButtonPress));
        add(OutputAction::DigitalInput)->load(keyInGroup(3, 225, OutputActionConfig::ButtonTap));
        add(OutputAction::DigitalInput)->load(SampleModel::everyOutput().at(10));
        add(OutputAction::DigitalInput)->load(SampleModel::everyOutput().at(16));
        OutputAction *text = add(OutputAction::DigitalInput);
        text->load(std::make_shared<OutputAction_Keyboard>(OutputType::KeyString));
        text->setInvalid(true);
        add(OutputAction::DigitalInput)->load(SampleModel::everyOutput().at(22));
        layout->addStretch();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (OutputAction *row : qAsConst(rows))
            row->updateView();
        QVERIFY(!WidgetDriver::grabToPng(&window, "rows").isEmpty());

        RowHost joystick(OutputAction::AnalogTilt, 1, 1);
        QVERIFY(joystick.show());
        QVERIFY(joystick.choose(0));
        QVERIFY(WidgetDriver::click(joystick.row, "advancedCheck"));
        QVERIFY(!WidgetDriver::grabToPng(&joystick.window, "row-joystick-advanced").isEmpty());
    }
};

QTEST_MAIN(TestOutputAction)
#include "tst_outputaction.moc"
