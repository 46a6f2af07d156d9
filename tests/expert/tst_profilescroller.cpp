// The profile tab strip driven offscreen: unique names, sub-profiles and
// their pop-up, the arrows of a full strip, the selection and the active
// mark, and following the store.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "MenuItemView.h"
#include "MenuList.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileScroller.h"
#include "SampleModel.h"
#include "TummyButton.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

bool arrowShown(const TummyButton *tab)
{
    const QList<QLabel *> labels = tab->findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (!label->pixmap(Qt::ReturnByValue).isNull())
            return !label->isHidden();
    }
    return false;
}

QStringList tabNames(ProfileScroller &strip)
{
    QStringList names;
    const QList<TummyButton *> tabs = strip.buttons();
    for (const TummyButton *tab : tabs)
        names << tab->objectName();
    return names;
}

} // namespace

class TestProfileScroller : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ProfileScroller> strip;

    QPushButton *button(const char *name) const { return WidgetDriver::child<QPushButton>(strip.get(), name); }

    void makeStrip(int width)
    {
        strip = std::make_unique<ProfileScroller>(nullptr, nullptr);
        strip->resize(width, 76);
        strip->show();
        QVERIFY(QTest::qWaitForWindowExposed(strip.get()));
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void init()
    {
        clean.emplace();
        SampleModel::emptyModel();
        makeStrip(564);
    }

    void cleanup()
    {
        strip.reset();
        clean.reset();
    }

    void namesStayUnique()
    {
        QSignalSpy added(strip.get(), &ProfileScroller::profileAdded);
        strip->addProfile("Work", "");
        strip->addProfile("Work", "");
        strip->addProfile("Work", "");
        QCOMPARE(tabNames(*strip), QStringList({"Work", "Work I", "Work II"}));
        strip->addProfile("Work", "Work");
        strip->addProfile("Work", "Work");
        QCOMPARE(strip->groups().first(), QStringList({"Work", "Work", "Work I"}));
        strip->addProfile("Night", "Gone");
        strip->addProfile("Work", "Gone");
        QCOMPARE(tabNames(*strip), QStringList({"Work", "Work I", "Work II", "Night", "Work III"}));
        const QList<QVariantList> expected{{"Work", ""},       {"Work I", ""}, {"Work II", ""}, {"Work", "Work"},
                                           {"Work I", "Work"}, {"Night", ""},  {"Work III", ""}};
        QCOMPARE(QList<QVariantList>(added), expected);
    }

    // A tab shows its profile's name as typed, never read as markup.
    void tabsShowNamesAsTyped()
    {
        const QString name = "<b>R&D</b>";
        strip->addProfile(name, "");
        QStringList shown;
        const QList<QLabel *> labels = strip->buttons().first()->findChildren<QLabel *>();
        for (const QLabel *label : labels)
            shown << WidgetDriver::shownText(label);
        QVERIFY2(shown.contains(name), qPrintable(shown.join('|')));
    }

    void subProfilesCarryTheArrow()
    {
        strip->addProfile("Work", "");
        TummyButton *work = strip->buttons().first();
        QVERIFY(!arrowShown(work));
        strip->addProfile("Night", "Work");
        strip->addProfile("Day", "Work");
        QVERIFY(arrowShown(work));
        strip->deleteProfile("Night", "Work");
        QVERIFY(arrowShown(work));
        strip->deleteProfile("Day", "Work");
        QVERIFY(!arrowShown(work));
        strip->deleteProfile("Work", "");
        QVERIFY(strip->buttons().isEmpty());
    }

    void subProfilePopUp()
    {
        strip->addProfile("Work", "");
        strip->addProfile("Night", "Work");
        strip->addProfile("Play", "");
        QSignalSpy parent(strip.get(), &ProfileScroller::parentProfileClicked);
        QSignalSpy sub(strip.get(), &ProfileScroller::subProfileClicked);

        QTest::mouseClick(strip->buttons().at(1), Qt::LeftButton);
        QCOMPARE(parent.takeFirst(), QVariantList({"Play"}));
        QVERIFY(!strip->subProfileMenu());

        QTest::mouseClick(strip->buttons().at(0), Qt::LeftButton);
        QCOMPARE(parent.takeFirst(), QVariantList({"Work"}));
        MenuList *popup = strip->subProfileMenu();
        QVERIFY(popup && popup->isVisible());
        WidgetDriver::grabToPng(popup, "sub-profile-pop-up");
        auto *list = popup->findChild<MenuItemView *>();
        const QRect row = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(sub.size(), 1);
        QCOMPARE(sub.first(), QVariantList({"Night", "Work"}));
    }

    void fullStripShowsTheArrows()
    {
        makeStrip(700);
        strip->addProfile("Work", "");
        QTest::qWait(150);
        QVERIFY(button("pushButton_left")->isHidden());
        QVERIFY(button("pushButton_right")->isHidden());
        for (int i = 1; i < 12; ++i)
            strip->addProfile(QString("Profile %1").arg(i), "");
        // The strip is laid out again once control returns to the event loop.
        QTRY_VERIFY(button("pushButton_left")->isVisible());
        QTRY_VERIFY(button("pushButton_right")->isVisible());
        // A new tab scrolls the strip to its right end.
        QVERIFY(button("pushButton_left")->isEnabled());
        QVERIFY(!button("pushButton_right")->isEnabled());
        WidgetDriver::grabToPng(strip.get(), "strip-with-arrows-at-the-end");
        int clicks = 0;
        while (button("pushButton_left")->isEnabled() && clicks++ < 20)
            QTest::mouseClick(button("pushButton_left"), Qt::LeftButton);
        QVERIFY(clicks > 1 && clicks < 20);
        QVERIFY(!button("pushButton_left")->isEnabled());
        QVERIFY(button("pushButton_right")->isEnabled());
        WidgetDriver::grabToPng(strip.get(), "strip-with-arrows-at-the-start");

        // Few enough tabs again: the arrows go.
        for (int i = 1; i < 12; ++i)
            strip->deleteProfile(QString("Profile %1").arg(i), "");
        QVERIFY(button("pushButton_left")->isHidden());
    }

    void selectionAndTheActiveMark()
    {
        strip->addProfile("Work", "");
        strip->addProfile("Night", "Work");
        strip->addProfile("Play", "");
        QSignalSpy global(strip.get(), &ProfileScroller::globalProfileClicked);
        TummyButton *work = strip->buttons().at(0);
        TummyButton *play = strip->buttons().at(1);

        strip->setCurrentProfile("", "");
        QCOMPARE(global.size(), 0);
        QTest::mouseClick(strip->globalButton(), Qt::LeftButton);
        QCOMPARE(global.size(), 0);

        strip->setCurrentProfile("Work", "Work: Night");
        QVERIFY(work->isSelected());
        QCOMPARE(work->labelText(), QString("Work: Night"));
        QVERIFY(!strip->globalButton()->isSelected());
        strip->setCurrentProfile("", "");
        QCOMPARE(global.size(), 1);
        QVERIFY(strip->globalButton()->isSelected());
        QCOMPARE(work->labelText(), QString("Work"));

        QVERIFY(!strip->globalButton()->isAsteriskHidden());
        strip->setActiveProfile("Play", "Play");
        QVERIFY(strip->globalButton()->isAsteriskHidden());
        QVERIFY(!play->isAsteriskHidden());
        QVERIFY(work->isAsteriskHidden());
        strip->setActiveProfile("Work", "Work: Night");
        QVERIFY(play->isAsteriskHidden());
        QVERIFY(!work->isAsteriskHidden());
        QCOMPARE(work->labelText(), QString("Work: Night"));
        strip->setActiveGlobal();
        QVERIFY(!strip->globalButton()->isAsteriskHidden());
        QVERIFY(work->isAsteriskHidden());
        QCOMPARE(work->labelText(), QString("Work"));
    }

    void renamingAndTheAddRequests()
    {
        strip->addProfile("Work", "");
        strip->addProfile("Night", "Work");
        strip->renameProfile("Work", "Game");
        strip->renameSubProfile("Night", "Late", "Game");
        QCOMPARE(strip->groups(), QList<QStringList>({{"Game", "Late"}}));
        QCOMPARE(tabNames(*strip), QStringList({"Game"}));

        QSignalSpy add(strip.get(), &ProfileScroller::showAdd);
        QSignalSpy forCurrent(strip.get(), &ProfileScroller::showAddForCurrent);
        QVERIFY(WidgetDriver::click(strip.get(), "pushButton_add"));
        strip->addParentProfile();
        strip->addSubProfile("Game");
        strip->addSubProfile("Gone");
        QCOMPARE(add.at(0).at(1).toBool(), false);
        QCOMPARE(add.at(1).at(1).toBool(), true);
        QCOMPARE(add.at(1).at(0).value<QList<QStringList>>(), strip->groups());
        QCOMPARE(forCurrent.at(0).at(0).toStringList(), QStringList({"Game", "Late"}));
        QCOMPARE(forCurrent.at(1).at(0).toStringList(), QStringList());
    }

    // A strip whose window has not shown makes no tabs; made when first read,
    // they show what tabs made at once would after the same calls: names,
    // texts, selection, the active mark, the arrow and the width. A tab
    // added after a call does not take what that call did.
    void tabsMadeLateReadAsMadeAtOnce_data()
    {
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("current and active") << QStringList{
            "+Work", "+Night/Work", "+Play", "c:Work:Work > Night", "a:Work:Work", "c:Play:Play", "a:Play:Play"};
        QTest::newRow("active first, then current")
            << QStringList{"+Work", "+Night/Work", "a:Work:Work > Night", "c:Work:Work", "c::", "c:Work:Work > Night"};
        QTest::newRow("tabs after the marks")
            << QStringList{"+Work", "a:Work:Work", "c:Work:Work", "+Play", "+Day/Play", "g", "+Late", "c:Late:Late"};
        QTest::newRow("a call naming a tab not there yet")
            << QStringList{"+Work", "c:Late:Late > Soon", "a:Late:Late", "+Late", "a:Work:Work"};
        QStringList many{"+Work", "+Play", "+Night/Play"};
        for (int i = 0; i < 40; ++i)
            many << (i % 2 ? "a:Work:Work" : "a:Play:Play > Night") << "c:Play:Play";
        QTest::newRow("more calls than kept") << many;
    }
    void tabsMadeLateReadAsMadeAtOnce()
    {
        QFETCH(QStringList, calls);
        const auto play = [&calls](ProfileScroller &target) {
            for (const QString &call : calls) {
                const QStringList part = call.mid(call.startsWith('+') ? 1 : 2).split(call.startsWith('+') ? '/' : ':');
                if (call.startsWith('+'))
                    target.addProfile(part.at(0), part.value(1));
                else if (call.startsWith("c:"))
                    target.setCurrentProfile(part.at(0), part.at(1));
                else if (call.startsWith("a:"))
                    target.setActiveProfile(part.at(0), part.at(1));
                else
                    target.setActiveGlobal();
            }
        };
        const auto states = [](ProfileScroller &target) {
            QStringList list;
            const auto state = [](const TummyButton *tab) {
                return QString("%1 '%2'%3%4%5 %6")
                    .arg(tab->objectName(), tab->labelText(), tab->isSelected() ? " selected" : "",
                         tab->isAsteriskHidden() ? "" : " *", arrowShown(tab) ? " arrow" : "")
                    .arg(tab->width());
            };
            list << state(target.globalButton());
            for (const TummyButton *tab : target.buttons())
                list << state(tab);
            return list;
        };
        ProfileScroller atOnce(nullptr, nullptr);
        QVERIFY(atOnce.buttons().isEmpty());
        play(atOnce);
        ProfileScroller late(nullptr, nullptr);
        play(late);
        if (calls.size() < 20)
            QCOMPARE(late.findChildren<TummyButton *>().size(), 1);
        QCOMPARE(states(late), states(atOnce));
    }

    void followsTheStore()
    {
        PackageCreator *store = PackageCreator::instance();
        store->addProfile(0, 255, "Work");
        store->addProfile(0, 0, "Night");
        store->addProfile(1, 255, "Play");
        strip->syncWithModel();
        QCOMPARE(strip->groups(), QList<QStringList>({{"Work", "Night"}, {"Play"}}));
        strip->addProfile("Stale", "");
        store->removeProfile(store->profiles().at(1));
        strip->syncWithModel();
        QCOMPARE(strip->groups(), QList<QStringList>({{"Work"}, {"Play"}}));
        QVERIFY(!arrowShown(strip->buttons().first()));
        strip->clear();
        QVERIFY(strip->groups().isEmpty());
        QVERIFY(strip->buttons().isEmpty());
    }
};

QTEST_MAIN(TestProfileScroller)
#include "tst_profilescroller.moc"
