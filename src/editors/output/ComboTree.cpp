#include "ComboTree.h"

#include "AppFont.h"
#include "ComboTreeView.h"
#include "DisplayText.h"
#include "HintsArea.h"
#include "PickerEdits.h"
#include "StyleProperties.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The room the popup needs below the combo, besides its inner margins.
constexpr int roomForList = 252;
constexpr int hintContext = 10;

// Every row of the tree as high as the view asks.
class RowHeightDelegate : public QStyledItemDelegate
{
public:
    RowHeightDelegate(int height, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_height(height)
    {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_height);
    }

private:
    const int m_height;
};

bool contains(const QStandardItem *item, const QString &text)
{
    return item->text().contains(text, Qt::CaseInsensitive);
}

void showAllRows(QTreeView *tree, const QStandardItem *parent)
{
    for (int row = 0; row < parent->rowCount(); ++row) {
        tree->setRowHidden(row, parent->index(), false);
        showAllRows(tree, parent->child(row));
    }
}

} // namespace

ComboTree::ComboTree(QWidget *parent, int simple)
    : QComboBox(parent)
    , m_simple(simple)
    , m_metrics(appFont())
{
    setProperty("combo_type", QStringLiteral("output_tree"));
    setProperty(StyleProperties::modelKey, m_modelKey);
    setInsertPolicy(QComboBox::NoInsert);
    // A long text is cut off by the combo, never widens the bar.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

ComboTree::~ComboTree()
{
    if (m_open)
        HintsArea::instance()->setContext(hintContext, false);
    delete m_popup.data();
}

void ComboTree::createPopup()
{
    // Beside the combo, so that the combo's rules for its own item list do not
    // reach the tree; in the widget that holds the combo, so that a combo shown
    // in a graphics scene has its popup shown in that scene too.
    m_popup = new QWidget(parentWidget() ? parentWidget() : this, Qt::Tool | Qt::FramelessWindowHint);
    m_popup->setObjectName(QStringLiteral("outputTreePopup"));
    m_popup->setAttribute(Qt::WA_TranslucentBackground);
    m_popup->setMinimumHeight(m_simple ? 35 : 28);
    m_popup->installEventFilter(this);
    m_popupLayout = new QVBoxLayout(m_popup);
    m_popupLayout->setContentsMargins(0, 0, 0, 0);
    m_popupLayout->setSpacing(0);
    m_frame = new QFrame(m_popup);
    m_frame->setProperty("frame_type", m_simple ? QStringLiteral("output_tree") : QStringLiteral("output_tree_expert"));
    m_popupLayout->addWidget(m_frame);
    m_frameLayout = new QVBoxLayout(m_frame);
    m_frameLayout->setContentsMargins(12, 14, 5, 14);
    m_frameLayout->setSpacing(0);

    m_tree = new ComboTreeView(m_frame);
    m_tree->setObjectName(QStringLiteral("outputTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setWordWrap(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setFocusPolicy(Qt::WheelFocus);
    m_tree->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_tree->setUniformRowHeights(true);
    m_tree->setItemDelegate(new RowHeightDelegate(rowHeight(), m_tree));
    const QString treeType = m_simple ? QStringLiteral("output_tree") : QStringLiteral("output_tree_expert");
    m_tree->setProperty("view_type", treeType);
    m_tree->setProperty("scroll_type", treeType);
    m_frameLayout->addWidget(m_tree);

    m_noItems = new QLabel(tr("No items found"), m_frame);
    m_noItems->setObjectName(QStringLiteral("noItemsLabel"));
    m_noItems->setFixedHeight(rowHeight());
    m_noItems->setProperty("label_type", QStringLiteral("output_tree"));
    m_noItems->hide();
    m_frameLayout->addWidget(m_noItems);
    m_popup->hide();

    connect(m_tree, &QTreeView::clicked, this, &ComboTree::treeClicked);
    connect(m_tree, &ComboTreeView::keyPressed, this, &ComboTree::treeSearch);
    connect(m_tree, &ComboTreeView::keyEdited, this, &ComboTree::treeEdit);
    connect(m_tree, &ComboTreeView::focusOutHide, this, &ComboTree::focusLeft);
    const auto reposition = [this] {
        if (m_open && !m_searching)
            positioning();
    };
    connect(m_tree, &QTreeView::expanded, this, reposition);
    connect(m_tree, &QTreeView::collapsed, this, reposition);

    if (m_model)
        m_tree->setModel(m_model);
    createHoverButton();
    setModelKey(m_modelKey);
}

void ComboTree::createHoverButton()
{
    if (m_hoverButton)
        return;
    m_hoverButton = new QPushButton(this);
    m_hoverButton->setObjectName(QStringLiteral("renameButton"));
    m_hoverButton->setFixedHeight(22);
    m_hoverButton->setLayoutDirection(Qt::RightToLeft);
    m_hoverButton->move(m_simple ? QPoint(10, 5) : QPoint(-4, 0));
    m_hoverButton->setProperty("button_type", m_simple ? QStringLiteral("output_tree_rename")
                                                       : QStringLiteral("output_tree_rename_expert"));
    m_hoverButton->setProperty(StyleProperties::modelKey, m_modelKey);
    m_hoverButton->hide();
    connect(m_hoverButton, &QPushButton::clicked, this, &ComboTree::rename);
}

// Every card of the expert view's mapping page has a picker, and few are
// opened: there the popup with its tree of the whole library is made when one
// first is. The simple view's few pickers sit in a graphics scene, where the
// popup takes part in the scene's focus chain from the start.
void ComboTree::setModel(QStandardItemModel *model)
{
    m_model = model;
    if (m_simple && !m_popup)
        createPopup();
    createHoverButton();
    if (m_tree)
        m_tree->setModel(model);
}

QWidget *ComboTree::popup() const
{
    if (!m_popup && m_model)
        const_cast<ComboTree *>(this)->createPopup();
    return m_popup.data();
}

ComboTreeView *ComboTree::treeView() const
{
    popup();
    return m_tree;
}

void ComboTree::setModelKey(const QString &key)
{
    m_modelKey = key;
    QList<QWidget *> widgets{this};
    // The tree's scroll bars were polished when the tree was made; their
    // rules select on the tree's properties.
    if (m_popup)
        widgets << m_popup << m_frame << m_tree << m_tree->verticalScrollBar() << m_tree->horizontalScrollBar()
                << m_noItems;
    if (m_hoverButton)
        widgets << m_hoverButton;
    if (lineEdit())
        widgets << lineEdit();
    // A widget not polished yet takes the key at its first polish.
    for (QWidget *widget : qAsConst(widgets)) {
        widget->setProperty(StyleProperties::modelKey, key);
        StyleProperties::restyle(widget);
    }
}

void ComboTree::setText(const QString &text)
{
    const QSignalBlocker block(this);
    const QSignalBlocker blockEdit(lineEdit());
    clear();
    addItem(text);
}

// ---------------------------------------------------------------- popup

void ComboTree::showPopup()
{
    if (m_hoverButton)
        m_hoverButton->hide();
    if (!m_popup)
        createPopup();
    if (!m_model || m_open)
        return;

    const QString former = currentText();
    setEditable(true);
    setCompleter(nullptr); // the tree is the completion
    QLineEdit *edit = lineEdit();
    edit->setProperty("edit_type", QStringLiteral("output_tree"));
    edit->setProperty(StyleProperties::modelKey, m_modelKey);
    edit->setStyleSheet(qApp->styleSheet());
    edit->setPlaceholderText(former);
    {
        const QSignalBlocker block(edit);
        edit->clear();
    }
    connect(edit, &QLineEdit::textChanged, this, &ComboTree::searchLine);

    m_open = true;
    searchLine(QString());
    selectLeaf(former);
    HintsArea::instance()->setContext(hintContext, true);
    // A window of its own takes the keys only when active; in a graphics
    // scene the popup shares the view's window.
    if (!m_simple)
        m_popup->activateWindow();
}

void ComboTree::hidePopup()
{
    // Hiding takes the focus from the tree, which closes again.
    if (!m_open)
        return;
    m_open = false;
    m_popup->hide();
    setEditable(false);
    HintsArea::instance()->setContext(hintContext, false);
    emit focusOutHide();
}

void ComboTree::focusLeft()
{
    const QWidget *now = QApplication::focusWidget();
    if (now && (now == m_popup || m_popup->isAncestorOf(now)))
        return;
    hidePopup();
}

bool ComboTree::eventFilter(QObject *watched, QEvent *event)
{
    // While the tree is hidden ("No items found") the popup holds the focus
    // and passes the keys on to the tree, so the search can be edited.
    if (watched == m_popup) {
        if (event->type() == QEvent::KeyPress) {
            QCoreApplication::sendEvent(m_tree, event);
            return true;
        }
        if (event->type() == QEvent::FocusOut)
            focusLeft();
    }
    return QComboBox::eventFilter(watched, event);
}

void ComboTree::selectLeaf(const QString &text)
{
    m_tree->collapseAll();
    const QStandardItem *leaf = leafWithText(text);
    if (!leaf)
        return;
    const QModelIndex index = leaf->index();
    m_tree->setCurrentIndex(index);
    if (index.parent().isValid())
        m_tree->expand(index.parent());
    m_tree->scrollTo(index);
}

QStandardItem *ComboTree::leafWithText(const QString &text) const
{
    if (text.isEmpty())
        return nullptr;
    for (QStandardItem *item : m_model->findItems(text, Qt::MatchExactly | Qt::MatchRecursive)) {
        if (!item->hasChildren())
            return item;
    }
    return nullptr;
}

void ComboTree::searchLine(QString text)
{
    if (!m_model || !m_popup)
        return;
    m_searching = true;
    const QStandardItem *root = m_model->invisibleRootItem();
    bool anyShown = false;
    if (text.isEmpty()) {
        showAllRows(m_tree, root);
        m_tree->collapseAll();
        anyShown = true;
    } else {
        for (int g = 0; g < root->rowCount(); ++g) {
            const QStandardItem *group = root->child(g);
            bool groupShown = false;
            for (int c = 0; c < group->rowCount(); ++c) {
                const QStandardItem *child = group->child(c);
                bool grandchildShown = false;
                for (int gc = 0; gc < child->rowCount(); ++gc) {
                    const bool match = contains(child->child(gc), text);
                    m_tree->setRowHidden(gc, child->index(), !match);
                    grandchildShown = grandchildShown || match;
                }
                const bool shown = grandchildShown || contains(child, text);
                m_tree->setRowHidden(c, group->index(), !shown);
                m_tree->setExpanded(child->index(), grandchildShown);
                groupShown = groupShown || shown;
            }
            m_tree->setRowHidden(g, QModelIndex(), !groupShown);
            m_tree->setExpanded(group->index(), groupShown);
            anyShown = anyShown || groupShown;
        }
    }
    if (!anyShown && m_tree->hasFocus())
        m_popup->setFocus();
    m_tree->setVisible(anyShown);
    m_noItems->setVisible(!anyShown);
    m_searching = false;
    positioning();
}

int ComboTree::visibleRows() const
{
    if (!m_model)
        return 0;
    int rows = 0;
    const QStandardItem *root = m_model->invisibleRootItem();
    for (int g = 0; g < root->rowCount(); ++g) {
        if (m_tree->isRowHidden(g, QModelIndex()))
            continue;
        ++rows;
        const QStandardItem *group = root->child(g);
        if (!m_tree->isExpanded(group->index()))
            continue;
        for (int c = 0; c < group->rowCount(); ++c) {
            if (m_tree->isRowHidden(c, group->index()))
                continue;
            ++rows;
            const QStandardItem *child = group->child(c);
            if (!m_tree->isExpanded(child->index()))
                continue;
            for (int gc = 0; gc < child->rowCount(); ++gc) {
                if (!m_tree->isRowHidden(gc, child->index()))
                    ++rows;
            }
        }
    }
    return rows;
}

QGraphicsView *ComboTree::viewShowing(const QWidget *widget)
{
    const QGraphicsProxyWidget *proxy = widget->window()->graphicsProxyWidget();
    const QGraphicsScene *scene = proxy ? proxy->scene() : nullptr;
    return scene && !scene->views().isEmpty() ? scene->views().first() : nullptr;
}

int ComboTree::roomBelow(double *scale) const
{
    *scale = 1;
    const QGraphicsView *view = viewShowing(this);
    if (!view)
        return 0;
    const QGraphicsProxyWidget *proxy = window()->graphicsProxyWidget();
    const QGraphicsScene *scene = proxy->scene();
    const QPointF bottom = proxy->mapToScene(QPointF(mapTo(window(), QPoint(0, height()))));
    const double viewBottom = view->mapToScene(QPoint(0, view->viewport()->height())).y();
    if (scene->height() > 0)
        *scale = view->height() / scene->height();
    return int((viewBottom - bottom.y()) * *scale);
}

void ComboTree::positioning()
{
    if (!m_popup)
        return;
    const int rows = qBound(1, visibleRows(), maximumRows());
    const QMargins inner = m_frameLayout->contentsMargins();
    const int height = inner.top() + inner.bottom() + rows * rowHeight() + 2;
    QMargins outer;
    if (parentWidget() && parentWidget()->layout())
        outer = parentWidget()->layout()->contentsMargins();

    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    int top = topLeft.y() + this->height() + outer.bottom();
    if (m_simple) {
        double scale = 1;
        if (roomBelow(&scale) < inner.top() + inner.bottom() + roomForList)
            top = topLeft.y() - outer.top() - int(scale * height);
    }
    m_popup->setGeometry(topLeft.x() - outer.left() + 2, top, width() + outer.left(), height);
    m_popup->show();
    if (m_tree->isVisible())
        m_tree->setFocus();
    else
        m_popup->setFocus();
}

// ---------------------------------------------------------------- tree

void ComboTree::treeClicked(QModelIndex index)
{
    if (!index.isValid() || index.model()->hasChildren(index))
        return;
    const QString name = index.data().toString();
    QString group;
    QString subGroup;
    const QModelIndex parent = index.parent();
    if (parent.isValid()) {
        const QModelIndex grandparent = parent.parent();
        if (grandparent.isValid()) {
            group = grandparent.data().toString();
            subGroup = parent.data().toString();
        } else {
            group = parent.data().toString();
        }
    }
    setText(name);
    hidePopup();
    emit selected(group, subGroup, name);
}

void ComboTree::treeSearch(QChar c)
{
    if (QLineEdit *edit = lineEdit())
        edit->setText(edit->text() + c);
}

void ComboTree::treeEdit(int key)
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    if (key == Qt::Key_Backspace) {
        QString text = edit->text();
        text.chop(1);
        edit->setText(text);
    } else if (key == Qt::Key_Delete) {
        edit->clear();
    }
}

// ---------------------------------------------------------------- hover button

bool ComboTree::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (m_hoverButton && !m_open)
            showHoverButton();
        break;
    case QEvent::Leave:
        if (m_hoverButton)
            m_hoverButton->hide();
        break;
    case QEvent::Wheel:
        return true;
    default:
        break;
    }
    return QComboBox::event(event);
}

void ComboTree::showHoverButton()
{
    const QWidget *parent = parentWidget();
    const int room = parent ? int(parent->width() - 2.5 * parent->height()) : width();
    const QString text = PickerEdits::elided(currentText(), m_metrics, room);
    m_hoverButton->setText(DisplayText::forButton(text));
    m_hoverButton->setFixedWidth(m_metrics.horizontalAdvance(text) + 30);
    m_hoverButton->show();
    m_hoverButton->raise();
}

bool ComboTree::isPopupVisible() const
{
    return m_open;
}
