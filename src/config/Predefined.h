#pragma once
// The catalogue of predefined profiles shipped in the program folder's
// "profiles" folder (one sub-folder each, with "info.txt", "profile.kvlf"
// and optionally a logo), and the places of the user's own profile folders
// in the per-user "Profiles" folder.
//
// "info.txt" holds lines "key=value": "Name" (the profile's name; it must be
// the first line, as predefinedFolder() reads only that one), "BundleID"
// (text found in the display name of the application the profile is for)
// and "MouseSupport" (product ids of the models it suits, "5, 10"). Other
// lines are ignored.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

struct PredefinedProfileInfo
{
    QString name;
    QString bundleId;
    QList<int> mouseSupport;
};

class Predefined : public QObject
{
    Q_OBJECT

public:
    // The process-wide catalogue, read from the program folder on first use.
    static Predefined *instance();
    // Reads the catalogue of the program folder as it is now.
    explicit Predefined(QObject *parent = nullptr);
    ~Predefined() override;

    // In the order of the folders' names, ignoring case.
    QList<PredefinedProfileInfo> profileInfos() const { return m_infos; }

    // The program folder + "/profiles/".
    static QString profilesFolder();
    static QString basicFileName() { return QStringLiteral("basic.csv"); }
    static QString actionsFileName() { return QStringLiteral("actions.csv"); }
    static QString mappingsLibraryFileName() { return QStringLiteral("MappingsLibrary.kvlf"); }
    static QString infoFileName() { return QStringLiteral("info.txt"); }
    static QString profileFileName() { return QStringLiteral("profile.kvlf"); }

    // The predefined folder whose "info.txt" names the profile on its first
    // line (case-sensitive); empty when none does.
    static QString predefinedFolder(const QString &name);
    // The user folder of a profile name, whether it exists or not: always a
    // folder directly inside "Profiles" of the per-user configuration folder,
    // a distinct path for each name. Ordinary names are used as they are; "/"
    // and "%" anywhere, a NUL and a leading "." are written as "%" and two hex
    // digits, so no name reaches outside "Profiles" or names "Profiles"
    // itself; the empty name has a fixed folder of its own. On disk, names
    // that differ only in what a file name cannot hold (a lone surrogate
    // reaches the file system as "?") share one folder: see sameFolder().
    static QString userProfilePath(const QString &name);
    // Whether two paths name one file as the file system sees them: in their
    // encoded bytes, not their text.
    static bool sameFolder(const QString &path, const QString &other);
    // "profile.kvlf" in userProfilePath(name).
    static QString userProfileFile(const QString &name);
    // The first plain file "logo.*" in the user folder of that name, else in
    // its predefined folder; empty when neither has one.
    static QString logoFile(const QString &name);
    // Every predefined folder by the name predefinedFolder() finds it by,
    // for looking up the logos of many names with the folders read once.
    static QHash<QString, QString> predefinedFolders();
    static QString logoFile(const QString &name, const QHash<QString, QString> &predefinedFolders);
    // The name of the first entry whose bundle id occurs in displayName
    // (case-sensitive); an entry without a bundle id matches nothing. Empty
    // when none matches.
    QString nameForProgram(const QString &displayName) const;

private:
    QList<PredefinedProfileInfo> m_infos;
};
