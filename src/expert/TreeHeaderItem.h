#pragma once

#include <QFontMetrics>
#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class TreeHeaderItem;
}
class QLabel;

// One breadcrumb item of the profile header: an arrow and a grey rounded
// label as wide as its text needs.
class TreeHeaderItem : public QWidget
{
    Q_OBJECT

public:
    explicit TreeHeaderItem(const QString &text, QWidget *parent = nullptr);
    ~TreeHeaderItem() override;

    QString text() const;

    // Sets a header label's text and makes it as wide as the text needs.
    static void fitLabel(QLabel *label, const QString &text, const QFontMetrics &metrics);

private:
    std::unique_ptr<Ui::TreeHeaderItem> ui;
    QFontMetrics metrics;
};
