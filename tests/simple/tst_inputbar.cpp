// The input bar and the input editors it opens, driven as a user would on
// the fixture's inheriting sub-profile.
#include "AngleInput.h"
#include "ButtonInput.h"
#include "ConnectedMouse.h"
#include "ForcePressInput.h"
#include "InputBar.h"
#include "LayerFixture.h"
#include "ModelSnapshot.h"
#include "MouseMovementInput.h"
#include "ProcessStateGuard.h"
#include "ScrollInput.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(InputMapActionConfig *)

using LayerFixture::choose;
using LayerFixture::itemsOf;

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

template<class Record>
Record *as(InputMapActionConfig *mapping)
{
    return dynamic_cast<Record *>(mapping);
}

} // namespace

class TestInputBar : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    LayerFixture::Model m;

    void plugIn(int model)
    {
        mouse = std::make_unique<ConnectedMouse>(model);
        mouse->connect();
    }

    // The bar's editor once its button was clicked.
    template<class Editor>
    Editor *open(InputBar &bar)
    {
        bar.show();
        if (!WidgetDriver::click(&bar, QStringLiteral("inputButton")))
            return nullptr;
        return qobject_cast<Editor *>(bar.editor());
    }

    // Global and the profile "Work" as they were, and "Work A" with one copy
    // of the tree that holds original, whose counterpart is mapping.
    void checkCopiedOnce(const ModelSnapshot &before, InputMapActionConfig *original, InputMapActionConfig *mapping)
    {
        store()->setCurrentProfile(m.workA);
        QCOMPARE(m.workA->inputMaps.size(), 1);
        QVERIFY(store()->containsInputMap(mapping));
        QVERIFY(!store()->containsInputMap(original));
        // Take "Work A" out of the comparison: everything else is unchanged.
        InputMapList copied = m.workA->inputMaps;
        m.workA->inputMaps.clear();
        const QString difference = ModelSnapshot::take().differenceFrom(before);
        m.workA->inputMaps = copied;
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

private slots:
    void initTestCase() { qRegisterMetaType<InputMapActionConfig *>(); }
    void init()
    {
        clean.emplace();
        m = LayerFixture::build();
    }
    void cleanup()
    {
        mouse.reset();
        clean.reset();
    }

    void topLevelButtonCannotBeChanged()
    {
        InputBar bar(m.left, QStringLiteral("pelkin"), false);
        bar.show();
        QSignalSpy shown(&bar, &InputBar::shown);
        QPushButton *button = bar.inputButton();
        QCOMPARE(button->text(), QStringLiteral("Left Button"));
        QCOMPARE(button->property("button_type").toString(), QStringLiteral("input"));
        QCOMPARE(button->property("m").toString(), QStringLiteral("pelkin"));
        QVERIFY(!button->isEnabled());
        QVERIFY(!button->icon().isNull());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown.count(), 0);
        QVERIFY(!bar.editor());
    }

    void nestedRowsOpenTheirEditor_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("editor");
        QTest::newRow("button") << "middleThumb"
                                << "Top Thumb"
                                << "ButtonInput";
        QTest::newRow("force") << "leftForce"
                               << "Force Press"
                               << "ForcePressInput";
        QTest::newRow("tilt") << "leftTilt" << QString("Tilt Left 10") + QChar(0x00B0) << "AngleInput";
        QTest::newRow("movement") << "leftMovement"
                                  << "Movement"
                                  << "MouseMovementInput";
        QTest::newRow("top-level tilt") << "tilt" << QString("Tilt Right 5") + QChar(0x00B0) << "AngleInput";
    }
    void nestedRowsOpenTheirEditor()
    {
        QFETCH(QString, which);
        QFETCH(QString, text);
        QFETCH(QString, editor);
        InputMapActionConfig *mapping = which == "middleThumb" ? m.middleThumb
                                        : which == "leftForce" ? m.leftForce
                                        : which == "leftTilt"  ? m.leftTilt
                                        : which == "tilt"      ? m.tilt
                                                               : m.leftMovement;
        InputBar bar(mapping, QStringLiteral("v"), false);
        QSignalSpy shown(&bar, &InputBar::shown);
        QSignalSpy hidden(&bar, &InputBar::hidden);
        QCOMPARE(bar.inputButton()->text(), text);
        QCOMPARE(bar.inputButton()->property("button_type").toString(), QStringLiteral("common"));
        QVERIFY(open<SimpleInputType>(bar));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(bar.editor()->metaObject()->className(), qPrintable(editor));
        QVERIFY(!bar.inputButton()->isVisible());
        QCOMPARE(bar.editor()->kindCombo() != nullptr, mapping->parent != nullptr);
        // Only a top-level tilt names its side beside the editor.
        QCOMPARE(bar.nameLabel()->isVisible(), which == "tilt");
        QCOMPARE(bar.nameLabel()->text(), which == "tilt" ? QStringLiteral("Tilt Right") : text);

        QVERIFY(WidgetDriver::click(&bar, QStringLiteral("hideInputButton")));
        QCOMPARE(hidden.count(), 1);
        QVERIFY(bar.inputButton()->isVisible());
        QVERIFY(!bar.editor()->isVisible());
        // Opening again shows the same editor.
        SimpleInputType *first = bar.editor();
        QVERIFY(WidgetDriver::click(&bar, QStringLiteral("inputButton")));
        QCOMPARE(bar.editor(), first);
        QVERIFY(first->isVisible());
    }

    void kindsFollowTheModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("model 10") << 10 << QStringList{"Button", "Scroll", "Movement"};
        QTest::newRow("model 5") << 5 << QStringList{"Force Press", "Button", "Scroll", "Movement", "Tilt/Pivot"};
    }
    void kindsFollowTheModel()
    {
        QFETCH(int, model);
        QFETCH(QStringList, kinds);
        plugIn(model);
        InputBar bar(m.middleThumb, QStringLiteral("pelkin"), true);
        QVERIFY(bar.editor());
        QCOMPARE(itemsOf(bar.editor()->kindCombo()), kinds);
        QCOMPARE(bar.editor()->kindCombo()->currentText(), QStringLiteral("Button"));
    }

    void tiltChildWithoutTiltSensorShowsNoKind()
    {
        plugIn(10);
        InputBar bar(m.leftTilt, QStringLiteral("pelkin"), true);
        QComboBox *kinds = bar.editor()->kindCombo();
        QCOMPARE(itemsOf(kinds), (QStringList{"Force Press", "Button", "Scroll", "Movement"}));
        QCOMPARE(kinds->currentIndex(), -1);
        QCOMPARE(m.workA->inputMaps.size(), 0);
    }

    void buttonBecomesMovement()
    {
        const ModelSnapshot before = ModelSnapshot::take();
        InputBar bar(m.middleThumb, QStringLiteral("pelkin"), false);
        QSignalSpy changed(&bar, &InputBar::configChanged);
        QSignalSpy stored(store(), &PackageCreator::updateMemoryUsed);
        QVERIFY(open<ButtonInput>(bar));
        QVERIFY(choose(bar.editor()->kindCombo(), QStringLiteral("Movement")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        auto *editor = qobject_cast<MouseMovementInput *>(bar.editor());
        QVERIFY(editor);
        QCOMPARE(bar.inputButton()->text(), QStringLiteral("Movement"));
        QCOMPARE(editor->findChild<QComboBox *>("directionCombo")->currentText(), QStringLiteral("All"));
        QCOMPARE(editor->findChild<QSpinBox *>("distanceSpin")->value(), 5);
        QVERIFY(!editor->findChild<QCheckBox *>("repeatCheck")->isChecked());
        QCOMPARE(editor->kindCombo()->currentText(), QStringLiteral("Movement"));

        auto *movement = as<InputMapAction_Movement>(bar.config());
        QVERIFY(movement);
        QCOMPARE(movement->direction, 6);
        QCOMPARE(movement->countDivisor.value(), quint16(5));
        QCOMPARE(movement->repeat, 0);
        QCOMPARE(movement->name, m.middleThumb->name);
        QVERIFY(stored.count() >= 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<InputMapActionConfig *>(), bar.config());
        QCOMPARE(m.workA->inputMaps.at(0)->children.at(0).get(), bar.config());
        QCOMPARE(bar.config()->parent, m.workA->inputMaps.at(0).get());
        checkCopiedOnce(before, m.middleThumb, bar.config());
    }

    void editorsWriteIntoOneCopy()
    {
        const ModelSnapshot before = ModelSnapshot::take();
        InputBar bar(m.leftForce, QStringLiteral("pelkin"), false);
        QSignalSpy changed(&bar, &InputBar::configChanged);
        auto *editor = open<ForcePressInput>(bar);
        QVERIFY(editor);
        auto *spin = editor->findChild<QSpinBox *>("forceSpin");
        auto *slider = editor->findChild<QSlider *>("forceSlider");
        QCOMPARE(spin->value(), 70);
        QCOMPARE(slider->value(), 70);

        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(spin->value(), 71);
        auto *force = as<InputMapAction_Force>(bar.config());
        QVERIFY(force && force != m.leftForce);
        QCOMPARE(force->entryStart, quint16(710));
        QCOMPARE(force->exitStart, quint16(610));
        QCOMPARE(changed.count(), 1);

        QVERIFY(WidgetDriver::typeInto(editor, QStringLiteral("forceSpin"), QStringLiteral("10")));
        QCOMPARE(slider->value(), 10);
        QCOMPARE(bar.config(), force);
        QCOMPARE(force->entryStart, quint16(100));
        QCOMPARE(force->exitStart, quint16(0));
        QCOMPARE(changed.count(), 1);
        checkCopiedOnce(before, m.leftForce, force);
    }

    void topLevelTiltKeepsItsSide()
    {
        InputBar bar(m.tilt, QStringLiteral("pelkin"), false);
        auto *editor = open<AngleInput>(bar);
        QVERIFY(editor);
        QVERIFY(!editor->findChild<QComboBox *>("axisCombo"));
        auto *spin = editor->findChild<QDoubleSpinBox *>("angleSpin");
        QCOMPARE(spin->value(), 5.0);
        QVERIFY(WidgetDriver::typeInto(editor, QStringLiteral("angleSpin"), QStringLiteral("30")));
        auto *angle = as<InputMapAction_Angle>(bar.config());
        QCOMPARE(angle->entryStart, quint16(2100));
        QCOMPARE(angle->exitStart, quint16(2070));
        QCOMPARE(angle->entryEnd, quint16(3600));
        QCOMPARE(bar.inputButton()->text(), QString("Tilt Right 30") + QChar(0x00B0));
    }

    void nestedTiltChoosesAxisAndSide()
    {
        plugIn(5);
        InputBar bar(m.leftTilt, QStringLiteral("v"), false);
        auto *editor = open<AngleInput>(bar);
        QVERIFY(editor);
        QComboBox *axes = editor->findChild<QComboBox *>("axisCombo");
        QComboBox *sides = editor->findChild<QComboBox *>("directionCombo");
        QCOMPARE(itemsOf(sides), (QStringList{"Left", "Right"}));
        QCOMPARE(sides->currentIndex(), 0);
        QCOMPARE(editor->findChild<QDoubleSpinBox *>("angleSpin")->value(), 10.0);

        QVERIFY(choose(sides, QStringLiteral("Right")));
        auto *angle = as<InputMapAction_Angle>(bar.config());
        QCOMPARE((QList<int>{angle->entryStart, angle->entryEnd, angle->exitStart, angle->exitEnd}),
                 (QList<int>{1900, 3600, 1890, 3600}));
        QVERIFY(choose(axes, QStringLiteral("Pitch")));
        QCOMPARE(angle->axis, 1);
        QCOMPARE(itemsOf(sides), (QStringList{"Forward", "Back"}));
        QCOMPARE(sides->currentIndex(), 1);
        QCOMPARE(bar.inputButton()->text(), QString("Tilt Backward 10") + QChar(0x00B0));
    }

    void buttonAndScrollEditors()
    {
        InputBar bar(m.middleThumb, QStringLiteral("pelkin"), false);
        auto *buttons = open<ButtonInput>(bar);
        QVERIFY(buttons);
        QComboBox *combo = buttons->findChild<QComboBox *>("buttonCombo");
        QCOMPARE(combo->count(), 13);
        QCOMPARE(combo->itemText(12), QStringLiteral("Right Trigger Pull"));
        QCOMPARE(combo->currentIndex(), 4);
        QVERIFY(choose(combo, QStringLiteral("Left Trigger Pull")));
        QCOMPARE(as<InputMapAction_Button>(bar.config())->buttonId, 10);
        QCOMPARE(bar.inputButton()->text(), QStringLiteral("Left Trigger Pull"));

        // A nested scroll: the kind combo turns the button into one.
        QVERIFY(choose(buttons->kindCombo(), QStringLiteral("Scroll")));
        auto *scroll = qobject_cast<ScrollInput *>(bar.editor());
        QVERIFY(scroll);
        QCOMPARE(as<InputMapAction_Scroll>(bar.config())->wheelDirection, 0);
        QVERIFY(choose(scroll->findChild<QComboBox *>("directionCombo"), QStringLiteral("Both")));
        QCOMPARE(as<InputMapAction_Scroll>(bar.config())->wheelDirection, 2);
        QCOMPARE(bar.inputButton()->text(), QStringLiteral("Scroll"));
        QCOMPARE(m.workA->inputMaps.size(), 1);
    }

    void movementEditorWritesAtOnce()
    {
        InputBar bar(m.leftMovement, QStringLiteral("pelkin"), false);
        auto *editor = open<MouseMovementInput>(bar);
        QVERIFY(editor);
        QCOMPARE(editor->findChild<QComboBox *>("directionCombo")->currentText(), QStringLiteral("Up"));
        QVERIFY(choose(editor->findChild<QComboBox *>("directionCombo"), QStringLiteral("All")));
        QVERIFY(WidgetDriver::typeInto(editor, QStringLiteral("distanceSpin"), QStringLiteral("300")));
        QVERIFY(WidgetDriver::click(editor, QStringLiteral("repeatCheck")));
        auto *movement = as<InputMapAction_Movement>(bar.config());
        QCOMPARE(movement->direction, 6);
        QCOMPARE(movement->countDivisor.bytes[0], quint8(1));
        QCOMPARE(movement->countDivisor.bytes[1], quint8(44));
        QCOMPARE(movement->repeat, 1);
    }

    void nothingIsWrittenWhileLoading()
    {
        InputBar bar(m.leftMovement, QStringLiteral("pelkin"), false);
        auto *editor = open<MouseMovementInput>(bar);
        store()->loading = true;
        QVERIFY(WidgetDriver::click(editor, QStringLiteral("repeatCheck")));
        QVERIFY(choose(editor->kindCombo(), QStringLiteral("Button")));
        store()->loading = false;
        QCOMPARE(bar.config(), m.leftMovement);
        QCOMPARE(as<InputMapAction_Movement>(m.leftMovement)->repeat, 0);
        QCOMPARE(m.workA->inputMaps.size(), 0);
    }
};

QTEST_MAIN(TestInputBar)
#include "tst_inputbar.moc"
