#pragma once

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
