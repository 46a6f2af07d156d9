#pragma once
// The mapping page of one profile in the expert view: the profile's own
// input mappings as cards, on one of four pages (all mappings, one mouse
// button's, tilt forward / back, tilt left / right), with "+ Restore" of a
// page's missing default mappings and "- Remove" of the page's mappings.
// Beside (or instead of) the cards, the output panel shows the press and
// release sequences of one card with the action name and the sequences'
// footers; inputs are added, changed and deleted through the input choice
// dialog.
//
// The page shows only mappings the current profile owns; which mappings a
// page shows, restores and creates is MappingListRules'. Whatever fills the
// page from the model does so under the model's loading flag, so nothing is
// stored while it runs.

#include "ButtonIds.h"
#include "InputMapActionConfig.h"
#include "LibraryEntry.h"
#include "MappingListRules.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class Mappings;
}
class CardScheduler;
class CurrentPage;
class GeneralInput;
class MapWidget;
class MouseFunctions;
class OutputActions;
class OutputFooter;
class OutputNamer;
class PackageCreator;
class QStandardItemModel;

class Mappings : public QWidget
{
    Q_OBJECT

public:
    explicit Mappings(QWidget *parent = nullptr);
    ~Mappings() override;

    // --- What the profile page calls
    // Before the first load of the Global profile's page.
    void setGlobal(bool global);
    // Stores, then takes the name of the profile whose mappings apply where
    // this one has none; the Global page's cards get their restrictions.
    void setParentName(const QString &name);
    // Only the parent's name the labels give, as a rename changes it;
    // stores nothing.
    void setParentLabel(const QString &name) { parentName = name; }
    // Builds the cards of the current profile's mappings; stores nothing.
    void load();
    // Rebuilds every card from the model; no page is pending afterwards.
    void reload();
    // Rebuilds when the other view left a page to restore, then shows the page.
    void reloadIfRequested();

    void showAll();
    void showButton(int buttonId, const QString &buttonName);
    void showTiltForwardBack();
    void showTiltLeftRight();

    // Whether the current profile owns mappings for a page.
    bool hasButtonMapping(int buttonId, bool exact) const;
    bool hasTiltForwardBack() const;
    bool hasTiltLeftRight() const;

    // A page taken over: its default mappings, then setParentName.
    void addDefaultsAll(const QString &parentName);
    void addDefaultsForButton(int buttonId, const QString &parentName);
    void addDefaultsTiltForwardBack(const QString &parentName);
    void addDefaultsTiltLeftRight(const QString &parentName);
    // Every default mapping anew, or none at all; both store even while the
    // model is loading.
    void resetToDefaults();
    void clearAll();

    // Drops invalid rows of the top-level cards' sequences.
    void refreshOutputs();
    // Every go-to-profile row of every card refills its profile list.
    void updateProfileLists();

    // The top-level cards in list order, every one: those still to be made
    // are made first.
    const QList<MapWidget *> &topLevelCards();
    // Whether every top-level mapping that has a card has it yet.
    bool allCardsMade() const;
    // The input choice dialog; null until first needed.
    GeneralInput *inputDialog() const { return generalInput; }

signals:
    // Cards were deleted.
    void removed();
    // The input names above the card whose outputs are shown, nearest first;
    // empty when a page is shown.
    void setHeaderTree(const QStringList &names);
    // The output panel closed.
    void backToCurrentView();

public slots:
    void removeCliked();
    void restoreCliked();
    void save();
    void connectMapping(MapWidget *card);
    void createChildInputs(MapWidget *parentMap);

    // --- The output panel and input editing
    void setCurrent();
    void showPressOutputs();
    void showReleaseOutputs();
    void hideOutputs();
    void updateOutputs(InputMapActionConfig *newConfig);
    void connectMappingOutputs(MapWidget *map);
    void addPressOutput();
    void addReleaseOutput();
    void outputNamerVisibility(bool state);
    void footerEnableAdd(bool state);
    void releaseFooterEnableAdd(bool state);
    void startRecord(bool start);
    void startRecordRelease(bool start);
    void keyRecorded(int key, bool isPress);
    void keyRecordedRelease(int key, bool isPress);
    void keyHooked(int key, bool isPress);
    void keyHookedRelease(int key, bool isPress);
    void blockOutputs(bool state);
    void recordWaits(bool state);
    void recordWaits();
    void openNewInput(ButtonIds::Id forceButton);
    void openInput();
    void addInputInside(MapWidget *newInput);
    void modifyInput(MapWidget *newInput);
    void deleteInput();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOutputPanel();
    // The action library anew, handed to every card; the old tree model
    // goes once no card holds it.
    void rebuildLibrary();
    MapWidget *createCard(const InputMapPtr &mapping, MapWidget *parentCard);
    // The card of the top-level mapping at that place in the list, with its
    // nested cards and the Global page's restrictions; none (the mapping kept
    // aside) for a type no card shows.
    MapWidget *makeCard(int place, const InputMapPtr &mapping);
    void appendNewCard(MapWidget *card);
    void appendDefaults(const MappingListRules::Defaults &defaults);
    void insertIntoList(MapWidget *card);
    void removeCard(MapWidget *card);
    void deleteAllCards();
    void storeMappings();

    void setPageLabels(const QString &pageName);
    void showPage(const MappingListRules::Page &page, const QString &pageName);

    // Puts the card's freshly loaded lists into the panel and points the
    // output editor at the list of the side asked for.
    void takeOutputs(MapWidget *card, bool pressSide);
    // Runs step on the panel's list of one side (when there is one), then
    // starts that side's scroll timer unless it runs.
    void toList(OutputActions *list, QTimer &scrollTimer, const std::function<void(OutputActions *)> &step);
    void showOutputs(bool pressSide);
    void updateNamer();
    void openPanel();
    void highlightCurrent();
    void clearHighlight();
    GeneralInput *inputChoice();

    std::unique_ptr<Ui::Mappings> ui;
    PackageCreator *model;
    MouseFunctions *device;
    // What the other view left to restore.
    CurrentPage *pageMemory;
    QString parentName;
    LibraryEntryList library;
    std::unique_ptr<QStandardItemModel> libraryModel;
    bool isGlobal = false;
    // Set by the first load.
    bool loaded = false;
    QList<MapWidget *> cards;
    // Top-level mappings of a type no card shows, with their place in the
    // list, so that storing keeps them.
    QList<QPair<int, InputMapPtr>> cardless;
    // Makes the cards past the first screenful in later turns; walking,
    // storing or changing the cards finishes it first.
    CardScheduler *cardSchedule;

    QPointer<MapWidget> currentCard;
    QPointer<MapWidget> highlightedCard;
    GeneralInput *generalInput = nullptr;
    // The cards own their lists; the panel only shows them.
    QPointer<OutputActions> pressList;
    QPointer<OutputActions> releaseList;
    OutputNamer *namer;
    OutputFooter *pressFooter;
    OutputFooter *releaseFooter;
    QTimer pressScrollTimer;
    QTimer releaseScrollTimer;
};
