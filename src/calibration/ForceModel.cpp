#include "ForceModel.h"

#include <QCoreApplication>
#include <QStringList>

namespace Force {

namespace {
constexpr int firstLevelEntry = 2; // block entries 0-1 are the zeros

const QStringList &sensorLabels()
{
    // Made once, after the translations are installed.
    static const QStringList labels{
        QCoreApplication::translate("Force", "Left Button"),
        QCoreApplication::translate("Force", "Left Fingertip"),
        QCoreApplication::translate("Force", "Right Button"),
        QCoreApplication::translate("Force", "Right Fingertip"),
    };
    return labels;
}

const QStringList &levelLabels()
{
    static const QStringList labels{
        QCoreApplication::translate("Force", "Zeroing"),
        QCoreApplication::translate("Force", "0% Click Force"),
        QCoreApplication::translate("Force", "40% Force"),
        QCoreApplication::translate("Force", "100% Force"),
    };
    return labels;
}

bool validSensor(int sensor)
{
    return sensor >= 0 && sensor < sensorCount;
}
} // namespace

int buttonId(int sensor)
{
    static constexpr int ids[sensorCount] = {0, 7, 1, 8};
    return validSensor(sensor) ? ids[sensor] : -1;
}

uint16_t buttonMask(int sensor)
{
    static constexpr uint16_t masks[sensorCount] = {0x0001, 0x0080, 0x0002, 0x0100};
    return validSensor(sensor) ? masks[sensor] : 0;
}

bool isRightSide(int sensor)
{
    return sensor == RightButton || sensor == RightFingertip;
}

QString sensorLabel(int sensor)
{
    return validSensor(sensor) ? sensorLabels().at(sensor) : QString();
}

QString levelLabel(int level)
{
    return level >= 0 && level < levelCount ? levelLabels().at(level) : QString();
}

Block defaultBlock()
{
    Block block{};
    for (int sensor = 0; sensor < sensorCount; ++sensor) {
        block[firstLevelEntry + 3 * sensor] = 10000;
        block[firstLevelEntry + 3 * sensor + 1] = 19660;
        block[firstLevelEntry + 3 * sensor + 2] = 52428;
    }
    return block;
}

QByteArray blockBytesOf(const Block &block)
{
    QByteArray bytes;
    bytes.reserve(blockBytes);
    for (uint16_t value : block)
        bytes.append(char(value & 0xFF)).append(char(value >> 8));
    return bytes;
}

std::optional<Block> blockFrom(const uint8_t *data, int size)
{
    if (!data || size < blockBytes)
        return std::nullopt;
    Block block{};
    for (int i = 0; i < blockEntries; ++i)
        block[i] = uint16_t(data[2 * i] | data[2 * i + 1] << 8);
    return block;
}

Model::Model(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<Levels>("Force::Levels");
    m_levels.fill(Levels{0, 0, 0, 0});
}

Levels Model::sensorLevels(int sensor) const
{
    return validSensor(sensor) ? m_levels[sensor] : Levels();
}

void Model::setLeftZero(uint16_t value)
{
    if (value == m_leftZero)
        return;
    m_leftZero = value;
    emit changed();
}

void Model::setRightZero(uint16_t value)
{
    if (value == m_rightZero)
        return;
    m_rightZero = value;
    emit changed();
}

void Model::setSensorLevels(int sensor, const Levels &levels)
{
    if (!validSensor(sensor) || m_levels[sensor] == levels)
        return;
    m_levels[sensor] = levels;
    emit changed();
}

void Model::setFromBlock(const Block &block)
{
    setLeftZero(block[0]);
    setRightZero(block[1]);
    for (int sensor = 0; sensor < sensorCount; ++sensor) {
        Levels levels = m_levels[sensor];
        while (levels.size() < levelCount)
            levels.append(0);
        for (int level = 1; level < levelCount; ++level)
            levels[level] = block[firstLevelEntry + 3 * sensor + level - 1];
        setSensorLevels(sensor, levels);
    }
}

Block Model::toBlock() const
{
    Block block{};
    block[0] = m_leftZero;
    block[1] = m_rightZero;
    for (int sensor = 0; sensor < sensorCount; ++sensor) {
        const Levels &levels = m_levels[sensor];
        for (int level = 1; level < levelCount; ++level)
            block[firstLevelEntry + 3 * sensor + level - 1] = level < levels.size() ? levels[level] : 0;
    }
    return block;
}

} // namespace Force
