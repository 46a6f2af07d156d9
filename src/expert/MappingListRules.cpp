#include "MappingListRules.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Scroll.h"

#include <algorithm>

namespace {

const InputMapAction_Button *asButton(const InputMapActionConfig &mapping)
{
    return mapping.inputType == InputType::Button ? dynamic_cast<const InputMapAction_Button *>(&mapping) : nullptr;
}

const InputMapAction_Scroll *asScroll(const InputMapActionConfig &mapping)
{
    return mapping.inputType == InputType::Scroll ? dynamic_cast<const InputMapAction_Scroll *>(&mapping) : nullptr;
}

// A tilt region or range.
const InputMapAction_Angle *asTilt(const InputMapActionConfig &mapping)
{
    const bool tilt = mapping.inputType == InputType::AngleRegion || mapping.inputType == InputType::AngleRange;
    return tilt ? dynamic_cast<const InputMapAction_Angle *>(&mapping) : nullptr;
}

bool isButton(const InputMapActionConfig &mapping, int id)
{
    const InputMapAction_Button *button = asButton(mapping);
    return button && button->buttonId == id;
}

// The tilt axis a tilt page stands for.
int pageAxis(const MappingListRules::Page &page)
{
    return page.kind == MappingListRules::Page::TiltForwardBack ? MappingListRules::forwardBackAxis
                                                                : MappingListRules::leftRightAxis;
}

} // namespace

MappingListRules::Default MappingListRules::Default::tiltRange(int axis)
{
    const int upper = axis == leftRightAxis ? 80 : 40;
    return {TiltRange, axis, 0, {0, upper, 0, upper}, true};
}

bool MappingListRules::Default::operator==(const Default &other) const
{
    return kind == other.kind && value == other.value && angle == other.angle && range == other.range
           && mirrored == other.mirrored;
}

MappingListRules::MappingListRules(InputMapList maps)
    : m_maps(std::move(maps))
{}

bool MappingListRules::hasScrollMapping(int direction) const
{
    return std::any_of(m_maps.cbegin(), m_maps.cend(), [direction](const InputMapPtr &mapping) {
        const InputMapAction_Scroll *scroll = mapping ? asScroll(*mapping) : nullptr;
        return scroll && scroll->wheelDirection == direction;
    });
}

bool MappingListRules::hasTiltRange(int axis) const
{
    return std::any_of(m_maps.cbegin(), m_maps.cend(), [axis](const InputMapPtr &mapping) {
        const InputMapAction_Angle *tilt = mapping ? asTilt(*mapping) : nullptr;
        return tilt && tilt->inputType == InputType::AngleRange && tilt->axis == axis;
    });
}

int MappingListRules::countTiltRegions(int axis, bool positive) const
{
    return int(std::count_if(m_maps.cbegin(), m_maps.cend(), [axis, positive](const InputMapPtr &mapping) {
        const InputMapAction_Angle *tilt = mapping ? asTilt(*mapping) : nullptr;
        return tilt && tilt->inputType == InputType::AngleRegion && tilt->axis == axis
               && (tilt->entryStart == 0) == positive;
    }));
}

bool MappingListRules::hasTiltLeftRight() const
{
    return countTiltRegions(leftRightAxis, true) > 0 || countTiltRegions(leftRightAxis, false) > 0
           || hasTiltRange(leftRightAxis);
}

bool MappingListRules::hasTiltForwardBack() const
{
    return countTiltRegions(forwardBackAxis, true) > 0 || countTiltRegions(forwardBackAxis, false) > 0
           || hasTiltRange(forwardBackAxis);
}

bool MappingListRules::hasButtonMapping(int id, bool exact) const
{
    const bool found = std::any_of(m_maps.cbegin(), m_maps.cend(),
                                   [id](const InputMapPtr &mapping) { return mapping && isButton(*mapping, id); });
    if (found)
        return true;
    switch (id) {
    case 9:
        return hasButtonMapping(10, exact);
    case 11:
        return hasButtonMapping(12, exact);
    case 2:
        return !exact && (hasScrollMapping(0) || hasScrollMapping(1));
    default:
        return false;
    }
}

QList<int> MappingListRules::pageButtons(int id)
{
    if (id == 9 || id == 10)
        return {9, 10};
    if (id == 11 || id == 12)
        return {11, 12};
    return {id};
}

int MappingListRules::expectedCount(const Page &page)
{
    switch (page.kind) {
    case Page::All:
        return 0;
    case Page::Button:
        return page.buttonId == 2 ? 3 : int(pageButtons(page.buttonId).size());
    case Page::TiltForwardBack:
    case Page::TiltLeftRight:
        break;
    }
    return 5;
}

