#pragma once
// One chip of the profile dialog's linked applications: the application's
// name and a button that deletes it.

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

class LinkedApp : public QFrame
{
    Q_OBJECT

public:
    LinkedApp(QWidget *parent, const QString &modelKey);
    ~LinkedApp() override;

    QString id;

    void setText(const QString &name);
    QString text() const;

signals:
    // The delete button was clicked.
    void deleteClicked(const QString &id);

private:
    QLabel *m_name;
    QPushButton *m_delete;
};
