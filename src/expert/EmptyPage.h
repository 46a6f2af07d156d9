#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class EmptyPage;
}

// Shown by a profile page in place of its mappings or its settings when the
// profile has none of its own there, so that its parent's apply. It says so
// and offers to take the page over ("+ Add mappings", "+ Add settings");
// while the pointer rests on that button, the line beside it tells whose
// content would be overridden.
class EmptyPage : public QWidget
{
    Q_OBJECT

public:
    explicit EmptyPage(QWidget *parent = nullptr);
    ~EmptyPage() override;

    void showNoMappings(const QString &parentName, const QString &pageName);
    void showNoSettings(const QString &parentName);

signals:
    void addSettings();
    void addMappings();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillNoSettings(const QString &parentName);

    std::unique_ptr<Ui::EmptyPage> ui;
};
