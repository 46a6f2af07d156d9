#pragma once

#include <QString>
#include <QWidget>

class InputMapActionConfig;
class MouseFunctions;
class PackageCreator;
class QAbstractSpinBox;
class QComboBox;
class QHBoxLayout;
class QLabel;

// The small form that edits the input of one mapping inside an action-layer
// row. A nested mapping's form starts with a combo that changes the kind of
// its input. Every change is written into the mapping at once; an inherited
// mapping is first copied into the current profile, and the form edits the
// copy from then on. After each write the form announces the mapping it wrote
// (syncInputIcon) and the model's change.
class SimpleInputType : public QWidget
{
    Q_OBJECT

public:
    SimpleInputType(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    InputMapActionConfig *mapping() const { return m_mapping; }
    // The kind combo of a nested mapping; null for a top-level one.
    QComboBox *kindCombo() const { return m_kindCombo; }

    // Stores the controls' values into the mapping. The base only announces
    // the model's change.
    virtual void apply();

public slots:
    // Points the form at another mapping; the controls stay as they are.
    void syncConfig(InputMapActionConfig *newConfig);

signals:
    void syncInputIcon(InputMapActionConfig *inputConfig);
    void changeInputType(int type);

protected:
    // The mapping as a Record to write into, copied into the current profile
    // first when it is inherited; null while the model is loading or when the
    // mapping is of another class.
    template<class Record>
    Record *writable()
    {
        if (!dynamic_cast<Record *>(m_mapping))
            return nullptr;
        return static_cast<Record *>(writableMapping());
    }
    // Writes the combo's row into an int field of a Record, then announces.
    template<class Record>
    void storeIndex(const QComboBox *combo, int Record::*field)
    {
        const int index = comboIndex(combo);
        if (index < 0)
            return;
        if (Record *record = writable<Record>()) {
            record->*field = index;
            announce();
        }
    }
    // syncInputIcon with the mapping, then the model's change. Reads nothing
    // of the form after the first signal, whose receivers may replace it.
    void announce();

    QLabel *addLabel(const QString &text, int width, bool centred);
    QComboBox *addCombo(const QStringList &items, int width);
    // A centred label and a wide combo of items, then room to the right.
    QComboBox *addChoice(const QString &label, int labelWidth, const QStringList &items, const QString &objectName);
    // Centred, without arrow buttons, styled; added to the layout.
    void addSpinBox(QAbstractSpinBox *spin, int width);
    void addSpacer(int width, bool expanding);

    QHBoxLayout *m_layout;
    QString m_modelKey;
    PackageCreator *m_model;
    MouseFunctions *m_device;
    InputMapActionConfig *m_mapping;

private:
    static int comboIndex(const QComboBox *combo);
    InputMapActionConfig *writableMapping();
    void styleCombo(QComboBox *combo);

    QComboBox *m_kindCombo = nullptr;
};
