#include "Color2DSlider.h"
#include "ColorEditor.h"
#include "ColorPick.h"
#include "WidgetDriver.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {

// The editor's controls as the user meets them.
struct Editor
{
    ColorEditor editor{"v"};
    QSignalSpy changed{&editor, &ColorEditor::colorChanged};

    QWidget *popup() const { return editor.window(); }
    QSlider *hueBar() const { return editor.findChild<QSlider *>(); }
    Color2DSlider *plane() const { return editor.findChild<Color2DSlider *>(); }
    QLineEdit *field(const char *name) const { return editor.findChild<QLineEdit *>(name); }
    QString hex() const { return field("lineEdit_hex")->text(); }
    QStringList rgb() const
    {
        return {field("lineEdit_r")->text(), field("lineEdit_g")->text(), field("lineEdit_b")->text()};
    }
    QPushButton *button(const char *name) const { return editor.findChild<QPushButton *>(name); }
    bool show()
    {
        editor.showAt(QPoint(200, 200));
        return QTest::qWaitForWindowExposed(popup());
    }
    // Replaces a channel field's text by typing, as the user would; no text
    // is a Backspace over the whole field.
    bool type(const char *name, const QString &text)
    {
        if (!WidgetDriver::typeInto(&editor, name, text))
            return false;
        if (text.isEmpty())
            QTest::keyClick(field(name), Qt::Key_Backspace);
        return true;
    }
};

QStringList channels(const QColor &c)
{
    return {QString::number(c.red()), QString::number(c.green()), QString::number(c.blue())};
}

} // namespace

class TestColorEditor : public QObject
{
    Q_OBJECT

private slots:
    void startsWithItsStartColour()
    {
        Editor e;
        QCOMPARE(e.editor.color(), QColor("#007FFF"));
        QCOMPARE(e.hex(), QStringLiteral("#007FFF"));
        QCOMPARE(e.rgb(), channels(QColor("#007FFF")));
        QVERIFY(e.button("pushButton_picker")->isHidden());
        QCOMPARE(e.editor.size(), QSize(279, 378));
        QCOMPARE(e.editor.findChild<QLabel *>("label_colorPicker")->text(), QStringLiteral("Color Picker"));
        QCOMPARE(e.button("pushButton_ok")->property("button_type").toString(), QStringLiteral("common"));
        QCOMPARE(e.button("pushButton_cancel")->property("m").toString(), QStringLiteral("v"));
        QCOMPARE(e.editor.findChild<QLabel *>("label_hex")->property("label_type").toString(),
                 QStringLiteral("color_editor"));
    }

    void everyHueBarPositionMapsBackToItself()
    {
        Editor e;
        QSlider *bar = e.hueBar();
        for (int position = 1; position <= 1530; ++position) {
            bar->setValue(position);
            if (bar->value() != position)
                QFAIL(qPrintable(QStringLiteral("position %1 moved to %2").arg(position).arg(bar->value())));
        }
        QCOMPARE(e.editor.color(), QColor(255, 0, 0));
        // Position 0 is the same hue as 1530 and would be ambiguous.
        bar->setValue(0);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(e.editor.color(), QColor(255, 1, 0));
        QCOMPARE(e.changed.count(), 0);
    }

