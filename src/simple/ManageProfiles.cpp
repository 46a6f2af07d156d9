#include "ManageProfiles.h"

#include "ConfigFile.h"
#include "DlgYesNo.h"
#include "InstallScanner.h"
#include "Predefined.h"
#include "PredefinedInstall.h"
#include "PredefinedPlan.h"
#include "ProfileData.h"
#include "RoundedPixmap.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "StyleProperties.h"
#include "ui_ManageProfiles.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int rowHeight = 20;
constexpr int maximumListHeight = 500;
// Ticking boxes from syncChecks toggles them again: one pass at a time.
bool syncing = false;

} // namespace

ManageProfiles::ManageProfiles(QWidget *parent, const QString &modelKey, InstallScannerInterface *scanner)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ManageProfiles>())
    , m_modelKey(modelKey)
    , m_scanner(scanner ? scanner : InstallScanner::instance())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    StyleProperties::set({this, ui->frame, ui->pushButton_cancel, ui->pushButton_detect, ui->pushButton_apply,
                          ui->checkBox_selectAll},
                         StyleProperties::modelKey, modelKey);

    connect(ui->checkBox_selectAll, &QCheckBox::toggled, this, &ManageProfiles::syncChecks);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, [this] { done(0); });
    connect(ui->pushButton_apply, &QPushButton::clicked, this, &ManageProfiles::apply);
    connect(ui->pushButton_detect, &QPushButton::clicked, this, &ManageProfiles::detect);
    fillList();

    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    if (!settings.value("HasBeenRunBefore", false).toBool()) {
        detect();
        // The profiles installed now are saved at once: nothing else would
        // keep them once the program quits.
        if (applyChanges() > 0)
            ConfigFile::instance()->save();
        done(1);
        settings.setValue("HasBeenRunBefore", true);
    }
}

ManageProfiles::~ManageProfiles() = default;

void ManageProfiles::fillList()
{
    const QList<PredefinedProfileInfo> infos = Predefined::instance()->profileInfos();
    for (const PredefinedProfileInfo &info : infos) {
        QWidget *row = addRow(ui->scrollAreaWidgetContents, QPixmap(Predefined::logoFile(info.name)), info.name, true,
                              m_modelKey);
        ui->verticalLayout_area->addWidget(row);
        // The list grows with its rows up to a height, and scrolls beyond it.
        if (ui->scrollArea->height() < maximumListHeight)
            ui->scrollArea->setFixedHeight(ui->scrollArea->height() + ui->verticalLayout_area->spacing()
                                           + row->height());
    }
    // "Select All" starts as the rows are.
    syncChecks(false);
}

QWidget *ManageProfiles::addRow(QWidget *parent, const QPixmap &icon, const QString &name, bool withCheck,
                                const QString &modelKey)
{
    auto *row = new QWidget(parent);
    row->setFixedHeight(rowHeight);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto *iconLabel = new QLabel(row);
    iconLabel->setFixedSize(20, 20);
    iconLabel->setPixmap(icon.isNull() ? QPixmap(QStringLiteral(":/pic/simple_mode/v/profile_bar/noimage_20.png"))
                                       : roundedPixmap(icon, QSize(20, 20), 4));
    layout->addWidget(iconLabel);

    auto *nameLabel = new QLabel(name, row);
    nameLabel->setProperty("label_type", QStringLiteral("manage_profile"));
    nameLabel->setProperty(StyleProperties::modelKey, modelKey);
    layout->addWidget(nameLabel);
    layout->addSpacerItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));

    if (withCheck) {
        auto *box = new QCheckBox(row);
        box->setObjectName(name);
        box->setFixedSize(20, 20);
        box->setProperty("check_type", QStringLiteral("dialog"));
        box->setProperty(StyleProperties::modelKey, modelKey);
        const QList<ProfileData *> existing = SimpleModel::instance()->userProfiles();
        box->setChecked(std::any_of(existing.cbegin(), existing.cend(),
                                    [&name](const ProfileData *profile) { return profile->name == name; }));
        layout->addWidget(box);
        m_boxes.append(box);
        connect(box, &QCheckBox::toggled, this, &ManageProfiles::syncChecks);
    }
    return row;
}

void ManageProfiles::syncChecks(bool isChecked)
{
    if (syncing)
        return;
    syncing = true;
    if (sender() == ui->checkBox_selectAll) {
        for (QCheckBox *box : qAsConst(m_boxes))
            box->setChecked(isChecked);
    }
    ui->checkBox_selectAll->setChecked(
        std::all_of(m_boxes.cbegin(), m_boxes.cend(), [](const QCheckBox *box) { return box->isChecked(); }));
    syncing = false;
}

void ManageProfiles::detect()
{
    const QStringList names = m_scanner->installedAppNames();
    for (QCheckBox *box : qAsConst(m_boxes)) {
        if (names.contains(box->objectName()))
            box->setChecked(true);
    }
}

void ManageProfiles::apply()
{
    if (applyChanges() >= 0)
        done(1);
}

int ManageProfiles::applyChanges()
{
    QMap<QString, bool> ticks;
    for (const QCheckBox *box : qAsConst(m_boxes))
        ticks.insert(box->objectName(), box->isChecked());
    SimpleModel *model = SimpleModel::instance();
    const PredefinedPlan plan = PredefinedPlan::make(ticks, model->userProfiles());

    if (!plan.removals.isEmpty()) {
        auto *rows = new QVBoxLayout;
        rows->addSpacing(10);
        for (const ProfileData *profile : plan.removals) {
            rows->addWidget(addRow(nullptr, QPixmap(Predefined::logoFile(profile->name)), profile->name, false,
                                   QStringLiteral("pelkin")));
            rows->addSpacing(3);
        }
        DlgYesNo question(this, tr("The following profiles will be removed and restored to their defaults:"),
                          QString(), QString(), m_modelKey, rows);
        if (question.exec() != 1)
            return -1;
        // Deleting a top-level profile takes its sub-profiles with it.
        QList<QPointer<ProfileData>> removals;
        for (ProfileData *profile : plan.removals)
            removals.append(profile);
        for (const QPointer<ProfileData> &profile : qAsConst(removals)) {
            if (!profile)
                continue;
            qInfo().noquote() << "ManageProfiles: delete" << profile->name;
            model->deleteProfile(profile);
        }
    }

    int added = 0;
    for (const QString &name : plan.additions) {
        qInfo().noquote() << "ManageProfiles: add" << name;
        switch (PredefinedInstall::install(name)) {
        case PredefinedInstall::Added: ++added; break;
        case PredefinedInstall::NoFolder:
            qWarning() << "ManageProfiles: no predefined folder names" << name << "- skipped";
            break;
        case PredefinedInstall::NotLoaded: break;
        }
    }
    if (added > 0)
        emit ConfigFile::instance()->saved(true);
    return added;
}
