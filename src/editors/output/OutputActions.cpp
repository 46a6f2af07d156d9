#include "OutputActions.h"

#include "ui_OutputActions.h"

#include "CustomMessageBox.h"
#include "MouseFunctions.h"
#include "OutputAction.h"
#include "OutputAction_Act.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"
#include "PackageCreator.h"
#include "SettingsFile.h"

#include <QDataStream>
#include <QDebug>
#include <QDrag>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QSettings>
#include <QSpacerItem>

#include <algorithm>

const char *const OutputActions::mimeType = "output/action";

namespace {

// What every sequence shares: the key pressed last while recording, and the
// one drag that can run at a time.
struct SharedState
{
    int lastPressedKey = -1;
    QPointer<OutputAction> draggedRow;
    QPointer<OutputActions> dragSource;
    // Marks the drop place; it sits in the layout of spacerOwner, or in none.
    QSpacerItem *spacer = nullptr;
    QPointer<OutputActions> spacerOwner;
    QVBoxLayout *spacerLayout = nullptr;
    bool droppedElsewhere = false;
    bool dragRunning = false;
    OutputActions::DragRunner dragRunner;
    OutputActions::Clock clock;
};

SharedState &shared()
{
    static SharedState s;
    return s;
}

qint64 now()
{
    if (shared().clock)
        return shared().clock();
    static QElapsedTimer steady;
    if (!steady.isValid())
        steady.start();
    return steady.elapsed();
}

bool settingsFlag(const char *key, bool fallback)
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat).value(QLatin1String(key), fallback).toBool();
}

// Takes the spacer out of the layout that holds it.
void releaseSpacer()
{
    SharedState &s = shared();
    if (s.spacer && s.spacerLayout && s.spacerOwner)
        s.spacerLayout->removeItem(s.spacer);
    s.spacerLayout = nullptr;
    s.spacerOwner = nullptr;
}

} // namespace

void OutputActions::setDragRunner(DragRunner runner)
{
    shared().dragRunner = std::move(runner);
}

void OutputActions::setClock(Clock clock)
{
    shared().clock = std::move(clock);
}

OutputActions::OutputActions(int inputKind, int axis, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::OutputActions>())
    , inputKind(inputKind)
    , axis(axis)
    , model(PackageCreator::instance())
{
    ui->setupUi(this);
    placeholder = new OutputAction(0, inputKind, axis, this);
    placeholder->makePlaceholder();
    placeholder->hide();
    ui->verticalLayout_recording->addWidget(placeholder);
}

OutputActions::~OutputActions()
{
    // The layout would delete a drop marker it holds.
    if (shared().spacerOwner == this)
        releaseSpacer();
    for (OutputAction *r : qAsConst(rows))
        disconnect(r, nullptr, this, nullptr);
}

bool OutputActions::isMappingList() const
{
    return inputKind != OutputAction::SettingsList;
}

QList<OutputAction *> OutputActions::orderedRows() const
{
    QList<OutputAction *> ordered;
    ordered.reserve(rows.size());
    for (int i = 0; i < ui->verticalLayout->count(); ++i) {
        if (auto *r = qobject_cast<OutputAction *>(ui->verticalLayout->itemAt(i)->widget()))
            ordered << r;
    }
    return ordered;
}

OutputAction *OutputActions::row(int place) const
{
    const QList<OutputAction *> ordered = orderedRows();
    return place >= 0 && place < ordered.size() ? ordered.at(place) : nullptr;
}

