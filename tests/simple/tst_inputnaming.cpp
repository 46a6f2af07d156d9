#include "InputNaming.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"

#include <QtTest>

Q_DECLARE_METATYPE(InputMapPtr)

namespace {

const QString degree(QChar(0x00B0));

InputMapPtr button(int id)
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = id;
    return mapping;
}

InputMapPtr angle(int type, int axis, int entryStart, int entryEnd)
{
    auto mapping = std::make_shared<InputMapAction_Angle>(type);
    mapping->axis = axis;
    mapping->entryStart = quint16(entryStart);
    mapping->entryEnd = quint16(entryEnd);
    return mapping;
}

InputMapPtr movement(int direction)
{
    auto mapping = std::make_shared<InputMapAction_Movement>();
    mapping->direction = direction;
    return mapping;
}

InputMapPtr scroll(int direction)
{
    auto mapping = std::make_shared<InputMapAction_Scroll>();
    mapping->wheelDirection = direction;
    return mapping;
}

} // namespace

class TestInputNaming : public QObject
{
    Q_OBJECT

private slots:
    void mappingsAreNamed_data()
    {
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("editorKind");
        QTest::newRow("middle button") << button(2) << "Middle Button"
                                       << "push" << 0;
        QTest::newRow("left trigger pull") << button(10) << "Left Trigger Pull"
                                           << "pull" << 0;
        QTest::newRow("right trigger pull") << button(12) << "Right Trigger Pull"
                                            << "pull" << 0;
        QTest::newRow("movement up") << movement(2) << "Movement"
                                     << "move_up" << 1;
        QTest::newRow("movement all") << movement(6) << "Movement"
                                      << "move_any" << 1;
        QTest::newRow("movement of a text form keeps its picture") << movement(4) << "Movement"
                                                                   << "previous" << 1;
        QTest::newRow("scroll back") << scroll(1) << "Scroll Back"
                                     << "scroll_back" << 2;
        QTest::newRow("scroll both") << scroll(2) << "Scroll"
                                     << "scroll_all" << 2;
        QTest::newRow("unknown scroll keeps name and picture") << scroll(5) << "previous"
                                                               << "previous" << 2;
        QTest::newRow("force region") << InputMapPtr(std::make_shared<InputMapAction_Force>(50)) << "Force Press"
                                      << "force_press" << 3;
        QTest::newRow("force range keeps everything")
            << InputMapPtr(std::make_shared<InputMapAction_Force>(52)) << "previous"
            << "previous" << 7;
        QTest::newRow("tilt defaults") << angle(60, 0, 0, 1788) << "Tilt Left 1.2" + degree << "tilt_left" << 4;
        QTest::newRow("tilt at level") << angle(60, 0, 0, 1800) << "Tilt Left 0" + degree << "tilt_left" << 4;
        QTest::newRow("tilt right") << angle(60, 0, 1850, 3600) << "Tilt Right 5" + degree << "tilt_right" << 4;
        QTest::newRow("tilt back") << angle(60, 1, 1925, 3600) << "Tilt Backward 12.5" + degree << "tilt_back" << 4;
        QTest::newRow("pivot left") << angle(60, 2, 0, 1500) << "Pivot Left 30" + degree << "pivot_left" << 5;
        QTest::newRow("analog tilt") << angle(62, 1, 1760, 1800) << "Analog Tilt Forward/Back"
                                     << "previous" << 4;
        QTest::newRow("analog pivot") << angle(62, 2, 1760, 1800) << "Analog Pivot"
                                      << "previous" << 5;
    }
    void mappingsAreNamed()
    {
        QFETCH(InputMapPtr, mapping);
        QFETCH(QString, name);
        QFETCH(QString, picture);
        QFETCH(int, editorKind);
        InputDescription description{QStringLiteral("previous"), QStringLiteral("previous"), 7};
        InputNaming::describe(*mapping, false, description);
        QCOMPARE(description.name, name);
        QCOMPARE(description.picture, picture);
        QCOMPARE(description.editorKind, editorKind);
    }

    void noButtonHasNoName()
    {
        InputDescription description{QStringLiteral("previous"), QStringLiteral("pull"), 3};
        QTest::ignoreMessage(QtWarningMsg, "ButtonIds: trying to get None button!");
        InputNaming::describe(*button(13), false, description);
        QVERIFY(description.name.isEmpty());
        QCOMPARE(description.picture, QStringLiteral("pull"));
        QCOMPARE(description.editorKind, 0);
    }

