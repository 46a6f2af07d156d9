#pragma once
// What the quick editor's widget tests share: the store with a global
// profile of its own settings and a profile that inherits them, DPI records,
// a window that holds the page under test, and typing as a user finishes it.

#include "PackageCreator.h"
#include "ProfileData.h"
#include "SampleModel.h"
#include "WidgetDriver.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace QuickFixture {

inline PackageCreator *model()
{
    return PackageCreator::instance();
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

struct Profiles
{
    ProfileData *global = nullptr;
    ProfileData *work = nullptr; // its own settings
    ProfileData *play = nullptr; // inherits the global profile's
};

// Global with settings of its own (three levels of 800, 1600, 3200, the
// logo in a fixed colour, the OLED showing the DPI), "Work" with settings of
// its own, "Play" inheriting; Work current; the store out of loading.
inline Profiles profiles()
{
    Profiles made;
    made.global = SampleModel::emptyModel();
    model()->setOwnSettings(true, false);
    made.global->dpiRecord = dpiRecord(3, 1, 0, {800, 1600, 3200});
    made.global->ledRecord.ledMode = 1;
    made.global->ledRecord.colour1[0] = 200;
    made.global->ledRecord.colour1[1] = 100;
    made.global->ledRecord.colour1[2] = 50;
    made.global->oledRecord.oledMode = 2;
    made.play = model()->addProfile(1, 255, QStringLiteral("Play"));
    made.work = model()->addProfile(0, 255, QStringLiteral("Work"));
    made.work->setOwnSettings(true);
    made.work->dpiRecord = dpiRecord(2, 0, 0, {400, 1200});
    model()->loading = false;
    return made;
}

// A window holding one widget at the top, shown and active.
struct Host
{
    QWidget window;

    explicit Host(QWidget *content, const QSize &size = QSize(800, 300))
    {
        window.setObjectName(QStringLiteral("quickHost"));
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(10, 10, 10, 10);
        layout->addWidget(content);
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

// Types text into the named edit, replacing what it held, and presses Return.
inline bool typeAndFinish(const QWidget *root, const QString &name, const QString &text)
{
    auto *edit = WidgetDriver::child<QLineEdit>(root, name);
    if (!edit || !WidgetDriver::typeInto(root, name, text))
        return false;
    if (text.isEmpty()) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
    }
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
}

} // namespace QuickFixture
