#include "ProfileScroller.h"

#include "MenuList.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "ProfileListRules.h"
#include "ProfilesView.h"
#include "StripLayout.h"
#include "TummyButton.h"
#include "ui_ProfileScroller.h"

#include <QEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace {

constexpr int noIndex = 255;
constexpr int scrollDelayMs = 100;
constexpr int popupWidth = 182;
// Changes to every tab kept for tabs not made yet; past them, the tabs are
// made (a strip left hidden for long, while the foreground switches).
constexpr int tabChangesKept = 32;

const QString addAfterTabs = QStringLiteral(
    "QPushButton { border-top-left-radius: 0px; border-bottom-left-radius: 0px; border-top-right-radius: 5px; "
    "border-bottom-right-radius: 5px; }");

} // namespace

ProfileScroller::ProfileScroller(QWidget *parent, ProfilesView *tree)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ProfileScroller>())
    , m_tree(tree)
{
    ui->setupUi(this);
    m_styleSheet = styleSheet();
    m_addStyleSheet = ui->pushButton_add->styleSheet();

    m_global = new TummyButton(tr("Global Defaults"), QPixmap(), this);
    m_global->setObjectName(QStringLiteral("globalButton"));
    m_global->setFixedSize(150, 30);
    m_global->setFullyRounded(true);
    m_global->setSelected(true);
    m_global->setAsteriskVisible(true);
    ui->horizontalLayout->insertWidget(0, m_global);

    connect(m_global, &QPushButton::clicked, this, &ProfileScroller::globalProfileClick);
    connect(ui->pushButton_left, &QPushButton::clicked, this, &ProfileScroller::scrollLeft);
    connect(ui->pushButton_right, &QPushButton::clicked, this, &ProfileScroller::scrollRight);
    connect(ui->pushButton_add, &QPushButton::clicked, this, &ProfileScroller::profileAddClick);
    connect(ui->scrollArea->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &ProfileScroller::updateArrows);
    m_global->installEventFilter(this);
    ui->scrollArea->viewport()->installEventFilter(this);
    updateLayout();
}

ProfileScroller::~ProfileScroller()
{
    delete m_popup;
}

int ProfileScroller::groupOf(const QString &topLevelName) const
{
    for (int i = 0; i < m_groups.size(); ++i) {
        if (m_groups.at(i).first() == topLevelName)
            return i;
    }
    return -1;
}

QStringList ProfileScroller::topLevelNames() const
{
    return ProfileListRules::namesToDifferFrom(m_groups, true, QString());
}

// ------------------------------------------------------------------ adding

void ProfileScroller::addProfile(const QString &name, const QString &parent)
{
    if (!parent.isEmpty()) {
        const int group = groupOf(parent);
        if (group < 0) {
            addProfile(ProfileListRules::uniqueName(name, topLevelNames()), QString());
            return;
        }
        const QString unique = ProfileListRules::uniqueName(name, m_groups.at(group).mid(1));
        m_groups[group].append(unique);
        if (m_groups.at(group).size() == 2 && m_tabsMade)
            m_buttons.at(group)->setArrowVisible(true);
        emit profileAdded(unique, parent);
        return;
    }
    const QString unique = addParentButton(name);
    if (isVisible()) {
        hide();
        show();
    }
    QTimer::singleShot(scrollDelayMs, this, [this] {
        QScrollBar *bar = ui->scrollArea->horizontalScrollBar();
        bar->setValue(bar->maximum());
        updateLayout();
    });
    emit profileAdded(unique, QString());
}

void ProfileScroller::addProfileFromFile(const QString &name, const QString &parent)
{
    if (parent.isEmpty()) {
        const QString unique = ProfileListRules::uniqueName(name, topLevelNames());
        m_importParents.topLevelCreated(name, unique);
        addProfile(unique, QString());
        return;
    }
    addProfile(name, m_importParents.parentFor(parent));
}

