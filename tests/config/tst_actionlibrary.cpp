#include "ActionLibrary.h"

#include "ConfigFile.h"
#include "ModelSnapshot.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "SampleModel.h"
#include "SettingsFile.h"
#include "StoreFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(OutputList)

namespace {

const QString down = QString::fromUtf8("\u2193");
const QString up = QString::fromUtf8("\u2191");
const QString header = QStringLiteral("Depth,Category,Name,Input,Press,Release,Notes,Category zh_TW,Name zh_TW");

// A library file: the header, then the lines.
QByteArray csv(const QStringList &lines)
{
    return (QStringList{header} + lines).join('\n').toUtf8() + '\n';
}

// A line of a top-level entry without outputs.
QString entryLine(const QString &path, const QString &name)
{
    return QStringLiteral("0,%1,%2,None,None,None").arg(path, name);
}

void setLanguage(const QString &language)
{
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("Language", language);
}

// The entries and their nested entries as "name(child, child)".
QString shape(const LibraryEntryList &entries)
{
    QStringList parts;
    for (const LibraryEntryPtr &entry : entries)
        parts << (entry->children.isEmpty() ? entry->name : entry->name + "(" + shape(entry->children) + ")");
    return parts.join(", ");
}

// The items below parent as "text(child, child)", the top level joined by " | ".
QString itemsOf(const QStandardItem *parent, const QString &separator)
{
    QStringList parts;
    for (int row = 0; row < parent->rowCount(); ++row) {
        const QStandardItem *item = parent->child(row);
        parts << (item->hasChildren() ? item->text() + "(" + itemsOf(item, ", ") + ")" : item->text());
    }
    return parts.join(separator);
}

QList<const QStandardItem *> leavesOf(const QStandardItem *parent)
{
    QList<const QStandardItem *> leaves;
    for (int row = 0; row < parent->rowCount(); ++row) {
        const QStandardItem *item = parent->child(row);
        if (item->hasChildren())
            leaves << leavesOf(item);
        else
            leaves << item;
    }
    return leaves;
}

// The entry a picker finds for a chosen leaf: the leaf's text is the name,
// its parent the category, or its grandparent the category and its parent
// the sub-category.
LibraryEntryPtr entryOfLeaf(const LibraryEntryList &entries, const QStandardItem *leaf)
{
    QString category;
    QString subCategory;
    if (const QStandardItem *parent = leaf->parent()) {
        if (const QStandardItem *grandparent = parent->parent()) {
            category = grandparent->text();
            subCategory = parent->text();
        } else {
            category = parent->text();
        }
    }
    for (const LibraryEntryPtr &entry : entries) {
        if (entry->name == leaf->text() && entry->category == category && entry->subCategory == subCategory)
            return entry;
    }
    return nullptr;
}

bool sameOutputs(const OutputList &a, const OutputList &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (!a.at(i)->equals(*b.at(i)))
            return false;
    }
    return true;
}

InputMapPtr namedButton(int id, const QString &name, const OutputList &press)
{
    InputMapPtr mapping = SampleModel::button(id, name);
    mapping->activationOutputs = press;
    return mapping;
}

} // namespace

class TestActionLibrary : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    QTemporaryDir programFolder;

