#pragma once

#include "LibraryEntry.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QStandardItemModel;

// The ready-made mappings the output pickers offer: a "Do Nothing" entry, the
// library files shipped in the program folder ("profiles/basic.csv" for
// everyone, "actions.csv" in a predefined profile's folder for its
// application) and the user's mappings library ("MappingsLibrary.kvlf" in
// the documents folder, written by ConfigFile::addToMappingsLibrary).
//
// The general file and the mappings library are read once per process into
// caches shared by every picker (the first library made fixes the language
// of the general file's texts); the application files are read at each
// fillModel(). After a mapping was added, clearMappingsLibraryCache() makes
// the next library read the user's file again.
//
// A library file is UTF-8 text; its first line is a header. Each further
// line is one entry: depth, category path ("Category" or
// "Category > Sub-category"), name, input text (nested entries only), press
// outputs and release outputs (output texts joined by " + ", or "None"), a
// column not read, and the path and name for the language "zh_TW". A line
// with fewer than six columns (nine with "zh_TW"), an empty column, or a
// depth below 0 or deeper than a configuration file may nest mappings is no
// entry. An entry of depth d > 0 is nested in the last open entry of depth
// d - 1 and keeps its outputs in its own input mapping.
class ActionLibrary : public QObject
{
    Q_OBJECT

public:
    // Reads the language and fills the caches that are empty.
    explicit ActionLibrary(QObject *parent = nullptr);
    ~ActionLibrary() override;

    // "Language" of the settings file (the system locale's name when unset);
    // empty when it is none of the program's languages.
    QString language() const { return m_language; }

    // Appends every entry to entries and builds the tree of model: "Do
    // Nothing", the current profile's application entries, the user's
    // mappings, the "Desktop" entries (unless the current profile is
    // "Desktop") and the general library. Each category is one top-level
    // item made at its first entry, with its sub-categories below it; the
    // entries are the leaves (their children are not shown). Neither the
    // list nor the model is emptied first; a null model fills the list only.
    static void fillModel(LibraryEntryList &entries, QStandardItemModel *model);

    // The entries of the "actions.csv" of the predefined profile of that
    // name; none when there is no such profile.
    LibraryEntryList applicationEntries(const QString &profileName);
    // The top-level entries of one library file; none when it cannot be read.
    LibraryEntryList readCsvFile(const QString &path);
    // The entry of one line, or null when the line makes none at the top
    // level (a refused line, or one nested into the open entries).
    LibraryEntryPtr parseCsvLine(const QString &line);

    // The fields of a line: commas split outside quotes, a line break ends
    // the line, two quotes in quoted text are one; each field trimmed and
    // freed of one pair of enclosing quotes.
    static QStringList splitCsvLine(const QString &line);
    // The outputs of a cell; "None" is none. An output text that names
    // nothing is left out with a warning.
    static OutputList parseOutputList(const QString &cell);

    // The user's mappings library: one entry per saved mapping, its nested
    // mappings as child entries. None when the file is missing, unreadable
    // or broken (broken: a warning).
    static LibraryEntryList readMappingsLibrary();
    // One entry per mapping of nested, in the parent's category.
    static LibraryEntryList entriesFromMappings(const InputMapList &nested, const LibraryEntry &parent);
    // The next library reads the user's mappings library again. Entries that
    // pickers still hold stay alive until they let go of them.
    static void clearMappingsLibraryCache();

private:
    static LibraryEntryList &libraryCache();
    static LibraryEntryList &mappingsLibraryCache();

    QString m_language;
    // Index k holds the open entry of depth k while a file is read.
    LibraryEntryList m_openEntries;
};
