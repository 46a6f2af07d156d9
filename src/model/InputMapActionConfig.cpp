#include "InputMapActionConfig.h"

InputMapActionConfig::InputMapActionConfig(int inputType)
    : inputType(inputType)
{
}

InputMapActionConfig::~InputMapActionConfig() = default;

InputMapPtr InputMapActionConfig::clone() const
{
    return std::make_shared<InputMapActionConfig>(*this);
}

InputMapPtr InputMapActionConfig::deepCopy() const
{
    InputMapPtr copy = clone();
    copy->activationOutputs = OutputActionConfig::cloneList(activationOutputs);
    copy->deactivationOutputs = OutputActionConfig::cloneList(deactivationOutputs);
    copy->children.clear();
    for (const InputMapPtr &child : children) {
        if (!child) {
            copy->children.append(InputMapPtr());
            continue;
        }
        copy->addChild(child->deepCopy());
    }
    return copy;
}

InputMapPtr InputMapActionConfig::addChild(InputMapPtr child)
{
    child->parent = this;
    children.append(child);
    return child;
}

bool InputMapActionConfig::isActivationOnly() const
{
    return inputType == InputType::Movement || inputType == InputType::Scroll || inputType == InputType::ForceRange
           || inputType == InputType::AngleRange;
}

QByteArray packTwelveBitPair(quint16 a, quint16 b)
{
    QByteArray bytes;
    appendTwelveBitPair(bytes, a, b);
    return bytes;
}

void appendTwelveBitPair(QByteArray &bytes, quint16 a, quint16 b)
{
    bytes.append(char(a & 0xFF));
    bytes.append(char(((a >> 4) & 0xF0) | (b & 0x0F)));
    bytes.append(char((b >> 4) & 0xFF));
}
