// The simple view's profile dialog, driven as a user would: the name and its
// check, the picture, and linking applications through the link dialog over
// a scripted desktop, with the questions about a link another profile has
// and about automatic switching.
#include "../appswitch/DetectorFixture.h"
#include "AppStyleSheet.h"
#include "DialogAnswerer.h"
#include "DialogFixture.h"
#include "DlgProfile.h"
#include "FakeProcessTools.h"
#include "FakeWindowSystem.h"
#include "LinkedApp.h"
#include "LinkedAppsSimple.h"
#include "ProcessStateGuard.h"
#include "ProfileFixture.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace DialogFixture;
using namespace ProfileFixture;

namespace {

struct Desktop : DetectorFixture<FakeWindowSystem, FakeProcessTools>
{
    using DetectorFixture::DetectorFixture;

    void addApp(WindowSystem::WindowId window, quint32 processId, const QString &path)
    {
        processes.addProcess(processId, path);
        windows.addWindow(window, processId);
    }
};

LinkedAppsSimple *apps(const DlgProfile &dialog)
{
    return dialog.findChild<LinkedAppsSimple *>();
}

// Links the first open application through Link App.
void linkFirstApp(DlgProfile &dialog)
{
    DialogAnswerer answer([](QWidget *link) {
        QList<QCheckBox *> rows = WidgetDriver::child(link, "scrollAreaWidgetContents")->findChildren<QCheckBox *>();
        QVERIFY(!rows.isEmpty());
        rows.first()->setChecked(true);
        QVERIFY(WidgetDriver::click(link, "pushButton_link_selected"));
    });
    QVERIFY(WidgetDriver::click(&dialog, "btn_add_app"));
    QVERIFY(answer.answered());
}

} // namespace

class TestProfileDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<Desktop> desktop;
    QString editor;

