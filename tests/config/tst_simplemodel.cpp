#include "ConnectedMouse.h"
#include "MouseFunctions.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "SampleModel.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>
#include <optional>

using Operation = std::function<void(SimpleModel &)>;
Q_DECLARE_METATYPE(Operation)

namespace {

QString pairText(int index, int subIndex)
{
    if (index == 255 && subIndex == 255)
        return QStringLiteral("G");
    if (subIndex == 255)
        return QString::number(index);
    return QStringLiteral("%1.%2").arg(index).arg(subIndex);
}

QString pairText(const ProfileData *profile)
{
    return pairText(profile->index, profile->subIndex);
}

// The profile at a pair ("G", "1", "1.0"); null when there is none.
ProfileData *at(const QString &pair)
{
    for (ProfileData *profile : SimpleModel::instance()->profiles()) {
        if (pairText(profile) == pair)
            return profile;
    }
    return nullptr;
}

QString profilesFolder()
{
    return SettingsFile::folder() + "/Profiles";
}

// The model as "pair:name[flags]" per profile: d default, a active, c
// current; a profile holding mappings of other names lists them in
// parentheses (its own setup mapping carries its own name).
QString state()
{
    PackageCreator *store = PackageCreator::instance();
    QStringList tokens;
    for (const ProfileData *profile : SimpleModel::instance()->profiles()) {
        QString token = pairText(profile) + ":" + profile->name;
        QStringList foreign;
        for (const InputMapPtr &mapping : profile->inputMaps) {
            if (mapping->name != profile->name && !profile->isGlobal())
                foreign << mapping->name;
        }
        if (!foreign.isEmpty())
            token += "(" + foreign.join(",") + ")";
        QString flags;
        if (profile->isDefault)
            flags += "d";
        if (profile == store->activeProfile())
            flags += "a";
        if (profile == store->currentProfile())
            flags += "c";
        if (!flags.isEmpty())
            token += "[" + flags + "]";
        tokens << token;
    }
    return tokens.join(" ");
}

// The targets of the global profile's go-to-profile outputs, in order.
QString jumps()
{
    QStringList targets;
    for (const OutputPtr &output : PackageCreator::instance()->globalProfile()->inputMaps.first()->activationOutputs) {
        const auto *jump = static_cast<const OutputAction_Profile *>(output.get());
        QString target = pairText(jump->profileIndex, jump->subProfileIndex);
        if (target == "G" && jump->profileName != "Global")
            target += "?";
        targets << target;
    }
    return targets.join(" ");
}

QString remembered()
{
    QStringList entries;
    for (const LastSelectedEntry &entry : PackageCreator::instance()->lastSelectedList())
        entries << entry.path + "=" + pairText(entry.profileIndex, entry.value);
    return entries.join(" ");
}

// The user folders as "folder=contents of its profile.kvlf".
QString folders()
{
    QStringList list;
    const QStringList names =
        QDir(profilesFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        QFile file(profilesFolder() + "/" + name + "/profile.kvlf");
        list << name + "=" + (file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
    }
    return list.join(" ");
}

void writeFolder(const QString &folder, const QString &contents)
{
    QDir().mkpath(folder);
    QFile file(folder + "/profile.kvlf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents.toUtf8());
}

// Builds the model of a setup "pair:name ..." with a mapping named after
// each user profile, a user folder for each, a go-to-profile output to each
// in the global profile's mapping, and a remembered choice "app-<name>"
// per profile.
void build(const QString &setup, const QString &defaultPair, const QString &activePair, const QString &currentPair)
{
    PackageCreator *store = PackageCreator::instance();
    ProfileData *global = SampleModel::emptyModel();
    InputMapPtr jumpsMapping = SampleModel::button(0, "jumps");
    global->inputMaps = {jumpsMapping};
    const QStringList tokens = setup.split(' ', Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        const int colon = token.indexOf(':');
        const QStringList pair = token.left(colon).split('.');
        const QString name = token.mid(colon + 1);
        ProfileData *profile = store->addProfile(pair.at(0).toInt(), pair.size() > 1 ? pair.at(1).toInt() : 255, name);
        profile->inputMaps = {SampleModel::button(1, name)};
        writeFolder(Predefined::userProfilePath(name), name);
        auto jump = std::make_shared<OutputAction_Profile>(91);
        jump->profileIndex = profile->index;
        jump->subProfileIndex = profile->subIndex;
        jump->profileName = name;
        jumpsMapping->activationOutputs << jump;
        LastSelectedEntry entry{"app-" + name, profile->index, profile->subIndex};
        store->lastSelected(entry);
    }
    // A go-to-profile output shared by a second mapping still moves once.
    global->inputMaps << jumpsMapping->clone();
    if (ProfileData *profile = at(defaultPair))
        profile->isDefault = true;
    store->setActiveProfile(at(activePair));
    store->setCurrentProfile(at(currentPair));
}

} // namespace

class TestSimpleModel : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init()
    {
        clean.emplace();
        QDir(profilesFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(SettingsFile::folder()));
        QFile keep(SettingsFile::folder() + "/keep.txt");
        QVERIFY(keep.open(QIODevice::WriteOnly));
    }
    void cleanup() { clean.reset(); }

    // Each operation on a setup: the profiles afterwards (pairs, names,
    // flags), where the go-to-profile outputs aim and what is remembered
    // per application (both unchecked when empty), the user folders, and
    // the signals in the order they came.
    void operations_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("flags"); // default, active, current
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("jumpsAfter");
        QTest::addColumn<QString>("rememberedAfter");
        QTest::addColumn<QString>("foldersAfter");
        QTest::addColumn<QString>("signalsAfter");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("strayFolder");
        auto row = [](const char *name, const QString &setup, const QString &flags, const Operation &operation,
                      const QString &after, const QString &jumps, const QString &remembered, const QString &folders,
                      const QString &emitted, const QStringList &warnings = {}, const QString &strayFolder = {}) {
            QTest::newRow(name) << setup << flags << operation << after << jumps << remembered << folders << emitted
                                << warnings << strayFolder;
        };
        auto remove = [](const QString &pair) {
            return Operation([pair](SimpleModel &m) { m.deleteProfile(at(pair)); });
        };
        auto rename = [](const QString &pair, const QString &name) {
            return Operation([pair, name](SimpleModel &m) { m.setProfileName(at(pair), name); });
        };

        row("delete a profile with its sub-profiles", "0:A 1:B 1.0:B0 1.1:B1 2:C", "0 0 0", remove("1"),
            "G:Global 0:A[dac] 1:C", "0 G G G 1", "app-A=0 app-C=1", "A=A C=C", "list");
        row("delete the first of three sub-profiles", "0:A 0.0:A0 0.1:A1 0.2:A2", "0 0 0", remove("0.0"),
            "G:Global 0:A[dac] 0.0:A1 0.1:A2", "0 G 0.0 0.1", "app-A=0 app-A1=0.0 app-A2=0.1", "A=A A1=A1 A2=A2",
            "list");
        row("delete the active default profile", "0:A 1:B", "0 0 0", remove("0"), "G:Global 0:B[dac]", "G 0", "app-B=0",
            "B=B", "default active current list");
        row("delete the only top-level profile, the default", "0:A", "0 G G", remove("0"), "G:Global[dac]", "G", "", "",
            "default list");
        row("delete the active profile while none is default", "0:A 1:B", "- 1 1", remove("1"), "G:Global 0:A[ac]",
            "0 G", "app-A=0", "A=A", "active current list");
        row("delete a profile whose sub-profile is active and default", "0:A 0.0:A0 1:B", "0.0 0.0 0.0", remove("0"),
            "G:Global 0:B[dac]", "G G 0", "app-B=0", "B=B", "default active current list");
        row("delete a profile named ..", "0:.. 1:B", "1 1 1", remove("0"), "G:Global 0:B[dac]", "", "", "B=B", "list");
        row("delete a profile without a name", "0: 1:B", "1 1 1", remove("0"), "G:Global 0:B[dac]", "", "", "B=B",
            "list");
        row("delete one of two profiles of one name", "0:A 1:A", "1 1 1", remove("0"), "G:Global 0:A[dac]", "G 0", "",
            "A=A", "list");
        // A lone surrogate cannot be written in a file name: "?x" and
        // "\ud800x" name one folder on disk, which stays while either has it.
        const QString loneSurrogate = QString(QChar(0xD800)) + "x";
        row("delete one of two profiles whose names share a folder", "0:?x 1:" + loneSurrogate, "1 1 1", remove("0"),
            "G:Global 0:" + loneSurrogate + "[dac]", "G 0", "app-" + loneSurrogate + "=0", "?x=?x", "list");
        row("delete the other of two profiles whose names share a folder", "0:?x 1:" + loneSurrogate, "0 0 0",
            remove("1"), "G:Global 0:?x[dac]", "0 G", "app-?x=0", "?x=?x", "list");
        row("rename one of two profiles whose names share a folder", "0:?x 1:" + loneSurrogate, "0 0 0",
            rename("1", "y"), "G:Global 0:?x[dac] 1:y(" + loneSurrogate + ")", "", "", "?x=?x y=", "name");
        row("rename to a name of the same folder", "0:?x", "0 0 0", rename("0", loneSurrogate),
            "G:Global 0:" + loneSurrogate + "(?x)[dac]", "", "", "?x=?x", "name");
        row("delete everything", "0:A 0.0:A0 1:B", "0 0 1", Operation([](SimpleModel &m) { m.deleteAllProfiles(); }),
            "G:Global[dac]", "G G G", "", "", "active current default list");

        row("duplicate a sub-profile", "0:A 0.0:A0 0.1:A1", "0 0 0",
            Operation([](SimpleModel &m) { QVERIFY(m.addProfile("Copy", at("0.1"))); }),
            "G:Global 0:A[da] 0.0:A0 0.1:A1 0.2:Copy(A1)[c]", "", "", "A=A A0=A0 A1=A1", "list");
        row("add after the last top-level profile", "0:A 0.0:A0 3:B", "0 0 0",
            Operation([](SimpleModel &m) { QVERIFY(m.addProfile("N")); }), "G:Global 0:A[da] 0.0:A0 3:B 4:N[c]", "", "",
            "A=A A0=A0 B=B", "list");
        row("add the first sub-profile", "0:A", "0 0 0",
            Operation([](SimpleModel &m) { QVERIFY(m.addSubProfile("S", at("0"))); }), "G:Global 0:A[da] 0.0:S[c]", "",
            "", "A=A", "list");
        row("no profile index left", "254:Z 254.254:Zs", "254 254 254", Operation([](SimpleModel &m) {
                QVERIFY(!m.addProfile("New"));
                QVERIFY(!m.addProfile("New", at("254.254")));
                QVERIFY(!m.addSubProfile("New", at("254")));
            }),
            "G:Global 254:Z[dac] 254.254:Zs", "254 254.254", "app-Z=254 app-Zs=254.254", "Z=Z Zs=Zs", "",
            {"Model: add - no profile number left for \"New\"", "Model: add - no profile number left for \"New\"",
             "Model: add sub-profile - no profile number left for \"New\""});

        row("rename over a stray folder", "0:Work", "0 0 0", rename("0", "Game"), "G:Global 0:Game(Work)[dac]", "", "",
            "Game=Work", "name", {}, "Game");
        row("rename without a folder", "0:Work", "0 0 0", Operation([](SimpleModel &m) {
                QDir(Predefined::userProfilePath("Work")).removeRecursively();
                m.setProfileName(at("0"), "Play");
            }),
            "G:Global 0:Play(Work)[dac]", "", "", "Play=", "name");
        row("rename to a name with a slash", "0:A", "0 0 0", rename("0", "a/b"), "G:Global 0:a/b(A)[dac]", "", "",
            "a%2Fb=A", "name");
        row("rename to another profile's name", "0:A 1:B", "0 0 0", rename("0", "B"), "G:Global 0:B(A)[dac] 1:B", "",
            "", "A=A B=B", "name");
        row("rename to the same name", "0:A", "0 0 0", rename("0", "A"), "G:Global 0:A[dac]", "", "", "A=A", "");

        row("choose the default, active and current again", "0:A", "0 0 0", Operation([](SimpleModel &m) {
                m.setDefaultProfile(at("0"));
                m.setActiveProfile(at("0"), true);
                m.setCurrentProfile(at("0"));
            }),
            "G:Global 0:A[dac]", "", "", "A=A", "current");
        row("choose another default, active and current", "0:A 1:B", "0 0 0", Operation([](SimpleModel &m) {
                m.setDefaultProfile(at("G"));
                m.setActiveProfile(at("1"), false);
                m.setCurrentProfile(at("1"));
                m.setAutoSwitching(true);
                m.setAutoSwitching(true);
            }),
            "G:Global[d] 0:A 1:B[ac]", "", "", "A=A B=B", "default active current switching");
        row("stray profiles", "0:A", "0 0 0", Operation([](SimpleModel &m) {
                ProfileData stray(1, 255, "Stray");
                m.setActiveProfile(&stray, true);
                m.setCurrentProfile(nullptr);
                m.setDefaultProfile(&stray);
                m.setProfileName(&stray, "X");
                m.deleteProfile(&stray);
                m.deleteProfile(at("G"));
            }),
            "G:Global 0:A[dac]", "0", "app-A=0", "A=A", "",
            {"Model: active - wrong profile", "Model: current - wrong profile", "Model: default - wrong profile",
             "Model: set name - wrong profile", "Model: delete - wrong profile", "Model: delete - wrong profile"});
    }
    void operations()
    {
        QFETCH(QString, setup);
        QFETCH(QString, flags);
        QFETCH(Operation, operation);
        QFETCH(QString, after);
        QFETCH(QString, jumpsAfter);
        QFETCH(QString, rememberedAfter);
        QFETCH(QString, foldersAfter);
        QFETCH(QString, signalsAfter);
        QFETCH(QStringList, warnings);
        QFETCH(QString, strayFolder);

        const QStringList chosen = flags.split(' ');
        build(setup, chosen.at(0), chosen.at(1), chosen.at(2));
        if (!strayFolder.isEmpty())
            writeFolder(profilesFolder() + "/" + strayFolder, "stale");

        SimpleModel model;
        QStringList emitted;
        connect(&model, &SimpleModel::activeProfileChanged, this, [&] { emitted << "active"; });
        connect(&model, &SimpleModel::currentProfileChanged, this, [&] { emitted << "current"; });
        connect(&model, &SimpleModel::defaultProfileChanged, this, [&] { emitted << "default"; });
        connect(&model, &SimpleModel::profilesListChanged, this, [&] { emitted << "list"; });
        connect(&model, &SimpleModel::autoSwitchingChanged, this, [&] { emitted << "switching"; });
        connect(&model, &SimpleModel::profileNameChanged, this, [&](ProfileData *profile) {
            QVERIFY(SimpleModel::instance()->profiles().contains(profile));
            emitted << "name";
        });
        for (const QString &warning : warnings)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        operation(model);

        QCOMPARE(state(), after);
        if (!jumpsAfter.isEmpty()) {
            QCOMPARE(jumps(), jumpsAfter);
            QCOMPARE(remembered(), rememberedAfter);
        }
        QCOMPARE(folders(), foldersAfter);
        QCOMPARE(emitted.join(" "), signalsAfter);
        QVERIFY(QFile::exists(SettingsFile::folder() + "/keep.txt"));
    }

