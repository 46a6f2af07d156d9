#include "ColorEditor.h"

#include "Color2DSlider.h"
#include "ColorPick.h"
#include "ui_ColorEditor.h"

#include <QBitmap>
#include <QCursor>
#include <QGraphicsDropShadowEffect>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <initializer_list>

namespace {

const char *const hueSliderStyle =
    "QSlider { border: none; }"
    "QSlider::groove:horizontal { height: 25px; border-radius: 0px; background: transparent; "
    "margin-left: -4px; margin-right: -4px; }"
    "QSlider::handle:horizontal { width: 24px; height: 24px; image: url(:/pic/circle_color.png); }";

// The hue bar runs through six segments of 255 steps each.
constexpr int hueSteps = 1530;

} // namespace

ColorEditor::ColorEditor(const QString &mode, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::ColorEditor>())
    , popup(new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint))
    , frameLabel(new QLabel(popup))
    , startColor(initialColor())
{
    ui->setupUi(this);
    for (QLineEdit *field : {ui->lineEdit_hex, ui->lineEdit_r, ui->lineEdit_g, ui->lineEdit_b})
        field->setAttribute(Qt::WA_MacShowFocusRect, false);

    popup->setAttribute(Qt::WA_TranslucentBackground);
    popup->setWindowModality(Qt::ApplicationModal);
    popup->installEventFilter(this);
    frameLabel->setFixedSize(293, 380);
    popup->resize(frameLabel->size());

    setParent(popup);
    setAttribute(Qt::WA_TranslucentBackground, false);
    setGeometry(13, 1, 279, 378);

    connect(ui->pushButton_picker, &QPushButton::clicked, this, &ColorEditor::picker);
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &ColorEditor::ok);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &ColorEditor::cancel);
    ui->pushButton_picker->hide();

    plane = new Color2DSlider(ui->frame_colorSlider);
    plane->setFixedSize(ui->frame_colorSlider->size());
    connect(plane, &Color2DSlider::colorChanged, this, &ColorEditor::updateColor);

    hueSlider = new QSlider(Qt::Horizontal, ui->frame_colorGradient);
    hueSlider->setFixedSize(ui->frame_colorGradient->size());
    hueSlider->setStyleSheet(hueSliderStyle);
    hueSlider->setRange(0, hueSteps);
    hueSlider->setSingleStep(1);
    connect(hueSlider, &QSlider::valueChanged, this, &ColorEditor::newValueGradient);

    for (QLineEdit *field : {ui->lineEdit_r, ui->lineEdit_g, ui->lineEdit_b}) {
        field->setValidator(new QIntValidator(0, 255, field));
        connect(field, &QLineEdit::textChanged, this, &ColorEditor::newValueRGBLines);
    }

    setColor(startColor);
    shownColor = startColor;

    for (QWidget *widget : std::initializer_list<QWidget *>{ui->lineEdit_hex, ui->lineEdit_r, ui->lineEdit_g,
                                                            ui->lineEdit_b, ui->pushButton_color}) {
        auto *shadow = new QGraphicsDropShadowEffect(widget);
        shadow->setColor(QColor(163, 160, 160));
        shadow->setOffset(1, 1);
        widget->setGraphicsEffect(shadow);
    }

    // The window takes the outline of its frame picture, once that exists.
    const QPixmap framePicture(":/pic/color_editor_frame.png");
    if (!framePicture.isNull())
        frameLabel->setMask(framePicture.mask());

    frameLabel->setProperty("label_type", "color_editor_frame");
    ui->label_colorPicker->setProperty("label_type", "color_editor_title");
    for (QLabel *label : {ui->label_color, ui->label_hex, ui->label_r, ui->label_g, ui->label_b})
        label->setProperty("label_type", "color_editor");
    ui->pushButton_ok->setProperty("button_type", "common");
    ui->pushButton_cancel->setProperty("button_type", "common");
    for (QWidget *widget : std::initializer_list<QWidget *>{frameLabel, ui->label_colorPicker, ui->label_color,
                                                            ui->label_hex, ui->label_r, ui->label_g, ui->label_b,
                                                            ui->pushButton_ok, ui->pushButton_cancel})
        widget->setProperty("m", mode);
}

ColorEditor::~ColorEditor()
{
    // The editor sits inside its window; step out of it before it goes.
    QWidget *window = popup;
    setParent(nullptr);
    delete window;
}

