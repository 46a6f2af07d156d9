// Profiles with long mapping lists in the expert window over the simulated
// mouse: a mapping page shows its first cards at once and makes the others
// in later turns, and whatever the user does while cards still wait keeps
// every profile's mappings, in their order, and the cards made late read as
// those made at once.
#include "EmptyPage.h"
#include "ExpertViewTestKit.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "MenuItemView.h"
#include "MenuList.h"
#include "Profile.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "TummyButton.h"

namespace {

constexpr int listLength = 90;

QStringList namesOf(const InputMapList &maps)
{
    QStringList names;
    for (const InputMapPtr &mapping : maps)
        names << (mapping ? mapping->name : QStringLiteral("<null>"));
    return names;
}

// "<prefix> 0" to "<prefix> 89", of buttons 0 to 4 in turn.
QStringList longList(const QString &prefix)
{
    QStringList names;
    for (int i = 0; i < listLength; ++i)
        names << QStringLiteral("%1 %2").arg(prefix).arg(i);
    return names;
}

void fill(ProfileData *profile, const QString &prefix)
{
    const QStringList names = longList(prefix);
    for (int i = 0; i < names.size(); ++i)
        profile->inputMaps << SampleModel::button(i % 5, names.at(i));
}

// Global (the default), Work and Play each with a long list, and Play's
// sub-profile Level; with globalList the global profile's list is long too.
bool writeFile(bool globalList)
{
    PackageCreator *model = PackageCreator::instance();
    ProfileData *global = SampleModel::emptyModel();
    global->isDefault = true;
    if (globalList)
        fill(global, "Global");
    fill(model->addProfile(0, 255, "Work"), "Work");
    fill(model->addProfile(1, 255, "Play"), "Play");
    model->addProfile(1, 0, "Level");
    QDir().mkpath(QFileInfo(ConfigFile::workingFilePath()).absolutePath());
    const bool written = ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath());
    model->reset();
    return written;
}

// What a card shows of its own rows: each button's name, enabled and shown.
QString cardState(const MapWidget *card)
{
    QStringList parts;
    for (const QPushButton *button : card->findChildren<QPushButton *>())
        parts << QString("%1 e=%2 v=%3")
                     .arg(button->objectName())
                     .arg(button->isEnabled())
                     .arg(button->isVisibleTo(card));
    return parts.join(", ");
}

} // namespace

class TestLongMappingLists : public QObject, private ExpertViewRig
{
    Q_OBJECT

