// The expert view end to end: the whole program over the simulated mouse
// (model 5) on an X server of the test's own, driven by clicks and keys from
// an empty home on, with a picture of the screen after each step. The steps
// follow each other over the same home, one test function each.
//
// The second start of the program is a child process over the same home
// (this executable, running only childRun), which reports what it showed and
// what it uploaded first.
#include "AddProfile.h"
#include "App.h"
#include "AppHarness.h"
#include "ComboBox.h"
#include "ComboItemView.h"
#include "ComboTree.h"
#include "ComboTreeView.h"
#include "ConfigFile.h"
#include "DesktopWindows.h"
#include "DialogAnswerer.h"
#include "EmptyPage.h"
#include "ExpertView.h"
#include "InputMapAction_Button.h"
#include "LinkedApps.h"
#include "MainMenu.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "OutputBar.h"
#include "PackageCreator.h"
#include "Profile.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "TummyButton.h"
#include "WidgetDriver.h"
#include "WorkingFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const char childReportVariable[] = "R7_E2E_CHILD_REPORT";

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// The tab strip as the user reads it: "Global Defaults", then each top-level
// profile's tab, the active one marked with "*".
QStringList shownTabs(ProfileScroller *strip)
{
    QStringList tabs;
    const auto name = [](const TummyButton *tab) {
        return (tab->isAsteriskHidden() ? QString() : QStringLiteral("*")) + tab->labelText();
    };
    tabs << name(strip->globalButton());
    for (const TummyButton *tab : strip->buttons())
        tabs << name(tab);
    return tabs;
}

TummyButton *tabNamed(ProfileScroller *strip, const QString &name)
{
    for (TummyButton *tab : strip->buttons()) {
        if (tab->objectName() == name)
            return tab;
    }
    return nullptr;
}

QStringList profileNames()
{
    QStringList names;
    for (const ProfileData *profile : PackageCreator::instance()->profiles())
        names << profile->name;
    return names;
}

// The payload of the last profile switch the mouse was sent; empty when none.
QVector<uint8_t> lastSwitch(const SimulatedMouse *mouse)
{
    const QVector<SimulatedMouse::Command> commands = mouse->commands();
    for (auto it = commands.crbegin(); it != commands.crend(); ++it) {
        if (it->is(1, 10, 30))
            return it->payload;
    }
    return {};
}

// The card of a mouse button's own mapping on a mapping page.
MapWidget *buttonCard(Mappings *page, int buttonId)
{
    for (MapWidget *card : page->topLevelCards()) {
        const auto *button = dynamic_cast<const InputMapAction_Button *>(card->config());
        if (button && button->buttonId == buttonId)
            return card;
    }
    return nullptr;
}

// The texts of a card's captions and summaries that its buttons cut off,
// each with the room it has; empty when every one shows whole.
QStringList clippedTexts(const MapWidget *card)
{
    QStringList clipped;
    for (const char *name : {"pushButton_topLeft", "pushButton_topRight", "pushButton_botLeft", "pushButton_botRight"}) {
        const auto *button = card->findChild<QPushButton *>(name);
        if (!button || !button->isVisible())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        const int needed = button->fontMetrics().horizontalAdvance(button->text());
        if (room < needed)
            clipped << QStringLiteral("%1 (%2 of %3 px)").arg(button->text()).arg(room).arg(needed);
    }
    return clipped;
}

// The name of the global profile's own mapping of a mouse button.
QString globalButtonMappingName(int buttonId)
{
    for (const InputMapPtr &mapping : PackageCreator::instance()->globalProfile()->inputMaps) {
        const auto *button = dynamic_cast<const InputMapAction_Button *>(mapping.get());
        if (button && button->buttonId == buttonId)
            return mapping->name;
    }
    return QString();
}

// The row of that text in the picker's tree, below parent.
QModelIndex pickerRow(const ComboTreeView *tree, const QString &text, const QModelIndex &parent = QModelIndex())
{
    const QAbstractItemModel *model = tree->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == text)
            return index;
    }
    return QModelIndex();
}

