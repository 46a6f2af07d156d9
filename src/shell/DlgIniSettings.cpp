#include "DlgIniSettings.h"

#include "DefaultProfiles.h"
#include "DlgMessageBox.h"
#include "DlgQuestionMulti.h"
#include "SWUpdate.h"
#include "SettingsCopies.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "StyleProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

struct RowText
{
    const char *key;
    const char *label;
    const char *tooltip;
};

// The label and tooltip of every row, by settings key (translated where
// shown). "Background" is the background row's.
const RowText rowTexts[] = {
    {"Language", QT_TRANSLATE_NOOP("DlgIniSettings", "Language"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Select UI Language. Auto, will match current system language.")},
    {"EnableHighDpiScaling", QT_TRANSLATE_NOOP("DlgIniSettings", "Match Windows display scaling"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Allow app to scale based on Windows display settings. Disable if window is scaled too large.")},
    {"ShowIntroOnLaunch", QT_TRANSLATE_NOOP("DlgIniSettings", "Show Intro on launch"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Display intro prompt when the R7 Control Panel is launched.")},
    {"AutoUpdate", QT_TRANSLATE_NOOP("DlgIniSettings", "Automatically check for updates"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Check for updates on launch, and once every 24 hours.")},
    {"ReleaseChannel", QT_TRANSLATE_NOOP("DlgIniSettings", "Release Channel"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Stable channel recieves updates after they have passed through Beta testing.\nBeta channel "
                       "receives updates early, while they are still in testing.")},
    {"SetViewedAsActive", QT_TRANSLATE_NOOP("DlgIniSettings", "Viewing a profile sets it as active"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Viewing a profile in simple mode also sets it as the active profile on the mouse.")},
    {"SetActiveAsViewed", QT_TRANSLATE_NOOP("DlgIniSettings", "Always display active profile"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "When a new active profile is set by the mouse or by auto profile "
                                         "switching, display that profile in simple mode.")},
    {"ShowGlobal", QT_TRANSLATE_NOOP("DlgIniSettings", "Show Global Profile"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Display the Global Defaults profile in Simple Mode.")},
    {"Background", QT_TRANSLATE_NOOP("DlgIniSettings", "Background"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Apply a custom background image to Simple Mode.")},
    {"ExpertAddRelease", QT_TRANSLATE_NOOP("DlgIniSettings", "Automatically add Release outputs"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "When a Press output is added in Expert Mode automatically create a "
                                         "corresponding Release output if it does not already exist.")},
    {"ExpertViewSideBySide", QT_TRANSLATE_NOOP("DlgIniSettings", "Show output list in second column"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Show mappings and their output list side by side in Expert Mode.")},
    {"ExpertViewShowPressRelease", QT_TRANSLATE_NOOP("DlgIniSettings", "Show Press & Release output lists"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Display both the Press and Release output lists at the same time.")},
    {"VerboseLogging", QT_TRANSLATE_NOOP("DlgIniSettings", "Verbose logging"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Logs additional info to the log.txt file. Only enable when troubleshooting.")},
    {"RecheckAppSwitchTimeout", QT_TRANSLATE_NOOP("DlgIniSettings", "Recheck timer (seconds)"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Every app switch will be rechecked 4 times per second for the chosen duration.\nSet to 0 to "
                       "disable the recheck, or increase the duration if profile switching is getting out of sync.")},
    {"AdminAppDetection", QT_TRANSLATE_NOOP("DlgIniSettings", "Detect admin level apps"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Enables detection of admin level apps for auto profile switching, even when the Control "
                       "Panel is not run as admin.\n Can cause \"TaskList\" errors on system shutdown.")},
    {"R7API", QT_TRANSLATE_NOOP("DlgIniSettings", "Allow profile switching via API"),
     QT_TRANSLATE_NOOP("DlgIniSettings", "Allows third-party apps/scripts to set the active profile.")},
    {"IgnoredApps", QT_TRANSLATE_NOOP("DlgIniSettings", "IgnoredApps (one per line):"),
     QT_TRANSLATE_NOOP("DlgIniSettings",
                       "Any app in the list below will be ignored by the auto profile switching system. Add apps "
                       "here if they are causing your profile to switch when you don't want it to.")},
};

const RowText &textOf(const char *key)
{
    for (const RowText &row : rowTexts) {
        if (qstrcmp(row.key, key) == 0)
            return row;
    }
    static const RowText none = {"", "", ""};
    return none;
}

QSettings settingsFile()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

} // namespace

DlgIniSettings::DlgIniSettings(QWidget *parent, const QString &mode, SWUpdate *update)
    : QDialog(parent, Qt::FramelessWindowHint)
    , mode(mode)
    , swUpdate(update)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setupUi(this);
    frame->setProperty(StyleProperties::modelKey, mode);
    frame->setMinimumWidth(370);

    label->setProperty(StyleProperties::modelKey, mode);
    label->setProperty("label_type", "manage_profile_title");
    label->setText(tr("R7 Control Panel Settings\n"));
    QLabel *notice = newLabel(tr("Most of these settings require an app restart to take effect."), "manage_profile");
    notice->setWordWrap(true);
    verticalLayout_2->addWidget(notice);
    verticalLayout_2->addSpacing(25);

    btn_yes->setText(tr("Apply"));
    btn_no->setText(tr("Cancel"));
    StyleProperties::set({btn_yes, btn_no}, StyleProperties::modelKey, mode);
    connect(btn_yes, &QPushButton::clicked, this, &DlgIniSettings::apply);
    connect(btn_no, &QPushButton::clicked, this, &QDialog::reject);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    left->setSpacing(0);
    right->setSpacing(0);
    columns->addLayout(left);
    columns->addSpacing(50);
    columns->addLayout(right);
    verticalLayout_2->addLayout(columns);

    addSectionTitle(left, tr("General:"));
    addComboRow(left, "Language", languages, "Auto");
    addCheckBoxRow(left, "EnableHighDpiScaling");
    addCheckBoxRow(left, "ShowIntroOnLaunch");
    addCheckBoxRow(left, "AutoUpdate");
    QStringList channels = {"Stable", "Beta"};
    const QString storedChannel = settingsFile().value("ReleaseChannel", "Stable").toString();
    if (storedChannel == QLatin1String("Alpha"))
        channels << "Alpha";
    else if (storedChannel == QLatin1String("V3Alpha"))
        channels << "Alpha"
                 << "V3Alpha";
    addComboRow(left, "ReleaseChannel", channels, "Stable");
    channelCombo = comboBoxes.last();
    channelCombo->installEventFilter(this);
    left->addSpacing(25);

    addSectionTitle(left, tr("Simple Mode:"));
    addCheckBoxRow(left, "SetViewedAsActive");
    addCheckBoxRow(left, "SetActiveAsViewed");
    addCheckBoxRow(left, "ShowGlobal");
    addBackgroundRow(left);
    left->addSpacing(25);

    addSectionTitle(left, tr("Expert Mode:"));
    addCheckBoxRow(left, "ExpertAddRelease");
    addCheckBoxRow(left, "ExpertViewSideBySide");
    addCheckBoxRow(left, "ExpertViewShowPressRelease");
    left->addSpacing(25);

    addSectionTitle(left, tr("Debug:"));
    addCheckBoxRow(left, "VerboseLogging");
    addDebugButtons(left);
    left->addStretch();

    addSectionTitle(right, QStringLiteral("App Detection Settings:"));
    addComboRow(right, "RecheckAppSwitchTimeout", {"0", "1", "2", "3", "4", "5"}, "1");
    addCheckBoxRow(right, "AdminAppDetection");
    addCheckBoxRow(right, "R7API");
    addIgnoredApps(right);

    frame->setMinimumWidth(700);
}

DlgIniSettings::~DlgIniSettings() = default;

QLabel *DlgIniSettings::newLabel(const QString &text, const char *labelType)
{
    auto *newOne = new QLabel(text, frame);
    newOne->setProperty("label_type", labelType);
    newOne->setProperty(StyleProperties::modelKey, mode);
    return newOne;
}

QPushButton *DlgIniSettings::newButton(const QString &text, const QString &objectName)
{
    auto *button = new QPushButton(text, frame);
    button->setObjectName(objectName);
    button->setProperty("button_type", "dialog");
    button->setProperty(StyleProperties::modelKey, mode);
    button->setMaximumHeight(20);
    return button;
}

void DlgIniSettings::addSectionTitle(QVBoxLayout *column, const QString &title)
{
    column->addWidget(newLabel(title, "manage_profile_title"));
}

QHBoxLayout *DlgIniSettings::addRow(QVBoxLayout *column, const char *key)
{
    const RowText &text = textOf(key);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 5, 0, 5);
    QLabel *rowLabel = newLabel(tr(text.label), "manage_profile");
    rowLabel->setToolTip(tr(text.tooltip));
    row->addWidget(rowLabel);
    row->addStretch();
    column->addLayout(row);
    return row;
}

void DlgIniSettings::addCheckBoxRow(QVBoxLayout *column, const char *key)
{
    QHBoxLayout *row = addRow(column, key);
    auto *box = new QCheckBox(frame);
    box->setObjectName(key);
    box->setFixedSize(20, 20);
    box->setProperty("check_type", "dialog");
    box->setProperty(StyleProperties::modelKey, mode);
    box->setToolTip(tr(textOf(key).tooltip));
    box->setChecked(settingsFile().value(key, false).toBool());
    row->addWidget(box);
    checkBoxes.append(box);
}

void DlgIniSettings::addComboRow(QVBoxLayout *column, const char *key, const QStringList &items,
                                 const QString &fallback)
{
    QHBoxLayout *row = addRow(column, key);
    auto *combo = new QComboBox(frame);
    combo->setObjectName(key);
    combo->setProperty("combo_type", "input");
    combo->setProperty(StyleProperties::modelKey, mode);
    combo->setMinimumHeight(20);
    combo->setToolTip(tr(textOf(key).tooltip));
    combo->addItems(items);
    combo->setCurrentIndex(qMax(0, combo->findText(settingsFile().value(key, fallback).toString())));
    row->addWidget(combo);
    comboBoxes.append(combo);
}

void DlgIniSettings::addBackgroundRow(QVBoxLayout *column)
{
    QHBoxLayout *row = addRow(column, "Background");
    QPushButton *custom = newButton(tr("Set Custom"), "pushButton_setCustom");
    custom->setToolTip(tr("Select a custom image to use as a background in Simple Mode."));
    QPushButton *standard = newButton(tr("Default"), "pushButton_default");
    standard->setToolTip(tr("Restore the default background image"));
    row->addWidget(custom);
    row->addStretch();
    row->addWidget(standard);
    connect(custom, &QPushButton::clicked, this, &DlgIniSettings::chooseCustomBackground);
    connect(standard, &QPushButton::clicked, this, &DlgIniSettings::removeCustomBackground);
}

void DlgIniSettings::addDebugButtons(QVBoxLayout *column)
{
    auto *row = new QHBoxLayout;
    QPushButton *copyLog = newButton(tr("Copy Log to Desktop"), "pushButton_copyLog");
    QPushButton *loadDefaults = newButton(tr("Load Default Profiles"), "pushButton_loadDefaults");
    for (QPushButton *button : {copyLog, loadDefaults})
        button->setSizePolicy(QSizePolicy::Expanding, button->sizePolicy().verticalPolicy());
    row->addWidget(copyLog);
    row->addSpacing(10);
    row->addWidget(loadDefaults);
    column->addLayout(row);
    connect(copyLog, &QPushButton::clicked, this, &DlgIniSettings::copyLogToDesktop);
    connect(loadDefaults, &QPushButton::clicked, this, &DlgIniSettings::loadDefaultProfiles);
}

void DlgIniSettings::addIgnoredApps(QVBoxLayout *column)
{
    const RowText &text = textOf("IgnoredApps");
    QLabel *title = newLabel(tr(text.label), "manage_profile");
    title->setToolTip(tr(text.tooltip));
    column->addWidget(title);
    ignoredAppsEdit = new QPlainTextEdit(frame);
    ignoredAppsEdit->setObjectName("IgnoredApps");
    ignoredAppsEdit->setProperty(StyleProperties::modelKey, mode);
    ignoredAppsEdit->setToolTip(tr(text.tooltip));
    ignoredAppsEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ignoredAppsEdit->setPlaceholderText(
        tr("Add names of apps to ignore, e.g. \"chrome.exe\" (without quotes).\nOne app per line."));
    ignoredAppsEdit->setPlainText(settingsFile().value("IgnoredApps").toStringList().join('\n'));
    column->addWidget(ignoredAppsEdit);
}

void DlgIniSettings::apply()
{
    QSettings settings = settingsFile();
    for (const QCheckBox *box : qAsConst(checkBoxes))
        settings.setValue(box->objectName(), box->isChecked());
    for (const QComboBox *combo : qAsConst(comboBoxes)) {
        settings.setValue(combo->objectName(), combo->currentText());
        if (combo == channelCombo && swUpdate)
            swUpdate->switchChannel(combo->currentText());
    }
    settings.setValue("IgnoredApps", ignoredAppsEdit->toPlainText().split('\n', Qt::KeepEmptyParts));
    accept();
}

bool DlgIniSettings::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == channelCombo && event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        const QString hidden = button == Qt::MiddleButton ? "Alpha" : button == Qt::BackButton ? "V3Alpha" : "";
        if (!hidden.isEmpty() && channelCombo->findText(hidden) < 0)
            channelCombo->addItem(hidden);
    }
    // Never consumed: the list opens as for any press.
    return QDialog::eventFilter(watched, event);
}

void DlgIniSettings::showMessage(QWidget *parent, const QString &text)
{
    DlgMessageBox(parent, text, mode).exec();
}

void DlgIniSettings::copyLogToDesktop()
{
    QString reason;
    if (SettingsCopies::copyLogToDesktop(&reason)) {
        showMessage(this, tr("Log.txt copied to desktop."));
        return;
    }
    qWarning().noquote() << "DlgIniSettings: Error copying file to desktop -" << reason;
    showMessage(this, tr("Copy failed.\nIf a log.txt file already exists on your desktop please move, delete, or "
                         "rename it."));
}

void DlgIniSettings::loadDefaultProfiles()
{
    DlgQuestionMulti question(
        this,
        tr("Warning: Loading the default profiles will delete all current profiles from the\nR7 Control Panel and "
           "restore only the default Global and Desktop profiles.\n\nOther predefined profiles can also be reloaded "
           "in their default state using the\nManage Profiles button, but all custom profiles will be lost."),
        {tr("Load Default Profiles")}, tr("Cancel"), mode);
    if (question.exec() != QDialog::Accepted)
        return;
    // A starter file that cannot be loaded changes nothing: the profiles
    // stay, and neither the working file nor the mouse is touched.
    if (!DefaultProfiles::replaceWithStarter()) {
        showMessage(parentWidget(), tr("Starter Mappings were not loaded. The file is missing\nor corrupted. "
                                       "Reinstall application to load\nStarter Mappings."));
        return;
    }
    emit dataUpdated();
    DefaultProfiles::saveAndUpload();
}

void DlgIniSettings::chooseCustomBackground()
{
    const QString previous = settingsFile().value("CustomBackground", "").toString();
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Select image"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        tr("Images (*.png *.bmp *.jpg *.jpeg)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty())
        return;
    QString target;
    QString reason;
    if (SettingsCopies::copyBackground(chosen, previous, &target, &reason)) {
        emit setCustomBackground(target);
        return;
    }
    qWarning().noquote() << "DlgIniSettings: Error copying background -" << reason;
    showMessage(this, tr("Failed to set background.\nUnable to copy background image to AppData\\Local\\Corvanelle "
                         "R7 Control Panel."));
}
