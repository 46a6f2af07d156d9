#pragma once

#include "SampleModel.h"

#include <QString>
#include <QStringList>

#include <random>

// Large models made from a seed, for the writer comparison test and the
// benchmarks. The same shape and seed give the same model.
//
// Every profile, the global one included, gets its own settings, two linked
// applications, two profile outputs and a number of top-level mappings that
// cycle through the six input kinds a top level keeps, plus nested mappings
// (movement among them) in chains up to three deep; every mapping gets a few
// outputs of every kind. Every fourth profile is a sub-profile of one of the
// first top-level profiles.
//
// A plain model survives a write and a read unchanged. A varied one does not
// need to: it adds what the writer must cope with but the editors rarely
// make (profiles without settings or mappings, texts that need escaping,
// numbers outside the word tables, empty list entries, a mapping listed
// twice, an input of no known kind).
namespace ModelGenerator {

struct Shape
{
    int profiles = 40;
    int mappings = 60;
    int nested = 6;
    int outputs = 3;
    bool varied = false;
};

class Generator
{
public:
    Generator(const Shape &shape, quint32 seed)
        : m_shape(shape)
        , m_random(seed)
        , m_pool(SampleModel::everyOutput())
    {}

    void build()
    {
        PackageCreator *model = PackageCreator::instance();
        ProfileData *global = SampleModel::emptyModel();
        if (!m_shape.varied || chance(4))
            model->setOwnSettings(true, false);
        fill(global, 0);

        const int subProfiles = m_shape.profiles / 4;
        const int topLevel = m_shape.profiles - subProfiles;
        int made = 1;
        for (int i = 0; i < topLevel; ++i) {
            fill(add(i, 255, made), made);
            ++made;
            if (i < subProfiles) {
                fill(add(i, 0, made), made);
                ++made;
            }
        }

        const QList<ProfileData *> profiles = model->profiles();
        if (!profiles.isEmpty() && (!m_shape.varied || chance(2)))
            profiles.at(pick(profiles.size()))->isDefault = true;
        model->setAutoSwitching(!m_shape.varied || chance(2));
        for (int i = 0, count = m_shape.varied ? pick(4) : 3; i < count; ++i) {
            LastSelectedEntry entry{text(QStringLiteral("/opt/app%1/bin/run").arg(i)), quint8(pick(256)),
                                    quint8(pick(256))};
            model->lastSelected(entry);
        }
        model->setCurrentProfile(global);
    }

private:
    // Uniform in 0 .. n-1 (0 when n is below 2).
    int pick(int n) { return n < 2 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int oneIn) { return pick(oneIn) == 0; }
    quint8 byteFrom(std::initializer_list<int> values) { return quint8(*(values.begin() + pick(int(values.size())))); }
    // A value of the table, or now and then (varied models) any byte.
    quint8 tableValue(std::initializer_list<int> values)
    {
        return m_shape.varied && chance(8) ? quint8(pick(256)) : byteFrom(values);
    }

    // Plain text, or in varied models text that needs escaping: quotes,
    // backslashes, control characters, non-Latin letters, a character
    // outside the basic plane and now and then a lone surrogate.
    QString text(const QString &plain)
    {
        if (!m_shape.varied || chance(3))
            return plain;
        static const QStringList extras = {
            QStringLiteral("\"quoted\""),
            QStringLiteral("back\\slash"),
            QStringLiteral("tab\there"),
            QStringLiteral("line\nbreak\r"),
            QString(QChar(0x01)) + QChar(0x1f) + QChar(0x7f) + QChar(0x08) + QChar(0x0c),
            QStringLiteral("Gr\u00fc\u00dfe \u00e9t\u00e9"),
            QStringLiteral("\u041f\u0440\u043e\u0444\u0438\u043b\u044c \u30d7\u30ed"),
            QString::fromUcs4(U"\U0001F3AE pad"),
            QString(QChar(0xd83c)) + QStringLiteral(" lone"),
            QStringLiteral("end ") + QChar(0xdc00),
            QStringLiteral("\u2028\ufeff\uffff"),
            QString(),
        };
        return plain + extras.at(pick(extras.size()));
    }

