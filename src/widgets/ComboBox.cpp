#include "ComboBox.h"

#include "ComboItemView.h"

#include <QEvent>
#include <QFrame>
#include <QItemSelectionModel>
#include <QScreen>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

const char *const popupScrollBarStyle =
    "QScrollBar:vertical { background-color: #b2afaf; width: 14px; border-radius: 0px; }"
    "QScrollBar:horizontal { background-color: #b2afaf; height: 14px; border-radius: 0px; }"
    "QScrollBar::handle:vertical, QScrollBar::handle:horizontal { background-color: #666666; "
    "margin: 4 4 4 4; border-radius: 3px; }"
    "QScrollBar::add-line:vertical, QScrollBar::add-line:horizontal,"
    "QScrollBar::sub-line:vertical, QScrollBar::sub-line:horizontal { background-color: #b2afaf; "
    "border-radius: 7px; }"
    "QScrollBar::add-page:vertical, QScrollBar::add-page:horizontal,"
    "QScrollBar::sub-page:vertical, QScrollBar::sub-page:horizontal { background-color: #b2afaf; }";

QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    texts.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
    , popupModel(new QStandardItemModel(this))
{
    installEventFilter(this);
}

ComboBox::ComboBox(QComboBox *source, QWidget *parent)
    : QComboBox(parent)
    , popupModel(new QStandardItemModel(this))
{
    setStyleSheet(source->styleSheet());
    setFixedSize(source->size());
    const QStringList texts = itemTexts(source);
    addItems(texts);
    buildPopup();
    fillPopupModel(texts);
    selectRow(currentIndex());
}

void ComboBox::setItems(const QStringList &texts)
{
    clear();
    insertItems(0, texts);
    fillPopupModel(texts);
    if (popup)
        selectRow(currentIndex());
}

void ComboBox::setPopupItems(const QStringList &texts)
{
    fillPopupModel(texts);
    if (popup)
        selectRow(currentIndex());
}

void ComboBox::setCurrentIndex(int index)
{
    QComboBox::setCurrentIndex(index);
    rememberedIndex = index;
    if (popup)
        selectRow(index);
}

void ComboBox::setPopupColor(const QColor &color)
{
    popupColor = color;
    if (popup)
        restyle();
}

void ComboBox::setPopupWidth(int width)
{
    popupWidth = width;
}

void ComboBox::addSelectedItemStyle()
{
    listStyle += QStringLiteral("QListView::item:selected:hover { height: %1px; color: #373737; "
                                "background-color: #ffda00; }"
                                "QListView::item:selected:!hover { height: %1px; color: #ffda00; "
                                "background-color: #b2afaf; }")
                     .arg(rowHeight);
}

void ComboBox::fillPopupModel(const QStringList &texts)
{
    popupModel->clear();
    for (const QString &text : texts)
        popupModel->appendRow(new QStandardItem(text));
    checkedRow = -1;
}

void ComboBox::updatePopupChecks(int row)
{
    const QIcon check(checkPixmap);
    const QIcon blank(blankPixmap);
    for (int i = 0; i < popupModel->rowCount(); ++i)
        popupModel->item(i)->setIcon(i == row ? check : blank);
    checkedRow = row >= 0 && row < popupModel->rowCount() ? row : -1;
}

// The one path by which a row becomes the chosen one, whether the user
// clicked it or the program set it.
void ComboBox::selectRow(int row)
{
    updatePopupChecks(row);
    if (list && popupModel->rowCount() > 0)
        list->selectionModel()->setCurrentIndex(popupModel->index(0, 0), QItemSelectionModel::ClearAndSelect);
    // No row means nothing was chosen: receivers take the argument as a row.
    if (row >= 0 && row < popupModel->rowCount())
        emit selected(row);
    QComboBox::setCurrentIndex(row);
    if (popup)
        popup->hide();
}

void ComboBox::buildPopup()
{
    if (popupWidth < width())
        popupWidth = width();

    popup = new QWidget(this, Qt::Tool | Qt::FramelessWindowHint);
    popup->setAttribute(Qt::WA_TranslucentBackground);
    popup->setMinimumHeight(rowHeight + 10);
    popup->setStyleSheet(popupScrollBarStyle);

    auto *windowLayout = new QVBoxLayout(popup);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    popupFrame = new QFrame(popup);
    windowLayout->addWidget(popupFrame);
    auto *frameLayout = new QVBoxLayout(popupFrame);
    frameLayout->setContentsMargins(0, 5, 0, 5);
    frameLayout->setSpacing(0);

    list = new ComboItemView(popupFrame);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(true);
    list->setFocusPolicy(Qt::WheelFocus);
    list->setModel(popupModel);
    frameLayout->addWidget(list);

    restyle();
    connect(list, &ComboItemView::focusOutHide, popup, &QWidget::hide);
    connect(list, &ComboItemView::clicked, this, [this](const QModelIndex &index) { selectRow(index.row()); });

    updatePopupChecks(rememberedIndex);
}

void ComboBox::restyle()
{
    popupFrame->setStyleSheet(
        QStringLiteral("QFrame { border-radius: 5px; background-color: %1; }").arg(popupColor.name()));
    listStyle += QStringLiteral("QListView { background-color: %2; outline: none; }"
                                "QListView::item { font-size: 13px; color: #3f3f3f; background-color: %2; "
                                "height: %1px; }"
                                "QListView::item:hover { height: %1px; color: #373737; "
                                "background-color: #ffda00; }")
                     .arg(rowHeight)
                     .arg(popupColor.name());
    list->setStyleSheet(listStyle);
}

void ComboBox::showPopup()
{
    if (!popup)
        buildPopup();
    const int rows = popupModel->rowCount();
    if (rows == 0)
        return;

    const QRect screenRect = screen()->geometry();
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    int x = topLeft.x();
    int y = topLeft.y();
    const int w = popupFollowsWidth ? width() : popupWidth;
    const int h = rows * rowHeight + 10;

    popup->setMaximumHeight(screenRect.height());
    popup->setGeometry(x, y, w, h);
    popup->show();

    // Corrections against the screen's edges, in this order.
    const int left = screenRect.x();
    const int top = screenRect.y();
    if (x < left)
        x = left + 5;
    if (y < top)
        y = top + 5;
    if (x + w > left + screenRect.width())
        x = left + screenRect.width() - w - 5;
    if (y + h > top + screenRect.height()) {
        if (y - top > h) {
            // Opens upwards, its last row ending at the combo's lower edge.
            y += height() - h;
        } else if (y - top < screenRect.height() / 2) {
            popup->setMaximumHeight(top + screenRect.height() - y - 5);
        } else {
            // The room above; measured from the screen's top so that a screen
            // below another one keeps the list on it.
            popup->setMaximumHeight(y - top);
            y = top + 5;
        }
    }
    popup->move(x, y);
    popup->activateWindow();
    list->setFocus();
}

bool ComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel scrolling past a combo must never change its choice.
    if (watched == this && event->type() == QEvent::Wheel)
        return true;
    return QComboBox::eventFilter(watched, event);
}
