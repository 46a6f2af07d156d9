#pragma once
// What the simple view's widget tests read from and do to the small dialogs
// that open on the way (questions, messages), and the rows of the two looks
// their pictures are taken in.

#include "WidgetDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

namespace DialogFixture {

// The texts of the dialog's labels that have one, joined by "|".
inline QString labelTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts.join('|');
}

using WidgetDriver::clickText;

// A "key" column with a row per look the pictures are taken in.
inline void addLookRows()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("v") << "v";
    QTest::newRow("pelkin") << "pelkin";
}

} // namespace DialogFixture
