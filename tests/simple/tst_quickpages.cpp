// The quick editor's settings pages driven as a user would, against the
// store and the simulated mouse: the DPI levels (rows, default, snap, load,
// drag and drop, inherited settings, a mouse plugged in behind a hidden
// page), the OLED and logo light pages, and the memory ring's drawing.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "BacklightView.h"
#include "ColorEditor.h"
#include "ConnectedMouse.h"
#include "DPILevelSimple.h"
#include "DPILevelsSimple.h"
#include "DialogFixture.h"
#include "ItemMousePercentage.h"
#include "MouseFunctions.h"
#include "OledView.h"
#include "ProcessStateGuard.h"
#include "QuickFixture.h"
#include "SimulatedMouse.h"
#include "StyleProperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

#include <memory>
#include <optional>

using namespace QuickFixture;

namespace {

QList<int> rowValues(const DPILevelsSimple *page)
{
    QList<int> values;
    for (int i = 0; i < page->rowCount(); ++i)
        values << page->row(i)->value();
    return values;
}

int defaultRow(const DPILevelsSimple *page)
{
    for (int i = 0; i < page->rowCount(); ++i) {
        if (page->row(i)->isDefault())
            return i;
    }
    return -1;
}

bool clickInRow(const DPILevelsSimple *page, int place, const QString &name)
{
    const bool clicked = page->row(place) && WidgetDriver::click(page->row(place), name);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return clicked;
}

bool typeIntoRow(const DPILevelsSimple *page, int place, const QString &text)
{
    return page->row(place) && typeAndFinish(page->row(place), "lineEdit_dpi", text);
}

QVector<quint16> storedValues()
{
    return model()->currentProfile()->dpiRecord.dpiValues;
}

// Whether the colour is nearer to a than to b.
bool nearer(const QColor &colour, const QColor &a, const QColor &b)
{
    auto distance = [&colour](const QColor &other) {
        return qAbs(colour.red() - other.red()) + qAbs(colour.green() - other.green())
               + qAbs(colour.blue() - other.blue());
    };
    return distance(a) < distance(b);
}

} // namespace