bool OutputActions::addAction()
{
    if (rows.size() >= maximumRows) {
        showLimitMessage(tr("There is a limit of 255 output actions\nper output action sequence."));
        return false;
    }
    auto *r = new OutputAction(rows.size() + 1, inputKind, axis, this);
    ui->verticalLayout->addWidget(r);
    connect(r, &OutputAction::typeSelected, this, &OutputActions::enableAdd);
    connect(r, &OutputAction::deleteMe, this, &OutputActions::deleteAction);
    connect(r, &OutputAction::checkOutputs, this, &OutputActions::checkOutputs);
    connect(r, &OutputAction::duplicateMe, this, &OutputActions::duplicateAction);
    connect(r, &OutputAction::releaseMe, this, &OutputActions::releaseAction);
    connect(r, &OutputAction::updated, this, &OutputActions::save);
    connect(r, &OutputAction::dragMe, this, &OutputActions::startDrag);
    connect(r, &OutputAction::autoReleaseAdd, this, &OutputActions::autoReleaseAdd);
    rows.append(r);
    emit outputActionAdded();
    return true;
}

void OutputActions::showLimitMessage(const QString &text)
{
    CustomMessageBox box(this, text, tr("Ok"), QString(), QString());
    box.exec();
}

bool OutputActions::allRowsValid() const
{
    return std::all_of(rows.begin(), rows.end(), [](const OutputAction *r) { return r->hasType() && !r->isInvalid(); });
}

bool OutputActions::editBoundList() const
{
    if (!hasBoundList || !bound.list())
        return false;
    if (boundToActivation)
        model->editActivationOutputs(bound.list(), bound.mapping());
    else
        model->editDeactivationOutputs(bound.list(), bound.mapping());
    return true;
}

void OutputActions::save()
{
    if (model->loading)
        return;
    for (OutputAction *r : qAsConst(rows))
        r->setInvalid(false);
    const QList<OutputAction *> ordered = orderedRows();
    for (int i = 0; i < ordered.size(); ++i) {
        if (ordered.at(i)->hasType() && ordered.at(i)->isInvalid()) {
            ordered.at(i)->setInvalid(true);
            if (i + 1 < ordered.size())
                ordered.at(i + 1)->setInvalid(true);
        }
    }
    emit enableAdd(allRowsValid());

    OutputList records;
    for (const OutputAction *r : qAsConst(ordered)) {
        const OutputPtr record = r->config();
        if (r->hasType() && !r->isInvalid() && record)
            records << record;
    }
    if (!isMappingList())
        model->setProfileOutputs(records);
    else if (editBoundList())
        model->setEditedOutputs(records, boundToActivation, m_name);
    emit sync();
}

void OutputActions::renumber()
{
    const QList<OutputAction *> ordered = orderedRows();
    for (int place = 0; place < ordered.size(); ++place)
        ordered.at(place)->setNumber(place + 1);
}

void OutputActions::discardRow(OutputAction *r)
{
    rows.removeOne(r);
    ui->verticalLayout->removeWidget(r);
    disconnect(r, nullptr, this, nullptr);
    r->hide();
    r->deleteLater();
}

void OutputActions::deleteRow(OutputAction *r)
{
    if (!rows.contains(r))
        return;
    discardRow(r);
    if (rows.isEmpty())
        addAction();
    renumber();
    save();
}

void OutputActions::deleteAction()
{
    deleteRow(qobject_cast<OutputAction *>(sender()));
}

bool OutputActions::appendLoaded(const OutputPtr &record)
{
    if (!addAction())
        return false;
    if (record)
        rows.last()->load(record);
    return true;
}

void OutputActions::duplicateAction()
{
    auto *from = qobject_cast<OutputAction *>(sender());
    if (!rows.contains(from) || !addAction())
        return;
    OutputAction *copy = rows.last();
    if (const OutputPtr record = from->config())
        copy->load(record->clone());
    ui->verticalLayout->removeWidget(copy);
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(from) + 1, copy);
    renumber();
    save();
}

