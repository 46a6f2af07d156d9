#pragma once
// The force calibration's data: per side a zero level, per calibration sensor
// three force levels, as the mouse stores them in its 28-byte block.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace Force {

// Calibration sensors (0-3): both buttons, each pressed on the button and on
// its fingertip area. 0 and 1 read the left force sensor, 2 and 3 the right.
enum Sensor : int { LeftButton = 0, LeftFingertip = 1, RightButton = 2, RightFingertip = 3 };
// Levels (0-3) measured per sensor.
enum Level : int { Zeroing = 0, ClickForce = 1, Force40 = 2, Force100 = 3 };
// No sensor, no level.
inline constexpr int none = 4;
inline constexpr int sensorCount = 4;
inline constexpr int levelCount = 4;

// The button id the mouse reports for the sensor, and its bit in the button
// bits of a live sample.
int buttonId(int sensor);
uint16_t buttonMask(int sensor);
bool isRightSide(int sensor);
// "Left Button" ... "Right Fingertip"; "Zeroing" ... "100% Force".
QString sensorLabel(int sensor);
QString levelLabel(int level);

// The block: left zero, right zero, then levels 1-3 of the sensors in the
// order Left Button, Left Fingertip, Right Button, Right Fingertip.
inline constexpr int blockEntries = 14;
inline constexpr int blockBytes = 2 * blockEntries;
using Block = std::array<uint16_t, blockEntries>;
// What a mouse without a stored calibration holds.
Block defaultBlock();
// Low byte first, and back; a text shorter than blockBytes gives nothing.
QByteArray blockBytesOf(const Block &block);
std::optional<Block> blockFrom(const uint8_t *data, int size);

using Levels = QList<quint16>;

class Model : public QObject
{
    Q_OBJECT
    Q_PROPERTY(quint16 LeftZero READ leftZero WRITE setLeftZero NOTIFY changed)
    Q_PROPERTY(quint16 RightZero READ rightZero WRITE setRightZero NOTIFY changed)
    Q_PROPERTY(Force::Levels LeftButton READ leftButton WRITE setLeftButton NOTIFY changed)
    Q_PROPERTY(Force::Levels RightButton READ rightButton WRITE setRightButton NOTIFY changed)
    Q_PROPERTY(Force::Levels LeftFingertip READ leftFingertip WRITE setLeftFingertip NOTIFY changed)
    Q_PROPERTY(Force::Levels RightFingertip READ rightFingertip WRITE setRightFingertip NOTIFY changed)

public:
    explicit Model(QObject *parent = nullptr);

    uint16_t leftZero() const { return m_leftZero; }
    uint16_t rightZero() const { return m_rightZero; }
    Levels leftButton() const { return m_levels[LeftButton]; }
    Levels rightButton() const { return m_levels[RightButton]; }
    Levels leftFingertip() const { return m_levels[LeftFingertip]; }
    Levels rightFingertip() const { return m_levels[RightFingertip]; }
    // Entry 0 is the zero the sensor was calibrated against (not stored in
    // the block), entries 1-3 its levels 1-3. Empty for another sensor.
    Levels sensorLevels(int sensor) const;

    void setLeftZero(uint16_t value);
    void setRightZero(uint16_t value);
    void setLeftButton(const Levels &levels) { setSensorLevels(LeftButton, levels); }
    void setRightButton(const Levels &levels) { setSensorLevels(RightButton, levels); }
    void setLeftFingertip(const Levels &levels) { setSensorLevels(LeftFingertip, levels); }
    void setRightFingertip(const Levels &levels) { setSensorLevels(RightFingertip, levels); }
    // Stores the list of sensor 0-3; another sensor does nothing.
    void setSensorLevels(int sensor, const Levels &levels);

    // The zeros from entries 0 and 1, then entries 1-3 of each sensor from
    // the block; entry 0 of each list is kept.
    void setFromBlock(const Block &block);
    Block toBlock() const;

signals:
    void changed();

private:
    uint16_t m_leftZero = 0;
    uint16_t m_rightZero = 0;
    std::array<Levels, sensorCount> m_levels;
};

} // namespace Force
