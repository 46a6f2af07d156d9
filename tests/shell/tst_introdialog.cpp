// The intro dialog: when it shows (the two settings keys), its box writing
// at once, its links per view, model and channel, and its form.
#include "AppFont.h"
#include "IntroDialog.h"
#include "SettingsFile.h"
#include "SharedConstants.h"

#include "AppStyleSheet.h"
#include "DialogAnswerer.h"
#include "ProcessStateGuard.h"
#include "ShellFixture.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

using ShellFixture::settings;

class TestIntroDialog : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;

    static QCheckBox *box(const QWidget *dialog)
    {
        return WidgetDriver::child<QCheckBox>(dialog, "checkBox_showAgain");
    }

private slots:
    void initTestCase() { QApplication::setFont(appFont()); }

    void init()
    {
        clean.emplace();
        QDir(SettingsFile::folder()).removeRecursively();
    }

    void cleanup()
    {
        clean.reset();
        QDir(SettingsFile::folder()).removeRecursively();
    }

    void showsWhenWantedOrAfterAnUpgrade_data()
    {
        QTest::addColumn<QVariant>("showIntro"); // invalid: absent
        QTest::addColumn<QVariant>("opened");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("wanted, opened before") << QVariant(true) << QVariant(true) << true << true;
        QTest::newRow("unwanted, opened before") << QVariant(false) << QVariant(true) << false << false;
        QTest::newRow("absent, opened before") << QVariant() << QVariant(true) << false << false;
        QTest::newRow("wanted, after an upgrade") << QVariant(true) << QVariant(false) << true << true;
        QTest::newRow("unwanted, after an upgrade") << QVariant(false) << QVariant(false) << true << false;
        QTest::newRow("fresh install") << QVariant() << QVariant() << true << false;
        QTest::newRow("wanted, never opened") << QVariant(true) << QVariant() << true << true;
    }

    void showsWhenWantedOrAfterAnUpgrade()
    {
        QFETCH(QVariant, showIntro);
        QFETCH(QVariant, opened);
        QFETCH(bool, shown);
        QFETCH(bool, ticked);
        {
            QSettings file = settings();
            if (showIntro.isValid())
                file.setValue("ShowIntroOnLaunch", showIntro);
            if (opened.isValid())
                file.setValue("HasBeenOpenedSinceInstallOrUpgrade", opened);
        }
        const QByteArray before = settings().allKeys().join(',').toUtf8();
        QWidget parent;
        auto *dialog = new IntroDialog(true, &parent, 20, 3);
        QCOMPARE(box(dialog)->isChecked(), ticked);
        bool visibleWhenAnswered = false;
        DialogAnswerer answer([&](QWidget *open) {
            visibleWhenAnswered = open == dialog && open->isVisible();
            WidgetDriver::click(open, "pushButton_close");
        });
        dialog->showIfWanted();
        QCOMPARE(answer.answered(), shown);
        QCOMPARE(visibleWhenAnswered, shown);
        QVERIFY(!dialog->isVisible());
        // Showing writes nothing of its own.
        QCOMPARE(settings().allKeys().join(',').toUtf8(), before);
    }

    void tickingWritesAtOnce()
    {
        settings().setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
        IntroDialog dialog(false, nullptr, 0, 3);
        dialog.show();
        QTest::mouseClick(box(&dialog), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(settings().value("ShowIntroOnLaunch").toString(), QString("true"));
        QTest::mouseClick(box(&dialog), Qt::LeftButton);
        QCOMPARE(settings().value("ShowIntroOnLaunch").toString(), QString("false"));
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_close"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(settings().value("ShowIntroOnLaunch").toString(), QString("false"));
    }

    void linksFollowViewModelAndChannel_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<int>("productId");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("notesText");
        const QString stable = "What's New In This Version";
        const QString beta = "What's New In This Beta Release";
        QTest::newRow("simple, model 10") << true << 10 << 3 << "red" << changelogUrl << stable;
        QTest::newRow("simple, model 20, alpha") << true << 20 << 1 << "#b753ec" << betaChangelogUrl << beta;
        QTest::newRow("simple, model 30, beta") << true << 30 << 2 << "#f6cc00" << betaChangelogUrl << beta;
        QTest::newRow("simple, no mouse yet") << true << 0 << 3 << "#f6cc00" << changelogUrl << stable;
        QTest::newRow("expert, model 10") << false << 10 << 3 << "#ffd400" << changelogUrl << stable;
        QTest::newRow("expert, V3 alpha") << false << 20 << 4 << "#ffd400" << betaChangelogUrl << beta;
    }

    void linksFollowViewModelAndChannel()
    {
        QFETCH(bool, simple);
        QFETCH(int, productId);
        QFETCH(int, channel);
        QFETCH(QString, colour);
        QFETCH(QString, notes);
        QFETCH(QString, notesText);
        IntroDialog dialog(simple, nullptr, productId, channel);
        const QString link = "<a href=\"%1\"><span style='color:%2;'>%3</span></a>";
        auto *videos = WidgetDriver::child<QLabel>(&dialog, "label_url_videos");
        auto *whatsNew = WidgetDriver::child<QLabel>(&dialog, "label_url_whatsNew");
        QCOMPARE(videos->text(), link.arg(introductionUrl, colour, "View Introduction and User Guides"));
        QCOMPARE(whatsNew->text(), link.arg(notes, colour, notesText));
        for (const QLabel *label : {videos, whatsNew}) {
            QCOMPARE(label->textFormat(), Qt::RichText);
            QVERIFY(label->openExternalLinks());
            QCOMPARE(label->textInteractionFlags(),
                     Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
            QCOMPARE(label->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        }

        QWidget *frame = WidgetDriver::child(&dialog, "frame");
        QWidget *check = box(&dialog);
        QWidget *close = WidgetDriver::child(&dialog, "pushButton_close");
        const QString key = productId == 10 ? "tamsel" : productId == 20 ? "pelkin" : "v";
        QCOMPARE(frame->property("frame_type").toString(), QString(simple ? "dialog_background" : "expert"));
        QCOMPARE(check->property("check_type").toString(), QString(simple ? "dialog" : "expert"));
        QCOMPARE(close->property("button_type").toString(), QString(simple ? "common" : "expert"));
        for (const QWidget *part : {frame, check, close})
            QCOMPARE(part->property("m"), simple ? QVariant(key) : QVariant());
    }

    void formIsASmallFramelessTool()
    {
        IntroDialog dialog(true, nullptr, 20, 3);
        QCOMPARE(dialog.objectName(), QString("IntroDialog"));
        QCOMPARE(dialog.minimumSize(), QSize(500, 170));
        QCOMPARE(dialog.maximumSize(), QSize(500, 170));
        QCOMPARE(dialog.windowTitle(), QString());
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.windowFlags() & (Qt::FramelessWindowHint | Qt::Tool), Qt::FramelessWindowHint | Qt::Tool);
        QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(box(&dialog)->text(), QString("Show this message again on start up? "));
        QCOMPARE(box(&dialog)->layoutDirection(), Qt::RightToLeft);
        auto *close = WidgetDriver::child<QPushButton>(&dialog, "pushButton_close");
        QCOMPARE(close->text(), QString("Close"));
        dialog.show();
        QCOMPARE(dialog.size(), QSize(500, 170));
        QCOMPARE(close->size(), QSize(124, 30));
        // The box's square stands right of its text.
        QVERIFY(box(&dialog)->geometry().right() < close->geometry().left());
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_close"));
        QVERIFY(!dialog.isVisible());
    }

    void pictureOfTheDialog_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<int>("productId");
        QTest::newRow("simple-pelkin") << true << 20;
        QTest::newRow("simple-tamsel") << true << 10;
        QTest::newRow("expert") << false << 20;
    }

    void pictureOfTheDialog()
    {
        QFETCH(bool, simple);
        QFETCH(int, productId);
        qApp->setStyleSheet(AppStyleSheet::joined());
        settings().setValue("ShowIntroOnLaunch", true);
        IntroDialog dialog(simple, nullptr, productId, 3);
        dialog.show();
        const QString picture = WidgetDriver::grabToPng(&dialog, QString("intro-") + QTest::currentDataTag());
        qApp->setStyleSheet(QString());
        QVERIFY(!picture.isEmpty());
    }
};

QTEST_MAIN(TestIntroDialog)
#include "tst_introdialog.moc"
