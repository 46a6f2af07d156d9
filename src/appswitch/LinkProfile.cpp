#include "LinkProfile.h"

#include "AppIdentifier.h"
#include "DlgYesNo.h"
#include "ForegroundWrapper.h"
#include "StyleProperties.h"
#include "ui_LinkProfile.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QStandardPaths>

namespace {

const QString frameHostName = QStringLiteral("ApplicationFrameHost.exe");
const QString exeSuffix = QStringLiteral(".exe");
constexpr int rowHeight = 20;
constexpr int iconSize = 15;
constexpr int maximumListHeight = 500;

// The name up to its first ".exe" (letter case counts), the whole name without one.
QString nameBeforeExe(const QString &fileName)
{
    const int suffix = fileName.indexOf(exeSuffix);
    return suffix < 0 ? fileName : fileName.left(suffix);
}

} // namespace

LinkProfile::LinkProfile(QWidget *parent, const QStringList &linkedApps, const QString &profileName,
                         const QString &modelKey)
    : QDialog(parent)
    , ui(std::make_unique<Ui::LinkProfile>())
    , modelKey(modelKey)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    StyleProperties::set({this, ui->frame, ui->pushButton_cancel, ui->pushButton_browse, ui->pushButton_link_selected},
                         StyleProperties::modelKey, modelKey);

    ui->label->setTextFormat(Qt::PlainText);
    ui->label->setText(tr("Link App to ") + (profileName.isEmpty() ? QStringLiteral("new") : profileName)
                       + tr(" profile"));

    connect(ui->pushButton_cancel, &QPushButton::clicked, this, [this] { done(0); });
    connect(ui->pushButton_link_selected, &QPushButton::clicked, this, &LinkProfile::linkSelected);
    connect(ui->pushButton_browse, &QPushButton::clicked, this, &LinkProfile::browse);

    auto *instruction = new QLabel(tr("Select from open Apps, or browse for .exe:"), ui->scrollAreaWidgetContents);
    instruction->setProperty("label_type", QStringLiteral("manage_profile"));
    instruction->setProperty(StyleProperties::modelKey, modelKey);
    instruction->setMaximumWidth(294);
    ui->verticalLayout_area->addWidget(instruction);

    collectOpenApps(linkedApps);
    for (auto app = openApps.cbegin(); app != openApps.cend(); ++app)
        addRow(app.key(), app.value());
}

LinkProfile::~LinkProfile() = default;

void LinkProfile::collectOpenApps(const QStringList &linkedApps)
{
    AppIdentifier &identifier = ForegroundWrapper::instance()->identifier();
    WindowSystem &windows = identifier.windowSystem();
    // Every managed window counts as visible: minimised ones are still open.
    const QVector<WindowSystem::WindowId> managed = windows.topLevelWindows();
    for (const WindowSystem::WindowId window : managed) {
        const quint32 processId = windows.windowProcessId(window);
        if (processId == 0)
            continue;
        QString name = identifier.identifyApp(processId);
        if (name == frameHostName)
            name = identifier.findUwpChildApp(processId, window);
        if (name.isEmpty() || openApps.contains(name))
            continue;
        // The icon of the window's own program, so a store application shows the frame host's.
        openApps.insert(name, identifier.appIcon(window));
    }
    openApps.remove(QStringLiteral("svchost.exe"));
    openApps.remove(QStringLiteral("TextInputHost.exe"));
    for (const QString &linked : linkedApps)
        openApps.remove(linked);
}

void LinkProfile::addRow(const QString &app, const QIcon &icon)
{
    auto *row = new QWidget(ui->scrollAreaWidgetContents);
    row->setFixedHeight(rowHeight);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto *iconLabel = new QLabel(row);
    iconLabel->setPixmap(icon.pixmap(iconSize, iconSize));
    layout->addWidget(iconLabel);

    auto *nameLabel = new QLabel(QString(app).remove(exeSuffix, Qt::CaseInsensitive), row);
    nameLabel->setTextFormat(Qt::PlainText);
    nameLabel->setProperty("label_type", QStringLiteral("manage_profile"));
    nameLabel->setProperty(StyleProperties::modelKey, modelKey);
    nameLabel->setMaximumWidth(250);
    layout->addWidget(nameLabel);

    layout->addSpacerItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));

    auto *box = new QCheckBox(row);
    box->setObjectName(app);
    box->setFixedSize(20, 20);
    box->setProperty("check_type", QStringLiteral("dialog"));
    box->setProperty(StyleProperties::modelKey, modelKey);
    layout->addWidget(box);

    addToList(row);
    checkBoxes.append(box);
}

void LinkProfile::addToList(QWidget *row)
{
    ui->verticalLayout_area->addWidget(row);
    // The list grows with its rows up to a height, and scrolls beyond it.
    if (ui->scrollArea->height() < maximumListHeight)
        ui->scrollArea->setFixedHeight(ui->scrollArea->height() + ui->verticalLayout_area->spacing() + row->height());
}

void LinkProfile::choose(const QString &fileName, const QIcon &icon)
{
    m_chosenIcon = icon;
    m_chosenName = nameBeforeExe(fileName);
    emit linkApp(fileName, fileName, false);
}

void LinkProfile::linkSelected()
{
    for (QCheckBox *box : qAsConst(checkBoxes)) {
        const QString app = box->objectName();
        const QIcon icon = openApps.take(app);
        if (box->isChecked())
            choose(app, icon);
    }
    done(1);
}

void LinkProfile::browse()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    for (;;) {
        // The toolkit's own dialog, the same on every desktop.
        QFileDialog files(this, tr("Select app"), desktop);
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setFileMode(QFileDialog::ExistingFile);
        // Programs here have no suffix: every file comes first.
        files.setNameFilters({tr("All files (*)"), QStringLiteral("*.exe")});
        if (files.exec() != QDialog::Accepted)
            return;
        const QString path = files.selectedFiles().value(0);
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            choose(QFileInfo(path).fileName(), QFileIconProvider().icon(QFileInfo(path)));
            done(1);
            return;
        }
        DlgYesNo question(this,
                          tr("Unable to retrieve an app location from the selected file. If you selected a shortcut "
                             "try linking the app directly instead.\n\nWould you like try selecting another file?\n"),
                          QString(), QString(), modelKey, nullptr);
        question.setFixedWidth(500);
        if (question.exec() == QDialog::Rejected)
            return;
    }
}
