#include "ButtonIds.h"

#include <QStringList>
#include <QtTest>

namespace {
QStringList *warnings = nullptr;

void keepWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && warnings)
        warnings->append(message);
}
} // namespace

class TestButtonIds : public QObject
{
    Q_OBJECT

private slots:
    void namesById_data();
    void namesById();
    void noneWarnsOncePerCall();
    void idsOutsideTheTableAreSilent_data();
    void idsOutsideTheTableAreSilent();
};

void TestButtonIds::namesById_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("alternative");
    const char *rows[][2] = {
        {"Left Button", "Left Button"},
        {"Right Button", "Right Button"},
        {"Middle Button", "Scroll Wheel"},
        {"Bottom Thumb", "Bottom Thumb"},
        {"Top Thumb", "Top Thumb"},
        {"Front Edge", "Front Edge"},
        {"Rear Edge", "Rear Edge"},
        {"Left Fingertip", "Left Fingertip"},
        {"Right Fingertip", "Right Fingertip"},
        {"Left Trigger Push", "Left Trigger"},
        {"Left Trigger Pull", "Left Trigger"},
        {"Right Trigger Push", "Right Trigger"},
        {"Right Trigger Pull", "Right Trigger"},
    };
    for (int id = 0; id <= ButtonIds::RightTriggerPull; ++id)
        QTest::addRow("%d", id) << id << QString(rows[id][0]) << QString(rows[id][1]);
}

void TestButtonIds::namesById()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, alternative);
    QCOMPARE(ButtonIds::name(id, false), name);
    QCOMPARE(ButtonIds::name(id, true), alternative);
}

void TestButtonIds::noneWarnsOncePerCall()
{
    QStringList seen;
    warnings = &seen;
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    const QString plain = ButtonIds::name(ButtonIds::None, false);
    const QString alternative = ButtonIds::name(ButtonIds::None, true);
    qInstallMessageHandler(previous);
    warnings = nullptr;
    QVERIFY(plain.isEmpty());
    QVERIFY(alternative.isEmpty());
    QCOMPARE(seen, QStringList({"ButtonIds: trying to get None button!", "ButtonIds: trying to get None button!"}));
}

void TestButtonIds::idsOutsideTheTableAreSilent_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("14") << 14;
    QTest::newRow("-1") << -1;
    QTest::newRow("255") << 255;
}

void TestButtonIds::idsOutsideTheTableAreSilent()
{
    QFETCH(int, id);
    QStringList seen;
    warnings = &seen;
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    const QString plain = ButtonIds::name(id, false);
    const QString alternative = ButtonIds::name(id, true);
    qInstallMessageHandler(previous);
    warnings = nullptr;
    QVERIFY(plain.isEmpty());
    QVERIFY(alternative.isEmpty());
    QVERIFY(seen.isEmpty());
}

QTEST_GUILESS_MAIN(TestButtonIds)
#include "tst_buttonids.moc"