QString ProfileScroller::addParentButton(const QString &name)
{
    const QString unique = ProfileListRules::uniqueName(name, topLevelNames());
    m_groups.append({unique});
    if (m_tabsMade)
        makeTab(m_groups.size() - 1);
    return unique;
}

const QList<TummyButton *> &ProfileScroller::tabs()
{
    // A reader makes the tabs as the strip would have had them all along.
    if (!m_tabsMade) {
        m_tabsMade = true;
        for (int group = m_buttons.size(); group < m_groups.size(); ++group)
            makeTab(group);
        m_tabChanges.clear();
        updateLayout();
    }
    return m_buttons;
}

void ProfileScroller::makeTab(int group)
{
    const QStringList &names = m_groups.at(group);
    auto *tab = new TummyButton(names.first(), QPixmap(QStringLiteral(":/pic/down_arrow_profile.png")),
                                ui->scrollAreaWidgetContents);
    tab->setContextMenuPolicy(Qt::CustomContextMenu);
    tab->setObjectName(names.first());
    tab->showNormalArrow();
    tab->installEventFilter(this);
    connect(tab, &QPushButton::clicked, this, &ProfileScroller::profileClick);
    connect(tab, &QWidget::customContextMenuRequested, this, [this, tab](const QPoint &pos) { showTabMenu(tab, pos); });
    m_buttons.append(tab);
    ui->horizontalLayout_buttons->addWidget(tab);
    if (names.size() > 1)
        tab->setArrowVisible(true);
    // What every tab was told since its group came.
    for (const TabChange &change : qAsConst(m_tabChanges)) {
        if (group < change.groups)
            change.change(tab);
    }
}

void ProfileScroller::forEachTab(const std::function<void(TummyButton *)> &change)
{
    if (!m_tabsMade && m_tabChanges.size() >= tabChangesKept)
        tabs();
    if (!m_tabsMade) {
        m_tabChanges.append({change, int(m_groups.size())});
        return;
    }
    for (TummyButton *tab : qAsConst(m_buttons))
        change(tab);
}

bool ProfileScroller::event(QEvent *event)
{
    // Polished as its window first shows, before the window's children show.
    if (event->type() == QEvent::Polish)
        tabs();
    return QWidget::event(event);
}

void ProfileScroller::showTabMenu(TummyButton *tab, const QPoint &pos)
{
    tab->click();
    if (m_tree)
        m_tree->profileMenu()->showAt(tab->mapToGlobal(pos));
}

void ProfileScroller::profileAddClick()
{
    emit showAdd(m_groups, false);
}

void ProfileScroller::addParentProfile()
{
    emit showAdd(m_groups, true);
}

void ProfileScroller::addSubProfile(const QString &parent)
{
    const int group = groupOf(parent);
    emit showAddForCurrent(group < 0 ? QStringList() : m_groups.at(group), false);
}

// ------------------------------------------------------------------ removing and renaming

void ProfileScroller::removeGroup(int group)
{
    TummyButton *tab = m_buttons.takeAt(group);
    m_groups.removeAt(group);
    if (m_selectedButton == tab)
        m_selectedButton = nullptr;
    ui->horizontalLayout_buttons->removeWidget(tab);
    delete tab;
}

void ProfileScroller::deleteProfile(const QString &name, const QString &parent)
{
    tabs();
    if (!parent.isEmpty()) {
        for (int i = 0; i < m_groups.size(); ++i) {
            QStringList &group = m_groups[i];
            if (group.first() != parent)
                continue;
            const int at = group.indexOf(name, 1);
            if (at > 0)
                group.removeAt(at);
            if (group.size() == 1)
                m_buttons.at(i)->setArrowVisible(false);
        }
    } else if (const int group = groupOf(name); group >= 0) {
        removeGroup(group);
    }
    updateLayout();
}

void ProfileScroller::renameProfile(const QString &name, const QString &newName)
{
    // A tab keeps the text it shows, which a tab made from the new name
    // would not.
    tabs();
    for (TummyButton *tab : qAsConst(m_buttons)) {
        if (tab->objectName() == name) {
            tab->setObjectName(newName);
            break;
        }
    }
    for (QStringList &group : m_groups) {
        if (group.first() == name)
            group.first() = newName;
    }
}

