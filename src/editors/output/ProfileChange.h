#pragma once

#include "oawidget.h"

#include <QString>
#include <QVector>

// Switching profiles: go to one profile (output type 91), or move to the
// next, previous, parent profile or to the sub-profiles (type 90). A fresh
// page holds "Go to Profile" "Global" (255/255).
//
// The page keeps its own copy of the profile list, refreshed whenever it is
// shown. A loaded target that is no longer listed selects no profile and is
// kept as it is until the user picks one.
class ProfileChange : public oawidget
{
    Q_OBJECT

public:
    // Action combo rows; rows 1 to 4 are the move kinds of type 90.
    enum Action { GoToProfile = 0, NextProfile, PreviousProfile, GoToParent, GoToSubProfiles };

    explicit ProfileChange(QWidget *parent = nullptr);

    // Refreshes the profile list, then shows the page.
    void show() override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

    // The sequence's refresh of a go-to-profile row after the profiles
    // changed: updateProfiles(true), then save().
    void refreshAndSave();

public slots:
    void save() override;
    // Refills the profile combo ("Global", then every profile of the store in
    // order) keeping the selected row. With isAuto, a selection whose entry is
    // now a top-level profile of another sub-index than remembered (a profile
    // was inserted before it) falls back to "Global".
    void updateProfiles(bool isAuto);

private:
    struct Target
    {
        quint8 index;
        quint8 subIndex;
        QString name;
    };

    ComboBox *actionCombo;
    ComboBox *profileCombo;
    // Values, not the store's pointers: a profile may be deleted while the
    // page still shows the list.
    QVector<Target> profiles;
    int rememberedSubIndex = -1;
};
