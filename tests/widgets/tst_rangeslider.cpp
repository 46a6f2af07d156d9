#include "RangeSlider.h"
#include "WidgetDriver.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QtTest>

namespace {

// Reads the style's rectangles the way the slider itself does.
struct ProbeSlider : RangeSlider
{
    using RangeSlider::RangeSlider;

    QRect handleAt(int position) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.sliderPosition = option.sliderValue = position;
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    }
    // The pixel offset that moving a handle from one value to another takes.
    QPoint travel(int from, int to) const { return handleAt(to).topLeft() - handleAt(from).topLeft(); }
};

// Where a press lands.
enum Press { OnLower, OnUpper, OnSpan, FirstHalf, SecondHalf, OutsideGroove };
// What a case does after loading its start values.
enum Action { SetValues, SetRange, Drag };

// QTest's own moves carry no buttons and its presses only the pressed one;
// a drag and a press with another button held need both.
void mouse(QWidget *widget, QEvent::Type type, const QPoint &at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
void move(QWidget *widget, const QPoint &to, Qt::MouseButtons held)
{
    mouse(widget, QEvent::MouseMove, to, Qt::NoButton, held);
}

} // namespace

Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(Action)

class TestRangeSlider : public QObject
{
    Q_OBJECT

private slots:
    void edgeCases_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<bool>("symmetric");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QPoint>("argument");
        QTest::addColumn<Press>("press");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("toValue");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<int>("valuesSignals");

