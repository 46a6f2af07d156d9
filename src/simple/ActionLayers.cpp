#include "ActionLayers.h"

#include "ActionLayer.h"
#include "ActionLibrary.h"
#include "HintsArea.h"
#include "InputKinds.h"
#include "LayerFitting.h"
#include "MappingPaths.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "StyleProperties.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The parent height the areas were last fitted to, shared by every page.
int rememberedParentHeight = 0;

constexpr int maxDepth = 2;

} // namespace

ActionLayers::ActionLayers(ProfileData *profile, QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
    , m_outputModel(new QStandardItemModel(this))
    , m_profile(profile)
    , m_model(PackageCreator::instance())
    , m_device(MouseFunctions::instance())
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(15);
    setProperty("scroll_type", QStringLiteral("nested_layer"));
    ActionLibrary::fillModel(m_entries, m_outputModel);
}

ActionLayers::~ActionLayers()
{
    // Rows point at the mappings kept in m_roots: they go first.
    qDeleteAll(m_layers);
}

void ActionLayers::setModelKey(const QString &key)
{
    m_modelKey = key;
    setProperty(StyleProperties::modelKey, key);
    StyleProperties::repolish(this);
}

void ActionLayers::clearPage()
{
    qDeleteAll(m_layers);
    m_layers.clear();
    while (QLayoutItem *item = m_layout->takeAt(0)) {
        if (QLayout *inner = item->layout()) {
            while (QLayoutItem *innerItem = inner->takeAt(0)) {
                delete innerItem->widget();
                delete innerItem;
            }
        }
        delete item->widget();
        delete item;
    }
    m_scrollAreas.clear();
    m_areas.clear();
    m_addButtons.clear();
    m_lastSender = nullptr;
    m_nestedLayout = nullptr;
    m_roots.clear();
}

void ActionLayers::loadMappings(const QList<InputMapActionConfig *> &mappings)
{
    clearPage();
    for (InputMapActionConfig *mapping : mappings) {
        if (!mapping)
            continue;
        m_roots << mapping->weak_from_this().lock();
        createLayer(mapping, 0, nullptr, false);
        createDescendants(mapping, 1);
        addInputRow(mapping);
    }
    m_layout->addSpacerItem(new QSpacerItem(1, 1, QSizePolicy::Minimum, QSizePolicy::Expanding));
    fitScrollAreas();
}

void ActionLayers::createDescendants(InputMapActionConfig *mapping, int depth)
{
    if (depth > maxDepth)
        return;
    for (const InputMapPtr &child : qAsConst(mapping->children)) {
        if (!child)
            continue;
        createLayer(child.get(), depth, nullptr, false);
        createDescendants(child.get(), depth + 1);
    }
}

void ActionLayers::addInputRow(InputMapActionConfig *mapping)
{
    auto *button = new QPushButton(tr("Add Input"), this);
    button->setObjectName(QStringLiteral("addInputButton"));
    button->setProperty("hoverable", true);
    button->setAttribute(Qt::WA_Hover);
    button->installEventFilter(this);
    button->setFixedSize(190, 30);
    button->setProperty("button_type", QStringLiteral("common"));
    button->setProperty(StyleProperties::modelKey, m_modelKey);
    m_addButtons.insert(mapping, button);
    connect(button, &QPushButton::clicked, this, &ActionLayers::addNewInput);

    auto *row = new QHBoxLayout;
    row->addSpacerItem(new QSpacerItem(60, 1, QSizePolicy::Fixed, QSizePolicy::Minimum));
    row->addWidget(button);
    row->addSpacerItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_layout->addLayout(row);
    // Scroll mappings take no nested inputs here.
    if (mapping->inputType == InputType::Scroll)
        button->hide();
}

