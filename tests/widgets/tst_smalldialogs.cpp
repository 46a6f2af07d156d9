// The rename dialogs, the toggle styling, the profile tab button and the
// clickable label.
#include "AppFont.h"
#include "DialogAnswerer.h"
#include "ItemLabelClickable.h"
#include "SimpleRenameDialog.h"
#include "SimpleRenameDialogEx.h"
#include "StyleToggleSlider.h"
#include "TempMessage.h"
#include "TummyButton.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include <memory>

namespace {

// Both rename dialogs, opened on currentName with at most 50 characters.
std::unique_ptr<RenameDialogBase> renameDialog(const QString &kind, const QString &currentName)
{
    if (kind == QLatin1String("form"))
        return std::make_unique<SimpleRenameDialog>(currentName, nullptr, "v", "Action Name:", "Rename", 50);
    return std::make_unique<SimpleRenameDialogEx>(currentName, nullptr, "v", "Action Name:", "Rename", nullptr, 50);
}

QPushButton *okButton(const QWidget *dialog)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->text() == QLatin1String("Rename"))
            return button;
    return nullptr;
}

void addForBothKinds(const char *name, const std::function<void(QTestData &)> &row)
{
    for (const char *kind : {"form", "ex"})
        row(QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(kind, name))) << QString(kind));
}

// Counts the restyles of a widget.
class StyleChanges : public QObject
{
public:
    explicit StyleChanges(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::StyleChange)
            ++count;
        return false;
    }
};

const QString leftRule = "QPushButton { border-top-left-radius: 5px; border-bottom-left-radius: 5px; "
                         "border-top-right-radius: 0px; border-bottom-right-radius: 0px; }";
const QString fullRule = "QPushButton { border-top-left-radius: 5px; border-bottom-left-radius: 5px; "
                         "border-top-right-radius: 5px; border-bottom-right-radius: 5px; }";

} // namespace

