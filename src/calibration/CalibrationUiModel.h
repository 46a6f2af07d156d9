#pragma once
// What the force calibration's progress page shows: its two texts, the live
// force per side with the levels measured so far, the sensor being
// calibrated, and the stage handler that receives the input. The stage
// handlers write here; the dialog redraws on changed().

#include <QObject>
#include <QString>

#include <cstdint>

class StageHandler;

class CalibrationUiModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString TitleText READ titleText WRITE setTitleText NOTIFY changed)
    Q_PROPERTY(QString InstructionText READ instructionText WRITE setInstructionText NOTIFY changed)
    Q_PROPERTY(int LeftProgress READ leftProgress WRITE setLeftProgress NOTIFY changed)
    Q_PROPERTY(int RightProgress READ rightProgress WRITE setRightProgress NOTIFY changed)
    Q_PROPERTY(int LeftZeroLevel READ leftZeroLevel WRITE setLeftZeroLevel NOTIFY changed)
    Q_PROPERTY(int RightZeroLevel READ rightZeroLevel WRITE setRightZeroLevel NOTIFY changed)
    Q_PROPERTY(int LeftClickLevel READ leftClickLevel WRITE setLeftClickLevel NOTIFY changed)
    Q_PROPERTY(int RightClickLevel READ rightClickLevel WRITE setRightClickLevel NOTIFY changed)
    Q_PROPERTY(int LeftP40Level READ leftP40Level WRITE setLeftP40Level NOTIFY changed)
    Q_PROPERTY(int RightP40Level READ rightP40Level WRITE setRightP40Level NOTIFY changed)
    Q_PROPERTY(int LeftP100Level READ leftP100Level WRITE setLeftP100Level NOTIFY changed)
    Q_PROPERTY(int RightP100Level READ rightP100Level WRITE setRightP100Level NOTIFY changed)
    Q_PROPERTY(int CalibrationButton READ calibrationButton WRITE setCalibrationButton NOTIFY changed)
    Q_PROPERTY(StageHandler *CurrentStage READ currentStage WRITE setCurrentStage NOTIFY stageChanged)
    Q_PROPERTY(int CurrentLevel READ currentLevel WRITE setCurrentLevel NOTIFY levelChanged)

public:
    // Results of reportResult; start is given only by the dialog.
    static constexpr int resultNext = 0;
    static constexpr int resultStart = 1;
    static constexpr int resultFailed = 2;

    // One side as the force bar shows it: each value above the side's zero
    // sample, in a range that ends at the highest force above it.
    struct BarLevels
    {
        int maximum = 65535;
        int value = 0;
        int zero = 0;
        int click = 0;
        int p40 = 0;
        int p100 = 0;
    };

    explicit CalibrationUiModel(QObject *parent = nullptr);

    QString titleText() const { return m_titleText; }
    QString instructionText() const { return m_instructionText; }
    int leftProgress() const { return m_leftProgress; }
    int rightProgress() const { return m_rightProgress; }
    int leftZeroLevel() const { return m_leftZeroLevel; }
    int rightZeroLevel() const { return m_rightZeroLevel; }
    int leftClickLevel() const { return m_leftClickLevel; }
    int rightClickLevel() const { return m_rightClickLevel; }
    int leftP40Level() const { return m_leftP40Level; }
    int rightP40Level() const { return m_rightP40Level; }
    int leftP100Level() const { return m_leftP100Level; }
    int rightP100Level() const { return m_rightP100Level; }
    int calibrationButton() const { return m_calibrationButton; }
    StageHandler *currentStage() const { return m_currentStage; }
    int currentLevel() const { return m_currentLevel; }

    void setTitleText(const QString &text);
    void setInstructionText(const QString &text);
    void setLeftProgress(int value) { setInt(m_leftProgress, value); }
    void setRightProgress(int value) { setInt(m_rightProgress, value); }
    void setLeftZeroLevel(int value) { setInt(m_leftZeroLevel, value); }
    void setRightZeroLevel(int value) { setInt(m_rightZeroLevel, value); }
    void setLeftClickLevel(int value) { setInt(m_leftClickLevel, value); }
    void setRightClickLevel(int value) { setInt(m_rightClickLevel, value); }
    void setLeftP40Level(int value) { setInt(m_leftP40Level, value); }
    void setRightP40Level(int value) { setInt(m_rightP40Level, value); }
    void setLeftP100Level(int value) { setInt(m_leftP100Level, value); }
    void setRightP100Level(int value) { setInt(m_rightP100Level, value); }
    void setCalibrationButton(int value) { setInt(m_calibrationButton, value); }
    void setCurrentStage(StageHandler *stage);
    void setCurrentLevel(int level);

    // The ten force values from LeftProgress to RightP100Level to 0.
    void resetLevels();
    // The side of CalibrationButton, against that side's zero sample.
    BarLevels barLevels(uint16_t zeroSample) const;

signals:
    void changed();
    void stageChanged();
    void levelChanged();
    void reportResult(int result);

private:
    void setInt(int &field, int value);

    QString m_titleText;
    QString m_instructionText;
    int m_leftProgress = 0;
    int m_rightProgress = 0;
    int m_leftZeroLevel = 0;
    int m_rightZeroLevel = 0;
    int m_leftClickLevel = 0;
    int m_rightClickLevel = 0;
    int m_leftP40Level = 0;
    int m_rightP40Level = 0;
    int m_leftP100Level = 0;
    int m_rightP100Level = 0;
    int m_calibrationButton = 0;
    StageHandler *m_currentStage = nullptr;
    int m_currentLevel = 4;
};
