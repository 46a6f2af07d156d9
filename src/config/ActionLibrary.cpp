#include "ActionLibrary.h"

#include "ActionTextFactory.h"
#include "ConfigFile.h"
#include "ConfigMappingReader.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileData.h"
#include "SafeFile.h"
#include "SettingsFile.h"
#include "SharedConstants.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPair>
#include <QSettings>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTextStream>

namespace {

const QString noOutputs = QStringLiteral("None");
const QString chineseTraditional = QStringLiteral("zh_TW");
const QString desktopProfile = QStringLiteral("Desktop");

// Columns of a library line.
enum Column {
    DepthColumn = 0,
    PathColumn = 1,
    NameColumn = 2,
    InputColumn = 3,
    PressColumn = 4,
    ReleaseColumn = 5,
    ChinesePathColumn = 7,
    ChineseNameColumn = 8,
};
constexpr int requiredColumns = 6;
constexpr int requiredChineseColumns = 9;

// The field as rule 4 of the line format has it: trimmed, and one pair of
// enclosing quotes taken off.
QString finishedField(const QString &raw)
{
    QString field = raw.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return field;
}

bool hasEmptyField(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (field.trimmed().isEmpty())
            return true;
    }
    return false;
}

LibraryEntryPtr entryOfMapping(const QString &name, const QString &category, const QString &subCategory,
                               const InputMapPtr &mapping)
{
    auto entry = std::make_shared<LibraryEntry>();
    entry->name = name;
    entry->category = category;
    entry->subCategory = subCategory;
    entry->inputMapping = mapping;
    entry->activationOutputs = mapping->activationOutputs;
    entry->deactivationOutputs = mapping->deactivationOutputs;
    entry->children = ActionLibrary::entriesFromMappings(mapping->children, *entry);
    return entry;
}

} // namespace

ActionLibrary::ActionLibrary(QObject *parent)
    : QObject(parent)
{
    m_language = QSettings(SettingsFile::path(), QSettings::IniFormat)
                     .value(QStringLiteral("Language"), QLocale::system().name())
                     .toString();
    if (!languages.contains(m_language))
        m_language.clear();
    if (libraryCache().isEmpty())
        libraryCache() = readCsvFile(Predefined::profilesFolder() + Predefined::basicFileName());
    if (mappingsLibraryCache().isEmpty())
        mappingsLibraryCache() = readMappingsLibrary();
}

ActionLibrary::~ActionLibrary() = default;

LibraryEntryList &ActionLibrary::libraryCache()
{
    static LibraryEntryList cache;
    return cache;
}

LibraryEntryList &ActionLibrary::mappingsLibraryCache()
{
    static LibraryEntryList cache;
    return cache;
}

void ActionLibrary::clearMappingsLibraryCache()
{
    mappingsLibraryCache().clear();
}

// ---------------------------------------------------------------- the tree

void ActionLibrary::fillModel(LibraryEntryList &entries, QStandardItemModel *model)
{
    ActionLibrary library;
    const ProfileData *current = PackageCreator::instance()->currentProfile();
    const QString currentName = current ? current->name : QString();

    auto doNothing = std::make_shared<LibraryEntry>();
    doNothing->name = tr("Do Nothing");
    LibraryEntryList list{doNothing};
    if (current)
        list << library.applicationEntries(currentName);
    list << mappingsLibraryCache();
    if (currentName != desktopProfile)
        list << library.applicationEntries(desktopProfile);
    list << libraryCache();
    entries << list;
    if (!model)
        return;

    QStandardItem *root = model->invisibleRootItem();
    QHash<QString, QStandardItem *> categories;
    QHash<QPair<QString, QString>, QStandardItem *> subCategories;
    for (const LibraryEntryPtr &entry : qAsConst(list)) {
        if (entry->category.isEmpty()) {
            root->appendRow(new QStandardItem(doNothing->name));
            continue;
        }
        QStandardItem *&category = categories[entry->category];
        if (!category) {
            category = new QStandardItem(entry->category);
            root->appendRow(category);
        }
        QStandardItem *parent = category;
        if (!entry->subCategory.isEmpty()) {
            QStandardItem *&subCategory = subCategories[qMakePair(entry->category, entry->subCategory)];
            if (!subCategory) {
                subCategory = new QStandardItem(entry->subCategory);
                category->appendRow(subCategory);
            }
            parent = subCategory;
        }
        parent->appendRow(new QStandardItem(entry->name));
    }
}

// ---------------------------------------------------------------- library files

LibraryEntryList ActionLibrary::applicationEntries(const QString &profileName)
{
    const QString folder = Predefined::predefinedFolder(profileName);
    if (folder.isEmpty())
        return LibraryEntryList();
    return readCsvFile(folder + QLatin1Char('/') + Predefined::actionsFileName());
}

LibraryEntryList ActionLibrary::readCsvFile(const QString &path)
{
    m_openEntries.clear();
    LibraryEntryList entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QString line;
    if (!stream.readLineInto(&line)) // the header
        return entries;
    while (stream.readLineInto(&line)) {
        if (LibraryEntryPtr entry = parseCsvLine(line))
            entries.append(entry);
    }
    m_openEntries.clear();
    return entries;
}

