// The store's operations of ConfigFile: where its files lie, the start-up
// load with its fall-backs, the backups, saving, the names in a file and
// adding to the user's mappings library. The file format itself is in
// ConfigFile.cpp.

#include "ConfigFile.h"

#include "ConfigReadGuard.h"
#include "DlgMessageBox.h"
#include "DlgYesNo.h"
#include "Predefined.h"
#include "ProgramFolder.h"
#include "SafeFile.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleRenameDialog.h"
#include "StartLoad.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace {

const QString extension = QStringLiteral(".kvlf");
const QString backupPrefix = QStringLiteral("AutoBackup_");

// Whether the file at path holds exactly bytes, read a piece at a time: a
// file of many profiles is never held in memory beside its twin.
bool fileHolds(const QString &path, const QByteArray &bytes)
{
    constexpr qint64 pieceSize = 1 << 18;
    QFile file(path);
    if (!SafeFile::openForReading(file) || file.size() != bytes.size())
        return false;
    QByteArray piece(int(qMin<qint64>(pieceSize, qMax(1, bytes.size()))), Qt::Uninitialized);
    for (qint64 at = 0; at < bytes.size();) {
        const qint64 read = file.read(piece.data(), qMin<qint64>(piece.size(), bytes.size() - at));
        if (read <= 0 || std::memcmp(piece.constData(), bytes.constData() + at, size_t(read)) != 0)
            return false;
        at += read;
    }
    // Nothing beyond: the file did not grow while it was read.
    return file.read(piece.data(), 1) == 0;
}

// Whether the starter copy holds the shipped file's bytes already; then a
// refresh would only rewrite and sync the same file at every start.
bool starterCopyIsCurrent(const QString &shipped, const QString &copy)
{
    if (QFileInfo(shipped).size() != QFileInfo(copy).size())
        return false;
    QByteArray shippedBytes;
    QByteArray copyBytes;
    return SafeFile::read(shipped, &shippedBytes) && SafeFile::read(copy, &copyBytes) && shippedBytes == copyBytes;
}

int numberOfBackups()
{
    return SettingsFile::readInteger(QSettings(SettingsFile::path(), QSettings::IniFormat),
                                     SettingsFile::numberOfBackupsKey);
}

// The numbers n of the backups "AutoBackup_<n>.kvlf" that exist with
// n below limit, highest first.
QList<int> existingBackupsBelow(const QString &folder, int limit)
{
    QList<int> numbers;
    const QStringList names = QDir(folder).entryList({backupPrefix + "*" + extension}, QDir::Files);
    for (const QString &name : names) {
        const QString middle = name.mid(backupPrefix.size(), name.size() - backupPrefix.size() - extension.size());
        bool ok = false;
        const int n = middle.toInt(&ok);
        if (ok && n >= 0 && n < limit && QString::number(n) == middle)
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return numbers;
}

// The start-up prompts need widgets; a program without them takes the
// answer that asks nothing of the user.
bool canShowDialogs()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

// The style mode and the name length of the mappings library's prompts.
const QString libraryPromptMode = QStringLiteral("v");
constexpr int libraryNameLength = 50;

// Asks for the name to save an action under, starting with start; false when
// the user cancelled (or no dialog can be shown).
bool askActionName(const QString &start, QString *name)
{
    if (!canShowDialogs())
        return false;
    SimpleRenameDialog dialog(start, QApplication::activeWindow(), libraryPromptMode, ConfigFile::tr("Save Action As:"),
                              ConfigFile::tr("Save"), libraryNameLength);
    if (dialog.exec() != QDialog::Accepted || dialog.newName().isEmpty())
        return false;
    *name = dialog.newName();
    return true;
}

// Whether the user chose to overwrite the library's mapping of that name
// rather than rename the new one.
bool overwriteChosen(const QString &name)
{
    if (!canShowDialogs())
        return false;
    DlgYesNo question(QApplication::activeWindow(),
                      ConfigFile::tr("A mapping called %1 already exists in your action library.\n\nWould you like "
                                     "to overwrite the existing action, or save it under a different name?\n")
                          .arg(name),
                      ConfigFile::tr("Overwrite"), ConfigFile::tr("Rename"), libraryPromptMode, nullptr);
    question.setMinimumWidth(500);
    return question.exec() == 1;
}

void reportLibraryFailure(const QString &path, const QString &reason)
{
    if (!canShowDialogs())
        return;
    DlgMessageBox box(QApplication::activeWindow(),
                      ConfigFile::tr("The action could not be saved to your action library\n%1\n\n%2\n\nThe "
                                     "library was left as it was.")
                          .arg(QDir::toNativeSeparators(path), reason),
                      libraryPromptMode);
    box.exec();
}

// The user's library as it is on disk: an object of categories, each an
// object of mappings. A missing or empty file is an empty library. False,
// with the reason, when it cannot be read or is something else.
bool readMappingsLibraryRoot(const QString &path, const QString &category, QJsonObject *root, QString *reason)
{
    QByteArray bytes;
    if (!SafeFile::read(path, &bytes, reason)) {
        if (!QFileInfo::exists(path))
            return true;
        qWarning().noquote() << "ConfigFile: Could not open MappingsLibrary -" << path << "-" << *reason;
        return false;
    }
    if (bytes.isEmpty())
        return true;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning().noquote() << "ConfigFile: Error parsing MappingsLibrary file - " + error.errorString();
        *reason = ConfigFile::tr("The file is damaged: %1.").arg(error.errorString());
        return false;
    }
    *root = document.object();
    // Anything else would be lost under a fresh object.
    if (!document.isObject() || (root->contains(category) && !root->value(category).isObject())) {
        qWarning().noquote() << "ConfigFile: MappingsLibrary file is not a library of mappings -" << path;
        *reason = ConfigFile::tr("The file does not hold an action library.");
        return false;
    }
    return true;
}

