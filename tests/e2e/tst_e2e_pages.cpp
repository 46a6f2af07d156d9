// A profile page of the expert view made when it first shows is the page one
// made before shows: the whole program over the simulated mouse (model 10) on
// an X server of the test's own, with two profiles of the same content, each
// with settings of its own, profile outputs, linked applications and nested
// mappings. One twin's page is made while the window shows another profile
// and before the mouse connects, as every page once was; the other's only
// when the user first opens it, with the connected model's style key. Shown
// alike, they read the same, widget by widget, and making them stored
// nothing.
#include "App.h"
#include "AppHarness.h"
#include "ConfigFile.h"
#include "EmptyPage.h"
#include "ExpertView.h"
#include "InputMapAction_Button.h"
#include "LinkedApps.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "ModelSnapshot.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"
#include "PackageCreator.h"
#include "Profile.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "Settings.h"
#include "SimulatedMouse.h"
#include "StyleProperties.h"
#include "TummyButton.h"
#include "WidgetDriver.h"
#include "WorkingFile.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString early = QStringLiteral("Twin Early");
const QString late = QStringLiteral("Twin Late");

InputMapPtr nested(int buttonId, const QString &name)
{
    InputMapPtr parent = WorkingFile::click(buttonId, name);
    InputMapPtr child = parent->addChild(WorkingFile::click(buttonId + 1, name + QStringLiteral(" inside")));
    child->addChild(WorkingFile::click(buttonId + 2, name + QStringLiteral(" deepest")));
    return parent;
}

void fill(ProfileData *profile)
{
    profile->setOwnSettings(true);
    profile->dpiRecord.levelCount = 3;
    profile->dpiRecord.currentLevel = 1;
    profile->dpiRecord.dpiValues = {800, 1600, 3200};
    profile->reportIntervalRecord.reportInterval = 2;
    profile->liftOffRecord.liftOffLevel = 3;
    profile->ledRecord.ledMode = 1;
    profile->ledRecord.colour1[0] = 0x12;
    profile->ledRecord.colour1[1] = 0x34;
    profile->ledRecord.colour1[2] = 0x56;
    profile->oledRecord.oledMode = 1;
    profile->oledRecord.message = "Hello";
    auto key = std::make_shared<OutputAction_Keyboard>(30);
    key->keyUsage = 0x28;
    key->updateKeyGroup();
    key->buttonState = 2;
    profile->profileOutputs << key;
    profile->linkedAppPaths = QStringList{"/usr/bin/editor", "C:\\Games\\game.exe"};
    profile->linkedAppNames = QStringList{"Editor", "Game"};
    profile->inputMaps << WorkingFile::click(0, "Fire") << nested(1, "Combo") << WorkingFile::click(3, "Back");
}

// The global profile (the default, shown at start) and the twins.
bool writeTwins()
{
    PackageCreator *store = PackageCreator::instance();
    ProfileData *global = SampleModel::emptyModel();
    global->isDefault = true;
    global->inputMaps << WorkingFile::click(0, "Left Click");
    fill(store->addProfile(0, 255, early));
    fill(store->addProfile(1, 255, late));
    store->setActiveProfile(global);
    store->setCurrentProfile(global);
    QDir().mkpath(QFileInfo(ConfigFile::workingFilePath()).absolutePath());
    const bool written = ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath());
    store->reset();
    return written;
}

// What the user sees of each widget below root, in tree order: its kind and
// name, whether it shows, whether it is enabled, its style key and what it
// reads or holds. The twins' names read the same.
QStringList describe(const QWidget *root)
{
    QStringList lines;
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        if (widget->isWindow())
            continue;
        QString line = QStringLiteral("%1 %2 shown=%3 enabled=%4 m=%5")
                           .arg(QLatin1String(widget->metaObject()->className()), widget->objectName())
                           .arg(widget->isVisibleTo(root))
                           .arg(widget->isEnabled())
                           .arg(widget->property(StyleProperties::modelKey).toString());
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            line += QStringLiteral(" text=") + label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            line += QStringLiteral(" text=%1 checked=%2").arg(button->text()).arg(button->isChecked());
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            line += QStringLiteral(" text=") + edit->text();
        if (const auto *combo = qobject_cast<const QComboBox *>(widget))
            line += QStringLiteral(" index=%1 text=%2").arg(combo->currentIndex()).arg(combo->currentText());
        if (const auto *slider = qobject_cast<const QAbstractSlider *>(widget))
            line += QStringLiteral(" value=%1").arg(slider->value());
        if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
            line += QStringLiteral(" text=") + spin->text();
        line.replace(early, QStringLiteral("Twin")).replace(late, QStringLiteral("Twin"));
        lines << line;
    }
    return lines;
}

