// The output picker: the library popup driven by clicks and keys, what a pick
// writes into the mapping, copy-on-write of inherited mappings, shortcut
// recording through a fake desktop, the vibration panel and renaming.
#include "ActionLibrary.h"
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "DialogAnswerer.h"
#include "FakeInputHookBackend.h"
#include "HintsArea.h"
#include "ModelSnapshot.h"
#include "MouseFunctions.h"
#include "OutputAction_Haptic.h"
#include "OutputBuilders.h"
#include "PageDriver.h"
#include "PickerEdits.h"
#include "PickerHost.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "RecordClickGuard.h"
#include "RowDriver.h"
#include "SampleModel.h"
#include "SettingsFile.h"
#include "VibrationPanel.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBoundaryFinder>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(PickerHost::Place)
Q_DECLARE_METATYPE(InputMapActionConfig *)

namespace {

const QString down = QString::fromUtf8("\u2193");
const QString up = QString::fromUtf8("\u2191");

// Virtual-key codes the fake desktop reports.
constexpr long vkControlLeft = 0xA2;
constexpr long vkShiftLeft = 0xA0;
constexpr long vkA = 0x41;
constexpr long vkC = 0x43;
constexpr long vkUnknown = 0xE8; // assigned to no key

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

using WidgetDriver::clickText;

bool shown(const QWidget *root, const char *name)
{
    const QWidget *w = WidgetDriver::child(root, name);
    return w && w->isVisible();
}

// Types the name into the rename dialog and clicks "Rename".
void renameTo(QWidget *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, name);
    clickText(dialog, "Rename");
}

QString hint()
{
    return HintsArea::instance()->findChild<QLabel *>()->text();
}

std::shared_ptr<OutputAction_Haptic> haptic(int strength)
{
    auto r = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
    r->strength = quint8(strength);
    r->duration.setValue(7);
    return r;
}

// A mapping of an input type, as the cards and layers make them.
InputMapPtr mappingOfType(int inputType)
{
    switch (inputType) {
    case InputType::Movement:
        return std::make_shared<InputMapAction_Movement>(inputType);
    case InputType::Scroll:
        return std::make_shared<InputMapAction_Scroll>(inputType);
    case InputType::ForceRange:
        return std::make_shared<InputMapAction_Force>(inputType);
    case InputType::AngleRange:
        return std::make_shared<InputMapAction_Angle>(inputType);
    default:
        return SampleModel::button(1);
    }
}

} // namespace

class TestOutputBar : public QObject
{
    Q_OBJECT

    QTemporaryDir programFolder;
    std::optional<ProcessStateGuard> clean;
    std::optional<FakeInputHookBackend::Installed> desktop;
    std::unique_ptr<PickerHost> host;
    // The global profile's mapping, which the current profile "Work" inherits,
    // and Work's own.
    InputMapPtr inherited;
    InputMapPtr own;

    PackageCreator *model() const { return PackageCreator::instance(); }
    ProfileData *work() const { return model()->currentProfile(); }
    FakeInputHookBackend *backend() const { return desktop->backend(); }

