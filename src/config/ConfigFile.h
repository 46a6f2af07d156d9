#pragma once

#include "InputMapActionConfig.h"
#include "JsonNode.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class JsonTextWriter;
class JsonTree;
class PackageCreator;
class ProfileData;
class StartLoad;

// The process-wide reader and writer of configuration files: all profiles of
// the model (PackageCreator) as one JSON document behind the first line
// "json,2,4". It also keeps the working file with its backups and
// fall-backs (the store's operations, in ConfigFileStore.cpp).
//
// Reading does not create profiles. Each nested profile group is announced
// with profileFromFile(name, parent); the receiver must create that profile
// and make it the model's current profile before it returns, and the group's
// contents are then read into the current profile. A read ends with
// setInitialDefault(index, subIndex) naming the default profile.
//
// Selection flags choose groups for export and import: one byte per group
// in tree order (the root, then each profile followed by its sub-profiles),
// zero to leave a group out; an empty list means every group.
//
// The items inside mappings are ConfigItems; the action mappings and their
// nesting are ConfigMappings, ConfigMappingWriter and ConfigMappingReader.
// Files are written as text straight from the model (JsonTextWriter) and read
// through one parse of their bytes (JsonTree); the Qt JSON forms of the
// functions below go through the same text.
class ConfigFile : public QObject
{
    Q_OBJECT

public:
    using Selection = QList<quint8>;

    static ConfigFile *instance();
    ~ConfigFile() override;

    // --- The store
    // Where its files lie: the working file and the per-user copy of the
    // starter file in the per-user configuration folder; the backups, the
    // copy of a working file that did not parse and exports in the documents
    // folder; the shipped starter file in the program folder.
    static QString workingFilePath();
    static QString starterCopyPath();
    static QString shippedStarterPath();
    static QString documentsFolder();
    static QString backupsFolder();
    // "AutoBackup_<n>.kvlf", 0 the newest.
    static QString backupPath(int n);
    static QString invalidCopyPath();
    static QString olderDriverFilePath();
    // "MappingsLibrary.kvlf" in the documents folder: the user's own
    // library of saved mappings (read by ActionLibrary).
    static QString mappingsLibraryPath();

    // The start-up load: the working file (backed up when it changed since
    // the newest backup), else the newest backup (with a notice), else the
    // older driver's file (when the user agrees), else the starter file;
    // then the starter copy is refreshed from the program folder. False only
    // when not even the starter file could be read; the model is then as it
    // was.
    bool loadSaveFile();
    // Begins the start's read of the working file on a thread of its own,
    // to run while the windows are built: the read, the parse, the mapping
    // lists of its profiles and, once it parsed, the backup. The next
    // loadSaveFile() takes it up, waiting for the parse when it is not done
    // yet; the backup goes on by itself.
    void prepareSaveFile();
    // Waits for what the start's read ahead still does and frees it; the
    // application calls it before it ends.
    void finishStartLoad();
    // The per-user starter copy, all groups.
    bool loadStarterFile();
    // Only the starter copy's global profile contents: nothing is announced
    // and no initial default named.
    bool loadStarterFileWithoutDefault();
    // The working file read behind count imported profiles, without its
    // global profile; (count + index, subIndex) is named as the initial
    // default.
    bool reloadSaveFileAt(int count, int index, int subIndex);
    // Copies the shipped starter file over the per-user copy; the copy stays
    // as it was when that fails.
    bool copyStarterFile();
    // Writes every profile to the working file. Emits saved(false) after a
    // write; when nothing could be written the old file stays, saved(true)
    // keeps Save available, and the user is told once until a save works.
    bool save();
    // The names of the profile groups in a file, in the order of the
    // selection flags a read of it takes: the global profile first (only
    // when its group has mappings; then hasGlobal is set), then each profile
    // indented by two spaces and each sub-profile by four. Empty when the
    // file cannot be read.
    QStringList profileNamesInFile(const QString &path, bool *hasGlobal) const;

    // Adds mapping with its nested mappings to the user's mappings library
    // under category, asking for a name when it has none (which becomes its
    // name, with saved(true)) and whether to overwrite or rename when the
    // category holds the name already. True when it was stored; false when
    // the user cancelled, or the file could not be read, was not a mappings
    // library or could not be written (the user is told; the file stays as
    // it was). The caller then clears ActionLibrary's cache of the library.
    bool addToMappingsLibrary(InputMapActionConfig *mapping, const QString &category);

    // --- Whole files
    // The first line and the indented document of the selected groups,
    // written straight into one buffer sized after the last file written or
    // read. The buffer is kept and written into again by the next call when
    // the caller no longer holds the bytes.
    QByteArray writeBytes(const Selection &selection = Selection());
    // Writes writeBytes() to path through a temporary file that replaces the
    // old one only when everything was written; false (old file untouched)
    // when it cannot be written.
    bool saveToFile(const QString &path, const Selection &selection = Selection());
    // Reads a file's bytes into the model. False, with the model unchanged,
    // when the data hold a NUL byte (or end) before the first "{" or do not
    // parse; every byte before the first "{" is ignored. Anything that
    // parses reads: missing or wrongly typed keys take their fallbacks and
    // items that cannot be used are skipped.
    bool loadBytes(const QByteArray &data, bool readRoot = true, const Selection &selection = Selection());
    // False without a message when the file cannot be opened.
    bool loadFile(const QString &path, bool readRoot = true, const Selection &selection = Selection());