    ProfilesView *tree() const { return view->profilesView(); }
    Profile *page(const QString &name) const
    {
        for (Profile *candidate : tree()->pages()) {
            if (candidate->name() == name)
                return candidate;
        }
        return nullptr;
    }
    void openTab(const QString &name)
    {
        for (TummyButton *tab : view->profileScroller()->buttons()) {
            if (tab->objectName() == name) {
                QTest::mouseClick(tab, Qt::LeftButton, Qt::NoModifier, tab->rect().center());
                return;
            }
        }
        QFAIL(qPrintable("no tab " + name));
    }
    // A row of the current profile's menu.
    void choose(int row)
    {
        MenuList *menu = tree()->profileMenu();
        menu->showAt(view->mapToGlobal(QPoint(20, 120)));
        auto *list = menu->findChild<MenuItemView *>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    void answerLineDialog(const QString &name)
    {
        auto *dialog = tree()->findChild<QDialog *>("lineDialog");
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", name));
        QVERIFY(WidgetDriver::click(dialog, "pushButton_do"));
    }
    // Save and what it does: the profiles as they are uploaded, as the
    // switch is on, then the file written, which leaves nothing to save.
    void save()
    {
        QPushButton *save = button("pushButton_save");
        QVERIFY(save->isEnabled());
        const int before = fixture->mouse()->uploads();
        QTest::mouseClick(save, Qt::LeftButton);
        QTRY_COMPARE(fixture->mouse()->uploads(), before + 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QTRY_VERIFY(!save->isEnabled());
    }
    // The profile active in the window and on the mouse.
    void awaitActive(const QString &name)
    {
        QTRY_VERIFY(tree()->activePage());
        QTRY_COMPARE(tree()->activePage()->name(), name);
        const ProfileData *record = SampleModel::profileNamed(name);
        QVERIFY(record);
        QTRY_COMPARE(fixture->mouse()->profileIndex(), int(record->index));
        QTRY_COMPARE(fixture->mouse()->subProfileIndex(), int(record->subIndex));
    }
    void start(bool globalList, int productId = 10)
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("R7API", true);
        QVERIFY(writeFile(globalList));
        build(productId);
        plugIn();
        showWindow();
        view->resize(1200, 800);
    }

private slots:
    void initTestCase() { ExpertViewRig::initTestCase(); }
    void init() { ExpertViewRig::init(); }
    void cleanup() { ExpertViewRig::cleanup(); }

    // Work's page shown, its cards still waiting, then the user at once:
    // Work must end with the mappings of the row's list, Play with its own.
    void unluckyOrderKeepsEveryMapping_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("workName");
        QTest::addColumn<QList<int>>("workKept"); // the places kept; empty: all
        QTest::addColumn<int>("workAdded");
        const QList<int> all;
        QList<int> withoutButton3;
        for (int i = 0; i < listLength; ++i) {
            if (i % 5 != 3)
                withoutButton3 << i;
        }
        QTest::newRow("an edit, then Save") << "save"
                                            << "Work" << all << 0;
        QTest::newRow("another profile and back") << "away"
                                                  << "Work" << all << 0;
        QTest::newRow("the socket switches to another") << "socket"
                                                        << "Work" << all << 0;
        QTest::newRow("the mouse unplugged and back") << "replug"
                                                      << "Work" << all << 0;
        QTest::newRow("renamed, then Save") << "rename"
                                            << "Job" << all << 0;
        QTest::newRow("duplicated, then Save") << "duplicate"
                                               << "Work" << all << 0;
        QTest::newRow("a button's mappings removed") << "remove"
                                                     << "Work" << withoutButton3 << 0;
        QTest::newRow("a button's defaults added") << "add"
                                                   << "Work" << all << 1;
        QList<int> withoutFirst;
        for (int i = 1; i < listLength; ++i)
            withoutFirst << i;
        QTest::newRow("its first card deleted") << "deletecard"
                                                << "Work" << withoutFirst << 0;
        QTest::newRow("settings and back, an edit, then Save") << "settings"
                                                               << "Work" << all << 0;
        QTest::newRow("deleted, an edit, then Save") << "delete" << QString() << all << 0;
    }
    void unluckyOrderKeepsEveryMapping()
    {
        QFETCH(QString, then);
        QFETCH(QString, workName);
        QFETCH(QList<int>, workKept);
        QFETCH(int, workAdded);
        start(false);
        QTest::mouseClick(button("pushButton_mappings"), Qt::LeftButton);
        openTab("Work");
        QCOMPARE(tree()->currentPage()->name(), QString("Work"));
        Mappings *mappings = page("Work")->mappings();
        QVERIFY(mappings->isVisible());
        QVERIFY(!mappings->allCardsMade());
        // Each step waits for what it does, so that the checks below see its
        // effect, not the state before it.
        if (then == "save") {
            editCurrentProfile();
            save();
        } else if (then == "away") {
            openTab("Play");
            QTRY_COMPARE(tree()->currentPage()->name(), QString("Play"));
            openTab("Work");
            QTRY_COMPARE(tree()->currentPage()->name(), QString("Work"));
        } else if (then == "socket") {
            sendToSocket("Play");
            awaitActive("Play");
        } else if (then == "replug") {
            fixture->mouse()->unplug();
            QTRY_VERIFY(!view->connectionSwitch().connected());
            plugIn();
        } else if (then == "rename") {
            choose(3);
            answerLineDialog("Job");
            QTRY_VERIFY(SampleModel::profileNamed("Job"));
            save();
        } else if (then == "duplicate") {
            choose(4);
            answerLineDialog("Copy");
            QTRY_VERIFY(SampleModel::profileNamed("Copy"));
            QCOMPARE(namesOf(SampleModel::profileNamed("Copy")->inputMaps), longList("Work"));
            save();
        } else if (then == "remove") {
            view->mouseImage()->selectButton(3);
            DialogAnswerer answer(answerBox("Yes"));
            QTest::mouseClick(WidgetDriver::child<QPushButton>(mappings, "pushButton_remove"), Qt::LeftButton);
            QVERIFY(answer.answered());
        } else if (then == "add") {
            view->mouseImage()->selectButton(7);
            auto *add = WidgetDriver::child<QPushButton>(page("Work")->emptyPage(), "pushButton_add_mappings");
            QVERIFY(add->isVisible());
            QTest::mouseClick(add, Qt::LeftButton);
        } else if (then == "deletecard") {
            QWidget *list = WidgetDriver::child(mappings, "scrollAreaWidgetContents_mappings");
            MapWidget *first = list->findChildren<MapWidget *>(QString(), Qt::FindDirectChildrenOnly).first();
            emit first->clicked();
            first->menuHandler(5);
        } else if (then == "settings") {
            QTest::mouseClick(button("pushButton_settings"), Qt::LeftButton);
            QTest::mouseClick(button("pushButton_mappings"), Qt::LeftButton);
            editCurrentProfile();
            save();
        } else if (then == "delete") {
            DialogAnswerer answer(answerBox("Yes"));
            choose(5);
            QVERIFY(answer.answered());
            QTRY_VERIFY(!SampleModel::profileNamed("Work"));
            editCurrentProfile();
            save();
        }

        QTRY_COMPARE(namesOf(SampleModel::profileNamed("Play")->inputMaps), longList("Play"));
        if (workName.isEmpty()) {
            QVERIFY(!SampleModel::profileNamed("Work"));
            return;
        }
        QStringList expected;
        const QStringList work = longList("Work");
        if (workKept.isEmpty())
            expected = work;
        for (int place : qAsConst(workKept))
            expected << work.at(place);
        const auto stored = [&workName] { return namesOf(SampleModel::profileNamed(workName)->inputMaps); };
        QTRY_COMPARE(stored().size(), expected.size() + workAdded);
        QCOMPARE(stored().mid(0, expected.size()), expected);
        const QStringList storedFirst = stored();
        // The page shows every one of them, in the same order, and the cards
        // it made meanwhile changed none of them.
        Mappings *shownPage = page(workName)->mappings();
        QTRY_VERIFY_WITH_TIMEOUT(shownPage->allCardsMade() || !shownPage->isVisible(), 20000);
        InputMapList shown;
        for (MapWidget *card : shownPage->topLevelCards())
            shown << card->configPtr();
        QCOMPARE(namesOf(shown), storedFirst);
        QCOMPARE(stored(), storedFirst);
        QCOMPARE(namesOf(SampleModel::profileNamed("Play")->inputMaps), longList("Play"));
    }

