#include "OutputAction_Profile.h"

OutputAction_Profile::OutputAction_Profile(int typeCode)
    : OutputActionOf(
        classTypeCode(typeCode, {OutputType::ProfileSelect, OutputType::ProfileJump}, "OutputAction_Profile"))
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
    case OutputType::ProfileSelect:
        switch (profileSelection) {
        case NextProfile:
            return tr("Next Profile");
        case PreviousProfile:
            return tr("Previous Profile");
        case ParentProfile:
            return tr("Parent Profile");
        case SubProfile:
            return tr("Sub-profile");
        default:
            return QString();
        }
    case OutputType::ProfileJump:
        return tr("Go To Profile") + QLatin1Char(' ');
    default:
        return QString();
    }
}
