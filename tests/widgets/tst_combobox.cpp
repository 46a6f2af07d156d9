#include "ComboBox.h"
#include "ComboItemView.h"
#include "WidgetDriver.h"

#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

// A window holding one combo with five items, as a page would.
struct ComboWindow
{
    QWidget window;
    ComboBox *combo;

    explicit ComboWindow(const QPoint &comboPos = {20, 20}, int rows = 5)
    {
        window.resize(300, 200);
        combo = new ComboBox(&window);
        combo->setGeometry(QRect(comboPos, QSize(170, 30)));
        QStringList items;
        for (int i = 0; i < rows; ++i)
            items << QStringLiteral("Item %1").arg(i);
        combo->setItems(items);
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    ComboItemView *list() const { return combo->findChild<ComboItemView *>(); }
    QWidget *popup() const { return list() ? list()->window() : nullptr; }
    bool popupVisible() const { return popup() && popup()->isVisible(); }
};

class TestComboBox : public QObject
{
    Q_OBJECT

private slots:
    void setCurrentIndexBeforeFirstPopupEmitsNothing()
    {
        ComboWindow w;
        QSignalSpy selected(w.combo, &ComboBox::selected);
        w.combo->setCurrentIndex(3);
        QCOMPARE(w.combo->currentIndex(), 3);
        QCOMPARE(w.combo->currentText(), QStringLiteral("Item 3"));
        QCOMPARE(selected.count(), 0);
        QVERIFY(!w.popup());

        // The first opening puts the check on the row that was set.
        QVERIFY(w.show());
        w.combo->showPopup();
        QVERIFY(w.popupVisible());
        QCOMPARE(w.combo->checkedPopupRow(), 3);
        QCOMPARE(selected.count(), 0);
    }