    // The cards the global profile's page makes late read as those it makes
    // at once: the same rows enabled and shown for the same buttons, and
    // nothing to save.
    void lateCardsReadAsEarlyOnTheGlobalPage_data()
    {
        QTest::addColumn<int>("productId");
        QTest::newRow("a mouse without tilt") << 10;
        QTest::newRow("a mouse with tilt") << 5;
    }
    void lateCardsReadAsEarlyOnTheGlobalPage()
    {
        QFETCH(int, productId);
        start(true, productId);
        QCOMPARE(tree()->currentPage(), tree()->globalPage());
        QTest::mouseClick(button("pushButton_mappings"), Qt::LeftButton);
        Mappings *mappings = tree()->globalPage()->mappings();
        QVERIFY(!mappings->allCardsMade());
        QTRY_VERIFY_WITH_TIMEOUT(mappings->allCardsMade(), 20000);
        QWidget *list = WidgetDriver::child(mappings, "scrollAreaWidgetContents_mappings");
        const QList<MapWidget *> cards = list->findChildren<MapWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(cards.size(), listLength);
        for (int i = 5; i < cards.size(); ++i)
            QCOMPARE(cardState(cards.at(i)), cardState(cards.at(i % 5)));
        QVERIFY(!button("pushButton_save")->isEnabled());
        QCOMPARE(namesOf(PackageCreator::instance()->globalProfile()->inputMaps), longList("Global"));
    }
};

QTEST_MAIN(TestLongMappingLists)
#include "tst_longmappinglists.moc"
