#include "DlgProfile.h"

#include "DlgMessageBox.h"
#include "DlgQuestionMulti.h"
#include "DlgYesNo.h"
#include "LinkProfile.h"
#include "LinkedAppsSimple.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileData.h"
#include "ProfileDialogRules.h"
#include "RoundedPixmap.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "StyleProperties.h"
#include "ui_DlgProfile.h"

#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

constexpr int iconSide = 64;
const QSize pictureSize(75, 75);

QPushButton *overlayButton(QWidget *parent, const char *type, const QString &modelKey)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("btn_") + QLatin1String(type));
    button->setFlat(true);
    button->setFixedSize(14, 14);
    button->setProperty("button_type", QLatin1String(type));
    button->setProperty(StyleProperties::modelKey, modelKey);
    button->hide();
    return button;
}

QString chooseImageFile(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, DlgProfile::tr("Select image"), QString(),
                                        DlgProfile::tr("Images (*.png *.bmp *.jpg)"));
}

// Writes the pixmap as a PNG file; false (the file as it was) when it cannot.
bool writePng(const QPixmap &pixmap, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !pixmap.save(&file, "PNG") || !file.commit()) {
        qWarning() << "DlgProfile: could not write the application's icon to" << path << file.errorString();
        return false;
    }
    return true;
}

} // namespace

DlgProfile::DlgProfile(QWidget *parent, const QString &modelKey)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DlgProfile>())
    , m_modelKey(modelKey)
    , m_chooseImage(chooseImageFile)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    StyleProperties::set({ui->frame, ui->btn_save, ui->btn_add_app, ui->btn_cancel, ui->label_1, ui->label_2,
                          ui->label_3, ui->edit_name, ui->btn_select_img},
                         StyleProperties::modelKey, modelKey);
    StyleProperties::repolish(ui->btn_select_img);

    auto *overlayLayout = new QVBoxLayout(ui->lbl_image);
    overlayLayout->setContentsMargins(0, 0, 0, 0);
    m_overlay = new QFrame(ui->lbl_image);
    m_overlay->setObjectName(QStringLiteral("frame_overlay"));
    m_overlay->setProperty("frame_type", QStringLiteral("image_overlay"));
    m_overlay->setProperty(StyleProperties::modelKey, modelKey);
    overlayLayout->addWidget(m_overlay);
    auto *buttons = new QHBoxLayout(m_overlay);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_editImage = overlayButton(m_overlay, "edit_img", modelKey);
    m_deleteImage = overlayButton(m_overlay, "del_img", modelKey);
    buttons->addWidget(m_editImage);
    buttons->addWidget(m_deleteImage);
    m_overlay->installEventFilter(this);

    m_apps = new LinkedAppsSimple(ui->widget_linked_apps, modelKey);
    ui->horizontalLayout_linked->addWidget(m_apps);

    connect(ui->edit_name, &QLineEdit::textChanged, this, &DlgProfile::updateSave);
    connect(ui->btn_select_img, &QPushButton::clicked, this, &DlgProfile::chooseImage);
    connect(m_editImage, &QPushButton::clicked, this, &DlgProfile::chooseImage);
    connect(m_deleteImage, &QPushButton::clicked, this, &DlgProfile::clearImage);
    connect(ui->btn_add_app, &QPushButton::clicked, this, &DlgProfile::linkApps);
    connect(m_apps, &LinkedAppsSimple::appRemoved, this, &DlgProfile::dropReplacement);
    connect(ui->btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btn_save, &QPushButton::clicked, this, &DlgProfile::confirm);
    updateSave();
}

DlgProfile::DlgProfile(QWidget *parent, ProfileData *profile, const QString &modelKey)
    : DlgProfile(parent, modelKey)
{
    m_profile = profile;
    ui->edit_name->setText(profile->name);
    setImage(Predefined::logoFile(profile->name));
    for (int i = 0; i < profile->linkedAppPaths.size(); ++i)
        m_apps->addApp(profile->linkedAppPaths.at(i), profile->linkedAppNames.value(i), modelKey);
    updateSave();
}

DlgProfile::~DlgProfile() = default;

QString DlgProfile::iconImagePath()
{
    return SettingsFile::folder() + QStringLiteral("/logo_from_icon.png");
}

