// The simple view's profile bar with real profile folders in the test's own
// home: creating, modifying, duplicating and deleting profiles through its
// dialogs, the sub-profile tiles, the menus, the Global tile, the tiles'
// and the active profile box's states, and a delete and a tile click
// reaching the mouse.
#include "ActiveProfileBox.h"
#include "AppStyleSheet.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "DialogFixture.h"
#include "DlgProfile.h"
#include "HintsArea.h"
#include "MouseFunctions.h"
#include "ProcessStateGuard.h"
#include "ProfileArea.h"
#include "ProfileButton.h"
#include "ProfileFixture.h"
#include "SampleModel.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>

using namespace DialogFixture;
using namespace ProfileFixture;

namespace {

// Fills the profile dialog: the name, a picture (when given) through its
// file chooser, then Save.
DialogAnswerer::Answer fillProfile(const QString &name, const QString &image = QString(),
                                   std::function<void(DlgProfile *)> more = {})
{
    return [name, image, more](QWidget *shown) {
        auto *dialog = qobject_cast<DlgProfile *>(shown);
        QVERIFY(dialog);
        // A failed step must not leave the dialog waiting.
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
        QVERIFY(WidgetDriver::typeInto(dialog, "edit_name", name));
        if (!image.isEmpty()) {
            dialog->setImageChooser([image](QWidget *) { return image; });
            if (!WidgetDriver::click(dialog, "btn_select_img")) {
                // A picture is there: its overlay offers the change on hover.
                QEvent enter(QEvent::Enter);
                QApplication::sendEvent(WidgetDriver::child(dialog, "frame_overlay"), &enter);
                QVERIFY(WidgetDriver::click(dialog, "btn_edit_img"));
            }
        }
        if (more)
            more(dialog);
        QVERIFY(WidgetDriver::click(dialog, "btn_save"));
    };
}

// The texts of the next popup menu to open; it is closed unchosen.
class MenuReader : public QObject
{
public:
    MenuReader()
    {
        connect(&poll, &QTimer::timeout, this, [this] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (const QAction *action : menu->actions())
                texts << action->text() + (action->isChecked() ? "*" : "");
            menu->close();
            poll.stop();
        });
        poll.start(20);
    }
    QStringList texts;

private:
    QTimer poll;
};

QStringList rowNames(ProfileArea &bar, bool visibleOnly)
{
    QStringList names;
    for (const ProfileButton *tile : bar.rowTiles()) {
        if (!visibleOnly || tile->isVisibleTo(&bar))
            names << tile->name();
    }
    return names;
}

QString hint()
{
    return HintsArea::instance()->findChild<QLabel *>()->text();
}

} // namespace

