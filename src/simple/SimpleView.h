#pragma once
// The simple-mode main window, as far as the application object needs it
// now: a side bar with the "Expert Mode" switch and a page with the version,
// the model, the profile names and the firmware notice. The mouse picture,
// the profile bar and the quick editors join it later. Its object name is
// "SimpleView", by which the application object tells the views apart.
//
// Closing the window hides it (a full-screen window is minimised instead).

#include <QWidget>

class QLabel;
class QPushButton;
class SWUpdate;

class SimpleView : public QWidget
{
    Q_OBJECT

public:
    SimpleView(QWidget *parent, SWUpdate *update);
    ~SimpleView() override;

signals:
    void toExpertView();
    void hidden();

public slots:
    void activateView();
    void channelChanged(int channel);
    void fwUpdateAvailable(bool isShown);
    void onMouseConnect(bool connected);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();

    SWUpdate *m_update;
    QLabel *m_version;
    QLabel *m_model;
    QLabel *m_profiles;
    QLabel *m_notice;
    QPushButton *m_expert;
};
