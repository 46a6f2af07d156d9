#include "ConfigFile.h"
#include "ModelSnapshot.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProfileReceiver.h"
#include "ProgramFolder.h"
#include "ShippedModels.h"
#include "StoreFixture.h"

#include <QDir>
#include <QtTest>

#include <optional>

namespace {

const QString shipped = QStringLiteral(R7_SHIPPED_DIR);
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
};

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
