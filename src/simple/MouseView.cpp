#include "MouseView.h"

#include "ButtonGraphicsItem.h"
#include "CurrentPage.h"
#include "DpiItem.h"
#include "HintsArea.h"
#include "IconPixObject.h"
#include "IconsBlock.h"
#include "LogoGraphicsItem.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "PointingLine.h"
#include "ProfileData.h"
#include "QuickConfig.h"
#include "TextGraphicsItem.h"

#include <QDebug>
#include <QEasingCurve>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QTimer>
#include <QVariantAnimation>

using namespace MouseSceneLayout;

namespace {

constexpr int fadeMs = MouseView::baseDurationMs / 2;
constexpr int iconWidth = 25;
constexpr int tipElbowGap = 70;
constexpr int sideEditor = 0;
constexpr int sideShowAll = 1;

QPropertyAnimation *fade(QObject *target, const QByteArray &property, bool fadeOut)
{
    auto *animation = new QPropertyAnimation(target, property);
    animation->setDuration(fadeMs);
    animation->setStartValue(fadeOut ? 1.0 : 0.0);
    animation->setEndValue(fadeOut ? 0.0 : 1.0);
    animation->setEasingCurve(fadeOut ? QEasingCurve::OutQuad : QEasingCurve::InQuad);
    return animation;
}

} // namespace

MouseView::MouseView(QWidget *parent)
    : QWidget(parent)
    , m_model(PackageCreator::instance())
    , m_scene(new QGraphicsScene(sceneArea, this))
    , m_view(new QGraphicsView(m_scene, this))
    , m_picture(noMousePicture)
    , m_pictureItem(new QGraphicsPixmapItem(m_picture))
    , m_slide(new QVariantAnimation(this))
{
    m_pictureItem->setTransformationMode(Qt::SmoothTransformation);
    m_scene->addItem(m_pictureItem);

    const int pictureWidth = m_picture.width();
    QMap<int, QPoint> iconPositions;
    for (const CalloutAnchor &anchor : anchors(pictureWidth)) {
        m_anchors.insert(anchor.id, anchor);
        const int x = anchor.label.x();
        iconPositions.insert(anchor.id, {x < pictureWidth / 2 ? x : x - iconWidth, anchor.label.y()});
    }
    m_icons = new IconsBlock(m_scene, iconPositions, this);

    for (const CalloutAnchor &anchor : std::as_const(m_anchors)) {
        auto *label = new TextGraphicsItem(anchor.label, anchor.label.x() < pictureWidth / 2, true);
        label->setMaxLines(MouseLabels::maxLines(anchor.id));
        m_scene->addItem(label);
        connect(label, &TextGraphicsItem::hovered, this, &MouseView::textHovered);
        connect(label, &TextGraphicsItem::clicked, this, &MouseView::textClicked);
        m_labels.insert(anchor.id, label);
    }
    m_labels.value(Logo)->setLines({tr("RGB logo")});
    m_labels.value(Oled)->setLines({tr("OLED Mode")});

    m_dpiItem = new DpiItem(dpiPosition, m_lineColour, m_scene, this);
    m_labels.insert(Dpi, m_dpiItem->textItem());
    connect(m_dpiItem->textItem(), &TextGraphicsItem::hovered, this, &MouseView::textHovered);
    connect(m_dpiItem->textItem(), &TextGraphicsItem::clicked, this, &MouseView::textClicked);
    m_calloutLines.insert(Dpi, new PointingLine(dpiPosition, dpiLineEnd, m_lineColour, m_scene, this));

    createButtonItems();

    for (const CalloutAnchor &anchor : std::as_const(m_anchors)) {
        const PointingLine::Points points{anchor.label, {anchor.elbowX, anchor.label.y()}, anchor.target};
        m_calloutLines.insert(anchor.id, new PointingLine(points, m_lineColour, true, m_scene, this));
    }

    m_view->setProperty("graphics_view", "main_mouse");
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setMouseTracking(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    m_view->viewport()->installEventFilter(this);
    fitScene();

    m_slide->setDuration(baseDurationMs);
    m_slide->setEasingCurve(QEasingCurve::OutQuad);
    connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        const int x = value.toInt();
        m_pictureItem->setX(x);
        for (ButtonGraphicsItem *outline : std::as_const(m_outlines))
            outline->setX(x);
    });

    m_editor = createQuickEditor();
    m_editor->resize(editorArea.size());

    updateMouseScheme(MouseSceneLayout::colourScheme(MouseFunctions::lastMouseConnected()), false);
}