void OutputActions::releaseAction()
{
    auto *from = qobject_cast<OutputAction *>(sender());
    if (!rows.contains(from) || rows.size() >= maximumRows || !from->config())
        return;
    const OutputPtr release = from->config()->clone();
    switch (release->typeCode) {
    case OutputType::MouseButton:
        static_cast<OutputAction_Mouse &>(*release).buttonState = OutputActionConfig::ButtonRelease;
        break;
    case OutputType::Key:
    case OutputType::MediaKey:
        static_cast<OutputAction_Keyboard &>(*release).buttonState = OutputActionConfig::ButtonRelease;
        break;
    case OutputType::JoystickButton:
        static_cast<OutputAction_Joystick &>(*release).buttonState = OutputActionConfig::ButtonRelease;
        break;
    default:
        qWarning() << "OutputActions: Trying to release invalid output type";
        return;
    }
    if (appendLoaded(release))
        save();
}

void OutputActions::autoReleaseAdd()
{
    auto *from = qobject_cast<OutputAction *>(sender());
    if (!rows.contains(from) || !settingsFlag("ExpertAddRelease", true) || model->loading || recording)
        return;
    const bool released = std::any_of(rows.begin(), rows.end(),
                                      [from](const OutputAction *r) { return r->hasType() && r->isReleaseOf(from); });
    if (!released)
        emit from->releaseMe();
}

void OutputActions::checkOutputs(int type)
{
    auto *from = qobject_cast<OutputAction *>(sender());
    if (!rows.contains(from))
        return;
    const bool another = std::any_of(rows.begin(), rows.end(), [from, type](const OutputAction *r) {
        const OutputPtr record = r->config();
        return r != from && record && record->typeCode == type;
    });
    if (!another)
        return;
    showLimitMessage(tr("There is a limit of one Repeat From output action\nper output action sequence."));
    deleteRow(from);
}

// ---------------------------------------------------------------- binding

void OutputActions::bind(OutputList *list, InputMapActionConfig *mapping, bool activation)
{
    boundToActivation = activation;
    bound = OutputEditTarget(list, mapping);
    hasBoundList = true;
    editBoundList();
    reload();
}

void OutputActions::setPressOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    bind(list, mapping, true);
}

void OutputActions::setReleaseOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    bind(list, mapping, false);
}

void OutputActions::reload()
{
    OutputList records;
    if (!isMappingList()) {
        records = model->profileOutputs();
    } else if (editBoundList()) {
        records = boundToActivation ? model->editedActivationOutputs() : model->editedDeactivationOutputs();
        m_name = boundToActivation ? model->editedMappingName() : QString();
    }
    if (records.isEmpty())
        addAction();
    for (const OutputPtr &record : qAsConst(records)) {
        if (!appendLoaded(record)) {
            save();
            break;
        }
    }
    emit enableAdd(allRowsValid());
}

void OutputActions::removeAll()
{
    const QList<OutputAction *> all = rows;
    for (OutputAction *r : all)
        discardRow(r);
}

void OutputActions::clearOutputs()
{
    removeAll();
    if (model->loading)
        return;
    if (!isMappingList())
        model->setProfileOutputs({});
    else if (editBoundList())
        model->setEditedOutputs({}, boundToActivation, QString());
}

void OutputActions::show()
{
    if (isMappingList() && rows.isEmpty()) {
        addAction();
        emit enableAdd(allRowsValid());
    }
    const MouseCapabilities capabilities = MouseFunctions::instance()->capabilities();
    for (OutputAction *r : qAsConst(rows)) {
        r->show();
        r->updateView();
        const OutputPtr record = r->config();
        if (record && !capabilities.supportsOutput(*record))
            r->hide();
    }
    QWidget::show();
}

void OutputActions::refresh()
{
    const QList<OutputAction *> all = rows;
    for (OutputAction *r : all) {
        if (r->hasType() && r->isInvalid())
            deleteRow(r);
    }
    if (isVisible())
        show();
}

bool OutputActions::hasOutputs() const
{
    if (rows.isEmpty())
        return false;
    return rows.size() > 1 || rows.first()->hasType();
}

void OutputActions::setRecordWaits(bool on)
{
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue(QStringLiteral("RecordWaits"), on);
    recordWaits = on;
}

void OutputActions::updateProfileLists()
{
    for (OutputAction *r : qAsConst(rows))
        r->refreshProfileList();
}