void ProfileScroller::renameSubProfile(const QString &name, const QString &newName, const QString &parent)
{
    for (QStringList &group : m_groups) {
        if (group.first() != parent)
            continue;
        const int at = group.indexOf(name, 1);
        if (at > 0)
            group[at] = newName;
    }
}

void ProfileScroller::clear()
{
    if (!m_global->isSelected()) {
        m_global->setSelected(true);
        emit globalProfileClicked();
    }
    while (!m_buttons.isEmpty())
        removeGroup(m_buttons.size() - 1);
    // Groups whose tabs were not made yet go with what they were told.
    m_groups.clear();
    m_tabChanges.clear();
    m_selectedButton = nullptr;
    m_importParents.clear();
    updateLayout();
}

void ProfileScroller::syncWithModel()
{
    tabs();
    QStringList collected;
    for (const QStringList &group : qAsConst(m_groups))
        collected << group;
    const QList<ProfileData *> profiles = PackageCreator::instance()->profiles();
    for (const ProfileData *profile : profiles) {
        if (collected.removeOne(profile->name))
            continue;
        if (profile->subIndex == noIndex) {
            addParentButton(profile->name);
        } else if (int(profile->index) < m_groups.size()) {
            m_groups[profile->index].append(profile->name);
            m_buttons.at(profile->index)->setArrowVisible(true);
        }
        // A sub-profile whose index has no tab stays without one.
    }
    for (int i = m_buttons.size() - 1; i >= 0; --i) {
        if (collected.contains(m_buttons.at(i)->labelText()))
            removeGroup(i);
    }
    for (int i = 0; i < m_groups.size(); ++i) {
        QStringList &group = m_groups[i];
        for (int at = group.size() - 1; at >= 1; --at) {
            if (collected.contains(group.at(at)))
                group.removeAt(at);
        }
        m_buttons.at(i)->setArrowVisible(group.size() > 1);
    }
    m_selectedButton = nullptr;
    updateLayout();
}

// ------------------------------------------------------------------ selection

void ProfileScroller::globalProfileClick()
{
    if (m_global->isSelected())
        return;
    m_global->setSelected(true);
    emit globalProfileClicked();
}

void ProfileScroller::setCurrentProfile(const QString &buttonName, const QString &shownName)
{
    if (buttonName.isEmpty())
        emit m_global->clicked();
    else
        m_global->setSelected(false);
    forEachTab([buttonName, shownName](TummyButton *tab) {
        if (!buttonName.isEmpty() && tab->objectName() == buttonName) {
            tab->setSelected(true);
            tab->setLabelText(shownName);
            return;
        }
        tab->setSelected(false);
        if (tab->isAsteriskHidden())
            tab->setLabelText(tab->objectName());
    });
    updateLayout();
}

void ProfileScroller::setActiveProfile(const QString &buttonName, const QString &shownName)
{
    m_global->setAsteriskVisible(false);
    forEachTab([buttonName, shownName](TummyButton *tab) {
        if (tab->objectName() != buttonName) {
            tab->setAsteriskVisible(false);
            if (!tab->isSelected())
                tab->setLabelText(tab->objectName());
        } else if (tab->isSelected()) {
            tab->setAsteriskVisible(tab->labelText() == shownName);
        } else {
            tab->setAsteriskVisible(true);
            tab->setLabelText(shownName);
        }
    });
    updateLayout();
}

void ProfileScroller::setActiveGlobal()
{
    m_global->setAsteriskVisible(true);
    forEachTab([](TummyButton *tab) {
        tab->setAsteriskVisible(false);
        if (!tab->isSelected())
            tab->setLabelText(tab->objectName());
    });
    updateLayout();
}