void collectGroupNames(const QJsonObject &group, int depth, QStringList *names)
{
    const QJsonArray groups = group.value(QStringLiteral("Groups")).toArray();
    for (const QJsonValue &value : groups) {
        const QJsonObject child = value.toObject();
        if (child.value(QStringLiteral("InfoProperties")).toString() != QLatin1String("none"))
            names->append(QString(2 * (depth + 1), QLatin1Char(' ')) + child.value(QStringLiteral("Name")).toString());
        collectGroupNames(child, depth + 1, names);
    }
}

} // namespace

// ---------------------------------------------------------------- places

QString ConfigFile::workingFilePath()
{
    return SettingsFile::folder() + QStringLiteral("/autosave") + extension;
}

QString ConfigFile::starterCopyPath()
{
    return SettingsFile::folder() + QStringLiteral("/Starter Mappings") + extension;
}

QString ConfigFile::shippedStarterPath()
{
    return ProgramFolder::path() + QStringLiteral("/Starter Mappings") + extension;
}

QString ConfigFile::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
           + QStringLiteral("/Corvanelle R7 Settings");
}

QString ConfigFile::backupsFolder()
{
    return documentsFolder() + QStringLiteral("/Backups");
}

QString ConfigFile::backupPath(int n)
{
    return backupsFolder() + QLatin1Char('/') + backupPrefix + QString::number(n) + extension;
}

QString ConfigFile::invalidCopyPath()
{
    return documentsFolder() + QStringLiteral("/Invalid") + extension;
}

QString ConfigFile::mappingsLibraryPath()
{
    return documentsFolder() + QLatin1Char('/') + Predefined::mappingsLibraryFileName();
}

QString ConfigFile::olderDriverFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/CorvanelleDriver/Corvanelle Settings/CorvanelleDriverConfig") + extension;
}

void ConfigFile::makeFolders() const
{
    for (const QString &folder : {documentsFolder(), SettingsFile::folder()}) {
        if (!QDir().mkpath(folder))
            qWarning() << "ConfigFile: cannot create the folder" << folder;
    }
}

// ---------------------------------------------------------------- loading

