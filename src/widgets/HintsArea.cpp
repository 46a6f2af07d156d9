#include "HintsArea.h"

#include "SettingsFile.h"
#include "StyleProperties.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>

namespace {

QPointer<HintsArea> bar;
int baseContext = 0;

const char *const hints[] = {
    QT_TRANSLATE_NOOP("HintsArea", "Click on any mouse button or its currently\nassigned action to reconfigure it."),
    QT_TRANSLATE_NOOP("HintsArea", "Left click a profile to view or edit its button actions.\nRight click to modify "
                                   "its general settings or delete it."),
    QT_TRANSLATE_NOOP("HintsArea", "Active profile will switch automatically\nwhen a linked application has focus."),
    QT_TRANSLATE_NOOP("HintsArea", "Use the dropdown to lock\nyour mouse to a specific profile."),
    QT_TRANSLATE_NOOP("HintsArea", "Click to enable auto profile switching."),
    QT_TRANSLATE_NOOP("HintsArea", "Click to disable auto profile switching\nso you can lock to a specific profile."),
    QT_TRANSLATE_NOOP("HintsArea", "Click to create a new profile."),
    QT_TRANSLATE_NOOP("HintsArea", "Click to manage predefined profiles."),
    QT_TRANSLATE_NOOP("HintsArea", "Use the dropdown list to select a predefined action.\nOr click the keyboard icon "
                                   "to record a custom action."),
    QT_TRANSLATE_NOOP("HintsArea", "Type here to filter actions in the list.\nThen click to select one and press Save "
                                   "to apply it."),
    QT_TRANSLATE_NOOP("HintsArea", "You can choose an action from the list."),
    QT_TRANSLATE_NOOP("HintsArea", "Click to add an extra action to this button."),
};
constexpr int hintCount = int(sizeof(hints) / sizeof(hints[0]));

const char *const labelStyle = "label_style";

} // namespace

HintsArea *HintsArea::instance()
{
    if (!bar) {
        bar = new HintsArea;
        // Runs first thing in the application object's destructor.
        qRemovePostRoutine(&HintsArea::destroyInstance);
        qAddPostRoutine(&HintsArea::destroyInstance);
    }
    return bar;
}

void HintsArea::destroyInstance()
{
    delete bar.data();
}

HintsArea::HintsArea()
    : m_label(new QLabel(this))
    , m_closeButton(new QPushButton(m_label))
{
    setAttribute(Qt::WA_TranslucentBackground);

    m_label->setProperty("label_type", QStringLiteral("hints"));
    m_label->setFixedSize(400, 60);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->installEventFilter(this);

    m_closeButton->setProperty("button_type", QStringLiteral("common"));
    m_closeButton->setProperty("button_style", QStringLiteral("hints_close"));
    m_closeButton->setGeometry(372, 7, 20, 20); // near the label's top-right corner
    m_closeButton->hide();
    connect(m_closeButton, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 10, 0, 10);
    layout->addItem(new QSpacerItem(1, 30, QSizePolicy::Expanding, QSizePolicy::Fixed));
    layout->addWidget(m_label);
    layout->addItem(new QSpacerItem(1, 30, QSizePolicy::Expanding, QSizePolicy::Fixed));

    // Hidden only when the user turned hints off and the program has been
    // opened since it was installed or upgraded. A shown bar appears with the
    // view that places it; shown now, it would be a window of its own.
    const QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    const bool display = settings.value(QStringLiteral("DisplayHints"), true).toBool()
                         || !settings.value(QStringLiteral("HasBeenOpenedSinceInstallOrUpgrade"), false).toBool();
    if (!display)
        hide();

    m_label->setProperty(labelStyle, QVariant());
    StyleProperties::repolish(m_label);
    m_label->setText(hintText(baseContext));
}

HintsArea::~HintsArea() = default;

QString HintsArea::hintText(int context)
{
    if (context < 0 || context >= hintCount)
        return QString();
    return tr(hints[context]);
}

void HintsArea::setContext(int context, bool isHovered)
{
    if (isHovered) {
        m_label->setProperty(labelStyle, QStringLiteral("hints_hover"));
    } else {
        m_label->setProperty(labelStyle, QVariant());
        context = baseContext;
    }
    StyleProperties::repolish(m_label);
    m_label->update();
    m_label->setText(hintText(context));
    if (context == 0 || context == 8)
        baseContext = context;
}

bool HintsArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label) {
        if (event->type() == QEvent::Enter)
            m_closeButton->show();
        else if (event->type() == QEvent::Leave)
            m_closeButton->hide();
    }
    return QWidget::eventFilter(watched, event);
}