LibraryEntryPtr ActionLibrary::parseCsvLine(const QString &line)
{
    const QStringList fields = splitCsvLine(line);
    const bool chinese = m_language == chineseTraditional;
    if (fields.size() < (chinese ? requiredChineseColumns : requiredColumns) || hasEmptyField(fields))
        return nullptr;
    bool isNumber = false;
    int depth = fields.at(DepthColumn).toInt(&isNumber);
    if (!isNumber)
        depth = 0;
    // Below 0 names no level; beyond what a configuration file nests, the
    // entries could not be saved or read back as mappings.
    if (depth < 0 || depth >= ConfigMappingReader::maximumDepth)
        return nullptr;

    auto entry = std::make_shared<LibraryEntry>();
    if (depth > 0) {
        const QString &input = fields.at(InputColumn);
        entry->inputMapping = parseInputAction(input);
        if (!entry->inputMapping) {
            qInfo().noquote() << "ActionLibrary: parse error on line " + line
                                     + (input == noOutputs ? QStringLiteral(", nested input must be specified")
                                                           : QStringLiteral(", unidentified input"));
            return nullptr;
        }
    }

    const QString &path = fields.at(chinese ? ChinesePathColumn : PathColumn);
    const QStringList parts = path.split(QLatin1Char('>'));
    if (parts.size() >= 2) {
        entry->category = parts.at(0).trimmed();
        entry->subCategory = parts.at(1).trimmed();
    } else {
        entry->category = path;
    }
    entry->name = fields.at(chinese ? ChineseNameColumn : NameColumn);

    OutputList &press = entry->inputMapping ? entry->inputMapping->activationOutputs : entry->activationOutputs;
    OutputList &release = entry->inputMapping ? entry->inputMapping->deactivationOutputs : entry->deactivationOutputs;
    press = parseOutputList(fields.at(PressColumn));
    release = parseOutputList(fields.at(ReleaseColumn));

    if (depth == 0) {
        m_openEntries.clear();
        m_openEntries.append(entry);
        return entry;
    }
    if (m_openEntries.isEmpty())
        return entry;
    while (m_openEntries.size() > depth)
        m_openEntries.removeLast();
    m_openEntries.last()->children.append(entry);
    if (m_openEntries.size() == depth)
        m_openEntries.append(entry);
    return nullptr;
}

QStringList ActionLibrary::splitCsvLine(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    const int size = line.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && line.at(i + 1) == QLatin1Char('"'))
                    ++i; // two quotes are one, and the quoted text goes on
                else
                    quoted = false;
            }
            field += c;
        } else if (c == QLatin1Char(',')) {
            fields.append(finishedField(field));
            field.clear();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            fields.append(finishedField(field));
            return fields;
        } else {
            if (c == QLatin1Char('"'))
                quoted = true; // the quote stays until the field is finished
            field += c;
        }
    }
    // Without a line break the rest is the last field; after a final comma
    // there is none.
    if (!field.isEmpty())
        fields.append(finishedField(field));
    return fields;
}

OutputList ActionLibrary::parseOutputList(const QString &cell)
{
    OutputList outputs;
    if (cell == noOutputs)
        return outputs;
    const QStringList parts = cell.split(QStringLiteral(" + "));
    for (const QString &part : parts) {
        if (OutputPtr output = parseOutputAction(part))
            outputs.append(output);
        else
            qWarning().noquote() << "ActionLibrary: parse error on line " + cell + ", unidentified output" << part;
    }
    return outputs;
}

// ---------------------------------------------------------------- the mappings library

LibraryEntryList ActionLibrary::readMappingsLibrary()
{
    LibraryEntryList entries;
    QFile file(ConfigFile::mappingsLibraryPath());
    if (!SafeFile::openForReading(file))
        return entries;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning().noquote() << "ConfigFile: Error parsing MappingsLibrary file - " + error.errorString();
        return entries;
    }
    if (!document.isObject()) {
        qWarning() << "ConfigFile: MappingsLibrary file holds no categories, not read";
        return entries;
    }
    const QJsonObject root = document.object();
    for (auto category = root.begin(); category != root.end(); ++category) {
        if (!category.value().isObject()) {
            qWarning() << "ConfigFile: MappingsLibrary category skipped, it is not an object -" << category.key();
            continue;
        }
        const QJsonObject names = category.value().toObject();
        for (auto name = names.begin(); name != names.end(); ++name) {
            // A damaged or hand-edited entry that yields no mapping would give
            // the pickers an entry without the mapping they read.
            const InputMapPtr mapping =
                name.value().isArray() ? ConfigFile::readActionMappingList(name.value().toArray()) : nullptr;
            if (!mapping) {
                qWarning() << "ConfigFile: MappingsLibrary entry skipped, it holds no mapping -" << category.key()
                           << name.key();
                continue;
            }
            entries.append(entryOfMapping(name.key(), category.key(), QString(), mapping));
        }
    }
    return entries;
}

LibraryEntryList ActionLibrary::entriesFromMappings(const InputMapList &nested, const LibraryEntry &parent)
{
    LibraryEntryList entries;
    for (const InputMapPtr &mapping : nested) {
        if (mapping)
            entries.append(entryOfMapping(mapping->name, parent.category, parent.subCategory, mapping));
    }
    return entries;
}
