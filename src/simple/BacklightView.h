#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class ColorEditor;
class LedSetRecord;
class PackageCreator;
class QComboBox;
class QPushButton;

// The simple view's logo light page: off, a fixed colour chosen in the
// colour editor, or the rotating hue. Every change is stored at once as the
// current profile's LED record (a profile that inherits its settings first
// gets its own).
class BacklightView : public QWidget
{
    Q_OBJECT

public:
    BacklightView(QWidget *parent, const QString &modelKey);

    // Shows the record of the profile whose settings the current profile
    // uses; stores nothing.
    void load(const LedSetRecord &record);
    // The middle of the title button's left edge, in page coordinates.
    QList<QPoint> anchorPoints() const;
    QColor colour() const { return m_colour; }
    // Made on the first click of the colour button; null before.
    ColorEditor *colorEditor() const { return editor; }

public slots:
    void colorPicker();
    void pickedColor(const QColor &color);
    void ledColorVisibility();
    void save();

private:
    PackageCreator *model;
    QPushButton *title;
    QComboBox *combo;
    QPushButton *colourButton;
    ColorEditor *editor = nullptr;
    QColor m_colour;
    QString m_modelKey;
};
