#pragma once
// The left end of the profile bar: the caption "Active Profile:", the Manual
// / Auto pair that turns automatic profile switching off and on, and the
// active profile's picture and name. The button of the current mode is the
// disabled one; hovering the other shows its hint.

#include <QWidget>

class QLabel;
class QPixmap;
class QPushButton;
class SimpleModel;

class ActiveProfileBox : public QWidget
{
    Q_OBJECT

public:
    explicit ActiveProfileBox(QWidget *parent);
    ~ActiveProfileBox() override;

    void setActiveName(const QString &name);
    void setActiveImage(const QPixmap &pixmap);

public slots:
    void updateAutoSwitching();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SimpleModel *m_model;
    QPushButton *m_manual;
    QPushButton *m_auto;
    QLabel *m_image;
    QLabel *m_name;
};
