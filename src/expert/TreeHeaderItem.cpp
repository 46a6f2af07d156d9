#include "TreeHeaderItem.h"

#include "AppFont.h"
#include "ui_TreeHeaderItem.h"

TreeHeaderItem::TreeHeaderItem(const QString &text, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TreeHeaderItem>())
    , metrics(appFont())
{
    ui->setupUi(this);
    fitLabel(ui->label_header, text, metrics);
}

TreeHeaderItem::~TreeHeaderItem() = default;

QString TreeHeaderItem::text() const
{
    return ui->label_header->text();
}

void TreeHeaderItem::fitLabel(QLabel *label, const QString &text, const QFontMetrics &metrics)
{
    label->setTextFormat(Qt::PlainText); // profile names read as typed
    label->setText(text);
    label->setFixedWidth(metrics.horizontalAdvance(text) + 20);
}
