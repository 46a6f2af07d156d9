#pragma once

#include "LibraryEntry.h"
#include "ShortcutRecorder.h"

#include <QFrame>
#include <QString>

#include <memory>

class ComboTree;
class InputHook;
class InputMapActionConfig;
class MouseFunctions;
class PackageCreator;
class QHBoxLayout;
class QLabel;
class QMovie;
class QPushButton;
class QStandardItemModel;
class RecordClickGuard;
class VibrationPanel;

// The one-line output picker of a mapping, in the simple view's action
// layers and the expert view's mapping cards. Its ComboTree shows the
// mapping's outputs as one text; picking an entry of the action library
// replaces the mapping's press and release outputs by the entry's, names the
// mapping after it and adds the entry's nested mappings. A recording takes a
// key or shortcut from the keyboard as the outputs instead. In the simple
// view a vibration panel attaches a vibration to the mapping, a record button
// starts the recording, and the combo's hover button renames the action.
//
// The bar edits the mapping the model owns. An inherited mapping is copied
// into the current profile at its first edit; the bar then works on the copy
// and announces it with configChanged(copy). While the model is loading
// nothing is written.
class OutputBar : public QFrame
{
    Q_OBJECT

public:
    // simple: the simple view's bar (true) or the expert view's (false).
    OutputBar(InputMapActionConfig *config, QString modelKey, bool simple, QWidget *parent = nullptr);
    // Stops the hook when a recording runs.
    ~OutputBar() override;

    // The action library's tree and its entries, as ActionLibrary::fillModel
    // makes them; the model is not owned.
    void setOutputModel(QStandardItemModel *model, const LibraryEntryList &entries);
    // Points the bar and its vibration panel at another mapping.
    void setConfig(InputMapActionConfig *config);
    InputMapActionConfig *config() const { return m_config; }
    // Shows the mapping's combo text again.
    void updateOutputText();
    bool isRecording() const { return m_recording; }
    ComboTree *comboTree() const { return m_combo; }

signals:
    void configChanged(InputMapActionConfig *newConfig);
    void childMappingAdded(InputMapActionConfig *newConfig);
    void viewOutputs();
    void hideActionLibrary();

public slots:
    void startStopRecording();
    // A record button's press and click: a click whose press came while
    // recording, or just after the hook stopped it, only stops. The bar's
    // own record button uses them; a card's Record button may too.
    void recordPressed();
    void recordClicked();
    void showActionLibrary();
    // Applies the library entry of that group, sub-group and name; without
    // any of them, applies the keys just recorded.
    void outputChange(const QString &outputGroup = QString(), const QString &outputSubGroup = QString(),
                      const QString &outputName = QString());
    void setVibrationPanelVisible(bool visible);
    void keyRecorded(int key, bool isPress);
    void keyHooked(long key, bool isPress);
    void renameClicked();
    void disableUiBasedOnMouse();

private:
    void buildSimpleButtons();
    void applyEntry(const QString &group, const QString &subGroup, const QString &name);
    void applyRecording();
    void record(int key, bool isPress, int source);
    void hookStopped();
    void updateRedDot();

    QHBoxLayout *m_layout;
    ComboTree *m_combo;
    QString m_modelKey = QStringLiteral("pelkin");
    const bool m_simple;
    LibraryEntryList m_entries;
    PackageCreator *m_model;
    MouseFunctions *m_device;
    InputMapActionConfig *m_config;
    // Keeps the vibration panel open when a recording stops; nothing sets it yet.
    bool m_keepVibration = false;
    QFrame *m_vibrationFrame = nullptr;
    QPushButton *m_vibrationButton = nullptr;
    QPushButton *m_vibrationAccept = nullptr;
    QFrame *m_vibrationLine = nullptr;
    VibrationPanel *m_vibrationPanel = nullptr;
    QFrame *m_redDot = nullptr;
    QPushButton *m_recordButton = nullptr;
    QMovie *m_typing = nullptr;
    QLabel *m_typingLabel;
    QLabel *m_recordingLabel;
    std::unique_ptr<InputHook> m_hook;
    ShortcutRecorder m_recorder;
    bool m_recording = false;
    RecordClickGuard *m_clickGuard;
};
