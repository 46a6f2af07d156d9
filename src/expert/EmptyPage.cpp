#include "EmptyPage.h"

#include "SharedConstants.h"
#include "ui_EmptyPage.h"

#include <QEvent>

EmptyPage::EmptyPage(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::EmptyPage>())
{
    ui->setupUi(this);
    ui->label_to->hide();
    ui->pushButton_add_mappings->hide();
    for (QWidget *button :
         {static_cast<QWidget *>(ui->pushButton_add_settings), static_cast<QWidget *>(ui->pushButton_add_mappings)}) {
        button->setAttribute(Qt::WA_Hover);
        button->installEventFilter(this);
    }
    connect(ui->pushButton_add_settings, &QPushButton::clicked, this, &EmptyPage::addSettings);
    connect(ui->pushButton_add_mappings, &QPushButton::clicked, this, &EmptyPage::addMappings);
    fillNoSettings(globalProfileName);
}

EmptyPage::~EmptyPage() = default;

void EmptyPage::showNoMappings(const QString &parentName, const QString &pageName)
{
    ui->label_no->setText(tr("No mappings in this profile for"));
    ui->label_page->setText(pageName);
    ui->label_from->setText(tr("(mappings from %1 apply).").arg(parentName));
    ui->pushButton_add_settings->hide();
    ui->pushButton_add_mappings->show();
    ui->label_to->setText(tr("Add mappings to override") + QLatin1Char(' ') + parentName + QLatin1Char('.'));
    ui->widget_add->show();
    ui->widget_legend->show();
    show();
}

void EmptyPage::showNoSettings(const QString &parentName)
{
    fillNoSettings(parentName);
    show();
}

void EmptyPage::fillNoSettings(const QString &parentName)
{
    ui->label_no->setText(tr("No settings in this profile"));
    ui->label_page->clear();
    ui->label_from->setText(tr("(settings from %1 apply).").arg(parentName));
    ui->pushButton_add_mappings->hide();
    ui->pushButton_add_settings->show();
    ui->label_to->setText(tr("Add settings to override") + QLatin1Char(' ') + parentName + QLatin1Char('.'));
    ui->widget_add->show();
    ui->widget_legend->hide();
}

bool EmptyPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->pushButton_add_settings || watched == ui->pushButton_add_mappings) {
        if (event->type() == QEvent::HoverEnter)
            ui->label_to->show();
        else if (event->type() == QEvent::HoverLeave)
            ui->label_to->hide();
    }
    return QWidget::eventFilter(watched, event);
}
