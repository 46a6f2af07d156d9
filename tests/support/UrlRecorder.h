#pragma once
// Stands in for the desktop's URL handler: records the addresses the program
// asked it to open.
//
//     UrlRecorder desktop;                                   // a member of the test
//     QDesktopServices::setUrlHandler("https", &desktop, "open");
//     ... the program opens an article ...
//     QCOMPARE(desktop.opened, QList<QUrl>{QUrl(address)});
//     QDesktopServices::unsetUrlHandler("https");

#include <QList>
#include <QObject>
#include <QUrl>

class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};
