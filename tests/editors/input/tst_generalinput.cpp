// The input choice dialog on the simulated mouse: the kinds it offers per
// model and parent button, the page each mapping opens, and the card Ok
// hands over.
#include "AppFont.h"
#include "ComboBox.h"
#include "GeneralInput.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "InputPageHost.h"
#include "PageDriver.h"
#include "ProcessStateGuard.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <optional>
#include <vector>

using PageDriver::shownText;

Q_DECLARE_METATYPE(InputMapPtr)

namespace {

const QStringList simpleRows{"Mouse Buttons", "Mouse Movement", "Scroll Wheel"};

QList<int> bounds(const InputMapAction_Angle &angle)
{
    return {angle.entryStart, angle.entryEnd, angle.exitStart, angle.exitEnd};
}

template<class Record>
std::shared_ptr<Record> makeRecord()
{
    return std::make_shared<Record>();
}

std::shared_ptr<InputMapAction_Button> buttonMapping(int button)
{
    auto mapping = makeRecord<InputMapAction_Button>();
    mapping->buttonId = button;
    return mapping;
}

std::shared_ptr<InputMapAction_Force> forceRegion(int button, int entryStart)
{
    auto force = makeRecord<InputMapAction_Force>();
    force->inputType = 50;
    force->buttonId = button;
    force->entryStart = quint16(entryStart);
    force->exitStart = quint16(entryStart - 100);
    return force;
}

std::shared_ptr<InputMapAction_Angle> angleMapping(int type, int axis, QList<int> values, int mode = 0)
{
    auto angle = makeRecord<InputMapAction_Angle>();
    angle->inputType = type;
    angle->axis = axis;
    angle->entryStart = quint16(values[0]);
    angle->entryEnd = quint16(values[1]);
    angle->exitStart = quint16(values[2]);
    angle->exitEnd = quint16(values[3]);
    angle->rangeMode = mode;
    return angle;
}

} // namespace

class TestGeneralInput : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<GeneralInput> dialog;
    std::vector<std::unique_ptr<MapWidget>> added;
    std::vector<std::unique_ptr<MapWidget>> modified;
    int removed = 0;

    void open(int model)
    {
        mouse = plugInMouse(model);
        dialog = std::make_unique<GeneralInput>(nullptr);
        connect(dialog.get(), &GeneralInput::add, this, [this](MapWidget *card) { added.emplace_back(card); });
        connect(dialog.get(), &GeneralInput::modify, this, [this](MapWidget *card) { modified.emplace_back(card); });
        connect(dialog.get(), &GeneralInput::remove, this, [this] { ++removed; });
    }
    bool shown() { return dialog->isVisible() && QTest::qWaitForWindowExposed(dialog.get()); }
    ComboBox *typeCombo() const { return WidgetDriver::child<ComboBox>(dialog.get(), "comboBox_type"); }
    QStringList typeRows() const { return PageDriver::popupTexts(typeCombo()); }
    QString okText() const { return WidgetDriver::child<QPushButton>(dialog.get(), "pushButton_ok")->text(); }
    QWidget *page(const char *name) const { return WidgetDriver::child(dialog.get(), name); }
    // The one visible page.
    QString visiblePage() const
    {
        QStringList names;
        for (const char *name : {"MouseButtons", "MouseMovement", "ScrollWheel", "ForcePress", "Tilt"}) {
            if (page(name)->isVisible())
                names << name;
        }
        return names.join(' ');
    }
    // The mapping of the card Ok handed over as a changed input.
    template<class Record>
    std::shared_ptr<Record> modifiedRecord()
    {
        if (modified.size() != 1)
            return nullptr;
        return std::dynamic_pointer_cast<Record>(modified.back()->configPtr());
    }

