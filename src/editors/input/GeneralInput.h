#pragma once

#include <QDialog>
#include <QMap>

#include <array>
#include <memory>

class ComboBox;
class ForcePress;
class InputMapActionConfig;
class InputTypePage;
class MapWidget;
class MouseButtons;
class MouseMovement;
class ScrollWheel;
class Tilt;

namespace Ui {
class GeneralInput;
}

// The input choice dialog: one page per kind of input, the kinds offered
// depending on the connected model and on the mapping the input is nested
// under. It is shown modal without an event loop of its own, hidden after
// every use, and hands the new card to its owner only through its signals.
class GeneralInput : public QDialog
{
    Q_OBJECT

public:
    explicit GeneralInput(QWidget *parent);
    ~GeneralInput() override;

    // Opens for a new child input nested under a card on forceButton (a
    // ButtonIds value, 13 for none).
    void showAdd(int forceButton);
    // Opens on an existing mapping; a top-level mapping keeps its kind
    // (typeRowVisible false).
    void showModify(InputMapActionConfig *mapping, bool typeRowVisible, bool deleteVisible);

signals:
    // The receiver owns the card.
    void add(MapWidget *card);
    void modify(MapWidget *card);
    void remove();

public slots:
    void typeChange(int index);
    void addClicked();
    void deleteClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillTypeList(int button);
    void showOnly(InputTypePage *page);
    void selectPage(InputTypePage *page, int rowAfterPage = 0);
    void loadMapping(InputMapActionConfig *mapping);
    // A page the list has no row for: loaded by the caller, shown with the
    // type combo on no row, so Ok builds the same kind of input.
    void showUnlisted(InputTypePage *page);
    static int typeListButton(const InputMapActionConfig *mapping);

    std::unique_ptr<Ui::GeneralInput> ui;
    ComboBox *typeCombo = nullptr;
    QMap<InputTypePage *, int> pageRows;
    InputTypePage *current = nullptr;
    MouseButtons *mouseButtons = nullptr;
    MouseMovement *mouseMovement = nullptr;
    ScrollWheel *scrollWheel = nullptr;
    ForcePress *forcePress = nullptr;
    Tilt *tilt = nullptr;
    // The five pages in creation order.
    std::array<InputTypePage *, 5> pages{};
};
