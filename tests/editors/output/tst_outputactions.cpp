// The output sequence: its rows against the model's lists, the row limit,
// one Repeat From, the automatic Release, dragging rows, and recording
// keystrokes from a fake desktop through the footer.
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "FakeInputHookBackend.h"
#include "OutputAction.h"
#include "OutputActions.h"
#include "OutputBuilders.h"
#include "OutputFooter.h"
#include "PackageCreator.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "RecordBytes.h"
#include "RowDriver.h"
#include "SampleModel.h"
#include "SettingsFile.h"
#include "WidgetDriver.h"

#include <QDataStream>
#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

qint64 fakeNow = 0;

// One key event of a recording: the key, press or release, and when.
struct KeyEvent
{
    int key;
    bool isPress;
    qint64 at = 0;
};
using KeyEvents = QList<KeyEvent>;

KeyEvents tapOf(int key, qint64 at = 0)
{
    return {{key, true, at}, {key, false, at}};
}

constexpr int vkA = 0x41;
constexpr int vkB = 0x42;
constexpr int vkShift = 0xA0;

// A press and a release list side by side, as a card shows them.
struct SequenceHost
{
    QWidget window;
    OutputActions *press;
    OutputActions *release;

    explicit SequenceHost(int inputKind = OutputAction::DigitalInput)
        : press(new OutputActions(inputKind, 0))
        , release(new OutputActions(inputKind, 0))
    {
        auto *layout = new QHBoxLayout(&window);
        layout->addWidget(press);
        layout->addWidget(release);
        window.resize(1900, 400);
    }
    bool show()
    {
        press->show();
        release->show();
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

// The text of the message box that answer closes with its button.
DialogAnswerer::Answer closeMessage(QString *text)
{
    return [text](QWidget *dialog) {
        if (const auto *label = WidgetDriver::child<QLabel>(dialog, "label_text"))
            *text = label->text();
        WidgetDriver::click(dialog, "pushButton_yes");
    };
}

QStringList texts(const OutputActions *sequence)
{
    QStringList shown;
    for (int place = 0; place < sequence->rowCount(); ++place)
        shown << RowDriver::describe(sequence->row(place)->config());
    return shown;
}

} // namespace

Q_DECLARE_METATYPE(KeyEvents)
Q_DECLARE_METATYPE(OutputList)

class TestOutputActions : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    InputMapPtr mapping;
    InputMapPtr other;

    static PackageCreator *store() { return PackageCreator::instance(); }
    static QSettings settings() { return QSettings(SettingsFile::path(), QSettings::IniFormat); }

