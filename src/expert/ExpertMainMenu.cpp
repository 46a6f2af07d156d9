#include "ExpertMainMenu.h"

#include "CalibrationProgress.h"
#include "ComboBox.h"
#include "ConfigFile.h"
#include "CustomMessageBox.h"
#include "DisplayText.h"
#include "DlgIniSettings.h"
#include "FWUpdate.h"
#include "ForceCalibration.h"
#include "LoadingGuard.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfileSelect.h"
#include "ProfilesView.h"
#include "SWUpdate.h"
#include "SettingsFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <optional>

using namespace ExpertMenuActions;

namespace {

constexpr int noIndex = 255;
constexpr int globalEntry = 1;
// CustomMessageBox::exec() of the first and the second button.
constexpr int firstButton = 2;
constexpr int secondButton = 1;

// The window's texts, translated where the window's form is.
QString trWindow(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

ConfigFile::Selection flagsOf(const QList<bool> &ticked)
{
    ConfigFile::Selection flags;
    for (bool on : ticked)
        flags.append(on ? 1 : 0);
    return flags;
}

} // namespace

ExpertMainMenu::ExpertMainMenu(Window window, QObject *parent)
    : QObject(parent)
    , m_window(std::move(window))
{
    if (!m_window.openFile)
        m_window.openFile = openFileDialog();
    if (!m_window.saveFile)
        m_window.saveFile = saveFileDialog();
    if (!m_window.openFirmware)
        m_window.openFirmware = openFirmwareDialog();
    if (!m_window.openUrl)
        m_window.openUrl = desktopUrlOpener();
}

ExpertMainMenu::~ExpertMainMenu() = default;

QString ExpertMainMenu::modelKey(int mousePID)
{
    if (mousePID == 10)
        return QStringLiteral("tamsel");
    if (mousePID == 20)
        return QStringLiteral("pelkin");
    return QStringLiteral("v");
}

void ExpertMainMenu::handle(int item)
{
    switch (item) {
    case SettingsDialog:
        settingsDialog();
        break;
    case StoreInFlash:
        storeInFlash();
        break;
    case ExportProfiles:
        exportProfiles();
        break;
    case ImportProfiles:
        importProfiles();
        break;
    case ResetProfiles:
        resetProfiles();
        break;
    case CalibrateTilt:
        tiltCalibration();
        break;
    case CalibrateForce:
        forceCalibration();
        break;
    case CheckForUpdates:
        if (m_window.update)
            m_window.update->checkNow();
        break;
    case Introduction:
    case ReleaseNotes:
        openHelpArticle(item, m_window.update ? m_window.update->channel() : 3, m_window.openUrl);
        break;
    case UploadFirmware:
        uploadFirmware();
        break;
    default:
        break;
    }
}

void ExpertMainMenu::run(const std::function<void()> &step) const
{
    if (step)
        step();
}

void ExpertMainMenu::tell(const QString &text)
{
    CustomMessageBox box(m_window.window, text, trWindow("Ok"), QString(), QString());
    box.exec();
}

void ExpertMainMenu::setBoxEntry(int entry)
{
    QComboBox *box = m_window.activeBox;
    if (!box)
        return;
    // The window's box is a ComboBox, whose own setCurrentIndex also moves
    // its pop-up's check.
    if (auto *combo = qobject_cast<ComboBox *>(box))
        combo->setCurrentIndex(entry);
    else
        box->setCurrentIndex(entry);
}

void ExpertMainMenu::clearForLoading()
{
    setBoxEntry(globalEntry);
    m_window.strip->clear();
    m_window.tree->clearProfiles(true);
}

void ExpertMainMenu::rebuildTree(bool withGlobal)
{
    m_window.tree->syncWithProfiles();
    m_window.tree->reloadProfiles(withGlobal);
}

// ------------------------------------------------------------------ items

void ExpertMainMenu::settingsDialog()
{
    DlgIniSettings dialog(m_window.window, modelKey(MouseFunctions::instance()->mousePID()), m_window.update);
    dialog.exec();
}

void ExpertMainMenu::storeInFlash()
{
    const bool on = m_window.connectionOn && m_window.connectionOn();
    std::optional<MouseFunctions::UploadResult> upload;
    if (on && m_window.save)
        upload = m_window.save().upload;
    // A save that asked for no upload has not reached the mouse either.
    const FlashResult result = ExpertMenuActions::storeInFlash(
        on, upload.value_or(MouseFunctions::UploadSkipped), MouseFunctions::instance());
    tell(flashMessage(result));
}

void ExpertMainMenu::exportProfiles()
{
    const QStringList names = m_window.tree->activeProfileNames();
    ProfileSelect select(names, ProfileSelect::Export, false, m_window.window);
    if (select.exec() != QDialog::Accepted)
        return;
    const QString path = m_window.saveFile(trWindow("Save As"),
                                           ConfigFile::documentsFolder() + "/Corvanelle Configuration.kvlf", "*.kvlf");
    if (path.isEmpty())
        return;
    if (!ConfigFile::instance()->saveToFile(path, flagsOf(select.selection())))
        tell(trWindow("The profiles could not be written to\n%1").arg(DisplayText::forRichText(path)));
}

void ExpertMainMenu::importProfiles()
{
    const QString path = m_window.openFile(trWindow("Open"), ConfigFile::documentsFolder(), "*.kvlf");
    if (path.isEmpty())
        return;
    ConfigFile *file = ConfigFile::instance();
    bool hasGlobal = false;
    const QStringList names = file->profileNamesInFile(path, &hasGlobal);
    ProfileSelect select(names, ProfileSelect::Import, hasGlobal, m_window.window);
    if (select.exec() != QDialog::Accepted)
        return;
    QList<bool> ticked = select.selection();
    // The dialog is accepted also when the user declined to overwrite the
    // own global profile: then the file's global profile stays out.
    if (hasGlobal && !ticked.isEmpty() && ticked.first() && !select.overwriteGlobal())
        ticked.first() = false;
    if (!ticked.contains(true))
        return;
    const bool withGlobal = hasGlobal && ticked.first();

    // What was there is read again from the working file; one that cannot be
    // written (the store tells the user) would lose it.
    if (!file->save())
        return;

    bool merge = true;
    if (withGlobal) {
        CustomMessageBox question(m_window.window,
                                  trWindow("Would you like to merge these with the current\n"
                                     "mappings, or clear existing mappings first?"),
                                  trWindow("Clear Current, and Import"), trWindow("Merge Mappings"), QString());
        question.setButtonWidths(210, 140, 0);
        merge = question.exec() == secondButton;
    }

    PackageCreator *model = PackageCreator::instance();
    int boxEntry = m_window.activeBox ? m_window.activeBox->currentIndex() : globalEntry;
    bool read = false;
    {
        LoadingGuard loading(model);
        int index = noIndex;
        int subIndex = noIndex;
        if (const ProfileData *current = model->currentProfile(); current && current != model->globalProfile()) {
            index = current->index;
            subIndex = current->subIndex;
        }
        clearForLoading();

        ConfigFile::Selection selection = flagsOf(ticked);
        if (withGlobal) {
            m_window.tree->setCurrentGlobal();
            read = file->loadFile(path, true, selection);
            // A file that does not read leaves the model as it was, that is
            // empty after the clearing: the saved profiles come back.
            if (!read && !merge)
                file->reloadSaveFileAt(0, index, subIndex);
            if (merge) {
                // The file's profiles come first; the earlier ones follow
                // them, each group moved down by the top-level profiles read,
                // the box's entry by every profile read.
                const QList<ProfileData *> imported = model->profiles();
                const int topLevel = int(std::count_if(imported.cbegin(), imported.cend(),
                                                       [](const ProfileData *p) { return p->subIndex == noIndex; }));
                file->reloadSaveFileAt(topLevel, index, subIndex);
                if (boxEntry > globalEntry)
                    boxEntry += int(imported.size());
            }
        } else {
            m_window.tree->setCurrentGlobal();
            file->loadSaveFile();
            m_window.tree->reloadProfiles(true);
            file->emitInitialDefault = false;
            if (!hasGlobal)
                selection.prepend(0);
            read = file->loadFile(path, false, selection);
            file->emitInitialDefault = true;
        }
        rebuildTree(withGlobal);
    }

    if (withGlobal) {
        m_window.strip->setCurrentProfile(QString(), QString());
        run(m_window.showSettingsPage);
    }
    if (merge)
        setBoxEntry(boxEntry);
    run(m_window.pageUpdate);
    run(m_window.memoryBar);
    if (m_window.save)
        m_window.save();
    if (!read)
        tell(trWindow("The profiles could not be read from\n%1").arg(DisplayText::forRichText(path)));
}

void ExpertMainMenu::resetProfiles()
{
    if (!m_window.mouseConnected || !m_window.mouseConnected()) {
        tell(noMouseText());
        return;
    }
    CustomMessageBox question(m_window.window,
                              trWindow("Note this will delete all mappings, and cannot be\n"
                                 "undone. Ensure that you first save any mappings still\n"
                                 "required to file."),
                              trWindow("Reset"), trWindow("Cancel"), QString());
    if (question.exec() != firstButton)
        return;

    QWidget *window = m_window.window;
    const bool fullScreen = window && window->isFullScreen();
    if (fullScreen)
        window->showMaximized();
    {
        LoadingGuard loading;
        clearForLoading();
        m_window.tree->setCurrentGlobal();

        CustomMessageBox starter(window, trWindow("Would you like to load the starter mappings?"), trWindow("Yes"), trWindow("No"),
                                 QString());
        starter.setTextAlignment(Qt::AlignCenter);
        const bool withDefault = starter.exec() == firstButton;
        if (ExpertMenuActions::resetProfiles(withDefault, ConfigFile::instance(), MouseFunctions::instance())) {
            rebuildTree(true);
        } else {
            qWarning() << "ExpertView: the starter mappings could not be loaded";
            m_window.tree->setCurrentGlobal();
        }
    }
    run(m_window.pageUpdate);
    // The file and the mouse hold the starter profiles, so that a restart
    // does not bring the old ones back.
    run(m_window.memoryBar);
    if (m_window.save)
        m_window.save();
    if (fullScreen)
        window->showFullScreen();
}

void ExpertMainMenu::tiltCalibration()
{
    if (m_window.mouseConnected && m_window.mouseConnected()) {
        CalibrationProgress dialog(nullptr);
        dialog.setParent(m_window.window, Qt::Tool | Qt::FramelessWindowHint);
        dialog.showIntro();
    } else {
        tell(noMouseText());
    }
    // Offered once, whatever came of it.
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("HasDoneCalibration", true);
}

void ExpertMainMenu::forceCalibration()
{
    ForceCalibration dialog(m_window.window);
    dialog.loadAndExec();
}

void ExpertMainMenu::uploadFirmware()
{
    const QString path = m_window.openFirmware(trWindow("Open"), ConfigFile::documentsFolder(), "*.hex");
    if (path.isEmpty())
        return;
    run(m_window.clearFirmwareRequired);
    FWUpdate::instance()->startCustomUpdate(path);
}