MouseView::~MouseView()
{
    // The scene goes first with every item in it; the callout and tip lines,
    // the DPI marker and the icons then find their items gone. An editor
    // never embedded is this view's alone.
    delete m_scene;
    if (!m_editorProxy)
        delete m_editor;
}

// ---------------------------------------------------------------- the quick editor

QuickConfig *MouseView::createQuickEditor()
{
    auto *editor = new QuickConfig(nullptr);
    connect(editor, &QuickConfig::back, this, &MouseView::toShowAllView);
    connect(editor, &QuickConfig::layerResized, this, &MouseView::createTipLines);
    // Queued: the reload reopens the editor, which replaces the page whose
    // row is still emitting.
    connect(editor, &QuickConfig::layerNeedReload, this, &MouseView::loadCurrentProfileToView, Qt::QueuedConnection);
    return editor;
}

// Embedding polishes the editor and all it holds: that waits for the first
// time it is opened.
void MouseView::embedEditor()
{
    if (m_editorProxy)
        return;
    m_editorProxy = m_scene->addWidget(m_editor);
    m_editorProxy->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    m_editorProxy->setPos(editorArea.topLeft());
    m_editorProxy->hide();
}

void MouseView::setEditorModelKey(const QString &key)
{
    m_editor->setModelKey(key);
}

void MouseView::loadEditorRecord(SettingsRecord &record)
{
    m_editor->load(record);
}

void MouseView::loadEditorInput(const QList<InputMapActionConfig *> &mappings)
{
    m_editor->loadInput(mappings, m_model->currentProfile());
}

QList<QPoint> MouseView::editorRowAnchors() const
{
    return m_editor->layerAnchors(0);
}

// ---------------------------------------------------------------- model and profile

void MouseView::updateMouseScheme(int cs, bool connected)
{
    if (m_mode == QuickEditor)
        toShowAllView();
    if (cs == m_colourScheme && connected == m_connected)
        return;
    m_colourScheme = cs;
    m_connected = connected;

    const SchemeLook shown = look(cs);
    m_picture = QPixmap(connected ? shown.picture : noMousePicture);
    m_lineColour = shown.lineColour;
    m_labels.value(Logo)->setVisible(shown.showsLogo);
    for (int id : {Oled, RollLeft, PitchForward})
        m_labels.value(id)->setVisible(shown.showsOledAndTilts);
    setEditorModelKey(shown.modelKey);

    m_dpiItem->setColor(m_lineColour);
    m_pictureItem->setPixmap(m_picture);
    createButtonItems();

    for (auto it = m_calloutLines.cbegin(); it != m_calloutLines.cend(); ++it) {
        const int id = it.key();
        const bool hidden = (id == Logo && !shown.showsLogo)
                            || ((id == Oled || id == RollLeft || id == PitchForward) && !shown.showsOledAndTilts);
        if (hidden) {
            it.value()->setVisible(false);
            continue;
        }
        it.value()->setColor(m_lineColour);
        it.value()->setVisible(true);
    }
    for (TextGraphicsItem *label : std::as_const(m_labels))
        label->setColorScheme(cs);
    for (int id : m_anchors.keys())
        m_icons->recolorIcons(id, false);
}

void MouseView::loadCurrentProfileToView()
{
    m_icons->clear();
    m_shown.build(*m_model);
    for (const MouseLabels::Icon &icon : m_shown.icons()) {
        if (icon.iconType == MouseLabels::inputIcons)
            m_icons->addInputIcons(icon.id);
        else
            m_icons->addIcon(icon.id, icon.iconType);
    }

    if (m_mode == QuickEditor) {
        if (CurrentPage::instance()->page == 0)
            toShowAllView();
        else
            openQuickEditor();
        return;
    }

    m_icons->placeIcons();
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        if (it.key() <= LastInput)
            it.value()->setLines(m_shown.lines(it.key()));
        else if (it.key() == Oled)
            it.value()->setLines({m_shown.oledLine()});
    }
    if (const std::optional<int> dpi = m_shown.dpi())
        m_dpiItem->setDpi(*dpi);
    else
        m_dpiItem->textItem()->setLines({});
}

// ---------------------------------------------------------------- outlines

