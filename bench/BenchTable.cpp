#include "BenchTable.h"

#include <algorithm>
#include <cmath>

void BenchTable::addSection(const QString &title)
{
    Row row;
    row.section = true;
    row.cells[0] = title;
    m_rows.append(row);
}

void BenchTable::addTimes(const QString &what, const Samples &milliseconds, const QString &note, const QString &goal,
                          Goal met)
{
    Row row;
    row.cells[0] = what;
    row.cells[1] = QString::number(milliseconds.count());
    row.cells[2] = time(milliseconds.median());
    row.cells[3] = time(milliseconds.minimum());
    row.cells[4] = time(milliseconds.maximum());
    row.cells[5] = note;
    row.cells[6] = goal;
    row.met = met;
    m_rows.append(row);
}

void BenchTable::addValue(const QString &what, const QString &value, const QString &note, const QString &goal, Goal met)
{
    Row row;
    row.cells[0] = what;
    row.cells[2] = value;
    row.cells[5] = note;
    row.cells[6] = goal;
    row.met = met;
    m_rows.append(row);
}

int BenchTable::missedGoals() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const Row &row) { return row.met == Goal::Missed; }));
}

QString BenchTable::time(double milliseconds)
{
    const double magnitude = std::fabs(milliseconds);
    if (magnitude < 1)
        return QString::number(milliseconds * 1000, 'f', magnitude < 0.01 ? 2 : magnitude < 0.1 ? 1 : 0) + " µs";
    return QString::number(milliseconds, 'f', magnitude < 10 ? 2 : magnitude < 100 ? 1 : 0) + " ms";
}

QString BenchTable::bytes(qint64 size)
{
    if (size < 1024)
        return QString::number(size) + " B";
    if (size < 1024 * 1024)
        return QString::number(size / 1024.0, 'f', 1) + " KB";
    return QString::number(size / (1024.0 * 1024.0), 'f', 1) + " MB";
}

void BenchTable::print(std::FILE *out) const
{
    static const char *const headers[7] = {"what", "runs", "median", "min", "max", "note", "goal"};
    int widths[7] = {};
    for (int c = 0; c < 7; ++c)
        widths[c] = int(QString::fromUtf8(headers[c]).size());
    for (const Row &row : m_rows) {
        if (row.section)
            continue;
        for (int c = 0; c < 7; ++c)
            widths[c] = std::max(widths[c], int(row.cells[c].size()));
    }
    auto line = [&](const QString *cells, Goal met) {
        QString text;
        for (int c = 0; c < 7; ++c) {
            // Numbers right-aligned, words left-aligned.
            const bool right = c >= 1 && c <= 4;
            text += right ? cells[c].rightJustified(widths[c]) : cells[c].leftJustified(widths[c]);
            text += QStringLiteral("  ");
        }
        if (met == Goal::Met)
            text += QStringLiteral("met");
        else if (met == Goal::Missed)
            text += QStringLiteral("MISSED");
        std::fprintf(out, "%s\n", text.trimmed().toUtf8().constData());
    };
    QString header[7];
    for (int c = 0; c < 7; ++c)
        header[c] = QString::fromUtf8(headers[c]);
    line(header, Goal::None);
    for (const Row &row : m_rows) {
        if (row.section)
            std::fprintf(out, "\n%s\n", row.cells[0].toUtf8().constData());
        else
            line(row.cells, row.met);
    }
}
