#pragma once
// What the tests of the settings page and the DPI level editor share: a
// window that holds the widget under test, profiles with settings of their
// own, and the editor's rows driven as a user would.

#include "DPILevel.h"
#include "DPILevels.h"
#include "PackageCreator.h"
#include "PageDriver.h"
#include "ProfileData.h"
#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace SettingsTestKit {

// A profile of the store with settings of its own, made current.
inline ProfileData *ownProfile(int index, const QString &name)
{
    PackageCreator *model = PackageCreator::instance();
    ProfileData *profile = model->addProfile(index, 255, name);
    model->setCurrentProfile(profile);
    profile->setOwnSettings(true);
    return profile;
}

inline DpiConfigureRecord dpiRecord(int count, int current, int separate, const QVector<quint16> &values)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(count);
    record.currentLevel = quint8(current);
    record.separateXY = separate;
    record.dpiValues = values;
    return record;
}

// A window holding one widget, shown and active; the widget at the top at
// the height it asks for, or filling the window.
struct Host
{
    QWidget window;

    explicit Host(QWidget *content, const QSize &size = QSize(900, 400), bool fill = false)
    {
        window.setObjectName(QStringLiteral("expertHost"));
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
        if (!fill)
            layout->addStretch();
        window.resize(size);
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

// Row place's X or Y edit, typed into and finished with Return.
inline bool typeIntoRow(DPILevels *editor, int place, bool x, int value)
{
    DPILevel *row = editor->row(place);
    return row && PageDriver::typeAndFinish(row, x ? "lineEdit_dpi_x" : "lineEdit_dpi_y", QString::number(value));
}

inline bool clickInRow(DPILevels *editor, int place, const QString &name)
{
    DPILevel *row = editor->row(place);
    const bool clicked = row && WidgetDriver::click(row, name);
    // A deleted row's frame goes once control returns to the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return clicked;
}

// The X values of the rows, in list order.
inline QList<int> rowValues(const DPILevels *editor)
{
    QList<int> values;
    for (int i = 0; i < editor->rowCount(); ++i)
        values << editor->row(i)->dpiX();
    return values;
}

inline QVector<quint16> storedValues()
{
    return PackageCreator::instance()->currentProfile()->dpiRecord.dpiValues;
}

} // namespace SettingsTestKit
