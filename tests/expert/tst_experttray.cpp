// The expert window's tray menu, offscreen: the desktop has no tray here,
// yet the menu is built, chosen from and rebuilt as on a desktop with one.
#include "AppStyleSheet.h"
#include "ExpertTray.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString autoSwitching = QStringLiteral("Auto Profile Switching");

// The menu as a user reads it: each entry's text, "-" for a separator, and
// "*" before the checked entry.
QStringList shown(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            texts << QStringLiteral("-");
        else
            texts << (action->isChecked() ? QStringLiteral("*") : QString()) + action->iconText();
    }
    return texts;
}

QList<QAction *> profileEntries(const QMenu *menu)
{
    QList<QAction *> entries;
    for (QAction *action : menu->actions()) {
        if (action->isCheckable())
            entries << action;
    }
    return entries;
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestExpertTray : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    ExpertTray *tray = nullptr;

    // Five choices as the active-profile box lists them, the box on Work.
    void buildFive()
    {
        tray->buildTrayMenu({autoSwitching, "Global", "Work", "Play", "Night"}, 2);
    }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        tray = new ExpertTray(window.get());
    }

    void cleanup()
    {
        window.reset();
        flushDeferredDeletes();
    }

    void menuListsTheChoices_data()
    {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<int>("checkedIndex");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("no profiles") << QStringList() << -1 << QStringList{"Open", "-", "Quit"};
        QTest::newRow("automatic switching only")
            << QStringList{autoSwitching} << 0 << QStringList{"Open", "-", "*" + autoSwitching, "-", "Quit"};
        QTest::newRow("automatic switching on")
            << QStringList{autoSwitching, "Global", "Work"} << 0
            << QStringList{"Open", "-", "*" + autoSwitching, "-", "Global", "Work", "-", "Quit"};
        QTest::newRow("a profile chosen")
            << QStringList{autoSwitching, "Global", "Work", "Play"} << 2
            << QStringList{"Open", "-", autoSwitching, "-", "Global", "*Work", "Play", "-", "Quit"};
        QTest::newRow("no such entry")
            << QStringList{autoSwitching, "Global"} << 2
            << QStringList{"Open", "-", autoSwitching, "-", "Global", "-", "Quit"};
        // A name is shown as written, not read as a shortcut mark.
        QTest::newRow("ampersand in a name")
            << QStringList{autoSwitching, "Global", "R&D", "A&&B"} << 2
            << QStringList{"Open", "-", autoSwitching, "-", "Global", "*R&D", "A&&B", "-", "Quit"};
    }

    void menuListsTheChoices()
    {
        QFETCH(QStringList, profiles);
        QFETCH(int, checkedIndex);
        QFETCH(QStringList, expected);

        tray->buildTrayMenu(profiles, checkedIndex);
        QCOMPARE(shown(tray->menu()), expected);
        QCOMPARE(tray->profileActionCount(), profiles.size());
        QCOMPARE(tray->menu()->defaultAction(), tray->openAction());
        QCOMPARE(tray->icon()->contextMenu(), tray->menu());
        QVERIFY(tray->icon()->isVisible());
        QCOMPARE(tray->menu()->parent(), window.get());
    }

    void menuPicture()
    {
        // The window's menu rules, for a menu without the window around it.
        window->setStyleSheet(AppStyleSheet::joined().replace("ExpertView QMenu", "QMenu"));
        buildFive();
        tray->menu()->popup(QPoint(0, 0));
        tray->menu()->setActiveAction(profileEntries(tray->menu()).at(3));
        const QString picture = WidgetDriver::grabToPng(tray->menu(), "tray-menu");
        QVERIFY(!picture.isEmpty());
        tray->menu()->hide();
    }

    void choosingReportsThePosition_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("automatic switching") << 0;
        QTest::newRow("global") << 1;
        QTest::newRow("the one already checked") << 2;
        QTest::newRow("last") << 4;
    }

    void choosingReportsThePosition()
    {
        QFETCH(int, index);
        buildFive();
        QSignalSpy chosen(tray, &ExpertTray::profileChosen);
        QSignalSpy open(tray, &ExpertTray::openRequested);

        profileEntries(tray->menu()).at(index)->trigger();

        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), index);
        QCOMPARE(open.count(), 0);
        QStringList checked;
        for (const QAction *action : profileEntries(tray->menu())) {
            if (action->isChecked())
                checked << action->iconText();
        }
        QCOMPARE(checked, QStringList{profileEntries(tray->menu()).at(index)->iconText()});
    }

    void choosingByKeyboard()
    {
        buildFive();
        QSignalSpy chosen(tray, &ExpertTray::profileChosen);
        tray->menu()->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(tray->menu()));
        // Open, then the choices; the separators are stepped over.
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(tray->menu(), Qt::Key_Down);
        QTest::keyClick(tray->menu(), Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 1);
        QVERIFY(!tray->menu()->isVisible());
    }

    void rebuildReplacesTheChoices()
    {
        buildFive();
        QList<QPointer<QAction>> old;
        for (QAction *action : profileEntries(tray->menu()))
            old << action;
        const QPointer<QActionGroup> oldGroup = old.first()->actionGroup();
        QSignalSpy chosen(tray, &ExpertTray::profileChosen);

        tray->buildTrayMenu({autoSwitching, "Global", "Play"}, 1);
        QCOMPARE(shown(tray->menu()),
                 (QStringList{"Open", "-", autoSwitching, "-", "*Global", "Play", "-", "Quit"}));
        for (const QPointer<QAction> &action : old)
            QVERIFY(!tray->menu()->actions().contains(action.data()));
        // An old entry still alive until the event loop runs reports nothing.
        old.at(1)->trigger();
        QCOMPARE(chosen.count(), 0);

        flushDeferredDeletes();
        QVERIFY(oldGroup.isNull());
        for (const QPointer<QAction> &action : old)
            QVERIFY(action.isNull());
        QVERIFY(tray->openAction());
        QVERIFY(tray->quitAction());
        QCOMPARE(tray->profileActionCount(), 3);
    }

    // Choosing an entry moves the active-profile box, whose new list rebuilds
    // the tray while the chosen entry is still reporting.
    void rebuildFromInsideAChoice()
    {
        buildFive();
        QList<int> positions;
        connect(tray, &ExpertTray::profileChosen, tray, [this, &positions](int position) {
            positions << position;
            tray->buildTrayMenu({autoSwitching, "Global", "Work", "Play", "Night"}, position);
        });
        QAction *play = profileEntries(tray->menu()).at(3);
        play->trigger();
        flushDeferredDeletes();
        QCOMPARE(positions, QList<int>{3});
        QCOMPARE(shown(tray->menu()),
                 (QStringList{"Open", "-", autoSwitching, "-", "Global", "Work", "*Play", "Night", "-", "Quit"}));
    }

    void checkProfile_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("checked");
        QTest::newRow("automatic switching") << 0 << autoSwitching;
        QTest::newRow("another profile") << 4 << "Night";
        QTest::newRow("the one checked") << 2 << "Work";
        QTest::newRow("past the end") << 5 << "Work";
        QTest::newRow("negative") << -1 << "Work";
    }

    void checkProfile()
    {
        QFETCH(int, index);
        QFETCH(QString, checked);
        buildFive();
        QSignalSpy chosen(tray, &ExpertTray::profileChosen);
        tray->checkProfile(index);
        QStringList marked;
        for (const QAction *action : profileEntries(tray->menu())) {
            if (action->isChecked())
                marked << action->iconText();
        }
        QCOMPARE(marked, QStringList{checked});
        // The window follows its box; checking is not a choice.
        QCOMPARE(chosen.count(), 0);
    }

    void checkProfileWithoutChoices()
    {
        tray->checkProfile(0);
        QCOMPARE(tray->profileActionCount(), 0);
    }

    void activation_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("opens");
        QTest::addColumn<bool>("menuShown");
        QTest::newRow("click") << int(QSystemTrayIcon::Trigger) << 1 << false;
        QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << 1 << false;
        QTest::newRow("context") << int(QSystemTrayIcon::Context) << 0 << true;
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << 0 << false;
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << 0 << false;
    }

    void activation()
    {
        QFETCH(int, reason);
        QFETCH(int, opens);
        QFETCH(bool, menuShown);
        buildFive();
        QSignalSpy open(tray, &ExpertTray::openRequested);
        QSignalSpy chosen(tray, &ExpertTray::profileChosen);
        emit tray->icon()->activated(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(open.count(), opens);
        QCOMPARE(tray->menu()->isVisible(), menuShown);
        QCOMPARE(chosen.count(), 0);
        if (menuShown) {
            // A second report while it is open leaves it open where it is.
            const QPoint where = tray->menu()->pos();
            emit tray->icon()->activated(QSystemTrayIcon::ActivationReason(reason));
            QVERIFY(tray->menu()->isVisible());
            QCOMPARE(tray->menu()->pos(), where);
            tray->menu()->hide();
        }
    }

    void openAndQuit()
    {
        buildFive();
        buildFive();
        QCOMPARE(shown(tray->menu()).count("Open"), 1);
        QCOMPARE(shown(tray->menu()).count("Quit"), 1);

        QSignalSpy open(tray, &ExpertTray::openRequested);
        tray->openAction()->trigger();
        QCOMPARE(open.count(), 1);

        // "Quit" ends the running event loop; the fallback would end it with 1.
        QTimer fallback;
        fallback.setSingleShot(true);
        connect(&fallback, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        fallback.start(5000);
        QTimer::singleShot(0, tray->quitAction(), &QAction::trigger);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestExpertTray)
#include "tst_experttray.moc"
