#include "ViewsBench.h"

#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int profiles = 40;
constexpr double goalMs = 50;

} // namespace

bool ViewsBench::run(BenchTable &table)
{
    QTemporaryDir home(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.path() + QStringLiteral("/.cache"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    if (m_programs.display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DISPLAY"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), m_programs.display);
    }

    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(m_programs.viewBench,
                  {QStringLiteral("--shipped"), m_programs.programFolder, QStringLiteral("--profiles"),
                   QString::number(profiles), QStringLiteral("--runs"), QString::number(m_runs)});
    const bool finished = process.waitForFinished(300000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "the view benchmark failed:\n%s\n", process.readAllStandardError().constData());
        return false;
    }

    QHash<QString, Samples> rows;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        Samples &samples = rows[QString::fromUtf8(fields.first())];
        for (int i = 1; i < fields.size(); ++i)
            samples.add(fields.at(i).toDouble());
    }

    table.addSection(
        QStringLiteral("Views at %1 profiles: the event loop blocked from a click to its next idle wait; "
                       "the expert window over the simulated mouse, %2")
            .arg(profiles)
            .arg(m_programs.display.isEmpty() ? QStringLiteral("offscreen") : QStringLiteral("on the X server")));
    const struct
    {
        const char *key;
        const char *what;
        bool goal;
    } interactions[] = {
        {"switch", "switch to a profile not shown before (its tab)", true},
        {"mappings", "open that profile's mapping page (All Mappings)", true},
        {"mappingswhole", "the mapping page: the longest stretch until every card is made", false},
        {"picker", "open the output picker of its first card", true},
        {"edit", "an edit on the settings page (the memory bar after it)", false},
        {"save", "Save with the mouse connected (until the upload waits)", true},
        {"savewhole", "Save: the longest stretch until the file is written", false},
    };
    bool ok = true;
    for (const auto &interaction : interactions) {
        const Samples samples = rows.value(QLatin1String(interaction.key));
        if (samples.isEmpty() || samples.minimum() < 0) {
            std::fprintf(stderr, "the view benchmark gave no time for %s\n", interaction.key);
            ok = false;
            continue;
        }
        const bool met = samples.median() <= goalMs;
        table.addTimes(QStringLiteral("views: %1").arg(QLatin1String(interaction.what)), samples,
                       QStringLiteral("longest %1").arg(BenchTable::time(samples.maximum())),
                       interaction.goal ? QStringLiteral("<= %1").arg(BenchTable::time(goalMs))
                                        : QStringLiteral("(for comparison)"),
                       interaction.goal ? BenchTable::check(met) : BenchTable::Goal::None);
    }
    return ok;
}
