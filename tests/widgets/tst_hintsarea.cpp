// The hint bar: which hint it shows for a sequence of contexts, when the
// settings file hides it, its close button, and its life beside the views
// that place it.
#include "HintsArea.h"
#include "ProcessStateGuard.h"
#include "SettingsFile.h"
#include "WidgetDriver.h"

#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <QtTest>

#include <optional>

using Steps = QVector<QPair<int, bool>>;
Q_DECLARE_METATYPE(Steps)

namespace {

QLabel *hintLabel()
{
    return HintsArea::instance()->findChild<QLabel *>();
}

// A window that places the bar, as the simple view does.
struct View
{
    QWidget window;
    View()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel("page"));
        layout->addWidget(HintsArea::instance());
        window.show();
    }
};

} // namespace

class TestHintsArea : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init()
    {
        clean.emplace();
        delete HintsArea::instance();               // a new bar reads the settings file
        HintsArea::instance()->setContext(0, true); // base hint 0
    }
    void cleanup() { clean.reset(); }

    void showsTheHintOfTheLastContext_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("highlighted");
        QTest::newRow("editor opens") << Steps{{8, true}} << 8 << true;
        QTest::newRow("filter field entered") << Steps{{8, true}, {9, true}} << 9 << true;
        QTest::newRow("filter field left") << Steps{{8, true}, {9, true}, {9, false}} << 8 << false;
        QTest::newRow("not hovered shows the base hint") << Steps{{5, false}} << 0 << false;
        QTest::newRow("last base hint wins") << Steps{{8, true}, {0, true}, {11, true}, {11, false}} << 0 << false;
        QTest::newRow("unknown context") << Steps{{12, true}} << 12 << true;
        QTest::newRow("negative context") << Steps{{-1, true}} << -1 << true;
    }

    void showsTheHintOfTheLastContext()
    {
        QFETCH(Steps, steps);
        QFETCH(int, shown);
        QFETCH(bool, highlighted);
        for (const auto &step : steps)
            HintsArea::instance()->setContext(step.first, step.second);
        QCOMPARE(hintLabel()->text(), HintsArea::hintText(shown));
        const QVariant style = hintLabel()->property("label_style");
        QCOMPARE(style.isValid(), highlighted);
        if (highlighted)
            QCOMPARE(style.toString(), QString("hints_hover"));
    }

    void hintTexts_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Click on any mouse button or its currently\nassigned action to reconfigure it.";
        QTest::newRow("8") << 8
                           << "Use the dropdown list to select a predefined action.\nOr click the keyboard icon to "
                              "record a custom action.";
        QTest::newRow("9") << 9
                           << "Type here to filter actions in the list.\nThen click to select one and press Save to "
                              "apply it.";
        QTest::newRow("11") << 11 << "Click to add an extra action to this button.";
        QTest::newRow("12") << 12 << "";
    }

    void hintTexts()
    {
        QFETCH(int, context);
        QFETCH(QString, text);
        QCOMPARE(HintsArea::hintText(context), text);
    }

    void settingsDecideWhetherItShows_data()
    {
        QTest::addColumn<QVariant>("displayHints");
        QTest::addColumn<QVariant>("openedSinceInstall");
        QTest::addColumn<bool>("visible");
        QTest::newRow("nothing stored") << QVariant() << QVariant() << true;
        QTest::newRow("hints on") << QVariant(true) << QVariant(true) << true;
        QTest::newRow("hints off, first opening") << QVariant(false) << QVariant(false) << true;
        QTest::newRow("hints off, first opening unknown") << QVariant(false) << QVariant() << true;
        QTest::newRow("hints off, opened before") << QVariant(false) << QVariant(true) << false;
    }

    void settingsDecideWhetherItShows()
    {
        QFETCH(QVariant, displayHints);
        QFETCH(QVariant, openedSinceInstall);
        QFETCH(bool, visible);
        {
            QSettings settings(SettingsFile::path(), QSettings::IniFormat);
            if (displayHints.isValid())
                settings.setValue("DisplayHints", displayHints);
            if (openedSinceInstall.isValid())
                settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", openedSinceInstall);
        }
        delete HintsArea::instance();
        View view;
        QVERIFY(QTest::qWaitForWindowExposed(&view.window));
        QCOMPARE(HintsArea::instance()->isVisible(), visible);
        QVERIFY(HintsArea::instance()->isWindow() == false);
    }

    void closeButtonHidesTheBar()
    {
        View view;
        QVERIFY(QTest::qWaitForWindowExposed(&view.window));
        HintsArea *bar = HintsArea::instance();
        auto *close = bar->findChild<QPushButton *>();
        QVERIFY(!close->isVisible());
        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QApplication::sendEvent(hintLabel(), &enter);
        QVERIFY(close->isVisible());
        QCOMPARE(close->geometry(), QRect(372, 7, 20, 20));
        QVERIFY(!WidgetDriver::grabToPng(&view.window, "hint-bar").isEmpty());
        QSignalSpy closed(bar, &HintsArea::closed);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!bar->isVisible());
        QVERIFY(view.window.isVisible());
    }

    void closeButtonShowsOnlyWhileThePointerIsOver()
    {
        View view;
        auto *close = HintsArea::instance()->findChild<QPushButton *>();
        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QApplication::sendEvent(hintLabel(), &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(hintLabel(), &leave);
        QVERIFY(!close->isVisible());
    }

    void aViewThatDestroysTheBarGetsANewOne()
    {
        HintsArea::instance()->setContext(8, true);
        QPointer<HintsArea> first = HintsArea::instance();
        QCOMPARE(HintsArea::instance(), first.data());
        {
            View view; // destroyed with the bar inside
        }
        QVERIFY(!first);
        HintsArea *second = HintsArea::instance();
        QVERIFY(second);
        QVERIFY(!second->parent());
        // The base hint outlives the bar.
        QCOMPARE(hintLabel()->text(), HintsArea::hintText(8));
        QVERIFY(!hintLabel()->property("label_style").isValid());
    }

    void aViewThatGivesTheBarBackKeepsIt()
    {
        QPointer<HintsArea> bar = HintsArea::instance();
        {
            View view;
            bar->setParent(nullptr);
        }
        QVERIFY(bar);
        QCOMPARE(HintsArea::instance(), bar.data());
    }
};

// The last bar must be gone with the application object: a widget that
// outlives it is destroyed without the toolkit it needs.
int main(int argc, char *argv[])
{
    QPointer<HintsArea> last;
    int result = 0;
    {
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        TestHintsArea test;
        result = QTest::qExec(&test, argc, argv);
        last = HintsArea::instance();
    }
    if (last) {
        qCritical("FAIL: the hint bar outlived the application object");
        return 1;
    }
    return result;
}

#include "tst_hintsarea.moc"
