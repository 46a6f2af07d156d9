// The installed-program scan over registries built by hand: which entries
// count as programs, how duplicates merge, the installer's product keys, the
// sort, and what the scanner makes of the list with the predefined profiles.
#include "InstallScanner.h"
#include "InstalledPrograms.h"
#include "Predefined.h"
#include "ProgramFolder.h"
#include "RegistryKey.h"
#include "ScanFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using ScanFixture::described;
using ScanFixture::writeFile;

namespace {

const QString uninstall = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
const QString classesProducts = QStringLiteral("Software\\Classes\\Installer\\Products\\");
const QString userDataPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\");

// One key with its values: texts, and numbers given as int.
struct Entry
{
    Registry::Hive hive;
    int view;
    QString path;
    QVariantMap values;
};
using Entries = QVector<Entry>;

Entry machine(int view, const QString &name, const QVariantMap &values)
{
    return {Registry::LocalMachine, view, uninstall + name, values};
}

Entry user(const QString &sid, const QString &name, const QVariantMap &values)
{
    return {Registry::Users, 0, sid + '\\' + uninstall + name, values};
}

// An ordinary entry that counts as a program.
QVariantMap program(const QString &name, const QVariantMap &more = {})
{
    QVariantMap values = more;
    values.insert("DisplayName", name);
    values.insert("UninstallString", "uninstall.exe");
    return values;
}

Registry build(const Entries &entries)
{
    Registry registry;
    for (const Entry &entry : entries) {
        registry.addKey(entry.hive, entry.view, entry.path);
        for (auto value = entry.values.begin(); value != entry.values.end(); ++value) {
            const Registry::Value stored = value->type() == QVariant::Int ? Registry::Value::number(value->toUInt())
                                                                          : Registry::Value::text(value->toString());
            registry.setValue(entry.hive, entry.view, entry.path, value.key(), stored);
        }
    }
    return registry;
}

QStringList logged;
void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logged.append(message);
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestInstallScanner : public QObject
{
    Q_OBJECT

    QTemporaryDir programFolder;

private slots:
    void initTestCase()
    {
        // Two predefined profiles: one whose bundle id is a whole program
        // name, one whose bundle id is part of one.
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        QVERIFY(writeFile(programFolder.filePath("profiles/a-game/info.txt"), "Name=Game One\nBundleID=GameOne\n"));
        QVERIFY(writeFile(programFolder.filePath("profiles/b-editor/info.txt"), "Name=Editor Pro\nBundleID=Editor\n"));
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void programsFromTheLists_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<bool>("includeUpdates");
        QTest::addColumn<QStringList>("expected");

        const Entries updates{
            machine(2, "KB123456", {{"DisplayName", "Security fix"}, {"UninstallString", "x"}}),
            machine(2, "Foo_KB123456", program("Foo tool")),
            machine(2, "KB1234567", program("Seven digits")),
            machine(2, "child", program("Child", {{"ParentKeyName", "Office"}})),
            machine(2, "security", program("Security", {{"ReleaseType", "Security Update"}})),
            machine(2, "rollup", program("Rollup", {{"ReleaseType", "Update Rollup"}})),
            // An update needs no uninstall command to be kept.
            machine(2, "hotfix", {{"DisplayName", "Hotfix"}, {"ReleaseType", "Hotfix"}}),
            machine(2, "feature", program("Feature pack", {{"ReleaseType", "Feature Pack"}})),
        };
        QTest::newRow("updates left out")
            << updates << false << QStringList{"Feature pack|||2|", "Foo tool|||2|", "Seven digits|||2|"};
        QTest::newRow("updates kept when asked for")
            << updates << true
            << QStringList{"Child|||2|",  "Feature pack|||2|", "Foo tool|||2|",     "Hotfix|||2|",
                           "Rollup|||2|", "Security|||2|",     "Security fix|||2|", "Seven digits|||2|"};

        QTest::newRow("uninstall command, name and system components")
            << Entries{machine(1, "noUninstall", {{"DisplayName", "No uninstall"}}),
                       machine(1, "noName", {{"UninstallString", "x"}}),
                       machine(1, "system", program("System", {{"SystemComponent", 1}})),
                       machine(1, "systemText", program("System text", {{"SystemComponent", "1"}})),
                       machine(1, "systemUpdate",
                               {{"DisplayName", "System update"}, {"ReleaseType", "Hotfix"}, {"SystemComponent", 1}}),
                       machine(1, "notSystem", program("Not system", {{"SystemComponent", 0}}))}
            << true << QStringList{"Not system|||1|"};

        QTest::newRow("both views give two records")
            << Entries{machine(1, "tool", program("Tool", {{"InstallLocation", "C:\\Tool"}})),
                       machine(2, "tool", program("Tool", {{"InstallLocation", "C:\\Tool"}}))}
            << false << QStringList{"Tool|C:\\Tool||1|", "Tool|C:\\Tool||2|"};

        QTest::newRow("one view merges agreeing and missing values")
            << Entries{machine(2, "a", program("Tool", {{"DisplayIcon", "tool.ico"}, {"DisplayVersion", "1.0"}})),
                       machine(2, "b", program("Tool", {{"InstallLocation", "C:\\Tool"}, {"DisplayVersion", "1.0"}})),
                       machine(2, "c", program("Other"))}
            << false << QStringList{"Other|||2|", "Tool|C:\\Tool|1.0|2|tool.ico"};

        QTest::newRow("a user's entry takes the machine-wide view")
            << Entries{machine(2, "tool", program("Tool", {{"DisplayIcon", "tool.ico"}})),
                       user("S-1-5-21-1", "tool", program("Tool", {{"InstallLocation", "C:\\Users\\me\\Tool"}}))}
            << false << QStringList{"Tool|C:\\Users\\me\\Tool||2|tool.ico"};

        const auto conflict = [](const char *field) {
            return Entries{machine(2, "a", program("Tool", {{"DisplayIcon", "tool.ico"}, {field, "one"}})),
                           machine(2, "b", program("Tool", {{field, "two"}}))};
        };
        QTest::newRow("a conflict of icons gives two records")
            << conflict("DisplayIcon") << false << QStringList{"Tool|||2|one", "Tool|||2|two"};
        // The icon missing in the second is taken before the location differs.
        QTest::newRow("a conflict of locations gives two records")
            << conflict("InstallLocation") << false << QStringList{"Tool|one||2|tool.ico", "Tool|two||2|tool.ico"};
        QTest::newRow("a conflict of versions gives two records")
            << conflict("DisplayVersion") << false << QStringList{"Tool||one|2|tool.ico", "Tool||two|2|tool.ico"};

        const QString packed = "87654321BA09FEDC2143658709BADCFE";
        const QVariantMap installer{{"WindowsInstaller", 1},
                                    {"DisplayName", "Setup name"},
                                    {"DisplayIcon", "setup.ico"},
                                    {"DisplayVersion", "2.1"},
                                    {"InstallLocation", "C:\\Suite"}};
        QTest::newRow("an installer entry takes the product's name and icon")
            << Entries{machine(2, "{12345678-90AB-CDEF-1234-567890ABCDEF}", installer),
                       {Registry::LocalMachine,
                        0,
                        classesProducts + packed,
                        {{"ProductName", "Suite"}, {"ProductIcon", "suite.ico"}}}}
            << false << QStringList{"Suite|C:\\Suite|2.1|2|suite.ico"};
        QTest::newRow("an installer entry without its product keeps its own")
            << Entries{machine(2, "{12345678-90AB-CDEF-1234-567890ABCDEF}", installer),
                       machine(1, "{1234-5678}", installer),
                       {Registry::LocalMachine, 0, classesProducts + "OTHER", {{"ProductName", "Other"}}}}
            << false << QStringList{"Setup name|C:\\Suite|2.1|1|setup.ico", "Setup name|C:\\Suite|2.1|2|setup.ico"};
        QTest::newRow("a product with an empty name keeps the entry's")
            << Entries{machine(2, "{12345678-90AB-CDEF-1234-567890ABCDEF}", installer),
                       {Registry::LocalMachine, 0, classesProducts + packed, {{"ProductIcon", "suite.ico"}}}}
            << false << QStringList{"Setup name|C:\\Suite|2.1|2|suite.ico"};

        // The installer's data is one key seen from both views: each pass finds it.
        const QVariantMap properties{{"DisplayName", "Viewer setup"},
                                     {"DisplayVersion", "3"},
                                     {"InstallLocation", "C:\\Viewer"},
                                     {"DisplayIcon", "setup.ico"}};
        const Entries userProducts{
            {Registry::Users,
             0,
             "S-1-5-21-7\\Software\\Microsoft\\Installer\\Products\\VIEWER",
             {{"ProductName", "Viewer"}}},
            {Registry::Users, 0, "S-1-5-21-7\\Software\\Microsoft\\Installer\\Products\\SYSTEMONLY", {}},
            {Registry::Users, 0, "S-1-5-21-7\\Software\\Microsoft\\Installer\\Products\\HIDDEN", {}},
            {Registry::LocalMachine, 0, userDataPath + "S-1-5-21-7\\Products\\VIEWER\\InstallProperties", properties},
            {Registry::LocalMachine,
             0,
             userDataPath + "S-1-5-18\\Products\\SYSTEMONLY\\InstallProperties",
             {{"DisplayName", "System only"}}},
            {Registry::LocalMachine,
             0,
             userDataPath + "S-1-5-21-7\\Products\\HIDDEN\\InstallProperties",
             {{"DisplayName", "Hidden"}, {"SystemComponent", 1}}},
        };
        QTest::newRow("a user's products in both passes, not the local system's")
            << userProducts << false
            << QStringList{"Viewer|C:\\Viewer|3|1|setup.ico", "Viewer|C:\\Viewer|3|2|setup.ico"};

        QTest::newRow("sorted with ASCII letters alike in case")
            << Entries{machine(2, "1", program("Banana")),   machine(2, "2", program("apple")),
                       machine(2, "3", program("_tool")),    machine(2, "4", program("\u00c9mile")),
                       machine(2, "5", program("Zeta")),     machine(2, "6", program("\u00e9clair")),
                       machine(2, "7", program("apple pie"))}
            << false << QStringList{"_tool|||2|", "apple|||2|",      "apple pie|||2|",  "Banana|||2|",
                                    "Zeta|||2|",  "\u00c9mile|||2|", "\u00e9clair|||2|"};
    }
    void programsFromTheLists()
    {
        QFETCH(Entries, entries);
        QFETCH(bool, includeUpdates);
        QFETCH(QStringList, expected);
        const QVector<InstalledProgram> programs =
            InstalledPrograms::getInstalledPrograms(build(entries), includeUpdates);
        QCOMPARE(described(programs), expected);
    }

    void packedGuidKey_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("key");
        QTest::newRow("product code") << "{12345678-90AB-CDEF-1234-567890ABCDEF}"
                                      << "87654321BA09FEDC2143658709BADCFE";
        QTest::newRow("without braces") << "12345678-90AB-CDEF-1234-567890ABCDEF"
                                        << "87654321BA09FEDC2143658709BADCFE";
        QTest::newRow("odd group keeps its last character") << "ab-cd-ef-123-45678"
                                                            << "badcfe21354768";
        QTest::newRow("four groups") << "{1234-5678-9ABC-DEF0}"
                                     << "";
        QTest::newRow("six groups") << "1-2-3-4-5-6"
                                    << "";
        QTest::newRow("no groups") << "Tool"
                                   << "";
    }
    void packedGuidKey()
    {
        QFETCH(QString, code);
        QFETCH(QString, key);
        QCOMPARE(InstalledPrograms::packedGuidKey(code), key);
    }

