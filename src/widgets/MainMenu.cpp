#include "MainMenu.h"

#include "MouseFunctions.h"
#include "SettingsFile.h"
#include "StyleToggleSlider.h"
#include "ui_MainMenu.h"

#include <QDebug>
#include <QMouseEvent>
#include <QSettings>

MainMenu::MainMenu(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::MainMenu>())
    , m_mouse(MouseFunctions::instance())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    const QList<QLabel *> rows = {
        ui->label_Options,         ui->label_SaveToMouseFlash,      ui->label_ExportToFile,
        ui->label_ImportFromFile,  ui->label_ClearAndResetSettings, ui->label_CalibrateAngles,
        ui->label_CalibrateForces, ui->label_CheckForUpdates,       ui->label_ViewVideos,
        ui->label_WhatsNew,        ui->label_UploadFirmware,        ui->label_AutoCheckFirmware};
    for (int item = 0; item < rows.size(); ++item) {
        m_items.insert(item, rows.at(item));
        rows.at(item)->installEventFilter(this);
    }
    ui->verticalLayout_2->setAlignment(ui->horizontalLayout, Qt::AlignLeft);

    setLayoutMode(0);
    styleToggleSlider(ui->horizontalSlider_fw, m_mouse->firmwareCheckEnabled());
    connect(ui->horizontalSlider_fw, &QSlider::valueChanged, this, &MainMenu::toggleFWCheck);
    connect(ui->horizontalSlider_fw, &QSlider::valueChanged, this, &MainMenu::recheckConnection);
}

MainMenu::~MainMenu() = default;

void MainMenu::setLayoutMode(int mode)
{
    const bool news = mode == 1 || mode == 2;
    ui->line_endOfNewsBlock->setVisible(news);
    ui->label_UploadFirmware->setVisible(mode == 1);
    ui->label_AutoCheckFirmware->setVisible(news);
    ui->horizontalSlider_fw->setVisible(news);
    setFixedHeight(mode == 1 ? 360 : mode == 2 ? 330 : 300);
}

void MainMenu::showAt(const QPoint &globalPos)
{
    ui->label_CalibrateAngles->setEnabled(m_mouse->isVModel());
    move(globalPos);
    show();
}

void MainMenu::toggleFWCheck(int value)
{
    setFirmwareCheck(value == 1);
    styleToggleSlider(ui->horizontalSlider_fw, value == 1);
}

void MainMenu::setFirmwareCheck(bool on)
{
    MouseFunctions::instance()->setFirmwareCheckEnabled(on);
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("AllowAnyFirmware"), !on);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning().noquote() << "MainMenu: could not write AllowAnyFirmware to" << settings.fileName();
}

bool MainMenu::eventFilter(QObject *watched, QEvent *event)
{
    // Only the rows are watched. A release after the press was dragged off
    // the row selects nothing.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *release = static_cast<QMouseEvent *>(event);
        auto *label = qobject_cast<QLabel *>(watched);
        if (release->button() == Qt::LeftButton && label && label->isEnabled()
            && label->rect().contains(release->pos())) {
            hide();
            emit itemSelected(m_items.key(label, 0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