class TestProfileBar : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    QTemporaryDir pictures;
    QString png;
    QString jpg;

    void setting(const char *key, bool value)
    {
        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue(key, value);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(pictures.isValid());
        png = pictures.filePath("photo.png");
        jpg = pictures.filePath("photo.jpg");
        QVERIFY(writeFile(png, picture(Qt::red)));
        QVERIFY(writeFile(jpg, picture(Qt::blue, "JPG")));
    }
    void init()
    {
        clean.emplace();
        QDir(profilesFolder()).removeRecursively();
    }
    void cleanup()
    {
        qApp->setStyleSheet(QString());
        clean.reset();
    }

    // A new profile with a picture and an application Work links: "Yes,
    // replace the link" moves the link, the switching question follows, and
    // the tile and the folder have the picture. A new picture of another
    // kind leaves one logo.
    void createAndModifyWithPictureAndLink()
    {
        build("0:Work 1:Game");
        at("0")->linkedAppPaths = QStringList{"a.exe"};
        at("0")->linkedAppNames = QStringList{"Alpha"};
        SimpleModel::instance()->setAutoSwitching(false);
        ProfileArea bar;
        bar.show();
        QStringList questions;
        std::unique_ptr<DialogAnswerer> conflict;
        std::unique_ptr<DialogAnswerer> switching;
        DialogAnswerer create(fillProfile("Photo", png, [&](DlgProfile *dialog) {
            conflict = std::make_unique<DialogAnswerer>([&](QWidget *question) {
                questions << labelTexts(question);
                // The next question comes once this one closed.
                switching = std::make_unique<DialogAnswerer>([&](QWidget *next) {
                    questions << labelTexts(next);
                    QVERIFY(WidgetDriver::click(next, "btn_no"));
                });
                QVERIFY(clickText(question, "Yes, replace the link"));
            });
            dialog->onAppAdd("a.exe", "Alpha");
        }));
        QVERIFY(WidgetDriver::click(&bar, "pushButton_create"));
        QVERIFY(create.answered());
        QCOMPARE(questions.size(), 2);
        QVERIFY(questions.at(0).contains("already linked to Profile Work"));
        QVERIFY(questions.at(1).contains("automatic profile\nswitching must be enabled"));

        ProfileData *photo = named("Photo");
        QVERIFY(photo);
        QCOMPARE(names(), (QStringList{"Work", "Game", "Photo"}));
        QCOMPARE(photo->linkedAppPaths, QStringList{"a.exe"});
        QCOMPARE(photo->linkedAppNames, QStringList{"Alpha"});
        QCOMPARE(at("0")->linkedAppPaths, QStringList());
        QCOMPARE(at("0")->linkedAppNames, QStringList());
        const QString folder = Predefined::userProfilePath("Photo");
        QCOMPARE(filesIn(folder), QStringList{"logo.png"});
        QCOMPARE(readFile(folder + "/logo.png"), readFile(png));
        ProfileButton *tile = bar.tileOf(photo);
        QVERIFY(tile);
        QCOMPARE(tile->findChild<QPushButton *>("pushButton_image")->property("button_style"),
                 QVariant("profile_button_image"));
        QVERIFY(QFileInfo::exists(ConfigFile::workingFilePath()));

        DialogAnswerer modify(fillProfile("Photo", jpg));
        bar.editProfile(photo);
        QVERIFY(modify.answered());
        QCOMPARE(filesIn(folder), QStringList{"logo.jpg"});
        QCOMPARE(readFile(folder + "/logo.jpg"), readFile(jpg));
        QCOMPARE(photo->linkedAppPaths, QStringList{"a.exe"});
    }

    // Duplicate proposes the name with " I", waits for a change, refuses a
    // name another profile has and copies under a free one.
    void duplicateChecksTheName()
    {
        build("0:Work 1:Game");
        ProfileArea bar;
        bar.show();
        std::unique_ptr<DialogAnswerer> message;
        QString messageText;
        DialogAnswerer taken([&](QWidget *dialog) {
            auto *edit = WidgetDriver::child<QLineEdit>(dialog, "lineEdit");
            QCOMPARE(edit->text(), QString("Game I"));
            QVERIFY(!WidgetDriver::child<QPushButton>(dialog, "pushButton_rename")->isEnabled());
            QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", "Work"));
            message = std::make_unique<DialogAnswerer>([&](QWidget *box) {
                messageText = labelTexts(box);
                QVERIFY(WidgetDriver::click(box, "btn_ok"));
            });
            QVERIFY(WidgetDriver::click(dialog, "pushButton_rename"));
        });
        bar.duplicateProfile(at("1"));
        QVERIFY(taken.answered());
        QTRY_VERIFY(message && message->answered());
        QVERIFY(messageText.contains("Profile Name already exists"));
        QCOMPARE(names(), (QStringList{"Work", "Game"}));

        DialogAnswerer free([](QWidget *dialog) {
            QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", "Game II"));
            QVERIFY(WidgetDriver::click(dialog, "pushButton_rename"));
        });
        bar.duplicateProfile(at("1"));
        QVERIFY(free.answered());
        QCOMPARE(names(), (QStringList{"Work", "Game", "Game II"}));
        // A new tile shows once the layout has taken it in.
        QTRY_COMPARE(rowNames(bar, true), (QStringList{"Work", "Game", "Game II"}));
    }

    // Deleting the only sub-profile hides the parent's toggle, one of two
    // keeps it; a new sub-profile under a folded parent unfolds it.
    void subProfileTiles()
    {
        build("0:Work 0.0:Sub 1:Game 1.0:One 1.1:Two");
        ProfileArea bar;
        bar.show();
        QCOMPARE(rowNames(bar, false), (QStringList{"Global Defaults", "Work", "Sub", "Game", "One", "Two"}));
        QCOMPARE(rowNames(bar, true), (QStringList{"Work", "Game"}));
        ProfileButton *work = bar.tileOf(at("0"));
        ProfileButton *game = bar.tileOf(at("1"));
        QVERIFY(work->hasSubProfiles());
        QVERIFY(game->hasSubProfiles());

        QVERIFY(WidgetDriver::click(game, "pushButton_subProfiles"));
        QCOMPARE(rowNames(bar, true), (QStringList{"Work", "Game", "One", "Two"}));
        QVERIFY(WidgetDriver::click(game, "pushButton_subProfiles"));
        QCOMPARE(rowNames(bar, true), (QStringList{"Work", "Game"}));

        DialogAnswerer yes(DialogAnswerer::clickButton("btn_yes"));
        bar.deleteProfile(at("0.0"));
        QVERIFY(yes.answered());
        QVERIFY(!work->hasSubProfiles());
        DialogAnswerer again(DialogAnswerer::clickButton("btn_yes"));
        bar.deleteProfile(at("1.0"));
        QVERIFY(again.answered());
        QVERIFY(game->hasSubProfiles());
        QCOMPARE(names(), (QStringList{"Work", "Game", "Two"}));

        DialogAnswerer sub(fillProfile("Three"));
        bar.addSubProfile(at("1"));
        QVERIFY(sub.answered());
        QCOMPARE(rowNames(bar, true), (QStringList{"Work", "Game", "Two", "Three"}));
        QVERIFY(game->expanded());
        QVERIFY(game->findChild<QPushButton *>("pushButton_subProfiles")->isChecked());
        QVERIFY(WidgetDriver::click(game, "pushButton_subProfiles"));
        QCOMPARE(rowNames(bar, true), (QStringList{"Work", "Game"}));
    }

    // Each kind of profile has its menu; Global's tile shows only with
    // ShowGlobal.
    void menusAndTheGlobalTile_data()
    {
        QTest::addColumn<bool>("viewedAsActive");
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QStringList>("menu");
        const QStringList common{"Use by default", "Modify"};
        QTest::newRow("Global") << true << "G" << QStringList{"Use by default*", "Modify"};
        QTest::newRow("top-level") << true << "0"
                                   << QStringList{"Use by default", "Modify", "Add Sub-Profile", "Duplicate", "Delete"};
        QTest::newRow("sub-profile") << true << "0.0" << QStringList{"Use by default", "Modify", "Duplicate", "Delete"};
        QTest::newRow("not viewed as active")
            << false << "0.0" << QStringList{"Set as Active", "Use by default", "Modify", "Duplicate", "Delete"};
    }
    void menusAndTheGlobalTile()
    {
        QFETCH(bool, viewedAsActive);
        QFETCH(QString, pair);
        QFETCH(QStringList, menu);
        setting("SetViewedAsActive", viewedAsActive);
        build("0:Work 0.0:Sub");
        {
            ProfileArea bar;
            bar.show();
            QVERIFY(!bar.tileOf(at("G"))->isVisibleTo(&bar));
            MenuReader reader;
            bar.profileContextMenuRequested(at(pair), QPoint(5, 5));
            QCOMPARE(reader.texts, menu);
            QCOMPARE(PackageCreator::instance()->currentProfile(), at(pair));
        }
        setting("ShowGlobal", true);
        ProfileArea bar;
        bar.show();
        QVERIFY(bar.tileOf(at("G"))->isVisibleTo(&bar));
        QCOMPARE(rowNames(bar, true).first(), QString("Global Defaults"));
    }

    // Names that are no plain folder names each get a folder of their own
    // inside "Profiles"; nothing else in the configuration folder goes.
    void oddNamesStayInTheirFolders()
    {
        build("0:Work");
        QVERIFY(writeFile(Predefined::userProfilePath("Work") + "/logo.png", picture(Qt::green)));
        setting("ShowGlobal", false);
        ProfileArea bar;
        bar.show();
        for (const char *name : {".", "..", "a/b"}) {
            DialogAnswerer create(fillProfile(name, png));
            QVERIFY(WidgetDriver::click(&bar, "pushButton_create"));
            QVERIFY(create.answered());
        }
        QCOMPARE(names(), (QStringList{"Work", ".", "..", "a/b"}));
        QCOMPARE(profileFolders().size(), 4);
        for (const char *name : {".", "..", "a/b", "Work"}) {
            const QString folder = Predefined::userProfilePath(name);
            QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(profilesFolder()).absoluteFilePath());
            QCOMPARE(filesIn(folder), QStringList{"logo.png"});
        }
        QVERIFY(QFileInfo::exists(SettingsFile::path()));
        QVERIFY(QFileInfo::exists(ConfigFile::workingFilePath()));
    }

    // The tile's states: the picture shrinks and loses its corners while
    // hovered, a cleared state leaves no property behind, and the active
    // profile box follows automatic switching and its hints.
    void namesReadAsTyped()
    {
        // The tile and the active profile box show a name as typed, never
        // read as markup.
        const QString name = "<b>R&D</b>";
        build("0:" + name);
        ProfileArea bar;
        bar.show();
        SimpleModel::instance()->setActiveProfile(at("0"), false);
        QCOMPARE(WidgetDriver::shownText(bar.tileOf(at("0"))->findChild<QLabel *>("label_name")), name);
        QCOMPARE(WidgetDriver::shownText(bar.findChild<QLabel *>("label_activeName")), name);
    }

    void tileAndBoxStates()
    {
        build("0:Work 0.0:Sub");
        ProfileArea bar;
        bar.show();
        ProfileButton *work = bar.tileOf(at("0"));
        ProfileButton *sub = bar.tileOf(at("0.0"));
        QCOMPARE(work->height() - sub->height(), 10);
        auto *name = work->findChild<QLabel *>("label_name");
        auto *image = work->findChild<QPushButton *>("pushButton_image");
        QCOMPARE(image->iconSize(), QSize(58, 58));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(work, &enter);
        QCOMPARE(name->property("label_style_hovered"), QVariant("profile_button"));
        QCOMPARE(image->iconSize(), QSize(56, 56));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(work, &leave);
        QVERIFY(!name->property("label_style_hovered").isValid());
        QVERIFY(!name->dynamicPropertyNames().contains("label_style_hovered"));
        QCOMPARE(image->iconSize(), QSize(58, 58));

        // Global is the default and has no picture: its home mark lights up.
        setting("ShowGlobal", true);
        ProfileArea withGlobal;
        withGlobal.show();
        ProfileButton *global = withGlobal.tileOf(at("G"));
        auto *globalImage = global->findChild<QPushButton *>("pushButton_image");
        QCOMPARE(globalImage->property("button_style"), QVariant("default_profile_button_normal"));
        QApplication::sendEvent(global, &enter);
        QCOMPARE(globalImage->property("button_style"), QVariant("default_profile_button_hover"));
        QApplication::sendEvent(global, &leave);

        auto *box = bar.findChild<ActiveProfileBox *>();
        auto *manual = box->findChild<QPushButton *>("pushButton_manual");
        auto *automatic = box->findChild<QPushButton *>("pushButton_auto");
        QVERIFY(manual && automatic);
        SimpleModel::instance()->setAutoSwitching(false);
        QVERIFY(!manual->isEnabled());
        QVERIFY(automatic->isEnabled());
        QApplication::sendEvent(manual, &enter);
        QVERIFY(hint() != HintsArea::hintText(5));
        QApplication::sendEvent(automatic, &enter);
        QCOMPARE(hint(), HintsArea::hintText(4));
        QApplication::sendEvent(automatic, &leave);
        QVERIFY(WidgetDriver::click(box, "pushButton_auto"));
        QVERIFY(SimpleModel::instance()->autoSwitching());
        QVERIFY(manual->isEnabled());
        QVERIFY(!automatic->isEnabled());
        QApplication::sendEvent(manual, &enter);
        QCOMPARE(hint(), HintsArea::hintText(5));
        QApplication::sendEvent(manual, &leave);
    }

    // A click on a tile shows its profile and switches the mouse to its pair.
    void tileClickSwitchesTheMouse()
    {
        ConnectedMouse fixture(30);
        fixture.connect();
        build("0:Work 1:Game 1.0:Level");
        ProfileArea bar;
        bar.show();
        QSignalSpy clicked(&bar, &ProfileArea::profileClicked);
        QVERIFY(WidgetDriver::click(bar.tileOf(at("1")), "pushButton_image"));
        // The profile made active is also the one viewed: its tile clicks
        // itself once more.
        QVERIFY(!clicked.isEmpty());
        QCOMPARE(PackageCreator::instance()->currentProfile(), at("1"));
        QCOMPARE(PackageCreator::instance()->activeProfile(), at("1"));
        QTRY_COMPARE(fixture.mouse()->profileIndex(), 1);
        QCOMPARE(fixture.mouse()->subProfileIndex(), 255);
        QVERIFY(bar.tileOf(at("1"))->isSelected());
        QVERIFY(bar.tileOf(at("1"))->isActivated());
    }

    // The bar makes its tiles as its window first shows, those of the first
    // screenful at once and the others a screenful a turn; they read as tiles
    // made with the bar, whatever became active or current before: the same
    // row, folded, marked and flagged the same.
    void tilesMadeLateReadAsMadeWithTheBar_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("current");
        QString many;
        for (int i = 0; i < 24; ++i)
            many += QString(" %1:P%1").arg(i) + (i % 3 == 0 ? QString(" %1.0:S%1").arg(i) : QString());
        QTest::newRow("a few") << "0:Work 0.0:Level 1:Game"
                               << "1"
                               << "0";
        QTest::newRow("active beyond the screen") << many << "21"
                                                  << "3";
        QTest::newRow("active sub-profile beyond the screen") << many << "21.0"
                                                              << "22";
        QTest::newRow("active on the screen, current beyond") << many << "1"
                                                              << "18.0";
    }
    void tilesMadeLateReadAsMadeWithTheBar()
    {
        QFETCH(QString, setup);
        QFETCH(QString, active);
        QFETCH(QString, current);
        const auto showBar = [&](bool tilesFirst, int *madeAtShow) {
            build(setup);
            PackageCreator::instance()->setActiveProfile(at(active));
            PackageCreator::instance()->setCurrentProfile(at(current));
            QWidget window;
            window.resize(930, 102);
            auto *layout = new QVBoxLayout(&window);
            auto *bar = new ProfileArea(&window);
            layout->addWidget(bar);
            if (tilesFirst)
                bar->rowTiles();
            // As the simple view shows itself.
            bar->refresh();
            window.show();
            *madeAtShow = bar->findChildren<ProfileButton *>().size();
            bar->refresh();
            const int tiles = PackageCreator::instance()->profiles().size() + 1;
            [&] { QTRY_COMPARE(bar->findChildren<ProfileButton *>().size(), tiles); }();
            QStringList states;
            for (const ProfileButton *tile : bar->rowTiles()) {
                states << tile->name() + (tile->isVisibleTo(bar) ? " shown" : "")
                              + (tile->isActivated() ? " active" : "") + (tile->isSelected() ? " selected" : "")
                              + (tile->isDefault() ? " default" : "") + (tile->hasSubProfiles() ? " parent" : "")
                              + (tile->expanded() ? " unfolded" : "");
            }
            return states;
        };
        int all = 0;
        const QStringList withTheBar = showBar(true, &all);
        int firstScreenful = 0;
        const QStringList late = showBar(false, &firstScreenful);
        QCOMPARE(late, withTheBar);
        QVERIFY2(withTheBar.indexOf(QRegularExpression(at(active)->name + " shown active selected.*")) >= 0,
                 qPrintable(withTheBar.join(",")));
        if (all > 12)
            QVERIFY2(firstScreenful < all, qPrintable(QString("%1 of %2 tiles at once").arg(firstScreenful).arg(all)));
    }

    // Deleting numbers the later profiles anew: the mouse gets the new
    // package before the file is written, so the next tile's switch runs that
    // profile's own records. A refused upload is told and leaves Save
    // available; profiles beyond the mouse's memory are not offered to it.
    void deleteUploadsThenWrites_data()
    {
        QTest::addColumn<bool>("fits");
        QTest::addColumn<bool>("refused");
        QTest::newRow("taken") << true << false;
        QTest::newRow("refused") << true << true;
        QTest::newRow("beyond the memory") << false << false;
    }
    void deleteUploadsThenWrites()
    {
        QFETCH(bool, fits);
        QFETCH(bool, refused);
        ConnectedMouse fixture(30);
        fixture.connect();
        build("0:Work 1:Play 1.0:Level 1.1:Stage 2:Last");
        int id = 0;
        for (ProfileData *profile : SimpleModel::instance()->userProfiles()) {
            profile->inputMaps << SampleModel::button(id, QString("key %1").arg(id));
            ++id;
        }
        if (!fits)
            fixture.mouse()->setMemorySize(PackageCreator::instance()->package().size() / 2);
        // The mouse holds the profiles as numbered before.
        fixture.device()->sendProfilesToMouse();
        const QByteArray before = fixture.mouse()->ramPackage();
        const int uploads = fixture.mouse()->uploads();
        if (refused)
            fixture.mouse()->setAcknowledgement(1, 10, 1, SimulatedMouse::BadCrc);
        ProfileArea bar;
        bar.show();
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);

        std::unique_ptr<DialogAnswerer> message;
        QString told;
        DialogAnswerer yes([&](QWidget *question) {
            message = std::make_unique<DialogAnswerer>([&](QWidget *box) {
                told = labelTexts(box);
                QVERIFY(WidgetDriver::click(box, "btn_ok"));
            });
            QVERIFY(WidgetDriver::click(question, "btn_yes"));
        });
        bar.deleteProfile(at("0"));
        QVERIFY(yes.answered());
        QCOMPARE(names(), (QStringList{"Play", "Level", "Stage", "Last"}));
        QCOMPARE(readFile(ConfigFile::workingFilePath()), ConfigFile::instance()->writeBytes());
        QVERIFY(!readFile(ConfigFile::workingFilePath()).contains("\"Work\""));
        QVERIFY(!saved.isEmpty());
        QCOMPARE(saved.last().at(0).toBool(), refused);
        QCOMPARE(message->answered(), refused);
        QCOMPARE(told.contains("could not be sent"), refused);
        if (!fits || refused) {
            QCOMPARE(fixture.mouse()->uploads(), uploads);
            QCOMPARE(fixture.mouse()->ramPackage(), before);
            return;
        }
        const QByteArray package = PackageCreator::instance()->package();
        QCOMPARE(fixture.mouse()->ramPackage(), package);

        ProfileData *next = at("0");
        QCOMPARE(next->name, QString("Play"));
        QVERIFY(WidgetDriver::click(bar.tileOf(next), "pushButton_image"));
        QTRY_COMPARE(fixture.mouse()->profileIndex(), 0);
        QCOMPARE(fixture.mouse()->subProfileIndex(), 255);
        QCOMPARE(fixture.mouse()->uploads(), uploads + 1);
        QCOMPARE(fixture.mouse()->ramPackage(), package);
    }

    void looks_data() { DialogFixture::addLookRows(); }
    void looks()
    {
        QFETCH(QString, key);
        qApp->setStyleSheet(AppStyleSheet::joined());
        setting("ShowGlobal", true);
        build("0:Work 0.0:Level 0.1:Boss 1:Game 2:Photo 3:Music 4:Mail 5:Notes 6:Chat 7:Video");
        QVERIFY(writeFile(Predefined::userProfilePath("Photo") + "/logo.png", picture(Qt::darkCyan)));
        QVERIFY(writeFile(Predefined::userProfilePath("Level") + "/logo.png", picture(Qt::darkYellow)));
        // On the view's background, as the bar is shown.
        QWidget view;
        view.setProperty("widget_type", "main_background");
        view.setProperty("m", key);
        auto *layout = new QVBoxLayout(&view);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *area = new ProfileArea(&view);
        layout->addWidget(area);
        ProfileArea &bar = *area;
        bar.setModelKey(key);
        bar.refresh();
        view.resize(930, 102);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(WidgetDriver::click(bar.tileOf(at("0")), "pushButton_subProfiles"));
        QVERIFY(WidgetDriver::click(bar.tileOf(at("0.0")), "pushButton_image"));
        QTest::qWait(150);
        QVERIFY(WidgetDriver::child(&bar, "pushButton_left")->isVisible());
        QVERIFY(!WidgetDriver::child(&bar, "pushButton_left")->isEnabled());
        QVERIFY(WidgetDriver::child(&bar, "pushButton_right")->isEnabled());
        QVERIFY(!WidgetDriver::grabToPng(&view, "bar-" + key).isEmpty());
        QVERIFY(WidgetDriver::click(&bar, "pushButton_right"));
        QVERIFY(WidgetDriver::child(&bar, "pushButton_left")->isEnabled());
        QVERIFY(!WidgetDriver::grabToPng(&view, "bar-scrolled-" + key).isEmpty());
    }
};

QTEST_MAIN(TestProfileBar)
#include "tst_profilebar.moc"
