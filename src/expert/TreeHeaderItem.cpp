#include "TreeHeaderItem.h"

#include "AppFont.h"
#include "ui_TreeHeaderItem.h"

TreeHeaderItem::TreeHeaderItem(const QString &text, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TreeHeaderItem>())
    , metrics(appFont())
{
    ui->setupUi(this);
    ui->label_header->setText(text);
    ui->label_header->setFixedWidth(metrics.horizontalAdvance(text) + 20);
}

TreeHeaderItem::~TreeHeaderItem() = default;

QString TreeHeaderItem::text() const
{
    return ui->label_header->text();
}
