#include "AppWidget.h"

#include "AppFont.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace {

// Room beside the name: the margins, the close button and the spacing.
constexpr int chipExtraWidth = 42;
constexpr int chipHeight = 27;

} // namespace

AppWidget::AppWidget(const QString &name, const QString &id, QWidget *parent)
    : QWidget(parent)
    , m_name(name)
    , m_id(id)
    , m_metrics(appFont())
{
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFixedSize(m_metrics.horizontalAdvance(name) + chipExtraWidth, chipHeight);
    frame->setStyleSheet(QStringLiteral("background-color: #3d3d3e;"));
    outer->addWidget(frame);

    auto *inner = new QHBoxLayout(frame);
    inner->setContentsMargins(10, 0, 8, 0);
    inner->setAlignment(Qt::AlignCenter);
    auto *label = new QLabel(name, frame);
    label->setObjectName(QStringLiteral("label_name"));
    label->setTextFormat(Qt::PlainText);
    inner->addWidget(label);
    auto *close = new QPushButton(frame);
    close->setObjectName(QStringLiteral("pushButton_close"));
    close->setFixedSize(10, 10);
    close->setProperty("exp_button_type", QStringLiteral("picture"));
    close->setStyleSheet(
        QStringLiteral("QPushButton { border: none; image: url(:/pic/close_button_10.png); }"
                       "QPushButton::hover { border: none; image: url(:/pic/close_button_10_active.png); }"));
    inner->addWidget(close);
    connect(close, &QPushButton::clicked, this, &AppWidget::deleteMe);
}

AppWidget::~AppWidget() = default;
