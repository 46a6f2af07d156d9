#include "CalibrationUiModel.h"

#include "ForceModel.h"
#include "StageHandler.h"

namespace {
// A force above the zero sample, as a 16-bit value; 0 at or below it.
int aboveZero(int value, uint16_t zero)
{
    return value > zero ? uint16_t(value - zero) : 0;
}
} // namespace

CalibrationUiModel::CalibrationUiModel(QObject *parent)
    : QObject(parent)
{}

void CalibrationUiModel::setTitleText(const QString &text)
{
    if (text == m_titleText)
        return;
    m_titleText = text;
    emit changed();
}

void CalibrationUiModel::setInstructionText(const QString &text)
{
    if (text == m_instructionText)
        return;
    m_instructionText = text;
    emit changed();
}

void CalibrationUiModel::setInt(int &field, int value)
{
    if (value == field)
        return;
    field = value;
    emit changed();
}

void CalibrationUiModel::setCurrentStage(StageHandler *stage)
{
    if (stage == m_currentStage)
        return;
    m_currentStage = stage;
    emit stageChanged();
}

void CalibrationUiModel::setCurrentLevel(int level)
{
    if (level == m_currentLevel)
        return;
    m_currentLevel = level;
    emit levelChanged();
}

void CalibrationUiModel::resetLevels()
{
    setLeftProgress(0);
    setRightProgress(0);
    setLeftZeroLevel(0);
    setRightZeroLevel(0);
    setLeftClickLevel(0);
    setRightClickLevel(0);
    setLeftP40Level(0);
    setRightP40Level(0);
    setLeftP100Level(0);
    setRightP100Level(0);
}

CalibrationUiModel::BarLevels CalibrationUiModel::barLevels(uint16_t zeroSample) const
{
    const bool right = m_calibrationButton > Force::LeftFingertip;
    BarLevels bar;
    bar.maximum = 0xFFFF - zeroSample;
    bar.value = aboveZero(right ? m_rightProgress : m_leftProgress, zeroSample);
    bar.zero = aboveZero(right ? m_rightZeroLevel : m_leftZeroLevel, zeroSample);
    bar.click = aboveZero(right ? m_rightClickLevel : m_leftClickLevel, zeroSample);
    bar.p40 = aboveZero(right ? m_rightP40Level : m_leftP40Level, zeroSample);
    bar.p100 = aboveZero(right ? m_rightP100Level : m_leftP100Level, zeroSample);
    return bar;
}
