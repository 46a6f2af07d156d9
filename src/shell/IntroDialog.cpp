#include "IntroDialog.h"

#include "SettingsFile.h"
#include "SharedConstants.h"
#include "StyleProperties.h"
#include "ui_IntroDialog.h"

#include <QSettings>

namespace {

QString link(const QString &address, const QString &colour, const QString &text)
{
    return QStringLiteral("<a href=\"%1\"><span style='color:%2;'>%3</span></a>").arg(address, colour, text);
}

void makeLink(QLabel *label, const QString &address, const QString &colour, const QString &text)
{
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                   | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(true);
    label->setText(link(address, colour, text));
}

} // namespace

IntroDialog::IntroDialog(bool simpleMode, QWidget *parent, int productId, int releaseChannel)
    : QDialog(parent)
    , ui(std::make_unique<Ui::IntroDialog>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);

    const QString modelKey = productId == 10 ? "tamsel" : productId == 20 ? "pelkin" : "v";
    QString linkColour;
    if (simpleMode) {
        ui->frame->setProperty("frame_type", "dialog_background");
        ui->checkBox_showAgain->setProperty("check_type", "dialog");
        ui->pushButton_close->setProperty("button_type", "common");
        StyleProperties::set({ui->frame, ui->checkBox_showAgain, ui->pushButton_close}, StyleProperties::modelKey,
                             modelKey);
        linkColour = productId == 10 ? "red" : productId == 20 ? "#b753ec" : "#f6cc00";
    } else {
        linkColour = "#ffd400";
        ui->frame->setProperty("frame_type", "expert");
        ui->checkBox_showAgain->setStyleSheet(QString());
        ui->checkBox_showAgain->setProperty("check_type", "expert");
        ui->pushButton_close->setProperty("button_type", "expert");
    }

    makeLink(ui->label_url_videos, introductionUrl, linkColour, tr("View Introduction and User Guides"));
    if (releaseChannel == SettingsFile::ChannelPublic)
        makeLink(ui->label_url_whatsNew, changelogUrl, linkColour, tr("What's New In This Version"));
    else
        makeLink(ui->label_url_whatsNew, betaChangelogUrl, linkColour, tr("What's New In This Beta Release"));

    settingsPath = SettingsFile::path();
    QSettings settings(settingsPath, QSettings::IniFormat);
    showFlag = settings.value("ShowIntroOnLaunch", false).toBool();
    ui->checkBox_showAgain->setChecked(showFlag);
    // After an install or upgrade it shows even when the box is unticked.
    if (!settings.value("HasBeenOpenedSinceInstallOrUpgrade", false).toBool())
        showFlag = true;

    connect(ui->pushButton_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui->checkBox_showAgain, &QCheckBox::toggled, this, &IntroDialog::handleCheckBox);
}

IntroDialog::~IntroDialog() = default;

void IntroDialog::showIfWanted()
{
    if (showFlag)
        exec();
}

void IntroDialog::handleCheckBox(bool checked)
{
    QSettings(settingsPath, QSettings::IniFormat).setValue("ShowIntroOnLaunch", checked);
}
