#include "ConfigFile.h"
#include "FileSizeLimit.h"
#include "ModelSnapshot.h"
#include "ProfileReceiver.h"
#include "SampleModel.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace SampleModel;

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../data/config/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject documentOf(const QByteArray &bytes)
{
    const int start = bytes.indexOf('{');
    return QJsonDocument::fromJson(bytes.mid(start)).object();
}

QJsonArray valuesOf(const QJsonObject &group)
{
    return group.value("ActionMappings").toObject().value("$values").toArray();
}

QStringList groupNames(const QJsonObject &group)
{
    QStringList names;
    for (const QJsonValue &child : group.value("Groups").toArray()) {
        names << child.toObject().value("Name").toString();
        for (const QJsonValue &sub : child.toObject().value("Groups").toArray())
            names << "  " + sub.toObject().value("Name").toString();
    }
    return names;
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ConfigFile *file = ConfigFile::instance();
        file->emitInitialDefault = true;
        file->globalOnly = false;
        file->insertionCount = 0;
        file->overrideIndex = -1;
        file->overrideSubIndex = -1;
    }

    void fullModelSurvivesWriteAndRead()
    {
        buildFullModel();
        const ModelSnapshot written = ModelSnapshot::take();
        const QByteArray bytes = ConfigFile::instance()->writeBytes();
        QVERIFY(bytes.startsWith("json,2,4\n{\n    \"RootProfile\": {\n"));
        QCOMPARE(bytes, fixture("full.kvlf"));

        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(bytes));
        QCOMPARE(receiver.announced, QStringList({"Work/", "Work A/Work", "Work B/Work", "Play/"}));
        QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{0, 255}}));
        QCOMPARE(ConfigFile::instance()->readVersion(), 2);

        const QString difference = written.differenceFrom(ModelSnapshot::take());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(ConfigFile::instance()->writeBytes(), bytes);
    }

    // The global profile with settings of its own and one mapping with one
    // child: configSet, profileChanged, the built-in pointer mapping, the
    // mapping at place 3 and its child naming place 3.
    void globalMappingListFollowsItemOrder()
    {
        ProfileData *global = emptyModel();
        PackageCreator::instance()->setOwnSettings(true, false);
        global->dpiRecord.levelCount = 2;
        global->dpiRecord.dpiValues = {800, 1600};
        InputMapPtr parent = button(0);
        parent->addChild(button(1, "inner"));
        global->inputMaps = {parent};

        const QByteArray bytes = ConfigFile::instance()->writeBytes();
        QCOMPARE(bytes, fixture("global-child.kvlf"));

        const QJsonArray values = valuesOf(documentOf(bytes).value("RootProfile").toObject());
        QCOMPARE(values.size(), 5);
        auto code = [&values](int i) {
            return values.at(i).toObject().value("InputActionType").toObject().value("Code").toString();
        };
        QCOMPARE(code(0), QString("configSet"));
        QCOMPARE(code(1), QString("profileChanged"));
        QCOMPARE(values.at(2).toObject().value("InputActionType").toObject().value("Id").toString(),
                 QString("surfaceCombined"));
        QCOMPARE(values.at(3).toObject().value("PredecessorId").toInt(), 65535);
        QCOMPARE(values.at(4).toObject().value("PredecessorId").toInt(), 3);
        QCOMPARE(values.at(4).toObject().value("Predecessor").toObject(), values.at(3).toObject());
    }

    // Places count what is written: without settings of its own the global
    // profile's list has no profileChanged element, and a profile's
    // grandchildren still find their parents.
    void nestingSurvivesWithoutOwnSettings()
    {
        ProfileData *global = emptyModel();
        global->isDefault = true; // what the receiver makes of a file without a default profile
        InputMapPtr top = button(2, "top");
        top->addChild(button(3, "child"))->addChild(button(4, "grandchild"));
        global->inputMaps = {top};
        ProfileData *profile = PackageCreator::instance()->addProfile(0, 255, "P");
        InputMapPtr other = button(5, "other");
        other->addChild(button(6, "child"))->addChild(button(7, "grandchild"));
        profile->inputMaps = {button(0), other};
        PackageCreator::instance()->setCurrentProfile(global);
        const ModelSnapshot written = ModelSnapshot::take();

        const QByteArray bytes = ConfigFile::instance()->writeBytes();
        const QJsonObject root = documentOf(bytes).value("RootProfile").toObject();
        auto ids = [](const QJsonArray &values) {
            QList<int> list;
            for (const QJsonValue &value : values)
                list << value.toObject().value("PredecessorId").toInt();
            return list;
        };
        QCOMPARE(ids(valuesOf(root)), (QList<int>{65535, 65535, 65535, 2, 3}));
        QCOMPARE(ids(valuesOf(root.value("Groups").toArray().at(0).toObject())),
                 (QList<int>{65535, 65535, 1, 2}));
        // The places are the item indexes the package gives the parents.
        PackageCreator *store = PackageCreator::instance();
        QCOMPARE(store->itemIndex(top.get(), global), 2);
        QCOMPARE(store->itemIndex(top->children.at(0).get(), global), 3);
        QCOMPARE(store->itemIndex(other.get(), profile), 1);

        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(bytes));
        const QString difference = written.differenceFrom(ModelSnapshot::take());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void profileGroupsNestAndSkip()
    {
        buildFullModel();
        ConfigFile *file = ConfigFile::instance();
        // Flags: root, Work, Work A, Work B, Play.
        const QJsonObject placeholderRoot =
            documentOf(file->writeBytes({0, 1, 0, 1, 0})).value("RootProfile").toObject();
        QCOMPARE(placeholderRoot.value("InfoProperties").toString(), QString("none"));
        QVERIFY(placeholderRoot.value("Name").isNull());
        QCOMPARE(placeholderRoot.value("ItemCount").toInt(), 1);
        QVERIFY(valuesOf(placeholderRoot).isEmpty());
        QCOMPARE(groupNames(placeholderRoot), QStringList({"Work", "  Work B"}));

        // Sub-profiles whose parent is not written are not written either, and
        // a profile none of whose sub-profiles is written has no "Groups".
        const QJsonObject root = documentOf(file->writeBytes({1, 0, 1, 1, 1})).value("RootProfile").toObject();
        QCOMPARE(groupNames(root), QStringList({"Play"}));
        QVERIFY(!root.value("Groups").toArray().at(0).toObject().contains("Groups"));
        QVERIFY(documentOf(file->writeBytes()).value("RootProfile").toObject().contains("Groups"));

        // Reading with flags: unchosen groups are neither announced nor read,
        // but their sub-groups are visited with flags of their own.
        const QByteArray all = file->writeBytes();
        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(file->loadBytes(all, true, {1, 0, 0, 1, 1}));
        QCOMPARE(receiver.announced, QStringList({"Work B/Work", "Play/"}));
        QVERIFY(PackageCreator::instance()->globalProfile()->hasOwnSettings());
        QVERIFY(SampleModel::profileNamed("Work B")->hasOwnSettings());
        QCOMPARE(SampleModel::profileNamed("Work B")->dpiRecord.dpiValues, QVector<quint16>({5000}));

        // An export without the global profile, read with the root: the
        // current profile is left without mappings.
        buildFullModel();
        const QByteArray exported = file->writeBytes({0, 1, 1, 1, 1});
        QVERIFY(!PackageCreator::instance()->globalProfile()->inputMaps.isEmpty());
        PackageCreator::instance()->setCurrentProfile(PackageCreator::instance()->globalProfile());
        QVERIFY(file->loadBytes(exported, true, {1, 0, 0, 0, 0}));
        QVERIFY(PackageCreator::instance()->globalProfile()->inputMaps.isEmpty());
    }

    void readFlagsChooseWhatIsAnnounced()
    {
        buildFullModel();
        ConfigFile *file = ConfigFile::instance();
        const QByteArray bytes = file->writeBytes();

        // Only the root's contents, nothing announced, no initial default.
        emptyModel();
        {
            ProfileReceiver receiver;
            file->globalOnly = true;
            QVERIFY(file->loadBytes(bytes));
            file->globalOnly = false;
            QVERIFY(receiver.announced.isEmpty());
            QVERIFY(receiver.initialDefaults.isEmpty());
            QCOMPARE(PackageCreator::instance()->globalProfile()->inputMaps.size(), 3);
            QVERIFY(PackageCreator::instance()->profiles().isEmpty());
        }

        // Read behind imported profiles: sub-profiles go under the last
        // top-level profile, and the override names the initial profile.
        emptyModel();
        {
            ProfileReceiver receiver;
            PackageCreator::instance()->addProfile(0, 255, "Imported");
            file->insertionCount = 1;
            file->overrideIndex = 3;
            file->overrideSubIndex = 255;
            QVERIFY(file->loadBytes(bytes, false));
            QCOMPARE(receiver.announced, QStringList({"Work/", "Work A/Work", "Work B/Work", "Play/"}));
            QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{3, 255}}));
        }

        // Without the emit flag the read ends silently.
        emptyModel();
        {
            ProfileReceiver receiver;
            file->emitInitialDefault = false;
            QVERIFY(file->loadBytes(bytes));
            QVERIFY(receiver.initialDefaults.isEmpty());
        }
    }

    void noDefaultProfileNamesGlobal()
    {
        emptyModel();
        const QByteArray bytes = ConfigFile::instance()->writeBytes();
        const QJsonObject jump = valuesOf(documentOf(bytes).value("RootProfile").toObject())
                                     .at(0)
                                     .toObject()
                                     .value("ActivationOutputActionItems")
                                     .toArray()
                                     .at(0)
                                     .toObject()
                                     .value("ProfileJumpId")
                                     .toObject();
        QCOMPARE(jump.value("ProfileName").toString(), QString("Global"));
        QCOMPARE(jump.value("ProfileIndex").toInt(), 255);
        QCOMPARE(jump.value("SubProfileIndex").toInt(), 255);

        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(bytes));
        QCOMPARE(receiver.initialDefaults, (QList<QPair<int, int>>{{255, 255}}));
    }

    void fileWithoutVersion()
    {
        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(fixture("version1.kvlf")));
        QCOMPARE(ConfigFile::instance()->readVersion(), 1);
        ProfileData *global = PackageCreator::instance()->globalProfile();
        QVERIFY(global->hasOwnSettings());
        QCOMPARE(global->dpiRecord.levelCount, quint8(2));
        QCOMPARE(global->dpiRecord.dpiValues, QVector<quint16>({800, 1600}));
        QCOMPARE(global->liftOffRecord.liftOffLevel, 2);

        QCOMPARE(global->inputMaps.size(), 1);
        const InputMapPtr mapping = global->inputMaps.first();
        QCOMPARE(mapping->activationOutputs.size(), 3);
        const auto *value = dynamic_cast<const OutputAction_Tracking *>(mapping->activationOutputs.at(0).get());
        const auto *index = dynamic_cast<const OutputAction_Tracking *>(mapping->activationOutputs.at(1).get());
        const auto *click = dynamic_cast<const OutputAction_Mouse *>(mapping->activationOutputs.at(2).get());
        QVERIFY(value && index && click);
        QCOMPARE(value->dpiValue, quint16(1600));
        QCOMPARE(index->dpiValue, quint16(2));
        QCOMPARE(click->buttonState, 1);
    }

    // A settings list that is short, holds a do-nothing item or an unknown
    // kind: what can be read is taken, the rest keeps its values, and the
    // DPI record is still valid.
    void shortSettingsListKeepsTheRest()
    {
        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(fixture("short-settings.kvlf")));
        ProfileData *global = PackageCreator::instance()->globalProfile();
        QVERIFY(global->hasOwnSettings());
        QCOMPARE(global->reportIntervalRecord.reportInterval, 4);
        QCOMPARE(global->ledRecord.ledMode, 1);
        QCOMPARE(global->ledRecord.colour1[1], quint8(200));
        QCOMPARE(global->liftOffRecord.liftOffLevel, 3);
        QVERIFY(global->dpiRecord.isValid());
        QVERIFY(global->profileOutputs.isEmpty());

        ProfileData *sub = SampleModel::profileNamed("Empty list");
        QVERIFY(sub && sub->hasOwnSettings() && sub->dpiRecord.isValid());
        QCOMPARE(receiver.announced, QStringList({"Empty list/"}));
    }

    void groupsBelowSubProfilesAreIgnored()
    {
        QByteArray bytes = R"({"Version": 2, "RootProfile": {"Groups": [
            {"Name": "P", "Groups": [{"Name": "S", "Groups": [{"Name": "Too deep"}]}]}]}})";
        emptyModel();
        ProfileReceiver receiver;
        QTest::ignoreMessage(QtWarningMsg, "ConfigFile: groups below a sub-profile ignored - \"S\"");
        QVERIFY(ConfigFile::instance()->loadBytes(bytes));
        QCOMPARE(receiver.announced, QStringList({"P/", "S/P"}));
    }

    void loadFailsWithoutDocument_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("warning");
        const QString nul = "ConfigFile: Null character found at start of file";
        QTest::newRow("empty") << QByteArray() << nul;
        QTest::newRow("no brace") << QByteArray("json,2,4\n[1, 2]") << nul;
        QTest::newRow("NUL before the brace") << QByteArray("json,2,4\n\0{}", 12) << nul;
        QTest::newRow("truncated") << QByteArray("json,2,4\n{\"Version\": 2, \"RootProfile\": {")
                                   << "ConfigFile: load error unterminated object";
        QTest::newRow("trailing garbage")
            << QByteArray("{} x") << "ConfigFile: load error garbage at the end of the document";
    }

    void loadFailsWithoutDocument()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, warning);
        buildFullModel();
        const ModelSnapshot before = ModelSnapshot::take();
        ProfileReceiver receiver;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QVERIFY(!ConfigFile::instance()->loadBytes(data));
        QVERIFY(receiver.announced.isEmpty() && receiver.initialDefaults.isEmpty());
        QVERIFY(before.differenceFrom(ModelSnapshot::take()).isEmpty());
    }

    void bytesBeforeTheDocumentAreIgnored()
    {
        buildFullModel();
        const QByteArray bytes = ConfigFile::instance()->writeBytes();
        const ModelSnapshot written = ModelSnapshot::take();
        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes("\xef\xbb\xbfgarbage " + bytes.mid(bytes.indexOf('{'))));
        QVERIFY(written.differenceFrom(ModelSnapshot::take()).isEmpty());
    }

    void filesAreWrittenWhole()
    {
        QTemporaryDir dir;
        buildFullModel();
        const QString path = dir.filePath("autosave.kvlf");
        QTest::ignoreMessage(QtInfoMsg, "ConfigFile: saved to file");
        QVERIFY(ConfigFile::instance()->saveToFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ConfigFile::instance()->writeBytes());

        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadFile(path));
        QCOMPARE(receiver.announced.size(), 4);
        QVERIFY(!ConfigFile::instance()->loadFile(dir.filePath("missing.kvlf")));

        QTest::ignoreMessage(QtWarningMsg, "ConfigFile: cant open save file!");
        QVERIFY(!ConfigFile::instance()->saveToFile(dir.filePath("no/such/folder/file.kvlf")));
    }

    // The disk fills up during a write: the log says why, and the file that
    // was there stays as it was.
    void aWriteThatRunsOutOfSpaceIsLoggedWithItsReason()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("config.kvlf");
        {
            QFile good(path);
            QVERIFY(good.open(QIODevice::WriteOnly));
            good.write("good file");
        }
        buildFullModel();
        QVERIFY(ConfigFile::instance()->writeBytes().size() > 65536);
        bool saved = true;
        {
            FileSizeLimit full(4096); // a file may grow no further: the system's "File too large"
            QVERIFY(full.isSet());
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("ConfigFile: save file not written - \"" + qt_error_string(EFBIG) + '"'));
            saved = ConfigFile::instance()->saveToFile(path);
        }
        QVERIFY(!saved);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("good file"));
    }

    // The parser keeps the last of two values under one key, also when the
    // first is an array or an object (which the parser of this toolkit
    // version leaks, see lsan.supp).
    void aDuplicateKeyReadsAsItsLastValue()
    {
        buildFullModel();
        const ModelSnapshot written = ModelSnapshot::take();
        QByteArray bytes = ConfigFile::instance()->writeBytes();
        const QByteArray root = "\n    \"RootProfile\": {";
        QVERIFY(bytes.contains(root));
        bytes.replace(root,
                      "\n    \"RootProfile\": [1, {\"Groups\": []}],\n    \"RootProfile\": {\"Name\": \"x\"}," + root);
        emptyModel();
        ProfileReceiver receiver;
        QVERIFY(ConfigFile::instance()->loadBytes(bytes));
        const QString difference = written.differenceFrom(ModelSnapshot::take());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
