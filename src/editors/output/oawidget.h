#pragma once

#include "OutputActionConfig.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QWidget>

#include <memory>

class ComboBox;
class PackageCreator;
class QDoubleSpinBox;
class QSpinBox;

// The base of every output page: the small editor of one output record that
// sits in a row of an output sequence. The row drives any page through the
// virtual operations below without knowing its kind.
//
// A page holds its own record. It gets one either from load() (a record of
// the model's list, shared with it) or from ensureConfig() (a new record of
// the page's kind, which joins the model's list when the sequence saves).
// Switching the row to another page leaves each page with its record; no page
// ever deletes one.
//
// The model's loading flag: while PackageCreator::loading is set, save()
// still creates the page's own record and writes into it (it is in no list
// yet) and still sets the controls' visibility, but writes nothing into a
// record that load() gave it, and emits nothing.
//
// How a page is built:
// - the constructor puts the controls into pageLayout() left to right (a
//   stretch last), connects their change signals to save(), and, for pages
//   that start with a record, calls save() once so the fresh record holds the
//   start values;
// - ensureConfig() calls createRecord<Record>(type code);
// - load() calls takeRecord<Record>(record) first and returns when it fails,
//   then sets the controls with their signals blocked;
// - save() calls ensureConfig(), writes the controls into record<Record>()
//   only where mayWrite() allows, and ends with announce(), or on a page with
//   a press mode with saveButtonState(); load() shows that mode with
//   showButtonState();
// - a page with a second line builds it into createExtraRow(), which
//   extraRowWidget() then returns and show() and hide() show and hide with
//   the page, and reports hasExtraRow() while it is needed.
class oawidget : public QWidget
{
    Q_OBJECT

public:
    // The size of the combos on a page, the shared ones included.
    static constexpr int comboWidth = 170;
    static constexpr int comboHeight = 30;

    // The row makes the page in the widget of its first line and puts it
    // into that line's layout.
    explicit oawidget(QWidget *parent = nullptr);
    ~oawidget() override;

    // The record this page edits; null until ensureConfig() or load().
    OutputPtr config() const { return m_record; }

    // True when the page's content cannot be saved (the row turns red and the
    // sequence leaves it out). May restyle the page to show why.
    virtual bool isInvalid();
    // True when the page needs the row's second line.
    virtual bool hasExtraRow() const;
    // True when the page shows its advanced controls (the row's tallest height).
    virtual bool isAdvanced() const;
    // The widget a two-line page puts on the row's second line; the row places
    // it in its own layout and so becomes its parent. Null for a one-line page.
    virtual QWidget *extraRowWidget() const;
    // The row shows its current page and hides the others through these; a
    // page with widgets outside itself (its second line) shows and hides them
    // too. Call them through oawidget: QWidget's own are not virtual.
    virtual void show();
    virtual void hide();

    // Makes record the page's record and sets the controls from it without
    // saving; a record of another class is refused with a warning. Emits
    // nothing, except where a page's load ends with a save.
    virtual void load(const OutputPtr &record) = 0;
    // Creates the page's record of its kind when it has none yet; a present
    // record is kept.
    virtual void ensureConfig() = 0;

    // The mode combo's rows are Tap, Press, Release; the records keep
    // buttonState 1, 2, 0. -1 for a row or state outside these.
    static int buttonStateForRow(int row);
    static int rowForButtonState(int buttonState);

public slots:
    // Writes the controls into the record (creating it first) and emits
    // updated(). Connected to the change signals of the page's controls.
    virtual void save() = 0;

signals:
    void updated();
    // The page was set to Press: the sequence may add the matching release.
    // Emitted before updated(), only by pages with a press mode.
    void autoReleaseAdd();

protected:
    // The page's own horizontal layout: no margins, spacing 15.
    QHBoxLayout *pageLayout() const { return m_layout; }
    // The widget of the page's second line, made once, without a parent until
    // the row places it; the page deletes it unless the row did first. Its
    // layout is the caller's.
    QWidget *createExtraRow();

    // The shared combos, parented to the page, 170 x 30; the page places them
    // and connects them to save().
    // Rows "Tap", "Press", "Release" (buttonStateForRow maps them).
    ComboBox *createModeCombo();
    // Rows "Continue", "Wait..." (go on at once, or wait for the output to end).
    ComboBox *createWaitCombo();
    // A 170 x 30 combo with these items, parented to the page.
    ComboBox *createCombo(const QStringList &items);
    // A spin box parented to the page, without arrow buttons, its text centred.
    QSpinBox *createSpinBox(int minimum, int maximum, int start);
    // The seconds box of a timed output (vibration, OLED flash): 0 to 99 s,
    // two decimals, step 0.1, parented to parent.
    static QDoubleSpinBox *createDurationSpin(double start, const QString &suffix, QWidget *parent);
    // Brings a duration box above 10 s, the longest a timed output lasts,
    // down to 10 s (setting the box, which saves again).
    static void limitDuration(QDoubleSpinBox *spin);
    // Seconds in hundredths, rounded to the nearest: a typed 0.29 s is 29,
    // where truncating the product would give 28.
    static int hundredths(double seconds) { return qRound(seconds * 100); }

    // The record as its class. Only valid after ensureConfig() or a
    // successful takeRecord() of that class.
    template<class Record>
    Record *record() const
    {
        return static_cast<Record *>(m_record.get());
    }
    // The first step of load(): takes record when it is a Record.
    template<class Record>
    bool takeRecord(const OutputPtr &record)
    {
        if (!std::dynamic_pointer_cast<Record>(record)) {
            refuseRecord(record);
            return false;
        }
        m_record = record;
        m_loaded = true;
        return true;
    }
    // The body of ensureConfig(): a new Record with the type code, unless the
    // page has a record.
    template<class Record>
    Record *createRecord(int typeCode)
    {
        if (!m_record) {
            m_record = std::make_shared<Record>(typeCode);
            m_loaded = false;
        }
        return record<Record>();
    }

    // Whether save() may write into the record: always into the page's own,
    // into one that load() gave it only while the model is not loading.
    bool mayWrite() const;
    // The end of save(): unless the model is loading, emits autoReleaseAdd()
    // when buttonState is a press, then updated().
    void announce(int buttonState = OutputActionConfig::ButtonTap);
    // The end of save() on a page with a mode combo: writes the combo's state
    // into buttonState where mayWrite() allows, then announces it.
    void saveButtonState(const ComboBox *modeCombo, int &buttonState);
    // In load(): the mode combo to the row of buttonState, without a signal;
    // a state of no row leaves it as it is.
    static void showButtonState(ComboBox *modeCombo, int buttonState);

private:
    void refuseRecord(const OutputPtr &record) const;

    QHBoxLayout *m_layout;
    QPointer<QWidget> m_extraRow;
    PackageCreator *m_model;
    OutputPtr m_record;
    bool m_loaded = false;
};
