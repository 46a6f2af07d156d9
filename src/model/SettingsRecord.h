#pragma once

#include "ModelCodes.h"

#include <tuple>

// One of a profile's device settings records. The tag names the kind of record;
// it is also the output type code under which the record travels to the mouse
// and into the configuration file.
class SettingsRecord
{
public:
    explicit SettingsRecord(int tag);
    virtual ~SettingsRecord();

    // Copies the values of other when it is a record of the same class and
    // returns true; otherwise changes nothing and returns false.
    virtual bool assignFrom(const SettingsRecord &other) = 0;
    virtual bool equals(const SettingsRecord &other) const = 0;

    int tag;

protected:
    SettingsRecord(const SettingsRecord &) = default;
    SettingsRecord &operator=(const SettingsRecord &) = default;
};

// What every kind of record shares: Record derives from
// SettingsRecordOf<Record> and names the values that make two records equal
// in a public fields() that returns them as a tuple.
template<class Record>
class SettingsRecordOf : public SettingsRecord
{
public:
    bool assignFrom(const SettingsRecord &other) override
    {
        const auto *source = dynamic_cast<const Record *>(&other);
        if (!source)
            return false;
        static_cast<Record &>(*this) = *source;
        return true;
    }

    bool equals(const SettingsRecord &other) const override
    {
        const auto *o = dynamic_cast<const Record *>(&other);
        return o && tag == o->tag && static_cast<const Record &>(*this).fields() == o->fields();
    }

protected:
    using SettingsRecord::SettingsRecord;
};
