#include "ActionLayer.h"

#include "HintsArea.h"
#include "InputBar.h"
#include "OutputBar.h"
#include "StyleProperties.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>

ActionLayer::ActionLayer(InputMapActionConfig *mapping, int depth, const QString &modelKey, bool openEditor,
                         QWidget *parent)
    : QWidget(parent)
    , m_mapping(mapping)
    , m_keep(mapping ? mapping->weak_from_this().lock() : InputMapPtr())
    , m_depth(depth)
    , m_layout(new QHBoxLayout(this))
{
    setFixedHeight(40);
    m_layout->setContentsMargins(0, 0, 8, 0);
    m_layout->setSpacing(0);

    if (depth > 0) {
        m_indent = new QWidget(this);
        m_indent->setObjectName(QStringLiteral("indent"));
        m_indent->setFixedSize(depth * 60, 40);
        m_indent->installEventFilter(this);
        auto *indentLayout = new QHBoxLayout(m_indent);
        indentLayout->setContentsMargins(0, 0, 0, 0);
        indentLayout->setSpacing(0);
        indentLayout->addSpacerItem(new QSpacerItem(depth * 20, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));
        auto *horizontal = new QFrame(m_indent);
        horizontal->setFixedHeight(1);
        horizontal->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        horizontal->setProperty("frame_type", QStringLiteral("tip_h_line"));
        horizontal->setProperty(StyleProperties::modelKey, modelKey);
        indentLayout->addWidget(horizontal);
        // The connector from the row above: down, then across to the bar.
        auto *vertical = new QFrame(m_indent);
        vertical->setGeometry(depth * 20, 0, 1, 19);
        vertical->setProperty("frame_type", QStringLiteral("tip_v_line"));
        vertical->setProperty(StyleProperties::modelKey, modelKey);
        m_deleteButton = new QPushButton(m_indent);
        m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
        m_deleteButton->setGeometry(depth * 20 + 10, 9, 21, 21);
        m_deleteButton->setProperty("button_type", QStringLiteral("common"));
        m_deleteButton->setProperty("button_style", QStringLiteral("delete_input"));
        m_deleteButton->setProperty(StyleProperties::modelKey, modelKey);
        m_deleteButton->hide();
        connect(m_deleteButton, &QPushButton::clicked, this, &ActionLayer::deleteMe);
        m_layout->addWidget(m_indent);
    }

    m_inputBar = new InputBar(mapping, modelKey, openEditor, this);
    m_inputBar->setFixedHeight(40);
    m_inputBar->setProperty(StyleProperties::modelKey, modelKey);
    m_inputBar->installEventFilter(this);
    m_layout->addWidget(m_inputBar);
    m_layout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));

    m_outputBar = new OutputBar(mapping, modelKey, true, this);
    m_outputBar->setFixedHeight(40);
    m_outputBar->setMinimumWidth(300);
    m_outputBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_outputBar->setProperty("frame_type", QStringLiteral("output_container"));
    m_outputBar->setProperty(StyleProperties::modelKey, modelKey);
    m_outputBar->installEventFilter(this);
    m_layout->addWidget(m_outputBar);

    m_layout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));
    m_rightSpacer = new QSpacerItem(12, 1, QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_layout->addSpacerItem(m_rightSpacer);

    connect(m_inputBar, &InputBar::shown, m_outputBar, &QWidget::hide);
    connect(m_inputBar, &InputBar::hidden, m_outputBar, &QWidget::show);
    connect(m_inputBar, &InputBar::configChanged, this, &ActionLayer::syncConfig);
    connect(m_outputBar, &OutputBar::configChanged, this, &ActionLayer::syncConfig);
    if (openEditor)
        m_outputBar->hide();
}

ActionLayer::~ActionLayer()
{
    // The bars point at the mapping this row keeps: they go first.
    delete m_outputBar;
    delete m_inputBar;
}

void ActionLayer::setScrollBarShown(bool shown)
{
    m_rightSpacer->changeSize(shown ? 0 : 12, 1, QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_layout->invalidate();
}

void ActionLayer::setOutputModel(QStandardItemModel *model, const LibraryEntryList &entries)
{
    m_outputBar->setOutputModel(model, entries);
}

void ActionLayer::pointAt(InputMapActionConfig *config)
{
    m_mapping = config;
    m_keep = config ? config->weak_from_this().lock() : InputMapPtr();
    m_inputBar->syncConfig(config);
    m_outputBar->setConfig(config);
}

void ActionLayer::syncConfig(InputMapActionConfig *config)
{
    const InputMapPtr previousKeep = m_keep;
    InputMapActionConfig *previous = m_mapping;
    pointAt(config);
    emit configChanged(previous, config);
}

bool ActionLayer::eventFilter(QObject *watched, QEvent *event)
{
    const bool entered = event->type() == QEvent::Enter;
    if (entered || event->type() == QEvent::Leave) {
        if (watched == m_outputBar)
            HintsArea::instance()->setContext(9, entered);
        else if (m_deleteButton && (watched == m_indent || watched == m_inputBar))
            m_deleteButton->setVisible(entered);
    }
    return QWidget::eventFilter(watched, event);
}