    ProfileData *add(int index, int subIndex, int number)
    {
        PackageCreator *model = PackageCreator::instance();
        ProfileData *profile = model->addProfile(index, subIndex, text(QStringLiteral("Profile %1").arg(number)));
        if (!m_shape.varied || !chance(4))
            model->setOwnSettings(true, false);
        return profile;
    }

    OutputPtr output()
    {
        if (m_shape.varied && chance(40))
            return OutputPtr();
        OutputPtr made = m_pool.at(pick(m_pool.size()))->clone();
        if (auto *text = dynamic_cast<OutputAction_Keyboard *>(made.get()); text && m_shape.varied)
            text->keyString += QByteArray("\\\"\x01\xe9\x7f", pick(6));
        return made;
    }

    void fill(ProfileData *profile, int number)
    {
        profile->linkedAppPaths = QStringList{text(QStringLiteral("/usr/bin/tool%1").arg(number)),
                                              QStringLiteral("C:\\Games\\game%1.exe").arg(number)};
        profile->linkedAppNames =
            QStringList{text(QStringLiteral("Tool %1").arg(number)), QStringLiteral("Game \"%1\"").arg(number)};
        if (m_shape.varied && chance(5)) {
            profile->linkedAppPaths.clear();
            profile->linkedAppNames.clear();
        }
        fillSettings(*profile);
        if (profile->hasOwnSettings() || (m_shape.varied && chance(6))) {
            for (int i = 0; i < 2; ++i)
                profile->profileOutputs.append(output());
        }

        if (m_shape.varied && chance(6))
            return; // no mappings at all
        InputMapList top;
        for (int i = 0; i < m_shape.mappings; ++i)
            top.append(mapping(topLevelKinds[i % 6], QStringLiteral("Mapping %1").arg(i)));
        // Chains of one, two and three below the first top-level mappings.
        for (int placed = 0, chain = 1; placed < m_shape.nested && !top.isEmpty(); ++chain) {
            InputMapPtr parent = top.at((chain - 1) % top.size());
            for (int depth = 0; depth < chain && placed < m_shape.nested; ++depth, ++placed) {
                const int kind = allKinds[(placed + depth) % 7];
                parent = parent->addChild(mapping(kind, QStringLiteral("Nested %1").arg(placed)));
            }
        }
        if (m_shape.varied && top.size() >= 2) {
            if (chance(2))
                top.append(top.at(1)); // one mapping listed twice
            if (chance(3))
                top.append(InputMapPtr());
            if (chance(3))
                top.append(std::make_shared<InputMapActionConfig>(99)); // no known kind
        }
        profile->inputMaps = top;
    }

    void fillSettings(ProfileData &profile)
    {
        auto &dpi = profile.dpiRecord;
        dpi.levelCount = quint8(1 + pick(5));
        dpi.separateXY = quint8(pick(2));
        dpi.currentLevel = quint8(pick(dpi.levelCount));
        dpi.dpiValues.clear();
        for (int i = 0; i < dpi.levelCount * (dpi.separateXY ? 2 : 1); ++i)
            dpi.dpiValues.append(quint16(100 + 50 * pick(320)));
        profile.reportIntervalRecord.reportInterval = tableValue({1, 2, 4, 8});
        profile.liftOffRecord.liftOffLevel = tableValue({2, 3});
        profile.gameDeviceRecord.gameDevice = tableValue({0, 1});
        profile.ledRecord.ledMode = tableValue({0, 1, 2});
        // A file keeps the colour of a fixed colour only.
        if (profile.ledRecord.ledMode == 1 || m_shape.varied) {
            for (int i = 0; i < 3; ++i)
                profile.ledRecord.colour1[i] = quint8(pick(256));
        }
        profile.oledRecord.oledMode = tableValue({0, 1, 2, 3, 4, 5, 6, 7});
        profile.oledRecord.message =
            profile.oledRecord.oledMode == 1 ? QByteArray("Hello ") + QByteArray::number(pick(1000)) : QByteArray();
        profile.autoReleaseRecord.autoRelease = tableValue({0, 1});
        profile.tiltAutoZeroingRecord.tiltAutoZeroing = tableValue({0, 1});
    }