    bool makeHost(InputMapActionConfig *mapping, PickerHost::Place place)
    {
        host = std::make_unique<PickerHost>(mapping, place);
        return host->show();
    }
    void typeKeys(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(host->keyTarget(), c.toLatin1());
    }
    void pressKey(Qt::Key key) { QTest::keyClick(host->keyTarget(), key); }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<InputMapActionConfig *>();
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        QVERIFY(writeFile(Predefined::profilesFolder() + Predefined::basicFileName(), pickerLibraryFile()));
        qApp->setStyleSheet(AppStyleSheet::joined());
    }
    void cleanupTestCase()
    {
        qApp->setStyleSheet(QString());
        ProgramFolder::setPath(QString());
    }

    void init()
    {
        clean.emplace();
        desktop.emplace();
        // A model with a vibration motor was connected last.
        settings().setValue("LastMouseConnected", 30);
        ProfileData *global = SampleModel::emptyModel();
        inherited = SampleModel::button(0, "Hold");
        inherited->activationOutputs = {click(0, 2), haptic(30)};
        inherited->deactivationOutputs = {click(0, 0)};
        inherited->addChild(SampleModel::button(2, "Inside"));
        global->inputMaps = {inherited};
        ProfileData *profile = model()->addProfile(0, 255, "Work");
        own = SampleModel::button(1);
        profile->inputMaps = {own};
        model()->loading = false;
    }
    void cleanup()
    {
        host.reset();
        own.reset();
        inherited.reset();
        desktop.reset();
        clean.reset();
    }

    // ------------------------------------------------------------ the popup

    void searchHidesWhatLacksTheLetters_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::addColumn<QString>("typed");
        QTest::newRow("simple, lower case") << PickerHost::SimpleTop << "cod";
        QTest::newRow("simple, upper case") << PickerHost::SimpleTop << "COD";
        QTest::newRow("expert, mixed case") << PickerHost::Expert << "cOd";
    }
    void searchHidesWhatLacksTheLetters()
    {
        QFETCH(PickerHost::Place, place);
        QFETCH(QString, typed);
        QVERIFY(makeHost(own.get(), place));
        QVERIFY(host->openPopup());
        QCOMPARE(host->shownRows(), (QStringList{"Do Nothing", "Editing", "Media", "Clicks", "Letters"}));
        QCOMPARE(hint(), HintsArea::hintText(10));

        typeKeys(typed);
        QCOMPARE(host->combo()->lineEdit()->text(), typed);
        QCOMPARE(host->shownRows(), (QStringList{"Editing", "Text", "Code Block"}));
        QVERIFY(!shown(host->popup(), "noItemsLabel"));

        // Backspace takes the search back letter by letter, Delete empties it.
        // Sub-groups are searched like entries; a group's own text is not.
        pressKey(Qt::Key_Backspace);
        QCOMPARE(host->combo()->lineEdit()->text(), typed.left(2));
        QCOMPARE(host->shownRows(),
                 (QStringList{"Editing", "Copy", "Text", "Code Block", "Media", "Recording", "Record Screen"}));
        pressKey(Qt::Key_Delete);
        QCOMPARE(host->combo()->lineEdit()->text(), QString());
        QCOMPARE(host->shownRows(), (QStringList{"Do Nothing", "Editing", "Media", "Clicks", "Letters"}));
    }

    void searchWithoutMatchSaysSo_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::newRow("simple") << PickerHost::SimpleTop;
        QTest::newRow("expert") << PickerHost::Expert;
    }
    void searchWithoutMatchSaysSo()
    {
        QFETCH(PickerHost::Place, place);
        QVERIFY(makeHost(own.get(), place));
        QVERIFY(host->openPopup());
        typeKeys("xq");
        QVERIFY(!host->tree()->isVisible());
        QVERIFY(shown(host->popup(), "noItemsLabel"));
        QCOMPARE(WidgetDriver::child<QLabel>(host->popup(), "noItemsLabel")->text(), QString("No items found"));
        // One row high, and still open to take the keys.
        QCOMPARE(host->popup()->height(), 28 + host->combo()->rowHeight() + 2);
        QVERIFY(host->combo()->isPopupVisible());
        QVERIFY(!WidgetDriver::grabToPng(host->picture(), QString("popup-no-match-%1").arg(QTest::currentDataTag()))
                     .isEmpty());
        if (!host->simple)
            QVERIFY(!WidgetDriver::grabToPng(host->popup(), "popup-no-match-expert-popup").isEmpty());

        pressKey(Qt::Key_Backspace);
        QCOMPARE(host->combo()->lineEdit()->text(), QString("x"));
        QVERIFY(host->tree()->isVisible());
        QVERIFY(!shown(host->popup(), "noItemsLabel"));
        // "Text" itself matches, none of its entries.
        QCOMPARE(host->shownRows(), (QStringList{"Editing", "Text", "Letters", "Letter X"}));
    }

    // The popup opened again shows the whole library, whatever was searched before.
    void reopenedPopupShowsEverything()
    {
        QVERIFY(makeHost(own.get(), PickerHost::Expert));
        QVERIFY(host->openPopup());
        typeKeys("bold");
        QVERIFY(host->clickRow("Bold"));
        QVERIFY(!host->combo()->isPopupVisible());
        QCOMPARE(hint(), HintsArea::hintText(0));
        QVERIFY(host->openPopup());
        QCOMPARE(host->combo()->lineEdit()->placeholderText(), QString("Bold : CTRL left ↓ | B ↓"));
        QCOMPARE(host->shownRows(), (QStringList{"Do Nothing", "Editing", "Media", "Clicks", "Letters"}));
    }

    void rowsAreCapped_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("simple: 10 rows") << PickerHost::SimpleTop << 10 << 25;
        QTest::newRow("expert: 20 rows") << PickerHost::Expert << 20 << 18;
    }
    void rowsAreCapped()
    {
        QFETCH(PickerHost::Place, place);
        QFETCH(int, rows);
        QFETCH(int, rowHeight);
        QVERIFY(makeHost(own.get(), place));
        QVERIFY(host->openPopup());
        QCOMPARE(host->popup()->height(), 28 + 5 * rowHeight + 2); // the five groups
        typeKeys("letter");
        QCOMPARE(host->shownRows().size(), 26);
        QCOMPARE(host->popup()->height(), 28 + rows * rowHeight + 2);
        QVERIFY(!WidgetDriver::grabToPng(host->picture(), QString("popup-%1").arg(QTest::currentDataTag())).isEmpty());
        if (!host->simple)
            QVERIFY(!WidgetDriver::grabToPng(host->popup(), "popup-expert-popup").isEmpty());
    }

    void simplePopupOpensWhereThereIsRoom_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::addColumn<bool>("above");
        QTest::newRow("room below") << PickerHost::SimpleTop << false;
        QTest::newRow("no room below") << PickerHost::SimpleBottom << true;
        QTest::newRow("expert: always below") << PickerHost::Expert << false;
    }
    void simplePopupOpensWhereThereIsRoom()
    {
        QFETCH(PickerHost::Place, place);
        QFETCH(bool, above);
        QVERIFY(makeHost(own.get(), place));
        QVERIFY(host->openPopup());
        const QRect combo = host->comboRect();
        const QRect popup = host->popupRect();
        // The bar's layout: 5 pixels round the combo in the simple view.
        const int margin = host->simple ? 5 : 0;
        if (above)
            QCOMPARE(popup.bottom() + 1, combo.top() - margin);
        else
            QCOMPARE(popup.top(), combo.bottom() + 1 + margin);
        QCOMPARE(popup.left(), combo.left() - 5 + 2);
        QCOMPARE(popup.width(), combo.width() + 5);
        QVERIFY(!WidgetDriver::grabToPng(host->picture(), QString("popup-%1").arg(QTest::currentDataTag())).isEmpty());
    }

    // Return opens a closed group and picks an entry; the arrows move.
    void arrowsAndReturnPick()
    {
        own->name = "Copy";
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QVERIFY(host->openPopup());
        // The entry the combo shows is selected, its group open.
        QCOMPARE(host->tree()->currentIndex().data().toString(), QString("Copy"));
        QVERIFY(host->shownRows().contains("Paste"));
        pressKey(Qt::Key_Down);
        pressKey(Qt::Key_Down);
        QCOMPARE(host->tree()->currentIndex().data().toString(), QString("Text"));
        pressKey(Qt::Key_Return);
        QVERIFY(host->shownRows().contains("Bold")); // opened, nothing picked
        QVERIFY(host->combo()->isPopupVisible());
        pressKey(Qt::Key_Down);
        pressKey(Qt::Key_Return);
        QVERIFY(!host->combo()->isPopupVisible());
        QCOMPARE(host->combo()->currentText(), QString("Bold"));
        QCOMPARE(own->name, QString("Bold"));
        QCOMPARE(RowDriver::describe(own->activationOutputs), (QStringList{"CTRL left↓", "B↓"}));
    }

    void hoverButtonElidesTheText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short") << "Copy" << false;
        QTest::newRow("ampersand") << "R&D" << false;
        QTest::newRow("long") << QString("Copy and paste and copy again ").repeated(4) << true;
        QTest::newRow("long, of flags") << QString::fromUtf8("\U0001F1EB\U0001F1F7").repeated(150) << true;
        QTest::newRow("long, mixed") << QString::fromUtf8("ab\U0001F600c\u0301\U0001F1EB\U0001F1F7").repeated(40)
                                     << true;
    }
    void hoverButtonElidesTheText()
    {
        QFETCH(QString, name);
        QFETCH(bool, elided);
        own->name = name;
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        auto *button = WidgetDriver::child<QPushButton>(host->combo(), "renameButton");
        QVERIFY(button && !button->isVisible());
        QEnterEvent enter(QPointF(20, 10), QPointF(20, 10), host->combo()->mapToGlobal(QPoint(20, 10)));
        QApplication::sendEvent(host->combo(), &enter);
        QVERIFY(button->isVisible());
        const QFontMetrics metrics(appFont());
        const int room = int(host->bar->width() - 2.5 * host->bar->height());
        // The name as typed, no shortcut made of an '&', cut between whole
        // characters only.
        QVERIFY(QKeySequence::mnemonic(button->text()).isEmpty());
        const QString shown = WidgetDriver::shownButtonText(button->text());
        QCOMPARE(shown.endsWith("..."), elided);
        const QString kept = elided ? shown.chopped(3) : shown;
        QVERIFY(name.startsWith(kept));
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
        characters.setPosition(kept.size());
        QVERIFY(characters.isAtBoundary());
        QVERIFY(metrics.horizontalAdvance(kept) <= room);
        QCOMPARE(button->width(), metrics.horizontalAdvance(shown) + 30);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(host->combo(), &leave);
        QVERIFY(!button->isVisible());
    }

    // ------------------------------------------------------------ picks

    void pickReplacesTheOutputs_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::addColumn<QString>("comboText");
        QTest::newRow("simple") << PickerHost::SimpleTop << "Copy";
        QTest::newRow("expert") << PickerHost::Expert << "Copy : CTRL left ↓ | C ↓";
    }
    void pickReplacesTheOutputs()
    {
        QFETCH(PickerHost::Place, place);
        QFETCH(QString, comboText);
        own->activationOutputs = {click(1, 1)};
        own->deactivationOutputs = {click(2, 1)};
        QVERIFY(makeHost(own.get(), place));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        QSignalSpy hidden(host->bar, &OutputBar::hideActionLibrary);
        QVERIFY(host->openPopup());
        QVERIFY(host->clickRow("Editing")); // a group is not picked
        QVERIFY(host->combo()->isPopupVisible());
        QVERIFY(host->clickArrow("Editing"));
        QVERIFY(host->clickRow("Copy"));

        QVERIFY(!host->combo()->isPopupVisible());
        QCOMPARE(host->combo()->currentText(), comboText);
        QCOMPARE(own->name, QString("Copy"));
        QCOMPARE(RowDriver::describe(own->activationOutputs), (QStringList{"CTRL left↓", "C↓"}));
        QCOMPARE(RowDriver::describe(own->deactivationOutputs), (QStringList{"C↑", "CTRL left↑"}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<InputMapActionConfig *>(), own.get());
        QCOMPARE(work()->inputMaps.size(), 1); // nothing copied
        // The expert card hides the picker once it closed and once it picked.
        QCOMPARE(hidden.count(), host->simple ? 0 : 2);

        // The library keeps its own records.
        const LibraryEntryPtr entry = host->entries.at(1);
        QCOMPARE(entry->name, QString("Copy"));
        QVERIFY(entry->activationOutputs.first() != own->activationOutputs.first());
    }

    void pickAddsTheNestedEntries()
    {
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QSignalSpy added(host->bar, &OutputBar::childMappingAdded);
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        connect(host->bar, &OutputBar::childMappingAdded, this,
                [&changed] { QCOMPARE(changed.count(), 0); }); // the children come first
        QVERIFY(host->openPopup());
        QVERIFY(host->clickArrow("Clicks"));
        // Nested entries are no rows of the tree.
        QCOMPARE(host->shownRows().mid(3, 2), (QStringList{"Clicks", "Left with nested"}));
        QVERIFY(host->clickRow("Left with nested"));

        QCOMPARE(own->children.size(), 2);
        QCOMPARE(added.count(), 2);
        QCOMPARE(changed.count(), 1);
        const LibraryEntryPtr entry = host->entries.at(6);
        QCOMPARE(entry->name, QString("Left with nested"));
        const QStringList names{"Inner copy", "Inner paste"};
        for (int i = 0; i < 2; ++i) {
            InputMapActionConfig *child = own->children.at(i).get();
            QCOMPARE(added.at(i).first().value<InputMapActionConfig *>(), child);
            QCOMPARE(child->name, names.at(i));
            QCOMPARE(child->parent, own.get());
            QVERIFY(child != entry->children.at(i)->inputMapping.get());
            QVERIFY(child->activationOutputs.first() != entry->children.at(i)->inputMapping->activationOutputs.first());
        }
        QCOMPARE(RowDriver::describe(own->children.at(1)->activationOutputs), QStringList{"V"});
    }

    // Inputs without a release phase get every output in the press list, so no
    // key stays held, and carry no nested inputs.
    void inputsWithoutReleasePhaseGetEverythingOnPress_data()
    {
        QTest::addColumn<int>("inputType");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("press");
        QTest::addColumn<QStringList>("release");
        QTest::addColumn<int>("children");
        const QStringList ctrlC{"CTRL left↓", "C↓", "C↑", "CTRL left↑"};
        QTest::newRow("button") << InputType::Button << "Copy" << QStringList{"CTRL left↓", "C↓"}
                                << QStringList{"C↑", "CTRL left↑"} << 0;
        QTest::newRow("movement") << InputType::Movement << "Copy" << ctrlC << QStringList() << 0;
        QTest::newRow("scroll") << InputType::Scroll << "Copy" << ctrlC << QStringList() << 0;
        QTest::newRow("force range") << InputType::ForceRange << "Copy" << ctrlC << QStringList() << 0;
        QTest::newRow("angle range") << InputType::AngleRange << "Copy" << ctrlC << QStringList() << 0;
        QTest::newRow("button, nested entries")
            << InputType::Button << "Left with nested" << QStringList{"type 12"} << QStringList{"type 12"} << 2;
        QTest::newRow("angle range, nested entries")
            << InputType::AngleRange << "Left with nested" << QStringList{"type 12", "type 12"} << QStringList() << 0;
    }
    void inputsWithoutReleasePhaseGetEverythingOnPress()
    {
        QFETCH(int, inputType);
        QFETCH(QString, entry);
        const InputMapPtr mapping = mappingOfType(inputType);
        work()->inputMaps = {mapping};
        QVERIFY(makeHost(mapping.get(), PickerHost::Expert));
        QSignalSpy added(host->bar, &OutputBar::childMappingAdded);
        host->bar->outputChange(entry == "Copy" ? "Editing" : "Clicks", QString(), entry);
        QTEST(RowDriver::describe(mapping->activationOutputs), "press");
        QTEST(RowDriver::describe(mapping->deactivationOutputs), "release");
        QTEST(int(mapping->children.size()), "children");
        QTEST(int(added.count()), "children");
    }

    void unknownEntryOrLoadingChangesNothing_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("loading");
        QTest::newRow("no such entry") << "Editing"
                                       << "Cut" << false;
        QTest::newRow("wrong group") << "Media"
                                     << "Copy" << false;
        QTest::newRow("model loading") << "Editing"
                                       << "Copy" << true;
    }
    void unknownEntryOrLoadingChangesNothing()
    {
        QFETCH(QString, group);
        QFETCH(QString, name);
        QFETCH(bool, loading);
        QVERIFY(makeHost(inherited.get(), PickerHost::SimpleTop));
        const ModelSnapshot before = ModelSnapshot::take();
        QSignalSpy memory(model(), &PackageCreator::updateMemoryUsed);
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        model()->loading = loading;
        host->bar->outputChange(group, QString(), name);
        model()->loading = false;
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(memory.count(), 0);
    }

    // ------------------------------------------------------------ copy-on-write

    void inheritedMappingIsCopiedFirst_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::newRow("pick") << "pick";
        QTest::newRow("rename") << "rename";
        QTest::newRow("vibration") << "vibration";
    }
    void inheritedMappingIsCopiedFirst()
    {
        QFETCH(QString, edit);
        const InputMapPtr parentBefore = inherited->deepCopy();
        QVERIFY(makeHost(inherited.get(), PickerHost::SimpleTop));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);

        if (edit == "pick") {
            QVERIFY(host->openPopup());
            typeKeys("paste");
            QVERIFY(host->clickRow("Paste"));
        } else if (edit == "rename") {
            DialogAnswerer answer([](QWidget *dialog) { renameTo(dialog, "Smash"); });
            QEnterEvent enter(QPointF(20, 10), QPointF(20, 10), host->combo()->mapToGlobal(QPoint(20, 10)));
            QApplication::sendEvent(host->combo(), &enter);
            QVERIFY(WidgetDriver::click(host->combo(), "renameButton"));
            QVERIFY(answer.answered());
        } else {
            QVERIFY(WidgetDriver::click(host->bar, "vibrationButton"));
            QVERIFY(WidgetDriver::typeInto(host->bar, "vibrationSpin", "60"));
        }

        // The parent profile's mapping is as it was, field for field.
        QCOMPARE(model()->globalProfile()->inputMaps.size(), 1);
        QCOMPARE(model()->globalProfile()->inputMaps.first(), inherited);
        QCOMPARE(ModelSnapshot::mappingDifference(*parentBefore, *inherited), QString());
        // The copy in the current profile took the edit.
        QCOMPARE(work()->inputMaps.size(), 2);
        InputMapActionConfig *copy = work()->inputMaps.last().get();
        QCOMPARE(copy->children.size(), 1);
        QCOMPARE(host->bar->config(), copy);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(changed.first().first().value<InputMapActionConfig *>(), copy);
        if (edit == "pick") {
            QCOMPARE(copy->name, QString("Paste"));
            QCOMPARE(RowDriver::describe(copy->activationOutputs), (QStringList{"CTRL left↓", "V↓"}));
        } else if (edit == "rename") {
            QCOMPARE(copy->name, QString("Smash"));
            QCOMPARE(host->combo()->currentText(), QString("Smash"));
            QCOMPARE(RowDriver::describe(copy->activationOutputs), RowDriver::describe(inherited->activationOutputs));
        } else {
            QCOMPARE(PickerEdits::firstHaptic(copy->activationOutputs)->strength, quint8(50));
            QCOMPARE(PickerEdits::firstHaptic(inherited->activationOutputs)->strength, quint8(30));
        }
        // Further edits stay in the copy.
        host->bar->outputChange("Editing", QString(), "Copy");
        QCOMPARE(work()->inputMaps.size(), 2);
        QCOMPARE(copy->name, QString("Copy"));
        QCOMPARE(ModelSnapshot::mappingDifference(*parentBefore, *inherited), QString());
    }

    // ------------------------------------------------------------ recording

    void recordingCtrlCFillsBothLists_data()
    {
        QTest::addColumn<PickerHost::Place>("place");
        QTest::addColumn<QString>("comboText");
        QTest::addColumn<int>("changes");
        QTest::newRow("simple") << PickerHost::SimpleTop << "CTRL left  + C " << 0;
        QTest::newRow("expert") << PickerHost::Expert << "CTRL left ↓ | C ↓" << 1;
    }
    void recordingCtrlCFillsBothLists()
    {
        QFETCH(PickerHost::Place, place);
        QFETCH(QString, comboText);
        QVERIFY(makeHost(own.get(), place));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        QTest::ignoreMessage(QtDebugMsg, "ActionLayer::startStopRecording() false");
        host->bar->startStopRecording();
        QVERIFY(host->bar->isRecording());
        QVERIFY(backend()->isWatching());
        QVERIFY(!host->combo()->isVisible());
        QVERIFY(shown(host->bar, "typingLabel"));
        QCOMPARE(PageDriver::shownText(host->bar, "recordingLabel"), QString("Press key or shortcut"));
        if (host->simple)
            QVERIFY(!shown(host->bar, "recordButton"));

        backend()->press(vkControlLeft);
        QCOMPARE(PageDriver::shownText(host->bar, "recordingLabel"), QString("Release key(s) to finish"));
        backend()->press(vkControlLeft); // the held key repeats
        backend()->press(vkC);
        QVERIFY(
            !WidgetDriver::grabToPng(host->picture(), QString("recording-%1").arg(QTest::currentDataTag())).isEmpty());
        backend()->release(vkC);
        QVERIFY(host->bar->isRecording());
        QTest::ignoreMessage(QtDebugMsg, "ActionLayer::startStopRecording() true");
        backend()->release(vkControlLeft);

        // It ends by itself once every key is up.
        QVERIFY(!host->bar->isRecording());
        QVERIFY(!backend()->isWatching());
        QVERIFY(host->combo()->isVisible());
        QVERIFY(!shown(host->bar, "recordingLabel"));
        QVERIFY(!shown(host->bar, "typingLabel"));
        QCOMPARE(RowDriver::describe(own->activationOutputs), (QStringList{"CTRL left↓", "C↓"}));
        QCOMPARE(RowDriver::describe(own->deactivationOutputs), (QStringList{"C↑", "CTRL left↑"}));
        QCOMPARE(host->combo()->currentText(), comboText);
        QCOMPARE(own->name, host->simple ? comboText : QString());
        QTEST(int(changed.count()), "changes");
    }

    void recordingOnInputWithoutReleasePhase()
    {
        const InputMapPtr scroll = mappingOfType(InputType::Scroll);
        work()->inputMaps = {scroll};
        QVERIFY(makeHost(scroll.get(), PickerHost::Expert));
        host->bar->startStopRecording();
        backend()->press(vkShiftLeft);
        backend()->press(vkA);
        backend()->release(vkShiftLeft);
        backend()->release(vkA);
        QCOMPARE(RowDriver::describe(scroll->activationOutputs),
                 (QStringList{"SHIFT left↓", "A↓", "SHIFT left↑", "A↑"}));
        QVERIFY(scroll->deactivationOutputs.isEmpty());
    }

    void recordingAnInheritedMappingCopiesIt()
    {
        const InputMapPtr parentBefore = inherited->deepCopy();
        QVERIFY(makeHost(inherited.get(), PickerHost::SimpleTop));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        host->bar->startStopRecording();
        backend()->tap(vkA);
        QCOMPARE(work()->inputMaps.size(), 2);
        InputMapActionConfig *copy = work()->inputMaps.last().get();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<InputMapActionConfig *>(), copy);
        QCOMPARE(RowDriver::describe(copy->activationOutputs), QStringList{"A↓"});
        QCOMPARE(ModelSnapshot::mappingDifference(*parentBefore, *inherited), QString());
    }

    // A key the tables do not know presses nothing: it is left out, and a
    // shortcut of such keys alone changes nothing.
    void unknownKeysAreLeftOut_data()
    {
        QTest::addColumn<QList<qlonglong>>("keys"); // positive: press, negative: release
        QTest::addColumn<QStringList>("press");
        QTest::addColumn<QStringList>("release");
        QTest::newRow("with a known key")
            << QList<qlonglong>{vkUnknown, vkA, -vkA, -vkUnknown} << QStringList{"A↓"} << QStringList{"A↑"};
        QTest::newRow("alone") << QList<qlonglong>{vkUnknown, -vkUnknown} << QStringList{"type 12"}
                               << QStringList{"type 12"};
    }
    void unknownKeysAreLeftOut()
    {
        QFETCH(QList<qlonglong>, keys);
        QVERIFY(!std::make_shared<OutputAction_Keyboard>(OutputType::Key)->setFromKeyCode(int(vkUnknown), 1));
        own->activationOutputs = {click(0, 1)};
        own->deactivationOutputs = {click(1, 1)};
        QVERIFY(makeHost(own.get(), PickerHost::Expert));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        host->bar->startStopRecording();
        for (qlonglong key : keys) {
            if (key > 0)
                backend()->press(long(key));
            else
                backend()->release(long(-key));
        }
        QVERIFY(!host->bar->isRecording());
        QTEST(RowDriver::describe(own->activationOutputs), "press");
        QTEST(RowDriver::describe(own->deactivationOutputs), "release");
        QCOMPARE(changed.count(), keys.size() > 2 ? 1 : 0);
    }

    // A key still down when a click ended the last recording is a new press in
    // the next one.
    void keyHeldAcrossAStopCountsAgain()
    {
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        host->bar->startStopRecording();
        backend()->press(vkShiftLeft);
        backend()->leftClick();
        QVERIFY(!host->bar->isRecording());
        QCOMPARE(RowDriver::describe(own->activationOutputs), QStringList{"SHIFT left↓"});

        host->bar->startStopRecording();
        backend()->press(vkShiftLeft);
        backend()->press(vkA);
        backend()->release(vkA);
        backend()->release(vkShiftLeft);
        QVERIFY(!host->bar->isRecording());
        QCOMPARE(RowDriver::describe(own->activationOutputs), (QStringList{"SHIFT left↓", "A↓"}));
        QCOMPARE(RowDriver::describe(own->deactivationOutputs), (QStringList{"A↑", "SHIFT left↑"}));
    }

    // A click on a record button while recording reaches the hook too, which
    // stops; that click must not start a new recording, whichever of the hook
    // and the button learns of it first. The bar's own button is hidden while
    // recording and comes back under the pointer when the hook stopped; a
    // card's Record button stays and goes through the same slots.
    void clickOnRecordButtonWhileRecordingOnlyStops_data()
    {
        QTest::addColumn<bool>("ownButton");
        QTest::addColumn<bool>("hookFirst");
        QTest::newRow("the bar's button") << true << true;
        QTest::newRow("a card's button, the hook hears it first") << false << true;
        QTest::newRow("a card's button, pressed first") << false << false;
    }
    void clickOnRecordButtonWhileRecordingOnlyStops()
    {
        QFETCH(bool, ownButton);
        QFETCH(bool, hookFirst);
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QPushButton *button = WidgetDriver::child<QPushButton>(host->bar, "recordButton");
        QPushButton cardButton("Record");
        if (!ownButton) {
            connect(&cardButton, &QPushButton::pressed, host->bar, &OutputBar::recordPressed);
            connect(&cardButton, &QPushButton::clicked, host->bar, &OutputBar::recordClicked);
            cardButton.show();
            QVERIFY(QTest::qWaitForWindowExposed(&cardButton));
            button = &cardButton;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(host->bar->isRecording());
        QVERIFY(backend()->isWatching());

        if (hookFirst)
            backend()->leftClick();
        QVERIFY(button->isVisible());
        QTest::mousePress(button, Qt::LeftButton);
        if (!hookFirst)
            backend()->leftClick();
        QTest::mouseRelease(button, Qt::LeftButton);
        QVERIFY(!host->bar->isRecording());
        QVERIFY(!backend()->isWatching());

        // A later click records again.
        QTest::qWait(RecordClickGuard::sameClickMs + 100);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(host->bar->isRecording());
        host->bar->startStopRecording();
    }

    // ------------------------------------------------------------ vibration

    void vibrationStrength_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("strength"); // -1: no vibration record
        QTest::newRow("120 %: the slider at its end") << "120" << 100 << 100;
        QTest::newRow("60 %") << "60" << 60 << 50;
        QTest::newRow("1 %: truncated to 0") << "1" << 1 << 0;
        QTest::newRow("0 %: removed") << "0" << 0 << -1;
    }
    void vibrationStrength()
    {
        QFETCH(QString, typed);
        QFETCH(int, strength);
        own->activationOutputs = {click(0, 1), haptic(42)};
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QVERIFY(shown(host->bar, "vibrationFrame"));
        QVERIFY(shown(host->bar, "redDot"));
        QVERIFY(WidgetDriver::click(host->bar, "vibrationButton"));
        QVERIFY(shown(host->bar, "vibrationPanel"));
        QVERIFY(shown(host->bar, "vibrationAcceptButton"));
        QVERIFY(!shown(host->bar, "vibrationButton"));
        QVERIFY(!host->combo()->isVisible());
        auto *spin = WidgetDriver::child<QSpinBox>(host->bar, "vibrationSpin");
        auto *slider = WidgetDriver::child<QSlider>(host->bar, "vibrationSlider");
        QCOMPARE(spin->value(), 50); // 42 times 1.2, truncated
        QCOMPARE(slider->value(), 50);
        QVERIFY(slider->isVisible());
        QVERIFY(!WidgetDriver::grabToPng(host->picture(), "vibration-panel").isEmpty());

        QSignalSpy memory(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::typeInto(host->bar, "vibrationSpin", typed));
        QVERIFY(memory.count() >= 1);
        QCOMPARE(spin->value(), typed.toInt());
        QTEST(slider->value(), "slider");
        const auto record = PickerEdits::firstHaptic(own->activationOutputs);
        if (strength < 0) {
            QVERIFY(!record);
        } else {
            QVERIFY(record);
            QCOMPARE(int(record->strength), strength);
        }
        QCOMPARE(own->activationOutputs.size(), strength < 0 ? 1 : 2);

        QVERIFY(WidgetDriver::click(host->bar, "vibrationAcceptButton"));
        QVERIFY(!shown(host->bar, "vibrationPanel"));
        QVERIFY(shown(host->bar, "vibrationButton"));
        QVERIFY(host->combo()->isVisible());
        QCOMPARE(shown(host->bar, "redDot"), strength > 0);
    }

    void vibrationIsAddedToAMappingWithoutOne()
    {
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QVERIFY(!WidgetDriver::child(host->bar, "redDot")); // made when first needed
        QVERIFY(WidgetDriver::click(host->bar, "vibrationButton"));
        auto *slider = WidgetDriver::child<QSlider>(host->bar, "vibrationSlider");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(WidgetDriver::child<QSpinBox>(host->bar, "vibrationSpin")->value(), 100);
        const auto record = PickerEdits::firstHaptic(own->activationOutputs);
        QVERIFY(record);
        QCOMPARE(int(record->strength), 83);
        QCOMPARE(int(record->duration.value()), 7);
        QCOMPARE(record->hapticOption, 0);
        QVERIFY(WidgetDriver::click(host->bar, "vibrationAcceptButton"));
        QVERIFY(shown(host->bar, "redDot"));
        auto *dot = WidgetDriver::child(host->bar, "redDot");
        QCOMPARE(dot->pos(), QPoint(25 / 2 + 2, 0));
    }

    void vibrationNeedsAMotor_data()
    {
        QTest::addColumn<int>("lastMouse");
        QTest::addColumn<bool>("offered");
        QTest::newRow("model 10") << 10 << true;
        QTest::newRow("model 20") << 20 << false;
        QTest::newRow("none yet") << 0 << false;
    }
    void vibrationNeedsAMotor()
    {
        QFETCH(int, lastMouse);
        MouseFunctions::destroyInstance();
        settings().setValue("LastMouseConnected", lastMouse);
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QTEST(shown(host->bar, "vibrationFrame"), "offered");
        QVERIFY(shown(host->bar, "recordButton"));
    }

    // A recording closes the panel; the vibration button is back after it.
    void recordingClosesTheVibrationPanel()
    {
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QVERIFY(WidgetDriver::click(host->bar, "vibrationButton"));
        host->bar->startStopRecording();
        QVERIFY(!shown(host->bar, "vibrationPanel"));
        QVERIFY(!shown(host->bar, "vibrationFrame"));
        backend()->tap(vkA);
        QVERIFY(!host->bar->isRecording());
        QVERIFY(shown(host->bar, "vibrationFrame"));
        QVERIFY(shown(host->bar, "vibrationButton"));
        QVERIFY(!shown(host->bar, "vibrationPanel"));
        QVERIFY(host->combo()->isVisible());
    }

    void panelFollowsTheBarsMapping()
    {
        own->activationOutputs = {haptic(50)};
        const InputMapPtr other = SampleModel::button(3);
        other->activationOutputs = {haptic(100)};
        work()->inputMaps << other;
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QVERIFY(WidgetDriver::click(host->bar, "vibrationButton"));
        auto *spin = WidgetDriver::child<QSpinBox>(host->bar, "vibrationSpin");
        QCOMPARE(spin->value(), 60);
        host->bar->setConfig(other.get());
        QCOMPARE(spin->value(), 120);
        QVERIFY(WidgetDriver::typeInto(host->bar, "vibrationSpin", "12"));
        QCOMPARE(int(PickerEdits::firstHaptic(other->activationOutputs)->strength), 10);
        QCOMPARE(int(PickerEdits::firstHaptic(own->activationOutputs)->strength), 50);
    }

    // ------------------------------------------------------------ rename

    void renameDialogNamesTheAction()
    {
        own->name = "Old";
        own->activationOutputs = {keyInGroup(3, 224, 2), keyInGroup(1, 6, 2)};
        own->deactivationOutputs = {keyInGroup(1, 6, 0), keyInGroup(3, 224, 0)};
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        QSignalSpy changed(host->bar, &OutputBar::configChanged);
        QStringList labels;
        QString picture;
        DialogAnswerer answer([&labels, &picture](QWidget *dialog) {
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                labels << label->text();
            const auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), QString("Old"));
            QCOMPARE(edit->maxLength(), 50);
            picture = WidgetDriver::grabToPng(dialog, "rename-dialog");
            renameTo(dialog, "  Copy it  ");
        });
        host->bar->renameClicked();
        QVERIFY(answer.answered());
        QVERIFY(!picture.isEmpty());
        QCOMPARE(labels, (QStringList{"Action Name:", "Output Action:", "CTRL left  + C "}));
        QCOMPARE(own->name, QString("Copy it"));
        QCOMPARE(host->combo()->currentText(), QString("Copy it"));
        QCOMPARE(changed.count(), 0);
    }

    void renameCancelledChangesNothing()
    {
        own->name = "Old";
        QVERIFY(makeHost(own.get(), PickerHost::SimpleTop));
        DialogAnswerer answer([](QWidget *dialog) { clickText(dialog, "Cancel"); });
        host->bar->renameClicked();
        QVERIFY(answer.answered());
        QCOMPARE(own->name, QString("Old"));
        QCOMPARE(work()->inputMaps.size(), 1);
    }
};

QTEST_MAIN(TestOutputBar)
#include "tst_outputbar.moc"
