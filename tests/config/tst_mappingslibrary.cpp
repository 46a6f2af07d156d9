#include "ActionLibrary.h"
#include "ConfigFile.h"
#include "DialogAnswerer.h"
#include "DlgYesNo.h"
#include "FileSizeLimit.h"
#include "ModelSnapshot.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "SampleModel.h"
#include "StoreFixture.h"
#include "StyleProperties.h"
#include "WidgetDriver.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using StoreFixture::readFile;
using StoreFixture::writeFile;

namespace {

const QString clashQuestion = QStringLiteral(
    "A mapping called %1 already exists in your action library.\n\nWould you like to overwrite the existing action, "
    "or save it under a different name?\n [Rename|Overwrite] m=v width=500");
// The name prompt: its label, buttons, starting text and length limit.
const QString namePrompt = QStringLiteral("Save Action As: [Cancel|Save] {%1/50} m=v");
const QString failureNotice = QStringLiteral(
    "The action could not be saved to your action library\n%1\n\n%2\n\nThe library was left as it was. [Ok] m=v");

// Answers the prompts that open one after another, each with its own step,
// and keeps how each looked: its text, its buttons from left to right, its
// name field ("{text/limit}"), its style mode and a question's minimum width.
class Prompts
{
public:
    using Step = std::function<void(QWidget *dialog)>;

    explicit Prompts(QList<Step> steps, bool grab = true)
        : m_steps(std::move(steps))
        , m_grab(grab)
    {
        next();
    }

    QStringList seen;

    static Step click(const QString &button)
    {
        return [button](QWidget *dialog) { QVERIFY(WidgetDriver::click(dialog, button)); };
    }
    static Step typeAndSave(const QString &name)
    {
        return [name](QWidget *dialog) {
            QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", name));
            QVERIFY(WidgetDriver::click(dialog, "pushButton_rename"));
        };
    }

private:
    void next()
    {
        if (m_steps.isEmpty())
            return;
        const Step step = m_steps.takeFirst();
        m_answerers.push_back(std::make_unique<DialogAnswerer>([this, step](QWidget *dialog) {
            seen << describe(dialog);
            if (m_grab) {
                QString picture = QString(QTest::currentTestFunction()) + "-" + QTest::currentDataTag() + "-"
                                  + QString::number(seen.size());
                WidgetDriver::grabToPng(dialog, picture.replace(QRegularExpression("[^A-Za-z0-9-]+"), "_"));
            }
            // Made while this prompt is open, the next answerer waits for
            // the prompt that follows it.
            next();
            step(dialog);
        }));
    }