void MouseView::deleteOutlines()
{
    qDeleteAll(m_outlines);
    m_outlines.clear();
}

void MouseView::createButtonItems()
{
    deleteOutlines();
    for (int id : outlineOrder(m_colourScheme)) {
        ButtonGraphicsItem *outline =
            id == Logo ? new LogoGraphicsItem(m_colourScheme) : new ButtonGraphicsItem(id, m_colourScheme);
        // A scene rebuilt while the picture is slid away keeps the outlines on it.
        outline->setX(m_pictureItem->x());
        m_outlines.insert(id, outline);
    }
    for (ButtonGraphicsItem *outline : std::as_const(m_outlines)) {
        connect(outline, &ButtonGraphicsItem::hovered, this, &MouseView::buttonHovered);
        connect(outline, &ButtonGraphicsItem::clicked, this, &MouseView::buttonClicked);
        m_scene->addItem(outline);
    }
    if (m_mode == QuickEditor && m_outlines.contains(m_selectedId))
        m_outlines.value(m_selectedId)->setSelectedState(true);
}

int MouseView::idOfOutline(const QObject *sender) const
{
    for (auto it = m_outlines.cbegin(); it != m_outlines.cend(); ++it) {
        if (it.value() == sender)
            return it.key();
    }
    return LeftButton;
}

int MouseView::idOfLabel(const QObject *sender) const
{
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        if (it.value() == sender)
            return it.key();
    }
    return LeftButton;
}

// ---------------------------------------------------------------- opening and leaving the editor

void MouseView::buttonClicked()
{
    select(idOfOutline(sender()));
}

void MouseView::textClicked()
{
    select(idOfLabel(sender()));
}

// A selected outline takes no clicks: the one selected before is let go
// whatever was clicked.
void MouseView::select(int id)
{
    if (ButtonGraphicsItem *selected = m_outlines.value(m_selectedId))
        selected->setSelectedState(false);
    m_selectedId = id;
    openQuickEditor();
}

void MouseView::openQuickEditor()
{
    embedEditor();
    loadQuickEditor(m_selectedId);
    if (m_mode == QuickEditor) {
        createTipLines();
    } else {
        if (TextGraphicsItem *label = m_labels.value(m_selectedId))
            label->setHighlighted(false);
        if (PointingLine *line = m_calloutLines.value(m_selectedId))
            line->updateStyle(false, 1);
        m_icons->recolorIcons(m_selectedId, false);
        slide(0, -slideDistance);
        animateItems(sideShowAll, true);
    }
    m_mode = QuickEditor;
    fitEditor();
    if (ButtonGraphicsItem *outline = m_outlines.value(m_selectedId))
        outline->setSelectedState(true);
}

void MouseView::loadQuickEditor(int id)
{
    CurrentPage *page = CurrentPage::instance();
    if (id == Dpi || id == Logo || id == Oled) {
        page->page = 1;
        ProfileData *owner = MouseLabels::settingsOwner(*m_model);
        if (!owner) {
            qWarning() << "MouseView: no profile has settings to edit";
            return;
        }
        if (id == Dpi)
            loadEditorRecord(owner->dpiRecord);
        else if (id == Logo)
            loadEditorRecord(owner->ledRecord);
        else
            loadEditorRecord(owner->oledRecord);
        return;
    }
    loadEditorInput(m_shown.editorMappings(id));
    page->page = 3;
    page->buttonId = id;
    HintsArea::instance()->setContext(8, true);
}

void MouseView::toShowAllView()
{
    CurrentPage::instance()->page = 2;
    m_mode = ShowAll;
    loadCurrentProfileToView();
    slide(-slideDistance, 0);
    animateItems(sideEditor, true);
    if (ButtonGraphicsItem *outline = m_outlines.value(m_selectedId))
        outline->setSelectedState(false);
    HintsArea::instance()->setContext(0, true);
}

void MouseView::slide(int from, int to)
{
    m_slide->stop();
    m_slide->setStartValue(from);
    m_slide->setEndValue(to);
    m_slide->start();
}

