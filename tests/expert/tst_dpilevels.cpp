// The DPI level editor, typed into and clicked as a user would, against the
// store and, where the sensor matters, the simulated mouse: the single value
// and its snap, making, adding and deleting level rows and where the default
// goes, separate X and Y, loading records, the wheel, re-ordering by drag
// and drop, and what a connecting mouse changes (only what is shown).

#include "AppFont.h"
#include "ConnectedMouse.h"
#include "MouseFunctions.h"
#include "ProcessStateGuard.h"
#include "SettingsTestKit.h"
#include "SimulatedMouse.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

#include <optional>

using namespace SettingsTestKit;

class tst_DPILevels : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<Host> host;
    DPILevels *editor = nullptr;
    ProfileData *profile = nullptr;

    static PackageCreator *model() { return PackageCreator::instance(); }

    void makeEditor()
    {
        editor = new DPILevels;
        host = std::make_unique<Host>(editor);
        QVERIFY(host->show());
    }
    // A sensor with step 50 and maximum 26000.
    void connectFineSensor()
    {
        mouse = std::make_unique<ConnectedMouse>(20, 32768, 1);
        mouse->mouse()->setDpiStep(50);
        mouse->connect();
        QCOMPARE(mouse->device()->dpiStep(), 50);
        QCOMPARE(mouse->device()->maxDpi(), 26000);
    }
    QWidget *child(const char *name) const { return WidgetDriver::child(editor, name); }
    QSlider *singleSlider() const { return WidgetDriver::child<QSlider>(editor, "horizontalSlider_dpi_one"); }
    QString singleText() const { return PageDriver::shownText(editor, "lineEdit_dpi_one"); }
    bool inSingleMode() const
    {
        return child("widget_dpi_one")->isVisible() && !child("widget_levels")->isVisible() && editor->rowCount() == 0;
    }
    // From a single value of 800: rows of the values given, the first the
    // default.
    void makeRows(const QList<int> &values)
    {
        QVERIFY(PageDriver::typeAndFinish(editor, "lineEdit_dpi_one", QString::number(values.first())));
        QVERIFY(WidgetDriver::click(editor, "pushButton_create_dpi_level"));
        while (editor->rowCount() < values.size())
            QVERIFY(WidgetDriver::click(editor, "pushButton_add_dpi_level"));
        for (int i = 0; i < values.size(); ++i)
            QVERIFY(typeIntoRow(editor, i, true, values.at(i)));
        QCOMPARE(rowValues(editor), values);
    }
    int defaultRow() const
    {
        for (int i = 0; i < editor->rowCount(); ++i) {
            if (editor->row(i)->isDefault())
                return i;
        }
        return -1;
    }

