#include "ActionLibrary.h"
#include "ConfigFile.h"
#include "DialogAnswerer.h"
#include "FileSizeLimit.h"
#include "ModelGenerator.h"
#include "ModelSnapshot.h"
#include "PipeUnblocker.h"
#include "ProcessStateGuard.h"
#include "ProfileReceiver.h"
#include "ProgramFolder.h"
#include "SaveChildModels.h"
#include "SettingsFile.h"
#include "StoreFixture.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <climits>
#include <csignal>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace StoreFixture;
using namespace std::chrono_literals;
using Files = QList<QByteArray>;

namespace {

const QString backupNotice = QStringLiteral(
    "Previous configuration is unavailable or invalid. Loading a backup of last valid config instead.\n\nIf the config "
    "was invalid a copy of it has been saved to 'Documents/Corvanelle R7 Settings/Invalid.kvlf'\n");
const QString importQuestion = QStringLiteral("Profiles from the 'Corvanelle Driver' were detected.\n\nWould you like "
                                              "to import these to the R7 Control Panel?\n");

// Answers the next dialog with the button of that object name, keeping its
// text and, for a question, its two button texts ("text [yes|no]").
class PromptAnswer
{
public:
    explicit PromptAnswer(const QString &button)
        : m_answerer([this, button](QWidget *dialog) {
            const auto *label = dialog->findChild<QLabel *>("label");
            m_text = label ? label->text() : QString();
            const auto *yes = dialog->findChild<QPushButton *>("btn_yes");
            const auto *no = dialog->findChild<QPushButton *>("btn_no");
            if (yes && no)
                m_text += " [" + yes->text() + "|" + no->text() + "]";
            QString picture = QString(QTest::currentTestFunction()) + "-" + QTest::currentDataTag();
            WidgetDriver::grabToPng(dialog, picture.replace(QRegularExpression("[^A-Za-z0-9-]+"), "_"));
            WidgetDriver::click(dialog, button);
        })
    {}
    bool wait() { return m_answerer.wait(); }
    bool answered() const { return m_answerer.answered(); }
    QString text() const { return m_text; }

private:
    QString m_text;
    DialogAnswerer m_answerer;
};

QList<QByteArray> numbered(const QString &prefix, int count)
{
    QList<QByteArray> list;
    for (int n = 0; n < count; ++n)
        list << (prefix + QString::number(n)).toUtf8();
    return list;
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({"*.new*", "*.kvlf.*"}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestConfigStore : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    QTemporaryDir programFolder;
    QByteArray shippedStarter;

    void checkStartUpRecovery(bool readAhead)
    {
        QFETCH(QByteArray, working);
        QFETCH(QList<QByteArray>, backupsBefore);
        QFETCH(QByteArray, older);
        QFETCH(QString, button);
        QFETCH(QStringList, loaded);
        QFETCH(QString, prompt);
        QFETCH(QByteArray, invalidAfter);
        QFETCH(QList<QByteArray>, backupsAfter);

        QVERIFY(writeFile(ConfigFile::workingFilePath(), working));
        writeBackups(backupsBefore);
        QVERIFY(writeFile(ConfigFile::olderDriverFilePath(), older));
        QVERIFY(writeFile(ConfigFile::invalidCopyPath(), "earlier invalid copy"));

        ProfileReceiver receiver;
        bool result = false;
        {
            PromptAnswer answer(button.isEmpty() ? "btn_ok" : button);
            if (readAhead)
                ConfigFile::instance()->prepareSaveFile();
            result = ConfigFile::instance()->loadSaveFile();
            ConfigFile::instance()->finishStartLoad();
            QCOMPARE(answer.answered(), !button.isEmpty());
            QCOMPARE(answer.text(), prompt);
        }
        QVERIFY(result);
        QCOMPARE(profileNames(), loaded);
        QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{0, 255}}));
        QCOMPARE(readFile(ConfigFile::workingFilePath()), working);
        QCOMPARE(readFile(ConfigFile::invalidCopyPath()), invalidAfter);
        QCOMPARE(backups(backupsAfter.size()), backupsAfter);
        QCOMPARE(readFile(ConfigFile::olderDriverFilePath()), older);
        if (loaded == QStringList{"Starter"})
            QCOMPARE(readFile(ConfigFile::starterCopyPath()), shippedStarter);
        QCOMPARE(leftovers(ConfigFile::backupsFolder()), QStringList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        shippedStarter = fileWith("Starter");
        QVERIFY(writeFile(ConfigFile::shippedStarterPath(), shippedStarter));
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void init()
    {
        clean.emplace();
        // A save that works re-arms the notice of a failed one.
        QVERIFY(ConfigFile::instance()->save());
        removeStoreFiles();
        startEmpty();
    }
    void cleanup() { clean.reset(); }

    void storeFilesLieInTheirPlaces()
    {
        const QString config = SettingsFile::folder();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(ConfigFile::workingFilePath(), config + "/autosave.kvlf");
        QCOMPARE(ConfigFile::starterCopyPath(), config + "/Starter Mappings.kvlf");
        QCOMPARE(ConfigFile::shippedStarterPath(), programFolder.path() + "/Starter Mappings.kvlf");
        QCOMPARE(ConfigFile::documentsFolder(), documents + "/Corvanelle R7 Settings");
        QCOMPARE(ConfigFile::backupPath(3), documents + "/Corvanelle R7 Settings/Backups/AutoBackup_3.kvlf");
        QCOMPARE(ConfigFile::invalidCopyPath(), documents + "/Corvanelle R7 Settings/Invalid.kvlf");
        QCOMPARE(ConfigFile::olderDriverFilePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                     + "/CorvanelleDriver/Corvanelle Settings/CorvanelleDriverConfig.kvlf");
        QVERIFY(QFileInfo(config).isDir());
        QVERIFY(QFileInfo(ConfigFile::documentsFolder()).isDir());
    }

    // What the start-up load makes of the files it finds: which profiles it
    // loads, the files afterwards, and the prompt it shows (answered with
    // the named button). Every row starts with an earlier "Invalid.kvlf".
    void startUpRecovery_data()
    {
        QTest::addColumn<QByteArray>("working");
        QTest::addColumn<QList<QByteArray>>("backupsBefore");
        QTest::addColumn<QByteArray>("older");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QByteArray>("invalidAfter");
        QTest::addColumn<QList<QByteArray>>("backupsAfter");

        const QByteArray working = fileWith("Working");
        const QByteArray backup = fileWith("Backup");
        const QByteArray older = fileWith("Older");
        const QByteArray truncated = working.left(working.size() / 2);
        const QByteArray truncatedBackup = backup.left(backup.size() / 3);
        const QByteArray garbage = "Saved by hand\r\n" + working.mid(working.indexOf('{'));
        const QByteArray nul = QByteArray("x\0y", 3) + working.mid(working.indexOf('{'));
        const QByteArray earlier = "earlier invalid copy";
        const QList<QByteArray> five = numbered("backup ", 5);
        const Files none{missing, missing};
        // Larger than the pieces a file is compared in; its twin differs in
        // one byte far into it.
        const QByteArray large = QByteArray(300 * 1024, '#') + "\r\n" + working.mid(working.indexOf('{'));
        QByteArray largeTwin = large;
        largeTwin[290 * 1024] = '%';

        auto row = [](const char *name, const QByteArray &working, const Files &backupsBefore, const QByteArray &older,
                      const QString &button, const QString &loaded, const QString &prompt,
                      const QByteArray &invalidAfter, const Files &backupsAfter) {
            QTest::newRow(name) << working << backupsBefore << older << button << QStringList{loaded} << prompt
                                << invalidAfter << backupsAfter;
        };
        const QString question = importQuestion + " [Import Profiles|Load Defaults Profiles]";
        row("nothing there", missing, none, missing, "", "Starter", "", earlier, none);
        row("working file equal to backup 0", working, {working, missing}, missing, "", "Working", "", earlier,
            {working, missing});
        row("large file equal to backup 0", large, {large, missing}, missing, "", "Working", "", earlier,
            {large, missing});
        row("large file one byte off backup 0", large, {largeTwin, missing}, missing, "", "Working", "", earlier,
            {large, largeTwin, missing});
        row("changed file, five backups", working, five + Files{missing}, missing, "", "Working", "", earlier,
            {working, five.at(0), five.at(1), five.at(2), five.at(3), missing});
        row("garbage before the document", garbage, none, missing, "", "Working", "", earlier, {garbage, missing});
        row("NUL before the document", nul, {backup, missing}, missing, "btn_ok", "Backup", backupNotice, earlier,
            {backup, missing});
        row("truncated", truncated, {backup, missing}, missing, "btn_ok", "Backup", backupNotice, truncated,
            {backup, missing});
        row("broken, older file imported", truncated, {truncatedBackup, missing}, older, "btn_yes", "Older", question,
            truncated, {truncatedBackup, missing});
        row("broken, older file declined", truncated, {truncatedBackup, missing}, older, "btn_no", "Starter", question,
            truncated, {truncatedBackup, missing});
        row("broken, broken older file imported", truncated, {truncatedBackup, missing}, older.left(40), "btn_yes",
            "Starter", question, truncated, {truncatedBackup, missing});
    }
    void startUpRecovery() { checkStartUpRecovery(false); }
    // The same when the start reads the working file ahead on a thread of
    // its own: the same profiles, prompts and files once its backup is done.
    void startUpRecoveryReadAhead_data() { startUpRecovery_data(); }
    void startUpRecoveryReadAhead() { checkStartUpRecovery(true); }

    // What a load reads from a file read ahead is what it reads from the
    // file on the spot, with the same announcements: many profiles (the
    // mapping lists read by several threads), sub-profiles, nested mappings,
    // every kind of output, and groups below a sub-profile (not read).
    void readAheadReadsWhatALoadReads_data()
    {
        QTest::addColumn<QByteArray>("working");
        SampleModel::buildFullModel();
        QTest::newRow("full model") << ConfigFile::instance()->writeBytes();
        ModelGenerator::Shape shape;
        shape.profiles = 40;
        shape.mappings = 12;
        shape.varied = true;
        ModelGenerator::build(shape);
        QTest::newRow("40 varied profiles") << ConfigFile::instance()->writeBytes();
        QTest::newRow("groups below a sub-profile") << QByteArray(R"({"Version": 2, "RootProfile": {"Groups": [
            {"Name": "P", "Groups": [{"Name": "S", "Groups": [{"Name": "Too deep", "ActionMappings": {"$values": [
            {"InputActionType": {"Id": "button", "Code": "left"}}]}}]}]}]}})");
        startEmpty();
    }
    void readAheadReadsWhatALoadReads()
    {
        QFETCH(QByteArray, working);
        QVERIFY(writeFile(ConfigFile::workingFilePath(), working));
        const auto load = [](bool readAhead, QStringList *announced) {
            startEmpty();
            ProfileReceiver receiver;
            if (readAhead)
                ConfigFile::instance()->prepareSaveFile();
            const bool loaded = ConfigFile::instance()->loadSaveFile();
            ConfigFile::instance()->finishStartLoad();
            *announced = receiver.announced;
            return loaded;
        };
        QStringList onTheSpot;
        QVERIFY(load(false, &onTheSpot));
        const ModelSnapshot expected = ModelSnapshot::take();
        const QByteArray written = ConfigFile::instance()->writeBytes();
        QStringList readAhead;
        QVERIFY(load(true, &readAhead));
        QCOMPARE(readAhead, onTheSpot);
        const QString difference = expected.differenceFrom(ModelSnapshot::take());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(ConfigFile::instance()->writeBytes(), written);
    }

    // Without any file to load, not even a shipped starter file, the model
    // stays as it was and the load reports it.
    void nothingToLoadAtAll()
    {
        QVERIFY(QFile::remove(ConfigFile::shippedStarterPath()));
        const bool result = ConfigFile::instance()->loadSaveFile();
        QVERIFY(writeFile(ConfigFile::shippedStarterPath(), shippedStarter));
        QVERIFY(!result);
        QCOMPARE(profileNames(), QStringList());
        QVERIFY(!QFileInfo::exists(ConfigFile::starterCopyPath()));
    }

    // A working file that exists but cannot be read is logged before the
    // fall-backs (skipped as root, who reads it anyway).
    void unreadableWorkingFileIsLogged()
    {
        if (geteuid() == 0)
            QSKIP("root reads any file");
        const QByteArray working = fileWith("Working");
        QVERIFY(writeFile(ConfigFile::workingFilePath(), working));
        QFile::setPermissions(ConfigFile::workingFilePath(), QFileDevice::WriteOwner);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the configuration file exists but cannot be read"));
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadSaveFile());
        QFile::setPermissions(ConfigFile::workingFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(profileNames(), QStringList{"Starter"});
        QCOMPARE(readFile(ConfigFile::invalidCopyPath()), missing);
    }

    // The rotation moves only the backups there are, keeps "NumberOfBackups"
    // of them (5 when the setting is not a number, at least the newest one)
    // and leaves those numbered above alone.
    void backupRotation_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QList<QByteArray>>("after");
        const QByteArray W = fileWith("Working");
        const Files b = numbered("backup ", 6);
        auto row = [](const char *name, const QVariant &setting, const Files &before, const Files &after) {
            QTest::newRow(name) << setting << before << after;
        };
        row("default five", QVariant(), b.mid(0, 5) + Files{missing}, {W, b[0], b[1], b[2], b[3], missing});
        row("not a number", "lots", b.mid(0, 5) + Files{missing}, {W, b[0], b[1], b[2], b[3], missing});
        row("three", 3, b.mid(0, 4), {W, b[0], b[1], b[3]});
        row("one", 1, b.mid(0, 2), {W, b[1]});
        row("zero", 0, b.mid(0, 2), {W, b[1]});
        row("gap", QVariant(), {b[0], missing, b[2], missing}, {W, b[0], missing, b[2]});
        row("first backup", QVariant(), {missing, missing}, {W, missing});
        row("vast number", 100000000, {b[0], missing}, {W, b[0]});
        // Below 0 it counts as 0: only the newest backup is replaced.
        row("least int", QString::number(INT_MIN), b.mid(0, 2), {W, b[1]});
    }
    void backupRotation()
    {
        QFETCH(QVariant, setting);
        QFETCH(QList<QByteArray>, before);
        QFETCH(QList<QByteArray>, after);
        if (setting.isValid())
            QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("NumberOfBackups", setting);
        const QByteArray working = fileWith("Working");
        QVERIFY(writeFile(ConfigFile::workingFilePath(), working));
        writeBackups(before);
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadSaveFile());
        QCOMPARE(backups(after.size()), after);
        QCOMPARE(leftovers(ConfigFile::backupsFolder()), QStringList());
    }

    // Entries that are not plain files where the working file or the newest
    // backup belong: the start neither hangs nor reads without end, loads
    // what it can and loses no backup. The entry at the working file's place
    // stays; a backup that is no file of its own is not taken for one.
    void oddEntriesInTheStore_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("backupsAfter");
        auto row = [](const char *name, const QString &place, const QString &entry, const QString &loaded,
                      const QStringList &after) { QTest::newRow(name) << place << entry << loaded << after; };
        // The entry moves up as a backup would, or is replaced.
        const QStringList movedUp{"Working", "<odd>", "Backup", "backup 1", "<missing>"};
        const QStringList replaced{"Working", "<missing>", "Backup", "backup 1", "<missing>"};
        row("backup 0 a pipe", "backup", "pipe", "Working", replaced);
        row("backup 0 a link to an endless device", "backup", "zero", "Working", movedUp);
        row("backup 0 a dangling link", "backup", "dangling", "Working", replaced);
        row("backup 0 a link to the working file", "backup", "working", "Working", movedUp);
        // A folder cannot be replaced: nothing moves, nothing is lost.
        row("backup 0 a folder", "backup", "folder", "Working",
            {"<odd>", "Backup", "backup 1", "<missing>", "<missing>"});
        const QStringList kept{"Backup", "Backup", "backup 1", "<missing>", "<missing>"};
        row("working file a pipe", "working", "pipe", "Backup", kept);
        row("working file a link to an endless device", "working", "zero", "Backup", kept);
        row("working file a folder", "working", "folder", "Backup", kept);
    }
    void oddEntriesInTheStore()
    {
        QFETCH(QString, place);
        QFETCH(QString, entry);
        QFETCH(QString, loaded);
        QFETCH(QStringList, backupsAfter);
        QVERIFY(writeFile(ConfigFile::workingFilePath(), fileWith("Working")));
        // Backup 0 stands at 1 when the entry takes its place.
        const Files before{fileWith("Backup"), "backup 1"};
        writeBackups(place == "backup" ? Files{missing} + before : Files{before.at(0), before.at(0), before.at(1)});
        const QString at = place == "backup" ? ConfigFile::backupPath(0) : ConfigFile::workingFilePath();
        QVERIFY(writeFile(at, missing));
        // Gone before the next save, which as root would write through a
        // link into the device.
        const auto removeOdd = qScopeGuard([at] {
            for (int n = 0; n < 5; ++n)
                removeOddEntry(ConfigFile::backupPath(n));
            removeOddEntry(at);
        });
        QVERIFY(makeOddEntry(entry, at));

        ProfileReceiver receiver;
        {
            // The notice of a loaded backup.
            PromptAnswer answer("btn_ok");
            QElapsedTimer timer;
            timer.start();
            QVERIFY(ConfigFile::instance()->loadSaveFile());
            // Not read on and on: a start takes milliseconds.
            QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(answer.answered(), place == "working");
        }
        QCOMPARE(profileNames(), QStringList{loaded});
        QStringList after;
        for (int n = 0; n < backupsAfter.size(); ++n)
            after << describe(ConfigFile::backupPath(n));
        QCOMPARE(after, backupsAfter);
        if (place == "working")
            QCOMPARE(describe(ConfigFile::workingFilePath()), QString("<odd>"));
        QCOMPARE(leftovers(ConfigFile::backupsFolder()), QStringList());
    }

    // A named pipe where the user's mappings library belongs is refused at
    // once, not waited on for a writer, and left as it is: the pickers find
    // no saved actions, and the user is told why an action was not saved.
    void pipeInPlaceOfTheLibraryIsRefused()
    {
        const QString path = ConfigFile::mappingsLibraryPath();
        QVERIFY(QDir().mkpath(ConfigFile::documentsFolder()));
        QVERIFY(makeOddEntry("pipe", path));
        const auto removePipe = qScopeGuard([path] { removeOddEntry(path); });
        // Were the pipe waited on, it would read as an empty library after this.
        PipeUnblocker unblocker(path, 20s);
        const QString reason = QStringLiteral("not a plain file");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("ConfigFile: Could not open MappingsLibrary - " + path + " - " + reason));
        InputMapPtr mapping = SampleModel::button(0, "Copy");
        PromptAnswer answer("btn_ok");
        QElapsedTimer timer;
        timer.start();
        QVERIFY(ActionLibrary::readMappingsLibrary().isEmpty());
        QVERIFY(!ConfigFile::instance()->addToMappingsLibrary(mapping.get(), "Custom"));
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(answer.text(), "The action could not be saved to your action library\n"
                                    + QDir::toNativeSeparators(path) + "\n\n" + reason
                                    + "\n\nThe library was left as it was.");
        QCOMPARE(describe(path), QString("<odd>"));
    }

    // save() tells whether it wrote. A failed save keeps the old file, keeps
    // Save available, and tells the user once until a save works again.
    void saveFailureIsReportedOnce()
    {
        const QByteArray old = fileWith("Old");
        QVERIFY(writeFile(ConfigFile::workingFilePath(), old));
        SampleModel::buildFullModel();
        ConfigFile *file = ConfigFile::instance();
        QSignalSpy saved(file, &ConfigFile::saved);
        QVERIFY(FileSizeLimit(1024).isSet());
        // The notice is shown, not run: it is answered once the limit is
        // lifted again, so that its picture can be written.
        {
            PromptAnswer answer("btn_ok");
            QVERIFY(!saveOnFullDisk());
            QVERIFY(answer.wait());
            QVERIFY2(answer.text().contains(ConfigFile::workingFilePath()), qPrintable(answer.text()));
            QVERIFY2(answer.text().contains("File too large"), qPrintable(answer.text()));
        }
        {
            PromptAnswer again("btn_ok");
            QVERIFY(!saveOnFullDisk());
            QTest::qWait(100);
            QVERIFY(!again.answered());
        }
        QCOMPARE(readFile(ConfigFile::workingFilePath()), old);
        QVERIFY(file->save());
        QCOMPARE(readFile(ConfigFile::workingFilePath()), file->writeBytes());
        {
            PromptAnswer afterSuccess("btn_ok");
            QVERIFY(!saveOnFullDisk());
            QVERIFY(afterSuccess.wait());
        }
        QVERIFY(file->save());
        QCOMPARE(saved.size(), 5);
        const QList<bool> enabled{saved.at(0).at(0).toBool(), saved.at(1).at(0).toBool(), saved.at(2).at(0).toBool(),
                                  saved.at(3).at(0).toBool(), saved.at(4).at(0).toBool()};
        QCOMPARE(enabled, (QList<bool>{true, true, false, true, false}));
    }

    // A disk that fills up during a save, a backup rotation or an export
    // costs no file: the old working file, every backup and the old export
    // stay byte for byte.
    void fullDiskCostsNoFile_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("save") << "save";
        QTest::newRow("rotation") << "rotation";
        QTest::newRow("export") << "export";
    }
    void fullDiskCostsNoFile()
    {
        QFETCH(QString, operation);
        ConfigFile *file = ConfigFile::instance();
        SampleModel::buildFullModel();
        const QByteArray large = file->writeBytes();
        const QByteArray working = operation == "rotation" ? large : fileWith("Old");
        const QList<QByteArray> five = numbered("backup ", 5);
        const QString exportPath = ConfigFile::documentsFolder() + "/export.kvlf";
        const QByteArray oldExport = fileWith("Exported before");
        QVERIFY(writeFile(ConfigFile::workingFilePath(), working));
        writeBackups(five);
        QVERIFY(writeFile(exportPath, oldExport));
        SampleModel::buildFullModel();

        QSignalSpy saved(file, &ConfigFile::saved);
        std::optional<PromptAnswer> notice;
        {
            FileSizeLimit full(large.size() / 2);
            QVERIFY(full.isSet());
            if (operation == "save") {
                notice.emplace("btn_ok");
                QVERIFY(!file->save());
                QCOMPARE(saved.size(), 1);
                QCOMPARE(saved.at(0).at(0).toBool(), true);
            } else if (operation == "rotation") {
                startEmpty();
                ProfileReceiver receiver;
                QVERIFY(file->loadSaveFile());
                QCOMPARE(profileNames(), (QStringList{"Work", "Work A", "Work B", "Play"}));
            } else {
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("save file not written - \"File too large\""));
                QVERIFY(!file->saveToFile(exportPath, {1, 1, 1, 1, 0}));
            }
        }
        if (notice)
            QVERIFY(notice->wait());
        QCOMPARE(readFile(ConfigFile::workingFilePath()), working);
        QCOMPARE(backups(6), five + QList<QByteArray>{missing});
        QCOMPARE(readFile(exportPath), oldExport);
        QCOMPARE(leftovers(SettingsFile::folder()), QStringList());
        QCOMPARE(leftovers(ConfigFile::backupsFolder()), QStringList());
        QCOMPARE(leftovers(ConfigFile::documentsFolder()), QStringList());
        QVERIFY(file->save()); // the next save works again
    }

    // A folder without write permission: the same (skipped as root, who may
    // write anyway).
    void readOnlyFoldersCostNoFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        const QByteArray old = fileWith("Old");
        const QList<QByteArray> five = numbered("backup ", 5);
        QVERIFY(writeFile(ConfigFile::workingFilePath(), old));
        writeBackups(five);
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        const auto writable = readOnly | QFileDevice::WriteOwner;
        QFile::setPermissions(SettingsFile::folder(), readOnly);
        QFile::setPermissions(ConfigFile::backupsFolder(), readOnly);
        SampleModel::buildFullModel();
        {
            PromptAnswer answer("btn_ok");
            const bool written = ConfigFile::instance()->save();
            QVERIFY(answer.wait());
            QVERIFY(!written);
        }
        startEmpty();
        ProfileReceiver receiver;
        const bool loaded = ConfigFile::instance()->loadSaveFile(); // old differs from backup 0: a rotation
        QFile::setPermissions(SettingsFile::folder(), writable);
        QFile::setPermissions(ConfigFile::backupsFolder(), writable);
        QVERIFY(loaded);
        QCOMPARE(readFile(ConfigFile::workingFilePath()), old);
        QCOMPARE(backups(6), five + QList<QByteArray>{missing});
        QVERIFY(ConfigFile::instance()->save());
    }

    // A save killed at any moment leaves a working file that loads and holds
    // one of the two models whole: between saves (some milliseconds after
    // the child finished one) or while it writes (some microseconds after it
    // opened its temporary file).
    void killDuringSaveLeavesAWholeFile_data()
    {
        QTest::addColumn<int>("savesBefore");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("whileWriting");
        for (int saves : {0, 1, 2}) {
            for (int ms : {1, 7, 29})
                QTest::addRow("after %d saves, %d ms", saves, ms) << saves << ms << false;
        }
        for (int us : {0, 200, 1000, 3000})
            QTest::addRow("writing, %d us", us) << 1 << us << true;
    }
    void killDuringSaveLeavesAWholeFile()
    {
        QFETCH(int, savesBefore);
        QFETCH(int, delay);
        QFETCH(bool, whileWriting);
        SaveChildModels::build(0);
        const QByteArray first = ConfigFile::instance()->writeBytes();
        SaveChildModels::build(1);
        const QByteArray second = ConfigFile::instance()->writeBytes();
        QVERIFY(writeFile(ConfigFile::workingFilePath(), second));

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(R7_SAVE_CHILD), {QCoreApplication::applicationName()});
        QVERIFY(child.waitForStarted());
        QByteArray output;
        while (output.count('\n') < savesBefore) {
            QVERIFY2(child.waitForReadyRead(20000), "the save child stopped saving");
            output += child.readAllStandardOutput();
        }
        if (whileWriting) {
            QVERIFY2(waitForSaveToStart(child.processId()), "the save child wrote no file");
            const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(delay);
            while (std::chrono::steady_clock::now() < until) {}
        } else {
            QTest::qSleep(delay);
        }
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());

        const QByteArray bytes = readFile(ConfigFile::workingFilePath());
        QVERIFY2(bytes == first || bytes == second, qPrintable(QString("%1 bytes").arg(bytes.size())));
        startEmpty();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadFile(ConfigFile::workingFilePath()));
        // The save killed while writing was the second; the first had written
        // the first model.
        if (whileWriting && bytes != first)
            qInfo() << "the kill came after the save had finished";
    }

    // An export of chosen profiles, the names an import offers of it, and the
    // import of the profiles chosen there.
    void exportAndImportChosenProfiles()
    {
        ConfigFile *file = ConfigFile::instance();
        SampleModel::buildFullModel();
        const QString all = ConfigFile::documentsFolder() + "/all.kvlf";
        const QString chosen = ConfigFile::documentsFolder() + "/chosen.kvlf";
        QVERIFY(file->saveToFile(all));
        QVERIFY(file->saveToFile(chosen, {0, 1, 0, 1, 1})); // Work, Work B, Play without the global profile

        bool hasGlobal = false;
        QCOMPARE(file->profileNamesInFile(all, &hasGlobal),
                 (QStringList{"Global", "  Work", "    Work A", "    Work B", "  Play"}));
        QVERIFY(hasGlobal);
        hasGlobal = false;
        QCOMPARE(file->profileNamesInFile(chosen, &hasGlobal), (QStringList{"  Work", "    Work B", "  Play"}));
        QVERIFY(!hasGlobal);

        // The user picks Work B and Play; the file has no global profile, so
        // a zero flag goes first for its root.
        startEmpty();
        PackageCreator::instance()->addProfile(0, 255, "Mine");
        QVERIFY(file->save());
        ProfileReceiver receiver;
        QVERIFY(file->loadFile(chosen, false, {0, 0, 1, 1}));
        QCOMPARE(receiver.announced, (QStringList{"Work B/Work", "Play/"}));
        QCOMPARE(profileNames(), (QStringList{"Mine", "Work B", "Play"}));
        QVERIFY(PackageCreator::instance()->globalProfile()->inputMaps.isEmpty());
        QCOMPARE(profileNamesInFileOf(file->writeBytes()), (QStringList{"Global", "  Mine", "  Work B", "  Play"}));
    }

    // Files an import cannot use: no names, nothing read, and the copy of a
    // broken working file stays.
    void unusableImportFiles()
    {
        ConfigFile *file = ConfigFile::instance();
        const QString broken = ConfigFile::documentsFolder() + "/broken.kvlf";
        const QByteArray whole = fileWith("Imported");
        QVERIFY(writeFile(broken, whole.left(whole.size() - 10)));
        QVERIFY(writeFile(ConfigFile::invalidCopyPath(), "copy of a broken working file"));
        QVERIFY(writeFile(ConfigFile::workingFilePath(), fileWith("Working")));
        bool hasGlobal = true;
        QCOMPARE(file->profileNamesInFile(broken, &hasGlobal), QStringList());
        QCOMPARE(file->profileNamesInFile(ConfigFile::documentsFolder() + "/none.kvlf", &hasGlobal), QStringList());
        QVERIFY(hasGlobal);

        ProfileReceiver receiver;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ConfigFile: load error"));
        QVERIFY(!file->loadFile(broken));
        QCOMPARE(profileNames(), QStringList());
        QCOMPARE(readFile(ConfigFile::invalidCopyPath()), QByteArray("copy of a broken working file"));
    }

    // Imported profiles first, then the working file's profiles behind them;
    // the previously active profile is named as the initial one in its new
    // place. The read modes are back afterwards.
    void reloadBehindImportedProfiles()
    {
        ConfigFile *file = ConfigFile::instance();
        SampleModel::buildFullModel();
        QVERIFY(file->save());

        startEmpty();
        PackageCreator::instance()->addProfile(0, 255, "Imported");
        ProfileReceiver receiver;
        QVERIFY(file->reloadSaveFileAt(1, 1, 255)); // Play was active
        QCOMPARE(profileNames(), (QStringList{"Imported", "Work", "Work A", "Work B", "Play"}));
        QCOMPARE(receiver.announced, (QStringList{"Work/", "Work A/Work", "Work B/Work", "Play/"}));
        QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{2, 255}}));
        QCOMPARE(PackageCreator::instance()->activeProfile()->name, QString("Play"));
        QVERIFY(PackageCreator::instance()->globalProfile()->inputMaps.isEmpty());
        QCOMPARE(file->insertionCount, 0);
        QCOMPARE(file->overrideIndex, -1);
        QCOMPARE(file->overrideSubIndex, -1);
    }

    // A file that names no default profile (its global group left out)
    // names the global one, whatever the file read before it named.
    void fileWithoutDefaultNamesTheGlobalProfile()
    {
        ConfigFile *file = ConfigFile::instance();
        SampleModel::buildFullModel();
        const QString withoutDefault = ConfigFile::documentsFolder() + "/no default.kvlf";
        QVERIFY(file->saveToFile(withoutDefault, {0, 1, 1, 1, 1}));
        const QString withDefault = ConfigFile::documentsFolder() + "/default.kvlf";
        const ProfileData *play = PackageCreator::instance()->profiles().last();
        const int playIndex = play->index;
        for (ProfileData *profile : PackageCreator::instance()->profiles())
            profile->isDefault = profile == play;
        QVERIFY(file->saveToFile(withDefault));

        startEmpty();
        ProfileReceiver receiver;
        QVERIFY(file->loadFile(withDefault));
        startEmpty();
        QVERIFY(file->loadFile(withoutDefault));
        QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{playIndex, 255}, {255, 255}}));
    }

    // The starter copy's global profile alone: nothing announced, no initial
    // default, the modes back afterwards.
    void starterGlobalProfileOnly()
    {
        ConfigFile *file = ConfigFile::instance();
        SampleModel::buildFullModel();
        QVERIFY(file->saveToFile(ConfigFile::starterCopyPath()));
        startEmpty();
        ProfileReceiver receiver;
        QVERIFY(file->loadStarterFileWithoutDefault());
        QVERIFY(receiver.announced.isEmpty());
        QVERIFY(receiver.initialDefaults.isEmpty());
        QCOMPARE(PackageCreator::instance()->globalProfile()->inputMaps.size(), 3);
        QCOMPARE(profileNames(), QStringList());
        QVERIFY(!file->globalOnly);

        QVERIFY(file->loadStarterFile());
        QCOMPARE(receiver.announced.size(), 4);
    }

