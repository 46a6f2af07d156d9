#pragma once

#include "ModelCodes.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class OutputActionConfig;
using OutputPtr = std::shared_ptr<OutputActionConfig>;
using OutputList = QList<OutputPtr>;

// One step of an output sequence: the common base of the output records.
// Records are plain data; lists share them through shared pointers, and an
// independent copy is made with clone().
class OutputActionConfig
{
    Q_DECLARE_TR_FUNCTIONS(OutputActionConfig)

public:
    // Answers whether the connected model can perform an output.
    using SupportFilter = std::function<bool(const OutputActionConfig &)>;

    // buttonState of the button, key and media key outputs.
    enum ButtonState : int { ButtonRelease = 0, ButtonTap = 1, ButtonPress = 2 };

    explicit OutputActionConfig(int typeCode = 0);
    virtual ~OutputActionConfig();

    // A new record of the same class with every field copied.
    virtual OutputPtr clone() const = 0;
    // Same class and every field equal.
    virtual bool equals(const OutputActionConfig &other) const = 0;
    // The one-line text that names the output in lists and summaries.
    virtual QString descriptionText() const = 0;

    // A list of clones of every record of list (null entries stay null).
    static OutputList cloneList(const OutputList &list);

    // The descriptions of the outputs the connected model can perform, joined
    // by separator; "Do Nothing" when none is shown; with stopFurther the
    // stop-further-outputs note is appended.
    static QString listText(const OutputList &outputs, bool stopFurther, const QString &separator);
    // The lines that sum up a mapping's press and release outputs: a press of
    // a button or key whose release is also in the lists shows as one tap.
    // The records passed in are not changed.
    static QStringList summaryTexts(const OutputList &press, const OutputList &release);

    // The device object installs a filter from the connected model's
    // features; descriptions of lists leave out the outputs it rejects.
    // An empty filter (the default) accepts every output.
    static void setOutputSupportFilter(SupportFilter filter);
    static bool isSupported(const OutputActionConfig &output);

    // The marker that follows the name of a button or key output:
    // press "↓", release "↑", nothing for a tap.
    static QString stateMarker(int buttonState);

    int typeCode = 0;

protected:
    OutputActionConfig(const OutputActionConfig &) = default;
    OutputActionConfig &operator=(const OutputActionConfig &) = default;
    bool sameClassAndType(const OutputActionConfig &other) const;
};

// The clone() every record class shares: Record derives from
// OutputActionOf<Record>, and a clone copies the whole record.
template<class Record>
class OutputActionOf : public OutputActionConfig
{
public:
    using OutputActionConfig::OutputActionConfig;

    OutputPtr clone() const override { return std::make_shared<Record>(static_cast<const Record &>(*this)); }
};