ConfigFile::LoadOutcome ConfigFile::loadStoreFile(const QString &path, QByteArray *bytes)
{
    QByteArray &data = *bytes;
    if (!SafeFile::read(path, &data))
        return LoadOutcome::NotOpened;
    if (loadBytes(data))
        return LoadOutcome::Loaded;
    // The reader refuses data without a document as not being a
    // configuration file at all; anything else that failed did not parse.
    return documentStart(data) < 0 ? LoadOutcome::NoDocument : LoadOutcome::NotParsed;
}

ConfigFile::LoadOutcome ConfigFile::loadReadAhead(StartLoad &ahead, QByteArray *bytes)
{
    if (ahead.waitForParse() == StartLoad::Outcome::NotOpened)
        return LoadOutcome::NotOpened;
    *bytes = ahead.bytes();
    m_readingAhead = &ahead;
    const bool loaded = readParsed(ahead.bytes(), ahead.documentStart(), ahead.tree(), true, Selection());
    m_readingAhead = nullptr;
    ahead.release();
    if (loaded)
        return LoadOutcome::Loaded;
    return ahead.documentStart() < 0 ? LoadOutcome::NoDocument : LoadOutcome::NotParsed;
}

void ConfigFile::prepareSaveFile()
{
    // One at a time: a second call waits for the thread of the first.
    m_startLoad.reset();
    m_readAheadTaken = false;
    m_startLoad =
        std::make_unique<StartLoad>(workingFilePath(), [this](const QByteArray &bytes) { backUpWorkingFile(bytes); });
}

void ConfigFile::finishStartLoad()
{
    m_startLoad.reset();
}

bool ConfigFile::loadSaveFile()
{
    const QString working = workingFilePath();
    // A read ahead of this file is taken once; its thread backs up a file
    // that parsed.
    StartLoad *ahead = m_startLoad && !m_readAheadTaken && m_startLoad->path() == working ? m_startLoad.get() : nullptr;
    m_readAheadTaken = true;
    QByteArray bytes;
    const LoadOutcome outcome = ahead ? loadReadAhead(*ahead, &bytes) : loadStoreFile(working, &bytes);
    if (outcome == LoadOutcome::Loaded) {
        // Backed up as it was loaded, without reading it again.
        if (!ahead)
            backUpWorkingFile(bytes);
        bytes.clear();
    } else {
        bytes.clear();
        if (outcome == LoadOutcome::NotOpened && QFile::exists(working))
            qWarning() << "ConfigFile: the configuration file exists but cannot be read" << working;
        if (outcome == LoadOutcome::NotParsed)
            keepInvalidCopy();
        if (!loadFallback())
            return false;
    }
    if (!m_starterCopied)
        copyStarterFile();
    return true;
}

bool ConfigFile::loadFallback()
{
    if (loadFile(backupPath(0))) {
        qInfo() << "ConfigFile: Backup config loaded sucessfully";
        if (canShowDialogs()) {
            DlgMessageBox box(QApplication::activeWindow(),
                              tr("Previous configuration is unavailable or invalid. Loading a backup of last valid "
                                 "config instead.\n\nIf the config was invalid a copy of it has been saved to "
                                 "'Documents/Corvanelle R7 Settings/Invalid.kvlf'\n"),
                              QString());
            box.exec();
        }
        return true;
    }

    const QString older = olderDriverFilePath();
    if (QFile::exists(older) && canShowDialogs()) {
        DlgYesNo question(QApplication::activeWindow(),
                          tr("Profiles from the 'Corvanelle Driver' were detected.\n\nWould you like to import these "
                             "to the R7 Control Panel?\n"),
                          tr("Import Profiles"), tr("Load Defaults Profiles"), QStringLiteral("pelkin"), nullptr);
        question.setMinimumWidth(500);
        if (question.exec() == 1) {
            if (loadFile(older)) {
                qInfo() << "ConfigFile: 'Corvanelle Driver' profiles sucessfully loaded";
                return true;
            }
            qInfo() << "ConfigFile: Failed to load profiles from 'Corvanelle Driver'";
            // Nothing of the older file was read: the starter profiles rather
            // than an empty model, and the start goes on whatever they give.
            loadStarterProfiles();
            return true;
        }
    }
    return loadStarterProfiles();
}

