// The profile bar's and the predefined manager's rules that need no widget:
// the apply plan, one predefined install, the order of the tiles, the fitted
// width of the row, the tile styles, the profile dialog's name check and
// link owners, replaced links, and the logo files of a profile's folder.
#include "ConfigFile.h"
#include "LinkReplacement.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "PredefinedInstall.h"
#include "PredefinedPlan.h"
#include "ProcessStateGuard.h"
#include "ProfileDialogRules.h"
#include "ProfileFixture.h"
#include "ProfileFolders.h"
#include "ProfileReceiver.h"
#include "ProfileRowFit.h"
#include "ProfileTileOrder.h"
#include "ProfileTileStyle.h"
#include "ProgramFolder.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace ProfileFixture;

namespace {

// "name=1 other=0" as ticks.
QMap<QString, bool> ticksOf(const QString &text)
{
    QMap<QString, bool> ticks;
    for (const QString &token : text.split(' ', Qt::SkipEmptyParts))
        ticks.insert(token.section('=', 0, 0), token.section('=', 1) == "1");
    return ticks;
}

QStringList pairsOf(const QList<ProfileData *> &profiles)
{
    QStringList pairs;
    for (const ProfileData *profile : profiles)
        pairs << pairText(profile);
    return pairs;
}

QList<ProfileData *> profilesAt(const QString &pairs)
{
    QList<ProfileData *> list;
    for (const QString &pair : pairs.split(' ', Qt::SkipEmptyParts))
        list << at(pair);
    return list;
}

} // namespace

class TestProfileRules : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    QTemporaryDir program;
    std::optional<ProfileReceiver> receiver;

