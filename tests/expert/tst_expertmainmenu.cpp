// The expert window's main menu over a real profile tree, tab strip and
// active-profile box wired as the window wires them, with the store's files
// in the test's home and the simulated mouse: importing and merging, the
// reset to the starter profiles, storing in flash, exporting, the help
// articles and the entries that need a mouse.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "ComboBox.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "ExpertMainMenu.h"
#include "FakeHidTransport.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfileSelect.h"
#include "ProfilesView.h"
#include "ProgramFolder.h"
#include "SampleModel.h"
#include "SaveSequence.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimulatedMouse.h"
#include "StoreLayout.h"
#include "UrlRecorder.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>
#include <optional>

using namespace ExpertMenuActions;

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

// "Work(Night);Play": top-level profiles, each with its sub-profiles; the
// global profile holds one mapping named globalMapping (none when empty).
void buildStore(const QString &layout, const QString &globalMapping)
{
    ProfileData *global = SampleModel::emptyModel();
    if (!globalMapping.isEmpty())
        global->inputMaps = {SampleModel::button(3, globalMapping)};
    const QStringList groups = layout.split(';', Qt::SkipEmptyParts);
    for (int index = 0; index < groups.size(); ++index) {
        QString group = groups.at(index);
        QStringList subs;
        if (group.endsWith(')')) {
            const int open = group.indexOf('(');
            subs = group.mid(open + 1, group.size() - open - 2).split(',');
            group = group.left(open);
        }
        store()->addProfile(index, 255, group)->inputMaps = {SampleModel::button(1, group + " left")};
        for (int sub = 0; sub < subs.size(); ++sub)
            store()->addProfile(index, sub, subs.at(sub));
    }
    store()->setCurrentProfile(global);
    store()->setActiveProfile(global);
    store()->loading = false;
}

ProfileData *topLevel(const QString &name)
{
    const QList<ProfileData *> list = store()->profiles();
    for (ProfileData *profile : list) {
        if (profile->name == name && profile->subIndex == 255)
            return profile;
    }
    return nullptr;
}

// What profileNamesInFile lists for a file of the store's profiles (every
// file written holds the global profile's built-in pointer mapping).
QStringList storeNames()
{
    QStringList names{globalProfileName};
    const QList<ProfileData *> list = store()->profiles();
    for (const ProfileData *profile : list)
        names << QString(profile->subIndex == 255 ? 2 : 4, ' ') + profile->name;
    return names;
}

QStringList namesInFile(const QString &path)
{
    bool hasGlobal = false;
    return ConfigFile::instance()->profileNamesInFile(path, &hasGlobal);
}

QStringList mappingNames(const ProfileData *profile)
{
    QStringList names;
    for (const InputMapPtr &mapping : profile->inputMaps)
        names << mapping->name;
    return names;
}

int flashCommandsWritten(FakeHidTransport *transport)
{
    int count = 0;
    const QVector<QVector<uint8_t>> packets = transport->writtenPackets();
    for (const QVector<uint8_t> &p : packets)
        count += p.size() > 3 && p[2] == ((2 << 6) | 10) && p[3] == 1;
    return count;
}