// A row of the main menu, clicked as the user does.
bool chooseMenuRow(ExpertView *view, const QString &text)
{
    view->findChild<QPushButton *>("pushButton_mainMenu")->click();
    auto *menu = view->findChild<MainMenu *>();
    if (!menu || !menu->isVisible())
        return false;
    for (QLabel *row : menu->findChildren<QLabel *>()) {
        if (row->text() == text && row->isVisible()) {
            click(row);
            return true;
        }
    }
    return false;
}

// The toolkit's file dialog: the path put into its name field, then Enter.
DialogAnswerer::Answer chooseFile(const QString &path)
{
    return [path](QWidget *dialog) {
        auto *name = WidgetDriver::child<QLineEdit>(dialog, "fileNameEdit");
        QVERIFY2(name, "no file dialog");
        name->setFocus();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    };
}

// Ticks the profile selection's boxes of these names only, then Ok.
DialogAnswerer::Answer tickProfiles(const QStringList &names, const std::function<void()> &beforeOk = {})
{
    return [names, beforeOk](QWidget *dialog) {
        for (QCheckBox *box : dialog->findChildren<QCheckBox *>()) {
            if (box->objectName() == "checkBox_selectAll")
                continue;
            if (names.contains(box->text().trimmed()) != box->isChecked())
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
        }
        if (beforeOk)
            beforeOk();
        QVERIFY(WidgetDriver::click(dialog, "pushButton_ok"));
    };
}

// Answers dialogs that open one after the other, each with its own answer:
// the next one's answerer is made while the one before is still open, so it
// waits for a new dialog. A dialog after the last one expected is closed and
// its texts kept, so that a message the test did not expect fails the test
// instead of blocking it.
class DialogSequence
{
public:
    explicit DialogSequence(QList<DialogAnswerer::Answer> answers, int timeoutMs = 20000)
        : m_answers(std::move(answers))
        , m_total(int(m_answers.size()))
        , m_timeout(timeoutMs)
    {
        next();
    }
    // All were answered and closed, and no other dialog came.
    bool wait()
    {
        QElapsedTimer clock;
        clock.start();
        while ((m_answered < m_total || QApplication::activeModalWidget()) && clock.elapsed() < m_timeout)
            QTest::qWait(10);
        m_answerers.clear();
        return m_answered == m_total && m_unexpected.isEmpty();
    }
    // How it went, for a failure's message.
    QString report() const
    {
        return QStringLiteral("%1 of %2 answered; not expected: %3")
            .arg(m_answered)
            .arg(m_total)
            .arg(m_unexpected.join(QStringLiteral(" / ")));
    }

private:
    void next()
    {
        if (m_answers.isEmpty()) {
            m_answerers.push_back(std::make_unique<DialogAnswerer>(
                [this](QWidget *dialog) {
                    for (const QLabel *label : dialog->findChildren<QLabel *>())
                        m_unexpected << label->text();
                    next();
                    dialog->close();
                },
                m_timeout));
            return;
        }
        DialogAnswerer::Answer answer = m_answers.takeFirst();
        m_answerers.push_back(std::make_unique<DialogAnswerer>(
            [this, answer](QWidget *dialog) {
                ++m_answered;
                next();
                answer(dialog);
            },
            m_timeout));
    }

    QList<DialogAnswerer::Answer> m_answers;
    std::vector<std::unique_ptr<DialogAnswerer>> m_answerers;
    int m_total;
    int m_timeout;
    int m_answered = 0;
    QStringList m_unexpected;
};

} // namespace

