#include "MenuItemView.h"
#include "MenuList.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

QStringList rows(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("Entry %1").arg(i);
    return items;
}

// What a menu announced, in order.
struct MenuLog
{
    QStringList events;
    explicit MenuLog(MenuList &menu)
    {
        QObject::connect(&menu, &MenuList::visibilityChanged,
                         [this](bool visible) { events << (visible ? "shown" : "hidden"); });
        QObject::connect(&menu, &MenuList::itemSelected,
                         [this](int row) { events << QStringLiteral("item %1").arg(row); });
    }
};

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class TestMenuList : public QObject
{
    Q_OBJECT

private slots:
    void heightFollowsActiveWindow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("3 rows") << 3 << 3 * 30 + 10 << false;
        QTest::newRow("6 rows") << 6 << 6 * 30 + 10 << false;
        QTest::newRow("40 rows") << 40 << 500 - 100 << true;
    }
    void heightFollowsActiveWindow()
    {
        QFETCH(int, count);
        QFETCH(int, height);
        QFETCH(bool, scrolls);
        QWidget window;
        window.resize(300, 500);
        QVERIFY(showActive(window));
        MenuList menu(rows(count), &window);
        menu.showAt(window.mapToGlobal(QPoint(10, 10)));
        // Rows that fit show no scroll bar, not even before the list is laid
        // out at its size.
        if (!scrolls)
            QVERIFY(!menu.findChild<QScrollArea *>()->verticalScrollBar()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.height(), height);
        QCOMPARE(menu.width(), 408);
        auto *list = menu.findChild<MenuItemView *>();
        QTRY_COMPARE(list->verticalScrollBar()->maximum() > 0, scrolls);
    }

    // A click into an inactive window can open a menu before any window of
    // the program is active; the screen then sets the limit.
    void showAtWithoutActiveWindow()
    {
        QTRY_VERIFY(!QApplication::activeWindow());
        MenuList menu(rows(40));
        MenuLog log(menu);
        menu.showAt(QPoint(10, 10));
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.height(), QGuiApplication::primaryScreen()->availableGeometry().height() - 100);
        QCOMPARE(log.events, QStringList{"shown"});
    }

    void menuStaysOnScreen_data()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("room enough") << QPoint(100, 100) << QPoint(100, 100);
        QTest::newRow("near the bottom-right corner")
            << QPoint(screen.right() - 20, screen.bottom() - 20)
            << QPoint(screen.right() + 1 - 408, screen.bottom() + 1 - (4 * 30 + 10));
    }
    void menuStaysOnScreen()
    {
        QFETCH(QPoint, at);
        QFETCH(QPoint, expected);
        MenuList menu(rows(4));
        menu.showAt(at);
        QCOMPARE(menu.pos(), expected);
    }

    void keyChoosesCurrentRow_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("Return on row 1") << 1 << int(Qt::Key_Return) << QStringList{"hidden", "item 1"};
        QTest::newRow("Enter on row 2") << 2 << int(Qt::Key_Enter) << QStringList{"hidden", "item 2"};
        QTest::newRow("Return on no row") << -1 << int(Qt::Key_Return) << QStringList{};
    }
    void keyChoosesCurrentRow()
    {
        QFETCH(int, current);
        QFETCH(int, key);
        QFETCH(QStringList, events);
        MenuList menu(rows(4));
        menu.showAt(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        auto *list = menu.findChild<MenuItemView *>();
        QTRY_VERIFY(list->hasFocus());
        list->setCurrentIndex(list->model()->index(current, 0));
        MenuLog log(menu);
        if (current >= 0)
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Item activated: Entry %1").arg(current)));
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(log.events, events);
        QCOMPARE(menu.isVisible(), events.isEmpty());
    }

    void clickChoosesRow()
    {
        MenuList menu(rows(4));
        menu.showAt(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto *list = menu.findChild<MenuItemView *>();
        MenuLog log(menu);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
        QCOMPARE(log.events, (QStringList{"hidden", "item 2"}));
        QVERIFY(!menu.isVisible());
    }

    void hidesOnFocusLoss()
    {
        MenuList menu(rows(4));
        menu.showAt(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        QTRY_VERIFY(menu.findChild<MenuItemView *>()->hasFocus());
        MenuLog log(menu);
        QWidget other;
        QVERIFY(showActive(other));
        QTRY_VERIFY(!menu.isVisible());
        QCOMPARE(log.events, QStringList{"hidden"});
        // Hiding a hidden menu announces nothing more.
        menu.hide();
        QCOMPARE(log.events, QStringList{"hidden"});
    }

    void markFirstItemMakesHeading()
    {
        MenuList menu({"Profile: Default", "Rename", "Duplicate", "Delete"});
        menu.setPopupWidth(220);
        menu.markFirstItem();
        menu.showAt(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto *list = menu.findChild<MenuItemView *>();
        QCOMPARE(list->currentIndex().row(), 0);
        QVERIFY(list->selectionModel()->isRowSelected(0, QModelIndex()));
        QVERIFY(list->styleSheet().contains("border-bottom : 1px solid #7F7D7D"));
        QCOMPARE(menu.width(), 220);
        QVERIFY(!WidgetDriver::grabToPng(&menu, "menu-first-row-marked").isEmpty());
    }
};

QTEST_MAIN(TestMenuList)
#include "tst_menulist.moc"
