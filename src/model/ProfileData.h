#pragma once

#include "AutoReleaseInputsRecord.h"
#include "DpiConfigureRecord.h"
#include "GameDeviceSelectRecord.h"
#include "InputMapActionConfig.h"
#include "LedSetRecord.h"
#include "LiftOffSelectRecord.h"
#include "OledSetRecord.h"
#include "OutputActionConfig.h"
#include "ReportIntervalRecord.h"
#include "TiltAutoZeroingRecord.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// One profile: its place in the profile tree (index and sub-index, 255 none;
// 255/255 is the global profile), its name, linked applications, the eight
// device settings records, the outputs run when it becomes active and its
// top-level input mappings. The store (PackageCreator) owns every profile.
class ProfileData : public QObject
{
    Q_OBJECT

public:
    ProfileData(quint8 index, quint8 subIndex, const QString &name, QObject *parent = nullptr);
    ~ProfileData() override;

    // Clears settingsRecords; with own, refills it with the eight records in
    // the order DPI, report interval, lift-off, game device, LED, OLED,
    // auto-release, tilt auto-zeroing; without, also clears the profile
    // outputs. The record values stay as they are.
    void setOwnSettings(bool own);
    bool hasOwnSettings() const { return !settingsRecords.isEmpty(); }
    bool hasInputMaps() const { return !inputMaps.isEmpty(); }
    // Takes over other's settings (when it has its own: values, own settings
    // and clones of its profile outputs, appended) and appends deep copies of
    // its top-level mappings. Name, identity, default flag and linked
    // applications stay.
    void copyFrom(const ProfileData &other);
    // False without own settings. Otherwise the last logo-LED profile output,
    // or the LED record when there is none, gives cycling (hue rotation) and
    // the colour (#aaaaaa when the LED is off); true.
    bool backlight(bool *cycling, QColor *colour) const;

    // The record of that tag, null for other tags.
    SettingsRecord *settingsRecord(int tag);
    const SettingsRecord *settingsRecord(int tag) const;

    bool isGlobal() const { return index == 255 && subIndex == 255; }
    bool isSubProfile() const { return index != 255 && subIndex != 255; }

    quint8 index;
    quint8 subIndex;
    QString name;
    bool isDefault = false;
    QStringList linkedAppPaths;
    QStringList linkedAppNames;
    // Empty: the profile inherits its settings. Otherwise points to the eight
    // records below.
    QList<SettingsRecord *> settingsRecords;

    DpiConfigureRecord dpiRecord;
    ReportIntervalRecord reportIntervalRecord;
    LiftOffSelectRecord liftOffRecord;
    GameDeviceSelectRecord gameDeviceRecord;
    LedSetRecord ledRecord;
    OledSetRecord oledRecord;
    AutoReleaseInputsRecord autoReleaseRecord;
    TiltAutoZeroingRecord tiltAutoZeroingRecord;

    OutputList profileOutputs;
    InputMapList inputMaps;
};
