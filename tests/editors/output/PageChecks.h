#pragma once
// The bodies the page tests share, run from a test function with the data
// of its row. Each shows the page in a PageHost, does the user's steps on
// the whole window (so a page's second line is reached too) and fails the
// running test where a check fails.
//
//     void userEditsReachTheRecord()
//     {
//         QFETCH(MakePage, makePage);
//         ...
//         PageChecks::editsReachTheRecord(makePage, steps, {typeCode, bytes, shown, hidden});
//     }

#include "PageSteps.h"

#include <QByteArray>
#include <QStringList>

namespace PageChecks {

// What a record and the page show at the end of a case.
struct Expected
{
    int typeCode;
    QByteArray bytes; // pageFieldBytes
    Shown shown;
    QStringList hidden = {};
};

// The named widgets below root show these texts and the others are hidden.
void checkShown(const QWidget *root, const Shown &shown, const QStringList &hidden = {});

// A page made (while the store loads and while it does not) holds its own
// record of that type code and bytes from the start, keeps it through
// ensureConfig(), and is a valid one-line page.
void freshPageHoldsItsRecord(const MakePage &makePage, int typeCode, const QByteArray &bytes);

// A fresh page, the steps done: the page's record holds the expected type
// code and bytes, the page shows what is expected, it announced updated()
// and it is valid.
void editsReachTheRecord(const MakePage &makePage, const Steps &steps, const Expected &expected);

// record loaded: the page emitted updatesOnLoad updated() and no
// autoReleaseAdd(), took the record without changing it, is valid and shows
// what is expected; then the steps leave bytes in the same record.
void loadShowsTheRecord(const MakePage &makePage, const OutputPtr &record, int updatesOnLoad, const Shown &shown,
                        const QStringList &hidden, const Steps &steps, const QByteArray &bytes);

// The store loading: a record loaded into the page stays as it was whatever
// the steps, and the page emits nothing.
void loadingFlagKeepsTheRecord(const MakePage &makePage, const OutputPtr &record, const Steps &steps);

// The page after the steps, grabbed to "page-<data tag>.png".
void grabPage(const MakePage &makePage, const Steps &steps);

} // namespace PageChecks