    // Values are read into room for 260 characters, the null included.
    void queryText_data()
    {
        qputenv("R7_SCAN_FOLDER", "C:\\Games");
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("data");
        QTest::addColumn<QString>("text");
        const int text = Registry::Value::Text;
        const int expand = Registry::Value::ExpandText;
        QTest::newRow("text") << text << QVariant("Editor") << "Editor";
        QTest::newRow("longest text") << text << QVariant(QString(259, 'x')) << QString(259, 'x');
        QTest::newRow("text too long") << text << QVariant(QString(260, 'x')) << "";
        QTest::newRow("expanded") << expand << QVariant("%R7_SCAN_FOLDER%\\Game") << "C:\\Games\\Game";
        QTest::newRow("unknown name kept") << expand << QVariant("%R7_UNSET%%R7_SCAN_FOLDER%") << "%R7_UNSET%C:\\Games";
        QTest::newRow("expanded too long") << expand << QVariant("%R7_SCAN_FOLDER%" + QString(250, 'x')) << "";
        QTest::newRow("number") << int(Registry::Value::Number) << QVariant(quint32(1)) << "1";
        QTest::newRow("negative number") << int(Registry::Value::Number) << QVariant(quint32(0xFFFFFFFE)) << "-2";
        QTest::newRow("binary") << int(Registry::Value::Binary) << QVariant(QByteArray("1")) << "";
        QTest::newRow("text list") << int(Registry::Value::TextList) << QVariant(QStringList{"a"}) << "";
    }
    void queryText()
    {
        QFETCH(int, type);
        QFETCH(QVariant, data);
        QFETCH(QString, text);
        Registry registry;
        QVERIFY(registry.setValue(Registry::LocalMachine, 2, "Software\\Key", "Value",
                                  {Registry::Value::Type(type), data}));
        const std::optional<RegistryKey> key = RegistryKey::localMachine(registry).open("Software\\Key", 2);
        QVERIFY(key);
        QCOMPARE(key->queryText("Value"), text);
        QCOMPARE(key->queryText("Missing"), QString());
    }

