#include "ProfileData.h"

#include "OutputAction_Led.h"

ProfileData::ProfileData(quint8 index, quint8 subIndex, const QString &name, QObject *parent)
    : QObject(parent)
    , index(index)
    , subIndex(subIndex)
    , name(name)
{
}

ProfileData::~ProfileData() = default;

void ProfileData::setOwnSettings(bool own)
{
    settingsRecords.clear();
    if (own) {
        settingsRecords = {&dpiRecord, &reportIntervalRecord, &liftOffRecord, &gameDeviceRecord,
                           &ledRecord, &oledRecord,           &autoReleaseRecord, &tiltAutoZeroingRecord};
    } else {
        profileOutputs.clear();
    }
}

void ProfileData::copyFrom(const ProfileData &other)
{
    // Copies first: other may be this profile.
    const InputMapList sourceMaps = other.inputMaps;
    if (other.hasOwnSettings()) {
        const OutputList outputs = OutputActionConfig::cloneList(other.profileOutputs);
        if (&other != this) {
            dpiRecord = other.dpiRecord;
            reportIntervalRecord = other.reportIntervalRecord;
            liftOffRecord = other.liftOffRecord;
            gameDeviceRecord = other.gameDeviceRecord;
            ledRecord = other.ledRecord;
            oledRecord = other.oledRecord;
            autoReleaseRecord = other.autoReleaseRecord;
            tiltAutoZeroingRecord = other.tiltAutoZeroingRecord;
        }
        setOwnSettings(true);
        profileOutputs.append(outputs);
    }
    for (const InputMapPtr &mapping : sourceMaps) {
        if (mapping)
            inputMaps.append(mapping->deepCopy());
    }
}

bool ProfileData::backlight(bool *cycling, QColor *colour) const
{
    if (!hasOwnSettings())
        return false;

    int mode = ledRecord.ledMode;
    const quint8 *rgb = ledRecord.colour1;
    for (auto it = profileOutputs.crbegin(); it != profileOutputs.crend(); ++it) {
        const auto *led = dynamic_cast<const OutputAction_Led *>(it->get());
        if (led && led->typeCode == OutputType::Led) {
            mode = led->ledMode;
            rgb = led->colour1;
            break;
        }
    }
    if (cycling)
        *cycling = mode == OutputAction_Led::LedColourCycle;
    if (colour)
        *colour = mode == OutputAction_Led::LedOff ? QColor(QStringLiteral("#aaaaaa")) : QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

SettingsRecord *ProfileData::settingsRecord(int tag)
{
    return const_cast<SettingsRecord *>(static_cast<const ProfileData *>(this)->settingsRecord(tag));
}

const SettingsRecord *ProfileData::settingsRecord(int tag) const
{
    switch (tag) {
    case SettingsTag::Dpi:
        return &dpiRecord;
    case SettingsTag::ReportInterval:
        return &reportIntervalRecord;
    case SettingsTag::LiftOff:
        return &liftOffRecord;
    case SettingsTag::GameDevice:
        return &gameDeviceRecord;
    case SettingsTag::Led:
        return &ledRecord;
    case SettingsTag::Oled:
        return &oledRecord;
    case SettingsTag::AutoRelease:
        return &autoReleaseRecord;
    case SettingsTag::TiltAutoZeroing:
        return &tiltAutoZeroingRecord;
    default:
        return nullptr;
    }
}