private slots:
    void initTestCase()
    {
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        using StoreFixture::writeFile;
        const QString profiles = Predefined::profilesFolder();
        QVERIFY(writeFile(profiles + "basic.csv", csv({entryLine("Editing", "Copy"), entryLine("Media", "Play"),
                                                       entryLine("Editing > Text", "Bold")})));
        QVERIFY(writeFile(profiles + "Desktop/info.txt", "Name=Desktop\n"));
        QVERIFY(writeFile(profiles + "Desktop/actions.csv",
                          csv({entryLine("Desktop", "Show Desktop"), entryLine("Editing", "Desktop Copy")})));
        QVERIFY(writeFile(profiles + "Game/info.txt", "Name=Game\n"));
        QVERIFY(writeFile(profiles + "Game/actions.csv",
                          csv({entryLine("Game", "Jump"), entryLine("Media", "Game Music")})));
        // The first library of the process reads the general file into the
        // cache in its language: the default one, before any test sets one.
        ActionLibrary first;
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void init()
    {
        clean.emplace();
        QFile::remove(ConfigFile::mappingsLibraryPath());
        ActionLibrary::clearMappingsLibraryCache();
    }
    void cleanup() { clean.reset(); }

    void fieldsAreSplit_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "0,A,B" << QStringList{"0", "A", "B"};
        QTest::newRow("trimmed") << " 0 ,  A > B\t,C " << QStringList{"0", "A > B", "C"};
        QTest::newRow("quoted comma and quotes") << "\"a,\"\"b\"\"\"" << QStringList{"a,\"b\""};
        QTest::newRow("quoted line break") << "\"a\nb\",c" << QStringList{"a\nb", "c"};
        QTest::newRow("closing quote at the end") << "x,\"y\"" << QStringList{"x", "y"};
        QTest::newRow("final comma") << "a,b," << QStringList{"a", "b"};
        QTest::newRow("final comma and line break") << "a,b,\n" << QStringList{"a", "b", ""};
        QTest::newRow("line break ends the line") << "a,b\nc,d" << QStringList{"a", "b"};
        QTest::newRow("carriage return ends the line") << "a\r,b" << QStringList{"a"};
        QTest::newRow("empty quotes") << "\"\",a" << QStringList{"", "a"};
        QTest::newRow("lone quote") << "\"" << QStringList{"\""};
        QTest::newRow("empty") << "" << QStringList();
    }
    void fieldsAreSplit()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(ActionLibrary::splitCsvLine(line), fields);
    }

    void linesAreRead_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("subCategory");
        QTest::addColumn<QString>("name");
        QTest::addColumn<OutputList>("press");
        QTest::addColumn<OutputList>("release");
        QTest::addColumn<QString>("message");

        const OutputList ctrlC{keyInGroup(3, 224, 2), keyInGroup(1, 6, 1)};
        QTest::newRow("category, sub-category, two press outputs")
            << ""
            << "0,A > B,Copy,None,ControlLeft" + down + " + C,None" << true << "A"
            << "B"
            << "Copy" << ctrlC << OutputList() << "";
        QTest::newRow("more parts of the path are ignored")
            << ""
            << "0, A>B >C ,Copy,x,C,None" << true << "A"
            << "B"
            << "Copy" << OutputList{keyInGroup(1, 6, 1)} << OutputList() << "";
        QTest::newRow("release outputs") << ""
                                         << "0,A,Hold,None,MouseButton1" + down + ",MouseButton1" + up << true << "A"
                                         << ""
                                         << "Hold" << OutputList{click(0, 2)} << OutputList{click(0, 0)} << "";
        QTest::newRow("unknown output dropped alone")
            << ""
            << "0,A,Keys,None,C + Bogus + V,None" << true << "A"
            << ""
            << "Keys" << OutputList{keyInGroup(1, 6, 1), keyInGroup(1, 25, 1)} << OutputList()
            << "W:ActionLibrary: parse error on line C + Bogus + V, unidentified output Bogus";
        QTest::newRow("depth that is not a number reads as 0") << ""
                                                               << "top,A,B,None,None,None" << true << "A"
                                                               << ""
                                                               << "B" << OutputList() << OutputList() << "";
        QTest::newRow("quoted name") << ""
                                     << "0,A,\"Copy, then paste\",None,None,None" << true << "A"
                                     << ""
                                     << "Copy, then paste" << OutputList() << OutputList() << "";
        QTest::newRow("five columns") << ""
                                      << "0,A,B,None,None" << false << ""
                                      << ""
                                      << "" << OutputList() << OutputList() << "";
        QTest::newRow("empty column") << ""
                                      << "0,A,,None,None,None" << false << ""
                                      << ""
                                      << "" << OutputList() << OutputList() << "";
        QTest::newRow("blank column") << ""
                                      << "0,A,B,None,  ,None" << false << ""
                                      << ""
                                      << "" << OutputList() << OutputList() << "";
        QTest::newRow("negative depth") << ""
                                        << "-1,A,B,Button 1,None,None" << false << ""
                                        << ""
                                        << "" << OutputList() << OutputList() << "";
        QTest::newRow("deepest depth") << ""
                                       << "31,A,B,Button 1,C,None" << true << "A"
                                       << ""
                                       << "B" << OutputList{keyInGroup(1, 6, 1)} << OutputList() << "";
        QTest::newRow("depth beyond the nesting") << ""
                                                  << "32,A,B,Button 1,None,None" << false << ""
                                                  << ""
                                                  << "" << OutputList() << OutputList() << "";
        QTest::newRow("nested None input") << ""
                                           << "1,A,B,None,C,None" << false << ""
                                           << ""
                                           << "" << OutputList() << OutputList()
                                           << "I:ActionLibrary: parse error on line 1,A,B,None,C,None, nested input "
                                              "must be specified";
        QTest::newRow("nested unknown input") << ""
                                              << "1,A,B,Pedal 1,C,None" << false << ""
                                              << ""
                                              << "" << OutputList() << OutputList()
                                              << "I:ActionLibrary: parse error on line 1,A,B,Pedal 1,C,None, "
                                                 "unidentified input";
        const QString chinese = QString::fromUtf8("0,Editing,Copy,None,C,None,notes,編輯 > 文字,複製");
        QTest::newRow("zh_TW columns") << "zh_TW" << chinese << true << QString::fromUtf8("編輯")
                                       << QString::fromUtf8("文字") << QString::fromUtf8("複製")
                                       << OutputList{keyInGroup(1, 6, 1)} << OutputList() << "";
        QTest::newRow("other languages read columns 1 and 2")
            << "fr" << chinese << true << "Editing"
            << ""
            << "Copy" << OutputList{keyInGroup(1, 6, 1)} << OutputList() << "";
        QTest::newRow("zh_TW with eight columns") << "zh_TW"
                                                  << "0,A,B,None,None,None,notes,A2" << false << ""
                                                  << ""
                                                  << "" << OutputList() << OutputList() << "";
        QTest::newRow("eight columns in another language") << ""
                                                           << "0,A,B,None,None,None,notes,A2" << true << "A"
                                                           << ""
                                                           << "B" << OutputList() << OutputList() << "";
    }
    void linesAreRead()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(bool, made);
        QFETCH(QString, message);
        if (!language.isEmpty())
            setLanguage(language);
        if (!message.isEmpty())
            QTest::ignoreMessage(message.startsWith("W:") ? QtWarningMsg : QtInfoMsg, qPrintable(message.mid(2)));
        ActionLibrary library;
        const LibraryEntryPtr entry = library.parseCsvLine(line);
        QCOMPARE(bool(entry), made);
        if (!entry)
            return;
        QTEST(entry->category, "category");
        QTEST(entry->subCategory, "subCategory");
        QTEST(entry->name, "name");
        QFETCH(OutputList, press);
        QFETCH(OutputList, release);
        // A nested line (returned when nothing is open) keeps its outputs in
        // its own input mapping.
        const bool nested = ActionLibrary::splitCsvLine(line).first().toInt() > 0;
        QCOMPARE(bool(entry->inputMapping), nested);
        const InputMapActionConfig *mapping = entry->inputMapping.get();
        QVERIFY(sameOutputs(nested ? mapping->activationOutputs : entry->activationOutputs, press));
        QVERIFY(sameOutputs(nested ? mapping->deactivationOutputs : entry->deactivationOutputs, release));
        if (nested)
            QVERIFY(entry->activationOutputs.isEmpty() && entry->deactivationOutputs.isEmpty());
    }

    // "Language" counts only when it is one of the program's languages.
    void languageIsOneOfTheProgramsLanguages_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("language");
        QTest::newRow("zh_TW") << "zh_TW"
                               << "zh_TW";
        QTest::newRow("ja") << "ja"
                            << "ja";
        QTest::newRow("Auto") << "Auto"
                              << "Auto";
        QTest::newRow("unknown") << "de"
                                 << "";
        QTest::newRow("case matters") << "ZH_tw"
                                      << "";
    }
    void languageIsOneOfTheProgramsLanguages()
    {
        QFETCH(QString, setting);
        setLanguage(setting);
        QTEST(ActionLibrary().language(), "language");
    }

    // Nested entries go into the open entry one level up; the first line is
    // the header whatever it holds.
    void depthsNestEntries_data()
    {
        QTest::addColumn<QList<int>>("depths");
        QTest::addColumn<QString>("tree");
        QTest::newRow("0 1 2 1") << QList<int>{0, 1, 2, 1} << "A(B(C), D)";
        QTest::newRow("0 2 3: too deep to open") << QList<int>{0, 2, 3} << "A(B, C)";
        QTest::newRow("0 1 0 1") << QList<int>{0, 1, 0, 1} << "A(B), C(D)";
        QTest::newRow("1 0: nothing open") << QList<int>{1, 0} << "A, B";
        QTest::newRow("0 1 2 3 1 2") << QList<int>{0, 1, 2, 3, 1, 2} << "A(B(C(D)), E(F))";
    }
    void depthsNestEntries()
    {
        QFETCH(QList<int>, depths);
        QStringList lines{"0,Header,Header,None,C,None"}; // a valid line: still the header
        for (int i = 0; i < depths.size(); ++i)
            lines << QStringLiteral("%1,Cat,%2,Button %3,C,None").arg(depths.at(i)).arg(QChar('A' + i)).arg(i + 1);
        QTemporaryDir dir;
        const QString path = dir.filePath("library.csv");
        QVERIFY(StoreFixture::writeFile(path, lines.join("\r\n").toUtf8()));

        ActionLibrary library;
        const LibraryEntryList entries = library.readCsvFile(path);
        QTEST(shape(entries), "tree");
        // A nested entry keeps its outputs in its own input mapping.
        const LibraryEntryPtr top = entries.first();
        QVERIFY(!top->inputMapping || depths.first() > 0);
        QCOMPARE(top->activationOutputs.size(), top->inputMapping ? 0 : 1);
        if (!top->children.isEmpty()) {
            const LibraryEntryPtr nested = top->children.first();
            QVERIFY(nested->inputMapping);
            QCOMPARE(nested->inputMapping->inputType, InputType::Button);
            QCOMPARE(nested->inputMapping->activationOutputs.size(), 1);
            QVERIFY(nested->activationOutputs.isEmpty());
        }
    }

    // Library files are UTF-8 whatever the locale's encoding; a missing file
    // gives no entries.
    void filesAreReadAsUtf8()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("library.csv");
        QVERIFY(StoreFixture::writeFile(path, csv({QString::fromUtf8("0,Édition,Copier ↓,None,C,None")})));
        QTextCodec *before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        ActionLibrary library;
        const LibraryEntryList entries = library.readCsvFile(path);
        QTextCodec::setCodecForLocale(before);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->category, QString::fromUtf8("Édition"));
        QCOMPARE(entries.first()->name, QString::fromUtf8("Copier ↓"));
        QVERIFY(library.readCsvFile(dir.filePath("missing.csv")).isEmpty());
    }

    // The categories in order of first use across the sources: "Do Nothing",
    // the current profile's application, the user's library, "Desktop"
    // (once) and the general file; every leaf finds its entry.
    void modelCollectsTheSources_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("items");
        QTest::newRow("application") << "Game"
                                     << "Do Nothing | Game(Jump) | Media(Game Music, My Song, Play) | Custom(Mine) | "
                                        "Desktop(Show Desktop) | Editing(Desktop Copy, Copy, Text(Bold))";
        QTest::newRow("Desktop once") << "Desktop"
                                      << "Do Nothing | Desktop(Show Desktop) | Editing(Desktop Copy, Copy, "
                                         "Text(Bold)) | Custom(Mine) | Media(My Song, Play)";
        QTest::newRow("no application") << "Work"
                                        << "Do Nothing | Custom(Mine) | Media(My Song, Play) | Desktop(Show Desktop) | "
                                           "Editing(Desktop Copy, Copy, Text(Bold))";
    }
    void modelCollectsTheSources()
    {
        QFETCH(QString, profile);
        InputMapPtr mine = namedButton(3, "Mine", {key(6)});
        mine->addChild(namedButton(4, "Inside", {key(7)}));
        const QJsonObject library{
            {"Media", QJsonObject{{"My Song", ConfigFile::writeMappingTree(*namedButton(1, "Song", {media(0xCD)}))}}},
            {"Custom", QJsonObject{{"Mine", ConfigFile::writeMappingTree(*mine)}}}};
        QVERIFY(StoreFixture::writeFile(ConfigFile::mappingsLibraryPath(), QJsonDocument(library).toJson()));
        SampleModel::emptyModel();
        PackageCreator::instance()->addProfile(0, 255, profile);

        LibraryEntryList entries{std::make_shared<LibraryEntry>()}; // the caller's list is appended to
        QStandardItemModel model;
        ActionLibrary::fillModel(entries, &model);
        QTEST(itemsOf(model.invisibleRootItem(), " | "), "items");
        entries.removeFirst();
        const QList<const QStandardItem *> leaves = leavesOf(model.invisibleRootItem());
        QCOMPARE(entries.size(), leaves.size());
        for (const QStandardItem *leaf : leaves) {
            const LibraryEntryPtr entry = entryOfLeaf(entries, leaf);
            QVERIFY2(entry, qPrintable(leaf->text()));
        }
        // A user entry carries its mapping, whose outputs it shows, and its
        // nested mapping as a child entry in its category.
        const LibraryEntryPtr user = entryOfLeaf(entries, model.findItems("Custom").first()->child(0));
        QVERIFY(user->inputMapping);
        QCOMPARE(user->activationOutputs, user->inputMapping->activationOutputs);
        QCOMPARE(user->children.size(), 1);
        QCOMPARE(user->children.first()->name, QString("Inside"));
        QCOMPARE(user->children.first()->category, QString("Custom"));
        QCOMPARE(user->children.first()->inputMapping, user->inputMapping->children.first());
        QCOMPARE(entryOfLeaf(entries, model.item(0))->name, QString("Do Nothing"));
    }

    // A consumer edits a clone: nothing of it reaches the cached entry.
    void cloneIsIndependentOfTheCache()
    {
        InputMapPtr mine = namedButton(3, "Mine", {key(6)});
        mine->deactivationOutputs = {key(7)};
        mine->addChild(namedButton(4, "Inside", {key(8)}));
        const QJsonObject library{{"Custom", QJsonObject{{"Mine", ConfigFile::writeMappingTree(*mine)}}}};
        QVERIFY(StoreFixture::writeFile(ConfigFile::mappingsLibraryPath(), QJsonDocument(library).toJson()));
        LibraryEntryList entries;
        ActionLibrary::fillModel(entries, nullptr);
        const LibraryEntryPtr cached = entries.at(1);
        QCOMPARE(cached->name, QString("Mine"));
        const OutputList press = OutputActionConfig::cloneList(cached->activationOutputs);
        const OutputList release = OutputActionConfig::cloneList(cached->deactivationOutputs);
        const InputMapPtr mapping = cached->inputMapping->deepCopy();

        QTest::ignoreMessage(QtInfoMsg, "ActionLibrary: Copying Action Mine");
        const LibraryEntryPtr copy = cached->clone();
        QCOMPARE(copy->name, cached->name);
        QCOMPARE(copy->category, cached->category);
        QVERIFY(sameOutputs(copy->activationOutputs, cached->activationOutputs));
        QVERIFY(sameOutputs(copy->deactivationOutputs, cached->deactivationOutputs));
        QVERIFY(ModelSnapshot::mappingDifference(*copy->inputMapping, *cached->inputMapping).isEmpty());
        QCOMPARE(copy->children.size(), 1);
        QVERIFY(copy->children.first() != cached->children.first());

        std::static_pointer_cast<OutputAction_Keyboard>(copy->activationOutputs.first())->keyUsage = 40;
        copy->deactivationOutputs.clear();
        std::static_pointer_cast<OutputAction_Keyboard>(copy->inputMapping->activationOutputs.first())->keyUsage = 41;
        copy->inputMapping->children.first()->activationOutputs.clear();
        copy->inputMapping->name = "Edited";

        QVERIFY(sameOutputs(cached->activationOutputs, press));
        QVERIFY(sameOutputs(cached->deactivationOutputs, release));
        QVERIFY(ModelSnapshot::mappingDifference(*cached->inputMapping, *mapping).isEmpty());
        QCOMPARE(cached->inputMapping->name, QString("Mine"));
        QCOMPARE(cached->children.first()->activationOutputs.size(), 1);
    }

    // Clearing the cache lets go of the library's entries; those a picker
    // still holds live until it lets go of them too.
    void clearedCacheFreesWhatNoPickerHolds()
    {
        const QJsonObject library{
            {"Custom", QJsonObject{{"Mine", ConfigFile::writeMappingTree(*namedButton(3, "Mine", {key(6)}))}}}};
        QVERIFY(StoreFixture::writeFile(ConfigFile::mappingsLibraryPath(), QJsonDocument(library).toJson()));
        std::weak_ptr<LibraryEntry> entry;
        std::weak_ptr<InputMapActionConfig> mapping;
        {
            LibraryEntryList picker;
            ActionLibrary::fillModel(picker, nullptr);
            entry = picker.at(1);
            mapping = picker.at(1)->inputMapping;
            ActionLibrary::clearMappingsLibraryCache();
            QVERIFY(!entry.expired());
            QCOMPARE(entry.lock()->name, QString("Mine"));
        }
        QVERIFY(entry.expired());
        QVERIFY(mapping.expired());
    }

    // Entries that would give a picker no mapping are skipped with a warning;
    // the good ones stay. A file that does not parse gives none.
    void mappingsLibraryKeepsOnlyUsableEntries_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QStringList>("warnings");

        InputMapPtr top = namedButton(1, "Top", {key(6)});
        top->addChild(namedButton(2, "Child", {key(7)}));
        const QJsonArray tree = ConfigFile::writeMappingTree(*top);
        const QJsonObject categories{{"Custom", QJsonObject{{"Good", tree},
                                                            {"Empty", QJsonArray()},
                                                            {"Junk", "text"},
                                                            {"Numbers", QJsonArray{1, 2}},
                                                            {"Orphan", QJsonArray{tree.at(1)}}}},
                                     {"Broken", 5},
                                     {"Other", QJsonObject{{"Also good", tree}}}};
        QTest::newRow("damaged entries")
            << QJsonDocument(categories).toJson() << "Good(Child), Also good(Child)"
            << QStringList{"ConfigFile: MappingsLibrary category skipped, it is not an object - \"Broken\"",
                           "ConfigFile: MappingsLibrary entry skipped, it holds no mapping - \"Custom\" \"Empty\"",
                           "ConfigFile: MappingsLibrary entry skipped, it holds no mapping - \"Custom\" \"Junk\"",
                           "ConfigFile: MappingsLibrary entry skipped, it holds no mapping - \"Custom\" \"Numbers\"",
                           "ConfigFile: invalid PredecessorId detected! id: 0",
                           "ConfigFile: MappingsLibrary entry skipped, it holds no mapping - \"Custom\" \"Orphan\""};
        QJsonParseError error{};
        QJsonDocument::fromJson("{\"Custom\": ", &error);
        QTest::newRow("not parsed") << QByteArray("{\"Custom\": ") << ""
                                    << QStringList{"ConfigFile: Error parsing MappingsLibrary file - "
                                                   + error.errorString()};
        QTest::newRow("an array") << QJsonDocument(QJsonArray{categories}).toJson() << ""
                                  << QStringList{"ConfigFile: MappingsLibrary file holds no categories, not read"};
    }
    void mappingsLibraryKeepsOnlyUsableEntries()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, warnings);
        QVERIFY(StoreFixture::writeFile(ConfigFile::mappingsLibraryPath(), file));
        for (const QString &warning : warnings)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        const LibraryEntryList entries = ActionLibrary::readMappingsLibrary();
        QTEST(shape(entries), "entries");
        for (const LibraryEntryPtr &entry : entries)
            QVERIFY(entry->inputMapping);
    }
};

QTEST_MAIN(TestActionLibrary)
#include "tst_actionlibrary.moc"
