// The four question and message dialogs: what they show, what exec() gives
// for each way of answering, and where the message box opens.
#include "CustomMessageBox.h"
#include "DialogAnswerer.h"
#include "DlgMessageBox.h"
#include "DlgQuestionMulti.h"
#include "DlgYesNo.h"
#include "DlgYesNoForm.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

// "escape", an object name, or "text:<button text>".
void answer(QWidget *dialog, const QString &how)
{
    if (how == QLatin1String("escape")) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    if (how.startsWith(QLatin1String("text:"))) {
        const QString text = how.mid(5);
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->isVisible() && button->text() == text) {
                QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no visible button \"%1\"").arg(text)));
    }
    QVERIFY2(WidgetDriver::click(dialog, how), qPrintable(how));
}

QStringList visibleButtonTexts(const QWidget *dialog)
{
    QList<QPushButton *> buttons;
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->isVisible())
            buttons.append(button);
    std::sort(buttons.begin(), buttons.end(), [](const QPushButton *a, const QPushButton *b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    QStringList texts;
    for (const QPushButton *button : buttons)
        texts.append(button->text());
    return texts;
}

} // namespace

class TestModalDialogs : public QObject
{
    Q_OBJECT

private slots:
    void yesNoButtonTexts_data()
    {
        QTest::addColumn<QString>("yesText");
        QTest::addColumn<QString>("noText");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("null texts keep the form's") << QString() << QString() << QStringList{"No", "Yes"};
        QTest::newRow("empty texts empty the buttons") << QString("") << QString("") << QStringList{"", ""};
        QTest::newRow("own texts") << QString("Delete") << QString("Keep") << QStringList{"Keep", "Delete"};
    }

    void yesNoButtonTexts()
    {
        QFETCH(QString, yesText);
        QFETCH(QString, noText);
        QFETCH(QStringList, shown);
        DlgYesNo dialog(nullptr, "Delete the profile?", yesText, noText, "tamsel", nullptr);
        QStringList seen;
        DialogAnswerer answerer([&](QWidget *open) {
            seen = visibleButtonTexts(open);
            answer(open, "escape");
        });
        dialog.exec();
        QVERIFY(answerer.answered());
        QCOMPARE(seen, shown);
    }