private slots:
    // The program's font, as the pictures show it.
    void initTestCase() { QApplication::setFont(appFont()); }
    void init() { clean.emplace(); }
    void cleanup()
    {
        added.clear();
        modified.clear();
        removed = 0;
        dialog.reset();
        mouse.reset();
        clean.reset();
    }

    void addOffersKindsForModelAndButton_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        const QStringList force = simpleRows + QStringList{"Force Press"};
        const QStringList tilt{"Tilt", "Pivot"};
        QTest::newRow("other model, no button") << 20 << 13 << simpleRows << "Mouse Buttons";
        QTest::newRow("other model, left") << 10 << 0 << force << "Force Press";
        QTest::newRow("other model, left fingertip") << 20 << 7 << force << "Force Press";
        QTest::newRow("other model, right") << 20 << 1 << simpleRows << "Mouse Buttons";
        QTest::newRow("other model, middle") << 10 << 2 << simpleRows << "Mouse Buttons";
        QTest::newRow("other model, right fingertip") << 20 << 8 << simpleRows << "Mouse Buttons";
        QTest::newRow("no mouse, left fingertip") << 0 << 7 << force << "Force Press";
        QTest::newRow("V2, right fingertip") << 30 << 8 << force + tilt << "Force Press";
        QTest::newRow("V, middle") << 5 << 2 << force + tilt << "Force Press";
        QTest::newRow("V, no button") << 5 << 13 << simpleRows + tilt << "Mouse Buttons";
    }
    void addOffersKindsForModelAndButton()
    {
        QFETCH(int, model);
        QFETCH(int, button);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        open(model);
        dialog->showAdd(button);
        QVERIFY(shown());
        QCOMPARE(typeRows(), rows);
        QCOMPARE(typeCombo()->currentText(), selected);
        QCOMPARE(okText(), QString("Add"));
        QVERIFY(!page("pushButton_delete")->isVisible());
        if (selected == "Force Press") {
            QCOMPARE(visiblePage(), QString("ForcePress"));
            QCOMPARE(shownText(page("ForcePress"), "spinBox_force"), QString("50 %"));
            QVERIFY(shownText(page("ForcePress"), "comboBox_force_button")
                        .startsWith(QStringList{"Left Button", "Right Button", "Middle Button", "", "", "", "",
                                                "Left Fingertip", "Right Fingertip"}[button]));
            QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_ok"));
            QCOMPARE(added.size(), size_t(1));
            auto force = std::dynamic_pointer_cast<InputMapAction_Force>(added[0]->configPtr());
            QVERIFY(force);
            QCOMPARE(force->inputType, 50);
            QCOMPARE(force->buttonId, button);
            QCOMPARE(int(force->entryStart), 500);
            QCOMPARE(int(force->exitStart), 400);
        } else {
            QCOMPARE(visiblePage(), QString("MouseButtons"));
        }
        QVERIFY(!dialog->isVisible() || selected != "Force Press");
    }

    void pivotRowShowsTiltPageInPivotGroup()
    {
        open(30);
        dialog->showAdd(13);
        QVERIFY(shown());
        QCOMPARE(typeCombo()->itemText(4), QString("Pivot"));
        QVERIFY(PageDriver::pickItem(dialog.get(), "comboBox_type", "Pivot"));
        QCOMPARE(visiblePage(), QString("Tilt"));
        auto *tiltType = WidgetDriver::child<ComboBox>(page("Tilt"), "comboBox_tilt_type");
        QCOMPARE(PageDriver::popupTexts(tiltType),
                 (QStringList{"Pivot Left", "Pivot Right", "Analog Pivot Left / Right"}));
        WidgetDriver::grabToPng(dialog.get(), "dialog-pivot");
        QVERIFY(PageDriver::pickItem(page("Tilt"), "comboBox_tilt_type", "Pivot Right"));
        QVERIFY(PageDriver::pickItem(dialog.get(), "comboBox_type", "Tilt"));
        QCOMPARE(PageDriver::popupTexts(tiltType).size(), 6);
        QCOMPARE(tiltType->currentText(), QString("Left"));
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QCOMPARE(added.size(), size_t(1));
        auto tilt = std::dynamic_pointer_cast<InputMapAction_Angle>(added[0]->configPtr());
        QVERIFY(tilt);
        QCOMPARE(tilt->axis, 0);
        QCOMPARE(tilt->inputType, 60);
        QVERIFY(!dialog->isVisible());
    }

    void modifyLoadsThePageOfTheMapping_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::addColumn<bool>("nested");
        QTest::addColumn<QString>("typeRow");
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QStringList>("shown"); // object name, text, ...

        auto movement = makeRecord<InputMapAction_Movement>();
        movement->direction = 2;
        movement->countDivisor.setValue(300);
        movement->repeat = 1;
        auto scroll = makeRecord<InputMapAction_Scroll>();
        scroll->wheelDirection = 1;
        auto range = forceRegion(2, 200);
        range->inputType = 52;
        range->entryEnd = 900;

        QTest::newRow("button, top level") << 30 << InputMapPtr(buttonMapping(4)) << false << "Mouse Buttons"
                                           << "MouseButtons" << QStringList{"comboBox_button", "Top Thumb"};
        QTest::newRow("movement") << 10 << InputMapPtr(movement) << true << "Mouse Movement"
                                  << "MouseMovement"
                                  << QStringList{"comboBox_direction", "Up", "spinBox_units", "300", "comboBox_repeat",
                                                 "Repeat - every time"};
        QTest::newRow("scroll, top level") << 10 << InputMapPtr(scroll) << false << "Scroll Wheel"
                                           << "ScrollWheel" << QStringList{"comboBox_scroll", "Pull Back"};
        QTest::newRow("force region") << 10 << InputMapPtr(forceRegion(7, 300)) << true << "Force Press"
                                      << "ForcePress"
                                      << QStringList{"comboBox_force_button", "Left Fingertip Button Force",
                                                     "comboBox_range",        "Toggle Region",
                                                     "spinBox_force",         "30 %"};
        QTest::newRow("force range") << 5 << InputMapPtr(range) << true << "Force Press"
                                     << "ForcePress" << QStringList{"comboBox_force_button", "Middle Button Force",
                                                                    "comboBox_range",        "Analog Range",
                                                                    "spinBox_force_min",     "20 %",
                                                                    "spinBox_force_max",     "90 %"};
        QTest::newRow("tilt on axis 1") << 30 << InputMapPtr(angleMapping(60, 1, {2100, 3600, 2070, 3600})) << true
                                        << "Tilt"
                                        << "Tilt" << QStringList{"comboBox_tilt_type",  "Backward",
                                                                 "doubleSpinBox_angle", "30.0ᵒ",
                                                                 "doubleSpinBox_noise", "3.0ᵒ"};
        QTest::newRow("tilt on axis 2, top level")
            << 30 << InputMapPtr(angleMapping(60, 2, {0, 1500, 0, 1530})) << false << "Pivot"
            << "Tilt" << QStringList{"comboBox_tilt_type", "Pivot Left", "doubleSpinBox_angle", "30.0ᵒ"};
        QTest::newRow("analog tilt on axis 0")
            << 5 << InputMapPtr(angleMapping(62, 0, {1600, 1750, 1850, 2000}, 3)) << true << "Tilt"
            << "Tilt" << QStringList{"comboBox_tilt_type",     "Analog Tilt Left / Right",
                                     "doubleSpinBox_left_min", "5.0ᵒ",
                                     "doubleSpinBox_left_max", "20.0ᵒ",
                                     "checkBox_mirror",        "checked"};
        QTest::newRow("analog pivot") << 30 << InputMapPtr(angleMapping(62, 2, {1700, 1790, 1820, 1900}, 4)) << true
                                      << "Pivot"
                                      << "Tilt" << QStringList{"comboBox_tilt_type",      "Analog Pivot Left / Right",
                                                               "doubleSpinBox_right_min", "2.0ᵒ",
                                                               "checkBox_mirror",         "unchecked"};
    }
    void modifyLoadsThePageOfTheMapping()
    {
        QFETCH(int, model);
        QFETCH(InputMapPtr, mapping);
        QFETCH(bool, nested);
        QFETCH(QString, typeRow);
        QFETCH(QString, pageName);
        QFETCH(QStringList, shown);
        open(model);
        // A nested input lies under a Left Button mapping.
        auto parent = buttonMapping(0);
        if (nested)
            parent->addChild(mapping);
        dialog->showModify(mapping.get(), nested, nested);
        QVERIFY(this->shown());
        QCOMPARE(typeCombo()->currentText(), typeRow);
        QCOMPARE(page("widget_type")->isVisible(), nested);
        QCOMPARE(page("pushButton_delete")->isVisible(), nested);
        QCOMPARE(okText(), QString("Ok"));
        QCOMPARE(visiblePage(), pageName);
        QWidget *shownPage = page(qPrintable(pageName));
        if (pageName == "Tilt")
            QCOMPARE(WidgetDriver::child(shownPage, "widget_input")->isVisible(), nested);
        for (int i = 0; i + 1 < shown.size(); i += 2)
            QCOMPARE(shownText(shownPage, shown[i]), shown[i + 1]);
        WidgetDriver::grabToPng(dialog.get(), QStringLiteral("modify-%1").arg(QTest::currentDataTag()));

        // Ok builds a new input of the same kind with the same values.
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_ok"));
        QVERIFY(!dialog->isVisible());
        QVERIFY(added.empty());
        QCOMPARE(modified.size(), size_t(1));
        const InputMapActionConfig *built = modified[0]->config();
        QCOMPARE(built->inputType, mapping->inputType);
        if (auto angle = std::dynamic_pointer_cast<InputMapAction_Angle>(mapping)) {
            auto copy = modifiedRecord<InputMapAction_Angle>();
            QCOMPARE(copy->axis, angle->axis);
            QCOMPARE(bounds(*copy), bounds(*angle));
            if (angle->inputType == 62)
                QCOMPARE(copy->rangeMode, angle->rangeMode);
        } else if (auto force = std::dynamic_pointer_cast<InputMapAction_Force>(mapping)) {
            auto copy = modifiedRecord<InputMapAction_Force>();
            QCOMPARE(copy->buttonId, force->buttonId);
            QCOMPARE(copy->entryStart, force->entryStart);
            QCOMPARE(copy->entryEnd, force->entryEnd);
        } else if (auto movement = std::dynamic_pointer_cast<InputMapAction_Movement>(mapping)) {
            auto copy = modifiedRecord<InputMapAction_Movement>();
            QCOMPARE(copy->direction, movement->direction);
            QCOMPARE(copy->countDivisor.value(), movement->countDivisor.value());
            QCOMPARE(copy->repeat, movement->repeat);
        } else if (auto scroll = std::dynamic_pointer_cast<InputMapAction_Scroll>(mapping)) {
            QCOMPARE(modifiedRecord<InputMapAction_Scroll>()->wheelDirection, scroll->wheelDirection);
        } else {
            QCOMPARE(modifiedRecord<InputMapAction_Button>()->buttonId,
                     std::static_pointer_cast<InputMapAction_Button>(mapping)->buttonId);
        }
    }

    void typeListFollowsTheParentOfTheMapping_data()
    {
        QTest::addColumn<InputMapPtr>("parent");
        QTest::addColumn<bool>("forceRow");
        QTest::newRow("left button") << InputMapPtr(buttonMapping(0)) << true;
        QTest::newRow("left fingertip") << InputMapPtr(buttonMapping(7)) << true;
        QTest::newRow("top thumb") << InputMapPtr(buttonMapping(4)) << false;
        QTest::newRow("toggle force") << InputMapPtr(forceRegion(7, 500)) << true;
        QTest::newRow("tilt") << InputMapPtr(angleMapping(60, 0, {0, 1500, 0, 1530})) << false;
    }
    void typeListFollowsTheParentOfTheMapping()
    {
        QFETCH(InputMapPtr, parent);
        QFETCH(bool, forceRow);
        open(20);
        auto child = parent->addChild(buttonMapping(3));
        dialog->showModify(child.get(), true, true);
        QVERIFY(shown());
        QCOMPARE(typeRows(), forceRow ? simpleRows + QStringList{"Force Press"} : simpleRows);
        QCOMPARE(shownText(page("MouseButtons"), "comboBox_button"), QString("Bottom Thumb"));
    }

    void okAddsOrModifiesDeleteRemovesEscapeCancels()
    {
        open(10);
        dialog->showAdd(13);
        QVERIFY(shown());
        QVERIFY(PageDriver::pickItem(dialog.get(), "comboBox_type", "Scroll Wheel"));
        QVERIFY(PageDriver::pickItem(page("ScrollWheel"), "comboBox_scroll", "Both"));
        WidgetDriver::grabToPng(dialog.get(), "dialog-scroll");
        QTest::keyClick(dialog.get(), Qt::Key_Enter);
        QCOMPARE(added.size(), size_t(1));
        QCOMPARE(added[0]->config()->inputType, 30);
        QVERIFY(!dialog->isVisible());

        auto parent = buttonMapping(0);
        auto mapping = parent->addChild(buttonMapping(5));
        dialog->showModify(mapping.get(), true, true);
        QVERIFY(shown());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        dialog->showModify(mapping.get(), true, true);
        QVERIFY(shown());
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_cancel"));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(added.size(), size_t(1));
        QVERIFY(modified.empty());

        dialog->showModify(mapping.get(), true, true);
        QVERIFY(shown());
        QTest::keyClick(dialog.get(), Qt::Key_A); // consumed, does nothing
        QVERIFY(dialog->isVisible());
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_delete"));
        QCOMPARE(removed, 1);
        QVERIFY(!dialog->isVisible());

        dialog->showModify(mapping.get(), true, true);
        QVERIFY(shown());
        QTest::keyClick(dialog.get(), Qt::Key_Return);
        QCOMPARE(modified.size(), size_t(1));
        QCOMPARE(modifiedRecord<InputMapAction_Button>()->buttonId, 5);
        QCOMPARE(added.size(), size_t(1));
    }

    // A force mapping on a button the connected model's list lacks keeps
    // its button through Ok.
    void forceOnUnlistedButtonKeepsItsButton_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("button");
        QTest::newRow("no mouse, right fingertip") << 0 << 8;
        QTest::newRow("other model, middle") << 20 << 2;
        QTest::newRow("other model, right") << 10 << 1;
    }
    void forceOnUnlistedButtonKeepsItsButton()
    {
        QFETCH(int, model);
        QFETCH(int, button);
        open(model);
        auto parent = buttonMapping(0);
        auto force = parent->addChild(forceRegion(button, 650));
        dialog->showModify(force.get(), true, true);
        QVERIFY(shown());
        QCOMPARE(typeCombo()->currentText(), QString("Force Press"));
        QCOMPARE(shownText(page("ForcePress"), "comboBox_force_button"), QString());
        WidgetDriver::grabToPng(dialog.get(), QStringLiteral("force-unlisted-%1").arg(button));
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_ok"));
        auto copy = modifiedRecord<InputMapAction_Force>();
        QVERIFY(copy);
        QCOMPARE(copy->buttonId, button);
        QCOMPARE(int(copy->entryStart), 650);
    }

    // Kinds the list has no row for still open on their own page, and Ok
    // builds that kind again.
    void unlistedKindOpensOnItsOwnPage_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::newRow("tilt, no mouse") << 0 << InputMapPtr(angleMapping(60, 1, {0, 1500, 0, 1530}));
        QTest::newRow("pivot range, other model")
            << 20 << InputMapPtr(angleMapping(62, 2, {1700, 1790, 1820, 1900}, 4));
        QTest::newRow("top-level force, V2") << 30 << InputMapPtr(forceRegion(8, 400));
    }
    void unlistedKindOpensOnItsOwnPage()
    {
        QFETCH(int, model);
        QFETCH(InputMapPtr, mapping);
        open(model);
        dialog->showModify(mapping.get(), false, false);
        QVERIFY(shown());
        const bool angle = mapping->inputType >= 60;
        QCOMPARE(visiblePage(), QString(angle ? "Tilt" : "ForcePress"));
        QCOMPARE(typeCombo()->currentIndex(), -1);
        WidgetDriver::grabToPng(dialog.get(), QStringLiteral("unlisted-%1").arg(mapping->inputType));
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_ok"));
        QCOMPARE(modified.size(), size_t(1));
        QCOMPARE(modified[0]->config()->inputType, mapping->inputType);
        if (angle) {
            auto copy = modifiedRecord<InputMapAction_Angle>();
            QCOMPARE(copy->axis, std::static_pointer_cast<InputMapAction_Angle>(mapping)->axis);
            QCOMPARE(bounds(*copy), bounds(*std::static_pointer_cast<InputMapAction_Angle>(mapping)));
        } else {
            QCOMPARE(modifiedRecord<InputMapAction_Force>()->buttonId, 8);
        }
    }

    void screenshotsOfEveryPage()
    {
        open(30);
        dialog->showAdd(0);
        QVERIFY(shown());
        const QStringList rows = typeRows();
        for (int row = 0; row < rows.size(); ++row) {
            QVERIFY(PageDriver::pickPopupRow(dialog.get(), "comboBox_type", row));
            QVERIFY(!WidgetDriver::grabToPng(dialog.get(), QStringLiteral("page-%1").arg(row)).isEmpty());
        }
        QVERIFY(PageDriver::pickItem(dialog.get(), "comboBox_type", "Force Press"));
        QVERIFY(PageDriver::pickItem(page("ForcePress"), "comboBox_range", "Analog Range"));
        QVERIFY(!WidgetDriver::grabToPng(dialog.get(), "page-force-range").isEmpty());
        QVERIFY(PageDriver::pickItem(dialog.get(), "comboBox_type", "Tilt"));
        QVERIFY(PageDriver::pickItem(page("Tilt"), "comboBox_tilt_type", "Analog Tilt Forward / Back"));
        QVERIFY(!WidgetDriver::grabToPng(dialog.get(), "page-tilt-analog").isEmpty());
    }
};

QTEST_MAIN(TestGeneralInput)
#include "tst_generalinput.moc"
