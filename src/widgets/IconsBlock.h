#pragma once
// The input icons of the simple scene: one list per label, stacked upward
// above the label's anchor. The block frees every icon it made once it no
// longer uses it; an icon its scene deleted first is not deleted again.

#include <QList>
#include <QMap>
#include <QObject>
#include <QPoint>
#include <QPointer>

class IconPixObject;
class QGraphicsScene;

class IconsBlock : public QObject
{
    Q_OBJECT

public:
    IconsBlock(QGraphicsScene *scene, QMap<int, QPoint> iconPositions, QObject *parent = nullptr);
    ~IconsBlock() override;

    // Appends the icons of an input to the list it is shown with.
    void addInputIcons(int inputId);
    // Appends one un-highlighted icon of a kind to a list.
    void addIcon(int key, int iconType);
    // Puts the icons into the scene above their anchors.
    void placeIcons();
    // Replaces the placed icons of a list by icons of the other look.
    void recolorIcons(int key, bool highlighted);
    void setVisible(bool visible);
    // Every placed icon, in key order and list order.
    QList<IconPixObject *> items() const;
    // Deletes every icon and empties the lists.
    void clear();

    // The icons of a list, null entries included (for tests).
    QList<IconPixObject *> icons(int key) const;
    QList<int> keys() const { return m_icons.keys(); }
    QMap<int, QPoint> iconPositions() const { return m_iconPositions; }

private:
    static constexpr qreal iconScale = 1.4;

    QList<QPointer<IconPixObject>> &list(int key);
    bool isPlaced(const IconPixObject *icon) const;

    QGraphicsScene *m_scene; // not owned
    QMap<int, QPoint> m_iconPositions;
    // A placed icon belongs to the scene; the others to the block. QPointer,
    // because the scene deletes its items when it ends first.
    QMap<int, QList<QPointer<IconPixObject>>> m_icons;
};
