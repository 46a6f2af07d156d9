#include "OutputBar.h"

#include "ComboTree.h"
#include "InputHook.h"
#include "InputMapActionConfig.h"
#include "MouseFunctions.h"
#include "OutputAction_Keyboard.h"
#include "PackageCreator.h"
#include "PickerEdits.h"
#include "RecordClickGuard.h"
#include "SimpleRenameDialogEx.h"
#include "StyleProperties.h"
#include "VibrationPanel.h"

#include <QDebug>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int nameLength = 50;

QPushButton *smallButton(const char *type, const QString &toolTip, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setFixedSize(25, 20);
    button->setProperty("button_type", QLatin1String(type));
    button->setToolTip(toolTip);
    return button;
}

} // namespace

OutputBar::OutputBar(InputMapActionConfig *config, QString modelKey, bool simple, QWidget *parent)
    : QFrame(parent)
    , m_modelKey(std::move(modelKey))
    , m_simple(simple)
    , m_model(PackageCreator::instance())
    , m_device(MouseFunctions::instance())
    , m_config(config)
    , m_hook(std::make_unique<InputHook>())
    , m_clickGuard(new RecordClickGuard(this))
{
    connect(m_hook.get(), &InputHook::keyHooked, this, &OutputBar::keyHooked);
    connect(m_hook.get(), &InputHook::keyRecorded, this, &OutputBar::keyRecorded);
    connect(m_hook.get(), &InputHook::stopRecording, this, &OutputBar::hookStopped);

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(5, simple ? 5 : 0, simple ? 10 : 0, simple ? 5 : 0);
    m_layout->setSpacing(0);

    m_combo = new ComboTree(this, simple ? 1 : 0);
    m_combo->setObjectName(QStringLiteral("outputCombo"));
    m_combo->setFixedHeight(simple ? 30 : 20);
    m_combo->setProperty("combo_type", simple ? QStringLiteral("output") : QStringLiteral("output_expert"));
    m_combo->setModelKey(m_modelKey);
    m_layout->addWidget(m_combo);
    updateOutputText();
    connect(m_combo, &ComboTree::selected, this,
            [this](const QString &group, const QString &subGroup, const QString &name) {
                outputChange(group, subGroup, name);
            });
    if (simple) {
        connect(m_combo, &ComboTree::rename, this, &OutputBar::renameClicked);
    } else {
        connect(m_combo, &ComboTree::rename, this, &OutputBar::viewOutputs);
        connect(m_combo, &ComboTree::focusOutHide, this, &OutputBar::hideActionLibrary);
    }

    m_typingLabel = new QLabel(this);
    m_typingLabel->setObjectName(QStringLiteral("typingLabel"));
    m_typingLabel->setFixedSize(25, 20);
    m_typingLabel->hide();
    m_layout->addWidget(m_typingLabel);
    m_recordingLabel = new QLabel(this);
    m_recordingLabel->setObjectName(QStringLiteral("recordingLabel"));
    m_recordingLabel->setFixedHeight(20);
    m_recordingLabel->setAlignment(Qt::AlignCenter);
    m_recordingLabel->setProperty("label_type",
                                  simple ? QStringLiteral("record_output") : QStringLiteral("record_output_expert"));
    m_recordingLabel->hide();
    m_layout->addWidget(m_recordingLabel, 1);
    StyleProperties::set({m_typingLabel, m_recordingLabel}, StyleProperties::modelKey, m_modelKey);

    if (simple) {
        buildSimpleButtons();
        connect(m_device, &MouseFunctions::mouseConnect, this, [this] { disableUiBasedOnMouse(); });
        disableUiBasedOnMouse();
    }
}

OutputBar::~OutputBar()
{
    if (m_recording)
        m_hook->stop();
}

void OutputBar::buildSimpleButtons()
{
    m_vibrationFrame = new QFrame(this);
    m_vibrationFrame->setObjectName(QStringLiteral("vibrationFrame"));
    auto *vibrationLayout = new QHBoxLayout(m_vibrationFrame);
    vibrationLayout->setContentsMargins(0, 0, 0, 0);
    vibrationLayout->setSpacing(5);
    m_vibrationButton = smallButton("vibration_feedback", tr("Click to assign vibration feedback."), m_vibrationFrame);
    m_vibrationButton->setObjectName(QStringLiteral("vibrationButton"));
    m_vibrationAccept = smallButton("vibration_accept", tr("Click to hide the vibration panel."), m_vibrationFrame);
    m_vibrationAccept->setObjectName(QStringLiteral("vibrationAcceptButton"));
    m_vibrationAccept->hide();
    m_vibrationLine = new QFrame(m_vibrationFrame);
    m_vibrationLine->setFixedSize(1, 20);
    m_vibrationLine->setProperty("frame_type", QStringLiteral("vibration_v_line"));
    vibrationLayout->addWidget(m_vibrationButton);
    vibrationLayout->addWidget(m_vibrationAccept);
    vibrationLayout->addWidget(m_vibrationLine);
    m_vibrationFrame->setMaximumWidth(m_vibrationButton->minimumWidth() + 12);
    m_layout->addWidget(m_vibrationFrame);
    connect(m_vibrationButton, &QPushButton::clicked, this, [this] { setVibrationPanelVisible(true); });
    connect(m_vibrationAccept, &QPushButton::clicked, this, [this] { setVibrationPanelVisible(false); });

    m_recordButton = smallButton(
        "record_output", tr("Start record shortcuts from keyboard.\nTo stop recording press mouse left click."), this);
    m_recordButton->setObjectName(QStringLiteral("recordButton"));
    m_layout->addWidget(m_recordButton);
    connect(m_recordButton, &QPushButton::pressed, this, &OutputBar::recordPressed);
    connect(m_recordButton, &QPushButton::clicked, this, &OutputBar::recordClicked);

    StyleProperties::set({m_vibrationFrame, m_vibrationButton, m_vibrationAccept, m_vibrationLine, m_recordButton},
                         StyleProperties::modelKey, m_modelKey);
}