    InputMapPtr mapping(int kind, const QString &name)
    {
        InputMapPtr made;
        switch (kind) {
        case InputType::Button: {
            auto button = std::make_shared<InputMapAction_Button>(kind);
            button->buttonId = m_shape.varied && chance(8) ? quint8(pick(256)) : quint8(pick(13));
            button->activeState = tableValue({0, 1});
            made = button;
            break;
        }
        case InputType::Movement: {
            auto movement = std::make_shared<InputMapAction_Movement>(kind);
            movement->direction = tableValue({0, 1, 2, 3, 6});
            movement->countDivisor.setValue(quint16(1 + pick(0xFFFF)));
            movement->repeat = quint8(pick(2));
            made = movement;
            break;
        }
        case InputType::Scroll: {
            auto scroll = std::make_shared<InputMapAction_Scroll>(kind);
            scroll->wheelDirection = tableValue({0, 1, 2});
            made = scroll;
            break;
        }
        case InputType::ForceRegion:
        case InputType::ForceRange: {
            auto force = std::make_shared<InputMapAction_Force>(kind);
            force->buttonId = quint8(pick(13));
            force->entryStart = quint16(pick(500));
            force->entryEnd = quint16(500 + pick(501));
            force->exitStart = quint16(pick(500));
            force->exitEnd = quint16(500 + pick(501));
            force->forceDirection = tableValue({0, 1, 2});
            force->activeState = tableValue({0, 1});
            if (kind == InputType::ForceRange) {
                // A file keeps the mirror flag and the first range only.
                force->rangeMode = byteFrom({3, 4});
                force->exitStart = 0;
                force->exitEnd = 1000;
                force->forceDirection = 0;
                force->activeState = 1;
            }
            made = force;
            break;
        }
        default: {
            auto angle = std::make_shared<InputMapAction_Angle>(kind);
            angle->axis = tableValue({0, 1, 2});
            angle->entryStart = quint16(pick(1800));
            angle->entryEnd = quint16(1800 + pick(1801));
            angle->exitStart = m_shape.varied && chance(4) ? quint16(0xFFF6) : quint16(pick(1800));
            angle->exitEnd = quint16(1800 + pick(1801));
            angle->angleDirection = tableValue({0, 1, 2});
            angle->activeState = tableValue({0, 1});
            if (kind == InputType::AngleRange) {
                angle->rangeMode = byteFrom({3, 4});
                angle->angleDirection = 2;
                angle->activeState = 1;
            }
            made = angle;
            break;
        }
        }
        made->name = m_shape.varied || chance(2) ? text(name) : QString();
        made->blockOnDeactivation = quint8(pick(2));
        const int activations = 1 + pick(m_shape.outputs);
        for (int i = 0; i < m_shape.outputs; ++i)
            (i < activations ? made->activationOutputs : made->deactivationOutputs).append(output());
        return made;
    }

    static constexpr int topLevelKinds[6] = {InputType::Button,     InputType::Scroll,      InputType::ForceRegion,
                                             InputType::ForceRange, InputType::AngleRegion, InputType::AngleRange};
    static constexpr int allKinds[7] = {InputType::Movement,    InputType::Button,     InputType::Scroll,
                                        InputType::ForceRegion, InputType::ForceRange, InputType::AngleRegion,
                                        InputType::AngleRange};

    Shape m_shape;
    std::mt19937 m_random;
    OutputList m_pool;
};

// Fills the store with a model of that shape.
inline void build(const Shape &shape, quint32 seed = 1)
{
    Generator(shape, seed).build();
}

// The largest number of profiles of that shape whose package can be built:
// the global profile's header counts its three built-in items, its mappings
// and every top-level profile in one byte.
inline int largestProfileCount(const Shape &shape)
{
    const int topLevel = 255 - 3 - (shape.mappings + shape.nested);
    // Of n profiles, n - n / 4 are top-level profiles.
    int profiles = topLevel;
    while ((profiles + 1) - (profiles + 1) / 4 <= topLevel)
        ++profiles;
    return profiles;
}

} // namespace ModelGenerator
