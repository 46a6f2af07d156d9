#pragma once

#include "ConfigFile.h"
#include "JsonNode.h"
#include "JsonTree.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

// The start's read of the working file on a thread of its own, while the
// windows are being built: the file's bytes, their parse, the mapping list
// of every profile group a load reads, and then what the store does with
// the bytes of a file that parsed (its backup). Nothing of it touches the
// model: the store reads the parsed file into the model on its own thread,
// taking the mapping lists read here instead of reading them again.
class StartLoad
{
public:
    enum class Outcome { NotOpened, NoDocument, NotParsed, Parsed };
    using AfterParse = std::function<void(const QByteArray &bytes)>;

    // Starts at once. afterParse runs on the thread, after the mapping lists,
    // when the file parsed.
    StartLoad(const QString &path, AfterParse afterParse);
    // Waits for the thread.
    ~StartLoad();
    StartLoad(const StartLoad &) = delete;
    StartLoad &operator=(const StartLoad &) = delete;

    QString path() const { return m_path; }

    // Waits until the file was read and parsed and its mapping lists made.
    // Then the results below stay as they are until release().
    Outcome waitForParse();
    const QByteArray &bytes() const { return m_bytes; }
    // Where the document starts in bytes(), -1 when they hold none; tree()
    // holds its parse, or the error of a parse that failed.
    int documentStart() const { return m_start; }
    const JsonTree &tree() const { return m_tree; }
    // The mapping list read ahead for group of tree(), handed out once.
    bool takeMappings(const JsonNode &group, ConfigFile::MappingList *list);
    // Frees the parse and what is left of the lists (after waitForParse()).
    void release();

private:
    void run(const AfterParse &afterParse);
    // The mapping lists of every group a read takes, by several threads.
    void readAhead();
    static void collectGroups(const JsonNode &group, int depth, std::vector<JsonNode> *groups);

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_parsed;
    bool m_done = false;
    // Written by the thread before m_done is set, read after.
    Outcome m_outcome = Outcome::NotOpened;
    QByteArray m_bytes;
    int m_start = -1;
    JsonTree m_tree;
    std::unordered_map<quint32, ConfigFile::MappingList> m_mappings;
    std::thread m_thread;
};