    // A key stored for one view is seen only from it; a shared one from both.
    // Names longer than the room for them are not listed.
    void keysByView()
    {
        Registry registry;
        registry.addKey(Registry::LocalMachine, 0, "Software\\Shared");
        registry.addKey(Registry::LocalMachine, 1, "Software\\Only32\\" + QString(259, 'n'));
        registry.addKey(Registry::LocalMachine, 1, "Software\\Only32\\" + QString(260, 'n'));
        const RegistryKey machine = RegistryKey::localMachine(registry);
        QVERIFY(machine.open("Software\\Shared", 1) && machine.open("Software\\Shared", 2));
        QVERIFY(machine.open("Software\\Only32", 1));
        QVERIFY(!machine.open("Software\\Only32", 2));
        QVERIFY(!machine.open("Software\\Only32", 0));
        QCOMPARE(machine.open("Software\\Only32", 1)->enumerateSubkeys(), QStringList{QString(259, 'n')});
        QVERIFY(!machine.open("Software\\\\Shared", 0));
        QVERIFY(!registry.addKey(Registry::LocalMachine, 3, "Software\\Other"));
    }

    void installedAppNamesGivesOneEntryPerProgram()
    {
        const Predefined catalogue;
        const auto programs = [] {
            return build({machine(2, "1", program("GameOne")), machine(2, "2", program("Other")),
                          machine(2, "3", program("Text Editor 2")), machine(1, "4", program("GameOne Deluxe"))});
        };
        QCOMPARE(InstallScanner(programs, catalogue).installedAppNames(),
                 (QStringList{"Game One", "Game One", "", "Editor Pro"}));
        QCOMPARE(InstallScanner([] { return Registry(); }, catalogue).installedAppNames(), QStringList());
    }