// ---------------------------------------------------------------- recording

void OutputActions::setRecording(bool on)
{
    if (on && rows.size() < maximumRows) {
        recording = true;
        // A key still held when the last recording ended is no repeat now.
        heldKeys.clear();
        shared().lastPressedKey = -1;
        placeholder->setNumber(rows.size() + 1);
        placeholder->show();
        return;
    }
    recording = false;
    placeholder->hide();
    stopwatchStart = -1;
    save();
    if (rows.isEmpty())
        addAction();
}

void OutputActions::keyHooked(int key, bool isPress)
{
    record(key, isPress, OutputAction_Keyboard::VirtualKeyCode);
}

void OutputActions::keyRecorded(int key, bool isPress)
{
    record(key, isPress, OutputAction_Keyboard::QtKeyCode);
}

void OutputActions::record(int key, bool isPress, int source)
{
    // Keys that still arrive after the recording ended at the row limit.
    if (!recording)
        return;
    int &lastPressed = shared().lastPressedKey;
    if (isPress) {
        if (heldKeys.contains(key))
            return; // the held key repeats
        heldKeys.append(key);
        lastPressed = key;
    }
    auto keyRecord = std::make_shared<OutputAction_Keyboard>(OutputType::Key);
    if (!keyRecord->setFromKeyCode(key, source))
        return;

    if (recordWaits) {
        const qint64 at = now();
        if (stopwatchStart < 0) {
            stopwatchStart = at; // the first key gets no wait before it
        } else {
            // A pause longer than a wait can hold is held as the longest.
            const qint64 elapsed = std::min<qint64>(at - stopwatchStart, longestRecordedWait);
            stopwatchStart = at;
            auto wait = std::make_shared<OutputAction_Act>(OutputType::Wait);
            wait->countOrTime.setValue(quint16(elapsed));
            if (!appendRecorded(wait))
                return;
        }
    }

    if (isPress) {
        keyRecord->buttonState = OutputActionConfig::ButtonPress;
    } else {
        // Pressed and released with nothing between: one Tap in place of the Press.
        const bool tap = key == lastPressed && !recordWaits && lastRowPresses(keyRecord);
        keyRecord->buttonState = tap ? OutputActionConfig::ButtonTap : OutputActionConfig::ButtonRelease;
        if (tap)
            deleteRow(row(rows.size() - 1));
        lastPressed = -1;
        heldKeys.removeAll(key);
    }
    appendRecorded(keyRecord);
}

bool OutputActions::lastRowPresses(const OutputPtr &key) const
{
    const OutputAction *last = row(rows.size() - 1);
    const auto *pressed = last ? dynamic_cast<const OutputAction_Keyboard *>(last->config().get()) : nullptr;
    const auto &released = static_cast<const OutputAction_Keyboard &>(*key);
    return pressed && pressed->typeCode == released.typeCode && pressed->keyUsage == released.keyUsage
           && pressed->mediaUsage == released.mediaUsage && pressed->buttonState == OutputActionConfig::ButtonPress;
}

bool OutputActions::appendRecorded(const OutputPtr &record)
{
    if (!appendLoaded(record))
        return false;
    if (rows.size() >= maximumRows) {
        setRecording(false);
        return false;
    }
    placeholder->setNumber(rows.size() + 1);
    return true;
}

// ---------------------------------------------------------------- dragging

