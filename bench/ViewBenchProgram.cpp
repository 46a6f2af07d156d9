// The views' rows of ./bench.sh: the whole program in this process, over the
// simulated mouse, with a generated model in its working file, shown in the
// expert view as a returning user left it. Each interaction is a click made
// from the event loop, and what counts is the time the loop is blocked: from
// the click to the loop's next wait for events (a wait inside a device
// command's reply wait counts as one: the loop runs again there), which takes
// in what the click posted (layouts, painting) too.
//
//   r7_view_bench --shipped DIR [--profiles N] [--runs N]
//
// Prints one line per interaction: its name and the milliseconds of each run.
// Run in a home folder of its own (HOME and the XDG folders), on the X server
// of DISPLAY or the offscreen platform.
//
// The loop's waits are seen in poll() and ppoll(), which this program defines
// before the C library's: a wait is a call of the event dispatcher's with a
// timeout other than zero.

#include "App.h"
#include "ComboTree.h"
#include "ConfigFile.h"
#include "ExpertView.h"
#include "FakeHidTransport.h"
#include "MapWidget.h"
#include "Mappings.h"
#include "ModelGenerator.h"
#include "MouseFunctions.h"
#include "OutputBar.h"
#include "PackageCreator.h"
#include "Profile.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "SettingsFile.h"
#include "SimulatedMouse.h"
#include "TummyButton.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int memorySize = 1 << 20;
constexpr int waitMs = 20000;

// Runs the event loop until done (checked every few milliseconds), so that
// it waits for events as the program's own loop does.
bool waitFor(const std::function<bool()> &done, int timeoutMs = waitMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QElapsedTimer timer;
    timer.start();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || timer.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start();
    loop.exec();
    return done();
}

void pause(int ms)
{
    QElapsedTimer timer;
    timer.start();
    waitFor([&] { return timer.elapsed() >= ms; });
}

// The main thread's waits for events, seen where the event loop makes them:
// this program's own poll() and ppoll() stand before the C library's, as the
// start-up rows' probe does. A wait is a call with a timeout other than zero.
// The time between the return of one wait and the next is a stretch in which
// the loop was blocked.
class Waits
{
public:
    static Waits &instance()
    {
        static Waits waits;
        return waits;
    }
    void waiting()
    {
        if (!onMainThread())
            return;
        const qint64 now = clock();
        if (m_start >= 0 && m_result < 0)
            m_result = (now - m_start) / 1e6;
        if (m_woke >= 0)
            m_longest = std::max(m_longest, (now - m_woke) / 1e6);
    }
    void woke()
    {
        if (onMainThread())
            m_woke = clock();
    }

    qint64 clock() const
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    void start()
    {
        m_result = -1;
        m_start = clock();
    }
    void reset()
    {
        m_start = -1;
        m_result = -1;
    }
    double result() const { return m_result; }
    double takeLongest()
    {
        const double longest = m_longest;
        m_longest = 0;
        return longest;
    }

private:
    static bool onMainThread() { return syscall(SYS_gettid) == getpid(); }

    qint64 m_start = -1;
    qint64 m_woke = -1;
    double m_result = -1;
    double m_longest = 0;
};

// The time from a click to the event loop's next wait for events.
class BlockedTime : public QObject
{
public:
    // Clicks the middle of widget from the event loop, then returns the
    // blocked time; negative when the loop did not go idle in time.
    double click(QWidget *widget)
    {
        return run([widget] { QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center()); });
    }

    // The same for what an input event would run.
    double run(const std::function<void()> &input)
    {
        Waits &waits = Waits::instance();
        waits.reset();
        QTimer::singleShot(0, this, [input, &waits] {
            waits.start();
            input();
        });
        if (!waitFor([&waits] { return waits.result() >= 0; }))
            return -1;
        const double blocked = waits.result();
        waits.reset();
        // What the input left to run later (the 100 ms scrolls) runs now.
        pause(150);
        return blocked;
    }

    // The longest stretch without a wait since the last call.
    double longestSinceLast() { return Waits::instance().takeLongest(); }
};

