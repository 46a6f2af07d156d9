// The mapping page's output panel and its input editing, driven by clicks
// on the cards, the footers and the input choice dialog, against the store
// and the simulated mouse: which sequences the panel shows per setting and
// kind of card, the header of a nested card, the highlight, the block
// option, keystrokes from the hook, and nested inputs added and changed.

#include "AppFont.h"
#include "AppStyleSheet.h"
#include "CardDriver.h"
#include "FakeInputHookBackend.h"
#include "GeneralInput.h"
#include "MappingsTestKit.h"
#include "ModelSnapshot.h"
#include "OutputActions.h"
#include "OutputFooter.h"
#include "PageDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

using namespace MappingsTestKit;

Q_DECLARE_METATYPE(InputMapPtr)

namespace {

// A top-level button whose nested button holds another nested button.
InputMapPtr threeLevels()
{
    InputMapPtr top = button(0);
    InputMapPtr middle = top->addChild(button(3));
    middle->addChild(button(4));
    return top;
}

} // namespace

class tst_MappingPanel : public MappingsTest
{
    Q_OBJECT

    OutputFooter *footer(const char *name) const { return WidgetDriver::child<OutputFooter>(page(), name); }
    // The sequence the panel shows on one side.
    OutputActions *shownList(const char *area) const
    {
        for (auto *list : part(area)->findChildren<OutputActions *>()) {
            if (!list->isHidden())
                return list;
        }
        return nullptr;
    }

    // The page of a sub-profile with these mappings, on its All page.
    void showCards(const InputMapList &maps)
    {
        subProfileWith(maps);
        makePage();
        page()->showAll();
        CardDriver::settle();
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }
    void init() { begin(5); }
    void cleanup() { end(); }

    // A press summary opens the panel: instead of the card list, or beside
    // it with "ExpertViewSideBySide", read at every opening.
    void pressSummaryOpensThePanel()
    {
        showCards({button(0), button(1)});
        QSignalSpy headers(page(), &Mappings::setHeaderTree);
        QVERIFY(clickCard(buttonCard(page(), 0), "pushButton_topRight"));
        QVERIFY(part("OutputList")->isVisible());
        QVERIFY(!part("MappingList")->isVisible());
        QVERIFY(shownList("scrollArea_press_outputs"));
        QVERIFY(!part("scrollArea_release_outputs")->isVisible());
        QCOMPARE(headers.last().at(0).toStringList(), QStringList());
        QCOMPARE(qobject_cast<QLabel *>(part("press_label_tree"))->text(), buttonCard(page(), 0)->pressText());

        QSignalSpy back(page(), &Mappings::backToCurrentView);
        QVERIFY(WidgetDriver::click(footer("pressFooter"), "pushButton_back"));
        QCOMPARE(back.count(), 1);
        QVERIFY(part("MappingList")->isVisible());
        QVERIFY(!part("OutputList")->isVisible());

        writeSetting("ExpertViewSideBySide", true);
        QVERIFY(clickCard(buttonCard(page(), 1), "pushButton_topRight"));
        QVERIFY(part("OutputList")->isVisible());
        QVERIFY(part("MappingList")->isVisible());
        // Side by side wants a wider window than the page's least.
        page()->window()->resize(1400, 600);
        grabPage(page(), "panel-side-by-side");
    }

    // "ExpertViewShowPressRelease" shows both sequences of an input with a
    // release phase, whichever side was asked for; a scroll has only one.
    void pressAndReleaseTogether_data()
    {
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::addColumn<bool>("both");
        QTest::newRow("button") << button(5) << true;
        QTest::newRow("scroll") << scroll(0) << false;
        QTest::newRow("tilt range") << tilt(InputType::AngleRange, 0) << false;
    }
    void pressAndReleaseTogether()
    {
        QFETCH(InputMapPtr, mapping);
        QFETCH(bool, both);
        writeSetting("ExpertViewShowPressRelease", true);
        showCards({mapping});
        QVERIFY(clickCard(page()->topLevelCards().at(0), "pushButton_topRight"));
        QVERIFY(shownList("scrollArea_press_outputs"));
        QCOMPARE(part("scrollArea_release_outputs")->isVisible(), both);
        QCOMPARE(part("releaseHeader")->isVisible(), both);
        if (both)
            QVERIFY(shownList("scrollArea_release_outputs"));
    }