    void setCurrentIndexAfterPopupSelectsRow_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("emitted");
        QTest::addColumn<int>("checked");
        QTest::newRow("row 3") << 3 << QList<int>{3} << 3;
        QTest::newRow("no row") << -1 << QList<int>{} << -1;
    }
    void setCurrentIndexAfterPopupSelectsRow()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, emitted);
        QFETCH(int, checked);
        ComboWindow w;
        QVERIFY(w.show());
        w.combo->showPopup();
        QCOMPARE(w.combo->checkedPopupRow(), 0);
        QSignalSpy selected(w.combo, &ComboBox::selected);
        QSignalSpy changed(w.combo, qOverload<int>(&QComboBox::currentIndexChanged));

        w.combo->setCurrentIndex(index);
        QList<int> rows;
        for (const QList<QVariant> &call : selected)
            rows << call.at(0).toInt();
        QCOMPARE(rows, emitted);
        QCOMPARE(w.combo->currentIndex(), index);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(w.combo->checkedPopupRow(), checked);
        QVERIFY(!w.popupVisible());
    }

    void clickOnPopupRowChoosesIt()
    {
        ComboWindow w;
        w.combo->setPopupItems({"Long zero", "Long one", "Long two", "Long three", "Long four"});
        w.combo->addSelectedItemStyle();
        QVERIFY(w.show());
        QTest::mouseClick(w.combo, Qt::LeftButton);
        QVERIFY(w.popupVisible());
        QVERIFY(QTest::qWaitForWindowExposed(w.popup()));
        QVERIFY(!WidgetDriver::grabToPng(w.popup(), "combo-popup").isEmpty());

        QSignalSpy selected(w.combo, &ComboBox::selected);
        ComboItemView *list = w.list();
        const QRect row2 = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2.center());

        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), 2);
        QCOMPARE(w.combo->currentIndex(), 2);
        // The combo shows its own short text, the list its long one.
        QCOMPARE(w.combo->currentText(), QStringLiteral("Item 2"));
        QCOMPARE(w.combo->checkedPopupRow(), 2);
        QVERIFY(!w.popupVisible());
        // The list starts from its first row at the next opening.
        QCOMPARE(list->currentIndex().row(), 0);
    }

    void clickBelowTheRowsChoosesNothing()
    {
        ComboWindow w;
        QVERIFY(w.show());
        w.combo->setCurrentIndex(3);
        w.combo->showPopup();
        ComboItemView *list = w.list();
        const int lastRowBottom = list->visualRect(list->model()->index(4, 0)).bottom();
        list->setFixedHeight(list->height() + 60);
        QTRY_VERIFY(list->viewport()->height() > lastRowBottom + 20);
        QSignalSpy selected(w.combo, &ComboBox::selected);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, lastRowBottom + 10));
        QCOMPARE(selected.count(), 0);
        QCOMPARE(w.combo->currentIndex(), 3);
    }

    void emptyPopupDoesNotOpen()
    {
        ComboWindow w({20, 20}, 0);
        QVERIFY(w.show());
        QTest::mouseClick(w.combo, Qt::LeftButton);
        w.combo->showPopup();
        QVERIFY(!w.popupVisible());
    }

    void popupStaysOnScreen_data()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int rowsHeight = 5 * 22 + 10;
        QTest::addColumn<QPoint>("comboAt");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("room below") << QPoint(100, 100) << 5 << QRect(100, 100, 270, rowsHeight);
        // The list opens upwards and ends at the combo's lower edge.
        QTest::newRow("near the bottom, room above")
            << QPoint(100, screen.height() - 40) << 5
            << QRect(100, screen.height() - 40 + 30 - rowsHeight, 270, rowsHeight);
        QTest::newRow("near the right edge")
            << QPoint(screen.width() - 200, 100) << 5 << QRect(screen.width() - 270 - 5, 100, 270, rowsHeight);
        QTest::newRow("long list from the upper half")
            << QPoint(100, 100) << 40 << QRect(100, 100, 270, screen.height() - 100 - 5);
        QTest::newRow("long list from the lower half") << QPoint(100, 400) << 40 << QRect(100, 5, 270, 400);
    }
    void popupStaysOnScreen()
    {
        QFETCH(QPoint, comboAt);
        QFETCH(int, rows);
        QFETCH(QRect, expected);
        ComboWindow w({0, 0}, rows);
        w.combo->setPopupWidth(270);
        QVERIFY(w.show());
        // Place the window so the combo's top-left lies at comboAt.
        w.window.move(w.window.pos() + comboAt - w.combo->mapToGlobal(QPoint(0, 0)));
        QTRY_COMPARE(w.combo->mapToGlobal(QPoint(0, 0)), comboAt);

        w.combo->showPopup();
        QVERIFY(w.popupVisible());
        QCOMPARE(w.popup()->geometry(), expected);
    }

    void popupHidesOnFocusLoss()
    {
        ComboWindow w;
        QVERIFY(w.show());
        w.combo->showPopup();
        QTRY_VERIFY(w.list()->hasFocus());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!w.popupVisible());
    }

    void wheelChangesOnlyFormCombos_data()
    {
        QTest::addColumn<bool>("fromForm");
        QTest::addColumn<int>("index");
        QTest::newRow("parent only") << false << 0;
        QTest::newRow("taken over from a form") << true << 1;
    }
    void wheelChangesOnlyFormCombos()
    {
        QFETCH(bool, fromForm);
        QFETCH(int, index);
        QWidget window;
        QComboBox placeholder(&window);
        placeholder.addItems({"a", "b", "c"});
        std::unique_ptr<ComboBox> combo;
        if (fromForm) {
            combo = std::make_unique<ComboBox>(&placeholder, &window);
        } else {
            combo = std::make_unique<ComboBox>(&window);
            combo->setItems({"a", "b", "c"});
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo.get(), &wheel);
        QCOMPARE(combo->currentIndex(), index);
    }

    void formComboTakesOverPlaceholder()
    {
        QWidget page;
        QComboBox placeholder(&page);
        placeholder.setStyleSheet("QComboBox { color: red; }");
        placeholder.resize(170, 30);
        placeholder.addItems({"Tap", "Press", "Release"});
        placeholder.setCurrentIndex(2);

        ComboBox combo(&placeholder, &page);
        QCOMPARE(combo.styleSheet(), placeholder.styleSheet());
        QCOMPARE(combo.minimumSize(), QSize(170, 30));
        QCOMPARE(combo.maximumSize(), QSize(170, 30));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(2), QStringLiteral("Release"));
        QCOMPARE(combo.currentIndex(), 0);
        // The pop-up is built at once, with the check on the first row.
        QVERIFY(combo.findChild<ComboItemView *>());
        QCOMPARE(combo.checkedPopupRow(), 0);
    }

    void setItemsRefillsBothLists()
    {
        ComboWindow w;
        QVERIFY(w.show());
        w.combo->showPopup();
        w.combo->setCurrentIndex(4);
        QSignalSpy selected(w.combo, &ComboBox::selected);

        w.combo->setItems({"One", "Two"});
        QCOMPARE(w.combo->count(), 2);
        QCOMPARE(w.list()->model()->rowCount(), 2);
        QCOMPARE(w.combo->currentIndex(), 0);
        QCOMPARE(w.combo->checkedPopupRow(), 0);
        QCOMPARE(selected.count(), 1);

        w.combo->setPopupItems({"First of two", "Second of two", "Third"});
        QCOMPARE(w.combo->count(), 2);
        QCOMPARE(w.list()->model()->index(2, 0).data().toString(), QStringLiteral("Third"));
        QCOMPARE(w.combo->checkedPopupRow(), 0);
    }

    void updatePopupChecksMovesOnlyTheCheck()
    {
        ComboWindow w;
        QVERIFY(w.show());
        w.combo->showPopup();
        QSignalSpy selected(w.combo, &ComboBox::selected);
        w.combo->updatePopupChecks(2);
        QCOMPARE(w.combo->checkedPopupRow(), 2);
        QCOMPARE(w.combo->currentIndex(), 0);
        QVERIFY(w.popupVisible());
        w.combo->updatePopupChecks(-1);
        QCOMPARE(w.combo->checkedPopupRow(), -1);
        QCOMPARE(selected.count(), 0);
    }
};

QTEST_MAIN(TestComboBox)
#include "tst_combobox.moc"
