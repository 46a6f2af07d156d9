#include "DPILevelsSimple.h"

#include "DPILevelSimple.h"
#include "InheritedSettings.h"
#include "LoadingGuard.h"
#include "PackageCreator.h"
#include "QuickDpiRules.h"
#include "StyleProperties.h"
#include "ui_DPILevelsSimple.h"

#include <QDropEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QVariant>
#include <QtDebug>

using namespace QuickDpiRules;

const char *const DPILevelsSimple::mimeType = "dpi/level_simple";

namespace {

DPILevelsSimple::DragRunner &dragRunner()
{
    static DPILevelsSimple::DragRunner runner;
    return runner;
}

} // namespace

void DPILevelsSimple::setDragRunner(DragRunner runner)
{
    dragRunner() = std::move(runner);
}

DPILevelsSimple::DPILevelsSimple(QWidget *parent, const QString &modelKey)
    : QWidget(parent)
    , ui(std::make_unique<Ui::DPILevelsSimple>())
    , model(PackageCreator::instance())
    , m_modelKey(modelKey)
{
    ui->setupUi(this);
    drag = std::make_unique<RowDrag>(this, ui->verticalLayout_levels, QLatin1String(mimeType), 0,
                                     [this] { return rowFrames(); });
    StyleProperties::set({ui->label_header_default, ui->label, ui->label_header_xdpi, ui->label_header_ydpi,
                          ui->pushButton_add_dpi_level},
                         StyleProperties::modelKey, modelKey);
    connect(ui->pushButton_add_dpi_level, &QPushButton::clicked, this, &DPILevelsSimple::addLevel);
    connect(ui->pushButton_add_dpi_level, &QPushButton::clicked, this, &DPILevelsSimple::save);
}

DPILevelsSimple::~DPILevelsSimple() = default;

// ------------------------------------------------------------------ storing

void DPILevelsSimple::save()
{
    if (!loaded || model->loading || model->currentProfile() != m_profile)
        return;
    QVector<Level> levels;
    levels.reserve(rows.size());
    for (const DPILevelSimple *level : qAsConst(rows))
        levels.append({level->value(), level->isDefault()});
    const DpiConfigureRecord record = recordOf(levels);
    InheritedSettings::ownBeforeEdit(model);
    model->setSettingsRecord(record);
}

// ------------------------------------------------------------------ loading

void DPILevelsSimple::load(const DpiConfigureRecord &record)
{
    LoadingGuard guard(model);
    loaded = false;
    m_profile = model->currentProfile();
    const ProfileData *source = InheritedSettings::source(model);
    const DpiConfigureRecord &shownRecord = model->currentHasOwnSettings() || !source ? record : source->dpiRecord;
    const std::optional<Shown> shown = shownLevels(shownRecord);
    if (!shown) {
        qWarning("DPILevels: wrong levelsCount while dpi load!");
        return;
    }
    for (int k = 0; k < shown->values.size(); ++k) {
        addLevel();
        rows.last()->setValue(shown->values.at(k));
    }
    if (shown->defaultRow >= 0)
        rows.at(shown->defaultRow)->setDefault(true);
    loaded = true;
}

// ------------------------------------------------------------------ the list

void DPILevelsSimple::updateAddButton()
{
    ui->pushButton_add_dpi_level->setVisible(rows.size() < maximumLevels);
}

QFrame *DPILevelsSimple::newLevelFrame()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame_dpi_level_%1").arg(++frameCounter));
    StyleProperties::set({frame}, "frame_type", QStringLiteral("dpi_level"));
    StyleProperties::set({frame}, StyleProperties::modelKey, m_modelKey);
    auto *layout = new QHBoxLayout(frame);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    QVector<Level> levels;
    if (!rows.isEmpty())
        levels.append({rows.last()->value(), false});
    auto *level = new DPILevelSimple(rows.size() + 1, frame, startValue(levels), frame, m_modelKey);
    connect(level, &DPILevelSimple::deleteMe, this, &DPILevelsSimple::deleteLevel);
    connect(level, &DPILevelSimple::chosenOne, this, &DPILevelsSimple::unsetOtherDefaults);
    connect(level, &DPILevelSimple::updated, this, &DPILevelsSimple::save);
    connect(level, &DPILevelSimple::dragMe, this, &DPILevelsSimple::startDrag);
    rows.append(level);
    layout->addWidget(level);
    return frame;
}

void DPILevelsSimple::addLevel()
{
    ui->verticalLayout_levels->addWidget(newLevelFrame());
    updateAddButton();
}

void DPILevelsSimple::deleteLevel()
{
    auto *level = qobject_cast<DPILevelSimple *>(sender());
    if (!rows.contains(level) || rows.size() == 1)
        return;
    const int number = level->levelNumber();
    const bool wasDefault = level->isDefault();
    rows.removeOne(level);
    QFrame *frame = level->frame();
    frame->hide();
    ui->verticalLayout_levels->removeWidget(frame);
    disconnect(level, nullptr, this, nullptr);
    // The row is the sender: its frame goes once control is back in the loop.
    frame->deleteLater();
    renumber();
    if (wasDefault) {
        const int next = defaultAfterDeletion(number, rows.size());
        if (next > 0)
            rows.at(next - 1)->setDefault(true);
    }
    save();
    updateAddButton();
}

void DPILevelsSimple::unsetOtherDefaults()
{
    for (DPILevelSimple *level : qAsConst(rows)) {
        if (level != sender())
            level->setDefault(false);
    }
}

void DPILevelsSimple::renumber()
{
    for (int i = 0; i < rows.size(); ++i)
        rows.at(i)->setLevelNumber(i + 1);
}

// ------------------------------------------------------------------ dragging

QList<QFrame *> DPILevelsSimple::rowFrames() const
{
    QList<QFrame *> frames;
    for (DPILevelSimple *level : rows)
        frames.append(level->frame());
    return frames;
}

void DPILevelsSimple::startDrag()
{
    auto *level = qobject_cast<DPILevelSimple *>(sender());
    if (!rows.contains(level) || drag->isRunning())
        return;
    QFrame *frame = level->frame();
    // The picture that follows the pointer shows the dragged look.
    StyleProperties::set({frame}, "frame_type", QStringLiteral("drag"));
    StyleProperties::repolish(frame);
    drag->run(frame, level->dragHotSpot(), dragRunner());
}

void DPILevelsSimple::dragEnterEvent(QDragEnterEvent *event)
{
    drag->enter(event);
}

void DPILevelsSimple::dragMoveEvent(QDragMoveEvent *event)
{
    drag->move(event);
}

void DPILevelsSimple::dropEvent(QDropEvent *event)
{
    QFrame *dragged = drag->draggedFrame();
    const std::optional<RowDrag::Move> move = drag->drop(event);
    if (!event->isAccepted())
        return;
    if (dragged) {
        StyleProperties::set({dragged}, "frame_type", QStringLiteral("no_drag"));
        StyleProperties::repolish(dragged);
    }
    if (move && moveEntry(rows, move->from, move->to)) {
        drag->placeFrames();
        renumber();
        save();
    }
}
