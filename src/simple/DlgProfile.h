#pragma once
// The simple view's dialog for a new profile and for changing one: its name,
// a picture and the applications linked to it. Linking an application may
// take over its icon as the picture and its name as the profile's, asks what
// to do when one other profile links it already, and offers to turn
// automatic switching on. The dialog changes no profile; after exec() gives
// 1 the caller reads the results and applies them:
//
//     DlgProfile dialog(this, profile, modelKey);
//     if (dialog.exec() == 1)
//         apply(dialog.profileName(), dialog.imagePath(), dialog.linkedAppIds(), ...);

#include "LinkReplacement.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class LinkedAppsSimple;
class ProfileData;
class QPushButton;
namespace Ui {
class DlgProfile;
}

class DlgProfile : public QDialog
{
    Q_OBJECT

public:
    // Asks for the path of a picture; empty when the user chose none.
    using ImageChooser = std::function<QString(QWidget *parent)>;

    // A new profile.
    DlgProfile(QWidget *parent, const QString &modelKey);
    // Changing profile.
    DlgProfile(QWidget *parent, ProfileData *profile, const QString &modelKey);
    ~DlgProfile() override;

    // The results, for the caller after acceptance.
    QString profileName() const;
    QString imagePath() const { return m_imagePath; }
    QStringList linkedAppIds() const;
    QStringList linkedAppNames() const;
    QList<LinkReplacement> replacedLinks() const { return m_replacements; }

    // Replaces the file dialog of "Add Image" (tests).
    void setImageChooser(ImageChooser chooser) { m_chooseImage = std::move(chooser); }
    // Where a linked application's icon is written for the picture.
    static QString iconImagePath();

public slots:
    // Links one application (what LinkProfile announces).
    void onAppAdd(const QString &id, const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setImage(const QString &path);
    void chooseImage();
    void clearImage();
    void linkApps();
    void takeIcon(const QIcon &icon);
    void dropReplacement(const QString &id);
    void confirm();
    void updateSave();

    std::unique_ptr<Ui::DlgProfile> ui;
    QPushButton *m_editImage;
    QPushButton *m_deleteImage;
    QWidget *m_overlay;
    LinkedAppsSimple *m_apps;
    QString m_imagePath;
    QList<LinkReplacement> m_replacements;
    ProfileData *m_profile = nullptr;
    QString m_modelKey;
    ImageChooser m_chooseImage;
};
