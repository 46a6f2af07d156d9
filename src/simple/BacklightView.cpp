#include "BacklightView.h"

#include "ColorEditor.h"
#include "InheritedSettings.h"
#include "LedSetRecord.h"
#include "LoadingGuard.h"
#include "PackageCreator.h"
#include "QuickLightRules.h"
#include "QuickSettingRow.h"

#include <QComboBox>
#include <QCursor>
#include <QPushButton>
#include <QSignalBlocker>

using namespace QuickLightRules;

BacklightView::BacklightView(QWidget *parent, const QString &modelKey)
    : QWidget(parent)
    , model(PackageCreator::instance())
    , m_modelKey(modelKey)
{
    setObjectName(QStringLiteral("BacklightView"));
    colourButton = new QPushButton(this);
    colourButton->setObjectName(QStringLiteral("pushButton_colour"));
    colourButton->setFixedSize(30, 30);
    colourButton->setStyleSheet(QStringLiteral(
        "QPushButton {border: 1px solid rgba(0, 0, 0, 51);border-radius: 4px;background-color: #007fff;}"));
    const QuickSettingRow::Parts parts = QuickSettingRow::build(
        this, 60, tr("RGB Logo"), {tr("Off"), tr("Fixed Color"), tr("Rotation Color")}, colourButton, modelKey);
    title = parts.title;
    combo = parts.combo;

    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &BacklightView::ledColorVisibility);
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &BacklightView::save);
    connect(colourButton, &QPushButton::clicked, this, &BacklightView::colorPicker);
    ledColorVisibility();
}

void BacklightView::load(const LedSetRecord &record)
{
    LoadingGuard guard(model);
    const QSignalBlocker quiet(combo);
    const ProfileData *source = InheritedSettings::source(model);
    const LedSetRecord &shown = model->currentHasOwnSettings() || !source ? record : source->ledRecord;
    combo->setCurrentIndex(shown.ledMode >= 0 && shown.ledMode < combo->count() ? shown.ledMode : -1);
    pickedColor(QColor(shown.colour1[0], shown.colour1[1], shown.colour1[2]));
    ledColorVisibility();
}

QList<QPoint> BacklightView::anchorPoints() const
{
    return {title->pos() + QPoint(0, title->height() / 2)};
}

void BacklightView::colorPicker()
{
    if (!editor) {
        editor = new ColorEditor(m_modelKey, this);
        connect(editor, &ColorEditor::colorChanged, this, &BacklightView::pickedColor);
    }
    editor->setColor(m_colour);
    editor->showAt(QCursor::pos());
}

void BacklightView::pickedColor(const QColor &color)
{
    m_colour = color;
    colourButton->setStyleSheet(
        QStringLiteral("QPushButton { border: 1px solid #373737; border-radius: 4px; background-color: %1; }")
            .arg(color.name()));
    save();
}

void BacklightView::ledColorVisibility()
{
    colourButton->setVisible(combo->currentIndex() == ledFixedMode);
}

void BacklightView::save()
{
    if (model->loading)
        return;
    const LedSetRecord record = ledRecord(combo->currentIndex(), m_colour);
    InheritedSettings::ownBeforeEdit(model);
    model->setSettingsRecord(record);
}
