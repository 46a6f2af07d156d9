#pragma once

#include "ButtonIds.h"
#include "InputMapActionConfig.h"
#include "LibraryEntry.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

Q_DECLARE_METATYPE(ButtonIds::Id)

namespace Ui {
class MapWidget;
}
class InputMapAction_Angle;
class MenuList;
class OutputActions;
class OutputBar;
class PackageCreator;
class QStandardItemModel;

// The card of one input mapping in the expert view's mapping list: a press
// row (the input's caption and a summary of the press outputs), a release
// row, and between them the cards of the nested mappings, each a little
// lighter than its parent. A menu adds, saves, copies, pastes, clears and
// deletes; an output picker opens the action library or records a shortcut.
//
// The card edits its mapping in place and keeps it alive; the profile's tree
// stays its owner. The two output sequence editors are made on request
// (loadOutputs); the card deletes them when it replaces them and when it is
// destroyed, so whoever shows them holds them through QPointer.
//
// Abstract: each kind of input supplies its captions, rows, menu, defaults
// and kind of output editor.
class MapWidget : public QWidget
{
    Q_OBJECT

public:
    // A card for a new mapping, in the default grey.
    MapWidget(bool topLevel, bool isGlobal, QWidget *parent);
    // A card for an existing mapping; top-level without a parent card, else
    // a shade lighter than the parent card.
    MapWidget(bool isGlobal, MapWidget *parentCard, QWidget *parent);
    ~MapWidget() override;

    // Take over the input settings of another angle mapping.
    virtual void copyAngleSettings(const InputMapAction_Angle *other);
    // The default outputs (and nested inputs) of a newly added mapping.
    virtual void applyDefaults();
    // Locks what the global profile's built-in cards may not change.
    virtual void applyRestrictions();
    virtual QString inputName() const = 0;
    virtual QString pressText() const = 0;
    virtual QString releaseText() const = 0;
    // Re-reads the mapping into the texts of this card and every card below:
    // captions, summaries, widths, then the nested cards.
    virtual void syncMapping();
    virtual QStringList buildMenu();
    // A new unattached, not top-level card of the same kind on a new mapping
    // with the same input settings and no outputs.
    virtual MapWidget *createEmptyCopy() const = 0;
    virtual void pasteMappings();
    virtual OutputActions *createOutputActions();

    InputMapActionConfig *config() const { return m_config.get(); }
    const InputMapPtr &configPtr() const { return m_config; }
    // Null until loadOutputs(); the release list only for a release phase.
    OutputActions *pressOutputs() const;
    OutputActions *releaseOutputs() const;
    bool isTopLevel() const { return m_topLevel; }
    bool isGlobal() const { return m_global; }
    MapWidget *parentCard() const { return m_parentCard; }
    QList<MapWidget *> childCards() const { return m_childCards; }
    QColor backgroundColor() const { return m_color; }
    // The output picker, made when first opened or asked for.
    OutputBar *outputBar() const;

    // Makes new, hidden output editors bound to the mapping's lists.
    void loadOutputs();
    // The widget that holds the nested cards: a nested card made there is
    // not moved when it is added.
    QWidget *childArea() const;
    void addChildWidget(MapWidget *child);
    // Puts child where replaced stands, with replaced's outputs, name, flag
    // and nested inputs. The caller removes replaced afterwards.
    void insertChildWidget(MapWidget *replaced, MapWidget *child);
    // Takes child out of the card and its mapping out of this mapping's
    // children; the child card is not deleted.
    void removeChildWidget(MapWidget *child);
    // The card of a nested mapping, by its input type; null for a type no
    // card shows.
    static MapWidget *createChildWidget(const InputMapPtr &mapping, MapWidget *parentCard);
    void setOutputModel(const LibraryEntryList &entries, QStandardItemModel *model);
    static void setParentCard(MapWidget *parent, MapWidget *child);
    void adjustWidths();
    // Appends clones of source's outputs to target's and takes its name and
    // block flag; nothing between an analog input and another type.
    static void copyMapping(const InputMapActionConfig *source, InputMapActionConfig *target);
    // Builds cards under target for source's nested mappings, adopting them
    // (source must be a tree nobody else holds).
    void addChildrenFrom(const InputMapPtr &source, MapWidget *target);

    // The colour a nested card takes under a card of colour parent.
    static QColor nestedColor(const QColor &parent);

signals:
    void inputPress();
    void inputRelease();
    void outputPress();
    void outputRelease();
    void syncOutputs(InputMapActionConfig *newConfig);
    void clicked();
    void menuAdd(ButtonIds::Id forceButton);
    void customActionUpdated();
    void menuDelete();
    void inputAdded(MapWidget *input);
    void addChildren(MapWidget *parentMap);

public slots:
    void showExpertLibrary();
    void hideExpertLibrary();
    void startRecording();
    void showMenu();
    virtual void menuHandler(int item);
    void menuVisibilityChanged(bool visible);
    void menuClearOutputs();
    void addChildMapWidget(InputMapActionConfig *childConfig);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Binds the mapping; the kinds call it from their constructors.
    void setConfig(const InputMapPtr &config);
    // Shows only the press row (inputs without a release phase).
    void hideReleaseRow();
    void setCaptionsEnabled(bool enabled);
    void setSummariesEnabled(bool enabled);
    // Stores list as the mapping's press or release outputs through the
    // model, with an empty name.
    void storeOutputs(const OutputList &list, bool activation);
    // A menu of these items followed by "Delete Input", which a card that is
    // top-level in the global profile leaves out.
    QStringList menuOf(const QStringList &items) const;
    // Runs an item of a menu without "Add" (the kinds whose menu starts at
    // "Save"); an item outside it saves.
    void menuHandlerWithoutAdd(int item);
    // Runs an item of the analog inputs' menu ("Save", "Clear Outputs",
    // "Delete Input"); an item outside it saves.
    void menuHandlerForRange(int item);
    // An angle in tenths of a degree as the captions show it: "1.2ᵒ", "-4ᵒ".
    static QString degreeText(int tenths);

    std::unique_ptr<Ui::MapWidget> ui;
    PackageCreator *m_model;

private:
    void setUp();
    void replaceOutputs(QPointer<OutputActions> &list, bool activation);
    void followConfig(InputMapActionConfig *newConfig);
    OutputBar *picker();
    void openPicker();
    void unlinkChild(MapWidget *child);

    MapWidget *m_parentCard = nullptr;
    QList<MapWidget *> m_childCards;
    QColor m_color;
    QFont m_font;
    MenuList *m_menu = nullptr;
    QPointer<OutputActions> m_pressOutputs;
    QPointer<OutputActions> m_releaseOutputs;
    OutputBar *m_outputBar = nullptr;
    // What the picker lists once it is made.
    LibraryEntryList m_libraryEntries;
    QPointer<QStandardItemModel> m_libraryModel;
    InputMapPtr m_config;
    bool m_topLevel;
    bool m_global;
};