bool MappingListRules::shownOnPage(const Page &page, const InputMapActionConfig &mapping, bool tiltModel)
{
    switch (page.kind) {
    case Page::All:
        return tiltModel || !asTilt(mapping);
    case Page::Button: {
        if (page.buttonId == 2 && asScroll(mapping))
            return true;
        const InputMapAction_Button *button = asButton(mapping);
        return button && pageButtons(page.buttonId).contains(button->buttonId);
    }
    case Page::TiltForwardBack:
    case Page::TiltLeftRight:
        break;
    }
    const InputMapAction_Angle *tilt = asTilt(mapping);
    return tilt && tilt->axis == pageAxis(page);
}

bool MappingListRules::nestedShownOnAll(const InputMapActionConfig &parent, const InputMapActionConfig &child,
                                        bool tiltModel)
{
    const bool force = child.inputType == InputType::ForceRegion || child.inputType == InputType::ForceRange;
    const bool underForceButton = isButton(parent, 1) || isButton(parent, 2) || isButton(parent, 8);
    return tiltModel || !force || !underForceButton;
}

bool MappingListRules::offersRestore(const Page &page) const
{
    if (page.kind == Page::All)
        return false;
    const auto shown = std::count_if(m_maps.cbegin(), m_maps.cend(), [&page](const InputMapPtr &mapping) {
        return mapping && shownOnPage(page, *mapping, true);
    });
    return shown < expectedCount(page);
}

bool MappingListRules::restoresFrom(const InputMapActionConfig &mapping)
{
    if (const InputMapAction_Button *button = asButton(mapping)) {
        const int id = button->buttonId;
        return id == 2 || (id >= 9 && id <= 12);
    }
    return asScroll(mapping) || asTilt(mapping);
}

MappingListRules::Defaults MappingListRules::restoreScrolls() const
{
    Defaults added;
    for (int direction : {0, 1}) {
        if (!hasScrollMapping(direction))
            added << Default::scroll(direction);
    }
    return added;
}

MappingListRules::Defaults MappingListRules::restore(const InputMapList &shown) const
{
    const auto first = std::find_if(shown.cbegin(), shown.cend(),
                                    [](const InputMapPtr &mapping) { return mapping && restoresFrom(*mapping); });
    if (first == shown.cend())
        return {};
    const InputMapActionConfig &mapping = **first;

    if (const InputMapAction_Button *button = asButton(mapping)) {
        switch (button->buttonId) {
        case 2:
            return restoreScrolls();
        case 9:
            return {Default::button(10)};
        case 10:
            return {Default::button(9)};
        case 11:
            return {Default::button(12)};
        default:
            return {Default::button(11)};
        }
    }
    if (asScroll(mapping)) {
        Defaults added;
        if (!hasButtonMapping(2, true))
            added << Default::button(2);
        return added + restoreScrolls();
    }
    const int axis = asTilt(mapping)->axis;
    Defaults added;
    for (int i = countTiltRegions(axis, true); i < 2; ++i)
        added << Default::tiltRegion(axis, 12);
    for (int i = countTiltRegions(axis, false); i < 2; ++i)
        added << Default::tiltRegion(axis, -12);
    if (!hasTiltRange(axis))
        added << Default::tiltRange(axis);
    return added;
}

MappingListRules::Defaults MappingListRules::buttonDefaults(int id)
{
    Defaults defaults{Default::button(id)};
    if (id == 2)
        defaults << Default::scroll(0) << Default::scroll(1);
    return defaults;
}

MappingListRules::Defaults MappingListRules::tiltDefaults(int axis)
{
    Defaults defaults;
    for (int angle : {12, 100, -12, -100})
        defaults << Default::tiltRegion(axis, angle);
    return defaults << Default::tiltRange(axis);
}

MappingListRules::Defaults MappingListRules::allDefaults(bool tiltModel)
{
    Defaults defaults;
    for (int id = 0; id <= 12; ++id)
        defaults += buttonDefaults(id);
    if (tiltModel)
        defaults += tiltDefaults(leftRightAxis) + tiltDefaults(forwardBackAxis);
    return defaults;
}

MappingListRules::Defaults MappingListRules::defaultsForButton(int id)
{
    Defaults defaults = buttonDefaults(id);
    if (id == 9)
        defaults << Default::button(10);
    else if (id == 11)
        defaults << Default::button(12);
    return defaults;
}
