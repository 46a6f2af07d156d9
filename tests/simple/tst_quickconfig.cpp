// The quick editor: Save against the memory use, Save with and without the
// simulated mouse and when the mouse fails mid-upload, the application's way
// back, the anchors, loading pages one after another, and a pick whose
// reload builds the page anew while its row is still at work.
#include "ActionLayer.h"
#include "ActionLayers.h"
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "BacklightView.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DPILevelsSimple.h"
#include "DialogAnswerer.h"
#include "DialogFixture.h"
#include "InputBar.h"
#include "LayerFixture.h"
#include "MouseFunctions.h"
#include "OutputBar.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "QuickConfig.h"
#include "QuickFixture.h"
#include "SimulatedMouse.h"
#include "StyleProperties.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// The application object announces the way back, as the program's does.
class BackApplication : public QApplication
{
    Q_OBJECT

public:
    using QApplication::QApplication;

signals:
    void navigateBack();
};

using namespace QuickFixture;

class tst_QuickConfig : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<QuickConfig> editor;
    Profiles made;
    QTemporaryDir programFolder;

    QPushButton *saveButton() const { return WidgetDriver::child<QPushButton>(editor.get(), "pushButton_save"); }
    void makeEditor(const QString &key = QStringLiteral("pelkin"))
    {
        editor = std::make_unique<QuickConfig>(nullptr);
        editor->setModelKey(key);
        editor->setProperty(StyleProperties::modelKey, key);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    }
    // An edit, through the DPI page, that enables Save.
    void edit()
    {
        editor->load(made.work->dpiRecord);
        auto *page = qobject_cast<DPILevelsSimple *>(editor->currentPage());
        QVERIFY(page);
        QVERIFY(WidgetDriver::click(page, "pushButton_add_dpi_level"));
        QVERIFY(saveButton()->isEnabled());
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
        // A library of one entry for the pickers.
        QVERIFY(programFolder.isValid());
        ProgramFolder::setPath(programFolder.path());
        QDir().mkpath(Predefined::profilesFolder());
        QFile file(Predefined::profilesFolder() + Predefined::basicFileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Depth,Path,Name,Input,Press,Release,Note\n0,Editing,Nothing Much,None,None,None,\n");
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }
    void init()
    {
        clean.emplace();
        made = profiles();
        QFile::remove(ConfigFile::workingFilePath());
    }
    void cleanup()
    {
        editor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mouse.reset();
        clean.reset();
    }

    void saveFollowsTheMemoryUse_data()
    {
        QTest::addColumn<int>("spare"); // memory size minus package size
        QTest::addColumn<bool>("enabled");
        QTest::newRow("exactly 100 %") << 0 << true;
        QTest::newRow("just above 100 %") << -1 << false;
        QTest::newRow("below") << 100 << true;
    }
    void saveFollowsTheMemoryUse()
    {
        QFETCH(int, spare);
        QFETCH(bool, enabled);
        mouse = std::make_unique<ConnectedMouse>(20);
        mouse->connect();
        const int size = model()->package().size();
        mouse->mouse()->setMemorySize(size + spare);
        // The mouse names its memory size at an upload.
        mouse->device()->sendProfilesToMouse();
        QCOMPARE(mouse->device()->deviceMemory(), size + spare);
        makeEditor();
        QVERIFY(!saveButton()->isEnabled());
        emit model()->updateMemoryUsed();
        QCOMPARE(mouse->device()->memoryUsedPercent() <= 100.0, enabled);
        QCOMPARE(saveButton()->isEnabled(), enabled);
    }

    void saveWithoutAMouseWritesTheFile()
    {
        makeEditor();
        edit();
        QVERIFY(WidgetDriver::click(editor.get(), "pushButton_save"));
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QVERIFY(!saveButton()->isEnabled());
    }

    void saveUploadsThenWrites()
    {
        mouse = std::make_unique<ConnectedMouse>(30);
        mouse->connect();
        makeEditor();
        edit();
        QVERIFY(WidgetDriver::click(editor.get(), "pushButton_save"));
        QCOMPARE(mouse->mouse()->ramPackage(), model()->package());
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QVERIFY(!saveButton()->isEnabled());
    }

    // The file is written, the user learns why the mouse did not take the
    // profiles, and Save stays available.
    void uploadFailsMidway_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<QString>("reason");
        QTest::newRow("silent") << false << "The mouse did not answer.";
        QTest::newRow("unplugged") << true << "The mouse was disconnected.";
    }
    void uploadFailsMidway()
    {
        QFETCH(bool, unplug);
        QFETCH(QString, reason);
        mouse = std::make_unique<ConnectedMouse>(30);
        mouse->connect();
        SimulatedMouse *simulated = mouse->mouse();
        connect(simulated, &SimulatedMouse::inputReport, simulated, [&](QVector<uint8_t> report) {
            if (report[2] != ((1 << 6) | 10) || report[3] != 1)
                return;
            if (!unplug)
                simulated->setSilent(true);
            else if (simulated->isPluggedIn())
                simulated->unplug();
        });
        makeEditor();
        edit();
        QString shown;
        DialogAnswerer answer([&](QWidget *dialog) {
            shown = DialogFixture::labelTexts(dialog);
            QVERIFY(DialogFixture::clickText(dialog, "OK") || DialogFixture::clickText(dialog, "Ok"));
        });
        QVERIFY(WidgetDriver::click(editor.get(), "pushButton_save"));
        QVERIFY(answer.answered());
        QVERIFY2(shown.contains(reason), qPrintable(shown));
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QVERIFY(saveButton()->isEnabled());
        QVERIFY(mouse->mouse()->ramPackage() != model()->package());
    }

    void backOnlyWhileShown()
    {
        makeEditor();
        QSignalSpy back(editor.get(), &QuickConfig::back);
        emit static_cast<BackApplication *>(qApp)->navigateBack();
        QCOMPARE(back.count(), 1);
        QVERIFY(WidgetDriver::click(editor.get(), "pushButton_backToAllView"));
        QCOMPARE(back.count(), 2);
        editor->hide();
        emit static_cast<BackApplication *>(qApp)->navigateBack();
        QCOMPARE(back.count(), 2);
    }

    // An editor deleted while a DPI edit holds a value not yet confirmed:
    // the edit loses the focus as the children go and stores the value,
    // which the half-deleted editor must not answer.
    void deletedWhileADpiEditHoldsAValue()
    {
        makeEditor();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        editor->load(made.work->dpiRecord);
        auto *edit = WidgetDriver::child<QLineEdit>(editor->currentPage(), "lineEdit_dpi");
        QVERIFY(edit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_5);
        QVERIFY(edit->hasFocus());
        editor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void anchors()
    {
        makeEditor();
        editor->load(made.work->ledRecord);
        auto *logo = qobject_cast<BacklightView *>(editor->currentPage());
        QVERIFY(logo);
        QCOMPARE(editor->layerAnchors(1), QList<QPoint>());
        const QList<QPoint> anchors = editor->layerAnchors(0);
        QCOMPARE(anchors.size(), 1);
        QCOMPARE(anchors.first(), logo->pos() + logo->anchorPoints().first());
        editor->load(made.work->dpiRecord);
        QCOMPARE(editor->layerAnchors(0), QList<QPoint>());
    }

    // Each load replaces the page; an unsupported record leaves none.
    void loadsReplaceThePage()
    {
        makeEditor();
        editor->load(made.work->dpiRecord);
        QPointer<QWidget> first = editor->currentPage();
        editor->load(made.work->dpiRecord);
        QVERIFY(editor->currentPage() != first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QCOMPARE(editor->findChildren<DPILevelsSimple *>().size(), 1);
        editor->load(made.work->oledRecord);
        QCOMPARE(editor->currentPage()->objectName(), QString("OledView"));
        QTest::ignoreMessage(QtWarningMsg, "QuickConfig::load unsupported type 104");
        editor->load(made.work->reportIntervalRecord);
        QVERIFY(!editor->currentPage());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(editor->findChildren<QWidget *>("OledView").size(), 0);
    }

    // The scene answers a row's reload by loading the input again: the page
    // whose row made the pick is replaced while that row is still at work.
    void pickWhoseReloadReopensTheEditor()
    {
        const LayerFixture::Model m = LayerFixture::build();
        makeEditor();
        int reloads = 0;
        connect(editor.get(), &QuickConfig::layerNeedReload, this, [&] {
            ++reloads;
            InputMapActionConfig *left = m.workA->inputMaps.isEmpty() ? m.left : m.workA->inputMaps.first().get();
            editor->loadInput({left}, m.workA);
        });
        editor->loadInput({m.left}, m.workA);
        auto *page = qobject_cast<ActionLayers *>(editor->currentPage());
        QVERIFY(page);
        ActionLayer *row = nullptr;
        for (ActionLayer *layer : page->layers()) {
            if (layer->mapping() == m.leftForce)
                row = layer;
        }
        QVERIFY(row);
        row->outputBar()->outputChange("Editing", QString(), "Nothing Much");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(reloads >= 1);
        QCOMPARE(m.workA->inputMaps.size(), 1);
        auto *now = qobject_cast<ActionLayers *>(editor->currentPage());
        QVERIFY(now);
        QCOMPARE(editor->findChildren<ActionLayers *>().size(), 1);
        QCOMPARE(now->layers().first()->mapping(), m.workA->inputMaps.first().get());
        QVERIFY(!editor->layerAnchors(0).isEmpty());
    }

    void pictures_data() { DialogFixture::addLookRows(); }
    void pictures()
    {
        QFETCH(QString, key);
        makeEditor(key);
        editor->resize(760, 420);
        edit();
        QCoreApplication::processEvents();
        QVERIFY(!WidgetDriver::grabToPng(editor.get(), "quick-editor-" + key).isEmpty());
    }
};

int main(int argc, char **argv)
{
    BackApplication application(argc, argv);
    tst_QuickConfig test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quickconfig.moc"
