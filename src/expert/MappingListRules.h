#pragma once
// The rules of the expert view's mapping page that need no widget, over a
// profile's top-level mappings: whether the profile owns mappings for a
// page, which top-level mappings a page shows and how many it expects, what
// "+ Restore" adds, and the default mappings of a page taken over. The page
// itself only builds, shows and deletes the cards these rules name.

#include "InputMapActionConfig.h"

#include <QList>
#include <QVector>

#include <array>

class MappingListRules
{
public:
    // One of the four pages of the mapping list.
    struct Page
    {
        enum Kind { All, Button, TiltForwardBack, TiltLeftRight };
        Kind kind = All;
        int buttonId = 13; // Button pages only

        static Page all() { return {All, 13}; }
        static Page button(int id) { return {Button, id}; }
        static Page tiltForwardBack() { return {TiltForwardBack, 13}; }
        static Page tiltLeftRight() { return {TiltLeftRight, 13}; }
    };

    // A default mapping as the card constructors take it.
    struct Default
    {
        enum Kind { Button, Scroll, TiltRegion, TiltRange };
        Kind kind = Button;
        int value = 0;              // the button id, the scroll direction or the tilt axis
        int angle = 0;              // region: 12, 100, -12 or -100
        std::array<int, 4> range{}; // range: left lower, left upper, right lower, right upper
        bool mirrored = false;      // range

        static Default button(int id) { return {Button, id, 0, {}, false}; }
        static Default scroll(int direction) { return {Scroll, direction, 0, {}, false}; }
        static Default tiltRegion(int axis, int angle) { return {TiltRegion, axis, angle, {}, false}; }
        // The range default of an axis: left / right (0) is wider than
        // forward / back (1).
        static Default tiltRange(int axis);
        bool operator==(const Default &other) const;
        bool operator!=(const Default &other) const { return !(*this == other); }
    };
    using Defaults = QVector<Default>;

    // The tilt axes of the two tilt pages.
    static constexpr int leftRightAxis = 0;
    static constexpr int forwardBackAxis = 1;

    explicit MappingListRules(InputMapList maps);

    // --- Existence tests
    bool hasScrollMapping(int direction) const;
    bool hasTiltRange(int axis) const;
    // Region mappings of axis whose region starts at 0 (positive) or above.
    int countTiltRegions(int axis, bool positive) const;
    bool hasTiltLeftRight() const;
    bool hasTiltForwardBack() const;
    // A button mapping of id; a trigger push counts its pull (9 -> 10,
    // 11 -> 12, not the other way), and unless exact the middle button
    // counts the wheel's scroll mappings.
    bool hasButtonMapping(int id, bool exact) const;

    // --- Pages
    // The buttons of a button page: both halves of a trigger, else the one.
    static QList<int> pageButtons(int id);
    // How many top-level mappings a page stands for; 0 on the All page.
    static int expectedCount(const Page &page);
    // Whether a top-level mapping's card shows on the page. The All page
    // shows tilt cards only on a model with a tilt sensor.
    static bool shownOnPage(const Page &page, const InputMapActionConfig &mapping, bool tiltModel);
    // Whether a nested card shows on the All page: the force cards directly
    // under the right, middle and right fingertip buttons only on a model
    // with a tilt sensor, every other card always.
    static bool nestedShownOnAll(const InputMapActionConfig &parent, const InputMapActionConfig &child, bool tiltModel);
    // Whether the page offers "+ Restore": fewer of its mappings than it
    // expects are in the list. Never on the All page.
    bool offersRestore(const Page &page) const;

    // --- "+ Restore"
    // Whether a top-level mapping is one "+ Restore" restores from: a
    // middle button or trigger button, a scroll or any tilt mapping.
    static bool restoresFrom(const InputMapActionConfig &mapping);
    // What "+ Restore" adds when the first mapping it restores from among
    // those shown is that one; nothing when none of them is.
    Defaults restore(const InputMapList &shown) const;

    // --- Default sets
    // One button's defaults: the middle button brings both scroll directions.
    static Defaults buttonDefaults(int id);
    // An axis: the regions of 12, 100, -12 and -100, then the range.
    static Defaults tiltDefaults(int axis);
    // Buttons 0 to 12, then, on a model with a tilt sensor, both tilt axes.
    static Defaults allDefaults(bool tiltModel);
    // A button page taken over: a trigger push brings its pull.
    static Defaults defaultsForButton(int id);

private:
    Defaults restoreScrolls() const;

    InputMapList m_maps;
};
