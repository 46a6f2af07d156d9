// The profile selection dialog: ticking, the Ok button, and the question
// about overwriting the user's own global profile on import.
#include "DialogAnswerer.h"
#include "ProfileSelect.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include <optional>

namespace {

QList<QCheckBox *> profileBoxes(const ProfileSelect &dialog)
{
    return WidgetDriver::child(&dialog, "scrollAreaWidgetContents")->findChildren<QCheckBox *>();
}

// A click on the box's tick mark, as a user ticks it.
void clickBox(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

QCheckBox *selectAll(const ProfileSelect &dialog)
{
    return WidgetDriver::child<QCheckBox>(&dialog, "checkBox_selectAll");
}

bool okEnabled(const ProfileSelect &dialog)
{
    return WidgetDriver::child<QPushButton>(&dialog, "pushButton_ok")->isEnabled();
}

} // namespace

class TestProfileSelect : public QObject
{
    Q_OBJECT

private slots:
    // Each name as typed: an '&' in it is no shortcut.
    void offersEveryNameInOrder()
    {
        ProfileSelect dialog({"Global", "R&D", "Games"}, 1, true, nullptr);
        QStringList texts;
        for (const QCheckBox *box : profileBoxes(dialog)) {
            texts.append(WidgetDriver::shownButtonText(box->text()));
            QVERIFY(QKeySequence::mnemonic(box->text()).isEmpty());
        }
        QCOMPARE(texts, (QStringList{" Global", " R&D", " Games"}));
        QCOMPARE(selectAll(dialog)->text(), QString(" Select all"));
    }

    void okNeedsATickAndSelectAllFollowsTheBoxes()
    {
        ProfileSelect dialog({"Work", "Games", "Office"}, 0, false, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QList<QCheckBox *> boxes = profileBoxes(dialog);
        QVERIFY(!okEnabled(dialog));

        clickBox(boxes.at(1));
        QVERIFY(boxes.at(1)->isChecked());
        QVERIFY(okEnabled(dialog));
        QVERIFY(!selectAll(dialog)->isChecked());

        clickBox(boxes.at(0));
        clickBox(boxes.at(2));
        QVERIFY(selectAll(dialog)->isChecked());

        clickBox(boxes.at(0));
        QVERIFY(!selectAll(dialog)->isChecked());
        QVERIFY(boxes.at(1)->isChecked() && boxes.at(2)->isChecked());

        clickBox(selectAll(dialog));
        for (const QCheckBox *box : boxes)
            QVERIFY(box->isChecked());
        QVERIFY(selectAll(dialog)->isChecked());

        clickBox(selectAll(dialog));
        for (const QCheckBox *box : boxes)
            QVERIFY(!box->isChecked());
        QVERIFY(!okEnabled(dialog));
    }

    void okResults_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("hasGlobal");
        QTest::addColumn<QList<int>>("ticked"); // -1: " Select all"
        QTest::addColumn<QString>("answer");    // to the question; empty: none asked
        QTest::addColumn<QList<bool>>("selection");
        QTest::addColumn<bool>("allSelected");
        QTest::addColumn<bool>("overwriteGlobal");
        const QList<bool> all{true, true, true};
        const QList<bool> globalAndOne{true, true, false};
        QTest::newRow("import all") << 1 << true << QList<int>{-1} << "" << all << true << true;
        QTest::newRow("import all one by one") << 1 << true << QList<int>{0, 1, 2} << "" << all << true << true;
        QTest::newRow("import global and one, no")
            << 1 << true << QList<int>{0, 1} << "pushButton_no" << globalAndOne << false << false;
        QTest::newRow("import global and one, yes")
            << 1 << true << QList<int>{0, 1} << "pushButton_yes" << globalAndOne << false << true;
        QTest::newRow("import global and one, escape")
            << 1 << true << QList<int>{0, 1} << "escape" << globalAndOne << false << false;
        QTest::newRow("import without the global")
            << 1 << true << QList<int>{1, 2} << "" << QList<bool>{false, true, true} << false << false;
        QTest::newRow("import from a file without a global")
            << 1 << false << QList<int>{0, 1} << "" << globalAndOne << false << false;
        QTest::newRow("export some") << 0 << false << QList<int>{0, 1} << "" << globalAndOne << false << false;
        QTest::newRow("export all") << 0 << false << QList<int>{-1} << "" << all << true << false;
    }