    // A nested card's panel is headed by its parents' inputs, nearest first.
    void nestedCardHeaderNamesItsParents()
    {
        showCards({threeLevels()});
        MapWidget *top = page()->topLevelCards().at(0);
        MapWidget *middle = top->childCards().at(0);
        MapWidget *inner = middle->childCards().at(0);
        QSignalSpy headers(page(), &Mappings::setHeaderTree);
        QVERIFY(clickCard(inner, "pushButton_topRight"));
        QCOMPARE(headers.last().at(0).toStringList(), QStringList({middle->inputName(), top->inputName()}));
        // Showing a page empties the header again.
        page()->showAll();
        QCOMPARE(headers.last().at(0).toStringList(), QStringList());
    }

    // The card whose outputs are shown is the one highlighted: green plus
    // 50, back to its own colour after "Back" or when another card opens.
    void oneCardHighlighted()
    {
        showCards({button(0), button(1)});
        MapWidget *left = buttonCard(page(), 0);
        MapWidget *right = buttonCard(page(), 1);
        const QString green = "QWidget {background-color: #487a4a;}";
        const QString grey = "QWidget {background-color: #48484a;}";
        QVERIFY(clickCard(left, "pushButton_topRight"));
        QCOMPARE(left->styleSheet(), green);
        QVERIFY(WidgetDriver::click(footer("pressFooter"), "pushButton_back"));
        QCOMPARE(left->styleSheet(), grey);

        writeSetting("ExpertViewSideBySide", true);
        QVERIFY(clickCard(left, "pushButton_topRight"));
        QVERIFY(clickCard(right, "pushButton_botRight"));
        QCOMPARE(right->styleSheet(), green);
        QCOMPARE(left->styleSheet(), grey);
    }

    // The block option belongs to the release footer: it shows the
    // mapping's flag and toggling it stores; the press footer never has it.
    void releaseFooterBlocksFurtherOutputs()
    {
        InputMapPtr mapping = button(6);
        mapping->blockOnDeactivation = 1;
        showCards({mapping});
        MapWidget *card = page()->topLevelCards().at(0);
        QVERIFY(clickCard(card, "pushButton_botRight"));
        auto *block = WidgetDriver::child<QCheckBox>(footer("releaseFooter"), "checkBox_block");
        QVERIFY(block->isVisible());
        QVERIFY(block->isChecked());
        QVERIFY(WidgetDriver::child(footer("pressFooter"), "checkBox_block")->isHidden());

        QSignalSpy edits(model(), &PackageCreator::updateMemoryUsed);
        QTest::mouseClick(block, Qt::LeftButton, {}, QPoint(8, block->height() / 2));
        QVERIFY(!block->isChecked());
        QCOMPARE(int(model()->currentInputMaps().at(0)->blockOnDeactivation), 0);
        QVERIFY(edits.count() > 0);

        QVERIFY(clickCard(card, "pushButton_topRight"));
        QVERIFY(WidgetDriver::child(footer("pressFooter"), "checkBox_block")->isHidden());
    }

    // Keys typed while recording arrive from the hook as rows of the press
    // sequence, and the newest row scrolls into view 100 ms later.
    void recordedKeysAddRowsAndScroll()
    {
        FakeInputHookBackend::Installed desktop;
        showCards({button(5)});
        QVERIFY(clickCard(page()->topLevelCards().at(0), "pushButton_topRight"));
        OutputActions *list = shownList("scrollArea_press_outputs");
        QVERIFY(list);
        QVERIFY(WidgetDriver::click(footer("pressFooter"), "pushButton_record"));
        QVERIFY(desktop.backend());
        QScrollBar *bar = qobject_cast<QScrollArea *>(part("scrollArea_press_outputs"))->verticalScrollBar();
        for (long key = 0x41; key < 0x4B; ++key) {
            desktop.backend()->tap(key);
            QTest::qWait(30);
        }
        QTRY_VERIFY(list->rowCount() >= 10);
        QTRY_VERIFY(bar->maximum() > 0);
        // Once the rows are laid out, one more key: the list scrolls down to
        // where the list ended when the delay ran out, the new row's place.
        QTest::qWait(300);
        bar->setValue(0);
        const int end = bar->maximum();
        desktop.backend()->tap(0x4B);
        QTRY_VERIFY(bar->value() >= end);
    }