void MouseView::animateItems(int side, bool fadeOut)
{
    auto *group = new QParallelAnimationGroup(this);
    if (side == sideEditor) {
        embedEditor();
        m_editorProxy->setVisible(!fadeOut);
        for (PointingLine *line : std::as_const(m_tipLines))
            line->setVisible(!fadeOut);
        m_icons->setVisible(!fadeOut);
        if (!fadeOut) {
            group->addAnimation(fade(m_editorProxy, "opacity", false));
            createTipLines();
            for (PointingLine *line : std::as_const(m_tipLines)) {
                for (QObject *part : line->items())
                    group->addAnimation(fade(part, "opacity", false));
            }
        }
    } else {
        for (TextGraphicsItem *label : std::as_const(m_labels))
            group->addAnimation(fade(label, "opacity", fadeOut));
        for (PointingLine *line : std::as_const(m_calloutLines)) {
            for (QObject *part : line->items())
                group->addAnimation(fade(part, "opacity", fadeOut));
        }
        for (QObject *shape : m_dpiItem->items())
            group->addAnimation(fade(shape, "opacity", fadeOut));
        if (!fadeOut)
            m_icons->setVisible(true);
        for (IconPixObject *icon : m_icons->items())
            group->addAnimation(fade(icon, "opacity", fadeOut));
        if (fadeOut)
            connect(group, &QAbstractAnimation::finished, m_icons, [this] { m_icons->setVisible(false); });
    }
    group->start(QAbstractAnimation::DeleteWhenStopped);
    if (fadeOut) {
        const int other = side == sideEditor ? sideShowAll : sideEditor;
        QTimer::singleShot(fadeMs, this, [this, other] { animateItems(other, false); });
    }
}

void MouseView::createTipLines()
{
    qDeleteAll(m_tipLines);
    m_tipLines.clear();
    if (!m_anchors.contains(m_selectedId) || m_view->height() <= 0)
        return;
    const CalloutAnchor &anchor = m_anchors[m_selectedId];
    const QPoint start(anchor.target.x() - slideDistance, anchor.target.y());
    const double scale = double(sceneArea.height()) / m_view->height();
    for (const QPoint &row : editorRowAnchors()) {
        const int y = editorArea.y() + int(scale * row.y());
        const PointingLine::Points points{{editorArea.x(), y}, {editorArea.x() - tipElbowGap, y}, start};
        m_tipLines.insert(m_selectedId, new PointingLine(points, m_lineColour, true, m_scene, this));
    }
}

// ---------------------------------------------------------------- hover

void MouseView::buttonHovered(bool isHovered)
{
    showHover(m_outlines.key(qobject_cast<ButtonGraphicsItem *>(sender()), NoId), isHovered, true);
}

void MouseView::textHovered(bool isHovered)
{
    showHover(m_labels.key(qobject_cast<TextGraphicsItem *>(sender()), NoId), isHovered, false);
}

// An outline under the pointer lights its label, a label its outline.
void MouseView::showHover(int id, bool isHovered, bool onOutline)
{
    if (m_mode == QuickEditor || id == NoId)
        return;
    if (PointingLine *line = m_calloutLines.value(id))
        line->updateStyle(isHovered, m_colourScheme);
    if (onOutline) {
        if (TextGraphicsItem *label = m_labels.value(id))
            label->setHighlighted(isHovered);
    } else if (ButtonGraphicsItem *outline = m_outlines.value(id)) {
        outline->setOutlineVisible(isHovered);
    }
    m_icons->recolorIcons(id, isHovered);
}

// ---------------------------------------------------------------- size

void MouseView::resizeEvent(QResizeEvent *event)
{
    event->accept();
    static const double ratio = double(sceneArea.width()) / sceneArea.height();
    static const double maxRatio = ratio * 1.2;
    const QSize size = event->size();
    if (size.height() > 0 && double(size.width()) / size.height() < maxRatio) {
        resize(size.width(), int(size.width() / maxRatio));
        // The layout may still hold the size this event brought.
        m_view->setGeometry(rect());
    }
    fitScene();
    if (m_mode == QuickEditor)
        fitEditor();
}

bool MouseView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize) {
        fitScene();
        if (m_mode == QuickEditor)
            fitEditor();
    }
    return QWidget::eventFilter(watched, event);
}

void MouseView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitScene();
}

void MouseView::fitScene()
{
    m_view->fitInView(sceneArea, Qt::KeepAspectRatio);
}

// The editor ignores the view's scale: its area, scaled into the widget.
void MouseView::fitEditor()
{
    const QSize fitted = editorArea.size().scaled(size(), Qt::KeepAspectRatio);
    if (!fitted.isEmpty())
        m_editor->setFixedSize(fitted);
}