    void loadingAColourPlacesEveryControl_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("hex");
        QTest::newRow("red") << QColor(255, 0, 0) << 1530 << "#FF0000";
        QTest::newRow("orange") << QColor(255, 128, 0) << 128 << "#FF8000";
        QTest::newRow("blue") << QColor(0, 0, 255) << 1020 << "#0000FF";
        QTest::newRow("grey") << QColor(90, 90, 90) << 510 << "#5A5A5A";
        QTest::newRow("dull purple") << QColor(120, 40, 200) << 1100 << "#7828C8";
    }
    void loadingAColourPlacesEveryControl()
    {
        QFETCH(QColor, color);
        QFETCH(int, position);
        QFETCH(QString, hex);
        Editor e;
        e.editor.setColor(color);
        QCOMPARE(e.hueBar()->value(), position);
        QCOMPARE(e.hex(), hex);
        QCOMPARE(e.rgb(), channels(color));
        QCOMPARE(e.editor.color(), color);
        // A grey keeps the hue -1 that QColor gives it: the plane shows greys.
        QCOMPARE(e.plane()->hue(), color.hsvHueF());
        QCOMPARE(e.changed.count(), 0);
    }

    void typedChannelIsClampedAndKeepsTheOthers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("in range") << "42"
                                  << "42";
        QTest::newRow("emptied") << ""
                                 << "0";
        QTest::newRow("above 255") << "300"
                                   << "255";
        QTest::newRow("three nines") << "999"
                                     << "255";
    }
    void typedChannelIsClampedAndKeepsTheOthers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Editor e;
        QVERIFY(e.show());
        e.editor.setColor(QColor(10, 20, 30));
        QVERIFY(e.type("lineEdit_r", typed));
        QCOMPARE(e.rgb(), (QStringList{shown, "20", "30"}));
        QCOMPARE(e.editor.color(), QColor(shown.toInt(), 20, 30));
        QCOMPARE(e.hex(), QColor(shown.toInt(), 20, 30).name().toUpper());
        QCOMPARE(e.changed.count(), 0);
    }

    void okEmitsTheHexColour_data()
    {
        QTest::addColumn<bool>("pickOnPlane");
        QTest::addColumn<int>("key");
        QTest::newRow("Ok, nothing changed") << false << 0;
        QTest::newRow("Ok after a pick on the plane") << true << 0;
        QTest::newRow("Return") << true << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << false << int(Qt::Key_Enter);
    }
    void okEmitsTheHexColour()
    {
        QFETCH(bool, pickOnPlane);
        QFETCH(int, key);
        Editor e;
        e.editor.setColor(QColor(200, 60, 20));
        QVERIFY(e.show());
        if (pickOnPlane) {
            Color2DSlider *plane = e.plane();
            QTest::mouseClick(plane, Qt::LeftButton, {}, QPoint(plane->width() / 2, plane->height() / 4));
            QCOMPARE(e.hex(), plane->color().name().toUpper());
            QVERIFY(e.hex() != QStringLiteral("#C83C14"));
        }
        const QColor shown(e.hex());
        if (key)
            QTest::keyClick(e.popup(), Qt::Key(key));
        else
            QVERIFY(WidgetDriver::click(&e.editor, "pushButton_ok"));
        QCOMPARE(e.changed.count(), 1);
        QCOMPARE(e.changed.at(0).at(0).value<QColor>(), shown);
        QCOMPARE(e.editor.color(), shown);
        QVERIFY(!e.popup()->isVisible());
    }

    void cancelRestoresTheShownColour_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelRestoresTheShownColour()
    {
        QFETCH(bool, escape);
        Editor e;
        const QColor logo(30, 160, 90);
        e.editor.setColor(logo);
        QVERIFY(e.show());
        e.hueBar()->setValue(1200);
        QVERIFY(e.type("lineEdit_g", "7"));
        QTest::mouseClick(e.plane(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(e.editor.color() != logo);

        if (escape)
            QTest::keyClick(e.popup(), Qt::Key_Escape);
        else
            QVERIFY(WidgetDriver::click(&e.editor, "pushButton_cancel"));
        QVERIFY(!e.popup()->isVisible());
        QCOMPARE(e.changed.count(), 0);
        // A page saving the editor's colour later must find the user's one.
        QCOMPARE(e.editor.color(), logo);
        QCOMPARE(e.hex(), logo.name().toUpper());
        QCOMPARE(e.rgb(), channels(logo));
        QCOMPARE(e.plane()->color().name(), logo.name());
        e.editor.setColor(QColor(1, 2, 3));
        QCOMPARE(e.hueBar()->value(), 1020 + 1 - 2);
    }

    void showAtStaysInsideTheAvailableArea_data()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("shifted");
        QTest::newRow("room enough") << QPoint(100, 200) << false;
        QTest::newRow("right edge") << QPoint(area.right() - 10, 200) << true;
        QTest::newRow("bottom edge") << QPoint(100, area.bottom() - 10) << true;
        QTest::newRow("bottom-right corner") << area.bottomRight() << true;
        QTest::newRow("top-left corner") << area.topLeft() << true;
    }
    void showAtStaysInsideTheAvailableArea()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, shifted);
        Editor e;
        e.editor.showAt(at);
        QVERIFY(QTest::qWaitForWindowExposed(e.popup()));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint shownAt = e.popup()->pos();
        QVERIFY2(area.contains(e.popup()->geometry()),
                 qPrintable(QStringLiteral("at %1,%2").arg(shownAt.x()).arg(shownAt.y())));
        QCOMPARE(e.popup()->pos() != at + QPoint(40, -50), shifted);
        QCOMPARE(e.popup()->size(), QSize(293, 380));
        if (!shifted) {
            e.editor.setColor(QColor(255, 128, 0));
            QVERIFY(!WidgetDriver::grabToPng(e.popup(), "color-editor").isEmpty());
        }
        QTest::keyClick(e.popup(), Qt::Key_Escape);
    }

    // The picker button is hidden, but the picker still only loads the editor.
    void pickedColourLoadsTheEditorOnly()
    {
        QWidget patch;
        patch.setStyleSheet("background: rgb(200, 30, 90);");
        patch.setGeometry(300, 300, 100, 100);
        patch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&patch));
        QCursor::setPos(350, 350);
        Editor e;
        QVERIFY(e.show());
        QTimer::singleShot(100, [] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *pick = qobject_cast<ColorPick *>(window))
                    QTest::keyClick(pick, Qt::Key_Return);
        });
        e.editor.picker();
        QCOMPARE(e.editor.color(), QColor(200, 30, 90));
        QCOMPARE(e.hex(), QStringLiteral("#C81E5A"));
        QCOMPARE(e.changed.count(), 0);
        QVERIFY(e.popup()->isVisible());
    }

    void pickerKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QPoint>("cursorMoves");
        QTest::newRow("Return") << int(Qt::Key_Return) << 1 << true << QPoint();
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << true << QPoint();
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0 << false << QPoint();
        QTest::newRow("Left") << int(Qt::Key_Left) << 0 << false << QPoint(-1, 0);
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << false << QPoint(0, 1);
    }
    void pickerKeys()
    {
        QFETCH(int, key);
        QFETCH(int, emitted);
        QFETCH(bool, closes);
        QFETCH(QPoint, cursorMoves);
        // A green patch under the cursor.
        QWidget patch;
        patch.setStyleSheet("background: rgb(20, 200, 40);");
        patch.setGeometry(300, 300, 100, 100);
        patch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&patch));
        const QPoint cursor(350, 350);
        QCursor::setPos(cursor);

        ColorPick pick;
        QSignalSpy changed(&pick, &ColorPick::colorChanged);
        pick.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pick));
        // Beside the cursor, so the picker never grabs itself.
        QCOMPARE(pick.pos(), cursor + QPoint(33, 33));
        QTest::keyClick(&pick, Qt::Key(key));
        QCOMPARE(changed.count(), emitted);
        if (emitted)
            QCOMPARE(changed.at(0).at(0).value<QColor>(), QColor(20, 200, 40));
        QCOMPARE(pick.isVisible(), !closes);
        QCOMPARE(QCursor::pos(), cursor + cursorMoves);
    }
};

QTEST_MAIN(TestColorEditor)
#include "tst_coloreditor.moc"