// A click on a box's tick mark, as a user ticks it.
void tick(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

// Answers the modal dialogs as they open, one entry of the script each:
// "select:all" or "select:0,3" ticks those rows of a ProfileSelect and
// presses Ok, "cancel" presses its Cancel, "close" closes the dialog, any
// other entry is the text of the button to press. Keeps what each dialog
// said ("select" for a ProfileSelect), the watched window's state at that
// moment and, when told, a picture of the dialog.
class DialogScript : public QObject
{
    Q_OBJECT

public:
    explicit DialogScript(QStringList answers, QWidget *watched = nullptr)
        : m_answers(std::move(answers))
        , m_watched(watched)
    {
        connect(&m_poll, &QTimer::timeout, this, &DialogScript::look);
        m_poll.start(10);
    }

    QStringList seen;
    QList<Qt::WindowStates> windowStates;
    // seen's entry to grab, and the picture's name.
    QString grabWhen;
    QString grabName;

    bool done() const { return m_responded >= m_answers.size(); }

private:
    void look()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || m_done.contains(dialog))
            return;
        m_done << dialog;
        auto *select = qobject_cast<ProfileSelect *>(dialog);
        if (select) {
            seen << "select";
        } else if (const auto *label = dialog->findChild<QLabel *>("label_text")) {
            QTextDocument text;
            text.setHtml(label->text());
            seen << text.toPlainText();
        } else {
            seen << dialog->metaObject()->className();
        }
        windowStates << (m_watched ? m_watched->windowState() : Qt::WindowNoState);
        if (!grabWhen.isEmpty() && seen.last() == grabWhen)
            WidgetDriver::grabToPng(dialog, grabName);
        // Answered once this poll is over: a dialog that the answer opens
        // (a question of the dialog's own) needs the poll again.
        const QString answer = m_answers.value(seen.size() - 1);
        QTimer::singleShot(0, dialog, [this, dialog, answer] { respond(dialog, answer); });
    }

    void respond(QWidget *dialog, const QString &answer)
    {
        ++m_responded;
        auto *select = qobject_cast<ProfileSelect *>(dialog);
        if (answer.isEmpty()) {
            qWarning() << "DialogScript: no answer for" << dialog->metaObject()->className();
            dialog->close();
        } else if (answer == "close") {
            dialog->close();
        } else if (select && answer == "cancel") {
            WidgetDriver::click(dialog, "pushButton_cancel");
        } else if (select) {
            const QList<QCheckBox *> boxes =
                WidgetDriver::child(dialog, "scrollAreaWidgetContents")->findChildren<QCheckBox *>();
            const QString rows = answer.mid(QStringLiteral("select:").size());
            if (rows == "all") {
                tick(WidgetDriver::child<QCheckBox>(dialog, "checkBox_selectAll"));
            } else {
                for (const QString &row : rows.split(','))
                    tick(boxes.value(row.toInt()));
            }
            WidgetDriver::click(dialog, "pushButton_ok");
        } else if (!WidgetDriver::clickText(dialog, answer)) {
            qWarning() << "DialogScript: no button" << answer;
            dialog->close();
        }
    }

    QStringList m_answers;
    QPointer<QWidget> m_watched;
    QList<QPointer<QWidget>> m_done;
    int m_responded = 0;
    QTimer m_poll;
};

const QString mergeQuestion =
    "Would you like to merge these with the current\nmappings, or clear existing mappings first?";

} // namespace

