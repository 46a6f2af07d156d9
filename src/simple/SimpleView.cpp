#include "SimpleView.h"

#include "MouseFunctions.h"
#include "ProfileData.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"
#include "Version.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SimpleView::SimpleView(QWidget *parent, SWUpdate *update)
    : QWidget(parent)
    , m_update(update)
{
    setObjectName(QStringLiteral("SimpleView"));
    resize(1366, 768);
    setMinimumSize(1366, 768);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *background = new QWidget(this);
    background->setObjectName(QStringLiteral("widget_background"));
    background->setProperty("widget_type", "main_background");
    outer->addWidget(background);
    auto *columns = new QHBoxLayout(background);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto *sideBar = new QFrame(background);
    sideBar->setObjectName(QStringLiteral("frame_leftSide"));
    sideBar->setProperty("frame_type", "side_bar");
    sideBar->setFixedWidth(75);
    auto *side = new QVBoxLayout(sideBar);
    side->setContentsMargins(0, 16, 0, 18);
    side->addStretch(1);
    m_expert = new QPushButton(tr("Expert\nMode"), sideBar);
    m_expert->setObjectName(QStringLiteral("pushButton_expert"));
    m_expert->setProperty("button_type", "switch_expert");
    m_expert->setFixedSize(64, 40);
    side->addWidget(m_expert, 0, Qt::AlignHCenter);
    connect(m_expert, &QPushButton::clicked, this, &SimpleView::toExpertView);
    columns->addWidget(sideBar);

    auto *page = new QVBoxLayout;
    page->setContentsMargins(24, 24, 24, 24);
    page->setSpacing(10);
    const auto line = [background, page](const char *name) {
        auto *label = new QLabel(background);
        label->setObjectName(QLatin1String(name));
        label->setProperty("label_type", "manage_profile");
        page->addWidget(label);
        return label;
    };
    m_version = line("label_version");
    m_model = line("label_model");
    m_profiles = line("label_profiles");
    m_profiles->setWordWrap(true);
    m_notice = line("label_fwUpdate");
    m_notice->setText(tr("Firmware Update Required"));
    m_notice->hide();
    page->addStretch(1);
    columns->addLayout(page, 1);

    MouseFunctions *device = MouseFunctions::instance();
    connect(device, &MouseFunctions::mouseConnect, this, &SimpleView::onMouseConnect);
    onMouseConnect(false);
    channelChanged(m_update ? m_update->channel() : int(SettingsFile::ChannelPublic));
}

SimpleView::~SimpleView() = default;

void SimpleView::refresh()
{
    m_model->setText(tr("Model: %1 (%2)").arg(MouseFunctions::instance()->mousePID()).arg(property("m").toString()));
    QStringList names;
    for (const ProfileData *profile : SimpleModel::instance()->profiles())
        names << profile->name;
    m_profiles->setText(tr("Profiles: %1").arg(names.join(", ")));
}

void SimpleView::activateView()
{
    refresh();
    show();
    raise();
    activateWindow();
}

void SimpleView::channelChanged(int channel)
{
    QString version = tr("Version:") + " " + versionString;
    if (channel != SettingsFile::ChannelPublic)
        version += " " + SWUpdate::channelName(channel);
    QString title = productName;
    if (channel == SettingsFile::ChannelAlpha)
        title += " " + versionString + " - included FW: " + QString::number(requiredFirmwareBuild.left(6).toInt());
    m_version->setText(version);
    setWindowTitle(title);
}

void SimpleView::fwUpdateAvailable(bool isShown)
{
    m_notice->setVisible(isShown);
}

void SimpleView::onMouseConnect(bool)
{
    refresh();
}

void SimpleView::closeEvent(QCloseEvent *event)
{
    if (m_update)
        m_update->close();
    event->ignore();
    if (isFullScreen()) {
        showMinimized();
        return;
    }
    hide();
    emit hidden();
}
