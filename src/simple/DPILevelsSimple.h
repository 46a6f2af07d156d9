#pragma once

#include "DpiConfigureRecord.h"
#include "RowDrag.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class DPILevelsSimple;
}
class DPILevelSimple;
class PackageCreator;
class ProfileData;
class QFrame;

// The simple view's DPI levels page: one row per level, one value each, the
// default level checked, up to ten levels, re-ordered by dragging a row's
// handle. Every change the user makes is stored at once as the current
// profile's DPI record (a profile that inherits its settings first gets its
// own); nothing is sent to the mouse here.
//
// The page stores only after a load succeeded, and only while the profile
// it was loaded for is still the current one.
class DPILevelsSimple : public QWidget
{
    Q_OBJECT

public:
    static const char *const mimeType; // "dpi/level_simple"

    // Runs a row's drag and gives back its result; the default is
    // QDrag::exec with the move action. Tests deliver the drag events from
    // inside it. Null gives back the default.
    using DragRunner = RowDrag::Runner;
    static void setDragRunner(DragRunner runner);

    DPILevelsSimple(QWidget *parent, const QString &modelKey);
    ~DPILevelsSimple() override;

    // Fills the page from the record of the profile whose settings the
    // current profile uses. A record without levels, or whose values do not
    // match its level count, leaves the page empty (logged) and never stored.
    void load(const DpiConfigureRecord &record);

    int rowCount() const { return rows.size(); }
    DPILevelSimple *row(int place) const { return rows.value(place); }
    bool isLoaded() const { return loaded; }

public slots:
    void save();
    void addLevel();
    void deleteLevel();
    void unsetOtherDefaults();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A new row in a frame of its own, appended to the list; the caller puts
    // the frame into the layout.
    QFrame *newLevelFrame();
    QList<QFrame *> rowFrames() const;
    void renumber();
    void startDrag();
    void updateAddButton();

    std::unique_ptr<Ui::DPILevelsSimple> ui;
    PackageCreator *model;
    QString m_modelKey;
    QList<DPILevelSimple *> rows;
    bool loaded = false;
    // The profile current at the load; compared only, never followed.
    const ProfileData *m_profile = nullptr;
    int frameCounter = 0;
    std::unique_ptr<RowDrag> drag;
};
