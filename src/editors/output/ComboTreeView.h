#pragma once

#include <QTreeView>

// The tree in the output picker's popup. Typing searches instead of moving
// through the rows: a letter, digit or space is handed on as keyPressed,
// Backspace and Delete as keyEdited. Return or Enter opens a closed group and
// picks an entry (as a click does); the arrows move through the rows as in
// any tree. Losing the focus is announced as focusOutHide().
class ComboTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit ComboTreeView(QWidget *parent = nullptr);

signals:
    void focusOutHide();
    void keyPressed(QChar c);
    void keyEdited(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
