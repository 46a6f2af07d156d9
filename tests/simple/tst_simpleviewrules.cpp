// The simple window's rules without the window: the look per product id,
// the texts per channel, when the memory warning is due, and which
// background file may be deleted.
#include "CustomBackground.h"
#include "MemoryCrossing.h"
#include "SimpleViewLook.h"
#include "SimpleViewTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSimpleViewRules : public QObject
{
    Q_OBJECT

private slots:
    void lookFollowsTheProductId_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("logo");
        QTest::newRow("5") << 5 << "v" << 0 << ":/pic/simple_mode/v/side_bar/v_logo.png";
        QTest::newRow("10") << 10 << "tamsel" << 2 << ":/pic/simple_mode/tamsel/side_bar/tamsel_logo.png";
        QTest::newRow("20") << 20 << "pelkin" << 1 << ":/pic/simple_mode/pelkin/side_bar/pelkin_logo.png";
        QTest::newRow("30 has its own picture, the V's key")
            << 30 << "v" << 3 << ":/pic/simple_mode/v/side_bar/v2_logo.png";
        QTest::newRow("no mouse") << 0 << "v" << 0 << "";
        QTest::newRow("unknown model") << 15 << "v" << 0 << "";
    }
    void lookFollowsTheProductId()
    {
        QFETCH(int, productId);
        const SimpleViewLook look = SimpleViewLook::forProductId(productId);
        QTEST(look.modelKey, "key");
        QTEST(look.colourScheme, "scheme");
        QTEST(look.logo, "logo");
    }

    void textsFollowTheChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("title");
        QTest::newRow("public") << 3 << "Version: 3.0.9.1"
                                << "Corvanelle R7 Control Panel";
        QTest::newRow("alpha") << 1 << "Version: 3.0.9.1 Alpha"
                               << "Corvanelle R7 Control Panel 3.0.9.1 - included FW: 208";
        QTest::newRow("beta") << 2 << "Version: 3.0.9.1 Beta"
                              << "Corvanelle R7 Control Panel";
    }
    void textsFollowTheChannel()
    {
        QFETCH(int, channel);
        QTEST(SimpleViewTexts::versionText(channel), "version");
        QTEST(SimpleViewTexts::windowTitle(channel), "title");
    }

    // Each step: use in percent, window visible; then the state and whether
    // the dot changes and the message is due.
    void memoryWarningOnlyOnARiseWhileVisible_data()
    {
        QTest::addColumn<QList<double>>("use");
        QTest::addColumn<QList<bool>>("visible");
        QTest::addColumn<QList<bool>>("changed");
        QTest::addColumn<QList<bool>>("message");
        QTest::newRow("exactly full is not over")
            << QList<double>{100.0} << QList<bool>{true} << QList<bool>{false} << QList<bool>{false};
        QTest::newRow("one message per crossing")
            << QList<double>{100.5, 101.0, 100.0, 100.5} << QList<bool>{true, true, true, true}
            << QList<bool>{true, false, true, true} << QList<bool>{true, false, false, true};
        QTest::newRow("a rise while hidden sets the dot only")
            << QList<double>{100.5, 100.5} << QList<bool>{false, true} << QList<bool>{true, false}
            << QList<bool>{false, false};
    }
    void memoryWarningOnlyOnARiseWhileVisible()
    {
        QFETCH(QList<double>, use);
        QFETCH(QList<bool>, visible);
        QFETCH(QList<bool>, changed);
        QFETCH(QList<bool>, message);
        MemoryCrossing crossing;
        for (int i = 0; i < use.size(); ++i) {
            const MemoryCrossing::Step step = crossing.check(use.at(i), visible.at(i));
            QCOMPARE(step.changed, changed.at(i));
            QCOMPARE(step.over, use.at(i) > 100.0);
            QCOMPARE(crossing.isOver(), step.over);
            QCOMPARE(step.messageDue, message.at(i));
        }
    }

    void backgroundStyleNamesThePathQuoted()
    {
        QCOMPARE(CustomBackground::styleSheet("/home/u/my pic.png"),
                 QString("QWidget[widget_type=main_background] {border-image: url(\"/home/u/my pic.png\");}"));
    }

    void onlyAPictureInTheSettingsFolderIsOurs_data()
    {
        QTest::addColumn<QString>("file"); // relative to the temporary folder
        QTest::addColumn<bool>("ours");
        QTest::newRow("png copy") << "settings/back.png" << true;
        QTest::newRow("JPEG in any case") << "settings/back.JPEG" << true;
        QTest::newRow("bmp") << "settings/back.bmp" << true;
        QTest::newRow("through dot-dot back inside") << "settings/../settings/back.jpg" << true;
        QTest::newRow("configuration file") << "settings/settings.ini" << false;
        QTest::newRow("picture elsewhere") << "pictures/own.png" << false;
        QTest::newRow("picture in a sub-folder") << "settings/Profiles/logo.png" << false;
        QTest::newRow("dot-dot out of the folder") << "settings/../pictures/own.png" << false;
        QTest::newRow("missing") << "settings/gone.png" << false;
        QTest::newRow("link to a picture elsewhere") << "settings/link.png" << false;
        QTest::newRow("empty") << "" << false;
    }
    void onlyAPictureInTheSettingsFolderIsOurs()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("settings/Profiles"));
        QVERIFY(QDir(dir.path()).mkpath("pictures"));
        for (const char *name : {"settings/back.png", "settings/back.JPEG", "settings/back.bmp", "settings/back.jpg",
                                 "settings/settings.ini", "settings/Profiles/logo.png", "pictures/own.png"}) {
            QFile out(dir.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(dir.filePath("pictures/own.png"), dir.filePath("settings/link.png")));
        const QString path = file.isEmpty() ? QString() : dir.path() + "/" + file;
        QTEST(CustomBackground::isOwnCopy(path, dir.filePath("settings")), "ours");
    }
};

QTEST_GUILESS_MAIN(TestSimpleViewRules)
#include "tst_simpleviewrules.moc"
