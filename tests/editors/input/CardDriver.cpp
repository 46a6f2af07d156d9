#include "CardDriver.h"

#include "AppFont.h"
#include "DialogAnswerer.h"
#include "MenuItemView.h"
#include "MenuList.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QtTest>

CardHost::CardHost()
    : m_layout(new QVBoxLayout(this))
{
    m_layout->addStretch(1);
    setFont(appFont());
    resize(900, 600);
    setStyleSheet(QStringLiteral("background-color: #2b2b2d;"));
}

namespace CardDriver {

void settle()
{
    QCoreApplication::processEvents();
}

MenuList *openMenu(MapWidget *card)
{
    settle();
    if (!WidgetDriver::click(card, QStringLiteral("pushButton_menu")))
        return nullptr;
    auto *menu = card->findChild<MenuList *>(QStringLiteral("cardMenu"));
    return menu && menu->isVisible() ? menu : nullptr;
}

QStringList menuRows(MapWidget *card)
{
    QStringList rows;
    MenuList *menu = openMenu(card);
    if (!menu)
        return rows;
    auto *view = menu->findChild<MenuItemView *>();
    for (int row = 0; view && row < view->model()->rowCount(); ++row)
        rows << view->model()->index(row, 0).data().toString();
    menu->hide();
    return rows;
}

bool choose(MapWidget *card, const QString &row)
{
    MenuList *menu = openMenu(card);
    auto *view = menu ? menu->findChild<MenuItemView *>() : nullptr;
    if (!view)
        return false;
    for (int i = 0; i < view->model()->rowCount(); ++i) {
        const QModelIndex index = view->model()->index(i, 0);
        if (index.data().toString() == row) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            return true;
        }
    }
    menu->hide();
    return false;
}

void hover(MapWidget *card, bool top, bool entered)
{
    QWidget *row = card->findChild<QWidget *>(top ? QStringLiteral("widget_top") : QStringLiteral("widget_bot"));
    QEvent event(entered ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(row, &event);
}

std::unique_ptr<DialogAnswerer> answerPaste(const QString &button, int timeoutMs)
{
    return std::make_unique<DialogAnswerer>(
        [button](QWidget *dialog) {
            for (QAbstractButton *candidate : dialog->findChildren<QAbstractButton *>()) {
                if (candidate->isVisible() && candidate->text() == button) {
                    QTest::mouseClick(candidate, Qt::LeftButton, {}, candidate->rect().center());
                    return;
                }
            }
            qWarning() << "CardDriver: the paste question has no button" << button;
        },
        timeoutMs);
}

QString text(const MapWidget *card, const char *objectName)
{
    auto *button = card->findChild<QAbstractButton *>(QLatin1String(objectName));
    return button ? WidgetDriver::shownButtonText(button->text()) : QString();
}

bool isShown(const MapWidget *card, const char *objectName)
{
    auto *widget = card->findChild<QWidget *>(QLatin1String(objectName));
    return widget && widget->isVisible();
}

bool isEnabled(const MapWidget *card, const char *objectName)
{
    auto *widget = card->findChild<QWidget *>(QLatin1String(objectName));
    return widget && widget->isEnabled();
}

} // namespace CardDriver
