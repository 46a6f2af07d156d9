#pragma once
// Answers the next modal dialog to open, for widget tests: a timer looks for
// QApplication::activeModalWidget() and hands the dialog to the answer, which
// closes it the way a user would (clicks a button, types and confirms). Made
// before the action that opens the dialog, so that it answers from inside
// the dialog's exec():
//
//     DialogAnswerer answer([](QWidget *dialog) { WidgetDriver::click(dialog, "okButton"); });
//     QVERIFY(WidgetDriver::click(window, "deleteButton")); // returns once the dialog closed
//     QVERIFY(answer.answered());
//     QCOMPARE(answer.title(), QString("Delete Profile"));
//
// For a dialog opened with show() or open(), wait() runs the event loop until
// it was answered. Nothing is answered when no dialog opens within timeoutMs.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class DialogAnswerer : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(QWidget *dialog)>;

    explicit DialogAnswerer(Answer answer, int timeoutMs = 5000, QObject *parent = nullptr);
    ~DialogAnswerer() override;

    bool answered() const { return m_answered; }
    // The answered dialog's window title, and its text when it is a message box.
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    // Runs the event loop until the dialog was answered or the time ran out;
    // true when it was answered.
    bool wait();

    // Answers that press a message box's standard button, or a dialog's
    // button by object name (through WidgetDriver::click).
    static Answer pressStandardButton(int standardButton);
    static Answer clickButton(const QString &objectName);

private:
    void look();

    Answer m_answer;
    QPointer<QWidget> m_before; // modal already when made: not the one to answer
    QTimer m_poll;
    QTimer m_deadline;
    bool m_answered = false;
    bool m_timedOut = false;
    QString m_title;
    QString m_text;
};
