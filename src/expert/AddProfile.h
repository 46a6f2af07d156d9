#pragma once
// The expert view's dialog for a new profile's name and, when asked for, its
// parent ("Global" for a new top-level profile, or a top-level profile for a
// new sub-profile). A refused name gets a message and the dialog stays open
// with the name kept; an accepted one goes out through addProfile() exactly
// as typed, and the dialog hides. The window keeps one dialog for its life.

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

namespace Ui {
class AddProfile;
}
class ComboBox;

class AddProfile : public QDialog
{
    Q_OBJECT

public:
    explicit AddProfile(QWidget *parent = nullptr);
    ~AddProfile() override;

    // Whether the name is taken where the new profile would go.
    bool nameExists() const;

signals:
    // parent is empty for a top-level profile.
    void addProfile(const QString &name, const QString &parent);

public slots:
    // profiles: one list per top-level profile, its name first, then its
    // sub-profiles'. With isGlobal the new profile is top-level and no parent
    // row is shown.
    void show(const QList<QStringList> &profiles, bool isGlobal);
    // For the one known parent profile (its list), without the parent row.
    void showNoParents(const QStringList &profile, bool isGlobal);
    void add();
    // Clears the name and hides.
    void close();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString chosenParent() const;

    std::unique_ptr<Ui::AddProfile> ui;
    ComboBox *m_parents;
    QList<QStringList> m_profiles;
    bool m_topLevel = true;
    int m_maxHeight;
    int m_minHeight;
};
