#pragma once
// The simple-mode main window: a side bar (model logo, mouse, information
// and settings buttons, the switch to the expert view) and, on the right,
// the profile bar, a divider, the hint bar and the picture of the mouse. It
// only builds its form, makes its children and connects them; what it shows
// for a model, the texts by channel and the memory warning are plain rules
// (SimpleViewLook, SimpleViewTexts, MemoryCrossing, CustomBackground).
//
// Its object name is "SimpleView", by which the application object tells the
// views apart. Closing hides it and emits hidden() (a full-screen window is
// minimised instead); it is never destroyed before the program ends.
//
// The hint bar is the process's one bar, only borrowed: the destructor gives
// it back before the form goes.

#include "MemoryCrossing.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class HintsArea;
class MouseFunctions;
class MouseView;
class PopupInformation;
class PopupMouse;
class ProfileArea;
class QFrame;
class QuickConfig;
class SWUpdate;

namespace Ui {
class SimpleView;
}

class SimpleView : public QWidget
{
    Q_OBJECT

public:
    SimpleView(QWidget *parent, SWUpdate *update);
    ~SimpleView() override;

    ProfileArea *profileArea() const { return m_profileArea; }
    // The mouse picture scene, and its quick editor (null until made).
    MouseView *mouseView() const { return m_mouseView; }
    QuickConfig *quickConfig() const;
    PopupInformation *informationPopup() const { return m_infoPopup; }
    PopupMouse *mousePopup() const { return m_mousePopup; }
    QString modelKey() const { return m_modelKey; }
    // The red dot on the mouse button; null until the memory first overflowed.
    QFrame *memoryDot() const { return m_redDot; }
    // Whether the information pop-up carries the firmware notice, as the
    // application object or the device last set it.
    bool isFirmwareUpdateShown() const;

signals:
    void toExpertView();
    void hidden();

public slots:
    void activateView();
    void channelChanged(int channel);
    void fwUpdateAvailable(bool isShown);
    // Reloads the profile bar and the picture before showing.
    void show();
    void onMouseConnect(bool connected);
    void onMemoryUsageUpdated();
    void onSettingsClicked();
    void onInfoClicked();
    void onMouseClicked();
    void updateCustomBackground(const QString &path);
    void deleteCustomBackground();
    void onSettingsUpdated();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setupChildren();
    // The profile bar and the picture show the model as it is now.
    void reloadProfileViews();

    // The mouse picture scene and the information and mouse pop-ups are
    // reached only through these.
    void createMouseScene();
    void reloadMouseScene();
    void showModelInMouseScene(int colourScheme, bool connected);
    void createPopups();
    void showVersionInPopup(const QString &text);
    void showModelInPopups(const QString &key);
    void showFirmwareNoticeInPopup(bool required);
    void openInformationPopup();
    void openMousePopup();
    QPoint besideButton(const QWidget *button) const;

    std::unique_ptr<Ui::SimpleView> ui;
    ProfileArea *m_profileArea = nullptr;
    QPointer<HintsArea> m_hints;
    MouseView *m_mouseView = nullptr;
    PopupInformation *m_infoPopup = nullptr;
    PopupMouse *m_mousePopup = nullptr;
    MouseFunctions *m_device;
    SWUpdate *m_update;
    QFrame *m_redDot = nullptr;
    MemoryCrossing m_memory;
    QString m_modelKey = QStringLiteral("v");
};
