#pragma once
// The profiles the action-layer tests work on, and picking an item of a combo
// through its pop-up as a user does.
//
// The global profile holds the mappings; the current profile is "Work A", a
// sub-profile of "Work" with no mappings of its own, so every row it shows is
// inherited and its first edit copies the tree into "Work A".

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "SampleModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

namespace LayerFixture {

struct Model
{
    ProfileData *global = nullptr;
    ProfileData *work = nullptr;
    ProfileData *workA = nullptr;
    // Left Button > Force Press > Tilt Left > Top Thumb, and Left Button >
    // Movement: four levels, of which three show.
    InputMapActionConfig *left = nullptr;
    InputMapActionConfig *leftForce = nullptr;
    InputMapActionConfig *leftTilt = nullptr;
    InputMapActionConfig *leftTiltButton = nullptr;
    InputMapActionConfig *leftMovement = nullptr;
    InputMapActionConfig *right = nullptr;
    // Middle Button > Top Thumb, and Middle Button > Scroll Back.
    InputMapActionConfig *middle = nullptr;
    InputMapActionConfig *middleThumb = nullptr;
    InputMapActionConfig *middleScroll = nullptr;
    InputMapActionConfig *scroll = nullptr;
    // A top-level tilt region on the right side, 5 degrees.
    InputMapActionConfig *tilt = nullptr;
};

inline Model build()
{
    Model m;
    PackageCreator *store = PackageCreator::instance();
    m.global = SampleModel::emptyModel();

    const InputMapPtr left = SampleModel::button(0, QStringLiteral("Click"));
    left->activationOutputs = {click(0, 1)};
    left->deactivationOutputs = {click(0, 0)};
    auto force = std::make_shared<InputMapAction_Force>(50);
    force->buttonId = 0;
    force->entryStart = 700;
    force->exitStart = 600;
    force->activationOutputs = {key(0x04)};
    left->addChild(force);
    auto tilt = std::make_shared<InputMapAction_Angle>(60);
    tilt->entryEnd = 1700;
    tilt->exitEnd = 1710;
    force->addChild(tilt);
    const InputMapPtr deepest = tilt->addChild(SampleModel::button(4));
    auto movement = std::make_shared<InputMapAction_Movement>(20);
    movement->direction = 2;
    movement->countDivisor.setValue(10);
    left->addChild(movement);

    const InputMapPtr right = SampleModel::button(1);
    const InputMapPtr middle = SampleModel::button(2);
    const InputMapPtr middleThumb = middle->addChild(SampleModel::button(4));
    auto middleScroll = std::make_shared<InputMapAction_Scroll>(30);
    middleScroll->wheelDirection = 1;
    middle->addChild(middleScroll);
    auto scroll = std::make_shared<InputMapAction_Scroll>(30);
    auto topTilt = std::make_shared<InputMapAction_Angle>(60);
    topTilt->entryStart = 1850;
    topTilt->entryEnd = 3600;
    topTilt->exitStart = 1845;
    topTilt->exitEnd = 3600;
    m.global->inputMaps = {left, right, middle, scroll, topTilt};

    m.work = store->addProfile(0, 255, QStringLiteral("Work"));
    m.workA = store->addProfile(0, 0, QStringLiteral("Work A"));
    store->setCurrentProfile(m.workA);
    store->loading = false;

    m.left = left.get();
    m.leftForce = force.get();
    m.leftTilt = tilt.get();
    m.leftTiltButton = deepest.get();
    m.leftMovement = movement.get();
    m.right = right.get();
    m.middle = middle.get();
    m.middleThumb = middleThumb.get();
    m.middleScroll = middleScroll.get();
    m.scroll = scroll.get();
    m.tilt = topTilt.get();
    return m;
}

// Every mapping of the tree below and including root.
inline QList<InputMapActionConfig *> treeOf(InputMapActionConfig *root)
{
    QList<InputMapActionConfig *> all{root};
    for (int i = 0; i < all.size(); ++i) {
        for (const InputMapPtr &child : all.at(i)->children)
            all << child.get();
    }
    return all;
}

// Opens the combo's pop-up and clicks the item with that text. False when
// the combo has no such item or the click did not choose it.
inline bool choose(QComboBox *combo, const QString &text)
{
    const int row = combo ? combo->findText(text) : -1;
    if (row < 0)
        return false;
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    const QPoint point = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseMove(view->viewport(), point);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return combo->currentIndex() == row && !view->isVisible();
}

inline QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; combo && i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace LayerFixture