void ActionLayers::createLayer(InputMapActionConfig *mapping, int depth, QScrollArea *area, bool openEditor)
{
    if (depth > maxDepth)
        return;
    if (depth == 0 && m_layout->count() > 0) {
        m_layout->addSpacerItem(new QSpacerItem(1, 30, QSizePolicy::Fixed, QSizePolicy::Fixed));
        m_nestedLayout = nullptr;
    }
    auto *layer = new ActionLayer(mapping, depth, m_modelKey, openEditor, this);
    layer->setOutputModel(m_outputModel, m_entries);
    m_layers << layer;
    connect(layer, &ActionLayer::deleteMe, this, &ActionLayers::removeLayer);
    connect(layer, &ActionLayer::configChanged, this, &ActionLayers::updateLayerConfigs);

    if (depth > 0) {
        QVBoxLayout *inner = area ? qobject_cast<QVBoxLayout *>(area->widget()->layout()) : m_nestedLayout;
        if (inner)
            inner->addWidget(layer);
        return;
    }

    m_layout->addWidget(layer);
    auto *scrollArea = new QScrollArea(this);
    scrollArea->setMinimumHeight(40);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    scrollArea->setProperty("scroll_area", QStringLiteral("nested_layer"));
    scrollArea->setProperty(StyleProperties::modelKey, m_modelKey);
    m_scrollAreas << scrollArea;
    m_areas.insert(mapping, scrollArea);
    connect(scrollArea->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        for (ActionLayer *row : qAsConst(m_layers)) {
            if (row->depth() > 0)
                row->setScrollBarShown(max >= 40);
        }
    });
    auto *inner = new QWidget(scrollArea);
    inner->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_nestedLayout = new QVBoxLayout(inner);
    m_nestedLayout->setContentsMargins(0, 0, 0, 0);
    m_nestedLayout->setSpacing(10);
    scrollArea->setWidget(inner);
    // The area fills its widget with the window colour; the rows sit on the
    // page's background instead.
    inner->setAutoFillBackground(false);
    m_layout->addWidget(scrollArea);
    if (mapping->children.isEmpty())
        scrollArea->hide();
}

InputMapActionConfig *ActionLayers::ownMapping(InputMapActionConfig *mapping, bool *copied)
{
    *copied = false;
    if (!mapping || m_model->containsInputMap(mapping))
        return mapping;
    InputMapActionConfig *root = MappingPaths::rootOf(mapping);
    const InputMapPtr copy = m_model->copyIntoCurrentProfile(mapping);
    if (!copy)
        return mapping;
    *copied = true;
    moveBlock(root, MappingPaths::rootOf(copy.get()));
    return copy.get();
}

void ActionLayers::moveBlock(InputMapActionConfig *fromRoot, InputMapActionConfig *toRoot)
{
    if (!fromRoot || !toRoot || fromRoot == toRoot)
        return;
    for (ActionLayer *row : qAsConst(m_layers)) {
        if (MappingPaths::rootOf(row->mapping()) != fromRoot)
            continue;
        if (InputMapActionConfig *twin = MappingPaths::counterpart(row->mapping(), toRoot))
            row->pointAt(twin);
    }
    if (QScrollArea *area = m_areas.take(fromRoot))
        m_areas.insert(toRoot, area);
    if (QPushButton *button = m_addButtons.take(fromRoot))
        m_addButtons.insert(toRoot, button);
    for (InputMapPtr &root : m_roots) {
        if (root.get() == fromRoot)
            root = toRoot->weak_from_this().lock();
    }
}

void ActionLayers::addNewInput()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    InputMapActionConfig *mapping = m_addButtons.key(button, nullptr);
    if (!mapping || m_model->loading)
        return;
    m_lastSender = button;
    bool copied = false;
    mapping = ownMapping(mapping, &copied);

    const InputMapPtr child = InputKinds::addNewChild(*mapping, m_device->isVModel());
    QScrollArea *area = m_areas.value(mapping);
    createLayer(child.get(), 1, area, true);
    // Shown at once, not when the event loop comes round, so its anchor
    // counts straight away.
    m_layers.last()->show();
    fitScrollAreas();
    if (area) {
        const QPointer<QScrollArea> guard(area);
        QTimer::singleShot(100, this, [guard] {
            if (guard)
                guard->verticalScrollBar()->setValue(guard->verticalScrollBar()->maximum());
        });
        area->show();
    }
    emit m_model->updateMemoryUsed();
    if (mapping->inputType == InputType::Scroll)
        button->hide();
}

