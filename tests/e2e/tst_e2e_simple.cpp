// The simple view end to end, for the look of each model: the whole program
// over the simulated mouse on an X server of the test's own, driven by
// clicks, each step checked on the widgets, at the mouse and in the working
// file, with a picture of the screen after it.
#include "App.h"
#include "AppHarness.h"
#include "DialogAnswerer.h"
#include "ModelSnapshot.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProfileArea.h"
#include "ProfileButton.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"
#include "WorkingFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

ProfileButton *tileNamed(const ProfileArea *bar, const QString &name)
{
    for (ProfileButton *tile : bar->rowTiles()) {
        if (tile->name() == name)
            return tile;
    }
    return nullptr;
}

QStringList shownTiles(const ProfileArea *bar)
{
    QStringList names;
    for (const ProfileButton *tile : bar->rowTiles()) {
        if (tile->isVisible())
            names << tile->name();
    }
    return names;
}

QString activeName(const ProfileArea *bar)
{
    const auto *label = WidgetDriver::child<QLabel>(bar, "label_activeName");
    return label ? label->text() : QString();
}

// The payload of the last profile switch the mouse was sent; empty when none.
QVector<uint8_t> lastSwitch(const SimulatedMouse *mouse)
{
    const QVector<SimulatedMouse::Command> commands = mouse->commands();
    for (auto it = commands.crbegin(); it != commands.crend(); ++it) {
        if (it->is(1, 10, 30))
            return it->payload;
    }
    return {};
}

// A widget whose model key is not the one given; null when every one has it.
QWidget *widgetWithoutKey(QWidget *window, const QString &key)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->property("m").toString() != key)
            return widget;
    }
    return nullptr;
}

} // namespace

class TestSimpleFlows : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> run;

    SimpleView *view() const { return run->app()->simple(); }
    ProfileArea *bar() const { return view()->profileArea(); }
    // The mouse holds what the program's model makes of the profiles now.
    bool mouseHoldsTheModel() const
    {
        const QByteArray package = PackageCreator::instance()->package();
        return !package.isEmpty() && run->mouse()->ramPackage() == package;
    }
    bool showsTheLogo(const QString &logo) const
    {
        const auto *label = WidgetDriver::child<QLabel>(view(), "label_mouseLogo");
        return label && label->isVisible() && label->pixmap(Qt::ReturnByValue).toImage() == QPixmap(logo).toImage();
    }
    void shot(const QString &step)
    {
        const QString path = run->shot(step);
        QVERIFY2(!path.isEmpty(), qPrintable(step));
    }

private slots:
    void initTestCase()
    {
        AppHarness::prepareProcess(R7_SHIPPED_DIR, R7_E2E_SHOTS);
        qInfo().noquote() << "Pictures of the screen:" << AppHarness::shotsRoot();
    }
    void cleanup()
    {
        run.reset();
        AppHarness::clearHome();
    }

    void flow_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("logo");
        const QString bar = QStringLiteral(":/pic/simple_mode/%1/side_bar/%2.png");
        QTest::newRow("5") << 5 << "v" << bar.arg("v", "v_logo");
        QTest::newRow("30") << 30 << "v" << bar.arg("v", "v2_logo");
        QTest::newRow("20") << 20 << "pelkin" << bar.arg("pelkin", "pelkin_logo");
        QTest::newRow("10") << 10 << "tamsel" << bar.arg("tamsel", "tamsel_logo");
    }
    void flow()
    {
        QFETCH(int, productId);
        QFETCH(QString, key);
        QFETCH(QString, logo);
        run = std::make_unique<AppHarness>(productId, QStringLiteral("simple-%1").arg(productId));
        AppHarness::returningUser();
        QVERIFY(WorkingFile::writeGlobalTwoProfilesAndASubProfile());

        // 1. A start in the simple view over the user's profiles, the mouse
        // plugged in once the window is up.
        run->start();
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QCOMPARE(run->app()->currentView(), view());
        run->awaitWindow(view());
        run->plugIn();
        QVERIFY(showsTheLogo(logo));
        QVERIFY(WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        QCOMPARE(widgetWithoutKey(view(), key), nullptr);
        QCOMPARE(shownTiles(bar()), (QStringList{"Work", "Play"}));
        QCOMPARE(activeName(bar()), QString("Global"));
        run->awaitUploads(1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("1-start");

        // 5. Quit and start again: the same profiles, mappings and settings.
        const ModelSnapshot before = ModelSnapshot::take();
        run->unplug();
        run->restart();
        run->awaitWindow(view());
        run->plugIn();
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(shownTiles(bar()), (QStringList{"Work", "Play"}));
        run->awaitUploads(2);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("5-restart");

        // 6. A predefined profile ticked in the manager and applied.
        const QByteArray fileBeforeApply = WorkingFile::bytes();
        bool ticked = false;
        DialogAnswerer manager([&](QWidget *dialog) {
            auto *box = WidgetDriver::child<QCheckBox>(dialog, "Desktop");
            QVERIFY(box && !box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
            ticked = box->isChecked();
            shot("6-manager");
            WidgetDriver::click(dialog, "pushButton_apply");
        });
        QVERIFY(WidgetDriver::click(bar(), "pushButton_manage"));
        QVERIFY(manager.answered());
        QVERIFY(ticked);
        QTRY_COMPARE(shownTiles(bar()), (QStringList{"Work", "Play", "Desktop"}));
        // The row is fitted to its tiles a moment later.
        QTRY_VERIFY(!tileNamed(bar(), "Desktop")->visibleRegion().isEmpty());
        QCOMPARE(WorkingFile::bytes(), fileBeforeApply); // Apply alone writes nothing
        shot("6-applied");

        // 7. Another profile's tile: the mouse switches to it.
        ProfileButton *play = tileNamed(bar(), "Play");
        QVERIFY(play);
        QVERIFY(WidgetDriver::click(play, "pushButton_image"));
        QTRY_COMPARE(lastSwitch(run->mouse()), (QVector<uint8_t>{2, 1, 255}));
        run->settle();
        QCOMPARE(run->mouse()->profileIndex(), 1);
        QCOMPARE(run->mouse()->subProfileIndex(), 255);
        QCOMPARE(activeName(bar()), QString("Play"));
        QVERIFY(play->isActivated());
        shot("7-switched");

        // 9. Unplugged and plugged in again.
        const int uploads = run->mouse()->uploads();
        run->unplug();
        QVERIFY(!WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        shot("9-unplugged");
        run->plugIn();
        QVERIFY(WidgetDriver::child<QPushButton>(view(), "pushButton_mouse")->isEnabled());
        QVERIFY(showsTheLogo(logo));
        QCOMPARE(widgetWithoutKey(view(), key), nullptr);
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        shot("9-plugged-in");
    }
};

QTEST_APPLESS_MAIN(TestSimpleFlows)
#include "tst_e2e_simple.moc"