    void defaultProfileWhenNoneIsMarked()
    {
        build("0:A 1:B", "1", "0", "0");
        QCOMPARE(SimpleModel::instance()->defaultProfile(), at("1"));
        at("1")->isDefault = false;
        QTest::ignoreMessage(QtWarningMsg, "Model: no default profile");
        QCOMPARE(SimpleModel::instance()->defaultProfile(), nullptr);
        QCOMPARE(SimpleModel::instance()->userProfiles(), PackageCreator::instance()->profiles());
        QCOMPARE(SimpleModel::instance()->profiles().first(), PackageCreator::instance()->globalProfile());
    }

    // Only a connected mouse is told about a new active profile, and only
    // when asked to.
    void activeProfileReachesOnlyAConnectedMouse()
    {
        ConnectedMouse fixture(20);
        build("0:A 1:B 1.0:B0", "0", "0", "0");
        SimpleModel model;
        model.setActiveProfile(at("1"), true);
        QCOMPARE(fixture.mouse()->countOf(1, 10, 30), 0);

        fixture.connect();
        fixture.mouse()->clearLog();
        model.setActiveProfile(at("1.0"), true);
        QTRY_COMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(fixture.mouse()->profileIndex(), 1);
        QCOMPARE(fixture.mouse()->subProfileIndex(), 0);
        model.setActiveProfile(at("0"), false);
        QTest::qWait(50);
        QCOMPARE(fixture.mouse()->countOf(1, 10, 30), 1);

        fixture.mouse()->unplug();
        QTRY_COMPARE(fixture.device()->waitState(), int(MouseFunctions::WaitDisconnected));
        model.setActiveProfile(at("1"), true);
        QTest::qWait(50);
        QCOMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(PackageCreator::instance()->activeProfile(), at("1"));
    }
};

QTEST_GUILESS_MAIN(TestSimpleModel)
#include "tst_simplemodel.moc"