class TestSmallDialogs : public QObject
{
    Q_OBJECT

private slots:
    void renameButtonFollowsTheText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enabled");
        struct Case
        {
            const char *name, *start, *typed;
            bool enabled;
        };
        for (const Case &c :
             {Case{"unchanged", "Copy", "Copy", false}, Case{"trailing blank", "Copy", "Copy ", false},
              Case{"blanks only", "Copy", "   ", false}, Case{"emptied", "Copy", "", false},
              Case{"new name", "Copy", "Copy 2", true}, Case{"new name in blanks", "Copy", " Copy 2 ", true},
              Case{"empty at start", "", "", false}}) {
            addForBothKinds(c.name, [&](QTestData &row) { row << QString(c.start) << QString(c.typed) << c.enabled; });
        }
    }

    void renameButtonFollowsTheText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        auto dialog = renameDialog(kind, start);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(!okButton(dialog.get())->isEnabled()); // the name it opened with
        auto *edit = dialog->findChild<QLineEdit *>();
        QCOMPARE(edit->text(), start);
        QCOMPARE(edit->maxLength(), 50);
        QVERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        QCOMPARE(okButton(dialog.get())->isEnabled(), enabled);
    }

    void renameResults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("newName");
        struct Case
        {
            const char *name, *typed, *how;
            int result;
            const char *newName;
        };
        for (const Case &c :
             {Case{"ok button", "  Copy 2 ", "ok", 1, "Copy 2"}, Case{"return", "Copy 2", "return", 1, "Copy 2"},
              Case{"enter", "Copy 2", "enter", 1, "Copy 2"}, Case{"return while disabled", "Copy ", "return", 0, ""},
              Case{"enter while blank", "  ", "enter", 0, ""},
              Case{"return on cancel", "Copy 2", "return on cancel", 1, "Copy 2"},
              Case{"cancel", "Copy 2", "cancel", 0, ""}}) {
            addForBothKinds(c.name, [&](QTestData &row) {
                row << QString(c.typed) << QString(c.how) << c.result << QString(c.newName);
            });
        }
    }

    void renameResults()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(QString, newName);
        auto dialog = renameDialog(kind, "Copy");
        bool openAfterKey = false;
        DialogAnswerer answerer([&](QWidget *open) {
            auto *edit = open->findChild<QLineEdit *>();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, typed);
            QPushButton *cancel = nullptr;
            for (QPushButton *button : open->findChildren<QPushButton *>())
                if (button->text() == QLatin1String("Cancel"))
                    cancel = button;
            if (how == "ok") {
                QTest::mouseClick(okButton(open), Qt::LeftButton);
            } else if (how == "cancel") {
                QTest::mouseClick(cancel, Qt::LeftButton);
            } else {
                QWidget *target = edit;
                if (how == "return on cancel") {
                    cancel->setFocus();
                    target = cancel;
                }
                QTest::keyClick(target, how == "enter" ? Qt::Key_Enter : Qt::Key_Return);
                openAfterKey = open->isVisible();
                if (openAfterKey)
                    QTest::keyClick(open, Qt::Key_Escape);
            }
        });
        QCOMPARE(dialog->exec(), result);
        QVERIFY(answerer.answered());
        if (result == 1)
            QCOMPARE(dialog->newName(), newName);
        else if (how != "cancel")
            QVERIFY(openAfterKey); // the key did not get past the disabled button
    }

    void renameDialogExIsDraggedByTheMouse()
    {
        SimpleRenameDialogEx dialog("Copy", nullptr, "v", "Action Name:", "Rename", nullptr, 50);
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint start = dialog.pos();
        const QPoint grip(5, 5);
        auto send = [&](QEvent::Type type, const QPoint &global, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, dialog.mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &event);
        };
        const QPoint pressed = dialog.mapToGlobal(grip);
        send(QEvent::MouseButtonPress, pressed, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, pressed + QPoint(40, 25), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(dialog.pos(), start + QPoint(40, 25));
        send(QEvent::MouseButtonRelease, pressed + QPoint(40, 25), Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseMove, pressed + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(dialog.pos(), start + QPoint(40, 25)); // released: no longer dragged
    }

    void toggleSliderIsSetSilently_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("picture");
        QTest::newRow("off to on") << 0 << true << "#5aad35"
                                   << ":/pic/toggle_ok.png";
        QTest::newRow("on to off") << 1 << false << "#ff5959"
                                   << ":/pic/toggle_nok.png";
        QTest::newRow("on stays on") << 1 << true << "#5aad35"
                                     << ":/pic/toggle_ok.png";
    }

    void toggleSliderIsSetSilently()
    {
        QFETCH(int, start);
        QFETCH(bool, on);
        QFETCH(QString, colour);
        QFETCH(QString, picture);
        QSlider slider(Qt::Horizontal);
        slider.setRange(0, 1);
        slider.setValue(start);
        QSignalSpy changed(&slider, &QSlider::valueChanged);
        styleToggleSlider(&slider, on);
        QCOMPARE(slider.value(), on ? 1 : 0);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!slider.signalsBlocked());
        QVERIFY(slider.styleSheet().startsWith("QSlider { background: " + colour + ";"));
        QVERIFY(slider.styleSheet().contains("image: url(" + picture + ");"));
    }

    void tummyButtonIsSizedByItsText()
    {
        TummyButton button("Work", QPixmap(), nullptr);
        const QFontMetrics metrics(appFont());
        QCOMPARE(button.height(), 30);
        QCOMPARE(button.width(), metrics.horizontalAdvance("Work") + 60);
        button.setLabelText("Racing games");
        QCOMPARE(button.labelText(), QString("Racing games"));
        QCOMPARE(button.width(), metrics.horizontalAdvance("Racing games") + 60);
        QVERIFY(button.isAsteriskHidden());
        button.setAsteriskVisible(true);
        QVERIFY(!button.isAsteriskHidden());
    }

    void tummyButtonRestylesOnlyOnAChange()
    {
        TummyButton button("Work", QPixmap(), nullptr);
        StyleChanges restyles(&button);
        button.setSelected(true);
        QVERIFY(button.isSelected());
        const int once = restyles.count;
        QVERIFY(once > 0);
        QVERIFY(button.styleSheet().contains("stop:0 #76c752, stop:1 #5aad35"));
        button.setSelected(true);
        QCOMPARE(restyles.count, once);
        button.setLeftRounded(false); // unchanged
        button.setFullyRounded(false);
        QCOMPARE(restyles.count, once);
        button.setSelected(false);
        QVERIFY(restyles.count > once);
        QCOMPARE(button.styleSheet(), QString()); // back to the style it was made with
    }

    void tummyButtonCornerRulesComeLast()
    {
        TummyButton button("Work", QPixmap(), nullptr);
        button.setSelected(true);
        button.setLeftRounded(true);
        button.setFullyRounded(true);
        const QString style = button.styleSheet();
        QVERIFY(style.startsWith("QPushButton { color: white; border: none;"));
        QVERIFY(style.endsWith(leftRule + fullRule));
        button.setLeftRounded(false);
        QVERIFY(button.styleSheet().endsWith("); }" + fullRule));
    }

    void clickableLabelEmitsForAReleaseOverIt_data()
    {
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::newRow("released over it") << QPoint(20, 10) << 1;
        QTest::newRow("dragged off to the right") << QPoint(250, 10) << 0;
        QTest::newRow("dragged off above") << QPoint(20, -5) << 0;
    }

    void clickableLabelEmitsForAReleaseOverIt()
    {
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        ItemLabelClickable label(nullptr);
        label.setText("Delete profile");
        label.resize(200, 30);
        label.show();
        QCOMPARE(label.property("label_type").toString(), QString("popup_clickable"));
        QSignalSpy clicked(&label, &ItemLabelClickable::clicked);
        QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
        QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, release);
        QCOMPARE(clicked.count(), clicks);
    }

    void pictures()
    {
        SimpleRenameDialog rename("Copy", nullptr, "v", "Action Name:", "Rename", 50);
        rename.show();
        QVERIFY(!WidgetDriver::grabToPng(&rename, "rename").isEmpty());
        SimpleRenameDialogEx renameEx("Copy", nullptr, "v", "Action Name:", "Rename", nullptr, 50);
        renameEx.show();
        QVERIFY(!WidgetDriver::grabToPng(&renameEx, "rename-ex").isEmpty());
        TempMessage notice("Checking for update now", nullptr);
        notice.show();
        QCOMPARE(notice.findChild<QLabel *>("label_text")->text(), QString("Checking for update now"));
        QVERIFY(!WidgetDriver::grabToPng(&notice, "temp-message").isEmpty());
        TummyButton tab("Work", QPixmap(), nullptr);
        tab.setSelected(true);
        tab.setAsteriskVisible(true);
        tab.show();
        QVERIFY(!WidgetDriver::grabToPng(&tab, "tab").isEmpty());
    }
};

QTEST_MAIN(TestSmallDialogs)
#include "tst_smalldialogs.moc"
