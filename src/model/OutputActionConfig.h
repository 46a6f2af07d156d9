#pragma once

#include <QList>

#include <memory>

class OutputActionConfig;
using OutputPtr = std::shared_ptr<OutputActionConfig>;
using OutputList = QList<OutputPtr>;

// One step of an output sequence: the common base of the output records.
// Records are plain data; lists share them through shared pointers, and an
// independent copy is made with clone().
class OutputActionConfig
{
public:
    explicit OutputActionConfig(int typeCode = 0);
    virtual ~OutputActionConfig();

    // A new record of the same class with every field copied.
    virtual OutputPtr clone() const = 0;
    // Same class and every field equal.
    virtual bool equals(const OutputActionConfig &other) const = 0;

    // A list of clones of every record of list (null entries stay null).
    static OutputList cloneList(const OutputList &list);

    int typeCode = 0;

protected:
    OutputActionConfig(const OutputActionConfig &) = default;
    OutputActionConfig &operator=(const OutputActionConfig &) = default;
    bool sameClassAndType(const OutputActionConfig &other) const;
};
