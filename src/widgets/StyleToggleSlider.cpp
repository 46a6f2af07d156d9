#include "StyleToggleSlider.h"

#include <QAbstractSlider>
#include <QSignalBlocker>

void styleToggleSlider(QAbstractSlider *slider, bool on)
{
    {
        const QSignalBlocker blocker(slider);
        slider->setValue(on ? 1 : 0);
    }
    slider->setStyleSheet(
        QStringLiteral("QSlider { background: %1; border-radius: 13px; }"
                       "QSlider::groove:horizontal { height: 26px; background: none; border-radius: 52px; "
                       "margin-left: 0px; margin-right: 0px;}"
                       "QSlider::handle:horizontal { width: 30px; height: 30px; margin: -2px; image: url(%2); }"
                       "QSlider::add-page:horizontal { background: none; }"
                       "QSlider::sub-page:horizontal { background: none; }")
            .arg(on ? QStringLiteral("#5aad35") : QStringLiteral("#ff5959"),
                 on ? QStringLiteral(":/pic/toggle_ok.png") : QStringLiteral(":/pic/toggle_nok.png")));
}