void OutputActions::startDrag()
{
    auto *dragged = qobject_cast<OutputAction *>(sender());
    SharedState &s = shared();
    if (!rows.contains(dragged) || s.dragRunning)
        return;
    s.draggedRow = dragged;
    s.dragSource = this;
    s.droppedElsewhere = false;
    s.dragRunning = true;

    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream << dragged->objectName() << dragged->dragHotSpot();
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(mimeType), data);
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(dragged->grab());
    drag->setHotSpot(dragged->dragHotSpot());

    s.spacer = new QSpacerItem(dragged->width(), dragged->height(), QSizePolicy::Fixed, QSizePolicy::Fixed);
    dragged->hide();
    ui->verticalLayout->insertItem(ui->verticalLayout->indexOf(dragged) + 1, s.spacer);
    s.spacerOwner = this;
    s.spacerLayout = ui->verticalLayout;

    QGuiApplication::setOverrideCursor(Qt::ClosedHandCursor);
    if (s.dragRunner) {
        s.dragRunner(drag);
        drag->deleteLater();
    } else {
        drag->exec(Qt::MoveAction); // which deletes the drag afterwards
    }
    QGuiApplication::restoreOverrideCursor();

    s.dragRunning = false;
    releaseSpacer();
    delete s.spacer;
    s.spacer = nullptr;
    if (s.draggedRow) {
        if (s.droppedElsewhere)
            s.draggedRow->deleteLater(); // taken out of its list by the drop
        else
            s.draggedRow->show();
    }
    s.draggedRow = nullptr;
    s.dragSource = nullptr;
}

bool OutputActions::acceptsDrag(const QMimeData *data) const
{
    // Only this program's own drag, while its row still exists: the data
    // of another program's drop names no row of ours.
    const SharedState &s = shared();
    return data && data->hasFormat(QLatin1String(mimeType)) && s.dragRunning && s.draggedRow && s.dragSource;
}

OutputAction *OutputActions::rowUnder(const QPoint &position) const
{
    for (QWidget *w = childAt(position); w; w = w->parentWidget()) {
        auto *r = qobject_cast<OutputAction *>(w);
        if (r && rows.contains(r))
            return r;
    }
    return nullptr;
}

void OutputActions::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void OutputActions::dragMoveEvent(QDragMoveEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    SharedState &s = shared();
    const OutputAction *under = rowUnder(event->pos());
    // Over the marker itself, or between rows: it stays where it is.
    if (!under && s.spacerOwner == this)
        return;
    releaseSpacer();
    if (under) {
        // Below a row's middle the marker goes after it.
        const bool below = event->pos().y() > under->geometry().center().y();
        dropIndex = ui->verticalLayout->indexOf(const_cast<OutputAction *>(under)) + (below ? 1 : 0);
    } else {
        dropIndex = ui->verticalLayout->count();
    }
    ui->verticalLayout->insertItem(dropIndex, s.spacer);
    s.spacerOwner = this;
    s.spacerLayout = ui->verticalLayout;
}

void OutputActions::dragLeaveEvent(QDragLeaveEvent *event)
{
    if (shared().spacerOwner == this)
        releaseSpacer();
    event->accept();
}

void OutputActions::dropEvent(QDropEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    SharedState &s = shared();
    OutputAction *dragged = s.draggedRow;
    if (s.dragSource == this) {
        const int original = ui->verticalLayout->indexOf(dragged);
        ui->verticalLayout->removeWidget(dragged);
        const int place = s.spacerOwner == this ? ui->verticalLayout->indexOf(s.spacer) : original;
        releaseSpacer();
        ui->verticalLayout->insertWidget(place, dragged);
        renumber();
        dragged->show();
    } else {
        const int place = s.spacerOwner == this ? ui->verticalLayout->indexOf(s.spacer) : dropIndex;
        releaseSpacer();
        if (!addAction()) {
            event->ignore();
            return;
        }
        OutputAction *moved = rows.last();
        if (dragged->hasType() && dragged->config())
            moved->load(dragged->config()->clone());
        ui->verticalLayout->removeWidget(moved);
        ui->verticalLayout->insertWidget(std::clamp(place, 0, ui->verticalLayout->count()), moved);
        renumber();

        OutputActions *source = s.dragSource;
        source->rows.removeOne(dragged);
        source->ui->verticalLayout->removeWidget(dragged);
        disconnect(dragged, nullptr, source, nullptr);
        if (source->rows.isEmpty())
            source->addAction();
        source->renumber();
        source->save();
        s.droppedElsewhere = true;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    save();
}
