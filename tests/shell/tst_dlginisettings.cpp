// The settings dialog driven as a user would: its rows and what they read
// from the settings file, Apply and Cancel, the hidden release channels with
// the update object checking at once (against a local server), the log copy,
// the reload of the default profiles against the simulated mouse, and the
// custom background through the toolkit's file dialog.
#include "AppFont.h"
#include "ConfigFile.h"
#include "DlgIniSettings.h"
#include "LogFile.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProfileReceiver.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"

#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "OnlineState.h"
#include "ProcessStateGuard.h"
#include "ShellFixture.h"
#include "SimulatedMouse.h"
#include "TestHttpServer.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>
#include <optional>

using ShellFixture::clickText;
using ShellFixture::settings;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString shippedStarter()
{
    return QStringLiteral(R7_SHIPPED_DIR "/Starter Mappings.kvlf");
}

QString picturesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// The labels of titles and rows, the left column before the right one, each
// from the top down.
QStringList labelTexts(const QWidget *dialog)
{
    QList<QLabel *> labels;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        const QString type = label->property("label_type").toString();
        if (type == QLatin1String("manage_profile") || type == QLatin1String("manage_profile_title"))
            labels.append(label);
    }
    const int middle = dialog->width() / 2;
    std::sort(labels.begin(), labels.end(), [dialog, middle](const QLabel *a, const QLabel *b) {
        const QPoint pa = a->mapTo(dialog, QPoint());
        const QPoint pb = b->mapTo(dialog, QPoint());
        const bool rightA = pa.x() > middle;
        const bool rightB = pb.x() > middle;
        return rightA != rightB ? rightB : pa.y() < pb.y();
    });
    QStringList texts;
    for (const QLabel *label : labels)
        texts.append(label->text());
    return texts;
}

// The label of the row that holds widget: the first part of its row.
QLabel *rowLabel(const QWidget *dialog, QWidget *widget)
{
    for (QHBoxLayout *row : dialog->findChildren<QHBoxLayout *>()) {
        if (row->indexOf(widget) >= 0 && row->count() > 0)
            return qobject_cast<QLabel *>(row->itemAt(0)->widget());
    }
    return nullptr;
}

const QStringList checkBoxKeys = {"EnableHighDpiScaling", "ShowIntroOnLaunch",    "AutoUpdate",
                                  "SetViewedAsActive",    "SetActiveAsViewed",    "ShowGlobal",
                                  "ExpertAddRelease",     "ExpertViewSideBySide", "ExpertViewShowPressRelease",
                                  "VerboseLogging",       "AdminAppDetection",    "R7API"};

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Types the path into the file dialog and clicks its Open button.
void choose(QFileDialog *files, const QString &path)
{
    QVERIFY(WidgetDriver::typeInto(files, "fileNameEdit", path));
    auto *buttons = WidgetDriver::child<QDialogButtonBox>(files, "buttonBox");
    QVERIFY(buttons);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
}

// The profile names of a configuration file, the global profile's first.
QStringList namesInFile(const QString &path)
{
    bool hasGlobal = false;
    QStringList names;
    for (const QString &name : ConfigFile::instance()->profileNamesInFile(path, &hasGlobal))
        names << name.trimmed();
    if (!hasGlobal)
        names.prepend(globalProfileName);
    return names;
}

QString messageText(const QWidget *dialog)
{
    const auto *label = WidgetDriver::child<QLabel>(dialog, "label");
    return label ? label->text() : QString();
}

} // namespace