class TestExpertFlows : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> run;
    QTemporaryDir programs;
    QProcess game;
    QProcess other;
    std::unique_ptr<DesktopWindows> desktop;
    // What the first start made of the profiles, for the second.
    QByteArray lastUpload;
    QStringList tabsBeforeRestart;

    ExpertView *view() const { return run->app()->expert(); }
    ProfileScroller *strip() const { return view()->profileScroller(); }
    ProfilesView *tree() const { return view()->profilesView(); }
    QPushButton *saveButton() const { return view()->findChild<QPushButton *>("pushButton_save"); }
    // The switch as the user sees it, and the window's own state of it.
    bool switchShowsOn() const
    {
        const auto *slider = view()->findChild<QSlider *>("horizontalSlider_connect");
        return slider->value() == 1 && view()->connectionSwitch().isOn();
    }
    bool switchShowsOff() const
    {
        const auto *slider = view()->findChild<QSlider *>("horizontalSlider_connect");
        return slider->value() == 0 && !view()->connectionSwitch().isOn();
    }
    bool mouseHoldsTheModel() const
    {
        const QByteArray package = PackageCreator::instance()->package();
        return !package.isEmpty() && run->mouse()->ramPackage() == package;
    }
    void shot(const QString &step) { QVERIFY2(!run->shot(step).isEmpty(), qPrintable(step)); }
    // A copy of a small program under another name, running.
    void startCopy(QProcess &process, const QString &name)
    {
        const QString copy = programs.filePath(name);
        QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
        process.start(copy, {"300"});
        QVERIFY(process.waitForStarted());
    }
    // Chooses an entry of the active-profile box through its pop-up.
    void chooseActiveEntry(int row)
    {
        ComboBox *box = view()->activeProfileBox();
        click(box);
        auto *list = box->findChild<ComboItemView *>();
        QVERIFY(list);
        QTRY_VERIFY(list->window()->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualRect(list->model()->index(row, 0)).center());
        QTRY_VERIFY(!list->window()->isVisible());
    }