void ColorEditor::showAt(const QPoint &globalPos)
{
    shownColor = selectedColor;
    const QPoint wanted(globalPos.x() + 40, globalPos.y() - 50);
    popup->move(wanted);
    popup->show();

    QScreen *screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = popup->screen();
    const QRect available = screen->availableGeometry();
    // Shifted left and up by whatever of the window passes the right and
    // bottom edges, and never past the left or top edge either.
    const int dx = available.x() + available.width() - (wanted.x() + popup->width());
    const int dy = available.y() + available.height() - (wanted.y() + popup->height());
    popup->move(std::max(available.left(), wanted.x() + std::min(dx, 0)),
                std::max(available.top(), wanted.y() + std::min(dy, 0)));
}

int ColorEditor::huePosition(const QColor &c)
{
    const int r = c.red();
    const int g = c.green();
    const int b = c.blue();
    if (r >= g && g > b)
        return g - b;
    if (g >= r && r >= b)
        return 510 - r + b;
    if (g >= b && b >= r)
        return 510 + b - r;
    if ((b >= g && g >= r) || (b >= r && r >= g))
        return 1020 + r - g;
    return 1530 + g - b;
}

void ColorEditor::setColor(QColor c)
{
    plane->setColor(c);
    // Moving the bar loads its pure hue first; c itself follows.
    hueSlider->setValue(huePosition(c));
    selectedColor = c;
    updateColor(c);
}

void ColorEditor::setNewColor(QColor c)
{
    setColor(c);
}

void ColorEditor::newValueGradient(int position)
{
    const int v = position == 0 ? 1 : position;
    QColor hue;
    if (v <= 255)
        hue = QColor(255, v, 0);
    else if (v <= 510)
        hue = QColor(510 - v, 255, 0);
    else if (v <= 765)
        hue = QColor(0, 255, v - 510);
    else if (v <= 1020)
        hue = QColor(0, 1020 - v, 255);
    else if (v <= 1275)
        hue = QColor(v - 1020, 0, 255);
    else
        hue = QColor(255, 0, hueSteps - v);
    setColor(hue);
}

void ColorEditor::newValueRGBLines()
{
    // The fields take up to three digits while typing; a value above 255
    // stands for 255 (and is shown so) rather than making no colour at all.
    const auto channel = [](const QLineEdit *field) { return std::clamp(field->text().toInt(), 0, 255); };
    setColor(QColor(channel(ui->lineEdit_r), channel(ui->lineEdit_g), channel(ui->lineEdit_b)));
}

void ColorEditor::updateColor(QColor c)
{
    plane->setColor(c);
    const QString swatch = QStringLiteral("QPushButton {%1 background-color: %2;}").arg(swatchStyle, c.name());
    if (ui->pushButton_color->styleSheet() != swatch)
        ui->pushButton_color->setStyleSheet(swatch);
    ui->lineEdit_hex->setText(c.name().toUpper());

    const QSignalBlocker blockR(ui->lineEdit_r);
    const QSignalBlocker blockG(ui->lineEdit_g);
    const QSignalBlocker blockB(ui->lineEdit_b);
    const auto show = [](QLineEdit *field, int channel) {
        const QString text = QString::number(channel);
        // Rewriting an unchanged field would throw its cursor to the end.
        if (field->text() != text)
            field->setText(text);
    };
    show(ui->lineEdit_r, c.red());
    show(ui->lineEdit_g, c.green());
    show(ui->lineEdit_b, c.blue());
}

void ColorEditor::picker()
{
    const auto hint = std::make_unique<QLabel>(tr("Press\n'Enter' to select color\n'Esc' to cancel"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setFixedSize(140, 50);
    hint->setStyleSheet("color: #ececec; background: #48484a; border-radius: 3px;");
    hint->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    hint->move(QCursor::pos() + QPoint(28, -20));
    hint->show();
    QTimer::singleShot(5000, hint.get(), &QWidget::hide);

    // A picked colour only loads the editor; Ok still confirms it.
    ColorPick pick;
    connect(&pick, &ColorPick::colorChanged, this, &ColorEditor::setColor);
    pick.exec();
}

void ColorEditor::ok()
{
    selectedColor = QColor(ui->lineEdit_hex->text());
    emit colorChanged(selectedColor);
    popup->hide();
}

void ColorEditor::cancel()
{
    // Back to the colour the editor was shown with: the pages save the
    // editor's colour later, so a cancelled edit must leave no trace.
    setColor(shownColor);
    popup->hide();
}

bool ColorEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == popup && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            ok();
        else if (key == Qt::Key_Escape)
            cancel();
    }
    return false;
}