    void bind(OutputActions *press, OutputActions *release, const InputMapPtr &to)
    {
        store()->loading = true;
        if (press)
            press->setPressOutputs(&to->activationOutputs, to.get());
        if (release)
            release->setReleaseOutputs(&to->deactivationOutputs, to.get());
        store()->loading = false;
    }
    static void record(OutputActions *sequence, const KeyEvents &events, bool qtCodes = false)
    {
        for (const KeyEvent &e : events) {
            fakeNow = e.at;
            if (qtCodes)
                sequence->keyRecorded(e.key, e.isPress);
            else
                sequence->keyHooked(e.key, e.isPress);
        }
    }
    // Drags the place-th row of from with the mouse, dropping it on the row
    // at place onPlace of to (below its middle with below).
    static bool dragRow(OutputActions *from, int place, OutputActions *to, int onPlace, bool below = false)
    {
        bool dropped = false;
        OutputActions::setDragRunner([&](QDrag *drag) {
            const OutputAction *target = to->row(onPlace);
            const QRect area = target->geometry();
            const QPoint at(area.center().x(), below ? area.bottom() - 2 : area.top() + 2);
            QDragEnterEvent enter(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(to, &enter);
            QDragMoveEvent move(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(to, &move);
            QDropEvent drop(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(to, &drop);
            dropped = drop.isAccepted();
            return dropped ? Qt::MoveAction : Qt::IgnoreAction;
        });
        QWidget *button = WidgetDriver::child(from->row(place), "pushButton_drag");
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
        OutputActions::setDragRunner(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dropped;
    }

private slots:
    void initTestCase() { qRegisterMetaType<KeyEvents>(); }
    void init()
    {
        clean.emplace();
        store()->setCurrentProfile(store()->addProfile(1, 255, "Work"));
        mapping = SampleModel::button(0, "Left");
        other = SampleModel::button(1, "Right");
        store()->setInputMaps({mapping, other});
        store()->loading = false;
        fakeNow = 0;
        OutputActions::setClock([] { return fakeNow; });
    }
    void cleanup()
    {
        OutputActions::setClock(nullptr);
        mapping.reset();
        other.reset();
        mouse.reset();
        clean.reset();
    }

    // ------------------------------------------------------------ binding

    // Every kind of record, loaded while the model loads, is written back
    // unchanged by the first save; nothing is saved while loading.
    void everyRecordRoundTrips()
    {
        mouse = std::make_unique<ConnectedMouse>(30);
        mouse->connect();
        mapping->activationOutputs = SampleModel::everyOutput();
        const OutputList before = OutputActionConfig::cloneList(mapping->activationOutputs);
        SequenceHost host;
        QSignalSpy synced(host.press, &OutputActions::sync);
        bind(host.press, nullptr, mapping);
        QCOMPARE(synced.count(), 0);
        QVERIFY(host.show());
        QCOMPARE(host.press->rowCount(), before.size());
        host.press->save();
        const OutputList after = mapping->activationOutputs;
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(after.at(i)->equals(*before.at(i)), qPrintable(QString::number(i)));
        QCOMPARE(synced.count(), 1);
    }

    void theActionNameComesWithThePressList()
    {
        mapping->activationOutputs = {keyInGroup(1, 4)};
        SequenceHost host;
        bind(host.press, host.release, mapping);
        QCOMPARE(host.press->name(), QString("Left"));
        QCOMPARE(host.release->name(), QString());
        QCOMPARE(host.release->rowCount(), 1); // a fresh row for the empty list
        host.press->setName("Copy");
        host.press->save();
        QCOMPARE(mapping->name, QString("Copy"));
    }

    // Another card's "Clear Outputs" points the model at its own mapping:
    // the next edit here still lands in this sequence's mapping.
    void anEditAfterAnotherCardsClearLandsInItsOwnMapping()
    {
        settings().setValue("ExpertAddRelease", false);
        mapping->activationOutputs = {keyInGroup(1, 4)};
        other->activationOutputs = {keyInGroup(1, 5)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        bind(host.release, nullptr, other); // stands in for the other card's press list
        QVERIFY(host.show());

        store()->editActivationOutputs(&other->activationOutputs, other.get());
        host.release->clearOutputs();
        QVERIFY(PageDriver::pickItem(host.press->row(0), "modeCombo", "Press"));
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), QStringList{"A↓"});
        QCOMPARE(other->activationOutputs.size(), 0);
        QCOMPARE(mapping->name, QString("Left"));
    }

    void aGoneMappingIsWrittenNoMore()
    {
        mapping->activationOutputs = {keyInGroup(1, 4)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        store()->setInputMaps({other});
        mapping.reset();
        QVERIFY(PageDriver::pickItem(host.press->row(0), "modeCombo", "Release"));
        QCOMPARE(other->activationOutputs.size(), 0);
    }

    // A key whose group the file left at 0, of a usage no picker lists.
    void aKeyOfNoGroupSurvivesASave()
    {
        const OutputPtr odd = keyInGroup(0, 100, OutputActionConfig::ButtonPress);
        mapping->activationOutputs = {odd};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        host.press->save();
        QCOMPARE(mapping->activationOutputs, OutputList{odd});
        QCOMPARE(pageFieldBytes(odd), QByteArray::fromHex("006402"));
        QCOMPARE(RowDriver::subType(host.press->row(0)), QString("Letters & Numbers"));
    }

    void theSettingsListWritesTheProfilesOutputs()
    {
        store()->currentProfile()->profileOutputs = {keyInGroup(1, 4)};
        OutputActions list(OutputAction::SettingsList, 0);
        store()->loading = true;
        list.reload();
        store()->loading = false;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(list.addAction());
        QCoreApplication::processEvents(); // a row added to a shown list shows once the loop runs
        QVERIFY(PageDriver::pickPopupRow(list.row(1), "categoryCombo", 0));
        QCOMPARE(RowDriver::describe(store()->profileOutputs()), (QStringList{"A", "type 12"}));
        list.clearOutputs();
        QCOMPARE(store()->profileOutputs().size(), 0);
    }

    void hasOutputs()
    {
        OutputActions list(OutputAction::DigitalInput, 0);
        QVERIFY(!list.hasOutputs());
        QVERIFY(list.addAction());
        QVERIFY(!list.hasOutputs()); // one row without a type
        list.row(0)->load(keyInGroup(1, 4));
        QVERIFY(list.hasOutputs());
        list.removeAll();
        QVERIFY(list.addAction());
        QVERIFY(list.addAction());
        QVERIFY(list.hasOutputs()); // two rows, whatever they hold
    }

    void showHidesWhatTheModelCannotPerform()
    {
        mouse = std::make_unique<ConnectedMouse>(20); // no haptics
        mouse->connect();
        mapping->activationOutputs = {SampleModel::everyOutput().at(10), keyInGroup(1, 4)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(!host.press->row(0)->isVisible());
        QVERIFY(host.press->row(1)->isVisible());
    }

    void refreshDeletesInvalidRows()
    {
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(host.press->addAction());
        QVERIFY(PageDriver::pickPopupRow(host.press->row(0), "categoryCombo", 1)); // an empty text
        QVERIFY(PageDriver::pickPopupRow(host.press->row(1), "categoryCombo", 0));
        QVERIFY(host.press->row(0)->isInvalid());
        host.press->refresh();
        QCOMPARE(texts(host.press), QStringList{"type 12"});
    }

    // An invalid row is red and left out; so is the one after it marked.
    void invalidRowsAreLeftOutAndMarked()
    {
        mapping->activationOutputs = {keyInGroup(1, 4), keyInGroup(1, 5)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QSignalSpy enable(host.press, &OutputActions::enableAdd);
        QVERIFY(host.press->addAction());
        QCoreApplication::processEvents();
        QVERIFY(PageDriver::pickPopupRow(host.press->row(2), "categoryCombo", 1)); // empty text last
        QVERIFY(enable.count() > 0);
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"A", "B"}));
        QVERIFY(WidgetDriver::child(host.press->row(2), "frame_top")->styleSheet().contains("255, 89, 89"));
        QVERIFY(!WidgetDriver::child(host.press->row(1), "frame_top")->styleSheet().contains("255, 89, 89"));

        QVERIFY(PageDriver::typeAndFinish(host.press->row(2), "textEdit", "hi"));
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"A", "B", "text hi"}));
        QCOMPARE(enable.last().at(0).toBool(), true);
        QVERIFY(!WidgetDriver::child(host.press->row(2), "frame_top")->styleSheet().contains("255, 89, 89"));
    }