bool ConfigFile::loadStarterProfiles()
{
    if (loadStarterFile()) {
        qInfo().noquote() << "ConfigFile: no defaut or backup save file found, use " + starterCopyPath();
        return true;
    }
    return copyStarterFile() && loadStarterFile();
}

bool ConfigFile::loadStarterFile()
{
    return loadFile(starterCopyPath(), true);
}

bool ConfigFile::loadStarterFileWithoutDefault()
{
    ConfigReadGuard guard(this, m_model);
    globalOnly = true;
    return loadFile(starterCopyPath(), true);
}

bool ConfigFile::reloadSaveFileAt(int count, int index, int subIndex)
{
    ConfigReadGuard guard(this, m_model);
    insertionCount = count;
    overrideIndex = count + index;
    overrideSubIndex = subIndex;
    return loadFile(workingFilePath(), false);
}

bool ConfigFile::copyStarterFile()
{
    m_starterCopied = true;
    QString reason;
    const QString shipped = shippedStarterPath();
    const QString copy = starterCopyPath();
    const bool copied =
        starterCopyIsCurrent(shipped, copy) || SafeFile::copy(shipped, copy, &reason) == SafeFile::Written;
    qInfo().noquote() << QStringLiteral("copyStarterFile: ") + (copied ? "true" : "false");
    if (!copied)
        qWarning() << "ConfigFile: starter file not copied from" << shipped << "-" << reason;
    return copied;
}

void ConfigFile::keepInvalidCopy()
{
    QString reason;
    if (SafeFile::copy(workingFilePath(), invalidCopyPath(), &reason) != SafeFile::Written)
        qWarning() << "ConfigFile: no copy of the invalid file made -" << reason;
}

// ---------------------------------------------------------------- backups

void ConfigFile::backUpWorkingFile(const QByteArray &bytes)
{
    if (!QDir().mkpath(backupsFolder()))
        qWarning() << "ConfigFile: cannot create the folder" << backupsFolder();
    // A newest backup that is the working file itself (a link to it) holds
    // its bytes but keeps none of them once the working file changes.
    const QFileInfo newest(backupPath(0));
    if (newest.canonicalFilePath() != QFileInfo(workingFilePath()).canonicalFilePath()
        && fileHolds(newest.filePath(), bytes))
        return;
    qDebug() << "ConfigFile: Config loaded successfully, and has changed. Creating a backup";
    rotateBackups(bytes);
}

void ConfigFile::rotateBackups(const QByteArray &newest)
{
    // The new backup is written whole first; the older ones move up a
    // number only once it is, so a failed write costs none of them.
    // Nothing can take the place of a folder there: moving the others up
    // would only drop the oldest at every start.
    const QFileInfo newestPlace(backupPath(0));
    if (newestPlace.isDir() && !newestPlace.isSymLink()) {
        qWarning() << "ConfigFile: backup not made, a folder is in its place -" << newestPlace.filePath();
        return;
    }
    const QString staging = backupsFolder() + QLatin1Char('/') + backupPrefix + QStringLiteral("new") + extension;
    QString reason;
    if (SafeFile::write(staging, newest, &reason) != SafeFile::Written) {
        qWarning() << "ConfigFile: backup not written -" << reason;
        return;
    }
    const int count = numberOfBackups();
    const QList<int> existing = existingBackupsBelow(backupsFolder(), count - 1);
    for (int n : existing) {
        if (!SafeFile::replace(backupPath(n), backupPath(n + 1), &reason)) {
            qWarning() << "ConfigFile: backup" << n << "not moved up -" << reason;
            QFile::remove(staging);
            return;
        }
    }
    if (!SafeFile::replace(staging, backupPath(0), &reason)) {
        qWarning() << "ConfigFile: backup not put in place -" << reason;
        QFile::remove(staging);
    }
}

// ---------------------------------------------------------------- saving

bool ConfigFile::saveToFile(const QString &path, const Selection &selection)
{
    return writeFile(path, writeBytes(selection), nullptr);
}

