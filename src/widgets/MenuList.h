#pragma once
#include <QStringList>
#include <QWidget>

class MenuItemView;
class QPoint;
class QScrollArea;
class QStandardItemModel;

// A frameless pop-up list used as a context menu. It closes on a choice, on
// focus loss and through hide(), always announcing visibilityChanged(false)
// before it goes.
class MenuList : public QWidget
{
    Q_OBJECT

public:
    MenuList(const QStringList &items, QWidget *parent = nullptr);
    ~MenuList() override;

    void setPopupWidth(int width);
    // Shows the menu with its top-left corner at globalPos, kept on the screen.
    void showAt(const QPoint &globalPos);
    // Lets the first row stand as a heading with a line under it.
    void markFirstItem();

public slots:
    void hide();

signals:
    // Emitted after the menu has hidden itself.
    void itemSelected(int row);
    void visibilityChanged(bool visible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    MenuItemView *list;
    QScrollArea *scrollArea;
    QStandardItemModel *model;
    int rowHeight = 30;
    int popupWidth = 408;
};