    // ------------------------------------------------------------ rows

    void theRowLimitRefusesThe256th()
    {
        OutputActions list(OutputAction::DigitalInput, 0);
        while (list.rowCount() < OutputActions::maximumRows)
            QVERIFY(list.addAction());
        QSignalSpy added(&list, &OutputActions::outputActionAdded);
        QString message;
        DialogAnswerer answer(closeMessage(&message));
        QVERIFY(!list.addAction());
        QVERIFY(answer.answered());
        QCOMPARE(message.replace("<br>", "\n").remove(QRegularExpression("<[^>]*>")),
                 QString("There is a limit of 255 output actions\nper output action sequence."));
        QCOMPARE(list.rowCount(), OutputActions::maximumRows);
        QCOMPARE(added.count(), 0);
    }

    void aSecondRepeatFromIsRemoved()
    {
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(host.press->addAction());
        QVERIFY(PageDriver::pickPopupRow(host.press->row(0), "categoryCombo", 2));
        QVERIFY(PageDriver::pickPopupRow(host.press->row(0), "subTypeCombo", 1)); // Repeat From
        QVERIFY(PageDriver::pickPopupRow(host.press->row(1), "categoryCombo", 2));
        QString message;
        {
            DialogAnswerer answer(closeMessage(&message));
            QVERIFY(PageDriver::pickPopupRow(host.press->row(1), "subTypeCombo", 1));
            QVERIFY(answer.answered());
        }
        QVERIFY(message.contains("There is a limit of one Repeat From output action"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(host.press->rowCount(), 1);
        QCOMPARE(host.press->row(0)->config()->typeCode, int(OutputType::RepeatFrom));

        // The row that holds it may choose it again.
        QVERIFY(PageDriver::pickPopupRow(host.press->row(0), "subTypeCombo", 3));
        QTest::ignoreMessage(QtWarningMsg, "DialogAnswerer: no dialog opened");
        DialogAnswerer none(closeMessage(&message), 300);
        QVERIFY(PageDriver::pickPopupRow(host.press->row(0), "subTypeCombo", 1));
        QVERIFY(!none.wait());
        QCOMPARE(host.press->rowCount(), 1);
    }

    void deletingTheLastRowLeavesAFreshOne()
    {
        mapping->activationOutputs = {keyInGroup(1, 4)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(WidgetDriver::click(host.press->row(0), "pushButton_delete"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(host.press->rowCount(), 1);
        QVERIFY(!host.press->row(0)->hasType());
        QCOMPARE(host.press->row(0)->number(), 1);
        QCOMPARE(mapping->activationOutputs.size(), 0);
        QCOMPARE(host.press->findChildren<OutputAction *>().size(), 2); // the row and the placeholder
    }

    void duplicatePutsACopyRightAfter()
    {
        mapping->activationOutputs = {keyInGroup(1, 4), keyInGroup(1, 5)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(WidgetDriver::click(host.press->row(0), "pushButton_duplicate"));
        QCOMPARE(texts(host.press), (QStringList{"A", "A", "B"}));
        QCOMPARE(host.press->row(1)->number(), 2);
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"A", "A", "B"}));
        QVERIFY(mapping->activationOutputs.at(0) != mapping->activationOutputs.at(1));
    }

    void pressAddsItsRelease_data()
    {
        QTest::addColumn<QVariant>("addRelease");
        QTest::addColumn<OutputList>("start");
        QTest::addColumn<bool>("recording");
        QTest::addColumn<QStringList>("rows");
        const OutputPtr a = keyInGroup(1, 4);
        QTest::newRow("a release added") << QVariant() << OutputList{a} << false << QStringList{"A↓", "A↑"};
        QTest::newRow("one exists already")
            << QVariant() << OutputList{a, keyInGroup(1, 4, 0)} << false << QStringList{"A↓", "A↑"};
        QTest::newRow("another key's release")
            << QVariant() << OutputList{a, keyInGroup(1, 5, 0)} << false << QStringList{"A↓", "B↑", "A↑"};
        QTest::newRow("ExpertAddRelease off") << QVariant(false) << OutputList{a} << false << QStringList{"A↓"};
        QTest::newRow("while recording") << QVariant() << OutputList{a} << true << QStringList{"A↓"};
        QTest::newRow("mouse button") << QVariant() << OutputList{click(1, 1)} << false
                                      << QStringList{"type 12", "type 12"};
    }
    void pressAddsItsRelease()
    {
        QFETCH(QVariant, addRelease);
        QFETCH(OutputList, start);
        QFETCH(bool, recording);
        QFETCH(QStringList, rows);
        if (addRelease.isValid())
            settings().setValue("ExpertAddRelease", addRelease);
        mapping->activationOutputs = OutputActionConfig::cloneList(start);
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        host.press->setRecording(recording);
        QVERIFY(PageDriver::pickItem(host.press->row(0), "modeCombo", "Press"));
        QCOMPARE(texts(host.press), rows);
        if (!recording)
            QCOMPARE(RowDriver::describe(mapping->activationOutputs), rows);
    }

    // ------------------------------------------------------------ dragging

    void aDropWithinTheListReorders_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<bool>("below");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("last onto the first") << 2 << 0 << false << QStringList{"C", "A", "B"};
        QTest::newRow("first below the last") << 0 << 2 << true << QStringList{"B", "C", "A"};
        QTest::newRow("onto itself") << 1 << 1 << false << QStringList{"A", "B", "C"};
    }
    void aDropWithinTheListReorders()
    {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(bool, below);
        QFETCH(QStringList, rows);
        mapping->activationOutputs = {keyInGroup(1, 4), keyInGroup(1, 5), keyInGroup(1, 6)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QVERIFY(dragRow(host.press, from, host.press, onto, below));
        QCOMPARE(texts(host.press), rows);
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), rows);
        for (int place = 0; place < 3; ++place) {
            QCOMPARE(host.press->row(place)->number(), place + 1);
            QVERIFY(host.press->row(place)->isVisible());
        }
    }

    void aDropIntoTheOtherListMovesTheRow()
    {
        mapping->activationOutputs = {keyInGroup(1, 4)};
        mapping->deactivationOutputs = {keyInGroup(1, 5, 0)};
        SequenceHost host;
        bind(host.press, host.release, mapping);
        QVERIFY(host.show());
        const OutputPtr moved = mapping->activationOutputs.at(0);
        QVERIFY(dragRow(host.press, 0, host.release, 0));
        QCOMPARE(texts(host.release), (QStringList{"A", "B↑"}));
        QCOMPARE(RowDriver::describe(mapping->deactivationOutputs), (QStringList{"A", "B↑"}));
        QVERIFY(mapping->deactivationOutputs.at(0) != moved); // a copy
        // The press list left behind holds a fresh row.
        QCOMPARE(host.press->rowCount(), 1);
        QVERIFY(!host.press->row(0)->hasType());
        QCOMPARE(mapping->activationOutputs.size(), 0);
        QCOMPARE(host.press->findChildren<OutputAction *>().size(), 2);
    }

    // Data of the row format that no drag of this program carries: from
    // another program, or naming a row that was deleted meanwhile.
    void aForeignDropIsRefused()
    {
        mapping->activationOutputs = {keyInGroup(1, 4), keyInGroup(1, 5)};
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        QMimeData foreign;
        QByteArray data;
        QDataStream stream(&data, QIODevice::WriteOnly);
        stream << QString("OutputAction") << QPoint(3, 3);
        foreign.setData(OutputActions::mimeType, data);
        const QPoint at = host.press->row(0)->geometry().center();
        const int releaseRows = host.release->rowCount();
        QDragEnterEvent enter(at, Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(host.press, &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(at, Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(host.press, &drop);
        QVERIFY(!drop.isAccepted());
        QCOMPARE(texts(host.press), (QStringList{"A", "B"}));

        // The dragged row is deleted while the drag runs.
        bool accepted = true;
        OutputActions::setDragRunner([&](QDrag *drag) {
            host.press->removeAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QDragEnterEvent lateEnter(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(host.release, &lateEnter);
            QDropEvent late(at, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(host.release, &late);
            accepted = lateEnter.isAccepted() || late.isAccepted();
            return Qt::IgnoreAction;
        });
        QPointer<OutputAction> doomed = host.press->row(0);
        emit doomed->dragMe();
        OutputActions::setDragRunner(nullptr);
        QVERIFY(!doomed);
        QVERIFY(!accepted);
        QCOMPARE(host.release->rowCount(), releaseRows);
    }

    // ------------------------------------------------------------ recording

    void recordingMakesRows_data()
    {
        QTest::addColumn<bool>("waits");
        QTest::addColumn<KeyEvents>("events");
        QTest::addColumn<bool>("qtCodes");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("a tap") << false << tapOf(vkA) << false << QStringList{"A"};
        QTest::newRow("a tap with waits")
            << true << KeyEvents{{vkA, true, 1000}, {vkA, false, 1120}} << false << QStringList{"A↓", "wait 120", "A↑"};
        QTest::newRow("two keys overlapping")
            << false << KeyEvents{{vkA, true}, {vkB, true}, {vkA, false}, {vkB, false}} << false
            << QStringList{"A↓", "B↓", "A↑", "B↑"};
        QTest::newRow("a held key repeats")
            << false << KeyEvents{{vkA, true}, {vkA, true}, {vkA, true}} << false << QStringList{"A↓"};
        QTest::newRow("repeats, then released")
            << false << KeyEvents{{vkA, true}, {vkA, true}, {vkA, false}} << false << QStringList{"A"};
        QTest::newRow("a 70 s pause") << true << KeyEvents{{vkA, true, 0}, {vkA, false, 70000}} << false
                                      << QStringList{"A↓", "wait 65535", "A↑"};
        QTest::newRow("a media key") << false << tapOf(0xB3) << false << QStringList{"PLAY / PAUSE"};
        QTest::newRow("a key no table knows") << false << tapOf(0x07) << false << QStringList{};
        QTest::newRow("keys typed into the program")
            << false << KeyEvents{{Qt::Key_Shift, true}, {Qt::Key_A, true}, {Qt::Key_A, false}, {Qt::Key_Shift, false}}
            << true << QStringList{"SHIFT left↓", "A", "SHIFT left↑"};
    }
    void recordingMakesRows()
    {
        QFETCH(bool, waits);
        QFETCH(KeyEvents, events);
        QFETCH(bool, qtCodes);
        QFETCH(QStringList, records);
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        QVERIFY(host.show());
        host.press->setRecordWaits(waits);
        QCOMPARE(settings().value("RecordWaits").toBool(), waits);
        host.press->setRecording(true);
        record(host.press, events, qtCodes);
        host.press->setRecording(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), records);
        // The fresh row the list started with stays first, without a type.
        QVERIFY(!host.press->row(0)->hasType());
        QCOMPARE(host.press->rowCount(), records.size() + 1);
    }

    // A key still down when a recording stopped is pressed anew in the next.
    void aKeyHeldAcrossAStopIsRecordedNextTime()
    {
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        host.press->setRecording(true);
        record(host.press, {{vkShift, true}});
        host.press->setRecording(false);
        host.press->setRecording(true);
        record(host.press, {{vkShift, true}});
        host.press->setRecording(false);
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"SHIFT left↓", "SHIFT left↓"}));
    }

    void recordingEndsAtTheRowLimit()
    {
        OutputActions list(OutputAction::DigitalInput, 0);
        while (list.rowCount() < OutputActions::maximumRows - 2)
            QVERIFY(list.addAction());
        list.show();
        list.setRecording(true);
        QVERIFY(list.isRecording());
        auto *placeholder = WidgetDriver::child<QLabel>(&list, "placeholderLabel");
        QVERIFY(placeholder->isVisible());
        record(&list, {{vkA, true}});
        QVERIFY(list.isRecording());
        record(&list, {{vkB, true}});
        QCOMPARE(list.rowCount(), OutputActions::maximumRows);
        QVERIFY(!list.isRecording());
        QVERIFY(!placeholder->isVisible());
        // Keys that still come add nothing and ask nothing.
        QTest::ignoreMessage(QtWarningMsg, "DialogAnswerer: no dialog opened");
        DialogAnswerer none(nullptr, 300);
        record(&list, tapOf(vkA));
        QVERIFY(!none.wait());
        QCOMPARE(list.rowCount(), OutputActions::maximumRows);
    }

    // The footer's recording through the hooks, as the card connects it.
    void theFooterRecordsIntoTheSequence()
    {
        FakeInputHookBackend::Installed desktop;
        SequenceHost host;
        bind(host.press, nullptr, mapping);
        OutputFooter footer;
        connect(&footer, &OutputFooter::startRecord, host.press, &OutputActions::setRecording);
        connect(&footer, &OutputFooter::keyHooked, host.press, &OutputActions::keyHooked);
        connect(&footer, &OutputFooter::keyRecorded, host.press, &OutputActions::keyRecorded);
        connect(&footer, &OutputFooter::setWait, host.press, &OutputActions::setRecordWaits);
        QVERIFY(host.show());
        footer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&footer));
        QVERIFY(WidgetDriver::click(&footer, "pushButton_record"));
        QVERIFY(host.press->isRecording());
        desktop.backend()->press(vkShift);
        desktop.backend()->tap(vkB);
        desktop.backend()->release(vkShift);
        desktop.backend()->leftClick();
        QVERIFY(!host.press->isRecording());
        QVERIFY(!footer.isRecording());
        QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"SHIFT left↓", "B", "SHIFT left↑"}));
        QCoreApplication::processEvents();
        QVERIFY(!WidgetDriver::grabToPng(host.press, "sequence-recorded").isEmpty());
    }
};

QTEST_MAIN(TestOutputActions)
#include "tst_outputactions.moc"