void OutputBar::setOutputModel(QStandardItemModel *model, const LibraryEntryList &entries)
{
    m_entries = entries;
    m_combo->setModel(model);
}

void OutputBar::setConfig(InputMapActionConfig *config)
{
    m_config = config;
    if (m_vibrationPanel)
        m_vibrationPanel->setConfig(config);
    updateOutputText();
    updateRedDot();
}

void OutputBar::updateOutputText()
{
    m_combo->setText(m_config ? PickerEdits::comboText(*m_config, m_simple) : QString());
}

void OutputBar::showActionLibrary()
{
    m_combo->showPopup();
}

void OutputBar::disableUiBasedOnMouse()
{
    if (!m_vibrationFrame)
        return;
    const bool haptics = m_device->hasHaptics();
    if (!haptics && m_vibrationPanel && m_vibrationPanel->isVisible())
        setVibrationPanelVisible(false);
    m_vibrationFrame->setVisible(haptics);
    updateRedDot();
}

// ---------------------------------------------------------------- library

void OutputBar::outputChange(const QString &outputGroup, const QString &outputSubGroup, const QString &outputName)
{
    if (outputGroup.isEmpty() && outputSubGroup.isEmpty() && outputName.isEmpty())
        applyRecording();
    else
        applyEntry(outputGroup, outputSubGroup, outputName);
}

void OutputBar::applyEntry(const QString &group, const QString &subGroup, const QString &name)
{
    LibraryEntryPtr found;
    for (const LibraryEntryPtr &entry : qAsConst(m_entries)) {
        if (entry && entry->name == name && entry->category == group && entry->subCategory == subGroup) {
            found = entry;
            break;
        }
    }
    if (!found || !m_config || m_model->loading)
        return;
    const LibraryEntryPtr entry = found->clone();
    bool copied = false;
    m_config = PickerEdits::writable(m_config, &copied);
    if (copied && m_vibrationPanel)
        m_vibrationPanel->setConfig(m_config);

    PickerEdits::storeOutputs(m_config, entry->activationOutputs, entry->deactivationOutputs, entry->name);
    if (m_simple) {
        m_combo->setText(entry->name);
    } else {
        updateOutputText();
        emit hideActionLibrary();
    }
    for (InputMapActionConfig *child : PickerEdits::addChildren(m_config, *entry))
        emit childMappingAdded(child);
    updateRedDot();
    emit configChanged(m_config);
}

// ---------------------------------------------------------------- recording

void OutputBar::recordPressed()
{
    m_clickGuard->pressed(m_recording);
}

void OutputBar::recordClicked()
{
    if (m_clickGuard->clickToggles() || m_recording)
        startStopRecording();
}

void OutputBar::hookStopped()
{
    if (!m_recording)
        return;
    startStopRecording();
    m_clickGuard->hookStopped();
}

void OutputBar::startStopRecording()
{
    qDebug() << "ActionLayer::startStopRecording()" << m_recording;
    if (m_vibrationPanel && !(m_keepVibration && m_recording)) {
        setVibrationPanelVisible(false);
        m_vibrationFrame->hide();
    }
    if (!m_recording) {
        m_recording = true;
        m_combo->hidePopup();
        m_combo->hide();
        if (m_recordButton)
            m_recordButton->hide();
        m_recordingLabel->setText(tr("Press key or shortcut"));
        m_recordingLabel->show();
        if (!m_typing) {
            // Made at the first recording: the animation loads the image
            // plugins, which a start in the tray has no need of.
            m_typing = new QMovie(QStringLiteral(":/pic/simple_mode/v/quick_view/typing.gif"), QByteArray(), this);
            m_typingLabel->setMovie(m_typing);
        }
        m_typingLabel->show();
        m_typing->start();
        m_recorder.start();
        m_hook->start();
        return;
    }
    m_recording = false;
    m_hook->stop();
    m_typing->stop();
    m_combo->show();
    if (m_recordButton)
        m_recordButton->show();
    m_typingLabel->hide();
    m_recordingLabel->hide();
    // The vibration button comes back with the combo.
    disableUiBasedOnMouse();
    outputChange();
}

void OutputBar::keyHooked(long key, bool isPress)
{
    record(int(key), isPress, OutputAction_Keyboard::VirtualKeyCode);
}

