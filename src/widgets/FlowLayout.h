#pragma once
// Lays its items out left to right and wraps them into further lines like
// words in a paragraph; announces the height each layout run needs
// (newHeight), so that a container can follow it. The first item of a line
// stays on it however wide it is, cut to the line's width.
//
// A negative spacing takes the parent's: a parent widget's style metric, a
// parent layout's spacing; without either, the style spacing between two
// buttons, asked of the item's widget (or the parent widget; 0 without one).

#include <QLayout>
#include <QList>
#include <QStyle>

class FlowLayout : public QLayout
{
    Q_OBJECT

public:
    explicit FlowLayout(QWidget *parent, int margin = -1, int hSpacing = -1, int vSpacing = -1);
    explicit FlowLayout(int margin = -1, int hSpacing = -1, int vSpacing = -1);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int horizontalSpacing() const;
    int verticalSpacing() const;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
    QSize sizeHint() const override;
    QLayoutItem *takeAt(int index) override;

signals:
    void newHeight(int height);

private:
    // Places the items in rect (only computes, for a trial run) and returns
    // the height used.
    int doLayout(const QRect &rect, bool trial);
    int parentSpacing(QStyle::PixelMetric metric) const;
    int itemSpacing(QLayoutItem *item, Qt::Orientation orientation) const;

    QList<QLayoutItem *> m_items;
    int m_hSpace;
    int m_vSpace;
};
