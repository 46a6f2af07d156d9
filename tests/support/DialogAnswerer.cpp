#include "DialogAnswerer.h"

#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QtTest>

DialogAnswerer::DialogAnswerer(Answer answer, int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_answer(std::move(answer))
    , m_before(QApplication::activeModalWidget())
{
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &DialogAnswerer::look);
    m_poll.start();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        m_poll.stop();
        m_timedOut = true;
        qWarning() << "DialogAnswerer: no dialog opened";
    });
    m_deadline.start(timeoutMs);
}

DialogAnswerer::~DialogAnswerer() = default;

void DialogAnswerer::look()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == m_before || !dialog->isVisible())
        return;
    m_poll.stop();
    m_deadline.stop();
    m_title = dialog->windowTitle();
    if (const auto *box = qobject_cast<QMessageBox *>(dialog))
        m_text = box->text();
    m_answered = true;
    if (m_answer)
        m_answer(dialog);
}

bool DialogAnswerer::wait()
{
    while (!m_answered && !m_timedOut)
        QTest::qWait(10);
    return m_answered;
}

DialogAnswerer::Answer DialogAnswerer::pressStandardButton(int standardButton)
{
    return [standardButton](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QAbstractButton *button = box ? box->button(QMessageBox::StandardButton(standardButton)) : nullptr;
        if (!button) {
            qWarning() << "DialogAnswerer: the dialog has no such button" << standardButton;
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    };
}

DialogAnswerer::Answer DialogAnswerer::clickButton(const QString &objectName)
{
    return [objectName](QWidget *dialog) { WidgetDriver::click(dialog, objectName); };
}
