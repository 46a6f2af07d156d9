#pragma once
// The simple view's information pop-up: the program version, the release
// notes and user guide on the support site, an update check, the hint bar's
// switch, and the notice of a program update (which wins) or a required
// firmware update with its Update button; once the program's update is gone
// (started, or no longer offered), a required firmware update shows again. Each item closes the pop-up before
// it acts. The two update flags last as long as the pop-up.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class MouseFunctions;
class SWUpdate;

namespace Ui {
class PopupInformation;
}

class PopupInformation : public QWidget
{
    Q_OBJECT

public:
    // The old driver program, which must not run while the firmware is flashed.
    static inline const QString oldDriverProcess = QStringLiteral("CorvanelleDriver.exe");

    PopupInformation(QWidget *parent, SWUpdate *swUpdate);
    ~PopupInformation() override;

    void setVersionText(const QString &text);
    void setModelKey(const QString &key);
    QString modelKey() const { return m_modelKey; }
    void setFirmwareUpdateRequired(bool on);
    bool isFirmwareUpdateRequired() const { return m_firmwareUpdateRequired; }
    void setSoftwareUpdateAvailable(bool on);
    // The address "What's New in This Version" opens, chosen at construction.
    QString releaseNotesUrl() const { return m_releaseNotesUrl; }

signals:
    void displayHints(bool on);

public slots:
    // The hint bar was closed: the switch goes off.
    void hintsClosed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Sized to its contents now when it shows, else when it next shows: a
    // pop-up nobody opened is never laid out or styled.
    void fitToContents();
    void hintsToggled(int value);
    void updateClicked();
    void refreshNotice();
    void openArticle(const QString &url);

    std::unique_ptr<Ui::PopupInformation> ui;
    SWUpdate *m_update;
    QPointer<MouseFunctions> m_mouse;
    QString m_modelKey = QStringLiteral("pelkin");
    QString m_releaseNotesUrl;
    bool m_firmwareUpdateRequired = false;
    bool m_softwareUpdateAvailable = false;
};
