// The predefined profile manager over a program folder of three predefined
// profiles (the third names itself only on its second line) and a scripted
// list of installed programs: the first run, Apply with and without changes,
// the question before removals, Select All and Detect.
#include "AppStyleSheet.h"
#include "ConfigFile.h"
#include "DialogAnswerer.h"
#include "DialogFixture.h"
#include "InstallScannerInterface.h"
#include "ManageProfiles.h"
#include "ProcessStateGuard.h"
#include "ProfileFixture.h"
#include "ProfileReceiver.h"
#include "ProgramFolder.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace ProfileFixture;

namespace {

class FakeScanner : public InstallScannerInterface
{
public:
    QStringList names;
    void scan() override {}
    QStringList installedAppNames() override { return names; }
};

void markRunBefore()
{
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("HasBeenRunBefore", true);
}

QCheckBox *box(const ManageProfiles &manager, const QString &name)
{
    return WidgetDriver::child<QCheckBox>(&manager, name);
}

QStringList ticked(const ManageProfiles &manager)
{
    QStringList names;
    for (const char *name : {"Alpha", "Beta", "Gamma"}) {
        if (box(manager, name)->isChecked())
            names << name;
    }
    return names;
}

} // namespace

class TestProfileManager : public QObject
{
    Q_OBJECT

    QTemporaryDir program;
    std::optional<ProcessStateGuard> clean;
    std::optional<ProfileReceiver> receiver;
    FakeScanner scanner;

private slots:
    void initTestCase()
    {
        QVERIFY(program.isValid());
        ProgramFolder::setPath(program.path());
        // The catalogue is read once, on first use.
        QVERIFY(writePredefined(program.path(), "p-beta", "Beta", "BetaApp", Qt::blue));
        QVERIFY(writePredefined(program.path(), "p-alpha", "Alpha", "AlphaApp", Qt::red));
        QVERIFY(writePredefined(program.path(), "p-gamma", "Gamma", "GammaApp", Qt::green, true));
        QCOMPARE(Predefined::instance()->profileInfos().size(), 3);
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }
    void init()
    {
        clean.emplace();
        receiver.emplace();
        QDir(profilesFolder()).removeRecursively();
        QFile::remove(ConfigFile::workingFilePath());
        scanner.names.clear();
    }
    void cleanup()
    {
        receiver.reset();
        clean.reset();
    }

    // The installed programs' profiles come in name order without a
    // question, the run is marked and the file written at once.
    void firstRunAddsAndSavesTheDetectedProfiles()
    {
        build("");
        scanner.names = QStringList{"Beta", "", "Alpha", "Unknown"};
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        DialogAnswerer question([](QWidget *dialog) { dialog->close(); }, 300);
        {
            ManageProfiles manager(nullptr, "pelkin", &scanner);
            QVERIFY(!manager.isVisible());
        }
        QVERIFY(!question.wait());
        QCOMPARE(names(), (QStringList{"Alpha", "Beta"}));
        QCOMPARE(QSettings(SettingsFile::path(), QSettings::IniFormat).value("HasBeenRunBefore").toBool(), true);
        QVERIFY(QFileInfo::exists(ConfigFile::workingFilePath()));
        QVERIFY(saved.contains(QVariantList{true}));
        QVERIFY(QFileInfo::exists(Predefined::userProfilePath("Alpha") + "/logo.png"));
    }

    // Later runs do nothing by themselves, and Apply without a change
    // neither asks nor adds.
    void applyWithoutChangeDoesNothing()
    {
        markRunBefore();
        build("0:Alpha 1:Work");
        scanner.names = QStringList{"Beta"};
        ManageProfiles manager(nullptr, "v", &scanner);
        QCOMPARE(names(), (QStringList{"Alpha", "Work"}));
        QCOMPARE(ticked(manager), QStringList{"Alpha"});
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        manager.show();
        DialogAnswerer question([](QWidget *dialog) { dialog->close(); }, 300);
        QVERIFY(WidgetDriver::click(&manager, "pushButton_apply"));
        QVERIFY(!question.answered());
        QCOMPARE(manager.result(), 1);
        QVERIFY(!manager.isVisible());
        QCOMPARE(names(), (QStringList{"Alpha", "Work"}));
        QCOMPARE(saved.count(), 0);
        QVERIFY(!QFileInfo::exists(ConfigFile::workingFilePath()));
    }