// A child page of a profile page as the program made it, or null while it
// has not made it: the page's own accessors would make it, so that the test
// would describe a page it made itself.
template<class Part>
Part *madePart(const Profile *page)
{
    return page->findChild<Part *>(QString(), Qt::FindDirectChildrenOnly);
}

template<class Part>
void describePart(const Profile *page, const QString &name, bool viewPart, QStringList *lines)
{
    const QList<Part *> made = page->findChildren<Part *>(QString(), Qt::FindDirectChildrenOnly);
    if (made.size() > 1)
        *lines << QStringLiteral("[%1] made %2 times").arg(name).arg(made.size());
    const Part *part = made.value(0);
    // One not made shows as little as one hidden.
    const bool shown = part && part->isVisibleTo(page);
    *lines << QStringLiteral("[%1] shown=%2").arg(name).arg(shown);
    if (!shown && !viewPart)
        return;
    if (part)
        *lines << describe(part);
    else
        *lines << QStringLiteral("[%1] not made").arg(name);
}

// The child pages of a profile page that a view shows, each described
// apart, so that the order in which they were made does not count; a page
// the view hides is described only as hidden.
QStringList describePageNow(const Profile *page, bool settingsView)
{
    QStringList lines;
    describePart<LinkedApps>(page, "links", false, &lines);
    describePart<EmptyPage>(page, "empty", false, &lines);
    describePart<Settings>(page, "settings", settingsView, &lines);
    describePart<Mappings>(page, "mappings", !settingsView, &lines);
    return lines;
}

// The page as the user sees it once it is still: its cards all made and
// its description the same after another turn of the event loop.
QStringList describePage(const Profile *page, bool settingsView)
{
    QStringList lines;
    const bool still = QTest::qWaitFor(
        [&] {
            const Mappings *mappings = madePart<Mappings>(page);
            if (mappings && !mappings->allCardsMade())
                return false;
            const QStringList now = describePageNow(page, settingsView);
            const bool same = now == lines;
            lines = now;
            return same;
        },
        20000);
    if (!still)
        lines << QStringLiteral("[still changing]");
    return lines;
}

// The first line in which two descriptions differ, for a failure's message.
QString firstDifference(const QStringList &a, const QStringList &b)
{
    for (int i = 0; i < qMin(a.size(), b.size()); ++i) {
        if (a.at(i) != b.at(i))
            return QStringLiteral("line %1:\n  %2\n  %3").arg(i).arg(a.at(i), b.at(i));
    }
    return a.size() == b.size() ? QString() : QStringLiteral("%1 lines against %2").arg(a.size()).arg(b.size());
}

} // namespace

