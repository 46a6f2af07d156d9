#pragma once

#include <QFontMetrics>
#include <QString>
#include <QWidget>

// One chip of the linked applications row: the application's name and a
// small close button, which asks the row to remove the chip (deleteMe). The
// id is what the link dialog produced: a full path or a file name.
class AppWidget : public QWidget
{
    Q_OBJECT

public:
    AppWidget(const QString &name, const QString &id, QWidget *parent = nullptr);
    ~AppWidget() override;

    QString name() const { return m_name; }
    QString id() const { return m_id; }

signals:
    void deleteMe();

private:
    QString m_name;
    QString m_id;
    QFontMetrics m_metrics;
};