    // Only exact names are reported, each bundle id once: not again for a
    // second record of the name, nor in a later scan. The lists are read
    // again at every call.
    void scanReportsEachBundleIdOnce()
    {
        const Predefined catalogue;
        Entries entries{machine(1, "game", program("GameOne", {{"InstallLocation", "C:\\Games\\One"}})),
                        machine(2, "game", program("GameOne", {{"InstallLocation", "D:\\One"}})),
                        machine(2, "deluxe", program("GameOne Deluxe"))};
        int reads = 0;
        InstallScanner scanner(
            [&] {
                ++reads;
                return build(entries);
            },
            catalogue);
        QSignalSpy detected(&scanner, qOverload<const QString &, const QString &>(&InstallScanner::gameDetected));
        logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
        scanner.scan();
        entries.append(machine(2, "editor", program("Editor", {{"InstallLocation", "C:\\Editor"}})));
        scanner.scan();
        scanner.scan();
        qInstallMessageHandler(previous);

        QCOMPARE(reads, 3);
        QCOMPARE(detected.size(), 2);
        QCOMPARE(detected.at(0), (QVariantList{"Game One", "C:\\Games\\One"}));
        QCOMPARE(detected.at(1), (QVariantList{"Editor Pro", "C:\\Editor"}));
        QCOMPARE(logged, (QStringList{"InstallScanner: \"Game One\"  found", "InstallScanner: \"Editor Pro\"  found"}));
    }
};

QTEST_GUILESS_MAIN(TestInstallScanner)
#include "tst_installscanner.moc"