QString DlgProfile::profileName() const
{
    return ui->edit_name->text().trimmed();
}

QStringList DlgProfile::linkedAppIds() const
{
    return m_apps->appIds();
}

QStringList DlgProfile::linkedAppNames() const
{
    return m_apps->appNames();
}

void DlgProfile::updateSave()
{
    ui->btn_save->setEnabled(!profileName().isEmpty());
}

// ---------------------------------------------------------------- picture

void DlgProfile::setImage(const QString &path)
{
    if (path.isEmpty() || path == m_imagePath)
        return;
    const QPixmap pixmap(path);
    if (pixmap.isNull())
        return;
    m_imagePath = path;
    ui->lbl_image->setPixmap(roundedPixmap(pixmap, pictureSize, 4));
    ui->stackedWidget->setCurrentIndex(1);
}

void DlgProfile::chooseImage()
{
    setImage(m_chooseImage(this));
}

void DlgProfile::clearImage()
{
    m_imagePath.clear();
    ui->lbl_image->setPixmap(QPixmap());
    ui->stackedWidget->setCurrentIndex(0);
}

bool DlgProfile::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_overlay && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        const bool shown = event->type() == QEvent::Enter;
        m_editImage->setVisible(shown);
        m_deleteImage->setVisible(shown);
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- linking

void DlgProfile::linkApps()
{
    LinkProfile dialog(this, m_apps->appIds(), profileName(), m_modelKey);
    connect(&dialog, &LinkProfile::linkApp, this,
            [this](const QString &id, const QString &name, bool) { onAppAdd(id, name); });
    dialog.exec();
    takeIcon(dialog.chosenIcon());
    const QString name = dialog.chosenName();
    if (profileName().isEmpty() && !name.isNull())
        ui->edit_name->setText(name);
}

void DlgProfile::takeIcon(const QIcon &icon)
{
    if (!m_imagePath.isEmpty())
        return;
    const QPixmap pixmap = icon.pixmap(QSize(iconSide, iconSide), QIcon::Normal, QIcon::Off);
    if (pixmap.isNull())
        return;
    // Only a file written now is this application's icon: an older one may
    // be another's.
    const QString path = iconImagePath();
    if (writePng(pixmap, path))
        setImage(path);
}

void DlgProfile::onAppAdd(const QString &id, const QString &name)
{
    if (m_apps->hasApp(id))
        return;
    const ProfileDialogRules::LinkOwners owners =
        ProfileDialogRules::linkOwners(id, PackageCreator::instance()->profiles(), m_profile);
    if (owners.count == 1) {
        DlgQuestionMulti question(this,
                                  tr("Application %1 is already linked to Profile %2.\nDo you want to link it to "
                                     "Profile %3 instead?")
                                      .arg(owners.storedName, owners.last->name, profileName()),
                                  {tr("Yes, replace the link"), tr("No, link both")}, tr("Cancel"), m_modelKey);
        if (question.exec() != 1)
            return;
        if (question.clickedIndex() == 0)
            m_replacements.append({owners.last, id});
    }
    m_apps->addApp(id, name, m_modelKey);

    SimpleModel *model = SimpleModel::instance();
    if (!model->autoSwitching()) {
        DlgYesNo question(this,
                          tr("To switch profiles automatically, automatic profile\nswitching must be enabled.\n\nThe "
                             "\"Auto Profile Switching\" function can be enabled\nor disabled at any time from the "
                             "\"Active Profile\"\nmenu.\n\nWould you like to enable it now?\n"),
                          QString(), QString(), m_modelKey, nullptr);
        if (question.exec() == 1)
            model->setAutoSwitching(true);
    }
}

void DlgProfile::dropReplacement(const QString &id)
{
    for (int i = 0; i < m_replacements.size(); ++i) {
        if (m_replacements.at(i).id == id) {
            m_replacements.removeAt(i);
            return;
        }
    }
}

void DlgProfile::confirm()
{
    const QString name = profileName();
    if (name.isEmpty())
        return;
    if (ProfileDialogRules::nameTaken(name, PackageCreator::instance()->profiles(), m_profile)) {
        DlgMessageBox message(this, tr("Profile Name already exists"), m_modelKey);
        message.exec();
        return;
    }
    accept();
}
