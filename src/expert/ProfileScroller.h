#pragma once
// The expert window's strip of profile tabs: a fixed "Global Defaults" tab,
// one tab per top-level profile in a horizontally scrolling area between two
// arrows, and "+". A tab with sub-profiles carries an arrow and opens a list
// of the profile and its sub-profiles. The strip selects the tab of the
// profile shown, marks the one active on the mouse with "*", keeps the
// names unique and reports the user's choices; the profile tree makes the
// profiles.
//
// The tabs themselves are made when the strip is first polished (as its
// window first shows) or first asked for them: until then the strip keeps
// the names only, and what it is told to do to every tab is kept and done to
// each tab when it is made, as if the tab had been there.

#include "ImportParents.h"
#include "MenuList.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class ProfileScroller;
}
class ProfilesView;
class TummyButton;

class ProfileScroller : public QWidget
{
    Q_OBJECT

public:
    // tree gives the tabs' context menu.
    ProfileScroller(QWidget *parent, ProfilesView *tree);
    ~ProfileScroller() override;

    // Before a configuration is loaded anew.
    void clear();
    // After profiles changed in the store: tabs for the new ones, none for
    // the gone ones.
    void syncWithModel();

    // One list per top-level profile in tab order: its name, then its
    // sub-profiles'.
    QList<QStringList> groups() const { return m_groups; }
    // The tabs, made now when they were not yet.
    QList<TummyButton *> buttons() { return tabs(); }
    TummyButton *globalButton() const { return m_global; }
    MenuList *subProfileMenu() const { return m_popup; }

signals:
    void showAdd(const QList<QStringList> &profiles, bool isGlobal);
    void showAddForCurrent(const QStringList &profile, bool isGlobal);
    void profileAdded(const QString &name, const QString &parent);
    void globalProfileClicked();
    void parentProfileClicked(const QString &name);
    void subProfileClicked(const QString &name, const QString &parent);

public slots:
    void setActiveGlobal();
    void setActiveProfile(const QString &buttonName, const QString &shownName);
    void setCurrentProfile(const QString &buttonName, const QString &shownName);
    void globalProfileClick();
    void addProfile(const QString &name, const QString &parent);
    // The receiver of the store's announcements while a file is read: a
    // sub-profile goes under the top-level profile the read created last.
    void addProfileFromFile(const QString &name, const QString &parent);
    void addParentProfile();
    void addSubProfile(const QString &parent);
    void renameProfile(const QString &name, const QString &newName);
    void renameSubProfile(const QString &name, const QString &newName, const QString &parent);
    void deleteProfile(const QString &name, const QString &parent);
    void scrollLeft();
    void scrollRight();
    void profileClick();
    void profileAddClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The tabs, every group's made.
    const QList<TummyButton *> &tabs();
    void makeTab(int group);
    // Does change to every tab, and to each tab made later of the groups
    // there are now.
    void forEachTab(const std::function<void(TummyButton *)> &change);
    // The name the profile gets: unique among the top-level names.
    QString addParentButton(const QString &name);
    void removeGroup(int group);
    void showTabMenu(TummyButton *tab, const QPoint &pos);
    void scrollBy(int step);
    void updateArrows();
    void updateLayout();
    int groupOf(const QString &topLevelName) const;
    QStringList topLevelNames() const;

    std::unique_ptr<Ui::ProfileScroller> ui;
    QString m_styleSheet;
    QString m_addStyleSheet;
    TummyButton *m_global;
    TummyButton *m_selectedButton = nullptr;
    int m_stepWidth = 0;
    int m_fixedWidth = -1;
    QList<QStringList> m_groups;
    // One per group once made; empty before.
    QList<TummyButton *> m_buttons;
    // Whether the tabs were made; before, the changes to every tab and the
    // number of groups at each.
    bool m_tabsMade = false;
    struct TabChange
    {
        std::function<void(TummyButton *)> change;
        int groups;
    };
    QList<TabChange> m_tabChanges;
    QPointer<MenuList> m_popup;
    ProfilesView *m_tree;
    ImportParents m_importParents;
};
