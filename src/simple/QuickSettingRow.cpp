#include "QuickSettingRow.h"

#include "StyleProperties.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QVariant>

namespace QuickSettingRow {

Parts build(QWidget *page, int height, const QString &titleText, const QStringList &items, QWidget *extra,
            const QString &modelKey)
{
    page->setFixedHeight(height);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(15);

    Parts parts;
    parts.title = new QPushButton(titleText, page);
    parts.title->setObjectName(QStringLiteral("pushButton_title"));
    parts.title->setFixedSize(188, 30);
    parts.title->setEnabled(false);
    parts.title->setProperty("button_type", QStringLiteral("input"));

    auto *frame = new QFrame(page);
    frame->setObjectName(QStringLiteral("frame_combo"));
    frame->setFixedSize(223, 40);
    frame->setProperty("frame_type", QStringLiteral("output_container"));
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    parts.combo = new QComboBox(frame);
    parts.combo->setObjectName(QStringLiteral("comboBox"));
    parts.combo->setFixedHeight(38);
    parts.combo->setProperty("combo_type", QStringLiteral("rgb_oled"));
    parts.combo->addItems(items);
    frameLayout->addWidget(parts.combo);
    StyleProperties::set({parts.title, frame, parts.combo}, StyleProperties::modelKey, modelKey);

    layout->addWidget(parts.title);
    layout->addWidget(frame);
    layout->addWidget(extra);
    layout->addItem(new QSpacerItem(1, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return parts;
}

} // namespace QuickSettingRow
