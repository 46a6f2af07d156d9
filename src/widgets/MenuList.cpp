#include "MenuList.h"

#include "MenuItemView.h"

#include <QApplication>
#include <QDebug>
#include <QFrame>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QVBoxLayout>

MenuList::MenuList(const QStringList &items, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
    , list(new MenuItemView)
    , model(new QStandardItemModel(list))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMinimumHeight(rowHeight + 10);

    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    auto *frame = new QFrame(this);
    frame->setStyleSheet("QFrame { border-radius: 5px; background-color: #b2afaf; font-size: 14px; }");
    windowLayout->addWidget(frame);

    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(true);
    list->setFocusPolicy(Qt::WheelFocus);
    list->setStyleSheet(QStringLiteral("QListView { background-color: #b2afaf; }"
                                       "QListView::item { color: #3f3f3f; background-color: #b2afaf; "
                                       "height: %1px; padding-left: 10px; }"
                                       "QListView::item:hover { height: %1px; color: #373737; "
                                       "background-color: #ffda00; padding-left: 10px; }")
                            .arg(rowHeight));
    connect(list, &MenuItemView::focusOutHide, this, &MenuList::hide);
    connect(list, &MenuItemView::clicked, this, [this](const QModelIndex &index) { choose(index.row()); });

    for (const QString &item : items)
        model->appendRow(new QStandardItem(item));
    list->setModel(model);

    scrollArea = new QScrollArea(frame);
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setWidget(list);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, 5, 0, 5);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(scrollArea);

    list->installEventFilter(this);
}

MenuList::~MenuList()
{
    // Closing the window takes the focus from the list, which would call
    // back into a menu that is no longer there.
    disconnect(list, nullptr, this, nullptr);
}

void MenuList::setPopupWidth(int width)
{
    popupWidth = width;
}

void MenuList::showAt(const QPoint &globalPos)
{
    // Without a window of ours in front (a click into an inactive window can
    // come before its activation) the screen under the point sets the limit.
    QScreen *screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const QWidget *active = QApplication::activeWindow();
    const int room = (active ? active->height() : available.height()) - 100;
    const int needed = model->rowCount() * rowHeight + 10;
    const int height = qMin(needed, room);
    // Until the list has been laid out at its new size it would ask for a
    // scroll bar, and the first picture of the menu would show one.
    scrollArea->setVerticalScrollBarPolicy(needed <= height ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);

    setGeometry(globalPos.x(), globalPos.y(), popupWidth, height);
    // Shifted back by whatever would pass the screen's edges.
    const QRect shown = geometry();
    move(qMax(available.left(), qMin(shown.x(), available.x() + available.width() - shown.width())),
         qMax(available.top(), qMin(shown.y(), available.y() + available.height() - shown.height())));
    show();
    activateWindow();
    list->setFocus();
    emit visibilityChanged(true);
}

void MenuList::markFirstItem()
{
    list->setStyleSheet(list->styleSheet() + "QListView::item:selected:!hover { border-bottom : 1px solid #7F7D7D; }");
    list->setCurrentIndex(model->index(0, 0));
}

void MenuList::hide()
{
    // Hiding moves the focus away from the list, which asks to hide again.
    if (isHidden())
        return;
    emit visibilityChanged(false);
    QWidget::hide();
}

void MenuList::choose(int row)
{
    hide();
    emit itemSelected(row);
}

bool MenuList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = list->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            qDebug().noquote() << "Item activated:" << current.data().toString();
            choose(current.row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