template<class Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Only the event loop's own waits count, those of the toolkit's event
// dispatcher (through GLib, or its own through ppoll); the X library waits in
// poll() for the server's replies in the middle of work.
bool fromEventLoop(const void *caller)
{
    Dl_info info{};
    if (!dladdr(caller, &info) || !info.dli_fname)
        return false;
    const char *file = info.dli_fname;
    return strstr(file, "libglib-2.0") || strstr(file, "libQt5Core");
}

} // namespace

extern "C" {

int poll(struct pollfd *fds, nfds_t count, int timeout)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, int)>("poll");
    if (timeout == 0 || !fromEventLoop(__builtin_return_address(0)))
        return real(fds, count, timeout);
    Waits::instance().waiting();
    const int result = real(fds, count, timeout);
    Waits::instance().woke();
    return result;
}

int __poll_chk(struct pollfd *fds, nfds_t count, int timeout, size_t size)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, int, size_t)>("__poll_chk");
    if (timeout == 0 || !fromEventLoop(__builtin_return_address(0)))
        return real(fds, count, timeout, size);
    Waits::instance().waiting();
    const int result = real(fds, count, timeout, size);
    Waits::instance().woke();
    return result;
}

int ppoll(struct pollfd *fds, nfds_t count, const struct timespec *timeout, const sigset_t *mask)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, const timespec *, const sigset_t *)>("ppoll");
    if ((timeout && timeout->tv_sec == 0 && timeout->tv_nsec == 0) || !fromEventLoop(__builtin_return_address(0)))
        return real(fds, count, timeout, mask);
    Waits::instance().waiting();
    const int result = real(fds, count, timeout, mask);
    Waits::instance().woke();
    return result;
}

} // extern "C"

namespace {

bool writeWorkingFile(int profiles)
{
    ModelGenerator::Shape shape;
    shape.profiles = profiles;
    ModelGenerator::build(shape);
    QDir().mkpath(QFileInfo(ConfigFile::workingFilePath()).absolutePath());
    const bool written = ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath());
    PackageCreator::instance()->reset();
    return written;
}

void returningUser()
{
    QSettings settings(SettingsFile::pathBeforeApplication(), QSettings::IniFormat);
    settings.setValue("HasBeenRunBefore", true);
    settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    settings.setValue("ShowIntroOnLaunch", false);
    settings.setValue("AutoUpdate", false);
    settings.setValue("ExpertView", true);
}

void printRow(const char *name, const std::vector<double> &runs)
{
    std::printf("%s", name);
    for (double ms : runs)
        std::printf(" %.3f", ms);
    std::printf("\n");
    std::fflush(stdout);
}

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