    static QString describe(QWidget *dialog)
    {
        const auto *label = dialog->findChild<QLabel *>("label");
        QString text = label ? label->text() : QString();
        QStringList buttons;
        QList<QPushButton *> all = dialog->findChildren<QPushButton *>();
        std::sort(all.begin(), all.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        for (const QPushButton *button : qAsConst(all)) {
            if (button->isVisible())
                buttons << button->text();
        }
        text += " [" + buttons.join('|') + "]";
        if (const auto *edit = dialog->findChild<QLineEdit *>())
            text += QStringLiteral(" {%1/%2}").arg(edit->text()).arg(edit->maxLength());
        if (label)
            text += " m=" + label->property(StyleProperties::modelKey).toString();
        if (qobject_cast<DlgYesNo *>(dialog))
            text += " width=" + QString::number(dialog->minimumWidth());
        return text;
    }

    QList<Step> m_steps;
    bool m_grab;
    std::vector<std::unique_ptr<DialogAnswerer>> m_answerers;
};

QJsonObject libraryDocument()
{
    return QJsonDocument::fromJson(readFile(ConfigFile::mappingsLibraryPath())).object();
}

InputMapPtr buttonWith(int id, const QString &name, const OutputList &press)
{
    InputMapPtr mapping = SampleModel::button(id, name);
    mapping->activationOutputs = press;
    return mapping;
}

QStringList leftovers()
{
    return QDir(ConfigFile::documentsFolder()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

Q_DECLARE_METATYPE(QList<Prompts::Step>)

class TestMappingsLibrary : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    QTemporaryDir programFolder; // no library files: only the user's entries
    QWidget window;

private slots:
    void initTestCase()
    {
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        // The prompts open over the active window.
        window.resize(800, 600);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void init()
    {
        clean.emplace();
        QDir(ConfigFile::documentsFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(ConfigFile::documentsFolder()));
        ActionLibrary::clearMappingsLibraryCache();
        SampleModel::emptyModel();
    }
    void cleanup() { clean.reset(); }

    // A named mapping is stored under its name as its tree of mappings, in a
    // plain JSON file, without a prompt; the next library shows it once the
    // cache was cleared.
    void namedMappingIsStored()
    {
        const QJsonArray old = ConfigFile::writeMappingTree(*buttonWith(2, "Old", {key(4)}));
        QVERIFY(writeFile(ConfigFile::mappingsLibraryPath(),
                          QJsonDocument(QJsonObject{{"Custom", QJsonObject{{"Old", old}}}}).toJson()));
        LibraryEntryList before;
        ActionLibrary::fillModel(before, nullptr);

        InputMapPtr copy = buttonWith(0, "Copy", {keyInGroup(3, 224, 2), keyInGroup(1, 6, 1), keyInGroup(3, 224, 0)});
        copy->addChild(buttonWith(1, "Inside", {key(7)}));
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        QTest::ignoreMessage(QtInfoMsg, "ConfigFile: Adding Copy to Custom category in MappingsLibrary");
        Prompts none({Prompts::click("pushButton_cancel")});
        QVERIFY(ConfigFile::instance()->addToMappingsLibrary(copy.get(), "Custom"));
        QCOMPARE(none.seen, QStringList());
        QCOMPARE(saved.count(), 0);

        const QByteArray bytes = readFile(ConfigFile::mappingsLibraryPath());
        QVERIFY(bytes.startsWith("{\n"));
        QCOMPARE(libraryDocument(),
                 (QJsonObject{{"Custom", QJsonObject{{"Old", old}, {"Copy", ConfigFile::writeMappingTree(*copy)}}}}));

        const auto names = [] {
            LibraryEntryList entries;
            QStandardItemModel model;
            ActionLibrary::fillModel(entries, &model);
            QStringList list;
            for (const LibraryEntryPtr &entry : entries)
                list << entry->category + "/" + entry->name;
            return list;
        };
        QCOMPARE(names(), (QStringList{"/Do Nothing", "Custom/Old"}));
        ActionLibrary::clearMappingsLibraryCache();
        QCOMPARE(names(), (QStringList{"/Do Nothing", "Custom/Copy", "Custom/Old"}));
        QCOMPARE(before.at(1)->name, QString("Old")); // what a picker held stays
    }

    // A mapping without a name is asked for one, which it then keeps;
    // Cancel writes nothing.
    void unnamedMappingIsAskedItsName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("saved") << "  Mine  " << true;
        QTest::newRow("blank name") << "   " << true;
        QTest::newRow("cancelled") << "" << false;
    }
    void unnamedMappingIsAskedItsName()
    {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        const bool blank = !name.isEmpty() && name.trimmed().isEmpty();
        InputMapPtr mapping = buttonWith(3, blank ? name : QString(), {key(5)});
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        if (stored)
            QTest::ignoreMessage(QtInfoMsg, "ConfigFile: Adding Mine to Custom category in MappingsLibrary");
        Prompts prompts({stored ? Prompts::typeAndSave(blank ? "Mine" : name) : Prompts::click("pushButton_cancel")});
        QCOMPARE(ConfigFile::instance()->addToMappingsLibrary(mapping.get(), "Custom"), stored);
        QCOMPARE(prompts.seen, QStringList{namePrompt.arg("")});
        if (!stored) {
            QCOMPARE(readFile(ConfigFile::mappingsLibraryPath()), StoreFixture::missing);
            QCOMPARE(mapping->name, QString());
            QCOMPARE(saved.count(), 0);
            return;
        }
        QCOMPARE(mapping->name, QString("Mine"));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toBool(), true);
        const QJsonObject custom = libraryDocument().value("Custom").toObject();
        QCOMPARE(custom.keys(), QStringList{"Mine"});
        // The stored tree is the mapping as it came, before it was named.
        InputMapPtr unnamed = mapping->clone();
        unnamed->name = blank ? name : QString();
        QCOMPARE(custom.value("Mine").toArray(), ConfigFile::writeMappingTree(*unnamed));
    }

    // A name the category holds already: Overwrite replaces that entry,
    // Rename asks for another name until a free one (or Overwrite), and
    // Cancel leaves the file as it was.
    void clashIsOverwrittenOrRenamed_data()
    {
        QTest::addColumn<QList<Prompts::Step>>("steps");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QString>("storedAs"); // empty: nothing stored
        QTest::newRow("overwrite") << QList<Prompts::Step>{Prompts::click("btn_yes")}
                                   << QStringList{clashQuestion.arg("Copy")} << "Copy";
        QTest::newRow("rename") << QList<Prompts::Step>{Prompts::click("btn_no"), Prompts::typeAndSave("Copy 2")}
                                << QStringList{clashQuestion.arg("Copy"), namePrompt.arg("Copy")} << "Copy 2";
        QTest::newRow("rename to a taken name, then overwrite")
            << QList<Prompts::Step>{Prompts::click("btn_no"), Prompts::typeAndSave("Paste"), Prompts::click("btn_yes")}
            << QStringList{clashQuestion.arg("Copy"), namePrompt.arg("Copy"), clashQuestion.arg("Paste")} << "Paste";
        QTest::newRow("rename cancelled")
            << QList<Prompts::Step>{Prompts::click("btn_no"), Prompts::click("pushButton_cancel")}
            << QStringList{clashQuestion.arg("Copy"), namePrompt.arg("Copy")} << "";
    }
    void clashIsOverwrittenOrRenamed()
    {
        QFETCH(QList<Prompts::Step>, steps);
        QFETCH(QString, storedAs);
        const QJsonObject before{
            {"Custom", QJsonObject{{"Copy", ConfigFile::writeMappingTree(*buttonWith(2, "Copy", {key(4)}))},
                                   {"Paste", ConfigFile::writeMappingTree(*buttonWith(2, "Paste", {key(5)}))}}},
            {"Other", QJsonObject{{"Copy", ConfigFile::writeMappingTree(*buttonWith(1, "Copy", {key(6)}))}}}};
        const QByteArray bytes = QJsonDocument(before).toJson();
        QVERIFY(writeFile(ConfigFile::mappingsLibraryPath(), bytes));
        InputMapPtr copy = buttonWith(0, "Copy", {key(6), key(7)});

        if (!storedAs.isEmpty())
            QTest::ignoreMessage(
                QtInfoMsg, qPrintable("ConfigFile: Adding " + storedAs + " to Custom category in MappingsLibrary"));
        Prompts prompts(steps);
        QCOMPARE(ConfigFile::instance()->addToMappingsLibrary(copy.get(), "Custom"), !storedAs.isEmpty());
        QTEST(prompts.seen, "prompts");
        QCOMPARE(copy->name, QString("Copy"));
        if (storedAs.isEmpty()) {
            QCOMPARE(readFile(ConfigFile::mappingsLibraryPath()), bytes);
            return;
        }
        QJsonObject expected = before;
        QJsonObject custom = expected.value("Custom").toObject();
        custom.insert(storedAs, ConfigFile::writeMappingTree(*copy));
        expected.insert("Custom", custom);
        QCOMPARE(libraryDocument(), expected);
    }

    // An inherited mapping is stored with its whole tree below it, as a
    // top-level mapping, and reads back as that tree with child entries.
    void inheritedTreeReadsBack_data()
    {
        QTest::addColumn<QString>("path"); // positions from the global profile's first mapping
        QTest::addColumn<QString>("entries");
        QTest::newRow("top of three levels") << ""
                                             << "Left(Hard press(Tilted))";
        QTest::newRow("middle level") << "0"
                                      << "Hard press(Tilted)";
    }
    void inheritedTreeReadsBack()
    {
        QFETCH(QString, path);
        SampleModel::buildFullModel();
        PackageCreator *model = PackageCreator::instance();
        InputMapPtr mapping = model->globalProfile()->inputMaps.first();
        mapping->children.first()->children.first()->name = "Tilted";
        if (!path.isEmpty())
            mapping = mapping->children.at(path.toInt());
        model->setCurrentProfile(model->profiles().first()); // "Work": the mapping is inherited
        QVERIFY(!model->containsInputMap(mapping.get()));

        QTest::ignoreMessage(
            QtInfoMsg, qPrintable("ConfigFile: Adding " + mapping->name + " to Custom category in MappingsLibrary"));
        QVERIFY(ConfigFile::instance()->addToMappingsLibrary(mapping.get(), "Custom"));
        const LibraryEntryList entries = ActionLibrary::readMappingsLibrary();
        QCOMPARE(entries.size(), 1);
        const LibraryEntryPtr entry = entries.first();
        const QString difference = ModelSnapshot::mappingDifference(*entry->inputMapping, *mapping);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(!entry->inputMapping->parent);
        const std::function<QString(const LibraryEntry &)> shape = [&shape](const LibraryEntry &e) {
            QStringList children;
            for (const LibraryEntryPtr &child : e.children) {
                if (child->category != e.category || child->inputMapping->parent != e.inputMapping.get())
                    return QStringLiteral("wrong child entry ") + child->name;
                children << shape(*child);
            }
            return children.isEmpty() ? e.name : e.name + "(" + children.join(", ") + ")";
        };
        QTEST(shape(*entry), "entries");
    }

    // A library that cannot be read or is no library is left byte for byte
    // as it was, and the user is told why the action was not saved.
    void unusableLibraryIsLeftAndReported_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("warning");
        QJsonParseError error{};
        QJsonDocument::fromJson("{\"Custom\": {", &error);
        QTest::newRow("not parsed") << QByteArray("{\"Custom\": {")
                                    << "The file is damaged: " + error.errorString() + "."
                                    << "ConfigFile: Error parsing MappingsLibrary file - " + error.errorString();
        const QString notLibrary =
            "ConfigFile: MappingsLibrary file is not a library of mappings - " + ConfigFile::mappingsLibraryPath();
        QTest::newRow("an array") << QByteArray("[{\"Custom\": {}}]\n") << "The file does not hold an action library."
                                  << notLibrary;
        QTest::newRow("category not an object") << QByteArray("{\"Custom\": [1, 2], \"Other\": {}}")
                                                << "The file does not hold an action library." << notLibrary;
        QTest::newRow("a folder") << QByteArray() << ""
                                  << "";
    }
    void unusableLibraryIsLeftAndReported()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QFETCH(QString, warning);
        const QString path = ConfigFile::mappingsLibraryPath();
        if (file.isEmpty()) {
            // Cannot be read as a file at all.
            QVERIFY(QDir().mkpath(path + "/inside"));
            QFile folder(path);
            QVERIFY(!folder.open(QIODevice::ReadOnly));
            reason = folder.errorString();
            warning = "ConfigFile: Could not open MappingsLibrary - " + path + " - " + reason;
        } else {
            QVERIFY(writeFile(path, file));
        }
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        InputMapPtr mapping = buttonWith(0, "Copy", {key(6)});
        Prompts prompts({Prompts::click("btn_ok")});
        QVERIFY(!ConfigFile::instance()->addToMappingsLibrary(mapping.get(), "Custom"));
        QCOMPARE(prompts.seen, QStringList{failureNotice.arg(QDir::toNativeSeparators(path), reason)});
        if (file.isEmpty())
            QVERIFY(QFileInfo(path + "/inside").isDir());
        else
            QCOMPARE(readFile(path), file);
    }

