#pragma once
// The profile dialog's box of linked applications: one chip per application,
// sorted by name without regard to letter case, flowing into lines. It is
// one line high with fewer than two chips and scrolls from two on.

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class FlowLayout;
class LinkedApp;
namespace Ui {
class LinkedAppsSimple;
}

class LinkedAppsSimple : public QWidget
{
    Q_OBJECT

public:
    LinkedAppsSimple(QWidget *parent, const QString &modelKey);
    ~LinkedAppsSimple() override;

    void addApp(const QString &id, const QString &name, const QString &modelKey);
    // Exact, letter case counts.
    bool hasApp(const QString &id) const;
    // In chip order.
    QStringList appIds() const;
    QStringList appNames() const;
    QList<LinkedApp *> chips() const { return m_chips; }

signals:
    void appRemoved(const QString &id);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void removeApp(const QString &id);
    void updateHeight();

    std::unique_ptr<Ui::LinkedAppsSimple> ui;
    FlowLayout *m_flow;
    QList<LinkedApp *> m_chips;
};