// The first card on the page that shows, with its output picker.
ComboTree *firstPicker(Profile *page)
{
    for (MapWidget *card : page->mappings()->topLevelCards()) {
        if (card->isVisible() && card->outputBar() && card->outputBar()->comboTree())
            return card->outputBar()->comboTree();
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QString shipped;
    int profiles = 40;
    int runs = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray option = argv[i];
        if (option == "--shipped")
            shipped = QString::fromLocal8Bit(argv[i + 1]);
        else if (option == "--profiles")
            profiles = std::max(1, atoi(argv[i + 1]));
        else if (option == "--runs")
            runs = std::max(1, atoi(argv[i + 1]));
    }

    QCoreApplication::setApplicationName(QStringLiteral("Corvanelle R7 Control Panel"));
    ProgramFolder::setPath(shipped);
    // Only a local port where nothing listens, should anything ask.
    qputenv("R7_UPDATE_SERVER", "http://127.0.0.1:1");
    returningUser();
    if (!writeWorkingFile(profiles)) {
        std::fprintf(stderr, "the working file could not be written\n");
        return 1;
    }

    SimulatedMouse mouse;
    mouse.setProductId(5);
    mouse.setMemorySize(memorySize);
    mouse.plugIn();
    MouseFunctions::setTransportFactory([&mouse] { return new FakeHidTransport(&mouse); });

    int appArgc = 1;
    char name[] = "corvanelle";
    char *appArgv[] = {name, nullptr};
    App app(appArgc, appArgv);
    ExpertView *window = app.expert();
    MouseFunctions *device = MouseFunctions::instance();
    const auto settled = [&] {
        return device->waitState() == MouseFunctions::WaitIdle && !device->isAwaitingReply()
               && mouse.pendingReports() == 0;
    };
    if (!waitFor([&] { return window->isVisible() && device->isCompatibleMousePresent() && mouse.uploads() >= 1; })
        || !QTest::qWaitForWindowExposed(window, waitMs) || !waitFor(settled)) {
        std::fprintf(stderr, "the expert window did not show with the mouse connected and the profiles uploaded\n");
        return 1;
    }
    pause(300);

    BlockedTime blocked;
    ProfilesView *tree = window->profilesView();
    QPushButton *mappingsButton = button(window, "pushButton_mappings");
    QPushButton *settingsButton = button(window, "pushButton_settings");
    // Tabs without sub-profiles, so that a click opens no list: a profile
    // not shown before at each run.
    QList<TummyButton *> tabs;
    const QList<TummyButton *> all = window->profileScroller()->buttons();
    const QList<QStringList> groups = window->profileScroller()->groups();
    for (int i = 0; i < all.size(); ++i) {
        if (groups.value(i).size() == 1)
            tabs << all.at(i);
    }
    if (tabs.isEmpty() || !mappingsButton || !settingsButton) {
        std::fprintf(stderr, "the expert window lacks its tabs or page buttons\n");
        return 1;
    }

    std::vector<double> switching, mappingPage, mappingsWhole, picker, edit, save, saveWhole;
    for (int run = 0; run < runs; ++run) {
        TummyButton *tab = tabs.at(run % tabs.size());
        switching.push_back(blocked.click(tab));
        Profile *page = tree->currentPage();
        if (page->name() != tab->objectName()) {
            std::fprintf(stderr, "the tab did not show its profile\n");
            return 1;
        }
        blocked.longestSinceLast();
        mappingPage.push_back(blocked.click(mappingsButton));
        // The cards below the first screenful come in later turns.
        if (!waitFor([page] { return page->mappings()->allCardsMade(); })) {
            std::fprintf(stderr, "the mapping page did not make all its cards\n");
            return 1;
        }
        mappingsWhole.push_back(std::max(mappingPage.back(), blocked.longestSinceLast()));
        ComboTree *combo = firstPicker(page);
        if (!combo) {
            std::fprintf(stderr, "the mapping page shows no output picker\n");
            return 1;
        }
        picker.push_back(blocked.click(combo));
        combo->hidePopup();
        pause(50);
        blocked.click(settingsButton);
    }

    // An edit on the settings page enables Save; Save uploads while the
    // switch is on, then writes the file, and disables itself again.
    QPushButton *saveButton = button(window, "pushButton_save");
    auto *polling =
        tree->currentPage()->settings()->findChild<QComboBox *>(QStringLiteral("comboBox_max_polling_rate"));
    if (!saveButton || !polling || !window->connectionSwitch().isOn()) {
        std::fprintf(stderr, "no Save button or polling rate, or the connection is off\n");
        return 1;
    }
    for (int run = 0; run < runs; ++run) {
        edit.push_back(blocked.run([polling] { polling->setCurrentIndex((polling->currentIndex() + 1) % 4); }));
        const int uploads = mouse.uploads();
        if (!saveButton->isEnabled()) {
            std::fprintf(stderr, "an edit did not enable Save\n");
            return 1;
        }
        blocked.longestSinceLast();
        save.push_back(blocked.click(saveButton));
        if (!waitFor([&] { return mouse.uploads() > uploads && !saveButton->isEnabled() && settled(); })) {
            std::fprintf(stderr, "Save did not upload and write the file\n");
            return 1;
        }
        // The clicked stretch counted, the first turn after the click
        // included (it shows the clicked button).
        saveWhole.push_back(std::max(save.back(), blocked.longestSinceLast()));
        pause(50);
    }

    printRow("switch", switching);
    printRow("mappings", mappingPage);
    printRow("mappingswhole", mappingsWhole);
    printRow("picker", picker);
    printRow("edit", edit);
    printRow("save", save);
    printRow("savewhole", saveWhole);
    return 0;
}
