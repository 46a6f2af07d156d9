#pragma once

#include "InputMapActionConfig.h"

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class QuickConfig;
}
class ActionLayers;
class BacklightView;
class ConfigFile;
class DPILevelsSimple;
class MouseFunctions;
class OledView;
class PackageCreator;
class ProfileData;
class SettingsRecord;

// The simple view's page for one input or one setting of the mouse: "Back"
// and "Save" above exactly one editor page, the action layers of an input or
// the DPI, logo light or OLED page of a settings record. Save uploads the
// profiles to a connected mouse and writes the configuration file; it is
// available while the profiles fit into the mouse's memory.
//
// A page that is replaced may still be at work (its row asked for the reload
// that replaces it): it leaves the layout at once and is deleted once
// control is back in the event loop.
class QuickConfig : public QWidget
{
    Q_OBJECT

public:
    explicit QuickConfig(QWidget *parent);
    ~QuickConfig() override;

    void load(SettingsRecord &record);
    void loadInput(const QList<InputMapActionConfig *> &mappings, ProfileData *profile);
    void setModelKey(const QString &key);
    QList<QPoint> layerAnchors(int depth) const;
    QWidget *currentPage() const { return m_page; }

public slots:
    void saveButton();
    void memoryUpdate();

signals:
    void back();
    void layerResized();
    void layerNeedReload();

private slots:
    void navigateBack();

private:
    void clearPages();
    void showPage(QWidget *page);

    std::unique_ptr<Ui::QuickConfig> ui;
    PackageCreator *model;
    MouseFunctions *device;
    ConfigFile *file;
    QPointer<QWidget> m_page;
    QPointer<ActionLayers> layers;
    QPointer<DPILevelsSimple> dpi;
    QPointer<BacklightView> backlight;
    QPointer<OledView> oled;
    QString m_modelKey;
};
