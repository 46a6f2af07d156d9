// The mapping page against the store and the simulated mouse, driven by
// clicks: what each page shows, "+ Restore" and "- Remove" with the model
// checked, the Global page, the defaults of a page taken over, and a page
// the other view asked to rebuild.

#include "AppFont.h"
#include "DialogAnswerer.h"
#include "MappingsTestKit.h"
#include "ModelSnapshot.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <algorithm>

using namespace MappingsTestKit;

class tst_Mappings : public MappingsTest
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(appFont()); }
    void init() { begin(5); }
    void cleanup() { end(); }

    // A trigger page with only its push: the restore row offers the pull,
    // which "+ Restore" adds and stores.
    void restoreAddsTheMissingTriggerHalf()
    {
        subProfileWith({button(0), button(9), button(3)});
        // Made as the profile page makes it: the parent's name comes before
        // the first load, and its save stores nothing yet.
        makePage();
        QCOMPARE(storedButtonIds(), QList<int>({0, 9, 3}));
        page()->showButton(9, QStringLiteral("Left Trigger"));
        QVERIFY(buttonCard(page(), 9)->isVisible());
        QVERIFY(!buttonCard(page(), 0)->isVisible());
        QVERIFY(part("widget_restore")->isVisible());
        grabPage(page(), "button-page-restore");

        QSignalSpy edits(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(page(), "pushButton_restore"));
        QCOMPARE(storedButtonIds(), QList<int>({0, 9, 3, 10}));
        QVERIFY(edits.count() > 0);
        QTRY_VERIFY(buttonCard(page(), 10)->isVisible());
        QVERIFY(!part("widget_restore")->isVisible());
        // Nothing left to restore when the page is shown again.
        page()->showButton(10, QStringLiteral("Left Trigger"));
        QVERIFY(!part("widget_restore")->isVisible());
    }

    // The middle button's page counts the wheel; restoring adds only the
    // direction that is missing.
    void restoreAddsTheMissingWheelDirection()
    {
        subProfileWith({button(2), scroll(1)});
        makePage();
        page()->showButton(2, QStringLiteral("Scroll Wheel"));
        QVERIFY(part("widget_restore")->isVisible());
        QVERIFY(WidgetDriver::click(page(), "pushButton_restore"));
        QCOMPARE(typesOf(model()->currentInputMaps()), QList<int>({10, 30, 30}));
        auto added = std::dynamic_pointer_cast<InputMapAction_Scroll>(model()->currentInputMaps().last());
        QVERIFY(added);
        QCOMPARE(added->wheelDirection, 0);
    }

    // The labels beside the buttons show on hover, with the page's texts.
    void hoverShowsTheLabels()
    {
        subProfileWith({button(4)});
        makePage();
        // The parent's name as typed, not read as markup.
        const QString parent = "<b>R&D</b> &lt;Lab&gt;";
        page()->setParentName(parent);
        page()->showButton(4, QStringLiteral("Top Thumb"));
        QCOMPARE(WidgetDriver::shownText(qobject_cast<QLabel *>(part("label_restore"))),
                 "Top Thumb default mappings to override " + parent + ".");
        QWidget *label = part("label_remove");
        QVERIFY(!label->isVisible());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(part("pushButton_remove"), &enter);
        QVERIFY(label->isVisible());
        QCOMPARE(WidgetDriver::shownText(qobject_cast<QLabel *>(label)),
                 "Top Thumb mappings (and use mappings from " + parent + ").");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(part("pushButton_remove"), &leave);
        QVERIFY(!label->isVisible());
    }

    // "- Remove": No changes nothing; Yes deletes only the cards the page
    // shows, stores the rest and tells the profile page.
    void removeAsksAndDeletesOnlyThePage()
    {
        subProfileWith({button(0), button(2), scroll(0), button(3), scroll(1)});
        makePage();
        page()->showButton(2, QStringLiteral("Scroll Wheel"));
        const ModelSnapshot before = ModelSnapshot::take();
        QSignalSpy removed(page(), &Mappings::removed);
        {
            QString question;
            DialogAnswerer answer(answerBox("pushButton_no", &question));
            QVERIFY(WidgetDriver::click(page(), "pushButton_remove"));
            QVERIFY(answer.answered());
            QCOMPARE(question, QString("Are you sure you wish to clear these mappings?"));
        }
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(page()->topLevelCards().size(), 5);
        QCOMPARE(removed.count(), 0);

        DialogAnswerer answer(DialogAnswerer::clickButton("pushButton_yes"));
        QVERIFY(WidgetDriver::click(page(), "pushButton_remove"));
        QVERIFY(answer.answered());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(typesOf(model()->currentInputMaps()), QList<int>({10, 10}));
        QCOMPARE(storedButtonIds(), QList<int>({0, 3}));
        QCOMPARE(page()->topLevelCards().size(), 2);
    }

    // The All page shows tilt cards and the force cards under the right,
    // middle and right fingertip buttons only on a model with a tilt sensor.
    void allPageFollowsTheModel_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<bool>("tilt");
        QTest::newRow("V model") << 5 << true;
        QTest::newRow("V2") << 30 << true;
        QTest::newRow("without tilt") << 20 << false;
    }
    void allPageFollowsTheModel()
    {
        QFETCH(int, pid);
        QFETCH(bool, tilt);
        connectMouse(pid);
        InputMapList maps;
        for (int id : {0, 1, 2, 8}) {
            InputMapPtr mapping = button(id);
            mapping->addChild(force(id));
            maps << mapping;
        }
        maps << MappingsTestKit::tilt(InputType::AngleRegion, 0) << MappingsTestKit::tilt(InputType::AngleRange, 1);
        subProfileWith(maps);
        makePage();
        page()->showAll();
        const QList<MapWidget *> cards = page()->topLevelCards();
        QCOMPARE(cards.size(), 6);
        for (MapWidget *card : cards.mid(0, 4))
            QVERIFY(card->isVisible());
        QCOMPARE(cards.at(0)->childCards().at(0)->isVisible(), true);
        for (MapWidget *card : cards.mid(1, 3))
            QCOMPARE(card->childCards().at(0)->isVisible(), tilt);
        QCOMPARE(cards.at(4)->isVisible(), tilt);
        QCOMPARE(cards.at(5)->isVisible(), tilt);
        QVERIFY(!part("widget_restore")->isVisible());
    }

    // The Global page never offers "- Remove", and its built-in cards get
    // their restrictions on every load: the Left Button keeps its outputs.
    void globalPageHasNoRemove()
    {
        subProfileWith({});
        model()->setCurrentProfile(model()->globalProfile());
        model()->globalProfile()->inputMaps = {button(0), button(1)};
        makePage(true);
        page()->showAll();
        QVERIFY(!part("pushButton_remove")->isVisible());
        MapWidget *left = buttonCard(page(), 0);
        QVERIFY(!WidgetDriver::child(left, "pushButton_topRight")->isEnabled());
        QVERIFY(WidgetDriver::child(buttonCard(page(), 1), "pushButton_topRight")->isEnabled());
        page()->reload();
        page()->showAll();
        QVERIFY(!WidgetDriver::child(buttonCard(page(), 0), "pushButton_topRight")->isEnabled());
        QVERIFY(!part("pushButton_remove")->isVisible());
    }

    // The other view left a page to restore: the next page shown rebuilds
    // the cards from the model and nothing is pending afterwards.
    void pageLeftByTheOtherViewRebuilds()
    {
        ProfileData *play = subProfileWith({button(4)});
        makePage();
        page()->showButton(4, QStringLiteral("Top Thumb"));
        play->inputMaps.append(button(5));
        page()->showButton(5, QStringLiteral("Front Edge"));
        QVERIFY(!buttonCard(page(), 5));

        CurrentPage::instance()->page = 3;
        page()->showButton(5, QStringLiteral("Front Edge"));
        QVERIFY(buttonCard(page(), 5));
        QVERIFY(buttonCard(page(), 5)->isVisible());
        QCOMPARE(CurrentPage::instance()->page, 0);
        QCOMPARE(page()->topLevelCards().size(), 2);
    }

    // The cards take the page's width: no sideways scroll bar, not even
    // before the page is laid out at its size.
    void cardsNeverScrollSideways()
    {
        subProfileWith({});
        host = std::make_unique<MappingsHost>();
        page()->addDefaultsAll(QStringLiteral("Work"));
        page()->showAll();
        host->host.window.show();
        auto *area = WidgetDriver::child<QScrollArea>(page(), "scrollArea_mappings");
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QTest::qWait(30);
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(area->verticalScrollBar()->isVisible());
    }

    // Taking a page over: the page's defaults as new cards, stored once the
    // parent's name is given; tilt defaults only on a model with tilt.
    void defaultsOfAPageTakenOver_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<int>("cards");
        QTest::newRow("V model") << 5 << 25;
        QTest::newRow("without tilt") << 20 << 15;
    }
    void defaultsOfAPageTakenOver()
    {
        QFETCH(int, pid);
        connectMouse(pid);
        subProfileWith({});
        makePage();
        QSignalSpy edits(model(), &PackageCreator::updateMemoryUsed);
        page()->addDefaultsAll(QStringLiteral("Work"));
        QTEST(int(model()->currentInputMaps().size()), "cards");
        QTEST(int(page()->topLevelCards().size()), "cards");
        QVERIFY(edits.count() > 0);
        page()->showAll();
        if (pid == 5)
            grabPage(page(), "all-page");
    }

    void defaultsForATriggerPage()
    {
        subProfileWith({button(0)});
        makePage();
        page()->reload();
        page()->addDefaultsForButton(11, QStringLiteral("Work"));
        QCOMPARE(storedButtonIds(), QList<int>({0, 11, 12}));
        page()->reload();
        page()->addDefaultsTiltLeftRight(QStringLiteral("Work"));
        QCOMPARE(typesOf(model()->currentInputMaps()), QList<int>({10, 10, 10, 60, 60, 60, 60, 62}));
        QVERIFY(page()->hasTiltLeftRight());
        QVERIFY(!page()->hasTiltForwardBack());
    }

    // Resetting and clearing store even while the model is loading.
    void resetAndClearStoreWhileLoading()
    {
        subProfileWith({button(4)});
        makePage();
        model()->loading = true;
        QSignalSpy removed(page(), &Mappings::removed);
        page()->resetToDefaults();
        QCOMPARE(model()->currentInputMaps().size(), 25);
        QCOMPARE(removed.count(), 1);
        page()->clearAll();
        QVERIFY(model()->currentInputMaps().isEmpty());
        QVERIFY(page()->topLevelCards().isEmpty());
        QCOMPARE(removed.count(), 2);
        // Other edits are not stored while loading.
        model()->currentProfile()->inputMaps = {button(9)};
        page()->reload();
        page()->showButton(9, QStringLiteral("Left Trigger"));
        QVERIFY(WidgetDriver::click(page(), "pushButton_restore"));
        QCOMPARE(storedButtonIds(), QList<int>({9}));
    }

    // A card that saved a custom action has every card take the library
    // anew; the old one goes only once no card shows it any more.
    void libraryRebuiltForEveryCard()
    {
        InputMapPtr top = button(0);
        top->addChild(button(3));
        subProfileWith({top, button(1)});
        makePage();
        page()->showAll();
        MapWidget *nested = page()->topLevelCards().at(0)->childCards().at(0);
        emit page()->topLevelCards().at(1)->customActionUpdated();
        QVERIFY(WidgetDriver::click(nested, "pushButton_actionLibrary"));
        // The library's list opens over the page, filled from the new tree.
        QWidget *list = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window != page()->window())
                list = window;
        }
        QVERIFY(list);
        list->close();
    }

    // A mapping no card shows keeps its place in the list when the page
    // stores.
    void mappingWithoutCardIsKept()
    {
        auto unknown = std::make_shared<InputMapActionConfig>(99);
        subProfileWith({button(9), unknown, button(3)});
        QTest::ignoreMessage(QtWarningMsg, "Mappings: no card for an input of type 99");
        makePage();
        QCOMPARE(page()->topLevelCards().size(), 2);
        page()->showButton(9, QStringLiteral("Left Trigger"));
        QVERIFY(WidgetDriver::click(page(), "pushButton_restore"));
        const InputMapList stored = model()->currentInputMaps();
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.at(1), InputMapPtr(unknown));
        QCOMPARE(buttonIdsOf(stored), QList<int>({9, 3, 10}));
    }

    // A long list makes the cards of its first screenful at once and the
    // others in later turns of the event loop; whatever walks, stores or
    // changes the cards has them all first, in list order.
    void longListMakesItsCardsInTurns_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("the loop runs") << "loop";
        QTest::newRow("stored at once") << "save";
        QTest::newRow("walked at once") << "walk";
        QTest::newRow("a button's page") << "button";
        QTest::newRow("reloaded") << "reload";
    }
    void longListMakesItsCardsInTurns()
    {
        QFETCH(QString, then);
        InputMapList maps;
        for (int i = 0; i < 60; ++i)
            maps << button(3 + i % 5);
        maps << button(9);
        subProfileWith(maps);
        host = std::make_unique<MappingsHost>();
        QWidget *list = part("scrollAreaWidgetContents_mappings");
        const auto made = [list] { return list->findChildren<MapWidget *>(QString(), Qt::FindDirectChildrenOnly); };
        QVERIFY(!page()->allCardsMade());
        QVERIFY(!made().isEmpty());
        QVERIFY(made().size() < maps.size());

        if (then == "loop") {
            QVERIFY(host->show());
            page()->showAll();
            QTRY_VERIFY(page()->allCardsMade());
            const auto allShown = [&made] {
                const QList<MapWidget *> cards = made();
                return std::all_of(cards.cbegin(), cards.cend(), [](MapWidget *card) { return card->isVisible(); });
            };
            QTRY_VERIFY(allShown());
        } else if (then == "save") {
            page()->save();
            QCOMPARE(model()->currentInputMaps(), maps);
        } else if (then == "walk") {
            QCOMPARE(page()->topLevelCards().size(), maps.size());
        } else if (then == "button") {
            QVERIFY(host->show());
            page()->showButton(9, QStringLiteral("Left Trigger"));
            QVERIFY(made().last()->isVisible());
            QCOMPARE(made().last()->configPtr(), maps.last());
        } else if (then == "reload") {
            page()->reload();
            QTRY_VERIFY(page()->allCardsMade());
        }
        InputMapList shown;
        for (MapWidget *card : page()->topLevelCards())
            shown << card->configPtr();
        QCOMPARE(shown, maps);
        QCOMPARE(made(), page()->topLevelCards());
        QCOMPARE(model()->currentInputMaps(), maps);
    }
};

QTEST_MAIN(tst_Mappings)
#include "tst_mappings.moc"
