#include "ProfileChange.h"

#include "ComboBox.h"
#include "OutputAction_Profile.h"
#include "PackageCreator.h"
#include "SharedConstants.h"

namespace {
constexpr quint8 noIndex = 255;
} // namespace

ProfileChange::ProfileChange(QWidget *parent)
    : oawidget(parent)
{
    actionCombo = createCombo({tr("Go to Profile"), tr("Next Profile"), tr("Previous Profile"), tr("Go to Parent"),
                               tr("Go to Sub-Profiles")});
    actionCombo->setObjectName(QStringLiteral("actionCombo"));
    profileCombo = createCombo({});
    profileCombo->setObjectName(QStringLiteral("profileCombo"));
    pageLayout()->addWidget(actionCombo);
    pageLayout()->addWidget(profileCombo);
    pageLayout()->addStretch();

    updateProfiles(false);
    {
        const QSignalBlocker block(profileCombo);
        profileCombo->setCurrentIndex(0);
    }
    connect(actionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ProfileChange::save);
    connect(profileCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ProfileChange::save);
    save();
}

void ProfileChange::show()
{
    updateProfiles(false);
    oawidget::show();
}

void ProfileChange::updateProfiles(bool isAuto)
{
    int selected = profileCombo->currentIndex();
    profiles.clear();
    QStringList items{globalProfileName};
    const QList<ProfileData *> listed = PackageCreator::instance()->profiles();
    for (const ProfileData *profile : listed) {
        profiles.append({profile->index, profile->subIndex, profile->name});
        items << profile->name;
        // Item n shows profile n - 1.
        if (items.size() - 1 == selected && profile->subIndex != rememberedSubIndex) {
            rememberedSubIndex = profile->subIndex;
            if (profile->subIndex == noIndex && isAuto)
                selected = 0;
        }
    }
    const QSignalBlocker block(profileCombo);
    profileCombo->setItems(items);
    profileCombo->setCurrentIndex(selected < items.size() ? selected : 0);
}

void ProfileChange::refreshAndSave()
{
    updateProfiles(true);
    save();
}

void ProfileChange::ensureConfig()
{
    createRecord<OutputAction_Profile>(OutputType::ProfileJump);
}

void ProfileChange::save()
{
    ensureConfig();
    auto *r = record<OutputAction_Profile>();
    const int action = actionCombo->currentIndex();
    profileCombo->setVisible(action == GoToProfile);
    if (mayWrite()) {
        if (action > GoToProfile) {
            // The target of a go-to-profile record stays for a later switch back.
            r->typeCode = OutputType::ProfileSelect;
            r->profileIndex = noIndex;
            r->profileSelection = action;
        } else if (action == GoToProfile) {
            r->typeCode = OutputType::ProfileJump;
            const int item = profileCombo->currentIndex();
            if (item == 0) {
                r->profileIndex = noIndex;
                r->subProfileIndex = noIndex;
                r->profileName = globalProfileName;
            } else if (item > 0 && item <= profiles.size()) {
                const Target &target = profiles.at(item - 1);
                r->profileIndex = target.index;
                r->subProfileIndex = target.subIndex;
                r->profileName = target.name;
            }
        }
    }
    announce();
}

// Ends with a save, so a load outside the loading flag emits updated() once.
void ProfileChange::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Profile>(loaded))
        return;
    const auto *r = record<OutputAction_Profile>();
    {
        const QSignalBlocker blockAction(actionCombo);
        const QSignalBlocker blockProfile(profileCombo);
        if (r->typeCode == OutputType::ProfileJump) {
            int item = -1;
            if (r->profileIndex == noIndex && r->subProfileIndex == noIndex) {
                item = 0;
            } else {
                for (int n = 0; n < profiles.size(); ++n) {
                    if (profiles.at(n).index == r->profileIndex && profiles.at(n).subIndex == r->subProfileIndex) {
                        item = n + 1;
                        break;
                    }
                }
            }
            profileCombo->setCurrentIndex(item);
            actionCombo->setCurrentIndex(GoToProfile);
        } else {
            // A move kind the combo lacks selects nothing and is kept.
            const int kind = r->profileSelection;
            actionCombo->setCurrentIndex(kind >= NextProfile && kind <= GoToSubProfiles ? kind : -1);
        }
    }
    save();
}