    // An unticked profile goes only after "Yes"; "No" keeps every profile
    // and the manager open.
    void untickAsksBeforeRemoving()
    {
        markRunBefore();
        build("0:Alpha 1:Beta");
        ManageProfiles manager(nullptr, "v", &scanner);
        manager.show();
        QTest::mouseClick(box(manager, "Alpha"), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(ticked(manager), QStringList{"Beta"});
        {
            DialogAnswerer no(DialogAnswerer::clickButton("btn_no"));
            QVERIFY(WidgetDriver::click(&manager, "pushButton_apply"));
            QVERIFY(no.answered());
        }
        QVERIFY(manager.isVisible());
        QCOMPARE(names(), (QStringList{"Alpha", "Beta"}));
        DialogAnswerer yes([](QWidget *dialog) {
            QVERIFY(!WidgetDriver::grabToPng(dialog, "manager-question").isEmpty());
            QVERIFY(WidgetDriver::click(dialog, "btn_yes"));
        });
        QTest::ignoreMessage(QtInfoMsg, "ManageProfiles: delete Alpha");
        QVERIFY(WidgetDriver::click(&manager, "pushButton_apply"));
        QVERIFY(yes.answered());
        QVERIFY(!manager.isVisible());
        QCOMPARE(names(), QStringList{"Beta"});
        // Apply itself writes no file.
        QVERIFY(!QFileInfo::exists(ConfigFile::workingFilePath()));
    }

    // A renamed predefined profile is not that profile any more: its box
    // starts unticked, and ticking it adds a fresh copy beside it.
    void renamedProfileGetsAFreshCopy()
    {
        markRunBefore();
        build("0:Alpha");
        SimpleModel::instance()->setProfileName(at("0"), "My Alpha");
        ManageProfiles manager(nullptr, "v", &scanner);
        QCOMPARE(ticked(manager), QStringList());
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        box(manager, "Alpha")->setChecked(true);
        QTest::ignoreMessage(QtInfoMsg, "ManageProfiles: add Alpha");
        manager.apply();
        QCOMPARE(names(), (QStringList{"My Alpha", "Alpha"}));
        QCOMPARE(named("Alpha")->linkedAppPaths, QStringList{"alpha.exe"});
        QVERIFY(saved.contains(QVariantList{true}));
    }

    // Select All ticks and unticks every row, follows the rows, and Detect
    // only ever ticks.
    void selectAllAndDetect()
    {
        markRunBefore();
        build("0:Gamma");
        ManageProfiles manager(nullptr, "v", &scanner);
        auto *all = WidgetDriver::child<QCheckBox>(&manager, "checkBox_selectAll");
        QVERIFY(!all->isChecked());
        all->setChecked(true);
        QCOMPARE(ticked(manager), (QStringList{"Alpha", "Beta", "Gamma"}));
        all->setChecked(false);
        QCOMPARE(ticked(manager), QStringList());
        box(manager, "Alpha")->setChecked(true);
        box(manager, "Beta")->setChecked(true);
        box(manager, "Gamma")->setChecked(true);
        QVERIFY(all->isChecked());
        box(manager, "Beta")->setChecked(false);
        QVERIFY(!all->isChecked());

        scanner.names = QStringList{"Beta"};
        box(manager, "Alpha")->setChecked(true);
        box(manager, "Gamma")->setChecked(false);
        manager.detect();
        QCOMPARE(ticked(manager), (QStringList{"Alpha", "Beta"}));
    }

    void looks_data() { DialogFixture::addLookRows(); }
    void looks()
    {
        QFETCH(QString, key);
        markRunBefore();
        build("0:Beta");
        qApp->setStyleSheet(AppStyleSheet::joined());
        ManageProfiles manager(nullptr, key, &scanner);
        manager.show();
        QVERIFY(QTest::qWaitForWindowExposed(&manager));
        QVERIFY(!WidgetDriver::grabToPng(&manager, "manager-" + key).isEmpty());
        qApp->setStyleSheet(QString());
    }

    // A ticked name whose predefined folder cannot be found is logged and
    // skipped; the others are added and the change announced.
    void entryWithoutFolderIsSkipped()
    {
        markRunBefore();
        build("");
        ManageProfiles manager(nullptr, "v", &scanner);
        WidgetDriver::child<QCheckBox>(&manager, "checkBox_selectAll")->setChecked(true);
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no predefined folder names .*Gamma"));
        manager.apply();
        QCOMPARE(names(), (QStringList{"Alpha", "Beta"}));
        QCOMPARE(manager.result(), 1);
        QVERIFY(saved.contains(QVariantList{true}));
    }
};

QTEST_MAIN(TestProfileManager)
#include "tst_profilemanager.moc"