void OutputBar::keyRecorded(int key, bool isPress)
{
    record(key, isPress, OutputAction_Keyboard::QtKeyCode);
}

void OutputBar::record(int key, bool isPress, int source)
{
    if (!m_recording)
        return;
    const ShortcutRecorder::Step step = m_recorder.key(key, isPress, source);
    if (step == ShortcutRecorder::Step::Repeat)
        return;
    if (step == ShortcutRecorder::Step::Pressed)
        m_recordingLabel->setText(tr("Release key(s) to finish"));
    if (!ShortcutRecorder::keysHeld())
        startStopRecording();
}

void OutputBar::applyRecording()
{
    const OutputList records = m_recorder.records();
    if (!records.isEmpty() && m_config && !m_model->loading) {
        bool copied = false;
        m_config = PickerEdits::writable(m_config, &copied);
        if (copied && m_vibrationPanel)
            m_vibrationPanel->setConfig(m_config);
        // Without a release phase the keys run in the order they came.
        const bool pressOnly = m_config->isActivationOnly();
        const OutputList press = pressOnly ? records : m_recorder.presses();
        const OutputList release = pressOnly ? OutputList() : m_recorder.releases();
        if (m_simple) {
            const QString name = OutputActionConfig::summaryTexts(press, release).join(QString());
            PickerEdits::storeOutputs(m_config, press, release, name);
            m_combo->setText(name);
        } else {
            PickerEdits::storeOutputs(m_config, press, release, QString());
            updateOutputText();
        }
        updateRedDot();
        if (copied || !m_simple)
            emit configChanged(m_config);
    }
    if (!m_simple)
        emit hideActionLibrary();
}

// ---------------------------------------------------------------- rename

void OutputBar::renameClicked()
{
    if (!m_config)
        return;
    auto *extra = new QVBoxLayout;
    extra->setSpacing(5);
    extra->setContentsMargins(0, 10, 0, 0);
    for (const QString &text : {tr("Output Action:"), PickerEdits::outputSummary(*m_config)}) {
        auto *label = new QLabel(text);
        label->setWordWrap(true);
        label->setMaximumWidth(500);
        label->setProperty("label_type", QStringLiteral("dialog"));
        label->setProperty(StyleProperties::modelKey, m_modelKey);
        extra->addWidget(label);
    }
    // A window of its own over the program's window, also when the bar lies
    // in a graphics scene.
    const QGraphicsView *view = ComboTree::viewShowing(this);
    QWidget *top = view ? view->window() : window();
    SimpleRenameDialogEx dialog(m_combo->currentText(), top, m_modelKey, tr("Action Name:"), tr("Rename"), extra,
                                nameLength);
    dialog.resize(top->width(), dialog.sizeHint().height());
    dialog.show();
    dialog.raise();
    dialog.move(top->mapToGlobal(QPoint(0, 0)) + QPoint(0, dialog.height() / 2));
    const QPointer<OutputBar> self(this);
    const bool accepted = dialog.exec() == 1;
    if (!self || !accepted || !m_config || m_model->loading)
        return;
    const QString name = dialog.newName();
    bool copied = false;
    m_config = PickerEdits::writable(m_config, &copied);
    if (copied && m_vibrationPanel)
        m_vibrationPanel->setConfig(m_config);
    PickerEdits::rename(m_config, name);
    m_combo->setText(name);
    if (copied)
        emit configChanged(m_config);
}

// ---------------------------------------------------------------- vibration

void OutputBar::setVibrationPanelVisible(bool visible)
{
    if (!m_vibrationFrame)
        return; // the expert view has no vibration panel
    if (!m_vibrationPanel) {
        m_vibrationPanel = new VibrationPanel(m_config, this);
        m_vibrationPanel->setObjectName(QStringLiteral("vibrationPanel"));
        m_layout->insertWidget(m_layout->indexOf(m_combo), m_vibrationPanel, 1);
        connect(m_vibrationPanel, &VibrationPanel::configChanged, this, &OutputBar::configChanged);
        connect(m_vibrationPanel, &VibrationPanel::configChanged, this, &OutputBar::setConfig);
    }
    m_vibrationPanel->setModelKey(m_modelKey);
    m_vibrationPanel->setVisible(visible);
    m_vibrationAccept->setVisible(visible);
    m_vibrationButton->setVisible(!visible);
    m_combo->setVisible(!visible);
    updateRedDot();
}

void OutputBar::updateRedDot()
{
    if (!m_vibrationButton)
        return;
    const bool shown = m_config && PickerEdits::vibrates(*m_config);
    if (!m_redDot) {
        if (!shown)
            return;
        m_redDot = new QFrame(m_vibrationButton);
        m_redDot->setObjectName(QStringLiteral("redDot"));
        m_redDot->setFixedSize(6, 6);
        m_redDot->setProperty("frame_type", QStringLiteral("red_dot_vibra"));
        m_redDot->setProperty(StyleProperties::modelKey, m_modelKey);
    }
    m_redDot->move(m_vibrationButton->width() / 2 + 2, 0);
    m_redDot->setVisible(shown);
}