    void resetWritesTheStartingValues()
    {
        InputDescription description;
        const InputMapPtr pressed = button(5);
        InputNaming::describe(*pressed, true, description);
        QCOMPARE(static_cast<InputMapAction_Button &>(*pressed).buttonId, 0);
        QCOMPARE(description.name, QStringLiteral("Left Button"));

        auto moving = std::make_shared<InputMapAction_Movement>();
        moving->direction = 1;
        moving->countDivisor.setValue(300);
        moving->repeat = 1;
        InputNaming::describe(*moving, true, description);
        QCOMPARE(moving->direction, 6);
        QCOMPARE(moving->countDivisor.value(), quint16(5));
        QCOMPARE(moving->repeat, 0);
        QCOMPARE(description.picture, QStringLiteral("move_any"));

        auto wheel = std::make_shared<InputMapAction_Scroll>();
        wheel->wheelDirection = 2;
        InputNaming::describe(*wheel, true, description);
        QCOMPARE(wheel->wheelDirection, 0);
        QCOMPARE(description.name, QStringLiteral("Scroll Forward"));

        auto force = std::make_shared<InputMapAction_Force>();
        InputNaming::describe(*force, true, description);
        QCOMPARE(force->entryStart, quint16(500));
        QCOMPARE(force->entryEnd, quint16(1000));
        QCOMPARE(force->exitStart, quint16(400));
        QCOMPARE(force->exitEnd, quint16(1000));

        auto tilt = std::static_pointer_cast<InputMapAction_Angle>(angle(60, 2, 1900, 3600));
        InputNaming::describe(*tilt, true, description);
        QCOMPARE(tilt->axis, 0);
        QCOMPARE((QList<int>{tilt->entryStart, tilt->entryEnd, tilt->exitStart, tilt->exitEnd}),
                 (QList<int>{0, 1788, 0, 1793}));
        QCOMPARE(description.name, "Tilt Left 1.2" + degree);
        QCOMPARE(description.editorKind, 4);

        auto range = std::static_pointer_cast<InputMapAction_Angle>(angle(62, 2, 1760, 1800));
        InputNaming::describe(*range, true, description);
        QCOMPARE(range->axis, 0);
        QCOMPARE(range->entryStart, quint16(1760));
        QCOMPARE(description.name, QStringLiteral("Analog Tilt Left/Right"));
    }

    void nestedForceTakesItsParentsButton()
    {
        const InputMapPtr right = button(1);
        auto force = std::make_shared<InputMapAction_Force>();
        force->buttonId = 13;
        right->addChild(force);
        InputDescription description;
        InputNaming::describe(*force, false, description);
        QCOMPARE(force->buttonId, 1);

        // One level further down it takes the force region's button.
        auto nested = std::make_shared<InputMapAction_Force>();
        force->addChild(nested);
        InputNaming::describe(*nested, true, description);
        QCOMPARE(nested->buttonId, 1);

        // A top-level force region keeps its own.
        auto top = std::make_shared<InputMapAction_Force>();
        top->buttonId = 7;
        InputNaming::describe(*top, true, description);
        QCOMPARE(top->buttonId, 7);
    }

    void iconsWriteNothing()
    {
        auto tilt = std::static_pointer_cast<InputMapAction_Angle>(angle(62, 0, 1850, 3600));
        InputDescription description{QStringLiteral("previous"), QString(), 3};
        InputNaming::icon(*tilt, description);
        QCOMPARE(description.name, "Tilt Right 5" + degree);
        QCOMPARE(description.picture, QStringLiteral("tilt_right"));
        QCOMPARE(description.editorKind, 3);
        QCOMPARE(tilt->entryStart, quint16(1850));

        auto moving = std::make_shared<InputMapAction_Movement>();
        moving->direction = 3;
        InputNaming::icon(*moving, description);
        QCOMPARE(description.name, "Tilt Right 5" + degree); // movement changes the picture only
        QCOMPARE(description.picture, QStringLiteral("move_down"));

        InputNaming::icon(*button(11), description);
        QCOMPARE(description.name, QStringLiteral("Right Trigger Push"));
        QCOMPARE(description.picture, QStringLiteral("push"));
    }

    void topLevelTiltLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::newRow("defaults") << "Tilt Left 1.2" + degree << "Tilt Left";
        QTest::newRow("pivot") << "Pivot Right 30" + degree << "Pivot Right";
        QTest::newRow("backward") << "Tilt Backward 5" + degree << "Tilt Backward";
        QTest::newRow("no blank after 8") << "Analog Pivot"
                                          << "Analog Pivot";
    }
    void topLevelTiltLabels()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QCOMPARE(InputNaming::topLevelLabel(name), label);
    }
};

QTEST_GUILESS_MAIN(TestInputNaming)
#include "tst_inputnaming.moc"
