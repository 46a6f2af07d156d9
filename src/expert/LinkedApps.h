#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class LinkedApps;
}
class AppWidget;
class FlowLayout;
class PackageCreator;

// The row "Linked Applications:" of a profile page: one chip per linked
// application, sorted by name, and "+ Add" to link more. It edits the lists
// of the store's current profile, so its page makes its profile current
// before the row stores or reloads.
//
// The link dialog's applications are not linked here: each one is handed on
// through checkNewLink, and whoever receives it decides where it goes and
// links it (a profile linking an application another profile holds asks
// first).
class LinkedApps : public QWidget
{
    Q_OBJECT

public:
    explicit LinkedApps(QWidget *parent = nullptr);
    ~LinkedApps() override;

    // The row's fixed height for a chip layout that high: room for one, two
    // or three lines of chips (more scroll) and the row's margins.
    static int rowHeight(int layoutHeight, int spacing);

    // Adds a chip; stores the lists unless visualOnly. The same id may be
    // linked more than once.
    void linkApp(const QString &id, const QString &appName, bool visualOnly = false);
    void removeApp(AppWidget *chip);
    // Removes every chip with exactly that id.
    void unlinkApp(const QString &id);
    QStringList appIds() const;
    QStringList appNames() const;
    // The chips of the current profile's lists; stores nothing.
    void reload();
    // No chips, and empty lists stored.
    void clear();
    // Runs the link dialog over this row.
    void openLinkDialog();

signals:
    void checkNewLink(const QString &appId, const QString &appName);

public slots:
    void heightChanged(int layoutHeight);

private:
    void deleteChips();
    void placeChips();
    void store();

    std::unique_ptr<Ui::LinkedApps> ui;
    FlowLayout *flow;
    QList<AppWidget *> chips;
    PackageCreator *model;
};