private slots:
    void initTestCase()
    {
        AppHarness::prepareProcess(R7_SHIPPED_DIR, R7_E2E_SHOTS);
        if (qEnvironmentVariableIsSet(childReportVariable))
            return;
        qInfo().noquote() << "Pictures of the screen:" << AppHarness::shotsRoot();
        QVERIFY(programs.isValid());
        AppHarness::clearHome();
        run = std::make_unique<AppHarness>(5, QStringLiteral("expert"));
    }
    void cleanupTestCase()
    {
        desktop.reset();
        run.reset();
        for (QProcess *process : {&game, &other}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // 1. The first start, over an empty home: the intro, the simple view,
    // then the expert view. The mouse plugged in turns the switch on by
    // itself, which uploads once and saves, so Save has nothing left to do.
    void firstStartOnAnEmptyHome()
    {
        if (!run)
            QSKIP("the child's run");
        run->start();
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QCOMPARE(run->app()->currentView(), run->app()->simple());
        // The intro opens once the window is the active one; the user does
        // not want it again.
        DialogAnswerer intro([&](QWidget *dialog) {
            shot("1-intro");
            auto *again = WidgetDriver::child<QCheckBox>(dialog, "checkBox_showAgain");
            QVERIFY(again && again->isChecked());
            QTest::mouseClick(again, Qt::LeftButton, Qt::NoModifier, QPoint(8, again->height() / 2));
            QVERIFY(!again->isChecked());
            WidgetDriver::click(dialog, "pushButton_close");
        });
        run->awaitWindow(run->app()->simple());
        QVERIFY(intro.wait());
        QVERIFY(WidgetDriver::click(run->app()->simple(), "pushButton_expert"));
        QCOMPARE(run->app()->currentView(), view());
        run->awaitWindow(view());
        QVERIFY(switchShowsOff());
        QCOMPARE(run->mouse()->uploads(), 0);
        run->plugIn();
        QTRY_VERIFY(switchShowsOn());
        run->awaitUploads(1);
        QTest::qWait(200);
        run->settle();
        QCOMPARE(run->mouse()->uploads(), 1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        QVERIFY(!saveButton()->isEnabled());
        QCOMPARE(shownTabs(strip()), (QStringList{"Global Defaults", "*Desktop", "Games"}));
        shot("1-connected");
    }

    // 2. The Left Button's card on the Global profile's mapping page gets an
    // action of the library through its picker; Save uploads it and writes
    // the working file.
    void pickForTheLeftButtonAndSave()
    {
        if (!run)
            QSKIP("the child's run");
        click(strip()->globalButton());
        QTRY_COMPARE(tree()->currentPage(), tree()->globalPage());
        QVERIFY(WidgetDriver::click(view(), "pushButton_mappings"));
        // The starter profiles map no button in Global: the page offers to
        // take the mappings over.
        Profile *global = tree()->globalPage();
        QTRY_VERIFY(global->emptyPage()->isVisible());
        shot("2-no-mappings");
        QVERIFY(WidgetDriver::click(global->emptyPage(), "pushButton_add_mappings"));
        Mappings *page = global->mappings();
        QTRY_VERIFY(page->isVisible());
        MapWidget *card = buttonCard(page, 0);
        QVERIFY(card);
        QTRY_VERIFY(card->isVisible());
        for (const MapWidget *shown : page->topLevelCards())
            QVERIFY2(clippedTexts(shown).isEmpty(), qPrintable(clippedTexts(shown).join(", ")));

        const QByteArray before = PackageCreator::instance()->package();
        const int uploads = run->mouse()->uploads();
        QVERIFY(WidgetDriver::click(card, "pushButton_actionLibrary"));
        ComboTree *picker = card->outputBar()->comboTree();
        QTRY_VERIFY(picker->isPopupVisible());
        ComboTreeView *list = picker->treeView();
        const QModelIndex editing = pickerRow(list, "Editing");
        QVERIFY(editing.isValid());
        // The group opens at its arrow.
        const QRect group = list->visualRect(editing);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(group.left() - list->indentation() / 2, group.center().y()));
        QTRY_VERIFY(list->isExpanded(editing));
        const QModelIndex copy = pickerRow(list, "Copy", editing);
        QVERIFY(copy.isValid());
        list->scrollTo(copy);
        shot("2-picker");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(copy).center());
        QTRY_VERIFY(!picker->isPopupVisible());

        // Picked, not yet saved: the mouse and the file hold the old profiles.
        QCOMPARE(card->config()->name, QString("Copy"));
        QCOMPARE(globalButtonMappingName(0), QString("Copy"));
        QVERIFY2(picker->currentText().startsWith("Copy : "), qPrintable(picker->currentText()));
        QVERIFY(PackageCreator::instance()->package() != before);
        QVERIFY(saveButton()->isEnabled());
        QCOMPARE(run->mouse()->uploads(), uploads);
        QVERIFY(!WorkingFile::holdsTheModel());
        shot("2-picked");
        QVERIFY2(clippedTexts(card).isEmpty(), qPrintable(clippedTexts(card).join(", ")));

        click(saveButton());
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        QVERIFY(ConfigFile::workingFilePath().endsWith("/autosave.kvlf"));
        QVERIFY(!saveButton()->isEnabled());
        shot("2-saved");
    }

    // 3. The program again, as a child process over the same home: the same
    // tabs and profiles, and its first upload is what the mouse held last.
    void restartAsAChild()
    {
        if (!run)
            QSKIP("the child's run");
        const QByteArray model = ConfigFile::instance()->writeBytes();
        lastUpload = run->mouse()->ramPackage();
        tabsBeforeRestart = shownTabs(strip());
        run->stop();
        QTemporaryDir folder;
        const QString report = folder.filePath("child.json");
        {
            // This program has no application object meanwhile.
            int argc = 1;
            char name[] = "tst_e2e_expert";
            char *argv[] = {name, nullptr};
            QCoreApplication application(argc, argv);
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(childReportVariable, report);
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), {"childRun"});
            QVERIFY2(child.waitForFinished(120000), qPrintable(child.errorString()));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);
        }
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject shown = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(shown["uploads"].toInt(), 1);
        QCOMPARE(QByteArray::fromHex(shown["firstUpload"].toString().toLatin1()), lastUpload);
        QCOMPARE(shown["model"].toString().toUtf8(), model);
        QCOMPARE(shown["tabs"].toVariant().toStringList(), tabsBeforeRestart);
        QCOMPARE(shown["leftButton"].toString(), QString("Copy"));

        run->start();
        run->awaitWindow(view());
        run->plugIn();
        QVERIFY(mouseHoldsTheModel());
        QCOMPARE(ConfigFile::instance()->writeBytes(), model);
        QCOMPARE(shownTabs(strip()), tabsBeforeRestart);
    }

    // Runs only as the child restartAsAChild starts.
    void childRun()
    {
        const QString report = qEnvironmentVariable(childReportVariable);
        if (report.isEmpty())
            QSKIP("the second start of the program, run by restartAsAChild");
        AppHarness child(5, QStringLiteral("expert-child"));
        child.start();
        ExpertView *expert = child.app()->expert();
        QCOMPARE(child.app()->currentView(), expert);
        child.awaitWindow(expert);
        child.plugIn();
        child.awaitUploads(1);
        QVERIFY(!child.shot("3-child").isEmpty());
        QJsonObject out;
        out["uploads"] = child.mouse()->uploads();
        out["firstUpload"] = QString::fromLatin1(child.mouse()->ramPackage().toHex());
        out["model"] = QString::fromUtf8(ConfigFile::instance()->writeBytes());
        out["tabs"] = QJsonArray::fromStringList(shownTabs(expert->profileScroller()));
        out["leftButton"] = globalButtonMappingName(0);
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(out).toJson());
    }

    // 4. "game" linked to a new profile Work through its row of linked
    // applications, automatic switching chosen in the active-profile box;
    // then the window manager reports "game" in front, and another program.
    void foregroundProgramsAreFollowed()
    {
        if (!run)
            QSKIP("the child's run");
        desktop = std::make_unique<DesktopWindows>();
        QVERIFY(desktop->isOpen());
        startCopy(game, "game");
        startCopy(other, "notes");
        const auto gameWindow = desktop->addWindow(quint32(game.processId()));
        const auto otherWindow = desktop->addWindow(quint32(other.processId()));

        // A new top-level profile Work, through "+".
        QVERIFY(WidgetDriver::click(strip(), "pushButton_add"));
        AddProfile *add = view()->addProfileDialog();
        QTRY_VERIFY(add->isVisible());
        QVERIFY(WidgetDriver::typeInto(add, "lineEdit_name", "Work"));
        shot("4-add-work");
        QVERIFY(WidgetDriver::click(add, "pushButton_add"));
        QTRY_VERIFY(!add->isVisible());
        QTRY_VERIFY(tabNamed(strip(), "Work"));
        click(tabNamed(strip(), "Work"));
        QTRY_COMPARE(tree()->currentPage()->name(), QString("Work"));
        ProfileData *work = SampleModel::profileNamed("Work");
        QVERIFY(work);
        // Its settings page, where the row of linked applications is.
        QVERIFY(WidgetDriver::click(view(), "pushButton_settings"));
        QTRY_VERIFY(tree()->currentPage()->linkedApps()->isVisible());
        QCOMPARE(shownTabs(strip()), (QStringList{"Global Defaults", "*Desktop", "Games", "Work"}));

        // The link dialog lists the programs with a window open. Once one
        // is linked the program offers automatic switching, which the user
        // turns on in the active-profile box instead.
        bool listed = false;
        QString offer;
        DialogSequence link({[&](QWidget *dialog) {
                                 auto *box = WidgetDriver::child<QCheckBox>(dialog, "game");
                                 listed = box && WidgetDriver::child<QCheckBox>(dialog, "notes");
                                 QVERIFY(box);
                                 QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
                                 QVERIFY(box->isChecked());
                                 shot("4-link-game");
                                 WidgetDriver::click(dialog, "pushButton_link_selected");
                             },
                             [&](QWidget *dialog) {
                                 for (const QLabel *label : dialog->findChildren<QLabel *>())
                                     offer += label->text();
                                 shot("4-offer-auto-switching");
                                 QVERIFY(WidgetDriver::clickText(dialog, "No"));
                             }});
        QVERIFY(WidgetDriver::click(tree()->currentPage()->linkedApps(), "pushButton_add"));
        QVERIFY2(link.wait(), qPrintable(link.report()));
        QVERIFY(listed);
        QVERIFY2(offer.contains("Would you like to enable it now?"), qPrintable(offer));
        QVERIFY(!PackageCreator::instance()->autoSwitching());
        QCOMPARE(work->linkedAppPaths, QStringList{"game"});
        QCOMPARE(tree()->currentPage()->linkedApps()->appNames(), QStringList{"game"});

        chooseActiveEntry(0);
        QCOMPARE(view()->activeProfileBox()->currentText(), QString("Auto Profile Switching"));
        QVERIFY(PackageCreator::instance()->autoSwitching());
        QVERIFY(switchShowsOn());
        run->settle();
        shot("4-auto");

        desktop->activate(gameWindow);
        QTRY_COMPARE(view()->previousForegroundApp(), QString("game"));
        QTRY_COMPARE(shownTabs(strip()), (QStringList{"Global Defaults", "Desktop", "Games", "*Work"}));
        // Work comes after the two starter profiles.
        QCOMPARE(int(work->index), 2);
        QTRY_COMPARE(lastSwitch(run->mouse()), (QVector<uint8_t>{2, 2, 255}));
        run->settle();
        QCOMPARE(run->mouse()->profileIndex(), 2);
        QCOMPARE(run->mouse()->subProfileIndex(), 255);
        shot("4-game-in-front");

        // Nothing linked to "notes": the default profile, Desktop.
        desktop->activate(otherWindow);
        QTRY_COMPARE(view()->previousForegroundApp(), QString("notes"));
        QTRY_COMPARE(shownTabs(strip()), (QStringList{"Global Defaults", "*Desktop", "Games", "Work"}));
        QTRY_COMPARE(lastSwitch(run->mouse()), (QVector<uint8_t>{2, 0, 255}));
        run->settle();
        QCOMPARE(run->mouse()->profileIndex(), 0);
        QVERIFY(PackageCreator::instance()->autoSwitching());
        shot("4-other-in-front");
    }

    // 5. Global and Work exported to a file, then imported from it with
    // "Clear Current, and Import", all through the main menu: only the
    // file's profiles are left, in the tabs and at the mouse.
    void exportThenClearAndImport()
    {
        if (!run)
            QSKIP("the child's run");
        const QString path = ConfigFile::documentsFolder() + "/Global and Work.kvlf";
        QVERIFY(!QFile::exists(path));
        const int uploads = run->mouse()->uploads();

        DialogSequence exporting({tickProfiles({"Global", "Work"}, [this] { shot("5-export-selection"); }),
                                  chooseFile(path)});
        QVERIFY(chooseMenuRow(view(), "Export Profiles to a File"));
        QVERIFY2(exporting.wait(), qPrintable(exporting.report()));
        QVERIFY(QFile::exists(path));
        bool hasGlobal = false;
        // Top-level profiles come indented below the global one.
        QCOMPARE(ConfigFile::instance()->profileNamesInFile(path, &hasGlobal), (QStringList{"Global", "  Work"}));
        QVERIFY(hasGlobal);
        QCOMPARE(profileNames(), (QStringList{"Desktop", "Games", "Work"}));

        QString question;
        DialogSequence importing({chooseFile(path), tickProfiles({"Global", "Work"}),
                                  [&](QWidget *dialog) {
                                      shot("5-clear-or-merge");
                                      for (const QLabel *label : dialog->findChildren<QLabel *>())
                                          question += label->text();
                                      QVERIFY(WidgetDriver::clickText(dialog, "Clear Current, and Import"));
                                  }});
        QVERIFY(chooseMenuRow(view(), "Import Profiles from a File"));
        QVERIFY2(importing.wait(), qPrintable(importing.report()));
        QVERIFY2(question.contains("or clear existing mappings first?"), qPrintable(question));

        QCOMPARE(profileNames(), QStringList{"Work"});
        QCOMPARE(SampleModel::profileNamed("Work")->linkedAppPaths, QStringList{"game"});
        QTRY_COMPARE(strip()->buttons().size(), 1);
        QCOMPARE(strip()->buttons().at(0)->labelText(), QString("Work"));
        QCOMPARE(globalButtonMappingName(0), QString("Copy"));
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("5-imported");
    }

    // 6. Unplugged and plugged in again: the switch goes off without a save
    // or an upload, and on again with one.
    void unplugAndPlugIn()
    {
        if (!run)
            QSKIP("the child's run");
        const int uploads = run->mouse()->uploads();
        const QByteArray file = WorkingFile::bytes();
        run->unplug();
        QTRY_VERIFY(switchShowsOff());
        QTest::qWait(100);
        QCOMPARE(run->mouse()->uploads(), uploads);
        QCOMPARE(WorkingFile::bytes(), file);
        shot("6-unplugged");
        run->plugIn();
        QTRY_VERIFY(switchShowsOn());
        run->awaitUploads(uploads + 1);
        QVERIFY(mouseHoldsTheModel());
        QVERIFY(WorkingFile::holdsTheModel());
        shot("6-plugged-in");
    }
};

QTEST_APPLESS_MAIN(TestExpertFlows)
#include "tst_e2e_expert.moc"
