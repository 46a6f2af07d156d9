// The flow layout: where its items go, the height it announces, and the
// spacing it falls back to.
#include "FlowLayout.h"

#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>
#include <QtTest>

using Sizes = QVector<QSize>;
using Rects = QVector<QRect>;
Q_DECLARE_METATYPE(Sizes)
Q_DECLARE_METATYPE(Rects)

namespace {

// A widget that asks for a given size and accepts any.
class Box : public QWidget
{
public:
    Box(QSize size, QWidget *parent)
        : QWidget(parent)
        , m_size(size)
    {}
    QSize sizeHint() const override { return m_size; }

private:
    QSize m_size;
};

} // namespace

class TestFlowLayout : public QObject
{
    Q_OBJECT

private slots:
    void wrapsItemsLikeWords_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("margin");
        QTest::addColumn<Sizes>("items");
        QTest::addColumn<Rects>("placed");
        QTest::addColumn<int>("height");
        const QSize item(100, 30);
        QTest::newRow("third item wraps")
            << 250 << 0 << Sizes{item, item, item} << Rects{{0, 0, 100, 30}, {110, 0, 100, 30}, {0, 40, 100, 30}} << 70;
        QTest::newRow("exact fit stays on the line")
            << 210 << 0 << Sizes{item, item} << Rects{{0, 0, 100, 30}, {110, 0, 100, 30}} << 30;
        QTest::newRow("one pixel short wraps")
            << 209 << 0 << Sizes{item, item} << Rects{{0, 0, 100, 30}, {0, 40, 100, 30}} << 70;
        QTest::newRow("too wide alone gets the full width")
            << 250 << 0 << Sizes{{300, 30}} << Rects{{0, 0, 250, 30}} << 30;
        QTest::newRow("too wide after another starts a line")
            << 250 << 0 << Sizes{item, {300, 20}} << Rects{{0, 0, 100, 30}, {0, 40, 250, 20}} << 60;
        QTest::newRow("tallest item sets the line height")
            << 250 << 0 << Sizes{{100, 50}, item, item} << Rects{{0, 0, 100, 50}, {110, 0, 100, 30}, {0, 60, 100, 30}}
            << 90;
        QTest::newRow("margins") << 270 << 10 << Sizes{item, item, item}
                                 << Rects{{10, 10, 100, 30}, {120, 10, 100, 30}, {10, 50, 100, 30}} << 90;
        QTest::newRow("empty") << 250 << 5 << Sizes{} << Rects{} << 10;
    }

    void wrapsItemsLikeWords()
    {
        QFETCH(int, width);
        QFETCH(int, margin);
        QFETCH(Sizes, items);
        QFETCH(Rects, placed);
        QFETCH(int, height);
        QWidget container;
        auto *flow = new FlowLayout(&container, margin, 10, 10);
        QList<Box *> boxes;
        for (const QSize &size : items) {
            boxes.append(new Box(size, &container));
            flow->addWidget(boxes.last());
        }
        QSignalSpy announced(flow, &FlowLayout::newHeight);

        QCOMPARE(flow->heightForWidth(width), height);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.last().at(0).toInt(), height);

        flow->setGeometry(QRect(0, 0, width, 0));
        QCOMPARE(announced.last().at(0).toInt(), height);
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(boxes.at(i)->geometry(), placed.at(i));
    }

    void aTrialRunMovesNothing()
    {
        QWidget container;
        auto *flow = new FlowLayout(&container, 0, 10, 10);
        auto *box = new Box({100, 30}, &container);
        flow->addWidget(new Box({100, 30}, &container));
        flow->addWidget(box);
        flow->setGeometry(QRect(0, 0, 250, 0));
        QCOMPARE(box->pos(), QPoint(110, 0));
        QCOMPARE(flow->heightForWidth(150), 70);
        QCOMPARE(box->pos(), QPoint(110, 0));
    }

    void sizeHintIsTheLargestItemWithMargins()
    {
        QWidget container;
        auto *flow = new FlowLayout(&container, 4, 10, 10);
        auto *wide = new Box({100, 30}, &container);
        wide->setMinimumSize(80, 10);
        auto *tall = new Box({20, 60}, &container);
        tall->setMinimumSize(20, 50);
        flow->addWidget(wide);
        flow->addWidget(tall);
        QCOMPARE(flow->minimumSize(), QSize(88, 58));
        QCOMPARE(flow->sizeHint(), flow->minimumSize());
        QVERIFY(flow->hasHeightForWidth());
        QCOMPARE(flow->expandingDirections(), Qt::Orientations());
    }

    void spacingComesFromTheParentWhenNotGiven()
    {
        QWidget window;
        FlowLayout own(10, 7, 3);
        QCOMPARE(own.horizontalSpacing(), 7);
        QCOMPARE(own.verticalSpacing(), 3);

        FlowLayout orphan(0, -1, -1);
        QCOMPARE(orphan.horizontalSpacing(), -1);
        QCOMPARE(orphan.verticalSpacing(), -1);

        auto *onWidget = new FlowLayout(&window, 0, -1, -1);
        QCOMPARE(onWidget->horizontalSpacing(), window.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
        QCOMPARE(onWidget->verticalSpacing(), window.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));

        QWidget other;
        auto *outer = new QVBoxLayout(&other);
        outer->setSpacing(13);
        auto *nested = new FlowLayout(0, -1, -1);
        outer->addLayout(nested);
        QCOMPARE(nested->horizontalSpacing(), 13);
        QCOMPARE(nested->verticalSpacing(), 13);
    }

    void itemsWithoutAWidgetNeedNoStyle()
    {
        // A spacer has no widget whose style could give the spacing.
        FlowLayout flow(0, -1, -1);
        auto *first = new QSpacerItem(50, 20);
        auto *second = new QSpacerItem(50, 20);
        flow.addItem(first);
        flow.addItem(second);
        flow.setGeometry(QRect(0, 0, 200, 0));
        QCOMPARE(second->geometry().topLeft(), QPoint(50, 0));
        QCOMPARE(flow.heightForWidth(80), 40);
    }

    void itemsAreTakenAndLookedUpByIndex()
    {
        FlowLayout flow(0, 10, 10);
        auto *spacer = new QSpacerItem(10, 10);
        flow.addItem(spacer);
        flow.addItem(new QSpacerItem(20, 10)); // deleted with the layout
        QCOMPARE(flow.count(), 2);
        QCOMPARE(flow.itemAt(0), spacer);
        QVERIFY(!flow.itemAt(2));
        QVERIFY(!flow.itemAt(-1));
        QVERIFY(!flow.takeAt(2));
        QCOMPARE(flow.takeAt(0), spacer);
        QCOMPARE(flow.count(), 1);
        delete spacer;
    }
};

QTEST_MAIN(TestFlowLayout)
#include "tst_flowlayout.moc"