private slots:
    void initTestCase()
    {
        qunsetenv("DISPLAY");
        QVERIFY(folder.isValid());
        editor = folder.filePath("programs/Editor.exe");
        QVERIFY(writeFile(editor, "program"));
    }
    void init()
    {
        clean.emplace();
        desktop = std::make_unique<Desktop>(folder.filePath("settings.ini"));
        QFile::remove(DlgProfile::iconImagePath());
        QDir(DlgProfile::iconImagePath()).removeRecursively();
        build("0:Work 1:Game 2:Fun");
        at("0")->linkedAppPaths = QStringList{"a.exe"};
        at("0")->linkedAppNames = QStringList{"Alpha App"};
        at("1")->linkedAppPaths = QStringList{"x.exe", "b.exe"};
        at("1")->linkedAppNames = QStringList{"X", "Bee"};
        at("2")->linkedAppPaths = QStringList{"b.exe"};
        at("2")->linkedAppNames = QStringList{"Bee"};
        SimpleModel::instance()->setAutoSwitching(true);
    }
    void cleanup()
    {
        desktop.reset();
        clean.reset();
    }

    // Save is there only for a name, 18 characters at most; a name another
    // profile has exactly keeps the dialog open, one that differs in case
    // or is the profile's own passes.
    void nameCheck_data()
    {
        QTest::addColumn<QString>("editing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("new") << ""
                             << "Photo"
                             << "Photo" << true;
        QTest::newRow("trimmed") << ""
                                 << "  Photo  "
                                 << "Photo" << true;
        QTest::newRow("18 characters") << ""
                                       << "abcdefghijklmnopqrstuv"
                                       << "abcdefghijklmnopqr" << true;
        QTest::newRow("another's name") << ""
                                        << "Game"
                                        << "Game" << false;
        QTest::newRow("another case") << ""
                                      << "game"
                                      << "game" << true;
        QTest::newRow("Global's name") << ""
                                       << "Global"
                                       << "Global" << true;
        QTest::newRow("keeping its own") << "0"
                                         << "Work"
                                         << "Work" << true;
        QTest::newRow("renamed to another's") << "0"
                                              << "Fun"
                                              << "Fun" << false;
    }
    void nameCheck()
    {
        QFETCH(QString, editing);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        std::optional<DlgProfile> dialog;
        if (editing.isEmpty())
            dialog.emplace(nullptr, "v");
        else
            dialog.emplace(nullptr, at(editing), "v");
        dialog->show();
        auto *save = WidgetDriver::child<QPushButton>(&*dialog, "btn_save");
        QVERIFY(WidgetDriver::typeInto(&*dialog, "edit_name", "   "));
        QVERIFY(!save->isEnabled());
        QVERIFY(WidgetDriver::typeInto(&*dialog, "edit_name", typed));
        QCOMPARE(dialog->profileName(), name);
        DialogAnswerer message(DialogAnswerer::clickButton("btn_ok"), 500);
        QVERIFY(WidgetDriver::click(&*dialog, "btn_save"));
        QCOMPARE(message.answered(), !accepted);
        QCOMPARE(dialog->result(), accepted ? 1 : 0);
        QCOMPARE(dialog->isVisible(), !accepted);
        if (!accepted)
            QCOMPARE(dialog->profileName(), name);
    }

    // One other profile linking the application asks; "Yes, replace the
    // link" collects the link to take away, deleting the chip drops that
    // again; "Cancel" links nothing; two other owners ask nothing; a second
    // link of one application adds no chip.
    void linkOwners()
    {
        DlgProfile dialog(nullptr, "v");
        dialog.show();
        QVERIFY(WidgetDriver::typeInto(&dialog, "edit_name", "Photo"));
        {
            DialogAnswerer cancel(DialogAnswerer::clickButton("btn_cancel"));
            dialog.onAppAdd("a.exe", "A");
            QVERIFY(cancel.answered());
        }
        QCOMPARE(dialog.linkedAppIds(), QStringList());
        QString question;
        DialogAnswerer replace([&question](QWidget *shown) {
            question = labelTexts(shown);
            QVERIFY(clickText(shown, "Yes, replace the link"));
        });
        dialog.onAppAdd("a.exe", "A");
        QVERIFY(replace.answered());
        QCOMPARE(question, QString("Application Alpha App is already linked to Profile Work.\nDo you want to link it "
                                   "to Profile Photo instead?"));
        QCOMPARE(dialog.replacedLinks().size(), 1);
        QCOMPARE(dialog.replacedLinks().first().profile, at("0"));
        QCOMPARE(dialog.replacedLinks().first().id, QString("a.exe"));

        DialogAnswerer none([](QWidget *shown) { shown->close(); }, 300);
        dialog.onAppAdd("b.exe", "B");
        dialog.onAppAdd("b.exe", "B");
        dialog.onAppAdd("a.exe", "A");
        QVERIFY(!none.wait());
        QCOMPARE(dialog.linkedAppIds(), (QStringList{"a.exe", "b.exe"}));

        LinkedApp *chip = apps(dialog)->chips().first();
        QVERIFY(WidgetDriver::click(chip, chip->findChild<QPushButton *>()->objectName()));
        QCOMPARE(dialog.linkedAppIds(), QStringList{"b.exe"});
        QCOMPARE(dialog.replacedLinks().size(), 0);
        // The other profile's link stays as long as the dialog changes nothing.
        QCOMPARE(at("0")->linkedAppPaths, QStringList{"a.exe"});
    }

    // A chip shows the application's name as typed, never read as markup.
    void chipShowsTheNameAsTyped()
    {
        LinkedApp chip(nullptr, "v");
        chip.setText("<b>R&D</b>");
        QCOMPARE(WidgetDriver::shownText(chip.findChild<QLabel *>("label_name")), QString("<b>R&D</b>"));
    }

    // Chips go by name without regard to case, and so do the results; one
    // chip is a line high, two scroll.
    void chipsAreSortedByName()
    {
        DlgProfile dialog(nullptr, "v");
        dialog.show();
        for (const char *name : {"b.exe", "A.exe", "c.exe"}) {
            dialog.onAppAdd(name, name);
            if (apps(dialog)->chips().size() == 1)
                QCOMPARE(apps(dialog)->height(), 30);
        }
        QCOMPARE(apps(dialog)->height(), 130);
        QCOMPARE(dialog.linkedAppIds(), (QStringList{"A.exe", "b.exe", "c.exe"}));
        QCOMPARE(dialog.linkedAppNames(), (QStringList{"A.exe", "b.exe", "c.exe"}));
    }

    // With switching off, each link asks to turn it on; "Yes" does.
    void linkingOffersAutomaticSwitching()
    {
        SimpleModel::instance()->setAutoSwitching(false);
        DlgProfile dialog(nullptr, "v");
        dialog.show();
        {
            DialogAnswerer no(DialogAnswerer::clickButton("btn_no"));
            dialog.onAppAdd("n.exe", "N");
            QVERIFY(no.answered());
        }
        QVERIFY(!SimpleModel::instance()->autoSwitching());
        QString text;
        DialogAnswerer yes([&text](QWidget *shown) {
            text = labelTexts(shown);
            QVERIFY(WidgetDriver::click(shown, "btn_yes"));
        });
        dialog.onAppAdd("m.exe", "M");
        QVERIFY(yes.answered());
        QVERIFY(text.contains("Would you like to enable it now?"));
        QVERIFY(SimpleModel::instance()->autoSwitching());
        QCOMPARE(dialog.linkedAppIds(), (QStringList{"m.exe", "n.exe"}));
    }

    // The linked application's icon becomes the picture when there is
    // none, its name the profile's when none was typed; a chosen picture
    // stays, and so does the picture when the icon cannot be written.
    void iconBecomesThePicture_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("blocked");
        QTest::newRow("no picture") << false << false;
        QTest::newRow("a picture chosen") << true << false;
        QTest::newRow("icon file blocked") << false << true;
    }
    void iconBecomesThePicture()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, blocked);
        const QString picturePath = folder.filePath("picture.png");
        QVERIFY(writeFile(picturePath, picture(Qt::red)));
        if (blocked) {
            // What an earlier link left there must not become this picture.
            QVERIFY(QDir().mkpath(DlgProfile::iconImagePath()));
        }
        desktop->addApp(1, 11, editor);
        DlgProfile dialog(nullptr, "v");
        dialog.setImageChooser([&picturePath](QWidget *) { return picturePath; });
        dialog.show();
        if (chosen)
            QVERIFY(WidgetDriver::click(&dialog, "btn_select_img"));
        if (blocked)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not write the application's icon"));
        linkFirstApp(dialog);
        QCOMPARE(dialog.linkedAppIds(), QStringList{"Editor.exe"});
        QCOMPARE(dialog.profileName(), QString("Editor"));
        const QString expected = chosen ? picturePath : blocked ? QString() : DlgProfile::iconImagePath();
        QCOMPARE(dialog.imagePath(), expected);
        QCOMPARE(WidgetDriver::child<QStackedWidget>(&dialog, "stackedWidget")->currentIndex(),
                 expected.isEmpty() ? 0 : 1);
        if (!chosen && !blocked)
            QCOMPARE(QImage(expected).size(), QSize(64, 64));
    }

    void looks_data() { DialogFixture::addLookRows(); }
    void looks()
    {
        QFETCH(QString, key);
        qApp->setStyleSheet(AppStyleSheet::joined());
        const QString picturePath = folder.filePath("picture.png");
        QVERIFY(writeFile(picturePath, picture(Qt::darkCyan)));
        DlgProfile dialog(nullptr, at("1"), key);
        dialog.setImageChooser([&picturePath](QWidget *) { return picturePath; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(WidgetDriver::click(&dialog, "btn_select_img"));
        QVERIFY(!WidgetDriver::grabToPng(&dialog, "dialog-" + key).isEmpty());
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestProfileDialog)
#include "tst_profiledialog.moc"
