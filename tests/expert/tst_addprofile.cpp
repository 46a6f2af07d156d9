// The add profile dialog driven offscreen as a user would: the name typed,
// the parent chosen, Add clicked or Return pressed; each refusal box read
// and answered by a timer.
#include "AddProfile.h"
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "ComboBox.h"
#include "DialogAnswerer.h"
#include "MessageBoxAnswer.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString empty = "Profile Name cannot be empty";
const QString tooLong = "Profile Name cannot be more than 18 characters";
const QString exists = "Profile Name already exists";

QList<QStringList> sampleGroups()
{
    return {{"Work", "Night"}, {"Play"}};
}

} // namespace

class TestAddProfile : public QObject
{
    Q_OBJECT

private:
    QLineEdit *nameEdit(const AddProfile &dialog) const
    {
        return WidgetDriver::child<QLineEdit>(&dialog, "lineEdit_name");
    }

    ComboBox *parents(const AddProfile &dialog) const
    {
        return WidgetDriver::child<ComboBox>(&dialog, "comboBox_parents");
    }

    // Types name and clicks Add; the refusal's text, or empty when no box came.
    QString typeAndAdd(AddProfile &dialog, const QString &name)
    {
        QString text;
        DialogAnswerer answer(answerBox("Ok", &text), 1000);
        if (!WidgetDriver::typeInto(&dialog, "lineEdit_name", name))
            return "not typed";
        if (!WidgetDriver::click(&dialog, "pushButton_add"))
            return "not clicked";
        return answer.answered() ? text : QString();
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void namesChecked_data()
    {
        QTest::addColumn<int>("parentRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("parent");
        QTest::newRow("blanks only") << 0 << "   " << empty << "";
        QTest::newRow("18 characters") << 0 << QString(18, 'a') << ""
                                       << "";
        QTest::newRow("19 characters") << 0 << QString(19, 'a') << tooLong << "";
        QTest::newRow("two blanks and 17 letters") << 0 << "  " + QString(17, 'a') << tooLong << "";
        QTest::newRow("Work at top level") << 0 << "Work" << exists << "";
        QTest::newRow("Work under Work") << 1 << "Work"
                                         << ""
                                         << "Work";
        QTest::newRow("Night twice under Work") << 1 << "Night" << exists << "";
        QTest::newRow("Night under Play") << 2 << "Night"
                                          << ""
                                          << "Play";
        QTest::newRow("sent untrimmed") << 0 << " Home "
                                        << ""
                                        << "";
    }
    void namesChecked()
    {
        QFETCH(int, parentRow);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QFETCH(QString, parent);
        AddProfile dialog;
        QSignalSpy added(&dialog, &AddProfile::addProfile);
        dialog.show(sampleGroups(), false);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(parents(dialog)->count(), 3);
        QCOMPARE(parents(dialog)->itemText(0), QString("Global"));
        parents(dialog)->setCurrentIndex(parentRow);

        const QString refusal = typeAndAdd(dialog, name);
        if (reason.isEmpty()) {
            QCOMPARE(refusal, QString());
            QCOMPARE(added.size(), 1);
            QCOMPARE(added.at(0).at(0).toString(), name);
            QCOMPARE(added.at(0).at(1).toString(), parent);
            QVERIFY(dialog.isHidden());
            QCOMPARE(nameEdit(dialog)->text(), QString());
        } else {
            QCOMPARE(refusal, "Sorry\n" + reason);
            QCOMPARE(added.size(), 0);
            QVERIFY(dialog.isVisible());
            QCOMPARE(nameEdit(dialog)->text(), name);
        }
    }

    void parentChosenAgainAfterARefusal()
    {
        AddProfile dialog;
        QSignalSpy added(&dialog, &AddProfile::addProfile);
        dialog.show(sampleGroups(), false);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.height(), 187);
        QVERIFY(WidgetDriver::child<QWidget>(&dialog, "widget_parent")->isVisible());
        WidgetDriver::grabToPng(&dialog, "add-profile-with-parent");

        QCOMPARE(typeAndAdd(dialog, "Work"), "Sorry\n" + exists);
        parents(dialog)->setCurrentIndex(1);
        QString text;
        DialogAnswerer answer(answerBox("Ok", &text), 500);
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_add"));
        QVERIFY(!answer.answered());
        QCOMPARE(added.size(), 1);
        QCOMPARE(added.at(0), QVariantList({"Work", "Work"}));
    }

    void globalShowsNoParentRowAndChecksEveryTopLevelName()
    {
        AddProfile dialog;
        QSignalSpy added(&dialog, &AddProfile::addProfile);
        dialog.show(sampleGroups(), true);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WidgetDriver::child<QWidget>(&dialog, "widget_parent")->isHidden());
        QCOMPARE(dialog.height(), 143);
        WidgetDriver::grabToPng(&dialog, "add-profile-top-level");
        QCOMPARE(typeAndAdd(dialog, "Play"), "Sorry\n" + exists);
        QCOMPARE(typeAndAdd(dialog, "Night"), QString());
        QCOMPARE(added.at(0), QVariantList({"Night", ""}));
    }

    void oneKnownParentWithoutTheRow()
    {
        AddProfile dialog;
        QSignalSpy added(&dialog, &AddProfile::addProfile);
        dialog.showNoParents({"Work", "Night"}, false);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WidgetDriver::child<QWidget>(&dialog, "widget_parent")->isHidden());
        QCOMPARE(typeAndAdd(dialog, "Night"), "Sorry\n" + exists);
        QCOMPARE(typeAndAdd(dialog, "Play"), QString());
        QCOMPARE(added.at(0), QVariantList({"Play", "Work"}));
    }

    void returnAddsAndEscapeCloses()
    {
        AddProfile dialog;
        QSignalSpy added(&dialog, &AddProfile::addProfile);
        dialog.show(sampleGroups(), true);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WidgetDriver::typeInto(&dialog, "lineEdit_name", "Home"));
        QTest::keyClick(nameEdit(dialog), Qt::Key_Return);
        QCOMPARE(added.size(), 1);
        QVERIFY(dialog.isHidden());

        dialog.show(sampleGroups(), true);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WidgetDriver::typeInto(&dialog, "lineEdit_name", "Away"));
        QTest::keyClick(nameEdit(dialog), Qt::Key_Escape);
        QVERIFY(dialog.isHidden());
        QCOMPARE(added.size(), 1);

        dialog.show(sampleGroups(), true);
        QVERIFY(WidgetDriver::typeInto(&dialog, "lineEdit_name", "Away"));
        QVERIFY(WidgetDriver::click(&dialog, "pushButton_cancel"));
        QVERIFY(dialog.isHidden());
        QCOMPARE(nameEdit(dialog)->text(), QString());
        QCOMPARE(added.size(), 1);
    }
};

QTEST_MAIN(TestAddProfile)
#include "tst_addprofile.moc"
