#include "PageChecks.h"

#include "PackageCreator.h"
#include "PageDriver.h"
#include "RecordBytes.h"
#include "WidgetDriver.h"

#include <QSignalSpy>

#include <QtTest>
#include <memory>

namespace PageChecks {

void checkShown(const QWidget *root, const Shown &shown, const QStringList &hidden)
{
    for (const auto &expected : shown)
        QCOMPARE(PageDriver::shownText(root, expected.first), expected.second);
    for (const QString &name : hidden) {
        const QWidget *widget = WidgetDriver::child(root, name);
        QVERIFY2(widget && widget->isHidden(), qPrintable(name));
    }
}

void freshPageHoldsItsRecord(const MakePage &makePage, int typeCode, const QByteArray &bytes)
{
    for (const bool loading : {false, true}) {
        PackageCreator::instance()->loading = loading;
        std::unique_ptr<oawidget> page(makePage());
        QVERIFY(page->config());
        QCOMPARE(page->config()->typeCode, typeCode);
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), bytes.toHex(' '));
        const OutputPtr record = page->config();
        page->ensureConfig();
        QCOMPARE(page->config(), record);
        QVERIFY(!page->isInvalid());
        QVERIFY(!page->hasExtraRow());
        QVERIFY(!page->isAdvanced());
        QVERIFY(!page->extraRowWidget());
    }
}

void editsReachTheRecord(const MakePage &makePage, const Steps &steps, const Expected &expected)
{
    PageHost host(makePage());
    QVERIFY(host.show());
    QSignalSpy updated(host.page, &oawidget::updated);
    QVERIFY(performAll(&host.window, steps));
    QVERIFY(host.page->config());
    QCOMPARE(host.page->config()->typeCode, expected.typeCode);
    QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), expected.bytes.toHex(' '));
    checkShown(&host.window, expected.shown, expected.hidden);
    QVERIFY(!updated.isEmpty());
    QVERIFY(!host.page->isInvalid());
}

void loadShowsTheRecord(const MakePage &makePage, const OutputPtr &record, int updatesOnLoad, const Shown &shown,
                        const QStringList &hidden, const Steps &steps, const QByteArray &bytes)
{
    PageHost host(makePage());
    QVERIFY(host.show());
    const QByteArray before = pageFieldBytes(record);
    const int typeCode = record->typeCode;
    SignalLog log(host.page);
    host.page->load(record);
    QCOMPARE(log.events.count(QStringLiteral("updated")), updatesOnLoad);
    QCOMPARE(log.events.count(QStringLiteral("autoReleaseAdd")), 0);
    QCOMPARE(host.page->config(), record);
    QCOMPARE(record->typeCode, typeCode);
    QCOMPARE(pageFieldBytes(record).toHex(' '), before.toHex(' '));
    QVERIFY(!host.page->isInvalid());
    checkShown(&host.window, shown, hidden);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(performAll(&host.window, steps));
    QCOMPARE(host.page->config(), record);
    QCOMPARE(pageFieldBytes(record).toHex(' '), bytes.toHex(' '));
}

void loadingFlagKeepsTheRecord(const MakePage &makePage, const OutputPtr &record, const Steps &steps)
{
    PackageCreator::instance()->loading = true;
    PageHost host(makePage());
    QVERIFY(host.show());
    const QByteArray before = pageFieldBytes(record);
    const int typeCode = record->typeCode;
    SignalLog log(host.page);
    host.page->load(record);
    QVERIFY(performAll(&host.window, steps));
    QCOMPARE(pageFieldBytes(record).toHex(' '), before.toHex(' '));
    QCOMPARE(record->typeCode, typeCode);
    QCOMPARE(log.events, QStringList());
    QCOMPARE(host.page->config(), record);
}

void grabPage(const MakePage &makePage, const Steps &steps)
{
    PageHost host(makePage());
    QVERIFY(host.show());
    QVERIFY(performAll(&host.window, steps));
    host.page->isInvalid();            // restyles a page that marks what is missing
    QCoreApplication::processEvents(); // the layouts follow what was hidden
    QVERIFY(!WidgetDriver::grabToPng(&host.window, QStringLiteral("page-%1").arg(QTest::currentDataTag())).isEmpty());
}

} // namespace PageChecks