    void okResults()
    {
        QFETCH(int, mode);
        QFETCH(bool, hasGlobal);
        QFETCH(QList<int>, ticked);
        QFETCH(QString, answer);
        QFETCH(QList<bool>, selection);
        QFETCH(bool, allSelected);
        QFETCH(bool, overwriteGlobal);
        ProfileSelect dialog({"Global", "Work", "Games"}, mode, hasGlobal, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int box : ticked)
            clickBox(box < 0 ? selectAll(dialog) : profileBoxes(dialog).at(box));

        QString question;
        DialogAnswerer answerer([&](QWidget *box) {
            question = WidgetDriver::child<QLabel>(box, "label_text")->text();
            if (answer == "escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                WidgetDriver::click(box, answer);
        });
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_ok"));

        QCOMPARE(answerer.answered(), !answer.isEmpty());
        if (!answer.isEmpty())
            QVERIFY2(question.contains("You have chosen the Global profile, this will<br>overwrite your existing "
                                       "Global Profile. Proceed?"),
                     qPrintable(question));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.selection(), selection);
        QCOMPARE(dialog.allSelected(), allSelected);
        QCOMPARE(dialog.overwriteGlobal(), overwriteGlobal);
    }

    void cancelRejects()
    {
        ProfileSelect dialog({"Work"}, 0, false, nullptr);
        DialogAnswerer answerer(DialogAnswerer::clickButton("pushButton_cancel"));
        QCOMPARE(dialog.exec(), 0);
        QVERIFY(answerer.answered());
        QVERIFY(dialog.selection().isEmpty());
    }

    void headerNamesTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("header");
        QTest::newRow("export") << 0 << "Select Profiles to Export";
        QTest::newRow("import") << 1 << "Select Profiles to Import";
        QTest::newRow("other") << 2 << "Select Profiles to";
    }

    void headerNamesTheMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, header);
        ProfileSelect dialog({"Work"}, mode, false, nullptr);
        QCOMPARE(WidgetDriver::child<QLabel>(&dialog, "label_header")->text(), header);
    }

    void heightFollowsTheProfilesWithinTheParent_data()
    {
        QTest::addColumn<int>("parentHeight"); // 0: no parent
        QTest::addColumn<int>("profiles");
        QTest::addColumn<int>("height");
        QTest::newRow("short list") << 600 << 2 << 312;
        QTest::newRow("long list, cut to the parent") << 300 << 5 << 300;
        QTest::newRow("no parent") << 0 << 5 << 390;
        QTest::newRow("no parent, long list") << 0 << 30 << 1040;
    }

    void heightFollowsTheProfilesWithinTheParent()
    {
        QFETCH(int, parentHeight);
        QFETCH(int, profiles);
        QFETCH(int, height);
        QWidget parent;
        parent.resize(800, parentHeight);
        QStringList names;
        for (int i = 0; i < profiles; ++i)
            names.append(QStringLiteral("Profile %1").arg(i));
        ProfileSelect dialog(names, 0, false, parentHeight ? &parent : nullptr);
        QCOMPARE(dialog.height(), height);
        QCOMPARE(dialog.minimumHeight(), height);
        QCOMPARE(dialog.maximumHeight(), height);
    }

    void picture()
    {
        ProfileSelect dialog({"Global", "Work", "Games"}, 1, true, nullptr);
        dialog.show();
        clickBox(profileBoxes(dialog).at(1));
        QVERIFY(!WidgetDriver::grabToPng(&dialog, "profile-select").isEmpty());
    }
};

QTEST_MAIN(TestProfileSelect)
#include "tst_profileselect.moc"