class tst_QuickPages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<Host> host;
    Profiles made;

    // A mouse whose sensor steps by step (50 or 100).
    void connectMouse(int step, int productId = 20)
    {
        mouse = std::make_unique<ConnectedMouse>(productId, 32768, step == 50 ? 1 : 0);
        if (step == 50)
            mouse->mouse()->setDpiStep(50);
        mouse->connect();
        QCOMPARE(mouse->device()->dpiStep(), step);
    }
    template<class Page>
    Page *show(Page *page)
    {
        host = std::make_unique<Host>(page);
        [&] { QVERIFY(host->show()); }();
        return page;
    }
    DPILevelsSimple *dpiPage(const DpiConfigureRecord &record)
    {
        auto *page = new DPILevelsSimple(nullptr, QStringLiteral("pelkin"));
        model()->currentProfile()->dpiRecord = record;
        page->load(record);
        return show(page);
    }
    QWidget *addButton(const DPILevelsSimple *page) const
    {
        return WidgetDriver::child(page, "pushButton_add_dpi_level");
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }
    void init()
    {
        clean.emplace();
        made = profiles();
    }
    void cleanup()
    {
        DPILevelsSimple::setDragRunner(nullptr);
        host.reset();
        mouse.reset();
        clean.reset();
    }

    // ------------------------------------------------------------ DPI rows

    void tenRowsAtMost()
    {
        connectMouse(100);
        DPILevelsSimple *page = dpiPage(dpiRecord(9, 0, 0, {100, 200, 300, 400, 500, 600, 700, 800, 900}));
        QVERIFY(addButton(page)->isVisible());
        QVERIFY(WidgetDriver::click(page, "pushButton_add_dpi_level"));
        QCOMPARE(page->rowCount(), 10);
        QCOMPARE(page->row(9)->value(), 900);
        QVERIFY(!addButton(page)->isVisible());
        QCOMPARE(int(made.work->dpiRecord.levelCount), 10);
        QVERIFY(clickInRow(page, 3, "pushButton_delete"));
        QVERIFY(addButton(page)->isVisible());
        QCOMPARE(storedValues(), (QVector<quint16>{100, 200, 300, 500, 600, 700, 800, 900, 900}));
        for (int i = 0; i < page->rowCount(); ++i)
            QCOMPARE(page->row(i)->levelNumber(), i + 1);
    }

    void theLastRowStays()
    {
        DPILevelsSimple *page = dpiPage(dpiRecord(1, 0, 0, {2000}));
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(clickInRow(page, 0, "pushButton_delete"));
        QCOMPARE(rowValues(page), QList<int>{2000});
        QCOMPARE(changed.count(), 0);
    }

    void deletingTheDefault_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("nextDefault");
        QTest::newRow("level 2 of 3: the new level 2") << 1 << QList<int>{800, 3200} << 1;
        QTest::newRow("the last level: the new last") << 2 << QList<int>{800, 1600} << 1;
    }
    void deletingTheDefault()
    {
        QFETCH(int, deleted);
        QFETCH(QList<int>, values);
        QFETCH(int, nextDefault);
        DPILevelsSimple *page = dpiPage(dpiRecord(3, 0, 0, {800, 1600, 3200}));
        QVERIFY(clickInRow(page, deleted, "checkBox"));
        QCOMPARE(defaultRow(page), deleted);
        QVERIFY(!WidgetDriver::child(page->row(deleted), "checkBox")->isEnabled());
        QVERIFY(clickInRow(page, deleted, "pushButton_delete"));
        QCOMPARE(rowValues(page), values);
        QCOMPARE(defaultRow(page), nextDefault);
        QVERIFY(made.work->dpiRecord.equals(dpiRecord(2, nextDefault, 0, {quint16(values[0]), quint16(values[1])})));
    }

    void typedValueIsSnapped_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("step 100: 1234") << 100 << "1234" << 1200;
        QTest::newRow("step 100: 0") << 100 << "0" << 100;
        QTest::newRow("step 100: empty") << 100 << "" << 100;
        QTest::newRow("step 100: above the maximum") << 100 << "13050" << 12000;
        QTest::newRow("step 50: 1275") << 50 << "1275" << 1250;
        QTest::newRow("step 50: empty") << 50 << "" << 50;
        QTest::newRow("step 50: above the maximum") << 50 << "30000" << 26000;
    }
    void typedValueIsSnapped()
    {
        QFETCH(int, step);
        QFETCH(QString, typed);
        QFETCH(int, shown);
        connectMouse(step);
        DPILevelsSimple *page = dpiPage(dpiRecord(2, 0, 0, {400, 1200}));
        QVERIFY(typeIntoRow(page, 1, typed));
        WidgetDriver::child(page->row(1), "lineEdit_dpi")->clearFocus();
        QCOMPARE(page->row(1)->value(), shown);
        QCOMPARE(WidgetDriver::child<QSlider>(page->row(1), "horizontalSlider_dpi")->value(), shown);
        QCOMPARE(storedValues(), (QVector<quint16>{400, quint16(shown)}));
    }

    void separateRecordShowsItsXValues()
    {
        DPILevelsSimple *page = dpiPage(dpiRecord(2, 1, 1, {800, 900, 1600, 1700}));
        QCOMPARE(rowValues(page), (QList<int>{800, 1600}));
        QCOMPARE(defaultRow(page), 1);
        QCOMPARE(made.work->dpiRecord.separateXY, 1);
        QVERIFY(typeIntoRow(page, 0, "700"));
        QVERIFY(made.work->dpiRecord.equals(dpiRecord(2, 1, 0, {700, 1600})));
    }

    // A record the page cannot read leaves it empty; levels added there are
    // never stored. The first level starts at 1500.
    void badRecordIsNeverStored()
    {
        const DpiConfigureRecord bad = dpiRecord(3, 0, 0, {800, 900});
        made.work->dpiRecord = bad;
        auto *page = new DPILevelsSimple(nullptr, QStringLiteral("v"));
        QTest::ignoreMessage(QtWarningMsg, "DPILevels: wrong levelsCount while dpi load!");
        page->load(bad);
        show(page);
        QCOMPARE(page->rowCount(), 0);
        QVERIFY(!page->isLoaded());
        QVERIFY(!model()->loading);
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(page, "pushButton_add_dpi_level"));
        QVERIFY(WidgetDriver::click(page, "pushButton_add_dpi_level"));
        QCOMPARE(rowValues(page), (QList<int>{1500, 1500}));
        QCoreApplication::processEvents();
        QVERIFY(typeIntoRow(page, 1, "2000"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(made.work->dpiRecord.equals(bad));
    }

    void loadingStoresNothing()
    {
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        DPILevelsSimple *page = dpiPage(dpiRecord(12, 3, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(page->rowCount(), 10);
        QCOMPARE(rowValues(page).first(), 100); // snapped to one step
        QCOMPARE(defaultRow(page), 3);
        QVERIFY(!addButton(page)->isVisible());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(int(made.work->dpiRecord.levelCount), 12);
        QVERIFY(!model()->loading);
    }

    void dropReorders()
    {
        DPILevelsSimple *page = dpiPage(dpiRecord(3, 1, 0, {800, 1600, 3200}));
        bool accepted = false;
        DPILevelsSimple::setDragRunner([&](QDrag *drag) {
            QFrame *onto = page->row(2)->frame();
            const QPoint at = page->mapFromGlobal(onto->mapToGlobal(onto->rect().center()));
            QDragEnterEvent enter(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &enter);
            QDragMoveEvent move(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &move);
            QDropEvent drop(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &drop);
            accepted = enter.isAccepted() && move.isAccepted() && drop.isAccepted();
            return Qt::MoveAction;
        });
        QTest::mousePress(WidgetDriver::child(page->row(0), "pushButton_drag"), Qt::LeftButton);
        QTest::mouseRelease(WidgetDriver::child(page->row(0), "pushButton_drag"), Qt::LeftButton);
        QVERIFY(accepted);
        QCOMPARE(rowValues(page), (QList<int>{1600, 3200, 800}));
        QCOMPARE(page->row(2)->levelNumber(), 3);
        QCOMPARE(page->row(0)->levelNumber(), 1);
        QVERIFY(made.work->dpiRecord.equals(dpiRecord(3, 0, 0, {1600, 3200, 800})));
        QCoreApplication::processEvents();
        for (int i = 1; i < 3; ++i)
            QVERIFY(page->row(i)->frame()->y() > page->row(i - 1)->frame()->y());
        QCOMPARE(page->row(2)->frame()->property("frame_type").toString(), QString("no_drag"));
    }

    void dropOutsideChangesNothing()
    {
        DPILevelsSimple *page = dpiPage(dpiRecord(3, 1, 0, {800, 1600, 3200}));
        bool foreignRefused = false;
        DPILevelsSimple::setDragRunner([&](QDrag *drag) {
            QMimeData foreign;
            foreign.setText("800");
            QDragEnterEvent alien(QPoint(5, 5), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &alien);
            foreignRefused = !alien.isAccepted();
            // Over the header, not over a row.
            QDragMoveEvent move(QPoint(5, 5), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &move);
            QDropEvent drop(QPoint(5, 5), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &drop);
            return Qt::IgnoreAction;
        });
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        emit page->row(0)->dragMe();
        QVERIFY(foreignRefused);
        QCOMPARE(rowValues(page), (QList<int>{800, 1600, 3200}));
        QCOMPARE(changed.count(), 0);
        QVERIFY(page->row(0)->frame()->isVisible());
    }

    // The inheriting profile shows Global's levels and gets its own settings,
    // copied, with the first edit; Global stays as it was.
    void editGivesOwnSettingsFirst()
    {
        model()->setCurrentProfile(made.play);
        auto *page = new DPILevelsSimple(nullptr, QStringLiteral("v"));
        page->load(made.global->dpiRecord);
        show(page);
        QCOMPARE(rowValues(page), (QList<int>{800, 1600, 3200}));
        QCOMPARE(defaultRow(page), 1);
        QVERIFY(!made.play->hasOwnSettings());
        QVERIFY(typeIntoRow(page, 2, "2400"));
        QVERIFY(made.play->hasOwnSettings());
        QVERIFY(made.play->dpiRecord.equals(dpiRecord(3, 1, 0, {800, 1600, 2400})));
        QVERIFY(made.play->ledRecord.equals(made.global->ledRecord));
        QVERIFY(made.global->dpiRecord.equals(dpiRecord(3, 1, 0, {800, 1600, 3200})));
    }

    // A's page stays behind, hidden, when the user moves on to B; a mouse
    // with a coarser sensor plugs in: the page only shows its levels anew.
    void mousePluggedBehindAHiddenPage()
    {
        connectMouse(50);
        DPILevelsSimple *page = dpiPage(dpiRecord(2, 0, 0, {1250, 2000}));
        QCOMPARE(rowValues(page), (QList<int>{1250, 2000}));
        const DpiConfigureRecord workBefore = made.work->dpiRecord;
        host->window.hide();
        model()->setCurrentProfile(made.play);
        made.play->setOwnSettings(true);
        made.play->dpiRecord = dpiRecord(1, 0, 0, {3000});
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);

        // The same device object, as in the program: another mouse on the bus.
        mouse->mouse()->unplug();
        QTRY_COMPARE(mouse->device()->waitState(), 0);
        mouse->mouse()->setSensorId(0);
        mouse->mouse()->setDpiStep(0);
        mouse->connect(30);
        QCOMPARE(mouse->device()->dpiStep(), 100);
        QCOMPARE(rowValues(page), (QList<int>{1200, 2000}));
        QCOMPARE(changed.count(), 0);
        QVERIFY(made.work->dpiRecord.equals(workBefore));
        QVERIFY(made.play->dpiRecord.equals(dpiRecord(1, 0, 0, {3000})));
    }

    void dpiPagePictures_data() { DialogFixture::addLookRows(); }
    void dpiPagePictures()
    {
        QFETCH(QString, key);
        auto *page = new DPILevelsSimple(nullptr, key);
        made.work->dpiRecord = dpiRecord(4, 2, 0, {400, 800, 1600, 3200});
        page->load(made.work->dpiRecord);
        show(page);
        host->window.setProperty(StyleProperties::modelKey, key);
        QVERIFY(!WidgetDriver::grabToPng(&host->window, "dpi-page-" + key).isEmpty());
    }

    // ------------------------------------------------------------ OLED

    void oledStoresWhatIsChosen()
    {
        auto *page = show(new OledView(nullptr, QStringLiteral("v")));
        page->load(made.work->oledRecord);
        auto *combo = WidgetDriver::child<QComboBox>(page, "comboBox");
        auto *edit = WidgetDriver::child<QLineEdit>(page, "lineEdit_message");
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->itemText(1), QString("Custom Message"));
        QVERIFY(!edit->isVisible());
        combo->setCurrentIndex(1);
        QVERIFY(edit->isVisible());
        QCOMPARE(made.work->oledRecord.oledMode, 0);
        QVERIFY(WidgetDriver::typeInto(page, "lineEdit_message", "abc"));
        QCOMPARE(made.work->oledRecord.oledMode, 1);
        QCOMPARE(made.work->oledRecord.message, QByteArray("\x61\x62\x63"));
        combo->setCurrentIndex(3);
        QVERIFY(!edit->isVisible());
        QCOMPARE(made.work->oledRecord.oledMode, 3);
        QVERIFY(made.work->oledRecord.message.isEmpty());
    }

    // The package gives the message one length byte and the display shows
    // no more than 18 characters: a 19th cannot be typed.
    void oledMessageTakesEighteenCharacters()
    {
        auto *page = show(new OledView(nullptr, QStringLiteral("v")));
        WidgetDriver::child<QComboBox>(page, "comboBox")->setCurrentIndex(1);
        QVERIFY(WidgetDriver::typeInto(page, "lineEdit_message", QString(19, QLatin1Char('x'))));
        QCOMPARE(made.work->oledRecord.message, QByteArray(18, 'x'));
        QCOMPARE(WidgetDriver::child<QLineEdit>(page, "lineEdit_message")->text(), QString(18, QLatin1Char('x')));
        QVERIFY(!model()->package().isEmpty());
    }

    // ------------------------------------------------------------ logo light

    void logoStoresModeAndColour()
    {
        auto *page = show(new BacklightView(nullptr, QStringLiteral("pelkin")));
        page->load(made.work->ledRecord);
        auto *combo = WidgetDriver::child<QComboBox>(page, "comboBox");
        combo->setCurrentIndex(1);
        QVERIFY(WidgetDriver::click(page, "pushButton_colour"));
        QVERIFY(page->colorEditor());
        page->colorEditor()->setColor(QColor(10, 200, 30));
        page->colorEditor()->ok();
        QCOMPARE(page->colour(), QColor(10, 200, 30));
        const LedSetRecord fixed = made.work->ledRecord;
        QCOMPARE(fixed.ledMode, 1);
        QCOMPARE(QColor(fixed.colour1[0], fixed.colour1[1], fixed.colour1[2]), QColor(10, 200, 30));
        QCOMPARE(int(fixed.brightness), 100);
        QCOMPARE(int(fixed.ledDuration.high()), 0x01);
        QCOMPARE(int(fixed.ledDuration.low()), 0xF4);

        combo->setCurrentIndex(2);
        QVERIFY(!WidgetDriver::child(page, "pushButton_colour")->isVisible());
        QCOMPARE(made.work->ledRecord.ledMode, 2);
        QCOMPARE(
            QColor(made.work->ledRecord.colour1[0], made.work->ledRecord.colour1[1], made.work->ledRecord.colour1[2]),
            QColor(0, 0, 0));
        combo->setCurrentIndex(1);
        QVERIFY(made.work->ledRecord.equals(fixed));
    }

    // An inheriting profile shows Global's values; loading stores nothing.
    void lightPagesShowTheParentsValues()
    {
        model()->setCurrentProfile(made.play);
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        QWidget both;
        auto *layout = new QVBoxLayout(&both);
        auto *logo = new BacklightView(&both, QStringLiteral("v"));
        logo->load(made.play->ledRecord);
        auto *oled = new OledView(&both, QStringLiteral("v"));
        oled->load(made.play->oledRecord);
        layout->addWidget(oled);
        layout->addWidget(logo);
        both.show();
        QVERIFY(QTest::qWaitForWindowExposed(&both));
        QCOMPARE(WidgetDriver::child<QComboBox>(logo, "comboBox")->currentIndex(), 1);
        QCOMPARE(logo->colour(), QColor(200, 100, 50));
        QVERIFY(WidgetDriver::child(logo, "pushButton_colour")->isVisible());
        QCOMPARE(WidgetDriver::child<QComboBox>(oled, "comboBox")->currentIndex(), 2);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!made.play->hasOwnSettings());
        QVERIFY(!model()->loading);

        WidgetDriver::child<QComboBox>(oled, "comboBox")->setCurrentIndex(7);
        QVERIFY(made.play->hasOwnSettings());
        QCOMPARE(made.play->oledRecord.oledMode, 7);
        QVERIFY(made.play->ledRecord.equals(made.global->ledRecord));
        QCOMPARE(made.global->oledRecord.oledMode, 2);
    }

    void lightPagePictures_data() { DialogFixture::addLookRows(); }
    void lightPagePictures()
    {
        QFETCH(QString, key);
        made.work->oledRecord.oledMode = 1;
        made.work->oledRecord.message = "Hello";
        made.work->ledRecord = made.global->ledRecord;
        auto *oled = new OledView(nullptr, key);
        oled->load(made.work->oledRecord);
        auto *logo = new BacklightView(nullptr, key);
        logo->load(made.work->ledRecord);
        QWidget both;
        both.setProperty(StyleProperties::modelKey, key);
        auto *layout = new QVBoxLayout(&both);
        layout->addWidget(oled);
        layout->addWidget(logo);
        both.resize(700, 180);
        both.show();
        QVERIFY(QTest::qWaitForWindowExposed(&both));
        QCOMPARE(WidgetDriver::child<QLineEdit>(oled, "lineEdit_message")->text(), QString("Hello"));
        QVERIFY(!WidgetDriver::grabToPng(&both, "light-pages-" + key).isEmpty());
    }

    // ------------------------------------------------------------ the ring

    void ringDraws_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rightLit"); // a quarter
        QTest::addColumn<bool>("leftLit");  // three quarters
        QTest::newRow("model 5, 0 %") << 5 << 0.0 << "0%" << false << false;
        QTest::newRow("model 5, 42 %") << 5 << 42.0 << "42%" << true << false;
        QTest::newRow("model 20, 99.01 %") << 20 << 99.01 << "100%" << true << true;
        QTest::newRow("model 20, 100 %") << 20 << 100.0 << "100%" << true << true;
        QTest::newRow("model 20, 150 %") << 20 << 150.0 << "150%" << true << true;
    }
    void ringDraws()
    {
        QFETCH(int, productId);
        QFETCH(double, percent);
        QFETCH(QString, text);
        QFETCH(bool, rightLit);
        QFETCH(bool, leftLit);
        mouse = std::make_unique<ConnectedMouse>(productId);
        mouse->connect();
        ItemMousePercentage ring;
        ring.setPercentage(percent);
        QCOMPARE(WidgetDriver::child<QLabel>(&ring, "label")->text(), text);
        QCOMPARE(ring.size(), QSize(60, 60));
        const QImage picture = ring.grab().toImage();
        const bool fine = productId == 5;
        const QColor track(fine ? "#111111" : "#1c2033");
        const QColor arc(percent > 100 ? (fine ? "#ff0000" : "#ff5959") : (fine ? "#666666" : "#b9bff1"));
        auto lit = [&](int x, int y) { return nearer(picture.pixelColor(x, y), arc, track); };
        QCOMPARE(lit(55, 30), rightLit);
        QCOMPARE(lit(4, 30), leftLit);
        QCOMPARE(lit(30, 55), rightLit && (leftLit || percent >= 50));
        QVERIFY(!WidgetDriver::grabToPng(&ring, QStringLiteral("ring-%1-%2").arg(productId).arg(percent)).isEmpty());
    }
};

QTEST_MAIN(tst_QuickPages)
#include "tst_quickpages.moc"