        // A case: start values, layout and moves, what it does, and the range
        // and number of valuesChanged it ends with.
        struct Case
        {
            const char *name;
            QPoint start;
            bool rightToLeft;
            bool symmetric;
            Action action;
            QPoint argument;
            Press press;
            int button;
            int toValue;
            QPoint expected;
            int valuesSignals;
        };
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        const QPoint none;
        // clang-format off
        const Case cases[] = {
            {"values set in reverse order", {0, 100}, false, false, SetValues, {80, 20}, OnLower, left, 0, {20, 80}, 1},
            {"values outside the range", {20, 80}, false, false, SetValues, {-5, 140}, OnLower, left, 0, {0, 100}, 1},
            {"range narrowed", {20, 80}, false, false, SetRange, {0, 50}, OnLower, left, 0, {20, 50}, 1},
            {"lower handle dragged", {20, 80}, false, false, Drag, none, OnLower, left, 30, {30, 80}, 1},
            {"lower handle stops at the upper", {20, 80}, false, false, Drag, none, OnLower, left, 95, {80, 80}, 1},
            {"span dragged to the end shrinks", {40, 60}, false, false, Drag, none, OnSpan, left, 100, {90, 100}, 1},
            {"symmetric move", {20, 80}, false, true, Drag, none, OnLower, left, 30, {30, 70}, 1},
            {"coincident, first half takes the lower",
             {50, 50}, false, false, Drag, none, FirstHalf, left, 30, {30, 50}, 1},
            {"coincident, second half takes the upper",
             {50, 50}, false, false, Drag, none, SecondHalf, left, 70, {50, 70}, 1},
            // Right to left the minimum lies on the right: the half towards it
            // (the right half) takes the lower handle, which then moves outwards.
            {"right to left, first half takes the upper",
             {50, 50}, true, false, Drag, none, FirstHalf, left, 70, {50, 70}, 1},
            {"right to left, second half takes the lower",
             {50, 50}, true, false, Drag, none, SecondHalf, left, 30, {30, 50}, 1},
            {"right to left, span drag", {40, 60}, true, false, Drag, none, OnSpan, left, 0, {0, 10}, 1},
            {"right button drags too", {20, 80}, false, false, Drag, none, OnUpper, right, 60, {20, 60}, 1},
            {"second button held", {20, 80}, false, false, Drag, none, OnUpper, left | right, 60, {20, 80}, 0},
            {"press beside the groove", {20, 80}, false, false, Drag, none, OutsideGroove, left, 60, {20, 80}, 0},
            // The argument of a drag collapses the range before the press.
            {"minimum equals maximum", {20, 80}, false, false, Drag, {50, 50}, OnLower, left, 60, {50, 50}, 0},
        };
        // clang-format on
        for (const Case &c : cases)
            QTest::newRow(c.name) << c.start << c.rightToLeft << c.symmetric << c.action << c.argument << c.press
                                  << c.button << c.toValue << c.expected << c.valuesSignals;
    }
    void edgeCases()
    {
        QFETCH(QPoint, start);
        QFETCH(bool, rightToLeft);
        QFETCH(bool, symmetric);
        QFETCH(Action, action);
        QFETCH(QPoint, argument);
        QFETCH(Press, press);
        QFETCH(int, button);
        QFETCH(int, toValue);
        QFETCH(QPoint, expected);
        QFETCH(int, valuesSignals);

        ProbeSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(220, 24);
        slider.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        slider.setSymmetricMoves(symmetric);
        slider.setValues(start.x(), start.y());
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        if (action == Drag && !argument.isNull())
            slider.setRange(argument.x(), argument.y());
        QSignalSpy values(&slider, &RangeSlider::valuesChanged);

        if (action == SetValues) {
            slider.setValues(argument.x(), argument.y());
        } else if (action == SetRange) {
            slider.setRange(argument.x(), argument.y());
        } else {
            const QRect lower = slider.handleAt(slider.minimumPosition());
            const QRect upper = slider.handleAt(slider.maximumPosition());
            const int mid = (slider.minimumPosition() + slider.maximumPosition()) / 2;
            const int grooveY = slider.rect().center().y();
            QPoint at;
            int from = 0;
            switch (press) {
            case OnLower:
                at = lower.center();
                from = slider.minimumPosition();
                break;
            case OnUpper:
                at = upper.center();
                from = slider.maximumPosition();
                break;
            case OnSpan:
                at = QPoint((lower.center().x() + upper.center().x()) / 2, grooveY);
                from = mid;
                break;
            case FirstHalf:
                at = QPoint(lower.left() + 2, lower.center().y());
                from = start.x();
                break;
            case SecondHalf:
                at = QPoint(lower.right() - 2, lower.center().y());
                from = start.x();
                break;
            case OutsideGroove:
                at = QPoint((lower.center().x() + upper.center().x()) / 2, 0);
                break;
            }
            const auto buttons = Qt::MouseButtons(button);
            const Qt::MouseButton pressed = buttons.testFlag(Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton;
            mouse(&slider, QEvent::MouseButtonPress, at, pressed, buttons);
            const QPoint to = at + slider.travel(from, toValue);
            move(&slider, to, buttons);
            mouse(&slider, QEvent::MouseButtonRelease, to, pressed, Qt::NoButton);
            QVERIFY(!slider.isSliderDown());
        }

        QCOMPARE(QPoint(slider.minimumValue(), slider.maximumValue()), expected);
        QCOMPARE(QPoint(slider.minimumPosition(), slider.maximumPosition()), expected);
        QCOMPARE(values.count(), valuesSignals);
        if (valuesSignals > 0)
            QCOMPARE(values.last(), (QList<QVariant>{expected.x(), expected.y()}));
    }

    void signalsComeInOrder()
    {
        ProbeSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(220, 24);
        slider.setValues(20, 80);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        QStringList log;
        const auto one = [&](const char *name) {
            return [&log, name](int v) { log << QStringLiteral("%1 %2").arg(name).arg(v); };
        };
        const auto two = [&](const char *name) {
            return [&log, name](int a, int b) { log << QStringLiteral("%1 %2 %3").arg(name).arg(a).arg(b); };
        };
        connect(&slider, &RangeSlider::minimumValueChanged, one("minValue"));
        connect(&slider, &RangeSlider::maximumValueChanged, one("maxValue"));
        connect(&slider, &RangeSlider::valuesChanged, two("values"));
        connect(&slider, &RangeSlider::minimumPositionChanged, one("minPos"));
        connect(&slider, &RangeSlider::maximumPositionChanged, one("maxPos"));
        connect(&slider, &RangeSlider::positionsChanged, two("positions"));

        // Not dragging: only the values are announced.
        slider.setMaximumValue(70);
        QCOMPARE(log, QStringList({"values 20 70", "maxValue 70"}));
        log.clear();

        // Dragging the upper handle: positions first, then the values.
        const QPoint at = slider.handleAt(70).center();
        QTest::mousePress(&slider, Qt::LeftButton, {}, at);
        move(&slider, at + slider.travel(70, 60), Qt::LeftButton);
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, at + slider.travel(70, 60));
        QCOMPARE(log, QStringList({"maxPos 60", "positions 20 60", "values 20 60", "maxValue 60"}));
        log.clear();

        // Without tracking a drag moves only the handles.
        slider.setTracking(false);
        QTest::mousePress(&slider, Qt::LeftButton, {}, slider.handleAt(20).center());
        move(&slider, slider.handleAt(20).center() + slider.travel(20, 10), Qt::LeftButton);
        QTest::mouseRelease(&slider, Qt::LeftButton);
        QCOMPARE(log, QStringList({"minPos 10", "positions 10 60"}));
        QCOMPARE(slider.minimumValue(), 20);
    }

    void rangeFollowsTheSlider()
    {
        RangeSlider slider(Qt::Vertical);
        // A new slider spans its whole range 0 to 99.
        QCOMPARE(QPoint(slider.minimumValue(), slider.maximumValue()), QPoint(0, 99));
        slider.setValues(10, 90);
        slider.setMinimum(30);
        QCOMPARE(QPoint(slider.minimumValue(), slider.maximumValue()), QPoint(30, 90));
        slider.setMinimumValue(95);
        QCOMPARE(QPoint(slider.minimumValue(), slider.maximumValue()), QPoint(95, 95));
    }

    void handleToolTipShowsItsValue()
    {
        ProbeSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(220, 24);
        slider.setValues(20, 80);
        slider.setHandleToolTip("%1 %");
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        for (const int value : {20, 80}) {
            const QPoint at = slider.handleAt(value).center();
            QHelpEvent help(QEvent::ToolTip, at, slider.mapToGlobal(at));
            QVERIFY(QApplication::sendEvent(&slider, &help));
            QTRY_COMPARE(QToolTip::text(), QStringLiteral("%1 %").arg(value));
        }
    }

    void drawsSpanBand()
    {
        QWidget window;
        auto *horizontal = new RangeSlider(Qt::Horizontal, &window);
        horizontal->setGeometry(10, 10, 220, 30);
        horizontal->setRange(0, 1000);
        horizontal->setValues(250, 700);
        auto *mirrored = new RangeSlider(Qt::Horizontal, &window);
        mirrored->setGeometry(10, 50, 220, 30);
        mirrored->setLayoutDirection(Qt::RightToLeft);
        mirrored->setRange(0, 1800);
        mirrored->setValues(300, 900);
        auto *disabled = new RangeSlider(Qt::Horizontal, &window);
        disabled->setGeometry(10, 90, 220, 30);
        disabled->setValues(10, 60);
        disabled->setEnabled(false);
        auto *vertical = new RangeSlider(Qt::Vertical, &window);
        vertical->setGeometry(240, 10, 30, 110);
        vertical->setValues(20, 60);
        window.resize(280, 130);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage picture = horizontal->grab().toImage();
        const int bandY = picture.height() / 2;
        const auto bandAt = [&](int value) {
            const int x = QStyle::sliderPositionFromValue(0, 1000, value, picture.width());
            return picture.pixelColor(x, bandY) == QColor("#ffd400");
        };
        QVERIFY(bandAt(475));
        QVERIFY(!bandAt(100));
        QVERIFY(!bandAt(900));
        QVERIFY(!WidgetDriver::grabToPng(&window, "range-sliders").isEmpty());
    }
};

QTEST_MAIN(TestRangeSlider)
#include "tst_rangeslider.moc"