class TestExpertMainMenu : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<QWidget> window;
    ProfilesView *tree = nullptr;
    ProfileScroller *strip = nullptr;
    ComboBox *box = nullptr;
    std::unique_ptr<ExpertMainMenu> menu;
    UrlRecorder desktop;

    bool switchOn = true;
    bool silentAfterSave = false;
    int saves = 0;
    int memoryBars = 0;
    int pageUpdates = 0;
    int settingsPages = 0;
    QString chosenFile;         // what every file dialog answers
    QStringList fileQuestions; // "caption|start|filter" of each file dialog

    SimulatedMouse *mouse() const { return fixture->mouse(); }
    MouseFunctions *device() const { return fixture->device(); }

    // The tree, the strip and the active-profile box over the store,
    // connected as the window connects them, and the menu on them.
    void makeWindow()
    {
        window = std::make_unique<QWidget>();
        window->resize(1000, 720);
        tree = new ProfilesView(window.get());
        tree->setGeometry(0, 80, 1000, 560);
        strip = new ProfileScroller(window.get(), tree);
        strip->setGeometry(0, 0, 1000, 76);
        box = new ComboBox(window.get());
        box->setGeometry(20, 660, 195, 30);
        connect(tree, &ProfilesView::addProfile, strip, &ProfileScroller::addProfile);
        connect(tree, &ProfilesView::currentProfileChanged, strip, &ProfileScroller::setCurrentProfile);
        connect(tree, &ProfilesView::profileActivated, strip, &ProfileScroller::setActiveProfile);
        connect(tree, &ProfilesView::globalProfileActivated, strip, &ProfileScroller::setActiveGlobal);
        connect(strip, &ProfileScroller::profileAdded, tree, &ProfilesView::createProfile);
        connect(strip, &ProfileScroller::globalProfileClicked, tree, &ProfilesView::setCurrentGlobal);
        connect(strip, &ProfileScroller::parentProfileClicked, tree, &ProfilesView::setCurrentParent);
        connect(strip, &ProfileScroller::subProfileClicked, tree, &ProfilesView::setCurrentSub);
        ConfigFile *file = ConfigFile::instance();
        connect(file, &ConfigFile::profileFromFile, strip, &ProfileScroller::addProfileFromFile);
        connect(file, &ConfigFile::setInitialDefault, tree, &ProfilesView::setInitialDefault);
        connect(tree, &ProfilesView::activeProfilesChanged, box, [this](const QStringList &profiles, int active) {
            const QSignalBlocker blocker(box);
            box->clear();
            box->setItems(profiles);
            box->setCurrentIndex(active);
        });
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), tree, &ProfilesView::activateListEntry);
        tree->build();
        strip->syncWithModel();
        tree->setCurrent(tree->currentPage());

        ExpertMainMenu::Window parts;
        parts.window = window.get();
        parts.tree = tree;
        parts.strip = strip;
        parts.activeBox = box;
        parts.connectionOn = [this] { return switchOn; };
        parts.mouseConnected = [this] { return device()->isCompatibleMousePresent(); };
        parts.save = [this] {
            ++saves;
            // The rebuilt pages' own events first, as the window's event
            // loop would have run them: behind them, under the sanitizers
            // on a busy machine, the mouse's answers could come too late.
            QTest::qWait(20);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const SaveSequence::Result result = SaveSequence::run(switchOn);
            if (silentAfterSave)
                mouse()->setSilent(true);
            return result;
        };
        parts.pageUpdate = [this] { ++pageUpdates; };
        parts.memoryBar = [this] { ++memoryBars; };
        parts.showSettingsPage = [this] { ++settingsPages; };
        const FileChooser chooser = [this](const QString &caption, const QString &start, const QString &filter) {
            fileQuestions << caption + "|" + start + "|" + filter;
            return chosenFile;
        };
        parts.openFile = parts.saveFile = parts.openFirmware = chooser;
        menu = std::make_unique<ExpertMainMenu>(parts);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Work (with Night) and Play, Play current and active; the working file
    // written.
    void makeUsualWindow()
    {
        buildStore("Work(Night);Play", "Own global");
        fixture->connect();
        makeWindow();
        box->setCurrentIndex(box->findText("  Play"));
        tree->setCurrentParent("Play");
        QCOMPARE(store()->activeProfile(), topLevel("Play"));
        QCOMPARE(store()->currentProfile(), topLevel("Play"));
        QVERIFY(ConfigFile::instance()->save());
    }

    // The strip, the tree and the store show the same profiles.
    void checkViewsFollowTheStore()
    {
        QList<QStringList> groups;
        const QList<ProfileData *> list = store()->profiles();
        for (const ProfileData *profile : list) {
            if (profile->subIndex == 255)
                groups.append({profile->name});
            else if (!groups.isEmpty())
                groups.last().append(profile->name);
        }
        QCOMPARE(tree->groupNames(), groups);
        QCOMPARE(strip->groups(), groups);
        QCOMPARE(strip->buttons().size(), groups.size());
        QStringList profiles = storeNames();
        profiles.removeAll(globalProfileName);
        const QStringList entries = QStringList{"Auto Profile Switching", globalProfileName} + profiles;
        QStringList boxEntries;
        for (int i = 0; i < box->count(); ++i)
            boxEntries << box->itemText(i);
        QCOMPARE(boxEntries, entries);
    }

    // The working file and the mouse hold what the store holds.
    void checkSavedAndUploaded()
    {
        QCOMPARE(namesInFile(ConfigFile::workingFilePath()), storeNames());
        QTRY_VERIFY(!device()->isAwaitingReply());
        QCOMPARE(mouse()->ramPackage(), store()->package());
    }

