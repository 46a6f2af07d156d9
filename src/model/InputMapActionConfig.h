#pragma once

#include "ModelCodes.h"

#include "OutputActionConfig.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class InputMapActionConfig;
using InputMapPtr = std::shared_ptr<InputMapActionConfig>;
using InputMapList = QList<InputMapPtr>;

// One input mapping: an input of the mouse bound to the outputs run when it
// becomes active (activation) and when it stops (deactivation), with nested
// child mappings. Outputs and children are shared through shared pointers;
// parent is a plain pointer to the mapping this one is nested in.
class InputMapActionConfig : public std::enable_shared_from_this<InputMapActionConfig>
{
public:
    explicit InputMapActionConfig(int inputType = 0);
    InputMapActionConfig(const InputMapActionConfig &) = default;
    virtual ~InputMapActionConfig();

    // A new mapping of the same class with every field copied. The lists hold
    // the same outputs and children as this one, and parent stays the same.
    virtual InputMapPtr clone() const;
    // An independent copy: clones of every output and deep copies of the
    // children, whose parents point into the new tree. The copy of this
    // mapping keeps this mapping's parent.
    InputMapPtr deepCopy() const;
    // Appends child as the last child, with this mapping as its parent.
    // Returns child.
    InputMapPtr addChild(InputMapPtr child);
    // Inputs without a release phase: movement, scroll, force range, angle range.
    bool isActivationOnly() const;

    quint8 blockOnDeactivation = 0;
    int inputType = 0; // 10 button, 20 movement, 30 scroll, 50/52 force, 60/62 angle
    QString name;
    OutputList activationOutputs;
    OutputList deactivationOutputs;
    InputMapList children;
    InputMapActionConfig *parent = nullptr;
};

// The clone() every mapping class shares: Mapping derives from
// InputMapActionOf<Mapping>, and a clone copies the whole mapping (its lists
// still share their outputs and children).
template<class Mapping>
class InputMapActionOf : public InputMapActionConfig
{
public:
    using InputMapActionConfig::InputMapActionConfig;

    InputMapPtr clone() const override { return std::make_shared<Mapping>(static_cast<const Mapping &>(*this)); }
};

// Packs two 12-bit values into three bytes: the low byte of a; the high nibble
// of a (bits 8-11) above the low nibble of b; bits 4-11 of b. Higher bits are
// dropped.
QByteArray packTwelveBitPair(quint16 a, quint16 b);
// The same three bytes appended to bytes.
void appendTwelveBitPair(QByteArray &bytes, quint16 a, quint16 b);