    void yesNoResults_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("yes") << "btn_yes" << 1;
        QTest::newRow("no") << "btn_no" << 0;
        QTest::newRow("escape") << "escape" << 0;
    }

    void yesNoResults()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        DlgYesNo dialog(nullptr, "Delete the profile?", QString(), QString(), "v", nullptr);
        DialogAnswerer answerer([&](QWidget *open) { answer(open, how); });
        QCOMPARE(dialog.exec(), result);
        QVERIFY(answerer.answered());
    }

    void yesNoStylesEveryPartForTheModelAndTakesAnExtraRow()
    {
        auto *extra = new QVBoxLayout;
        auto *box = new QCheckBox("Do not ask again");
        extra->addWidget(box);
        DlgYesNo dialog(nullptr, "Delete the profile?", QString(), QString(), "pelkin", extra);
        for (const char *name : {"frame", "label", "btn_no", "btn_yes"}) {
            QWidget *part = WidgetDriver::child(&dialog, name);
            QVERIFY2(part, name);
            QCOMPARE(part->property("m").toString(), QString("pelkin"));
        }
        QCOMPARE(box->window(), static_cast<QWidget *>(&dialog));
        dialog.show();
        QVERIFY(box->isVisible());
        auto *label = WidgetDriver::child<QLabel>(&dialog, "label");
        QVERIFY(box->mapTo(&dialog, QPoint()).y() > label->mapTo(&dialog, QPoint()).y());
        QVERIFY(!WidgetDriver::grabToPng(&dialog, "yes-no").isEmpty());
    }

    // A question wider on one line than two thirds of the screen wraps; the
    // window grows to the height of the lines at the width it really has
    // (the form's, or the one its caller sets), so none is cut off.
    void yesNoShowsTheWholeQuestion_data()
    {
        QTest::addColumn<int>("minimumWidth");
        QTest::addColumn<QString>("text");
        const QString paragraphs = "A mapping called Copy already exists in your action library.\n\nWould you like to "
                                   "overwrite the existing action, or save it under a different name?\n";
        const QString oneParagraph = "Unable to retrieve an app location from the selected file. If you selected a "
                                     "shortcut try linking the app directly instead. Would you like to try selecting "
                                     "another file?";
        QTest::newRow("form's width") << 0 << oneParagraph;
        QTest::newRow("caller's width") << 500 << oneParagraph;
        QTest::newRow("paragraphs, caller's width") << 500 << paragraphs;
    }

    void yesNoShowsTheWholeQuestion()
    {
        QFETCH(int, minimumWidth);
        QFETCH(QString, text);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(screen.size(), QSize(800, 600));
        DlgYesNo dialog(nullptr, text, QString(), QString(), "v", nullptr);
        if (minimumWidth > 0)
            dialog.setMinimumWidth(minimumWidth);
        auto *label = WidgetDriver::child<QLabel>(&dialog, "label");
        QVERIFY(label->fontMetrics().horizontalAdvance(text) > screen.width() * 2 / 3);
        int width = 0;
        int labelHeight = 0;
        int needed = 0;
        int labelBottom = 0;
        int buttonsTop = 0;
        DialogAnswerer answerer([&](QWidget *open) {
            width = open->width();
            labelHeight = label->height();
            needed = label->heightForWidth(label->width());
            labelBottom = label->mapTo(open, QPoint(0, label->height())).y();
            buttonsTop = WidgetDriver::child(open, "btn_yes")->mapTo(open, QPoint()).y();
            WidgetDriver::grabToPng(
                open, "yes-no-" + QString(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "-"));
            answer(open, "escape");
        });
        dialog.exec();
        QVERIFY(answerer.answered());
        QCOMPARE(width, qMax(350, minimumWidth));
        QVERIFY2(needed <= labelHeight, qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(labelHeight)));
        QVERIFY(labelBottom <= buttonsTop);
    }

    // The message of the three model-styled boxes is plain text, so the
    // names put into it read as typed.
    void messagesShowNamesAsTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("yes-no") << "yes-no";
        QTest::newRow("question") << "question";
        QTest::newRow("message") << "message";
    }
    void messagesShowNamesAsTyped()
    {
        QFETCH(QString, box);
        const QString text = "Are you sure you wish to delete <b>R&D</b> &lt;Lab&gt;?\nIt holds <i>two</i> profiles.";
        std::unique_ptr<QDialog> dialog;
        if (box == "yes-no")
            dialog = std::make_unique<DlgYesNo>(nullptr, text, QString(), QString(), "v", nullptr);
        else if (box == "question")
            dialog = std::make_unique<DlgQuestionMulti>(nullptr, text, QStringList{"Delete"}, "Cancel", "v");
        else
            dialog = std::make_unique<DlgMessageBox>(nullptr, text, "v");
        QCOMPARE(WidgetDriver::shownText(WidgetDriver::child<QLabel>(dialog.get(), "label")), text);
    }

    void yesNoFormServesOtherDialogs()
    {
        // The settings dialog is built on the same generated form.
        QDialog dialog;
        Ui::DlgYesNo form;
        form.setupUi(&dialog);
        QCOMPARE(form.btn_yes->text(), QString("Yes"));
        QCOMPARE(form.frame->property("frame_type").toString(), QString("dialog_background"));
    }

    void questionMultiResults_data()
    {
        QTest::addColumn<QString>("cancelText");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("clickedIndex");
        QTest::newRow("second answer") << "Cancel"
                                       << "text:Replace" << 1 << 1;
        QTest::newRow("first answer") << "Cancel"
                                      << "text:Merge" << 1 << 0;
        QTest::newRow("cancel") << "Cancel"
                                << "btn_cancel" << 0 << -1;
        QTest::newRow("escape") << "Cancel"
                                << "escape" << 0 << -1;
        QTest::newRow("escape without cancel") << ""
                                               << "escape" << 0 << -1;
    }

    void questionMultiResults()
    {
        QFETCH(QString, cancelText);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(int, clickedIndex);
        DlgQuestionMulti dialog(nullptr, "The file holds profiles of the same name.", {"Merge", "Replace", "Skip"},
                                cancelText, "v");
        QStringList seen;
        DialogAnswerer answerer([&](QWidget *open) {
            seen = visibleButtonTexts(open);
            answer(open, how);
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(dialog.clickedIndex(), clickedIndex);
        QStringList row{"Merge", "Replace", "Skip"};
        if (!cancelText.isEmpty())
            row.prepend(cancelText);
        QCOMPARE(seen, row); // Cancel first, then the answers in order
    }

    void messageBoxResults_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << "btn_ok" << 1;
        QTest::newRow("escape") << "escape" << 0;
    }

    void messageBoxResults()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        DlgMessageBox dialog(nullptr, "Failed to set background.", "v");
        QString shown;
        DialogAnswerer answerer([&](QWidget *open) {
            shown = WidgetDriver::child<QLabel>(open, "label")->text();
            answer(open, how);
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(shown, QString("Failed to set background."));
    }

    void customBoxResults_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("third");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("row");
        const QStringList all{"Cancel", "Discard", "Save"};
        QTest::newRow("first") << "Discard"
                               << "Cancel"
                               << "pushButton_yes" << 2 << all;
        QTest::newRow("second") << "Discard"
                                << "Cancel"
                                << "pushButton_no" << 1 << all;
        QTest::newRow("third") << "Discard"
                               << "Cancel"
                               << "pushButton_cancel" << 0 << all;
        QTest::newRow("escape") << "Discard"
                                << "Cancel"
                                << "escape" << 0 << all;
        QTest::newRow("two buttons") << "Discard"
                                     << ""
                                     << "pushButton_no" << 1 << QStringList{"Discard", "Save"};
        QTest::newRow("one button") << ""
                                    << ""
                                    << "pushButton_yes" << 2 << QStringList{"Save"};
        QTest::newRow("one button, escape") << ""
                                            << ""
                                            << "escape" << 0 << QStringList{"Save"};
    }

    void customBoxResults()
    {
        QFETCH(QString, second);
        QFETCH(QString, third);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(QStringList, row);
        CustomMessageBox box(nullptr, "Save the changes?", "Save", second, third);
        QStringList seen;
        DialogAnswerer answerer([&](QWidget *open) {
            seen = visibleButtonTexts(open);
            answer(open, how);
        });
        QCOMPARE(box.exec(), result);
        QCOMPARE(seen, row);
    }

    void customBoxButtonsSitAtTheRight_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("one button") << "";
        QTest::newRow("two buttons") << "No";
    }

    void customBoxButtonsSitAtTheRight()
    {
        QFETCH(QString, second);
        CustomMessageBox box(nullptr, "Sorry\nProfile Name cannot be empty", "Ok", second, "");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto *frame = WidgetDriver::child<QFrame>(&box, "frame");
        auto *first = WidgetDriver::child<QPushButton>(&box, "pushButton_yes");
        // The row's right margin, and the frame's border.
        const int gap = frame->width() - 1 - first->geometry().right();
        QVERIFY2(gap >= 29 && gap <= 29 + frame->frameWidth(), qPrintable(QString::number(gap)));
        QCOMPARE(box.width(), 430);
        QVERIFY(!WidgetDriver::grabToPng(&box, "message-box-" + QString(QTest::currentDataTag()).replace(' ', '-'))
                     .isEmpty());
    }

    void customBoxWithThreeButtonsIsWider()
    {
        CustomMessageBox box(nullptr, "Save the changes?", "Save", "Discard", "Cancel");
        QCOMPARE(box.width(), 500);
        QCOMPARE(WidgetDriver::child<QPushButton>(&box, "pushButton_yes")->width(), 170);
        QCOMPARE(WidgetDriver::child<QPushButton>(&box, "pushButton_no")->width(), 120);
        box.setButtonWidths(100, 110, 120);
        QCOMPARE(WidgetDriver::child<QPushButton>(&box, "pushButton_cancel")->width(), 120);
    }

    void customBoxHeightFollowsTheLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minimumHeight");
        QTest::newRow("one line") << "Saved." << 144;
        QTest::newRow("three lines") << "One\nTwo\nThree" << 192;
    }

    void customBoxHeightFollowsTheLines()
    {
        QFETCH(QString, text);
        QFETCH(int, minimumHeight);
        CustomMessageBox box(nullptr, text, "Ok", "", "");
        QCOMPARE(box.minimumHeight(), minimumHeight);
        const QString label = WidgetDriver::child<QLabel>(&box, "label_text")->text();
        QCOMPARE(label.count("<br>"), text.count('\n'));
        QVERIFY(label.contains("line-height:24px"));
    }

    void customBoxWidensToItsLongestLine()
    {
        const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
        CustomMessageBox box(nullptr, "Sorry\nThe profiles could not be saved: the disk holding them is full.", "Ok",
                             "", "");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto *label = WidgetDriver::child<QLabel>(&box, "label_text");
        QVERIFY(box.width() > 430);
        QVERIFY(label->width() >= label->sizeHint().width());

        // Wider than the screen: as wide as the screen, no more.
        CustomMessageBox huge(nullptr, QString(200, QLatin1Char('W')), "Ok", "", "");
        huge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&huge));
        QCOMPARE(huge.width(), screenWidth);

        CustomMessageBox shortBox(nullptr, "Saved.", "Ok", "", "");
        shortBox.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shortBox));
        QCOMPARE(shortBox.width(), 430);
    }

    void customBoxOpensOverItsParentInsideTheScreen()
    {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget parent;
        parent.setGeometry(available.right() - 100, available.top() + 100, 400, 300);
        parent.show();
        CustomMessageBox box(&parent, "Saved.", "Ok", "", "");
        // The parent's centre lies off the screen: the box is pulled back to
        // the right edge, at the parent's centre height.
        QCOMPARE(box.x() + box.width(), available.x() + available.width());
        QCOMPARE(box.y() + box.height() / 2, parent.geometry().center().y() + 1);

        parent.move(available.topLeft() + QPoint(50, 50));
        CustomMessageBox centred(&parent, "Saved.", "Ok", "", "");
        QCOMPARE(centred.geometry().center(), parent.geometry().center());
    }

    void customBoxPlacementKeepsToTheParentsScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("parentCentre");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("centred") << QRect(0, 0, 1920, 1040) << QPoint(960, 500) << QPoint(960 - 214, 500 - 84);
        QTest::newRow("right edge") << QRect(0, 0, 1920, 1040) << QPoint(1950, 500) << QPoint(1920 - 430, 500 - 84);
        QTest::newRow("bottom edge") << QRect(0, 0, 1920, 1040) << QPoint(960, 1100) << QPoint(960 - 214, 1040 - 170);
        QTest::newRow("second screen, inside")
            << QRect(1920, 0, 1280, 1024) << QPoint(2560, 500) << QPoint(2560 - 214, 500 - 84);
        QTest::newRow("second screen, right edge")
            << QRect(1920, 0, 1280, 1024) << QPoint(3300, 500) << QPoint(3200 - 430, 500 - 84);
        QTest::newRow("panel above, bottom edge")
            << QRect(0, 30, 1920, 1010) << QPoint(960, 1100) << QPoint(960 - 214, 1040 - 170);
    }

    void customBoxPlacementKeepsToTheParentsScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QPoint, parentCentre);
        QFETCH(QPoint, position);
        QCOMPARE(CustomMessageBox::placement(parentCentre, QSize(430, 170), available), position);
    }
};

QTEST_MAIN(TestModalDialogs)
#include "tst_modaldialogs.moc"