bool ConfigFile::writeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QString why;
    switch (SafeFile::write(path, bytes, &why)) {
    case SafeFile::Written:
        qInfo() << "ConfigFile: saved to file";
        return true;
    case SafeFile::NotOpened:
        qWarning() << "ConfigFile: cant open save file!";
        qWarning() << "ConfigFile:" << path << "-" << why;
        break;
    case SafeFile::NotWritten:
        qWarning() << "ConfigFile: save file not written -" << why;
        break;
    }
    if (reason)
        *reason = why;
    return false;
}

bool ConfigFile::save()
{
    const QString path = workingFilePath();
    QString reason;
    if (!writeFile(path, writeBytes(), &reason)) {
        // The changes are not on disk: Save stays available.
        emit saved(true);
        reportSaveFailure(path, reason);
        return false;
    }
    m_saveFailureReported = false;
    emit saved(false);
    return true;
}

void ConfigFile::reportSaveFailure(const QString &path, const QString &reason)
{
    // Every change saves; one notice until a save works again is enough.
    if (m_saveFailureReported || !canShowDialogs())
        return;
    m_saveFailureReported = true;
    auto *box = new DlgMessageBox(QApplication::activeWindow(),
                                  tr("Your profiles could not be saved to\n%1\n\n%2\n\nThe changes stay in the "
                                     "program until a later save succeeds.")
                                      .arg(QDir::toNativeSeparators(path), reason),
                                  QString());
    // Not exec(): the save may come from the middle of another operation.
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(true);
    box->show();
}

// ---------------------------------------------------------------- names

QStringList ConfigFile::profileNamesInFile(const QString &path, bool *hasGlobal) const
{
    QStringList names;
    QByteArray data;
    if (!SafeFile::read(path, &data))
        return names;
    const int start = data.indexOf('{');
    if (start < 0)
        return names;
    const QJsonObject root =
        QJsonDocument::fromJson(data.mid(start)).object().value(QStringLiteral("RootProfile")).toObject();
    const QJsonArray values =
        root.value(QStringLiteral("ActionMappings")).toObject().value(QStringLiteral("$values")).toArray();
    if (!values.isEmpty()) {
        const QString name = root.value(QStringLiteral("Name")).toString();
        names.append(name.isEmpty() ? globalProfileName : name);
        if (hasGlobal)
            *hasGlobal = true;
    }
    collectGroupNames(root, 0, &names);
    return names;
}

// ---------------------------------------------------------------- mappings library

bool ConfigFile::addToMappingsLibrary(InputMapActionConfig *mapping, const QString &category)
{
    if (!mapping)
        return false;
    const QString path = mappingsLibraryPath();
    QJsonObject root;
    QString reason;
    if (!readMappingsLibraryRoot(path, category, &root, &reason)) {
        reportLibraryFailure(path, reason);
        return false;
    }
    QJsonObject names = root.value(category).toObject();
    // Made before the name is settled: its first element keeps the name the
    // mapping had; the library's key is the entry's name.
    const QJsonArray tree = writeMappingTree(*mapping);

    QString name = mapping->name;
    if (name.trimmed().isEmpty()) {
        if (!askActionName(QString(), &name))
            return false;
        mapping->name = name;
        emit saved(true);
    }
    while (names.contains(name)) {
        if (overwriteChosen(name))
            break;
        if (!askActionName(name, &name))
            return false;
    }
    names.insert(name, tree);
    root.insert(category, names);

    qInfo().noquote() << "ConfigFile: Adding" << name << "to" << category << "category in MappingsLibrary";
    if (!QDir().mkpath(documentsFolder()))
        qWarning() << "ConfigFile: cannot create the folder" << documentsFolder();
    switch (SafeFile::write(path, QJsonDocument(root).toJson(QJsonDocument::Indented), &reason)) {
    case SafeFile::Written:
        return true;
    case SafeFile::NotOpened:
        qWarning().noquote() << "ConfigFile: Could not open MappingsLibrary -" << path << "-" << reason;
        break;
    case SafeFile::NotWritten:
        qWarning().noquote() << "ConfigFile: Error writing to MappingsLibrary -" << path << "-" << reason;
        break;
    }
    reportLibraryFailure(path, reason);
    return false;
}