void ActionLayers::removeLayer()
{
    auto *layer = qobject_cast<ActionLayer *>(sender());
    if (!layer || !m_layers.contains(layer) || m_model->loading)
        return;
    bool copied = false;
    // Copied first, so the change lands in the current profile; the row now
    // shows the copy.
    ownMapping(layer->mapping(), &copied);
    InputMapActionConfig *mapping = layer->mapping();
    InputMapActionConfig *parent = mapping ? mapping->parent : nullptr;

    for (int i = m_layers.indexOf(layer) + 1; i < m_layers.size();) {
        if (m_layers.at(i)->depth() <= layer->depth())
            break;
        delete m_layers.takeAt(i);
    }
    m_layers.removeOne(layer);
    // The row lives on until its delete button's click is over, and keeps
    // its mapping with it; both go together.
    if (QLayout *inner = layer->parentWidget() ? layer->parentWidget()->layout() : nullptr)
        inner->removeWidget(layer);
    layer->hide();
    if (parent) {
        for (int i = 0; i < parent->children.size(); ++i) {
            if (parent->children.at(i).get() == mapping) {
                parent->children.removeAt(i);
                break;
            }
        }
    }
    emit m_model->updateMemoryUsed();
    if (parent && parent->inputType == InputType::Scroll) {
        if (QPushButton *button = m_addButtons.value(parent))
            button->hide();
    }
    layer->deleteLater();
    fitScrollAreas();
    if (copied)
        emit reload();
}

void ActionLayers::updateLayerConfigs(InputMapActionConfig *from, InputMapActionConfig *to)
{
    moveBlock(MappingPaths::rootOf(from), MappingPaths::rootOf(to));
    emit reload();
}

void ActionLayers::fitScrollAreas()
{
    int childRows = 0;
    for (const ActionLayer *row : qAsConst(m_layers)) {
        if (row->depth() > 0)
            ++childRows;
    }
    const int topRows = m_layers.size() - childRows;
    QList<int> rowsPerArea;
    rowsPerArea.reserve(m_scrollAreas.size());
    for (const QScrollArea *area : qAsConst(m_scrollAreas))
        rowsPerArea << area->widget()->layout()->count();
    const int parentHeight = parentWidget() ? parentWidget()->height() : 0;
    const QList<int> heights = LayerFitting::scrollAreaHeights(parentHeight, topRows, childRows, rowsPerArea);
    for (int i = 0; i < m_scrollAreas.size(); ++i)
        m_scrollAreas.at(i)->setFixedHeight(heights.at(i));
}

void ActionLayers::resizeEvent(QResizeEvent *event)
{
    event->accept();
    const int parentHeight = parentWidget() ? parentWidget()->height() : 0;
    if (parentHeight != rememberedParentHeight) {
        rememberedParentHeight = parentHeight;
        fitScrollAreas();
    }
    emit resized();
}

bool ActionLayers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->property("hoverable").toBool()
        && (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave))
        HintsArea::instance()->setContext(11, event->type() == QEvent::HoverEnter);
    return QWidget::eventFilter(watched, event);
}

QList<QPoint> ActionLayers::layerAnchors(int depth) const
{
    QList<QPoint> anchors;
    for (const ActionLayer *row : m_layers) {
        if (row->depth() != depth || !row->isVisible())
            continue;
        QPoint point = row->pos();
        if (depth > 0) {
            point.rx() += depth * 60;
            const QScrollArea *holder = m_scrollAreas.size() == 1 ? m_scrollAreas.first() : nullptr;
            for (const QScrollArea *area : m_scrollAreas) {
                if (area->widget()->isAncestorOf(row))
                    holder = area;
            }
            if (holder)
                point.ry() += holder->y();
        }
        point.ry() += 20;
        anchors << point;
    }
    return anchors;
}
