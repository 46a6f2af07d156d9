#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class OledSetRecord;
class PackageCreator;
class QComboBox;
class QLineEdit;
class QPushButton;

// The simple view's OLED page: what the display shows, and the custom
// message. Every change is stored at once as the current profile's OLED
// record (a profile that inherits its settings first gets its own).
class OledView : public QWidget
{
    Q_OBJECT

public:
    OledView(QWidget *parent, const QString &modelKey);

    // Shows the record of the profile whose settings the current profile
    // uses; stores nothing.
    void load(const OledSetRecord &record);
    // The middle of the title button's left edge, in page coordinates.
    QList<QPoint> anchorPoints() const;

public slots:
    void oledCustomMessageVisibility();
    void save();

private:
    PackageCreator *model;
    QPushButton *title;
    QComboBox *combo;
    QLineEdit *message;
};