    // A write that runs out of space keeps the old library byte for byte,
    // leaves no temporary file, and tells the user.
    void fullDiskKeepsTheOldLibrary()
    {
        const QString path = ConfigFile::mappingsLibraryPath();
        const QByteArray old =
            QJsonDocument(
                QJsonObject{
                    {"Custom", QJsonObject{{"Old", ConfigFile::writeMappingTree(*buttonWith(2, "Old", {key(4)}))}}}})
                .toJson();
        QVERIFY(writeFile(path, old));
        InputMapPtr mapping = buttonWith(0, "Copy", SampleModel::everyOutput());
        const QString reason = qt_error_string(EFBIG);
        QTest::ignoreMessage(QtInfoMsg, "ConfigFile: Adding Copy to Custom category in MappingsLibrary");
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("ConfigFile: Error writing to MappingsLibrary - " + path + " - " + reason));
        bool stored = true;
        Prompts prompts({Prompts::click("btn_ok")}, false); // no picture while files cannot grow
        {
            FileSizeLimit full(rlim_t(old.size()) + 100);
            QVERIFY(full.isSet());
            stored = ConfigFile::instance()->addToMappingsLibrary(mapping.get(), "Custom");
        }
        QVERIFY(!stored);
        QCOMPARE(prompts.seen, QStringList{failureNotice.arg(QDir::toNativeSeparators(path), reason)});
        QCOMPARE(readFile(path), old);
        QCOMPARE(leftovers(), QStringList{"MappingsLibrary.kvlf"});
    }
};

QTEST_MAIN(TestMappingsLibrary)
#include "tst_mappingslibrary.moc"