private slots:
    void initTestCase()
    {
        QVERIFY(program.isValid());
        ProgramFolder::setPath(program.path());
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }
    void init()
    {
        clean.emplace();
        receiver.emplace();
        QDir(profilesFolder()).removeRecursively();
        QDir(program.path() + "/profiles").removeRecursively();
    }
    void cleanup()
    {
        receiver.reset();
        clean.reset();
    }

    // ---------------------------------------------------------------- apply plan

    void applyPlanGoesByName_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("removals");
        QTest::addColumn<QStringList>("additions");
        QTest::newRow("missing ticked ones, in name order") << ""
                                                            << "Beta=1 Alpha=1 Gamma=0"
                                                            << "" << QStringList{"Alpha", "Beta"};
        QTest::newRow("nothing changed") << "0:Alpha 1:Work"
                                         << "Alpha=1 Beta=0"
                                         << "" << QStringList();
        QTest::newRow("unticked existing ones go") << "0:Beta 1:Alpha"
                                                   << "Beta=0 Alpha=0 Gamma=1"
                                                   << "1 0" << QStringList{"Gamma"};
        QTest::newRow("the last of a shared name") << "0:Alpha 1:Alpha"
                                                   << "Alpha=0"
                                                   << "1" << QStringList();
        QTest::newRow("a sub-profile counts") << "0:Work 0.0:Alpha"
                                              << "Alpha=0"
                                              << "0.0" << QStringList();
        QTest::newRow("letter case counts") << "0:alpha"
                                            << "Alpha=1 alpha=0"
                                            << "0" << QStringList{"Alpha"};
    }
    void applyPlanGoesByName()
    {
        QFETCH(QString, setup);
        QFETCH(QString, ticks);
        QFETCH(QString, removals);
        QFETCH(QStringList, additions);
        build(setup);
        const PredefinedPlan plan = PredefinedPlan::make(ticksOf(ticks), SimpleModel::instance()->userProfiles());
        QCOMPARE(pairsOf(plan.removals).join(' '), removals);
        QCOMPARE(plan.additions, additions);
    }

    // ---------------------------------------------------------------- one install

    // Plain files are copied (no folders, no links) over a fresh folder, and
    // the copy is read as a new profile under the loading flag and without
    // an initial default, both back afterwards; the view's current profile
    // stays current.
    void installCopiesTheFolderAndReadsTheCopy()
    {
        build("0:Work");
        PackageCreator *store = PackageCreator::instance();
        ConfigFile *file = ConfigFile::instance();
        store->setCurrentProfile(at("0"));
        QVERIFY(writePredefined(program.path(), "p-alpha", "Alpha", "AlphaApp", Qt::red));
        const QString source = program.path() + "/profiles/p-alpha/";
        QVERIFY(writeFile(source + "nested/inner.txt", "nested"));
        QVERIFY(QFile::link(source + "info.txt", source + "link.txt"));
        const QString own = Predefined::userProfilePath("Alpha");
        QVERIFY(writeFile(own + "/stale.txt", "left from before"));

        QList<bool> loadingSeen;
        QList<bool> defaultSeen;
        connect(file, &ConfigFile::profileFromFile, this, [&] {
            loadingSeen << store->loading;
            defaultSeen << file->emitInitialDefault;
        });
        QSignalSpy defaults(file, &ConfigFile::setInitialDefault);
        QCOMPARE(PredefinedInstall::install("Alpha"), PredefinedInstall::Added);
        file->disconnect(this);

        QCOMPARE(filesIn(own), (QStringList{"info.txt", "logo.png", "profile.kvlf"}));
        QCOMPARE(readFile(own + "/profile.kvlf"), readFile(source + "profile.kvlf"));
        QCOMPARE(names(), (QStringList{"Work", "Alpha"}));
        QCOMPARE(named("Alpha")->linkedAppPaths, QStringList{"alpha.exe"});
        QCOMPARE(loadingSeen, QList<bool>{true});
        QCOMPARE(defaultSeen, QList<bool>{false});
        QCOMPARE(defaults.count(), 0);
        QCOMPARE(store->loading, false);
        QCOMPARE(file->emitInitialDefault, true);
        QCOMPARE(store->currentProfile(), at("0"));
    }

    void installThatCannotComplete_data()
    {
        QTest::addColumn<QByteArray>("profileFile");
        QTest::addColumn<bool>("nameLater");
        QTest::addColumn<int>("result");
        QTest::newRow("name not on the first line") << profileFile("Alpha") << true << int(PredefinedInstall::NoFolder);
        QTest::newRow("copy does not parse")
            << QByteArray("json,2,4\n{ broken") << false << int(PredefinedInstall::NotLoaded);
    }
    void installThatCannotComplete()
    {
        QFETCH(QByteArray, profileFile);
        QFETCH(bool, nameLater);
        QFETCH(int, result);
        build("");
        QVERIFY(writePredefined(program.path(), "p-alpha", "Alpha", "AlphaApp", QColor(), nameLater));
        QVERIFY(writeFile(program.path() + "/profiles/p-alpha/profile.kvlf", profileFile));
        PackageCreator::instance()->loading = true;
        ConfigFile::instance()->emitInitialDefault = false;
        QCOMPARE(int(PredefinedInstall::install("Alpha")), result);
        QCOMPARE(names(), QStringList());
        QCOMPARE(PackageCreator::instance()->loading, true);
        QCOMPARE(ConfigFile::instance()->emitInitialDefault, false);
        ConfigFile::instance()->emitInitialDefault = true;
        QCOMPARE(QFileInfo::exists(Predefined::userProfilePath("Alpha")), result != PredefinedInstall::NoFolder);
    }

    // ---------------------------------------------------------------- tile order

    void tilesGoInModelOrder_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("placed");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("toggle");
        QTest::newRow("Global first") << "0 1"
                                      << "G" << 0 << "";
        QTest::newRow("top-level last") << "G 0 0.0"
                                        << "1" << 3 << "";
        QTest::newRow("after the last smaller sibling") << "G 0 0.0 1"
                                                        << "0.1" << 3 << "";
        QTest::newRow("first sub-profile after its parent") << "G 0 1"
                                                            << "0.0" << 2 << "0";
        QTest::newRow("no smaller sibling in the row") << "G 0 1"
                                                       << "0.1" << 2 << "0";
        QTest::newRow("before a larger sibling") << "G 0 0.1 1"
                                                 << "0.0" << 2 << "0";
        QTest::newRow("parent without a tile") << "G 0"
                                               << "1.0" << 2 << "";
    }
    void tilesGoInModelOrder()
    {
        QFETCH(QString, row);
        QFETCH(QString, placed);
        QFETCH(int, position);
        QFETCH(QString, toggle);
        build("0:A 0.0:A0 0.1:A1 1:B 1.0:B0");
        const ProfileTileOrder::Place place =
            ProfileTileOrder::place(profilesAt(row), at(placed), *PackageCreator::instance());
        QCOMPARE(place.position, position);
        QCOMPARE(place.parentToShowToggle ? pairText(place.parentToShowToggle) : QString(), toggle);
    }

    // ---------------------------------------------------------------- row fit

    void rowFitsOrScrolls_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QVector<int>>("tiles");
        QTest::addColumn<bool>("arrows");
        QTest::addColumn<int>("width");
        // 930 - 12 - 24 - 2 x 24 - 220 - 60 - 20 - 30 = 516 for the row.
        QTest::newRow("no tiles") << 930 << QVector<int>{} << false << 0;
        QTest::newRow("one tile") << 930 << QVector<int>{100} << false << 100;
        QTest::newRow("gaps between tiles") << 930 << QVector<int>{100, 100, 100, 100} << false << 415;
        QTest::newRow("exactly fits") << 930 << QVector<int>{100, 100, 100, 100, 96} << false << 516;
        QTest::newRow("one more than fits") << 930 << QVector<int>{100, 100, 100, 100, 100} << true << 468;
        QTest::newRow("no room at all") << 400 << QVector<int>{100} << true << 0;
    }
    void rowFitsOrScrolls()
    {
        QFETCH(int, bar);
        QFETCH(QVector<int>, tiles);
        QFETCH(bool, arrows);
        QFETCH(int, width);
        ProfileRowFit::Widths widths;
        widths.bar = bar;
        widths.utilitySpacer = 12;
        widths.arrowSpacer = 24;
        widths.leftArrow = 24;
        widths.rightArrow = 24;
        widths.activeBox = 220;
        widths.createButton = 60;
        widths.leftMargin = 20;
        widths.rightMargin = 30;
        const ProfileRowFit::Fit fit = ProfileRowFit::fit(widths, tiles);
        QCOMPARE(fit.arrows, arrows);
        QCOMPARE(fit.width, width);
    }

    // ---------------------------------------------------------------- tile styles

    void tileButtonStyle_data()
    {
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("image");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<QString>("style");
        QTest::newRow("plain, no picture") << false << false << false << "profile_button_no_image";
        QTest::newRow("plain, no picture, hovered") << false << false << true << "profile_button_no_image";
        QTest::newRow("plain, picture") << false << true << true << "profile_button_image";
        QTest::newRow("default, no picture") << true << false << false << "default_profile_button_normal";
        QTest::newRow("default, no picture, hovered") << true << false << true << "default_profile_button_hover";
        QTest::newRow("default, picture, hovered") << true << true << true << "profile_button_image";
    }
    void tileButtonStyle()
    {
        QFETCH(bool, isDefault);
        QFETCH(bool, image);
        QFETCH(bool, hovered);
        QFETCH(QString, style);
        QCOMPARE(ProfileTileStyle::buttonStyle(isDefault, image, hovered), style);
    }

    void tilePictureSizes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QSize>("icon");
        QTest::addColumn<int>("radius");
        QTest::newRow("top-level at rest") << 1 << false << false << QSize(58, 58) << 4;
        QTest::newRow("top-level hovered") << 1 << true << false << QSize(56, 56) << 0;
        QTest::newRow("Global selected") << 0 << false << true << QSize(56, 56) << 0;
        QTest::newRow("sub-profile at rest") << 2 << false << false << QSize(48, 48) << 4;
        QTest::newRow("sub-profile hovered and selected") << 2 << true << true << QSize(46, 46) << 0;
    }
    void tilePictureSizes()
    {
        QFETCH(int, kind);
        QFETCH(bool, hovered);
        QFETCH(bool, selected);
        QFETCH(QSize, icon);
        QFETCH(int, radius);
        QCOMPARE(ProfileTileStyle::iconSize(kind, hovered, selected), icon);
        QCOMPARE(ProfileTileStyle::cornerRadius(hovered, selected), radius);
        QCOMPARE(ProfileTileStyle::tileSize(kind), kind == 2 ? QSize(100, 80) : QSize(100, 90));
    }

    // ---------------------------------------------------------------- dialog rules

    void nameCheck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("except");
        QTest::addColumn<bool>("taken");
        QTest::newRow("another profile's") << "Work"
                                           << "" << true;
        QTest::newRow("a sub-profile's") << "Level"
                                         << "0" << true;
        QTest::newRow("only the letter case differs") << "work"
                                                      << "" << false;
        QTest::newRow("Global is not compared") << "Global"
                                                << "" << false;
        QTest::newRow("keeping its own name") << "Work"
                                              << "0" << false;
    }
    void nameCheck()
    {
        QFETCH(QString, name);
        QFETCH(QString, except);
        QFETCH(bool, taken);
        build("0:Work 0.0:Level 1:Game");
        QCOMPARE(ProfileDialogRules::nameTaken(name, PackageCreator::instance()->profiles(), at(except)), taken);
    }

    void linkOwners_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("except");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("storedName");
        QTest::newRow("one owner") << "a.exe"
                                   << "" << 1 << "0"
                                   << "Editor";
        QTest::newRow("two owners, the last named") << "b.exe"
                                                    << "" << 2 << "1"
                                                    << "Second B";
        QTest::newRow("the profile itself left out") << "b.exe"
                                                     << "1" << 1 << "0"
                                                     << "Browser";
        QTest::newRow("letter case counts") << "A.exe"
                                            << "" << 0 << ""
                                            << "";
    }
    void linkOwners()
    {
        QFETCH(QString, id);
        QFETCH(QString, except);
        QFETCH(int, count);
        QFETCH(QString, last);
        QFETCH(QString, storedName);
        build("0:Work 1:Game");
        at("0")->linkedAppPaths = QStringList{"a.exe", "b.exe"};
        at("0")->linkedAppNames = QStringList{"Editor", "Browser"};
        // The name kept at the id's first place.
        at("1")->linkedAppPaths = QStringList{"x.exe", "b.exe", "b.exe"};
        at("1")->linkedAppNames = QStringList{"X", "Second B", "Third B"};
        const ProfileDialogRules::LinkOwners owners =
            ProfileDialogRules::linkOwners(id, PackageCreator::instance()->profiles(), at(except));
        QCOMPARE(owners.count, count);
        QCOMPARE(owners.last ? pairText(owners.last) : QString(), last);
        QCOMPARE(owners.storedName, storedName);
    }

    // The first entry of the id goes with the name at its place; a profile
    // with fewer names, or gone, is no trouble.
    void replacedLinksLeaveTheirProfiles()
    {
        build("0:Work 1:Game");
        at("0")->linkedAppPaths = QStringList{"a.exe", "b.exe", "a.exe"};
        at("0")->linkedAppNames = QStringList{"A", "B", "A again"};
        at("1")->linkedAppPaths = QStringList{"x.exe", "a.exe"};
        at("1")->linkedAppNames = QStringList{"X"};
        auto *gone = new ProfileData(5, 255, "Gone");
        QList<LinkReplacement> replacements{{at("0"), "a.exe"}, {at("1"), "a.exe"}, {at("1"), "c.exe"}, {gone, "x"}};
        delete gone;
        removeReplacedLinks(replacements);
        QCOMPARE(at("0")->linkedAppPaths, (QStringList{"b.exe", "a.exe"}));
        QCOMPARE(at("0")->linkedAppNames, (QStringList{"B", "A again"}));
        QCOMPARE(at("1")->linkedAppPaths, QStringList{"x.exe"});
        QCOMPARE(at("1")->linkedAppNames, QStringList{"X"});
    }

    // ---------------------------------------------------------------- logo storage

    // A new profile's folder starts afresh with the picture as its logo,
    // also when the picture lay in that folder.
    void storedLogoStartsTheFolderAfresh()
    {
        build("0:Photo");
        const QString own = Predefined::userProfilePath("Photo");
        QVERIFY(writeFile(own + "/logo.bmp", "old"));
        QVERIFY(writeFile(own + "/profile.kvlf", "old"));
        QVERIFY(writeFile(own + "/picked.jpg", picture(Qt::blue, "JPG")));
        QVERIFY(ProfileFolders::storeLogo("Photo", own + "/picked.jpg", at("0")));
        QCOMPARE(filesIn(own), QStringList{"logo.jpg"});
        QCOMPARE(readFile(own + "/logo.jpg"), picture(Qt::blue, "JPG"));

        QVERIFY(ProfileFolders::storeLogo("Photo", QString(), at("0")));
        QCOMPARE(filesIn(own), QStringList());
        QVERIFY(QFileInfo(own).isDir());
    }

    // A name another profile has (Global's, which the dialog does not
    // compare), or one that differs from it only in what a file name cannot
    // hold (a lone surrogate), shares that profile's folder: it is not
    // removed.
    void storedLogoKeepsASharedFolder_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pair");
        const QString loneSurrogate = QString(QChar(0xD800)) + "x";
        QTest::newRow("the same name") << "0:Global"
                                       << "Global"
                                       << "0";
        QTest::newRow("a name of the same folder") << "0:?x 1:" + loneSurrogate << loneSurrogate << "1";
    }
    void storedLogoKeepsASharedFolder()
    {
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(QString, pair);
        build(setup);
        const QString shared = Predefined::userProfilePath(name);
        QVERIFY(writeFile(shared + "/logo.png", picture(Qt::red)));
        QVERIFY(writeFile(shared + "/profile.kvlf", "the other profile's copy"));
        QVERIFY(writeFile(program.path() + "/new.png", picture(Qt::green)));
        QVERIFY(ProfileFolders::storeLogo(name, program.path() + "/new.png", at(pair)));
        QCOMPARE(filesIn(shared), (QStringList{"logo.png", "profile.kvlf"}));
        QCOMPARE(readFile(shared + "/logo.png"), picture(Qt::green));
        QCOMPARE(readFile(shared + "/profile.kvlf"), QByteArray("the other profile's copy"));
    }

    // A changed picture replaces every logo of the profile's own folder and
    // nothing else; a predefined logo stays where it is.
    void replacedLogoLeavesOneLogo()
    {
        build("0:Alpha");
        QVERIFY(writePredefined(program.path(), "p-alpha", "Alpha", "AlphaApp", Qt::red));
        const QString predefinedLogo = program.path() + "/profiles/p-alpha/logo.png";
        QCOMPARE(Predefined::logoFile("Alpha"), predefinedLogo);
        QVERIFY(writeFile(program.path() + "/new.jpg", picture(Qt::blue, "JPG")));
        QVERIFY(ProfileFolders::replaceLogo("Alpha", program.path() + "/new.jpg"));
        const QString own = Predefined::userProfilePath("Alpha");
        QCOMPARE(filesIn(own), QStringList{"logo.jpg"});

        QVERIFY(writeFile(own + "/profile.kvlf", "copy"));
        QVERIFY(writeFile(own + "/logo.bmp", "second logo"));
        QVERIFY(writeFile(program.path() + "/new.png", picture(Qt::green)));
        QVERIFY(ProfileFolders::replaceLogo("Alpha", program.path() + "/new.png"));
        QCOMPARE(filesIn(own), (QStringList{"logo.png", "profile.kvlf"}));
        QCOMPARE(Predefined::logoFile("Alpha"), own + "/logo.png");

        QVERIFY(ProfileFolders::replaceLogo("Alpha", QString()));
        QCOMPARE(filesIn(own), QStringList{"profile.kvlf"});
        QCOMPARE(Predefined::logoFile("Alpha"), predefinedLogo);
        QVERIFY(QFileInfo::exists(predefinedLogo));
    }

    void logoNameKeepsTheSuffix_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("logo");
        QTest::newRow("png") << "/a/b/picture.png"
                             << "logo.png";
        QTest::newRow("last dot") << "/a/my.photo.JPG"
                                  << "logo.JPG";
        QTest::newRow("dot in a folder only") << "/a.b/picture"
                                              << "logo.";
    }
    void logoNameKeepsTheSuffix()
    {
        QFETCH(QString, image);
        QFETCH(QString, logo);
        QCOMPARE(ProfileFolders::logoFileName(image), logo);
    }
};

QTEST_GUILESS_MAIN(TestProfileRules)
#include "tst_profilerules.moc"
