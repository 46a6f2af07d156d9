#pragma once

#include "InputTypePage.h"

#include <QMap>
#include <QString>

#include <memory>

class RangeSlider;

namespace Ui {
class ForcePress;
}

// The page that chooses a force input: a force-sensing button and either a
// threshold ("Toggle Region") or a range ("Analog Range"), in percent.
class ForcePress : public InputTypePage
{
    Q_OBJECT

public:
    explicit ForcePress(QWidget *parent);
    ~ForcePress() override;

    MapWidget *createMapWidget() override;
    // Offers the force-sensing buttons of the connected model.
    void fillForceButtons();
    // Load a mapping's values in percent. A button the list lacks selects no
    // row; the card is then built on that button still.
    void setToggleRegion(int button, int force);
    void setAnalogRange(int button, int min, int max);

    // The button the card is built on: the one shown, or with no row shown
    // the one last loaded (0 before any load).
    int chosenButton() const;

public slots:
    void switchForce(int index);
    void valueSync(int value);
    void rangeValueSync();
    void rangeSync(int rangeMin, int rangeMax);

private:
    void selectButton(int button);

    std::unique_ptr<Ui::ForcePress> ui;
    ComboBox *buttonCombo;
    ComboBox *modeCombo;
    RangeSlider *rangeSlider;
    QMap<int, QString> forceButtons;
    int loadedButton = 0;
};