private slots:
    void initTestCase() { QApplication::setFont(appFont()); }
    void init()
    {
        clean.emplace();
        profile = ownProfile(1, "Work");
        model()->loading = false;
    }
    void cleanup()
    {
        DPILevels::setDragRunner(nullptr);
        host.reset();
        editor = nullptr;
        mouse.reset();
        clean.reset();
    }

    // ------------------------------------------------------------ single value

    void typedValueIsSnapped_data()
    {
        QTest::addColumn<bool>("fineSensor");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("step 100: 1550") << false << 1550 << 1500;
        QTest::newRow("step 100: 30") << false << 30 << 100;
        QTest::newRow("step 100: 65535") << false << 65535 << 12000;
        QTest::newRow("step 50: 1525") << true << 1525 << 1500;
        QTest::newRow("step 50: 30") << true << 30 << 50;
        QTest::newRow("step 50: 30000") << true << 30000 << 26000;
    }
    void typedValueIsSnapped()
    {
        QFETCH(bool, fineSensor);
        QFETCH(int, typed);
        QFETCH(int, shown);
        if (fineSensor)
            connectFineSensor();
        makeEditor();
        QVERIFY(PageDriver::typeAndFinish(editor, "lineEdit_dpi_one", QString::number(typed)));
        QCOMPARE(singleText(), QString::number(shown));
        QCOMPARE(singleSlider()->value(), shown);
        const DpiConfigureRecord &stored = profile->dpiRecord;
        QCOMPARE(int(stored.levelCount), 1);
        QCOMPARE(stored.separateXY, 0);
        QCOMPARE(stored.dpiValues, QVector<quint16>{quint16(shown)});
    }

    // Values beyond 65535 cannot be typed; the slider moves the edit in steps.
    void validatorAndSlider()
    {
        makeEditor();
        auto *edit = WidgetDriver::child<QLineEdit>(editor, "lineEdit_dpi_one");
        QVERIFY(WidgetDriver::typeInto(editor, "lineEdit_dpi_one", "655359"));
        QCOMPARE(edit->text(), QString("65535"));
        QVERIFY(WidgetDriver::typeInto(editor, "lineEdit_dpi_one", "-5"));
        QCOMPARE(edit->text(), QString("5"));

        QTest::keyClick(singleSlider(), Qt::Key_Right);
        QCOMPARE(singleSlider()->singleStep(), 100);
        QCOMPARE(singleText(), QString::number(singleSlider()->value() - singleSlider()->value() % 100));
        QCOMPARE(int(storedValues().value(0)), singleText().toInt());
    }

    // ------------------------------------------------------------ the list

    void createMakesTwoRowsOfTheValue()
    {
        makeEditor();
        QVERIFY(PageDriver::typeAndFinish(editor, "lineEdit_dpi_one", "800"));
        QVERIFY(WidgetDriver::click(editor, "pushButton_create_dpi_level"));
        QVERIFY(!child("widget_dpi_one")->isVisible());
        QVERIFY(child("widget_levels")->isVisible());
        QCOMPARE(rowValues(editor), (QList<int>{800, 800}));
        QCOMPARE(defaultRow(), 0);
        QVERIFY(!WidgetDriver::child(editor->row(0), "checkBox")->isEnabled());
        QCOMPARE(editor->row(0)->levelNumber(), 1);
        QCOMPARE(PageDriver::shownText(editor->row(1), "label_dpi_level"), QString("2"));
        QCOMPARE(int(profile->dpiRecord.levelCount), 2);
        QCOMPARE(int(profile->dpiRecord.currentLevel), 0);
        QCOMPARE(storedValues(), (QVector<quint16>{800, 800}));
    }

    void addCopiesTheLastRowUpToTen()
    {
        makeEditor();
        makeRows({800, 2000});
        QVERIFY(WidgetDriver::click(editor, "pushButton_add_dpi_level"));
        QCOMPARE(rowValues(editor), (QList<int>{800, 2000, 2000}));
        while (editor->rowCount() < 10)
            QVERIFY(WidgetDriver::click(editor, "pushButton_add_dpi_level"));
        QVERIFY(!child("pushButton_add_dpi_level")->isVisible());
        QCOMPARE(int(profile->dpiRecord.levelCount), 10);
        QVERIFY(clickInRow(editor, 4, "pushButton_delete"));
        QCOMPARE(editor->rowCount(), 9);
        QVERIFY(child("pushButton_add_dpi_level")->isVisible());
        QCOMPARE(int(profile->dpiRecord.levelCount), 9);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(editor->row(i)->levelNumber(), i + 1);
    }

    // Checking another row's box moves the default; the default's own box
    // cannot be unchecked.
    void checkingARowMakesItTheDefault()
    {
        makeEditor();
        makeRows({800, 900, 1000});
        QVERIFY(clickInRow(editor, 2, "checkBox"));
        QCOMPARE(defaultRow(), 2);
        QVERIFY(!WidgetDriver::child(editor->row(2), "checkBox")->isEnabled());
        QVERIFY(!WidgetDriver::child<QCheckBox>(editor->row(0), "checkBox")->isChecked());
        QCOMPARE(int(profile->dpiRecord.currentLevel), 2);
    }

    void deletingTheDefault_data()
    {
        QTest::addColumn<int>("defaultPlace");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("nextDefault");
        QTest::newRow("the middle default: its successor") << 1 << 1 << QList<int>{800, 1000, 1200} << 1;
        QTest::newRow("the first default: its successor") << 0 << 0 << QList<int>{900, 1000, 1200} << 0;
        QTest::newRow("the last default: the new last row") << 3 << 3 << QList<int>{800, 900, 1000} << 2;
        QTest::newRow("another row: the default stays") << 3 << 0 << QList<int>{900, 1000, 1200} << 2;
    }
    void deletingTheDefault()
    {
        QFETCH(int, defaultPlace);
        QFETCH(int, deleted);
        QFETCH(QList<int>, values);
        QFETCH(int, nextDefault);
        makeEditor();
        makeRows({800, 900, 1000, 1200});
        QVERIFY(clickInRow(editor, defaultPlace, "checkBox") || defaultPlace == 0);
        QVERIFY(clickInRow(editor, deleted, "pushButton_delete"));
        QCOMPARE(rowValues(editor), values);
        QCOMPARE(defaultRow(), nextDefault);
        QCOMPARE(int(profile->dpiRecord.currentLevel), nextDefault);
        QVERIFY(profile->dpiRecord.isValid());
    }

    // Down to one row: the single value is that row's X; its Y is kept for
    // the next list, which also starts with that X.
    void downToOneRowAndBack()
    {
        makeEditor();
        makeRows({800, 1600});
        QVERIFY(WidgetDriver::click(editor, "checkBox_separate_xy"));
        QVERIFY(typeIntoRow(editor, 1, false, 400));
        QVERIFY(clickInRow(editor, 0, "pushButton_delete"));
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("1600"));
        QCOMPARE(singleSlider()->value(), 1600);
        QCOMPARE(PageDriver::shownText(editor, "checkBox_separate_xy"), QString("unchecked"));
        QCOMPARE(storedValues(), QVector<quint16>{1600});
        QCOMPARE(profile->dpiRecord.separateXY, 0);

        QVERIFY(WidgetDriver::click(editor, "pushButton_create_dpi_level"));
        QCOMPARE(rowValues(editor), (QList<int>{1600, 1600}));
        QCOMPARE(editor->row(0)->dpiY(), 400);
        QCOMPARE(editor->row(1)->dpiY(), 400);
        QVERIFY(WidgetDriver::click(editor, "checkBox_separate_xy"));
        QCOMPARE(storedValues(), (QVector<quint16>{1600, 400, 1600, 400}));
    }

    void separateXAndY()
    {
        makeEditor();
        makeRows({800, 1600, 3200});
        QCOMPARE(PageDriver::shownText(editor, "label_header_xdpi"), QString("DPI"));
        QVERIFY(!child("label_header_ydpi")->isVisible());
        QVERIFY(!WidgetDriver::child(editor->row(0), "lineEdit_dpi_y")->isVisible());
        QVERIFY(WidgetDriver::click(editor, "checkBox_separate_xy"));
        QCOMPARE(PageDriver::shownText(editor, "label_header_xdpi"), QString("X DPI"));
        QVERIFY(child("label_header_ydpi")->isVisible());
        QVERIFY(WidgetDriver::child(editor->row(2), "horizontalSlider_dpi_y")->isVisible());
        QVERIFY(typeIntoRow(editor, 0, false, 400));
        QVERIFY(typeIntoRow(editor, 1, false, 750));
        QVERIFY(typeIntoRow(editor, 2, false, 9000));
        QCOMPARE(profile->dpiRecord.separateXY, 1);
        QCOMPARE(storedValues(), (QVector<quint16>{800, 400, 1600, 700, 3200, 9000}));
        QVERIFY(!WidgetDriver::grabToPng(&host->window, "dpi-list-separate-xy").isEmpty());

        QVERIFY(WidgetDriver::click(editor, "checkBox_separate_xy"));
        QCOMPARE(profile->dpiRecord.separateXY, 0);
        QCOMPARE(storedValues(), (QVector<quint16>{800, 1600, 3200}));
    }

    // ------------------------------------------------------------ loading

    void loadsSeparateLevels()
    {
        makeEditor();
        const DpiConfigureRecord stored = profile->dpiRecord;
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        editor->clear();
        editor->load(dpiRecord(3, 1, 1, {800, 400, 1600, 700, 3200, 900}));
        QCOMPARE(rowValues(editor), (QList<int>{800, 1600, 3200}));
        QCOMPARE(editor->row(0)->dpiY(), 400);
        QCOMPARE(editor->row(1)->dpiY(), 700);
        QCOMPARE(editor->row(2)->dpiY(), 900);
        QCOMPARE(defaultRow(), 1);
        QCOMPARE(PageDriver::shownText(editor, "checkBox_separate_xy"), QString("checked"));
        QVERIFY(WidgetDriver::child(editor->row(1), "lineEdit_dpi_y")->isVisible());
        QVERIFY(!model()->loading);
        QCOMPARE(changed.count(), 0);
        QVERIFY(profile->dpiRecord.equals(stored));

        // Loading a single value goes back to single mode.
        editor->load(dpiRecord(1, 0, 0, {2400}));
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("2400"));
        QCOMPARE(changed.count(), 0);
    }

    // Level count 0 is refused, the single value staying; any other record
    // the store would not keep is shown as it keeps it, one level of 1500.
    void refusedRecords()
    {
        makeEditor();
        QVERIFY(PageDriver::typeAndFinish(editor, "lineEdit_dpi_one", "800"));
        QTest::ignoreMessage(QtWarningMsg, "DPILevels: wrong levelsCount while dpi load!");
        editor->load(dpiRecord(0, 0, 0, {}));
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("800"));

        makeRows({800, 900});
        editor->load(dpiRecord(3, 0, 1, {800, 400, 1600}));
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("1500"));
        editor->load(dpiRecord(2, 5, 0, {800, 900}));
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("1500"));
    }

    void resetGivesOneLevelOf1500()
    {
        makeEditor();
        makeRows({800, 900});
        editor->reset();
        QVERIFY(inSingleMode());
        QCOMPARE(singleText(), QString("1500"));
        QVERIFY(profile->dpiRecord.equals(dpiRecord(1, 0, 0, {1500})));
    }

    void wheelChangesNoSlider()
    {
        makeEditor();
        const int single = singleSlider()->value();
        QVERIFY(PageDriver::turnWheel(editor, "horizontalSlider_dpi_one", 3));
        QCOMPARE(singleSlider()->value(), single);
        makeRows({800, 900});
        QVERIFY(WidgetDriver::click(editor, "checkBox_separate_xy"));
        const QVector<quint16> before = storedValues();
        for (const char *name : {"horizontalSlider_dpi_x", "horizontalSlider_dpi_y"}) {
            auto *slider = WidgetDriver::child<QSlider>(editor->row(1), name);
            const int value = slider->value();
            QVERIFY(PageDriver::turnWheel(editor->row(1), name, -2));
            QCOMPARE(slider->value(), value);
        }
        QCOMPARE(storedValues(), before);
    }

    // ------------------------------------------------------------ dragging

    void dragReordersTheLevels()
    {
        makeEditor();
        makeRows({800, 900, 1000});
        QVERIFY(clickInRow(editor, 1, "checkBox"));
        bool accepted = false;
        DPILevels::setDragRunner([&](QDrag *drag) {
            QFrame *onto = editor->row(2)->frame();
            const QPoint at = editor->mapFromGlobal(onto->mapToGlobal(onto->rect().center()));
            QDragEnterEvent enter(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &enter);
            QDragMoveEvent move(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &move);
            QDropEvent drop(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &drop);
            accepted = enter.isAccepted() && move.isAccepted() && drop.isAccepted();
            return Qt::MoveAction;
        });
        QTest::mousePress(WidgetDriver::child(editor->row(0), "pushButton_drag"), Qt::LeftButton);
        QTest::mouseRelease(WidgetDriver::child(editor->row(0), "pushButton_drag"), Qt::LeftButton);
        QVERIFY(accepted);
        QCOMPARE(storedValues(), (QVector<quint16>{900, 1000, 800}));
        QCOMPARE(int(profile->dpiRecord.currentLevel), 0); // the default went with its row
        QCOMPARE(rowValues(editor), (QList<int>{900, 1000, 800}));
        // Shown in list order, numbered from the top, every frame back.
        QCoreApplication::processEvents();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(editor->row(i)->levelNumber(), i + 1);
            QVERIFY(editor->row(i)->frame()->isVisible());
            if (i > 0)
                QVERIFY(editor->row(i)->frame()->y() > editor->row(i - 1)->frame()->y());
        }
    }

    // A drag that ends before any row was hovered, or whose data is not a
    // level's, moves nothing.
    void dragWithoutTargetMovesNothing()
    {
        makeEditor();
        makeRows({800, 900, 1000});
        bool foreignRefused = false;
        DPILevels::setDragRunner([&](QDrag *drag) {
            QMimeData foreign;
            foreign.setText("800");
            QDragEnterEvent alien(QPoint(5, 5), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &alien);
            foreignRefused = !alien.isAccepted();
            QDropEvent drop(QPoint(5, 5), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &drop);
            return Qt::IgnoreAction;
        });
        emit editor->row(2)->dragMe();
        QVERIFY(foreignRefused);
        QCOMPARE(storedValues(), (QVector<quint16>{800, 900, 1000}));
        QVERIFY(editor->row(2)->frame()->isVisible());
    }

    // A load while the drag runs takes the dragged row away; the drag ends
    // without touching it.
    void rowLoadedAwayDuringTheDrag()
    {
        makeEditor();
        makeRows({800, 900});
        DPILevels::setDragRunner([&](QDrag *drag) {
            editor->load(dpiRecord(2, 0, 0, {1200, 1300}));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QDropEvent drop(QPoint(5, 5), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &drop);
            return Qt::IgnoreAction;
        });
        emit editor->row(0)->dragMe();
        QCOMPARE(rowValues(editor), (QList<int>{1200, 1300}));
        QVERIFY(editor->row(0)->frame()->isVisible());
    }

    // ------------------------------------------------------------ the sensor

    // A connecting sensor changes the ranges and what is shown, from the
    // record, and stores nothing: a level above the old maximum comes back.
    void connectShowsTheRecordForTheSensor()
    {
        makeEditor();
        profile->dpiRecord = dpiRecord(3, 2, 0, {1525, 20000, 800});
        editor->load(profile->dpiRecord);
        QCOMPARE(rowValues(editor), (QList<int>{1500, 12000, 800}));
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);

        connectFineSensor();
        QCOMPARE(rowValues(editor), (QList<int>{1500, 20000, 800}));
        auto *slider = WidgetDriver::child<QSlider>(editor->row(1), "horizontalSlider_dpi_x");
        QCOMPARE(slider->maximum(), 26000);
        QCOMPARE(slider->singleStep(), 50);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!model()->loading);
        QVERIFY(profile->dpiRecord.equals(dpiRecord(3, 2, 0, {1525, 20000, 800})));

        // The next edit stores what is shown.
        QVERIFY(typeIntoRow(editor, 2, true, 825));
        QCOMPARE(storedValues(), (QVector<quint16>{1500, 20000, 800}));
        QVERIFY(changed.count() > 0);
    }

    void connectResnapsTheSingleValue()
    {
        makeEditor();
        profile->dpiRecord = dpiRecord(1, 0, 0, {20000});
        editor->load(profile->dpiRecord);
        QCOMPARE(singleText(), QString("12000"));
        connectFineSensor();
        QCOMPARE(singleText(), QString("20000"));
        QCOMPARE(singleSlider()->value(), 20000);
        QCOMPARE(singleSlider()->minimum(), 50);
        QCOMPARE(singleSlider()->maximum(), 26000);
        QCOMPARE(storedValues(), QVector<quint16>{20000});
    }
};

QTEST_MAIN(tst_DPILevels)
#include "tst_dpilevels.moc"
