#pragma once
#include <QColor>
#include <QComboBox>
#include <QPixmap>
#include <QString>
#include <QStringList>

class ComboItemView;
class QFrame;
class QStandardItemModel;

// A combo box that never shows Qt's own drop-down: its pop-up is a frameless
// window of its own whose styled list marks the chosen row with a check.
// The pop-up rows may read differently from the combo's own items (a short
// text in the combo, a longer one in the list); both count rows alike.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);
    // Takes over a combo made by a form: its style sheet, its current size as
    // fixed size and its item texts. The caller puts the new combo in the
    // placeholder's place and deletes the placeholder.
    ComboBox(QComboBox *source, QWidget *parent);

    // When true the pop-up is exactly as wide as the combo.
    bool popupFollowsWidth = false;

    void setItems(const QStringList &texts);
    void setPopupItems(const QStringList &texts);
    void setPopupColor(const QColor &color);
    void setPopupWidth(int width);
    // Adds the look of the selected row; takes effect when the pop-up is built.
    void addSelectedItemStyle();
    // Puts the check on one pop-up row (-1: on none) and nothing else.
    void updatePopupChecks(int row);
    // The pop-up row that carries the check, -1 when none does.
    int checkedPopupRow() const { return checkedRow; }

    void showPopup() override;

public slots:
    void setCurrentIndex(int index);

signals:
    // A row was chosen in the pop-up, or the combo's row was set while the
    // pop-up exists.
    void selected(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPopup();
    void restyle();
    void fillPopupModel(const QStringList &texts);
    void selectRow(int row);

    QWidget *popup = nullptr;
    QFrame *popupFrame = nullptr;
    ComboItemView *list = nullptr;
    QStandardItemModel *popupModel;
    QString listStyle;
    int rememberedIndex = 0;
    QColor popupColor{"#b2afaf"};
    int rowHeight = 22;
    int popupWidth = 0;
    QPixmap checkPixmap{":/pic/check_20.png"};
    QPixmap blankPixmap{":/pic/transparent_20.png"};
    int checkedRow = -1;
};
