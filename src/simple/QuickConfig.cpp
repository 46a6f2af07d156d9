#include "QuickConfig.h"

#include "ActionLayers.h"
#include "BacklightView.h"
#include "ConfigFile.h"
#include "DPILevelsSimple.h"
#include "DlgMessageBox.h"
#include "DpiConfigureRecord.h"
#include "LedSetRecord.h"
#include "ModelCodes.h"
#include "MouseFunctions.h"
#include "OledSetRecord.h"
#include "OledView.h"
#include "PackageCreator.h"
#include "SaveSequence.h"
#include "ui_QuickConfig.h"

#include <QCoreApplication>
#include <QtDebug>

QuickConfig::QuickConfig(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QuickConfig>())
    , model(PackageCreator::instance())
    , device(MouseFunctions::instance())
    , file(ConfigFile::instance())
{
    ui->setupUi(this);
    connect(file, &ConfigFile::saved, ui->pushButton_save, &QPushButton::setEnabled);
    connect(model, &PackageCreator::updateMemoryUsed, this, &QuickConfig::memoryUpdate);
    connect(ui->pushButton_backToAllView, &QPushButton::clicked, this, &QuickConfig::back);
    connect(ui->pushButton_save, &QPushButton::clicked, this, &QuickConfig::saveButton);
    // The application object announces the way back; a test's may not.
    QCoreApplication *application = QCoreApplication::instance();
    if (application && application->metaObject()->indexOfSignal("navigateBack()") >= 0)
        connect(application, SIGNAL(navigateBack()), this, SLOT(navigateBack()));
}

QuickConfig::~QuickConfig()
{
    // The children go after this body, when this is no QuickConfig any more.
    // A page's edit that loses the focus then still stores its value, and the
    // store announces the memory use: nothing may reach this from then on.
    disconnect(model, nullptr, this, nullptr);
    for (QObject *child : children())
        child->disconnect(this);
}

void QuickConfig::navigateBack()
{
    if (isVisible())
        emit back();
}

void QuickConfig::clearPages()
{
    for (QWidget *page : {static_cast<QWidget *>(layers), static_cast<QWidget *>(dpi),
                          static_cast<QWidget *>(backlight), static_cast<QWidget *>(oled)}) {
        if (!page)
            continue;
        page->hide();
        ui->verticalLayout_page->removeWidget(page);
        // Its rows may be on the stack below this call.
        page->disconnect(this);
        page->deleteLater();
    }
    layers = nullptr;
    dpi = nullptr;
    backlight = nullptr;
    oled = nullptr;
    m_page = nullptr;
}

void QuickConfig::showPage(QWidget *page)
{
    m_page = page;
    page->show();
}

void QuickConfig::load(SettingsRecord &record)
{
    clearPages();
    switch (record.tag) {
    case SettingsTag::Dpi:
        dpi = new DPILevelsSimple(this, m_modelKey);
        ui->verticalLayout_page->addWidget(dpi);
        dpi->load(static_cast<const DpiConfigureRecord &>(record));
        showPage(dpi);
        break;
    case SettingsTag::Led:
        backlight = new BacklightView(this, m_modelKey);
        ui->verticalLayout_page->addWidget(backlight);
        backlight->load(static_cast<const LedSetRecord &>(record));
        showPage(backlight);
        break;
    case SettingsTag::Oled:
        oled = new OledView(this, m_modelKey);
        ui->verticalLayout_page->addWidget(oled);
        oled->load(static_cast<const OledSetRecord &>(record));
        showPage(oled);
        break;
    default:
        qWarning() << "QuickConfig::load unsupported type" << record.tag;
        break;
    }
}

void QuickConfig::loadInput(const QList<InputMapActionConfig *> &mappings, ProfileData *profile)
{
    clearPages();
    layers = new ActionLayers(profile, this);
    ui->verticalLayout_page->addWidget(layers);
    connect(layers, &ActionLayers::resized, this, &QuickConfig::layerResized);
    connect(layers, &ActionLayers::reload, this, &QuickConfig::layerNeedReload);
    layers->setModelKey(m_modelKey);
    layers->loadMappings(mappings);
    showPage(layers);
}

void QuickConfig::setModelKey(const QString &key)
{
    m_modelKey = key;
    if (layers)
        layers->setModelKey(key);
}

QList<QPoint> QuickConfig::layerAnchors(int depth) const
{
    QList<QPoint> anchors;
    if (layers)
        anchors = layers->layerAnchors(depth);
    else if (depth == 0 && backlight && backlight->isVisible())
        anchors = backlight->anchorPoints();
    else if (depth == 0 && oled && oled->isVisible())
        anchors = oled->anchorPoints();
    const QPoint offset = m_page ? m_page->pos() : QPoint();
    for (QPoint &point : anchors)
        point += offset;
    return anchors;
}

void QuickConfig::memoryUpdate()
{
    ui->pushButton_save->setEnabled(device->memoryUsedPercent() <= 100.0);
}

void QuickConfig::saveButton()
{
    ui->pushButton_save->setFocus();
    const SaveSequence::Result result = SaveSequence::run(device->waitState() != 0, device, file);
    if (result.uploadFailed()) {
        // The file holds the edits; the mouse does not, so Save stays there.
        DlgMessageBox message(this, tr("The profiles could not be sent to the mouse.\n%1").arg(result.uploadReason),
                              m_modelKey);
        message.exec();
        ui->pushButton_save->setEnabled(true);
    }
}