    // --- Documents
    // Reads a parsed document (an object of a JsonTree, or a Qt JSON
    // object) into the model, announcing its groups, and ends with
    // setInitialDefault (see the flags below).
    void readConfig(const QJsonObject &document, const Selection &selection);
    void readConfig(const JsonNode &document, const Selection &selection);
    // One group into the current profile, then its nested groups.
    void readGroup(const QJsonObject &group, bool isRoot);

    // --- Mapping lists of the mappings library
    // mapping as a top-level mapping followed by its descendants, each
    // nested one naming its parent by its position in this array.
    static QJsonArray writeMappingTree(const InputMapActionConfig &mapping);
    // Links every mapping of the array into its tree and returns the last
    // one without a predecessor (null when there is none). The library is
    // written by this program, so its values are read as written now.
    static InputMapPtr readActionMappingList(const QJsonArray &array, int fileVersion = writtenVersion);

    // --- Pieces of a read, also for reading ahead
    // Where the document in a file's bytes starts: the first "{", unless a
    // NUL byte or the end comes first (then -1: not a configuration file).
    static int documentStart(const QByteArray &data);
    // The "Version" a parsed document names; 1 when it names none.
    static int fileVersionOf(const JsonNode &document);
    // A profile group's mapping list as a read of the group takes it: its
    // top-level mappings, and the system events among its elements.
    struct MappingList
    {
        InputMapList topLevel;
        std::vector<JsonNode> systemEvents;
    };
    static MappingList readMappingList(const JsonNode &group, int fileVersion);
    // Profiles nest two levels below the root group; a read skips the
    // groups below.
    static constexpr int deepestGroup = 2;

    // "Version" of every file written, and of the file read last (1 when it
    // had none).
    static constexpr int writtenVersion = 2;
    int readVersion() const { return m_readVersion; }

    // While clear, a read does not end with setInitialDefault.
    bool emitInitialDefault = true;
    // While set, a read takes only the root group's contents: no profile is
    // announced and setInitialDefault is not emitted.
    bool globalOnly = false;
    // While above 0, sub-profiles read are announced under the model's last
    // top-level profile (a reload behind imported profiles).
    int insertionCount = 0;
    // The pair a read names in setInitialDefault instead of the file's
    // default profile; none while overrideIndex is below 0.
    int overrideIndex = -1;
    int overrideSubIndex = -1;

signals:
    void profileFromFile(QString profileName, QString parentProfile);
    void setInitialDefault(int index, int subIndex);
    void saved(bool enableSave);

private:
    ConfigFile();

    // How a read of one of the store's files ended.
    enum class LoadOutcome { Loaded, NotOpened, NoDocument, NotParsed };
    // bytes: what the file held, read or not.
    LoadOutcome loadStoreFile(const QString &path, QByteArray *bytes);
    // The same for the working file read ahead.
    LoadOutcome loadReadAhead(StartLoad &ahead, QByteArray *bytes);
    // Reads a document parsed from data (from start) into the model; false,
    // with the reason logged, when data held none or it did not parse.
    bool readParsed(const QByteArray &data, int start, const JsonTree &tree, bool readRoot, const Selection &selection);
    // A group's mapping list: the one read ahead, or read now.
    MappingList mappingsOf(const JsonNode &group);
    void makeFolders() const;
    // A new backup of the working file just loaded from bytes, unless the
    // newest backup holds them already.
    void backUpWorkingFile(const QByteArray &bytes);
    void rotateBackups(const QByteArray &newest);
    void keepInvalidCopy();
    // The fall-backs after a working file that did not load.
    bool loadFallback();
    bool loadStarterProfiles();
    bool writeFile(const QString &path, const QByteArray &bytes, QString *reason);
    void reportSaveFailure(const QString &path, const QString &reason);

    void readGroupAt(const JsonNode &group, bool isRoot, int depth);
    void readGroupContents(const JsonNode &group);
    void readConfigSet(const JsonNode &element);
    void readProfileChanged(const JsonNode &element);
    void skipGroup(const JsonNode &group);
    // Whether the first selection flag chooses its group (every group when
    // there are no flags), and taking that flag off the list.
    bool selected() const;
    void dropFlag();
    // The document of the selected groups, written as a whole.
    void writeDocument(JsonTextWriter &json, Selection selection) const;
    // A profile's group (the placeholder for null), with "Groups" when
    // writeGroups is given, which writes its elements.
    void writeGroup(JsonTextWriter &json, const ProfileData *profile, bool isRoot,
                    const std::function<void()> &writeGroups = {}) const;
    void writeMappingList(JsonTextWriter &json, const ProfileData &profile, bool isGlobal) const;
    void writeConfigSet(JsonTextWriter &json) const;
    void writeProfileChanged(JsonTextWriter &json, const ProfileData &profile) const;

    PackageCreator *m_model;
    // The size the next file is likely to have: the last one written or read.
    int m_sizeHint = 0;
    QByteArray m_buffer;
    int m_readVersion = 1;
    bool m_readRoot = true;
    Selection m_selection;
    int m_defaultIndex = 255;
    int m_defaultSubIndex = 255;
    bool m_starterCopied = false;
    bool m_saveFailureReported = false;
    // The start's read of the working file, kept until its thread ended.
    std::unique_ptr<StartLoad> m_startLoad;
    bool m_readAheadTaken = false;
    // While the file read ahead is read into the model.
    StartLoad *m_readingAhead = nullptr;
};
