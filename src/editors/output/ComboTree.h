#pragma once

#include <QComboBox>
#include <QFontMetrics>
#include <QModelIndex>
#include <QPointer>
#include <QString>

class ComboTreeView;
class QFrame;
class QGraphicsView;
class QLabel;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QVBoxLayout;

// The output picker's combo box: it shows one text, and its popup is a
// searchable tree of the action library (groups, optional sub-groups,
// entries). While the popup is open the combo is editable and its edit is
// the search: the keys typed in the tree go there, and every group, sub-group
// and entry whose text lacks the search (in either case) is hidden. Clicking
// an entry closes the popup and emits selected with its group, sub-group
// (empty without one) and name.
//
// In the simple view the popup opens above the combo when the graphics view
// that shows the combo leaves too little room below it. Once the popup
// exists, a button over the combo offers renaming while the pointer is on it.
class ComboTree : public QComboBox
{
    Q_OBJECT

public:
    // simple: 1 for the simple view, 0 for the expert view.
    ComboTree(QWidget *parent, int simple);
    ~ComboTree() override;

    // The library tree (not owned). The rename button comes with it; the
    // expert view's popup is made when it first opens or is asked for, the
    // simple view's at once.
    void setModel(QStandardItemModel *model);
    void setModelKey(const QString &key);
    // Makes that text the combo's one item, without signals.
    void setText(const QString &text);

    void showPopup() override;
    void hidePopup() override;

    // The popup, null until the model was set; for the owner's layout and tests.
    QWidget *popup() const;
    ComboTreeView *treeView() const;
    bool isPopupVisible() const;

    // The graphics view that shows widget, when widget lies in a graphics
    // scene; null otherwise.
    static QGraphicsView *viewShowing(const QWidget *widget);

    // The most rows the popup lists at once.
    int maximumRows() const { return m_simple ? 10 : 20; }
    int rowHeight() const { return m_simple ? 25 : 18; }

signals:
    void selected(QString outputGroup, QString outputSubGroup, QString ouputName);
    void rename();
    void focusOutHide();

public slots:
    void positioning();
    void treeClicked(QModelIndex index);
    void treeSearch(QChar c);
    void treeEdit(int key);
    void searchLine(QString text);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPopup();
    void createHoverButton();
    // The focus left the tree (or the popup): the popup closes unless the
    // focus stayed inside it.
    void focusLeft();
    void showHoverButton();
    int visibleRows() const;
    // What is below the combo in the graphics view that shows it, in the
    // view's pixels, and the view's scale; 0 and 1 outside a graphics scene.
    int roomBelow(double *scale) const;
    void selectLeaf(const QString &text);
    QStandardItem *leafWithText(const QString &text) const;

    QPointer<QWidget> m_popup; // translucent; the frame inside draws it
    QVBoxLayout *m_popupLayout = nullptr;
    QFrame *m_frame = nullptr;
    QVBoxLayout *m_frameLayout = nullptr;
    ComboTreeView *m_tree = nullptr;
    QPointer<QStandardItemModel> m_model;
    QLabel *m_noItems = nullptr;
    QPushButton *m_hoverButton = nullptr;
    QString m_modelKey = QStringLiteral("pelkin");
    const int m_simple;
    const QFontMetrics m_metrics;
    bool m_open = false;
    // While a search sets many rows, their expansions do not each move the popup.
    bool m_searching = false;
};
