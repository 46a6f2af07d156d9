#include "StartLoad.h"

#include "ConfigFile.h"
#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <vector>

#include <unistd.h>

namespace {

// Below this a file is read by one thread.
constexpr qint64 smallestPiece = 2 << 20;
constexpr int mostHelpers = 6;
// Groups a thread reads the mappings of, at least.
constexpr int fewestGroups = 8;

// How many threads share work of that many parts of the least size each.
int threadsFor(qint64 parts, qint64 least)
{
    const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
    return int(std::clamp<qint64>(parts / least, 1, std::min(mostHelpers, processors)));
}

// Runs work(0) to work(count - 1), each on a thread of its own but the
// first, which runs on the caller's.
template<class Work>
void sideBySide(int count, const Work &work)
{
    std::vector<std::thread> helpers;
    for (int i = 1; i < count; ++i)
        helpers.emplace_back([&work, i] { work(i); });
    work(0);
    for (std::thread &helper : helpers)
        helper.join();
}

// The whole file, as SafeFile reads it, but by several threads at once into
// their parts of one buffer: most of the time a large read takes goes into
// the system giving the fresh buffer its pages, which they do side by side.
bool readWhole(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!SafeFile::openForReading(file))
        return false;
    const qint64 size = file.size();
    const int threads = threadsFor(size, smallestPiece);
    if (threads < 2 || size >= INT_MAX)
        return SafeFile::read(path, bytes);
    QByteArray data(int(size), Qt::Uninitialized);
    const int descriptor = file.handle();
    std::atomic<bool> whole{true};
    sideBySide(threads, [&](int part) {
        qint64 at = size * part / threads;
        const qint64 end = size * (part + 1) / threads;
        while (at < end) {
            const ssize_t got = ::pread(descriptor, data.data() + at, size_t(end - at), at);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                whole = false;
                return;
            }
            at += got;
        }
    });
    // A file that changed size meanwhile is read again the plain way.
    char beyond;
    if (!whole || ::pread(descriptor, &beyond, 1, size) != 0)
        return SafeFile::read(path, bytes);
    *bytes = data;
    return true;
}

} // namespace

StartLoad::StartLoad(const QString &path, AfterParse afterParse)
    : m_path(path)
    , m_thread([this, then = std::move(afterParse)] { run(then); })
{}

StartLoad::~StartLoad()
{
    m_thread.join();
}

void StartLoad::run(const AfterParse &afterParse)
{
    Outcome outcome = Outcome::NotOpened;
    // The tree makes its room while the file is read.
    const qint64 expected = QFileInfo(m_path).size();
    bool read = false;
    sideBySide(2, [&](int part) {
        if (part == 0)
            read = readWhole(m_path, &m_bytes);
        else
            m_tree.reserveFor(expected);
    });
    if (read) {
        m_start = ConfigFile::documentStart(m_bytes);
        if (m_start < 0) {
            outcome = Outcome::NoDocument;
        } else if (!m_tree.parse(m_bytes, m_start)) {
            outcome = Outcome::NotParsed;
        } else {
            outcome = Outcome::Parsed;
            readAhead();
        }
    }
    // The store may free the parse as soon as it is told: the bytes are
    // taken first.
    const QByteArray bytes = m_bytes;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_outcome = outcome;
        m_done = true;
    }
    m_parsed.notify_all();
    if (outcome == Outcome::Parsed && afterParse)
        afterParse(bytes);
}

void StartLoad::readAhead()
{
    const JsonNode document = m_tree.root().toObject();
    const int fileVersion = ConfigFile::fileVersionOf(document);
    std::vector<JsonNode> groups;
    collectGroups(document.value("RootProfile").toObject(), 0, &groups);
    // The groups' lists are read side by side, each group's by one thread.
    std::vector<ConfigFile::MappingList> lists(groups.size());
    const int threads = threadsFor(qint64(groups.size()), fewestGroups);
    sideBySide(threads, [&](int part) {
        for (size_t i = part; i < groups.size(); i += size_t(threads))
            lists[i] = ConfigFile::readMappingList(groups[i], fileVersion);
    });
    for (size_t i = 0; i < groups.size(); ++i)
        m_mappings.emplace(groups[i].place(), std::move(lists[i]));
}

void StartLoad::collectGroups(const JsonNode &group, int depth, std::vector<JsonNode> *groups)
{
    // The groups a read of the whole file reads, as ConfigFile reads them.
    if (group.isUndefined())
        return;
    groups->push_back(group);
    if (depth >= ConfigFile::deepestGroup)
        return;
    for (const JsonNode &child : group.value("Groups").toArray())
        collectGroups(child.toObject(), depth + 1, groups);
}

StartLoad::Outcome StartLoad::waitForParse()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_parsed.wait(lock, [this] { return m_done; });
    return m_outcome;
}

bool StartLoad::takeMappings(const JsonNode &group, ConfigFile::MappingList *list)
{
    if (group.isUndefined())
        return false;
    const auto found = m_mappings.find(group.place());
    if (found == m_mappings.end())
        return false;
    *list = std::move(found->second);
    m_mappings.erase(found);
    return true;
}

void StartLoad::release()
{
    m_tree = JsonTree();
    m_mappings.clear();
    m_bytes = QByteArray();
}