private slots:
    void initTestCase()
    {
        qunsetenv("DISPLAY");
        ProgramFolder::setPath(R7_SHIPPED_DIR);
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
        QDesktopServices::setUrlHandler("https", &desktop, "open");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("https"); }

    void init()
    {
        clean.emplace();
        QDir(ConfigFile::workingFilePath()).removeRecursively();
        QFile::remove(ConfigFile::workingFilePath());
        QVERIFY(ConfigFile::instance()->copyStarterFile());
        switchOn = true;
        silentAfterSave = false;
        saves = memoryBars = pageUpdates = settingsPages = 0;
        chosenFile.clear();
        fileQuestions.clear();
        desktop.opened.clear();
        fixture = std::make_unique<ConnectedMouse>(5);
    }

    void cleanup()
    {
        menu.reset();
        window.reset();
        fixture.reset();
        clean.reset();
    }

    void import_data()
    {
        QTest::addColumn<bool>("fileGlobal"); // the file holds a global profile
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<QString>("trouble"); // "unwritable" working file, "unreadable" file
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QStringList>("layout");
        QTest::addColumn<QString>("globalMapping");
        QTest::addColumn<QString>("boxText"); // empty: whatever the file named
        QTest::addColumn<QString>("defaultPair");
        QTest::addColumn<bool>("finished"); // ran to its save

        const QStringList merged{"Work 0/255", "Night 0/0", "Play 1/255", "Games 2/255", "Night 2/0"};
        const QStringList before{"Work 0/255", "Night 0/0", "Play 1/255"};
        QTest::newRow("file without global") << false << true << "" << QStringList{"select:all"}
                                             << QStringList{"select"} << merged << "Own global" << "  Play"
                                             << "" << true;
        QTest::newRow("global left out") << true << true << "" << QStringList{"select:1,2"}
                                         << QStringList{"select"} << merged << "Own global" << "  Play" << ""
                                         << true;
        QTest::newRow("global, clear current")
            << true << true << "" << QStringList{"select:all", "Clear Current, and Import"}
            << QStringList{"select", mergeQuestion} << QStringList{"Games 0/255", "Night 0/0"} << "File global"
            << "" << "" << true;
        // Behind the file's profiles the earlier ones move down by the
        // file's top-level profiles, the box by every profile read.
        QTest::newRow("global, merge")
            << true << true << "" << QStringList{"select:all", "Merge Mappings"}
            << QStringList{"select", mergeQuestion}
            << QStringList{"Games 0/255", "Night 0/0", "Work 1/255", "Night 1/0", "Play 2/255"} << "File global"
            << "  Play" << "2/255" << true;
        // Declining to overwrite the own global profile keeps it.
        QTest::newRow("global declined")
            << true << true << "" << QStringList{"select:0,1", "No"}
            << QStringList{"select", "You have chosen the Global profile, this will\noverwrite your existing Global "
                                     "Profile. Proceed?"}
            << QStringList{"Work 0/255", "Night 0/0", "Play 1/255", "Games 2/255"} << "Own global" << "  Play" << ""
            << true;
        QTest::newRow("selection cancelled") << true << true << "" << QStringList{"cancel"}
                                             << QStringList{"select"} << before << "Own global" << "  Play" << ""
                                             << false;
        QTest::newRow("no file chosen") << true << false << "" << QStringList{} << QStringList{} << before
                                        << "Own global" << "  Play" << "" << false;
        QTest::newRow("working file unwritable")
            << true << true << "unwritable" << QStringList{"select:all", "close"}
            << QStringList{"select", "DlgMessageBox"} << before << "Own global" << "  Play" << "" << false;
        // Its names list, but the file does not read: the saved profiles
        // come back, and the user is told.
        QTest::newRow("file does not read, clear current")
            << true << true << "unreadable" << QStringList{"select:all", "Clear Current, and Import", "Ok"}
            << QStringList{"select", mergeQuestion, "The profiles could not be read from\n%1"} << before
            << "Own global" << "  Play" << "" << true;
    }

    void import()
    {
        QFETCH(bool, fileGlobal);
        QFETCH(bool, chooseFile);
        QFETCH(QString, trouble);
        QFETCH(QStringList, script);
        QFETCH(QStringList, seen);
        QFETCH(QStringList, layout);
        QFETCH(QString, globalMapping);
        QFETCH(QString, boxText);
        QFETCH(QString, defaultPair);
        QFETCH(bool, finished);

        QTemporaryDir folder;
        // A file name that looks like markup is told as it is.
        const QString path = folder.filePath("R&D <b>games.kvlf");
        buildStore("Games(Night)", "File global");
        QVERIFY(ConfigFile::instance()->saveToFile(path, fileGlobal ? ConfigFile::Selection() : ConfigFile::Selection{0, 1, 1}));
        if (trouble == "unreadable") {
            // Read from the first "{" on for its names, but not as a file.
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray bytes = written.readAll();
            written.close();
            QVERIFY(written.open(QIODevice::WriteOnly));
            written.write(QByteArray(1, '\0') + bytes);
        }
        seen.replaceInStrings("%1", path);
        makeUsualWindow();
        const int entryBefore = box->currentIndex();
        if (chooseFile)
            chosenFile = path;
        if (trouble == "unwritable") {
            QFile::remove(ConfigFile::workingFilePath());
            QVERIFY(QDir().mkpath(ConfigFile::workingFilePath()));
        }
        mouse()->clearLog();

        DialogScript dialogs(script);
        dialogs.grabWhen = mergeQuestion;
        dialogs.grabName = "merge-question";
        menu->handle(ImportProfiles);
        QTRY_VERIFY(dialogs.done());

        QCOMPARE(fileQuestions, QStringList{"Open|" + ConfigFile::documentsFolder() + "|*.kvlf"});
        QCOMPARE(dialogs.seen, seen);
        QCOMPARE(storeLayout(), layout);
        QCOMPARE(mappingNames(store()->globalProfile()), QStringList{globalMapping});
        QVERIFY(!store()->loading);
        QVERIFY(ConfigFile::instance()->emitInitialDefault);
        checkViewsFollowTheStore();
        if (!boxText.isEmpty()) {
            QCOMPARE(box->currentText(), boxText);
            QCOMPARE(store()->activeProfile(), topLevel(boxText.trimmed()));
        }
        if (QByteArray(QTest::currentDataTag()) == "global, merge")
            QCOMPARE(box->currentIndex(), entryBefore + 2);
        if (!defaultPair.isEmpty()) {
            int index = -1;
            int subIndex = -1;
            tree->defaultProfileIndex(&index, &subIndex);
            QCOMPARE(QString("%1/%2").arg(index).arg(subIndex), defaultPair);
        }
        QCOMPARE(saves, finished ? 1 : 0);
        QCOMPARE(memoryBars, saves);
        QCOMPARE(pageUpdates, saves);
        QCOMPARE(settingsPages, seen.contains(mergeQuestion) ? 1 : 0);
        if (finished) {
            checkSavedAndUploaded();
            WidgetDriver::grabToPng(window.get(), QString("after-import-%1").arg(QTest::currentDataTag()));
        } else {
            QCOMPARE(mouse()->uploads(), 0);
        }
    }

    void reset_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("outcome"); // "starter", "global only", "unchanged"
        QTest::newRow("starter profiles") << false << QStringList{"Reset", "Yes"} << "starter";
        QTest::newRow("starter profiles, full screen") << true << QStringList{"Reset", "Yes"} << "starter";
        QTest::newRow("without the starter profiles") << false << QStringList{"Reset", "No"} << "global only";
        QTest::newRow("cancelled") << true << QStringList{"Cancel"} << "unchanged";
    }

    void reset()
    {
        QFETCH(bool, fullScreen);
        QFETCH(QStringList, script);
        QFETCH(QString, outcome);
        makeUsualWindow();
        if (fullScreen) {
            window->showFullScreen();
            QTRY_VERIFY(window->isFullScreen());
        }
        mouse()->clearLog();
        const QStringList before = storeLayout();

        DialogScript dialogs(script, window.get());
        menu->handle(ResetProfiles);
        QTRY_VERIFY(dialogs.done());

        QCOMPARE(dialogs.seen.first(), QString("Note this will delete all mappings, and cannot be\nundone. Ensure "
                                               "that you first save any mappings still\nrequired to file."));
        QCOMPARE(window->isFullScreen(), fullScreen);
        QVERIFY(!store()->loading);
        if (outcome == "unchanged") {
            QCOMPARE(storeLayout(), before);
            QCOMPARE(mouse()->configResets(), 0);
            QCOMPARE(saves, 0);
            return;
        }
        // Maximised, not full screen, while the reset runs.
        QCOMPARE(dialogs.seen.at(1), QString("Would you like to load the starter mappings?"));
        QCOMPARE(bool(dialogs.windowStates.at(1) & Qt::WindowFullScreen), false);
        QCOMPARE(bool(dialogs.windowStates.at(1) & Qt::WindowMaximized), fullScreen);

        QCOMPARE(mouse()->configResets(), 1);
        QCOMPARE(saves, 1);
        QCOMPARE(memoryBars, 1);
        QCOMPARE(pageUpdates, 1);
        const QStringList starter = namesInFile(ConfigFile::starterCopyPath());
        QVERIFY(!starter.isEmpty());
        if (outcome == "starter")
            QCOMPARE(storeNames(), starter);
        else
            QVERIFY(store()->profiles().isEmpty());
        checkViewsFollowTheStore();
        // A restart finds the reset's profiles, and the mouse runs them.
        checkSavedAndUploaded();
        if (fullScreen)
            WidgetDriver::grabToPng(window.get(), "after-reset");
    }

    void storeInFlash_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("mouseAnswers"); // "all", "nothing", "not the flash"
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("flashCommands");
        QTest::newRow("stored") << true << "all" << "Settings successfully saved to flash memory." << 1;
        // A failed upload leaves the flash alone.
        QTest::newRow("upload failed") << true << "nothing" << "The mouse did not take the profiles" << 0;
        QTest::newRow("flash unanswered") << true << "not the flash" << "The mouse did not take the profiles" << 1;
        QTest::newRow("switch off") << false << "all" << "No mouse detected" << 0;
    }

    void storeInFlash()
    {
        QFETCH(bool, on);
        QFETCH(QString, mouseAnswers);
        QFETCH(QString, message);
        QFETCH(int, flashCommands);
        makeUsualWindow();
        switchOn = on;
        mouse()->setSilent(mouseAnswers == "nothing");
        silentAfterSave = mouseAnswers == "not the flash";
        const int flashBefore = flashCommandsWritten(fixture->transport());

        DialogScript dialogs({"Ok"});
        menu->handle(StoreInFlash);
        QTRY_VERIFY(dialogs.done());

        QVERIFY2(dialogs.seen.first().startsWith(message), qPrintable(dialogs.seen.first()));
        QCOMPARE(saves, on ? 1 : 0);
        QCOMPARE(flashCommandsWritten(fixture->transport()) - flashBefore, flashCommands);
        QCOMPARE(mouse()->flashWrites(), mouseAnswers == "all" && on ? 1 : 0);
        if (mouse()->flashWrites())
            QCOMPARE(mouse()->flashPackage(), store()->package());
    }

    void exportWritesTheChosenProfiles_data()
    {
        QTest::addColumn<bool>("chooseFile");
        QTest::newRow("file chosen") << true;
        QTest::newRow("file dialog cancelled") << false;
    }

    void exportWritesTheChosenProfiles()
    {
        QFETCH(bool, chooseFile);
        makeUsualWindow();
        QTemporaryDir folder;
        const QString path = folder.filePath("export.kvlf");
        if (chooseFile)
            chosenFile = path;

        DialogScript dialogs({"select:0,3"});
        menu->handle(ExportProfiles);
        QTRY_VERIFY(dialogs.done());

        QCOMPARE(fileQuestions, QStringList{"Save As|" + ConfigFile::documentsFolder()
                                            + "/Corvanelle Configuration.kvlf|*.kvlf"});
        QCOMPARE(QFileInfo::exists(path), chooseFile);
        if (chooseFile)
            QCOMPARE(namesInFile(path), (QStringList{"Global", "  Play"}));
        QCOMPARE(saves, 0);
    }

    // The help articles open through the desktop's handler; the items from
    // the firmware-check row on do nothing at all.
    void helpArticlesAndInertItems()
    {
        makeUsualWindow();
        QTest::qWait(50);
        QTRY_VERIFY(!device()->isAwaitingReply());
        mouse()->clearLog();
        const QStringList before = storeLayout();
        for (int item : {int(Introduction), int(ReleaseNotes), int(FirstInert), 12, 40}) {
            menu->handle(item);
            QVERIFY(!QApplication::activeModalWidget());
        }
        QCOMPARE(desktop.opened, (QList<QUrl>{QUrl(introductionUrl), QUrl(changelogUrl)}));
        QCOMPARE(storeLayout(), before);
        QVERIFY(fileQuestions.isEmpty());
        QCOMPARE(saves + memoryBars + pageUpdates, 0);
        QTest::qWait(20);
        QVERIFY(mouse()->commands().isEmpty());
    }

    void entriesThatNeedAMouse_data()
    {
        QTest::addColumn<int>("item");
        QTest::newRow("reset") << int(ResetProfiles);
        QTest::newRow("tilt calibration") << int(CalibrateTilt);
    }

    void entriesThatNeedAMouse()
    {
        QFETCH(int, item);
        buildStore("Work(Night);Play", "Own global");
        makeWindow();
        const QStringList before = storeLayout();

        DialogScript dialogs({"Ok"});
        menu->handle(item);
        QTRY_VERIFY(dialogs.done());

        QCOMPARE(dialogs.seen, QStringList{noMouseText()});
        QCOMPARE(storeLayout(), before);
        QCOMPARE(saves, 0);
        // The tilt calibration counts as offered all the same.
        QCOMPARE(QSettings(SettingsFile::path(), QSettings::IniFormat).value("HasDoneCalibration", false).toBool(),
                 item == CalibrateTilt);
    }
};

QTEST_MAIN(TestExpertMainMenu)
#include "tst_expertmainmenu.moc"
