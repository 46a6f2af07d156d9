#pragma once
// The answer to the expert view's message box (CustomMessageBox) for
// DialogAnswerer: presses the visible button of that text, noting the
// box's question as plain text first.

#include "DialogAnswerer.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

inline DialogAnswerer::Answer answerBox(const QString &button, QString *question = nullptr)
{
    return [button, question](QWidget *box) {
        if (question) {
            QTextDocument text;
            text.setHtml(box->findChild<QLabel *>(QStringLiteral("label_text"))->text());
            *question = text.toPlainText();
        }
        const QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
        for (QPushButton *candidate : buttons) {
            if (candidate->isVisible() && candidate->text() == button) {
                QTest::mouseClick(candidate, Qt::LeftButton);
                return;
            }
        }
        QFAIL(qPrintable("no button " + button));
    };
}
