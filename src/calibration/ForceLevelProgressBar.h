#pragma once
// The force calibration's bar: the live force, with a line across it at each
// measured level (zero blue, click green, 40 % yellow, 100 % red). The levels
// are in the bar's own range; a level below 1 draws no line. A bar whose
// range is empty (maximum 0) shows no value and no lines.

#include <QProgressBar>

class ForceLevelProgressBar : public QProgressBar
{
    Q_OBJECT
    Q_PROPERTY(int ZeroLevel READ zeroLevel WRITE setZeroLevel NOTIFY peakLevelChanged)
    Q_PROPERTY(int ClickLevel READ clickLevel WRITE setClickLevel NOTIFY peakLevelChanged)
    Q_PROPERTY(int P40Level READ p40Level WRITE setP40Level NOTIFY peakLevelChanged)
    Q_PROPERTY(int P100Level READ p100Level WRITE setP100Level NOTIFY peakLevelChanged)

public:
    explicit ForceLevelProgressBar(QWidget *parent = nullptr);

    int zeroLevel() const { return m_zeroLevel; }
    int clickLevel() const { return m_clickLevel; }
    int p40Level() const { return m_p40Level; }
    int p100Level() const { return m_p100Level; }
    void setZeroLevel(int level) { setLevel(m_zeroLevel, level); }
    void setClickLevel(int level) { setLevel(m_clickLevel, level); }
    void setP40Level(int level) { setLevel(m_p40Level, level); }
    void setP100Level(int level) { setLevel(m_p100Level, level); }

    // Where a level's line lies: the row on a vertical bar (from the top),
    // the column on a horizontal one; -1 when it draws none.
    int markerPosition(int level) const;

signals:
    void peakLevelChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setLevel(int &field, int level);

    int m_zeroLevel = 0;
    int m_clickLevel = 0;
    int m_p40Level = 0;
    int m_p100Level = 0;
};
