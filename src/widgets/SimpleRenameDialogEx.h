#pragma once
// The rename box of the action editors, laid out in code so that a caller can
// put a block of its own under the name field. Dragged by any free spot.
// exec() gives 1 when accepted; newName() is the typed name, trimmed.

#include "RenameDialogBase.h"

#include <QPoint>

class QLayout;

class SimpleRenameDialogEx : public RenameDialogBase
{
    Q_OBJECT

public:
    // extra (may be null) goes under the name field; the dialog takes it over.
    SimpleRenameDialogEx(const QString &currentName, QWidget *parent, const QString &modelKey, const QString &labelText,
                         const QString &okText, QLayout *extra, int maxLength);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPoint m_dragOffset;
    bool m_dragging = false;
};
