// The profile name dialog: which names it hands on, which it refuses with
// which message, and how its keys and buttons close it.
#include "DialogAnswerer.h"
#include "LineDialog.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

namespace {

struct Opened
{
    QWidget tree; // the profile tree the dialog belongs to
    LineDialog dialog;
    QSignalSpy accepted;
    QLineEdit *edit;

    Opened(int mode, const QStringList &names)
        : dialog(mode, &tree)
        , accepted(&dialog, &LineDialog::newName)
        , edit(WidgetDriver::child<QLineEdit>(&dialog, "lineEdit"))
    {
        tree.show();
        dialog.showWithNames(names);
    }
};

} // namespace

class TestLineDialog : public QObject
{
    Q_OBJECT

private slots:
    void checksTheName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("refusal"); // empty: handed on as typed
        const QStringList names{"Work", "Games", "Work 2"};
        QTest::newRow("new name") << "Racing" << 0 << names << "";
        QTest::newRow("18 characters") << "abcdefghijklmnopqr" << 0 << names << "";
        QTest::newRow("19 characters") << "abcdefghijklmnopqrs" << 0 << names
                                       << "Profile Name cannot be more than 18 characters";
        QTest::newRow("leading blanks kept") << "  ab" << 0 << names << "";
        QTest::newRow("blanks count towards the length")
            << "  abcdefghijklmnopq" << 1 << names << "Profile Name cannot be more than 18 characters";
        QTest::newRow("blanks only") << "   " << 0 << names << "Profile Name cannot be empty";
        QTest::newRow("nothing") << "" << 1 << names << "Profile Name cannot be empty";
        QTest::newRow("rename to a taken name") << "Games" << 0 << names << "Profile Name already exists";
        QTest::newRow("add under a taken name") << "Games" << 1 << names << "";
        QTest::newRow("names differ in case") << "games" << 0 << names << "";
        QTest::newRow("taken name with a blank") << "Games " << 0 << names << "";
    }

    void checksTheName()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QStringList, names);
        QFETCH(QString, refusal);
        Opened opened(mode, names);
        QVERIFY(WidgetDriver::typeInto(&opened.dialog, "lineEdit", text));

        QString message;
        std::optional<DialogAnswerer> answerer;
        if (!refusal.isEmpty()) {
            answerer.emplace([&](QWidget *box) {
                message = WidgetDriver::child<QLabel>(box, "label_text")->text();
                WidgetDriver::click(box, "pushButton_yes");
            });
        }
        QTest::keyClick(opened.edit, Qt::Key_Return);

        if (refusal.isEmpty()) {
            QCOMPARE(opened.accepted.count(), 1);
            QCOMPARE(opened.accepted.first().at(0).toString(), text);
            QVERIFY(!opened.dialog.isVisible());
            QCOMPARE(opened.edit->text(), QString());
        } else {
            QVERIFY(answerer->answered());
            QVERIFY2(message.contains("Sorry<br>" + refusal), qPrintable(message));
            QCOMPARE(opened.accepted.count(), 0);
            QVERIFY(opened.dialog.isVisible());
            QCOMPARE(opened.edit->text(), text);
        }
    }

    void oneReturnChecksOnceWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("name field") << "lineEdit";
        QTest::newRow("action button") << "pushButton_do";
        QTest::newRow("cancel button") << "pushButton_cancel";
    }

    void oneReturnChecksOnceWhereverTheFocusIs()
    {
        QFETCH(QString, focused);
        Opened opened(1, {"Work"});
        QVERIFY(WidgetDriver::typeInto(&opened.dialog, "lineEdit", "Racing"));
        QWidget *target = WidgetDriver::child(&opened.dialog, focused);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(opened.accepted.count(), 1);
        QCOMPARE(opened.accepted.first().at(0).toString(), QString("Racing"));
    }

    void refusedTwiceAsksTwice()
    {
        Opened opened(0, {"Work"});
        QVERIFY(WidgetDriver::typeInto(&opened.dialog, "lineEdit", "Work"));
        for (int i = 0; i < 2; ++i) {
            DialogAnswerer answerer(DialogAnswerer::clickButton("pushButton_yes"));
            QVERIFY(WidgetDriver::click(&opened.dialog, "pushButton_do"));
            QVERIFY(answerer.answered());
        }
        QCOMPARE(opened.accepted.count(), 0);
    }

    void actionButtonNamesTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("rename") << 0 << "Rename";
        QTest::newRow("add") << 1 << "Add";
        QTest::newRow("other") << 2 << "...";
    }

    void actionButtonNamesTheMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        LineDialog dialog(mode, nullptr);
        QCOMPARE(WidgetDriver::child<QPushButton>(&dialog, "pushButton_do")->text(), text);
    }

    void cancelClearsAndEscapeKeepsTheText()
    {
        Opened opened(0, {"Work"});
        QVERIFY(WidgetDriver::typeInto(&opened.dialog, "lineEdit", "Racing"));
        QTest::keyClick(opened.edit, Qt::Key_Escape);
        QVERIFY(!opened.dialog.isVisible());
        QCOMPARE(opened.edit->text(), QString("Racing"));

        opened.dialog.showWithNames({"Work"});
        QVERIFY(WidgetDriver::click(&opened.dialog, "pushButton_cancel"));
        QVERIFY(!opened.dialog.isVisible());
        QCOMPARE(opened.edit->text(), QString());
        QCOMPARE(opened.accepted.count(), 0);
    }

    void pictureOfARefusal()
    {
        Opened opened(0, {"Work"});
        QVERIFY(WidgetDriver::typeInto(&opened.dialog, "lineEdit", "Work"));
        QVERIFY(!WidgetDriver::grabToPng(&opened.dialog, "name-dialog").isEmpty());
        QString picture;
        DialogAnswerer answerer([&](QWidget *box) {
            picture = WidgetDriver::grabToPng(box, "name-refused");
            WidgetDriver::click(box, "pushButton_yes");
        });
        QTest::keyClick(opened.edit, Qt::Key_Return);
        QVERIFY(answerer.answered());
        QVERIFY(!picture.isEmpty());
    }
};

QTEST_MAIN(TestLineDialog)
#include "tst_linedialog.moc"