    // The fault: a nested input added through the dialog is stored like any
    // other edit, so the profile's tree holds it and Save follows.
    void nestedInputFromTheDialogIsStored()
    {
        showCards({button(5)});
        MapWidget *card = page()->topLevelCards().at(0);
        QVERIFY(CardDriver::choose(card, "Add"));
        GeneralInput *dialog = page()->inputDialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QVERIFY(PageDriver::pickItem(dialog, "comboBox_type", "Scroll Wheel"));
        QSignalSpy edits(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(dialog, "pushButton_ok"));
        QVERIFY(edits.count() > 0);
        const InputMapList stored = model()->currentInputMaps();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.at(0)->children.size(), 1);
        QCOMPARE(stored.at(0)->children.at(0)->inputType, int(InputType::Scroll));
        QCOMPARE(card->childCards().size(), 1);
    }

    // Changing a nested input that has nested levels into a scroll asks
    // first; Cancel changes nothing, Continue replaces it without them.
    void nestedLevelsAskBeforeTheyGo()
    {
        showCards({threeLevels()});
        MapWidget *middle = page()->topLevelCards().at(0)->childCards().at(0);
        const ModelSnapshot before = ModelSnapshot::take();
        QSignalSpy removed(page(), &Mappings::removed);
        for (const char *answer : {"pushButton_no", "pushButton_yes"}) {
            QVERIFY(clickCard(middle, "pushButton_topLeft"));
            GeneralInput *dialog = page()->inputDialog();
            QTRY_VERIFY(dialog->isVisible());
            QVERIFY(PageDriver::pickItem(dialog, "comboBox_type", "Scroll Wheel"));
            QString question;
            DialogAnswerer answerer(answerBox(answer, &question));
            QVERIFY(WidgetDriver::click(dialog, "pushButton_ok"));
            QVERIFY(answerer.answered());
            QVERIFY(question.contains("can't include"));
            if (QByteArray(answer) == "pushButton_no") {
                QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
                QCOMPARE(removed.count(), 0);
            }
        }
        QCOMPARE(removed.count(), 1);
        const InputMapActionConfig *top = model()->currentInputMaps().at(0).get();
        QCOMPARE(top->children.size(), 1);
        QCOMPARE(top->children.at(0)->inputType, int(InputType::Scroll));
        QVERIFY(top->children.at(0)->children.isEmpty());
        QCOMPARE(page()->topLevelCards().at(0)->childCards().size(), 1);
    }

    // The card the dialog was opened on is gone: its answer is dropped.
    void answerForADeletedCardIsDropped()
    {
        showCards({threeLevels()});
        MapWidget *middle = page()->topLevelCards().at(0)->childCards().at(0);
        QVERIFY(clickCard(middle, "pushButton_topLeft"));
        GeneralInput *dialog = page()->inputDialog();
        QTRY_VERIFY(dialog->isVisible());
        page()->deleteInput();
        const ModelSnapshot before = ModelSnapshot::take();
        QSignalSpy edits(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(dialog, "pushButton_ok"));
        QCOMPARE(edits.count(), 0);
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QVERIFY(page()->topLevelCards().at(0)->childCards().isEmpty());
        page()->blockOutputs(true);
        page()->addPressOutput();
        QCOMPARE(edits.count(), 0);
    }
};

QTEST_MAIN(tst_MappingPanel)
#include "tst_mappingpanel.moc"
