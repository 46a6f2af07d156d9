#pragma once
// The application object. For now it brings up logging, loads the profiles
// from the configuration file, keeps the open-window flag and shows a
// placeholder window; the views join it as they are built.

#include <QApplication>
#include <QPointer>

#include <memory>

class AppExtensions;
class ProfileReceiver;
class QThread;
class QWidget;

class App : public QApplication
{
    Q_OBJECT
public:
    App(int &argc, char **argv);
    ~App() override;

    static void setupLogging();

signals:
    void navigateBack();

public slots:
    void showActiveView();

private:
    static QWidget *makeView();
    void registerAutostart();
    void loadProfiles();

    int openState = 1;
    QWidget *activeView = nullptr;
    AppExtensions *extensions = nullptr;
    ProfileReceiver *profileReceiver = nullptr;
    std::unique_ptr<QThread> autostartWriter;
};
