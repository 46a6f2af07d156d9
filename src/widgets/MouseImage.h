#pragma once
// The expert view's picture of the connected mouse: the model's picture, a
// clickable area over each of its eleven buttons and the logo in the colour
// the profile chose, fixed or cycling through the hues.

#include <QColor>
#include <QTimer>
#include <QVector>
#include <QWidget>

class ButtonGraphicsItem;
class MouseFunctions;
class QGraphicsItemGroup;
class QGraphicsPathItem;
class QGraphicsPixmapItem;
class QGraphicsPolygonItem;
class QGraphicsScene;
class QGraphicsView;

// The step of the hue animation, shared by every mouse image; 144 at start.
extern int hueCounter;

class MouseImage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int hueIntervalMs = 39;

    explicit MouseImage(QWidget *parent = nullptr);
    ~MouseImage() override;

    // The colour of one step of the hue animation.
    static QColor hueColor(int counter);

    // Shows the model's picture when connected, the "no mouse" picture when
    // not; nothing when unchanged.
    void setConnected(bool connected);
    // Selects the area of a button and emits clicked with it; nothing for an
    // id without an area (the trigger pulls among them).
    void selectButton(int buttonId);
    void clearSelection();
    // Emits clicked again for the selected area; nothing when none is.
    void emitSelected();

    bool isConnected() const { return m_connected; }
    bool hueMode() const { return m_hueMode; }
    bool hueRunning() const { return m_hueTimer.isActive(); }
    QColor logoColor() const { return m_logoColor; }
    // The picture shown: a resource path, empty for none.
    QString picturePath() const { return m_picturePath; }
    int styleType() const { return m_styleType; }
    QGraphicsView *view() const { return m_view; }
    const QVector<ButtonGraphicsItem *> &buttonAreas() const { return m_buttonAreas; }
    ButtonGraphicsItem *selectedArea() const { return m_selectedArea; }
    QGraphicsItemGroup *logoBackGroup() const { return m_logoBackGroup; }
    QGraphicsItemGroup *logoZoneGroup() const { return m_logoZoneGroup; }
    const QVector<QGraphicsPolygonItem *> &logoZones() const { return m_logoZones; }
    QGraphicsPathItem *logoPathV2() const { return m_logoPathV2; }
    QGraphicsPathItem *logoPathPelkin() const { return m_logoPathPelkin; }

signals:
    // A button area was selected, by a click or by selectButton.
    void clicked(int buttonId);

public slots:
    void setLogoColor(bool isHue, QColor color);
    // One step of the hue animation.
    void hueColorChange();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildItems();
    void showModel(bool connected);
    void loadPicture();
    void applyLogoColor(const QColor &color);
    void select(ButtonGraphicsItem *area);
    void updateHighlights();
    void fitPicture();

    MouseFunctions *m_device;
    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    QGraphicsPixmapItem *m_pictureItem = nullptr;
    QVector<ButtonGraphicsItem *> m_buttonAreas;
    ButtonGraphicsItem *m_selectedArea = nullptr;
    QGraphicsItemGroup *m_logoBackGroup = nullptr;
    QGraphicsItemGroup *m_logoZoneGroup = nullptr;
    QVector<QGraphicsPolygonItem *> m_logoZones;
    QGraphicsPathItem *m_logoPathV2 = nullptr;
    QGraphicsPathItem *m_logoPathPelkin = nullptr;
    QTimer m_hueTimer;
    bool m_connected = true;
    bool m_hueMode = false;
    QColor m_logoColor;
    QString m_picturePath;
    bool m_pictureLoaded = false;
    int m_styleType = 0;
};