class TestDlgIniSettings : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<DlgIniSettings> dialog;

    DlgIniSettings *open(SWUpdate *update = nullptr, const QString &mode = "v")
    {
        dialog = std::make_unique<DlgIniSettings>(nullptr, mode, update);
        dialog->show();
        return dialog.get();
    }

    template<class W = QWidget>
    W *part(const QString &name) const
    {
        W *found = WidgetDriver::child<W>(dialog.get(), name);
        if (!found)
            qWarning() << "no part" << name;
        return found;
    }

    // Answers the file dialog with path (cancels it when empty) and tells
    // what it offered.
    struct FileDialogSeen
    {
        QString caption;
        QString folder;
        QStringList filters;
    };
    FileDialogSeen chooseBackground(const QString &path)
    {
        FileDialogSeen seen;
        DialogAnswerer answer([&](QWidget *open) {
            auto *files = qobject_cast<QFileDialog *>(open);
            QVERIFY(files);
            seen = {files->windowTitle(), files->directory().absolutePath(), files->nameFilters()};
            if (path.isEmpty()) {
                files->reject();
                return;
            }
            choose(files, path);
        });
        [&] { QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_setCustom")); }();
        [&] { QVERIFY(answer.answered()); }();
        return seen;
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        QDir().mkpath(picturesFolder());
    }

    void init()
    {
        clean.emplace();
        QDir(SettingsFile::folder()).removeRecursively();
        QDir().mkpath(SettingsFile::folder());
        QDir(desktopFolder()).removeRecursively();
    }

    void cleanup()
    {
        dialog.reset();
        clean.reset();
        QDir(SettingsFile::folder()).removeRecursively();
    }

    void rowsStandInOrderUnderTheirTitles()
    {
        open();
        QCOMPARE(labelTexts(dialog.get()), QStringList({"R7 Control Panel Settings\n",
                                                        "Most of these settings require an app restart to take effect.",
                                                        "General:",
                                                        "Language",
                                                        "Match Windows display scaling",
                                                        "Show Intro on launch",
                                                        "Automatically check for updates",
                                                        "Release Channel",
                                                        "Simple Mode:",
                                                        "Viewing a profile sets it as active",
                                                        "Always display active profile",
                                                        "Show Global Profile",
                                                        "Background",
                                                        "Expert Mode:",
                                                        "Automatically add Release outputs",
                                                        "Show output list in second column",
                                                        "Show Press & Release output lists",
                                                        "Debug:",
                                                        "Verbose logging",
                                                        "App Detection Settings:",
                                                        "Recheck timer (seconds)",
                                                        "Detect admin level apps",
                                                        "Allow profile switching via API",
                                                        "IgnoredApps (one per line):"}));
        // The debug buttons under "Verbose logging", the text box at the
        // right column's foot.
        auto *copyLog = part<QPushButton>("pushButton_copyLog");
        auto *verbose = part("VerboseLogging");
        QVERIFY(copyLog->mapTo(dialog.get(), QPoint()).y() > verbose->mapTo(dialog.get(), QPoint()).y());
        QCOMPARE(copyLog->text(), QString("Copy Log to Desktop"));
        QCOMPARE(part<QPushButton>("pushButton_loadDefaults")->text(), QString("Load Default Profiles"));
        QCOMPARE(part<QPushButton>("btn_yes")->text(), QString("Apply"));
        QCOMPARE(part<QPushButton>("btn_no")->text(), QString("Cancel"));
    }

    void rowsCarryTheirLabelAndTooltip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("combo") << "Language"
                               << "Language"
                               << "Select UI Language. Auto, will match current system language.";
        QTest::newRow("two lines") << "ReleaseChannel"
                                   << "Release Channel"
                                   << "Stable channel recieves updates after they have passed through Beta "
                                      "testing.\nBeta channel receives updates early, while they are still in testing.";
        QTest::newRow("the other platform's name") << "EnableHighDpiScaling"
                                                   << "Match Windows display scaling"
                                                   << "Allow app to scale based on Windows display settings. Disable "
                                                      "if window is scaled too large.";
        QTest::newRow("quotes") << "AdminAppDetection"
                                << "Detect admin level apps"
                                << "Enables detection of admin level apps for auto profile switching, even when the "
                                   "Control Panel is not run as admin.\n Can cause \"TaskList\" errors on system "
                                   "shutdown.";
        QTest::newRow("right column combo")
            << "RecheckAppSwitchTimeout"
            << "Recheck timer (seconds)"
            << "Every app switch will be rechecked 4 times per second for the chosen duration.\nSet to 0 to disable "
               "the recheck, or increase the duration if profile switching is getting out of sync.";
        QTest::newRow("background") << "pushButton_setCustom"
                                    << "Background"
                                    << "Apply a custom background image to Simple Mode.";
    }

    void rowsCarryTheirLabelAndTooltip()
    {
        QFETCH(QString, key);
        QFETCH(QString, label);
        QFETCH(QString, tooltip);
        open();
        QWidget *widget = part(key);
        QVERIFY(widget);
        QLabel *beside = rowLabel(dialog.get(), widget);
        QVERIFY(beside);
        QCOMPARE(beside->text(), label);
        QCOMPARE(beside->toolTip(), tooltip);
        if (!key.startsWith("pushButton"))
            QCOMPARE(widget->toolTip(), tooltip);
    }

    void partsCarryTheirLookForTheModel()
    {
        open(nullptr, "tamsel");
        QCOMPARE(dialog->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QVERIFY(dialog->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(part("frame")->minimumWidth(), 700);
        QCOMPARE(part("frame")->property("m").toString(), QString("tamsel"));
        for (QLabel *label : dialog->findChildren<QLabel *>())
            QCOMPARE(label->property("m").toString(), QString("tamsel"));
        for (const QString &key : checkBoxKeys) {
            auto *box = part<QCheckBox>(key);
            QVERIFY2(box, qPrintable(key));
            QCOMPARE(box->size(), QSize(20, 20));
            QCOMPARE(box->property("check_type").toString(), QString("dialog"));
            QCOMPARE(box->property("m").toString(), QString("tamsel"));
        }
        for (const char *key : {"Language", "ReleaseChannel", "RecheckAppSwitchTimeout"}) {
            auto *combo = part<QComboBox>(key);
            QVERIFY2(combo, key);
            QCOMPARE(combo->property("combo_type").toString(), QString("input"));
            QCOMPARE(combo->property("m").toString(), QString("tamsel"));
            QCOMPARE(combo->minimumHeight(), 20);
        }
        QCOMPARE(itemsOf(part<QComboBox>("Language")), languages);
        QCOMPARE(itemsOf(part<QComboBox>("RecheckAppSwitchTimeout")), QStringList({"0", "1", "2", "3", "4", "5"}));
        for (const char *name :
             {"pushButton_setCustom", "pushButton_default", "pushButton_copyLog", "pushButton_loadDefaults"}) {
            auto *button = part<QPushButton>(name);
            QVERIFY2(button, name);
            QCOMPARE(button->property("button_type").toString(), QString("dialog"));
            QCOMPARE(button->property("m").toString(), QString("tamsel"));
            QCOMPARE(button->maximumHeight(), 20);
        }
        QCOMPARE(part("pushButton_setCustom")->toolTip(),
                 QString("Select a custom image to use as a background in Simple Mode."));
        QCOMPARE(part("pushButton_default")->toolTip(), QString("Restore the default background image"));
        QCOMPARE(part("label")->property("label_type").toString(), QString("manage_profile_title"));
        for (const char *button : {"btn_yes", "btn_no"})
            QCOMPARE(part(button)->property("m").toString(), QString("tamsel"));
        auto *ignored = part<QPlainTextEdit>("IgnoredApps");
        QCOMPARE(ignored->placeholderText(),
                 QString("Add names of apps to ignore, e.g. \"chrome.exe\" (without quotes).\nOne app per line."));
        QCOMPARE(ignored->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(ignored->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(ignored->property("m").toString(), QString("tamsel"));
    }

    void applyWritesEveryRowAndCancelNothing()
    {
        {
            QSettings file = settings();
            file.setValue("ShowGlobal", true);
            file.setValue("R7API", true);
            file.setValue("VerboseLogging", false);
            file.setValue("IgnoredApps", QStringList({"game.exe", "", "tool.exe"}));
        }
        open();
        for (const QString &key : checkBoxKeys)
            QCOMPARE(part<QCheckBox>(key)->isChecked(), key == "ShowGlobal" || key == "R7API");
        QCOMPARE(part<QPlainTextEdit>("IgnoredApps")->toPlainText(), QString("game.exe\n\ntool.exe"));

        // Cancel after changes leaves the file as it was.
        const QByteArray before = readFile(SettingsFile::path());
        QTest::mouseClick(part("AutoUpdate"), Qt::LeftButton);
        QVERIFY(part<QCheckBox>("AutoUpdate")->isChecked());
        QVERIFY(WidgetDriver::typeInto(dialog.get(), "IgnoredApps", "other.exe"));
        QVERIFY(WidgetDriver::click(dialog.get(), "btn_no"));
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(readFile(SettingsFile::path()), before);

        open();
        QTest::mouseClick(part("ShowGlobal"), Qt::LeftButton);
        QTest::mouseClick(part("AdminAppDetection"), Qt::LeftButton);
        auto *edit = part<QPlainTextEdit>("IgnoredApps");
        QVERIFY(WidgetDriver::typeInto(dialog.get(), "IgnoredApps", "a.exe"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "b.exe");
        QVERIFY(WidgetDriver::click(dialog.get(), "btn_yes"));
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(!dialog->isVisible());

        QSettings file = settings();
        for (const QString &key : checkBoxKeys) {
            QVERIFY2(file.contains(key), qPrintable(key));
            QCOMPARE(file.value(key).toString(),
                     QString(key == "R7API" || key == "AdminAppDetection" ? "true" : "false"));
        }
        QCOMPARE(file.value("Language").toString(), QString("Auto"));
        QCOMPARE(file.value("ReleaseChannel").toString(), QString("Stable"));
        QCOMPARE(file.value("RecheckAppSwitchTimeout").toInt(), 1);
        QCOMPARE(file.value("IgnoredApps").toStringList(), QStringList({"a.exe", "", "b.exe"}));
        QVERIFY(readFile(SettingsFile::path()).contains("IgnoredApps=a.exe, , b.exe"));
    }

    void combosShowTheStoredItem_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored"); // invalid: absent
        QTest::addColumn<QString>("shown");
        QTest::newRow("language") << "Language" << QVariant("fr") << "fr";
        QTest::newRow("language not offered") << "Language" << QVariant("de") << "Auto";
        QTest::newRow("language, wrong case") << "Language" << QVariant("ZH_tw") << "Auto";
        QTest::newRow("language absent") << "Language" << QVariant() << "Auto";
        QTest::newRow("recheck as a number") << "RecheckAppSwitchTimeout" << QVariant(3) << "3";
        QTest::newRow("recheck out of range") << "RecheckAppSwitchTimeout" << QVariant(9) << "0";
        QTest::newRow("recheck absent") << "RecheckAppSwitchTimeout" << QVariant() << "1";
        QTest::newRow("channel absent") << "ReleaseChannel" << QVariant() << "Stable";
        QTest::newRow("channel unknown") << "ReleaseChannel" << QVariant("Nightly") << "Stable";
    }

    void combosShowTheStoredItem()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        if (stored.isValid())
            settings().setValue(key, stored);
        open();
        QCOMPARE(part<QComboBox>(key)->currentText(), shown);
        QVERIFY(WidgetDriver::click(dialog.get(), "btn_yes"));
        QCOMPARE(settings().value(key).toString(), shown);
    }

    void channelListOffersTheStoredChannel_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("absent") << QVariant() << QStringList({"Stable", "Beta"});
        QTest::newRow("beta") << QVariant("Beta") << QStringList({"Stable", "Beta"});
        QTest::newRow("alpha") << QVariant("Alpha") << QStringList({"Stable", "Beta", "Alpha"});
        QTest::newRow("v3 alpha") << QVariant("V3Alpha") << QStringList({"Stable", "Beta", "Alpha", "V3Alpha"});
    }

    void channelListOffersTheStoredChannel()
    {
        QFETCH(QVariant, stored);
        QFETCH(QStringList, items);
        if (stored.isValid())
            settings().setValue("ReleaseChannel", stored);
        open();
        auto *channel = part<QComboBox>("ReleaseChannel");
        QCOMPARE(itemsOf(channel), items);
        QCOMPARE(channel->currentText(), stored.isValid() ? stored.toString() : QString("Stable"));
    }

    void hiddenChannelsAppearAndSwitchTheUpdate()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        QVERIFY(SWUpdate::setServerUrl(server.baseUrl()));
        SWUpdate update;
        // Online, so the switch checks at once and shows no box.
        update.internetAccess();
        QVERIFY(OnlineState::set(&update, true));
        QSignalSpy channels(&update, &SWUpdate::channelChanged);

        open(&update);
        auto *channel = part<QComboBox>("ReleaseChannel");
        QTest::mouseClick(channel, Qt::MiddleButton);
        QTest::mouseClick(channel, Qt::MiddleButton);
        QTest::mouseClick(channel, Qt::RightButton);
        QCOMPARE(itemsOf(channel), QStringList({"Stable", "Beta", "Alpha"}));
        QTest::mousePress(channel, Qt::BackButton);
        QTest::mouseRelease(channel, Qt::BackButton);
        QTest::mouseClick(channel, Qt::BackButton);
        QCOMPARE(itemsOf(channel), QStringList({"Stable", "Beta", "Alpha", "V3Alpha"}));
        // Other parts take no part in it.
        QTest::mouseClick(part("Language"), Qt::MiddleButton);
        QCOMPARE(channel->count(), 4);

        channel->setCurrentIndex(channel->findText("V3Alpha"));
        QVERIFY(WidgetDriver::click(dialog.get(), "btn_yes"));
        QCOMPARE(settings().value("ReleaseChannel").toString(), QString("V3Alpha"));
        QCOMPARE(update.channel(), 4);
        QCOMPARE(channels.count(), 1);
        QCOMPARE(channels.at(0).at(0).toInt(), 4);
        QTRY_COMPARE(server.requestedPaths(), QStringList{"/vesk/v3alpha/windows/R7Driver.json"});
        QVERIFY(SWUpdate::setServerUrl(QString()));
    }

    void logCopiesToTheDesktopOnce()
    {
        QVERIFY(writeFile(SettingsFile::folder() + "/log.txt", "current log\n"));
        QVERIFY(writeFile(SettingsFile::folder() + "/log1.txt", "older log\n"));
        QCOMPARE(LogFile::logFilePath(), SettingsFile::folder() + "/log.txt");
        QVERIFY(!QFileInfo::exists(desktopFolder()));
        open(nullptr, "pelkin");

        QString shown;
        QString mode;
        {
            DialogAnswerer answer([&](QWidget *box) {
                shown = messageText(box);
                mode = WidgetDriver::child(box, "label")->property("m").toString();
                WidgetDriver::click(box, "btn_ok");
            });
            QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_copyLog"));
            QVERIFY(answer.answered());
        }
        QCOMPARE(shown, QString("Log.txt copied to desktop."));
        QCOMPARE(mode, QString("pelkin"));
        QCOMPARE(readFile(desktopFolder() + "/log.txt"), QByteArray("current log\n"));
        QCOMPARE(QDir(desktopFolder()).entryList(QDir::Files), QStringList{"log.txt"});

        QVERIFY(writeFile(SettingsFile::folder() + "/log.txt", "newer log\n"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^DlgIniSettings: Error copying file to desktop - .+"));
        {
            DialogAnswerer answer([&](QWidget *box) {
                shown = messageText(box);
                WidgetDriver::click(box, "btn_ok");
            });
            QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_copyLog"));
            QVERIFY(answer.answered());
        }
        QCOMPARE(shown, QString("Copy failed.\nIf a log.txt file already exists on your desktop please move, delete, "
                                "or rename it."));
        QCOMPARE(readFile(desktopFolder() + "/log.txt"), QByteArray("current log\n"));
        QVERIFY(dialog->isVisible());
    }

    void defaultProfilesReplaceEveryProfile_data()
    {
        QTest::addColumn<QString>("starter"); // "shipped", or the bytes of a bad one
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("good starter file") << "shipped" << true << true;
        QTest::newRow("refused") << "shipped" << false << false;
        QTest::newRow("missing") << "<missing>" << true << false;
        QTest::newRow("cut short") << "json,2,4\n{\"RootProfile\": {\"Name\": \"Gl" << true << false;
        QTest::newRow("not a document") << "json,2,4\n" << true << false;
        QTest::newRow("NUL before the document") << QString::fromLatin1("json\0{}", 7) << true << false;
        QTest::newRow("empty") << "" << true << false;
    }

    void defaultProfilesReplaceEveryProfile()
    {
        QFETCH(QString, starter);
        QFETCH(bool, answered);
        QFETCH(bool, replaced);

        if (starter == "shipped")
            QVERIFY(writeFile(ConfigFile::starterCopyPath(), readFile(shippedStarter())));
        else if (starter != "<missing>")
            QVERIFY(writeFile(ConfigFile::starterCopyPath(), starter.toLatin1()));

        // The running program: its profiles loaded, a mouse connected and
        // holding them.
        PackageCreator *model = PackageCreator::instance();
        model->addProfile(255, 255, globalProfileName);
        ProfileReceiver receiver;
        SimpleModel *profiles = SimpleModel::instance();
        profiles->addProfile("Work");
        profiles->addProfile("Games");
        model->loading = false;
        ConnectedMouse mouse(20);
        mouse.connect();
        QCOMPARE(mouse.device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QVERIFY(ConfigFile::instance()->save());
        const QByteArray workingBefore = readFile(ConfigFile::workingFilePath());
        const QByteArray packageBefore = mouse.mouse()->ramPackage();
        const int uploadsBefore = mouse.mouse()->uploads();
        const QStringList namesBefore = {"Global", "Work", "Games"};

        open(nullptr, "pelkin");
        QSignalSpy updated(dialog.get(), &DlgIniSettings::dataUpdated);
        QString question;
        QString message;
        std::optional<DialogAnswerer> messageAnswer;
        {
            DialogAnswerer answer([&](QWidget *box) {
                question = messageText(box);
                messageAnswer.emplace([&](QWidget *shown) {
                    message = messageText(shown);
                    WidgetDriver::click(shown, "btn_ok");
                });
                QVERIFY(clickText(box, answered ? "Load Default Profiles" : "Cancel"));
            });
            QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_loadDefaults"));
            QVERIFY(answer.answered());
        }
        QCOMPARE(question, QString("Warning: Loading the default profiles will delete all current profiles from the\n"
                                   "R7 Control Panel and restore only the default Global and Desktop profiles.\n\n"
                                   "Other predefined profiles can also be reloaded in their default state using the\n"
                                   "Manage Profiles button, but all custom profiles will be lost."));
        QVERIFY(dialog->isVisible());
        QCOMPARE(model->loading, false);

        QStringList names;
        for (const ProfileData *profile : profiles->profiles())
            names << profile->name;
        if (replaced) {
            QVERIFY(!messageAnswer->answered());
            QCOMPARE(names, namesInFile(shippedStarter()));
            QVERIFY(names.contains("Desktop"));
            QCOMPARE(updated.count(), 1);
            QCOMPARE(namesInFile(ConfigFile::workingFilePath()), names);
            QCOMPARE(mouse.mouse()->uploads(), uploadsBefore + 1);
            const QByteArray firstPackage = model->package();
            QCOMPARE(mouse.mouse()->ramPackage(), firstPackage);
            QVERIFY(mouse.mouse()->ramPackage() != packageBefore);

            // Once more: the same profiles, nothing of the first load kept.
            {
                DialogAnswerer again([](QWidget *box) { QVERIFY(clickText(box, "Load Default Profiles")); });
                QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_loadDefaults"));
                QVERIFY(again.answered());
            }
            QCOMPARE(updated.count(), 2);
            QCOMPARE(mouse.mouse()->uploads(), uploadsBefore + 2);
            QCOMPARE(mouse.mouse()->ramPackage(), model->package());
            QCOMPARE(model->package(), firstPackage);
            return;
        }
        if (answered) {
            QVERIFY(messageAnswer->answered());
            QCOMPARE(message, QString("Starter Mappings were not loaded. The file is missing\nor corrupted. Reinstall "
                                      "application to load\nStarter Mappings."));
        } else {
            QVERIFY(!messageAnswer->answered());
        }
        QCOMPARE(names, namesBefore);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(readFile(ConfigFile::workingFilePath()), workingBefore);
        QCOMPARE(mouse.mouse()->uploads(), uploadsBefore);
        QCOMPARE(mouse.mouse()->ramPackage(), packageBefore);
    }

    void backgroundIsCopiedIntoTheSettingsFolder()
    {
        const QString picture = picturesFolder() + "/beach.png";
        QVERIFY(writeFile(picture, "beach picture"));
        open();
        QSignalSpy chosen(dialog.get(), &DlgIniSettings::setCustomBackground);
        const FileDialogSeen seen = chooseBackground(picture);
        QCOMPARE(seen.caption, QString("Select image"));
        QCOMPARE(seen.folder, picturesFolder());
        QCOMPARE(seen.filters, QStringList{"Images (*.png *.bmp *.jpg *.jpeg)"});
        const QString copy = SettingsFile::folder() + "/beach.png";
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), copy);
        QCOMPARE(readFile(copy), QByteArray("beach picture"));
        QVERIFY(QFileInfo::exists(picture));

        // What the simple view does with it; then the copy itself is chosen.
        settings().setValue("CustomBackground", copy);
        chooseBackground(copy);
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen.at(1).at(0).toString(), copy);
        QCOMPARE(readFile(copy), QByteArray("beach picture"));

        // The same picture again replaces the copy with its contents.
        QVERIFY(writeFile(picture, "beach picture, edited"));
        chooseBackground(picture);
        QCOMPARE(chosen.count(), 3);
        QCOMPARE(readFile(copy), QByteArray("beach picture, edited"));

        // Cancelled: nothing.
        chooseBackground(QString());
        QCOMPARE(chosen.count(), 3);

        QSignalSpy removed(dialog.get(), &DlgIniSettings::removeCustomBackground);
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_default"));
        QCOMPARE(removed.count(), 1);
        QVERIFY(dialog->isVisible());
    }

    void onlyAPreviousCopyInTheSettingsFolderIsDeleted_data()
    {
        QTest::addColumn<QString>("previous"); // relative to the settings folder, or "pictures:" name
        QTest::addColumn<bool>("deleted");
        QTest::newRow("the previous copy") << "old.jpg" << true;
        QTest::newRow("a picture elsewhere") << "pictures:old.jpg" << false;
        QTest::newRow("the settings file") << "settings.ini" << false;
        QTest::newRow("the starter copy") << "Starter Mappings.kvlf" << false;
        QTest::newRow("a picture in a sub-folder") << "Profiles/Work/icon.png" << false;
    }

    void onlyAPreviousCopyInTheSettingsFolderIsDeleted()
    {
        QFETCH(QString, previous);
        QFETCH(bool, deleted);
        const QString path = previous.startsWith("pictures:") ? picturesFolder() + "/" + previous.mid(9)
                                                              : SettingsFile::folder() + "/" + previous;
        if (!QFileInfo::exists(path))
            QVERIFY(writeFile(path, "previous"));
        settings().setValue("CustomBackground", path);
        const QString picture = picturesFolder() + "/new.png";
        QVERIFY(writeFile(picture, "new picture"));

        open();
        QSignalSpy chosen(dialog.get(), &DlgIniSettings::setCustomBackground);
        chooseBackground(picture);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(readFile(SettingsFile::folder() + "/new.png"), QByteArray("new picture"));
        QCOMPARE(QFileInfo::exists(path), !deleted);
    }

    void backgroundFailureIsReported_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("targetIsFolder");
        QTest::newRow("not a picture") << "settings.ini" << false;
        QTest::newRow("target cannot be written") << "blocked.png" << true;
    }

    void backgroundFailureIsReported()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, targetIsFolder);
        settings().setValue("CustomBackground", SettingsFile::folder() + "/old.png");
        QVERIFY(writeFile(SettingsFile::folder() + "/old.png", "old picture"));
        const QByteArray settingsBefore = readFile(SettingsFile::path());
        const QString picture = picturesFolder() + "/" + fileName;
        QVERIFY(writeFile(picture, "[General]\nShowGlobal=true\n"));
        const QString target = SettingsFile::folder() + "/" + fileName;
        if (targetIsFolder)
            QVERIFY(QDir().mkpath(target));

        open();
        QSignalSpy chosen(dialog.get(), &DlgIniSettings::setCustomBackground);
        QString message;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^DlgIniSettings: Error copying background - .+"));
        // The message opens once the file dialog closed: answered by a second
        // answerer, made while the file dialog is still open.
        std::optional<DialogAnswerer> messageAnswer;
        DialogAnswerer files([&](QWidget *open) {
            auto *dialogFiles = qobject_cast<QFileDialog *>(open);
            QVERIFY(dialogFiles);
            messageAnswer.emplace([&](QWidget *shown) {
                message = messageText(shown);
                WidgetDriver::click(shown, "btn_ok");
            });
            // The filter shows pictures only: a user reaches another file
            // by typing a pattern; here it is selected as typed.
            dialogFiles->selectFile(picture);
            QVERIFY(QMetaObject::invokeMethod(dialogFiles, "accept"));
        });
        QVERIFY(WidgetDriver::click(dialog.get(), "pushButton_setCustom"));
        QVERIFY(files.answered());
        QVERIFY(messageAnswer && messageAnswer->answered());
        QCOMPARE(message, QString("Failed to set background.\nUnable to copy background image to "
                                  "AppData\\Local\\Corvanelle R7 Control Panel."));
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(readFile(SettingsFile::path()), settingsBefore);
        QCOMPARE(readFile(SettingsFile::folder() + "/old.png"), QByteArray("old picture"));
        QCOMPARE(QFileInfo(target).isDir(), targetIsFolder);
        QVERIFY(dialog->isVisible());
    }

    void pictureOfTheDialog_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("v") << "v";
        QTest::newRow("pelkin") << "pelkin";
    }

    void pictureOfTheDialog()
    {
        QFETCH(QString, mode);
        qApp->setStyleSheet(AppStyleSheet::joined());
        {
            QSettings file = settings();
            file.setValue("ShowIntroOnLaunch", true);
            file.setValue("AutoUpdate", true);
            file.setValue("ReleaseChannel", "Alpha");
            file.setValue("IgnoredApps", QStringList({"game.exe", "tool.exe"}));
        }
        open(nullptr, mode);
        dialog->adjustSize();
        const QString picture = WidgetDriver::grabToPng(dialog.get(), "settings-" + mode);
        qApp->setStyleSheet(QString());
        QVERIFY(!picture.isEmpty());
        QVERIFY(dialog->width() >= 700);
    }
};

QTEST_MAIN(TestDlgIniSettings)
#include "tst_dlginisettings.moc"