void ProfileScroller::profileClick()
{
    auto *tab = qobject_cast<TummyButton *>(sender());
    const int group = m_buttons.indexOf(tab);
    if (group < 0)
        return;
    const QStringList names = m_groups.at(group);
    emit parentProfileClicked(tab->objectName());
    if (names.size() < 2)
        return;
    delete m_popup;
    m_popup = new MenuList(names, this);
    m_popup->setObjectName(QStringLiteral("subProfileMenu"));
    m_popup->setPopupWidth(popupWidth);
    m_popup->markFirstItem();
    connect(m_popup, &MenuList::itemSelected, this, [this, names](int row) {
        if (row == 0)
            emit parentProfileClicked(names.first());
        else if (row > 0 && row < names.size())
            emit subProfileClicked(names.at(row), names.first());
    });
    m_popup->showAt(tab->mapToGlobal(QPoint(0, tab->height() + 4)));
}

// ------------------------------------------------------------------ layout and scrolling

void ProfileScroller::scrollLeft()
{
    scrollBy(-m_stepWidth);
}

void ProfileScroller::scrollRight()
{
    scrollBy(m_stepWidth);
}

void ProfileScroller::scrollBy(int step)
{
    QScrollBar *bar = ui->scrollArea->horizontalScrollBar();
    bar->setValue(bar->value() + step);
    updateArrows();
}

void ProfileScroller::updateArrows()
{
    const QScrollBar *bar = ui->scrollArea->horizontalScrollBar();
    const StripLayout::Arrows arrows = StripLayout::arrowsAt(bar->value(), bar->minimum(), bar->maximum());
    ui->pushButton_left->setEnabled(arrows.leftEnabled);
    ui->pushButton_right->setEnabled(arrows.rightEnabled);
}

void ProfileScroller::updateLayout()
{
    // Laid out once the tabs are made.
    if (!m_tabsMade)
        return;
    const int spacing = ui->horizontalLayout->spacing();
    if (m_fixedWidth < 0)
        m_fixedWidth = StripLayout::fixedWidth(m_global->width(), spacing, ui->pushButton_add->width(),
                                               ui->pushButton_right->width(), ui->pushButton_left->width());
    QVector<int> widths;
    widths.reserve(m_buttons.size());
    for (const TummyButton *tab : qAsConst(m_buttons))
        widths << tab->width();
    const StripLayout::Tabs tabs = StripLayout::measureTabs(widths, ui->horizontalLayout_buttons->spacing());
    if (!m_buttons.isEmpty())
        m_stepWidth = tabs.stepWidth;

    const bool arrows = StripLayout::arrowsNeeded(width(), m_fixedWidth, tabs.neededWidth);
    ui->pushButton_left->setVisible(arrows);
    ui->pushButton_right->setVisible(arrows);
    ui->scrollArea->setFixedWidth(std::max(0, StripLayout::scrollAreaWidth(width(), m_fixedWidth, tabs.neededWidth)));
    updateArrows();

    if (m_buttons.isEmpty()) {
        ui->pushButton_add->setStyleSheet(m_addStyleSheet);
        return;
    }
    TummyButton *first = m_buttons.first();
    first->setLeftRounded(!arrows);
    ui->pushButton_add->setStyleSheet(m_addStyleSheet + addAfterTabs);
}

void ProfileScroller::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateLayout();
}

bool ProfileScroller::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->scrollArea->viewport()) {
        if (event->type() == QEvent::Wheel) {
            scrollBy(static_cast<QWheelEvent *>(event)->angleDelta().y() > 0 ? -m_stepWidth : m_stepWidth);
            return true;
        }
        return false;
    }
    auto *tab = qobject_cast<TummyButton *>(watched);
    if (!tab)
        return false;
    if (tab->isSelected()) {
        if (tab != m_selectedButton) {
            if (m_selectedButton && !m_selectedButton->isSelected())
                m_selectedButton->showNormalArrow();
            m_selectedButton = tab;
        }
    } else if (event->type() == QEvent::Enter) {
        tab->showHoverArrow();
    } else if (event->type() == QEvent::Leave) {
        tab->showNormalArrow();
    }
    return false;
}
