#include "ActiveProfileBox.h"

#include "HintsArea.h"
#include "RoundedPixmap.h"
#include "SimpleModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

// The hints of the two buttons.
constexpr int manualHint = 5;
constexpr int autoHint = 4;

QPushButton *switchButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setProperty("button_type", QStringLiteral("active_profile_buttons"));
    button->setFixedSize(96, 24);
    return button;
}

} // namespace

ActiveProfileBox::ActiveProfileBox(QWidget *parent)
    : QWidget(parent)
    , m_model(SimpleModel::instance())
{
    setFixedSize(220, 85);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *inner = new QWidget(this);
    inner->setObjectName(QStringLiteral("widget_activeProfile"));
    inner->setProperty("widget_type", QStringLiteral("active_profile"));
    outer->addWidget(inner);
    auto *column = new QVBoxLayout(inner);
    column->setContentsMargins(10, 2, 10, 3);
    column->setSpacing(4);

    auto *caption = new QLabel(tr("Active Profile:"), inner);
    caption->setObjectName(QStringLiteral("label_caption"));
    caption->setProperty("label_type", QStringLiteral("active_profile"));
    caption->setFixedSize(200, 12);
    column->addWidget(caption);

    auto *switchRow = new QWidget(inner);
    switchRow->setObjectName(QStringLiteral("widget_switch"));
    switchRow->setProperty("widget_type", QStringLiteral("active_profile_buttons"));
    switchRow->setFixedSize(200, 30);
    auto *switches = new QHBoxLayout(switchRow);
    switches->setContentsMargins(3, 3, 3, 3);
    switches->setSpacing(2);
    m_manual = switchButton(tr("Manual"), "pushButton_manual", switchRow);
    m_auto = switchButton(tr("Auto"), "pushButton_auto", switchRow);
    switches->addWidget(m_manual);
    switches->addWidget(m_auto);
    column->addWidget(switchRow);

    auto *display = new QWidget(inner);
    display->setObjectName(QStringLiteral("widget_activeDisplay"));
    display->setProperty("widget_style", QStringLiteral("active_profile_menu_off"));
    display->setFixedSize(200, 30);
    auto *row = new QHBoxLayout(display);
    row->setContentsMargins(10, 5, 10, 5);
    row->setSpacing(0);
    m_image = new QLabel(display);
    m_image->setObjectName(QStringLiteral("label_activeImage"));
    m_image->setFixedSize(20, 20);
    m_image->setProperty("label_type", QStringLiteral("active_profile_menu_label"));
    row->addWidget(m_image);
    row->addSpacerItem(new QSpacerItem(10, 1, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_name = new QLabel(display);
    m_name->setObjectName(QStringLiteral("label_activeName"));
    m_name->setTextFormat(Qt::PlainText);
    m_name->setFixedSize(140, 20);
    m_name->setProperty("label_type", QStringLiteral("active_profile_menu_label"));
    row->addWidget(m_name);
    row->addStretch(1);
    column->addWidget(display);

    for (QWidget *watched : {switchRow, static_cast<QWidget *>(m_manual), static_cast<QWidget *>(m_auto), display})
        watched->installEventFilter(this);

    connect(m_manual, &QPushButton::clicked, this, [this] {
        m_model->setAutoSwitching(false);
        HintsArea::instance()->setContext(manualHint, false);
    });
    connect(m_auto, &QPushButton::clicked, this, [this] {
        m_model->setAutoSwitching(true);
        HintsArea::instance()->setContext(autoHint, false);
    });
    connect(m_model, &SimpleModel::autoSwitchingChanged, this, &ActiveProfileBox::updateAutoSwitching);
    updateAutoSwitching();
}

ActiveProfileBox::~ActiveProfileBox() = default;

void ActiveProfileBox::setActiveName(const QString &name)
{
    m_name->setText(name);
}

void ActiveProfileBox::setActiveImage(const QPixmap &pixmap)
{
    m_image->setPixmap(roundedPixmap(pixmap, m_image->size(), 4));
}

void ActiveProfileBox::updateAutoSwitching()
{
    const bool on = m_model->autoSwitching();
    m_manual->setEnabled(on);
    m_auto->setEnabled(!on);
}

bool ActiveProfileBox::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::Enter;
    if (enter || event->type() == QEvent::Leave) {
        for (QPushButton *button : {m_manual, m_auto}) {
            if (watched == button && button->isEnabled())
                HintsArea::instance()->setContext(button == m_manual ? manualHint : autoHint, enter);
        }
    }
    return QWidget::eventFilter(watched, event);
}