private:
    // Makes an entry at path that is not a plain file of its own: a named
    // pipe, a folder, or a link to /dev/zero, to nothing or to the working
    // file.
    static bool makeOddEntry(const QString &kind, const QString &path)
    {
        const QByteArray native = QFile::encodeName(path);
        if (kind == "pipe")
            return ::mkfifo(native.constData(), 0600) == 0;
        if (kind == "folder")
            return QDir().mkpath(path + "/inside");
        const QString target = kind == "zero"       ? QString("/dev/zero")
                               : kind == "dangling" ? path + ".gone"
                                                    : ConfigFile::workingFilePath();
        return QFile::link(target, path);
    }

    // Takes away an entry makeOddEntry() made (and plain files alike).
    static void removeOddEntry(const QString &path)
    {
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            ::unlink(QFile::encodeName(path).constData());
    }

    // A plain file of the store as the name of its last profile (its text
    // when it is no configuration file); "<odd>" for anything else there,
    // "<missing>" for nothing.
    static QString describe(const QString &path)
    {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return "<missing>";
        if (info.isSymLink() || !info.isFile())
            return "<odd>";
        const QByteArray bytes = readFile(path);
        if (!bytes.startsWith("json"))
            return QString::fromUtf8(bytes);
        return ConfigFile::instance()->profileNamesInFile(path, nullptr).value(1).trimmed();
    }

    static bool saveOnFullDisk()
    {
        FileSizeLimit full(1024);
        return ConfigFile::instance()->save();
    }

    // Watches the child's open files until it has one in the working file's
    // folder other than the working file: the temporary file of a save, made
    // when the save starts writing (it may have no name until it is complete).
    static bool waitForSaveToStart(qint64 pid)
    {
        const QString folder = SettingsFile::folder() + "/";
        const QString fds = QString("/proc/%1/fd").arg(pid);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            const QStringList entries = QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &entry : entries) {
                const QString target = QFile::symLinkTarget(fds + "/" + entry);
                if (target.startsWith(folder) && target != ConfigFile::workingFilePath())
                    return true;
            }
        }
        return false;
    }

    static QStringList profileNamesInFileOf(const QByteArray &bytes)
    {
        const QString path = ConfigFile::documentsFolder() + "/names.kvlf";
        writeFile(path, bytes);
        return ConfigFile::instance()->profileNamesInFile(path, nullptr);
    }
};

QTEST_MAIN(TestConfigStore)
#include "tst_configstore.moc"
