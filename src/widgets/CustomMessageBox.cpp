#include "CustomMessageBox.h"

#include "StyleProperties.h"
#include "ui_CustomMessageBox.h"

#include <QGuiApplication>
#include <QScreen>

CustomMessageBox::CustomMessageBox(QWidget *parent, const QString &text, const QString &firstText,
                                   const QString &secondText, const QString &thirdText)
    : QDialog(parent)
    , ui(std::make_unique<Ui::MessageBox>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);

    setMinimumHeight((text.count(QLatin1Char('\n')) + 1) * m_lineHeight + m_extraHeight);
    ui->label_text->setText(
        QStringLiteral("<html><body><p style='line-height:%1px'><span>%2</span></p></body></html>")
            .arg(QString::number(m_lineHeight), QString(text).replace(QLatin1Char('\n'), QLatin1String("<br>"))));

    // The application style sheet draws it as an expert-view frame whatever
    // model is connected, not the form's grey.
    setStyleSheet(QString());
    ui->frame->setProperty("frame_type", QStringLiteral("expert"));
    StyleProperties::repolish(ui->frame);

    ui->pushButton_yes->setText(firstText);
    ui->pushButton_no->setText(secondText);
    ui->pushButton_cancel->setText(thirdText);
    connect(ui->pushButton_yes, &QPushButton::clicked, this, [this] { done(2); });
    connect(ui->pushButton_no, &QPushButton::clicked, this, [this] { done(1); });
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, [this] { done(0); });

    if (secondText.isEmpty())
        ui->pushButton_no->hide();
    if (thirdText.isEmpty()) {
        ui->pushButton_cancel->hide();
        ui->horizontalLayout_buttons->insertSpacerItem(
            0, new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Fixed));
    } else {
        setFixedWidth(500);
        ui->pushButton_yes->setFixedWidth(170);
        ui->pushButton_no->setFixedWidth(120);
    }

    placeOverParent();
}

CustomMessageBox::~CustomMessageBox() = default;

void CustomMessageBox::placeOverParent()
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    const QScreen *screen = parent->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    move(placement(parent->mapToGlobal(parent->rect().center()), size(), available));
}

void CustomMessageBox::showEvent(QShowEvent *event)
{
    // The message does not wrap, so a line longer than the box is wide would
    // be cut off at the side: widen the box to its longest line, as far as
    // the screen allows, before it shows.
    if (layout()) {
        int needed = layout()->totalMinimumSize().width();
        if (const QScreen *box = screen())
            needed = qMin(needed, box->availableGeometry().width());
        if (needed > width()) {
            setMaximumWidth(qMax(maximumWidth(), needed));
            setMinimumWidth(needed);
            resize(needed, height());
            placeOverParent();
        }
    }
    QDialog::showEvent(event);
}

QPoint CustomMessageBox::placement(const QPoint &parentCentre, const QSize &size, const QRect &available)
{
    const QRect box(QPoint(), size);
    int x = parentCentre.x() - box.center().x();
    int y = parentCentre.y() - box.center().y();
    if (available.isEmpty())
        return {x, y};
    // The edges of the screen's area, not its size: a screen that does not
    // start at the origin keeps the box on it.
    const int right = available.x() + available.width();
    const int bottom = available.y() + available.height();
    if (x + size.width() / 2 > right)
        x = right - size.width();
    if (y + size.height() / 2 > bottom)
        y = bottom - size.height();
    return {x, y};
}

void CustomMessageBox::setTextAlignment(Qt::Alignment alignment)
{
    ui->label_text->setAlignment(alignment);
}

void CustomMessageBox::setButtonWidths(int first, int second, int third)
{
    ui->pushButton_yes->setFixedWidth(first);
    ui->pushButton_no->setFixedWidth(second);
    ui->pushButton_cancel->setFixedWidth(third);
}
