#include "ActionLibrary.h"
#include "ConfigFile.h"
#include "ModelSnapshot.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProfileReceiver.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "ShippedModels.h"
#include "StoreFixture.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

#include <optional>

namespace {

const QString shipped = QStringLiteral(R7_SHIPPED_DIR);
const QString programFolder = QStringLiteral(R7_PROGRAM_FOLDER);
using StoreFixture::readFile;

// Collects the warnings logged while it lives, passing every message on.
class WarningCatcher
{
public:
    WarningCatcher() { m_previous = qInstallMessageHandler(&WarningCatcher::handle); }
    ~WarningCatcher() { qInstallMessageHandler(m_previous); }
    static QStringList warnings;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings.append(message);
        if (m_previous)
            m_previous(type, context, message);
    }
    static QtMessageHandler m_previous;
};
QStringList WarningCatcher::warnings;
QtMessageHandler WarningCatcher::m_previous = nullptr;

// Adds up the entries, nested ones included, and the outputs they carry.
void countEntries(const LibraryEntryList &entries, int *count, int *outputs)
{
    for (const LibraryEntryPtr &entry : entries) {
        const InputMapActionConfig *mapping = entry->inputMapping.get();
        *count += 1;
        *outputs += mapping ? mapping->activationOutputs.size() + mapping->deactivationOutputs.size()
                            : entry->activationOutputs.size() + entry->deactivationOutputs.size();
        countEntries(entry->children, count, outputs);
    }
}

} // namespace

class TestShippedFiles : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init()
    {
        clean.emplace();
        WarningCatcher::warnings.clear();
    }
    void cleanup()
    {
        ProgramFolder::setPath(QString());
        clean.reset();
    }

    // Each shipped configuration file is what the program's writer makes of
    // its model, and reads back into that model without a warning.
    void filesAreTheWritersOutput_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("starter");
        QTest::addColumn<QStringList>("announced");
        QTest::newRow("starter") << "Starter Mappings.kvlf" << true << QStringList{"Desktop/", "Games/"};
        QTest::newRow("desktop") << "profiles/Desktop/profile.kvlf" << false << QStringList{"Desktop/"};
    }
    void filesAreTheWritersOutput()
    {
        QFETCH(QString, file);
        QFETCH(bool, starter);
        QFETCH(QStringList, announced);
        starter ? ShippedModels::buildStarterModel() : ShippedModels::buildDesktopModel();
        const ModelSnapshot built = ModelSnapshot::take();
        const QByteArray written =
            ConfigFile::instance()->writeBytes(starter ? ConfigFile::Selection() : ShippedModels::desktopFlags);
        const QByteArray bytes = readFile(shipped + "/" + file);
        if (bytes != written) {
            const QString fresh = QCoreApplication::applicationDirPath() + "/shipped-fresh/" + file;
            QVERIFY(StoreFixture::writeFile(fresh, written));
            QFAIL(qPrintable("The shipped file differs from the writer's output; the fresh one is " + fresh));
        }

        PackageCreator *model = PackageCreator::instance();
        model->reset();
        model->addProfile(255, 255, globalProfileName);
        ProfileReceiver receiver;
        WarningCatcher catcher;
        QVERIFY(ConfigFile::instance()->loadFile(shipped + "/" + file));
        QCOMPARE(WarningCatcher::warnings, QStringList());
        QCOMPARE(receiver.announced, announced);
        if (starter) {
            const QString difference = built.differenceFrom(ModelSnapshot::take());
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }
    }

    // Every predefined profile is found by its name, suits every model, and
    // adds exactly its one profile the way a chosen predefined profile is
    // read.
    void predefinedProfilesLoad()
    {
        ProgramFolder::setPath(shipped);
        Predefined catalogue;
        const QList<PredefinedProfileInfo> infos = catalogue.profileInfos();
        QVERIFY(!infos.isEmpty());
        QCOMPARE(infos.first().name, QString("Desktop"));
        for (const PredefinedProfileInfo &info : infos) {
            const QString folder = Predefined::predefinedFolder(info.name);
            QVERIFY2(!folder.isEmpty(), qPrintable(info.name));
            QCOMPARE(info.mouseSupport, (QList<int>{5, 10, 15, 20, 25, 30}));

            PackageCreator *model = PackageCreator::instance();
            model->reset();
            model->addProfile(255, 255, globalProfileName);
            ProfileReceiver receiver;
            WarningCatcher catcher;
            ConfigFile::instance()->emitInitialDefault = false;
            const bool loaded =
                ConfigFile::instance()->loadFile(folder + "/" + Predefined::profileFileName(), false, {1});
            ConfigFile::instance()->emitInitialDefault = true;
            QVERIFY(loaded);
            QCOMPARE(WarningCatcher::warnings, QStringList());
            QCOMPARE(receiver.announced, QStringList{info.name + "/"});
            QCOMPARE(model->profiles().size(), 1);
            QVERIFY(!model->profiles().first()->inputMaps.isEmpty());
        }
    }

    // Every line of the shipped action library files makes an entry with all
    // of its outputs, in either set of columns; the build put the files
    // beside the program.
    void libraryFilesReadWhole_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("language");
        for (const QString file : {"profiles/basic.csv", "profiles/Desktop/actions.csv"}) {
            QTest::addRow("%s", qPrintable(file)) << file << "en";
            QTest::addRow("%s zh_TW", qPrintable(file)) << file << "zh_TW";
        }
    }
    void libraryFilesReadWhole()
    {
        QFETCH(QString, file);
        QFETCH(QString, language);
        const QByteArray bytes = readFile(shipped + "/" + file);
        QCOMPARE(readFile(programFolder + "/" + file), bytes);
        const QStringList lines = QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts).mid(1);
        QVERIFY(!lines.isEmpty());
        int written = 0;
        for (const QString &line : lines) {
            const QStringList fields = ActionLibrary::splitCsvLine(line);
            QVERIFY2(fields.size() == 9, qPrintable(line));
            for (int column : {4, 5}) {
                if (fields.at(column) != "None")
                    written += fields.at(column).split(" + ").size();
            }
        }

        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("Language", language);
        ActionLibrary library;
        WarningCatcher catcher;
        const LibraryEntryList entries = library.readCsvFile(shipped + "/" + file);
        QCOMPARE(WarningCatcher::warnings, QStringList());
        int count = 0;
        int outputs = 0;
        countEntries(entries, &count, &outputs);
        QCOMPARE(count, lines.size());
        QCOMPARE(outputs, written);
    }
};

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
