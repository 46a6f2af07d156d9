#include "OutputAction_Profile.h"

OutputAction_Profile::OutputAction_Profile(int typeCode)
    : OutputActionOf(typeCode)
{}

bool OutputAction_Profile::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Profile &>(other);
    return profileIndex == o.profileIndex && subProfileIndex == o.subProfileIndex
           && profileName == o.profileName && profileSelection == o.profileSelection;
}

QString OutputAction_Profile::descriptionText() const
{
    switch (typeCode) {
    case 90:
        switch (profileSelection) {
        case 1:
            return tr("Next Profile");
        case 2:
            return tr("Previous Profile");
        case 3:
            return tr("Parent Profile");
        case 4:
            return tr("Sub-profile");
        default:
            return QString();
        }
    case 91:
        return tr("Go To Profile") + QLatin1Char(' ');
    default:
        return QString();
    }
}
