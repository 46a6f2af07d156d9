#pragma once

#include "OutputActionConfig.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class OutputAction;
}
class ComboBox;
class PackageCreator;
class QLabel;
class oawidget;

// One numbered row of an output sequence. A fresh row offers one combo,
// "Select Output Type", whose pop-up lists the categories of output the
// connected mouse can perform; choosing one replaces it by the category's
// sub-type combo and shows the page that edits the chosen kind. load() does
// the same by itself for a record, by its type code.
//
// The row keeps every page it has made (each with its own record) and shows
// only the current one; config() is the current page's record. It carries
// the buttons that delete, duplicate and drag it, and a help button for some
// kinds.
//
// While the model is loading the row writes nothing into it and emits no
// updated().
class OutputAction : public QWidget
{
    Q_OBJECT

public:
    // The kind of sequence a row belongs to: it decides the categories.
    enum InputKind { SettingsList = 0, DigitalInput = 1, AnalogTilt = 2, AnalogForce = 3 };
    // The row's minimum heights: one line, a page with a second line, a page
    // showing its advanced controls.
    static constexpr int oneLineHeight = 60;
    static constexpr int twoLineHeight = 92;
    static constexpr int advancedHeight = 240;

    // number: the row's 1-based place; axis: the tilt axis (1 to 3) of an
    // analog tilt list, else 0.
    OutputAction(int number, int inputKind, int axis, QWidget *parent = nullptr);
    ~OutputAction() override;

    // The categories of the connected model, key to title, in key order.
    QMap<int, QString> categories() const;

    // Shows the kind of the record: category, sub-type and page, then the
    // page takes the record. A record no page shows (an unknown type code, or
    // a record of another class than its type's) builds nothing.
    void load(const OutputPtr &record);
    // The current page's record; null without a page.
    OutputPtr config() const;
    // A category has been chosen.
    bool hasType() const { return typeChosen; }
    // The current page's content cannot be saved.
    bool isInvalid() const;
    // The red border of a row the sequence leaves out.
    void setInvalid(bool invalid);

    int number() const { return m_number; }
    void setNumber(int number);
    // The centre of the drag button, in the row's coordinates.
    QPoint dragHotSpot() const;
    // This row releases what other presses: the same button or key (or
    // joystick button), this row set to Release. False for a row without a
    // type.
    bool isReleaseOf(const OutputAction *other) const;
    // Makes the row the recording placeholder of a sequence: no category
    // combo and no buttons, only the prompt to press keys.
    void makePlaceholder();
    // A go-to-profile row refills its profile list (the profiles changed).
    void refreshProfileList();

public slots:
    // Shows the current page alone, sets the row's height for it and the
    // help and duplicate buttons.
    void updateView();
    // A sub-type chosen in the sequence-step combo.
    void actSelected(int index);
    // Unless the model is loading: updateView(), then updated(). Every
    // page's updated() comes here.
    void save();

signals:
    void typeSelected(bool state);
    void deleteMe();
    void checkOutputs(int type);
    void dragMe();
    void duplicateMe();
    void releaseMe();
    void updated();
    void autoReleaseAdd();

private:
    // The categories as the row builds them; the joystick's is key 0 of an
    // analog list.
    enum Category {
        MouseCategory,
        KeyboardCategory,
        VibrationCategory,
        LightingCategory,
        StepsCategory,
        JoystickButtonsCategory,
        TrackingCategory,
        ProfileCategory,
        JoystickCategory
    };
    enum PageKind {
        MouseClickPage,
        ScrollPage,
        PointerPage,
        TextPage,
        LettersPage,
        SymbolsPage,
        ModifiersPage,
        FunctionsPage,
        KeypadPage,
        MediaPage,
        VibrationPage,
        LogoPage,
        OledPage,
        AlternatePage,
        RepeatPage,
        StopPage,
        WaitPage,
        JoystickButtonsPage,
        DpiPage,
        LiftPage,
        ProfilePage,
        TiltPage,
        JoystickPage,
        pageKindCount,
        NoPage = pageKindCount
    };
    // Where load() shows a record.
    struct Placement
    {
        Category category;
        int row;
    };

    bool isAnalogList() const { return inputKind == AnalogTilt || inputKind == AnalogForce; }
    bool placementOf(const OutputActionConfig &record, Placement *placement) const;
    static PageKind kindAt(Category category, int row);
    // The sub-type rows of a category for the connected model; a loaded
    // record may need a row the model lacks, so at least minimumRows of the
    // category's rows are listed.
    QStringList subTypeItems(Category category, int minimumRows) const;

    void chooseCategory(int popupRow);
    void buildCategory(Category category, int row);
    void choosePage(Category category, int row);
    oawidget *page(PageKind kind);
    oawidget *makePage(PageKind kind);

    std::unique_ptr<Ui::OutputAction> ui;
    PackageCreator *model;
    int m_number;
    const int inputKind;
    const int axis;
    int nextComboPosition = 1;
    ComboBox *categoryCombo;
    ComboBox *subTypeCombo = nullptr;
    std::array<ComboBox *, JoystickCategory + 1> subTypeCombos{};
    Category currentCategory = MouseCategory;
    PageKind currentKind = NoPage;
    oawidget *current = nullptr;
    QVector<oawidget *> pages;
    std::array<oawidget *, pageKindCount> pageOfKind{};
    QLabel *placeholderLabel = nullptr;
    bool typeChosen = false;
    bool markedInvalid = false;
};
