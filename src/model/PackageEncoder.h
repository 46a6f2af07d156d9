#pragma once

#include "InputMapActionConfig.h"
#include "OutputActionConfig.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

class ProfileData;

// Turns profiles into the device configuration package: the global profile's
// block, then one block per profile in list order. It reads only what it is
// given: the global profile, the other profiles in package order and the pair
// the start-up item makes the mouse begin in. It keeps pointers, not copies,
// so the profiles must outlive the calls that read them.
//
// Range values are 12 bits wide: higher bits are dropped (logged once per
// package). Lengths and counts are single bytes; when one does not fit, an
// output entry is null or there is no global profile, nothing is cut: the
// package is empty, error() says why, and a warning is logged.
//
// The package is built in one buffer; the views ask for it after every edit.
class PackageEncoder
{
public:
    // profiles: pointers or smart pointers to ProfileData, in package order.
    template<class Profiles>
    void setProfiles(const ProfileData *global, const Profiles &profiles)
    {
        m_global = global;
        m_profiles.clear();
        for (const auto &profile : profiles)
            m_profiles.push_back(&*profile);
    }
    // 255/255 (the default) is the global profile.
    void setActiveProfile(int index, int subIndex);

    // The whole package; empty (with the reason in error, when given) when
    // it cannot be built.
    QByteArray package(QString *error = nullptr);
    // The first problem found since package() was last called; empty when
    // there was none.
    QString error() const { return m_error; }

    // The pieces of the package, each returning whole items (kind, length,
    // body). A piece that cannot be framed returns nothing and records the
    // problem in error(). A null profile gives nothing.
    QByteArray encodeProfile(const ProfileData *profile);
    QByteArray encodeProfileHeader(const ProfileData *profile);
    QByteArray encodeStartupJump();
    QByteArray encodeSettings(const ProfileData *profile);
    QByteArray encodeSettingsRecord(const ProfileData *profile, int tag);
    QByteArray encodeProfileOutputs(const ProfileData *profile);
    QByteArray encodeInputMaps(const ProfileData *profile);
    // The children of mapping, depth-first, each naming its parent's item
    // index; parentIndex is mapping's own. Counts on from the item index
    // reached by the piece encoded before.
    QByteArray encodeChildInputMaps(const InputMapActionConfig *mapping, int parentIndex);
    // The mapping's input item (parentIndex -1 for a top-level mapping)
    // followed by the items of its activation and deactivation outputs.
    QByteArray encodeInputMap(const InputMapActionConfig *mapping, int parentIndex);
    QByteArray encodeOutput(const OutputActionConfig *output);

    // A profile's item list as the package counts it: one null place per
    // built-in item (the global profile's start-up event and pointer mapping,
    // and the settings event of any profile that has one), then every
    // mapping depth-first. A mapping's position in it is its item index.
    QList<InputMapActionConfig *> packageItems(const ProfileData *profile) const;
    // The item index of a mapping in a profile, or -1 when it is not in that
    // profile's item list.
    int itemIndex(const InputMapActionConfig *mapping, const ProfileData *profile) const;
    // The size of the item list of the profile encoded last.
    quint8 itemCount() const { return m_itemCount; }

private:
    // Own settings records or profile outputs to announce.
    static bool hasSettingsEvent(const ProfileData &profile);
    int builtInItems(const ProfileData &profile) const;
    int itemCountOf(const ProfileData &profile) const;
    int childProfileCount(const ProfileData &profile) const;

    void failure(const QString &problem);
    // An item is begun with its kind and a length byte that endItem fills in
    // once the body is written; a body too long for it takes the item out.
    static int beginItem(QByteArray &out, char kind);
    void endItem(QByteArray &out, int start);
    void appendRange(QByteArray &out, quint16 a, quint16 b);

    void appendProfile(QByteArray &out, const ProfileData &profile);
    void appendProfileHeader(QByteArray &out, const ProfileData &profile);
    void appendStartupJump(QByteArray &out);
    void appendSettings(QByteArray &out, const ProfileData &profile);
    void appendSettingsRecord(QByteArray &out, const ProfileData &profile, int tag);
    void appendProfileOutputs(QByteArray &out, const ProfileData &profile);
    void appendInputMaps(QByteArray &out, const ProfileData &profile);
    void appendChildInputMaps(QByteArray &out, const InputMapActionConfig &mapping, int parentIndex);
    void appendInputMap(QByteArray &out, const InputMapActionConfig &mapping, int parentIndex);
    void appendOutput(QByteArray &out, const OutputActionConfig *output);

    const ProfileData *m_global = nullptr;
    std::vector<const ProfileData *> m_profiles;
    int m_activeIndex = 255;
    int m_activeSubIndex = 255;

    int m_itemIndex = 0;
    quint8 m_itemCount = 0;
    QString m_error;
    bool m_rangeCutLogged = false;
    int m_lastSize = 0;
};
