#pragma once
// The row both quick light pages are built of: a disabled title button, a
// combo box in a frame, the page's extra control and a spacer at the end.

#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;
class QWidget;

namespace QuickSettingRow {

struct Parts
{
    QPushButton *title = nullptr;
    QComboBox *combo = nullptr;
};

// Lays the row out on page (fixed height given), the extra control after the
// combo's frame.
Parts build(QWidget *page, int height, const QString &titleText, const QStringList &items, QWidget *extra,
            const QString &modelKey);

} // namespace QuickSettingRow
