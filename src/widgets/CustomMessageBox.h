#pragma once
// The expert-view message box: a rich-text message with up to three buttons,
// shown left to right as third, second, first. exec() gives 2 for the first
// button, 1 for the second, 0 for the third and for Escape. Made over a
// parent, it opens centred on it and kept inside the parent's screen on the
// right and at the bottom.

#include <QDialog>

#include <memory>

namespace Ui {
class MessageBox;
}

class CustomMessageBox : public QDialog
{
    Q_OBJECT

public:
    // An empty secondText or thirdText hides that button; without a third
    // button the others sit at the right. Each "\n" of text starts a line.
    CustomMessageBox(QWidget *parent, const QString &text, const QString &firstText, const QString &secondText,
                     const QString &thirdText);
    ~CustomMessageBox() override;

    void setTextAlignment(Qt::Alignment alignment);
    void setButtonWidths(int first, int second, int third);

    // Where a box of size placed over a parent centred at parentCentre
    // (global coordinates) goes on a screen with that available area.
    static QPoint placement(const QPoint &parentCentre, const QSize &size, const QRect &available);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void placeOverParent();

    std::unique_ptr<Ui::MessageBox> ui;
    int m_lineHeight = 24;
    int m_extraHeight = 120;
};
