#pragma once
// What a page test does, as data for its tables: the user's steps on a
// page (pick a pop-up row, type, paste, click), and a log of the page's
// signals in the order they came.
//
//     QTest::newRow("scroll up 3") << Steps{pick("directionCombo", "Up"), type("unitsSpin", "3")};
//     for (const Step &step : steps)
//         QVERIFY2(perform(&host.window, step), qPrintable(step.widget));

#include "oawidget.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// Makes the page under test.
using MakePage = std::function<oawidget *()>;

// One thing the user does on a page.
struct Step
{
    enum Kind { PickItem, PickRow, Type, Paste, Click } kind;
    QString widget;
    QString text;
    int row = -1;
};
using Steps = QList<Step>;
// Widget name and the text it must show.
using Shown = QList<QPair<QString, QString>>;

Q_DECLARE_METATYPE(MakePage)
Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Shown)
Q_DECLARE_METATYPE(OutputPtr)

inline Step pick(const QString &combo, const QString &item)
{
    return {Step::PickItem, combo, item};
}
inline Step pickRow(const QString &combo, int row)
{
    return {Step::PickRow, combo, QString(), row};
}
inline Step type(const QString &widget, const QString &text)
{
    return {Step::Type, widget, text};
}
inline Step pasteText(const QString &widget, const QString &text)
{
    return {Step::Paste, widget, text};
}
inline Step click(const QString &widget)
{
    return {Step::Click, widget, QString()};
}

// Does the step on the named descendant of root; false when it could not.
bool perform(const QWidget *root, const Step &step);
// Does the steps in order; false (with a warning naming the step's widget)
// at the first that could not be done.
bool performAll(const QWidget *root, const Steps &steps);

template<class Page>
MakePage make()
{
    return [] { return new Page; };
}

// Records, in order, which of the page's signals came, until it is
// destroyed (a page may still save when its window closes: a spin box
// finishes its edit when it loses the focus).
struct SignalLog
{
    QStringList events;
    explicit SignalLog(oawidget *page);
    ~SignalLog();
    SignalLog(const SignalLog &) = delete;
    SignalLog &operator=(const SignalLog &) = delete;
    QStringList take();

private:
    QMetaObject::Connection released;
    QMetaObject::Connection updated;
};