class TestPagesMadeLate : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> run;

    ExpertView *view() const { return run->app()->expert(); }
    ProfilesView *tree() const { return view()->profilesView(); }
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
        for (TummyButton *tab : view()->profileScroller()->buttons()) {
            if (tab->objectName() == name) {
                QTest::mouseClick(tab, Qt::LeftButton, Qt::NoModifier, tab->rect().center());
                QTRY_COMPARE(tree()->currentPage()->name(), name);
                return;
            }
        }
        QFAIL(qPrintable("no tab " + name));
    }
    void openPage(const char *button)
    {
        auto *pageButton = view()->findChild<QPushButton *>(button);
        QVERIFY(pageButton);
        QTest::mouseClick(pageButton, Qt::LeftButton, Qt::NoModifier, pageButton->rect().center());
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        AppHarness::prepareProcess(R7_SHIPPED_DIR, R7_E2E_SHOTS);
        AppHarness::clearHome();
        run = std::make_unique<AppHarness>(10, QStringLiteral("pages"));
    }
    void cleanupTestCase() { run.reset(); }

    void pageMadeWhenFirstShownIsThePageMadeBefore()
    {
        AppHarness::returningUser(true);
        QVERIFY(writeTwins());
        run->start();
        run->awaitWindow(view());
        QCOMPARE(tree()->currentPage(), tree()->globalPage());
        Profile *made = page(early);
        Profile *waiting = page(late);
        QVERIFY(made && waiting);
        QVERIFY(!made->isBuilt());
        QVERIFY(!waiting->isBuilt());

        // One twin's pages made now, hidden, with the key of no mouse, by
        // the accessors that make them.
        const ModelSnapshot before = ModelSnapshot::take();
        const QString noMouseKey = made->settings()->property(StyleProperties::modelKey).toString();
        made->linkedApps();
        made->emptyPage();
        made->mappings();
        QVERIFY(!made->isVisible());

        // The mouse connects: its model's key, the profiles uploaded.
        run->plugIn();
        run->awaitUploads(1);
        auto *save = view()->findChild<QPushButton *>("pushButton_save");
        QVERIFY(!save->isEnabled());
        const QString key = tree()->globalPage()->property(StyleProperties::modelKey).toString();
        QVERIFY(key != noMouseKey);

        // The other twin first shown on its settings page, then both on
        // each page; the one made before gets each page's content anew as
        // it is shown, as it always did. What the test sees of the other is
        // only what the program made of it.
        QVERIFY(!waiting->isBuilt());
        openTab(late);
        openPage("pushButton_settings");
        QTRY_VERIFY(madePart<Settings>(waiting) && madePart<Settings>(waiting)->isVisible());
        QVERIFY(!madePart<Mappings>(waiting) || !madePart<Mappings>(waiting)->isVisible());
        QVERIFY(!run->shot("late-settings").isEmpty());
        const QStringList lateSettings = describePage(waiting, true);
        openTab(early);
        const QStringList earlySettings = describePage(made, true);
        QVERIFY2(lateSettings == earlySettings, qPrintable(firstDifference(earlySettings, lateSettings)));
        QVERIFY(lateSettings.join('\n').contains("m=" + key));

        openPage("pushButton_mappings");
        QTRY_VERIFY(made->mappings()->isVisible());
        QCOMPARE(made->mappings()->topLevelCards().size(), 3);
        const QStringList earlyMappings = describePage(made, false);
        openTab(late);
        QTRY_VERIFY(madePart<Mappings>(waiting) && madePart<Mappings>(waiting)->isVisible());
        const QStringList lateMappings = describePage(waiting, false);
        QVERIFY2(lateMappings == earlyMappings, qPrintable(firstDifference(earlyMappings, lateMappings)));
        const QList<MapWidget *> &lateCards = madePart<Mappings>(waiting)->topLevelCards();
        QCOMPARE(lateCards.size(), 3);
        QCOMPARE(lateCards.at(1)->childCards().size(), 1);
        QCOMPARE(lateCards.at(1)->childCards().first()->childCards().size(), 1);
        QVERIFY(!run->shot("late-mappings").isEmpty());

        // Making and showing them stored nothing, and left nothing to save.
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QVERIFY(!save->isEnabled());

        // The page made late stores what the user changes, into its own
        // profile, as Save then uploads it.
        openPage("pushButton_settings");
        QTRY_VERIFY(madePart<Settings>(waiting) && madePart<Settings>(waiting)->isVisible());
        auto *polling = madePart<Settings>(waiting)->findChild<QComboBox *>("comboBox_max_polling_rate");
        QVERIFY(polling);
        polling->setCurrentIndex(3);
        QTRY_VERIFY(save->isEnabled());
        QCOMPARE(int(SampleModel::profileNamed(late)->reportIntervalRecord.reportInterval), 8);
        QCOMPARE(int(SampleModel::profileNamed(early)->reportIntervalRecord.reportInterval), 2);
        QTest::mouseClick(save, Qt::LeftButton, Qt::NoModifier, save->rect().center());
        run->awaitUploads(2);
        QVERIFY(WorkingFile::holdsTheModel());
    }
};

QTEST_APPLESS_MAIN(TestPagesMadeLate)
#include "tst_e2e_pages.moc"
