// The link application dialog over a scripted desktop, driven as a user
// would: the rows of the open applications, ticking them and Link Apps,
// Cancel, and Browse with its file dialog and its question.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "DetectorFixture.h"
#include "DialogAnswerer.h"
#include "FakeProcessTools.h"
#include "FakeWindowSystem.h"
#include "LinkProfile.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

using Answerers = std::vector<std::unique_ptr<DialogAnswerer>>;

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(15, 15).toImage();
}

QImage fileIcon(const QString &path)
{
    return iconImage(QFileIconProvider().icon(QFileInfo(path)));
}

QList<QCheckBox *> boxes(const QWidget *dialog)
{
    return WidgetDriver::child(dialog, "scrollAreaWidgetContents")->findChildren<QCheckBox *>();
}

// The labels of the list, the instruction line first, then each row's name.
QStringList listTexts(const QWidget *dialog)
{
    QStringList texts;
    const QLayout *list = WidgetDriver::child(dialog, "scrollAreaWidgetContents")->layout();
    for (int i = 0; i < list->count(); ++i) {
        QWidget *item = list->itemAt(i)->widget();
        if (auto *label = qobject_cast<QLabel *>(item))
            texts.append(WidgetDriver::shownText(label));
        else if (item && item->layout())
            texts.append(WidgetDriver::shownText(qobject_cast<QLabel *>(item->layout()->itemAt(1)->widget())));
    }
    return texts;
}

QImage rowIcon(const QCheckBox *box)
{
    const auto *icon = qobject_cast<QLabel *>(box->parentWidget()->layout()->itemAt(0)->widget());
    return icon->pixmap(Qt::ReturnByValue).toImage();
}

// A click on the box's tick mark.
void tick(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

// Answers the file dialog with a file name typed into it, or cancels it.
DialogAnswerer::Answer chooseFile(const QString &name)
{
    return [name](QWidget *dialog) {
        if (name.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        QVERIFY(WidgetDriver::typeInto(dialog, "fileNameEdit", name));
        auto *buttons = WidgetDriver::child<QDialogButtonBox>(dialog, "buttonBox");
        QPushButton *open = buttons->button(QDialogButtonBox::Open);
        QTest::mouseClick(open, Qt::LeftButton, Qt::NoModifier, open->rect().center());
    };
}

QVariantList linked(const QString &name)
{
    return {name, name, false};
}

struct Desktop : DetectorFixture<FakeWindowSystem, FakeProcessTools>
{
    using DetectorFixture::DetectorFixture;

    // A top-level window of a new process running the executable at path.
    void addApp(WindowSystem::WindowId window, quint32 processId, const QString &path)
    {
        processes.addProcess(processId, path);
        windows.addWindow(window, processId);
    }
};

} // namespace

class TestLinkProfile : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<Desktop> desktop;
    QString programs;
    QString desktopFolder;

    QString program(const QString &relative) const { return programs + '/' + relative; }

private slots:
    void initTestCase()
    {
        // The program's own detector must not reach a real display.
        qunsetenv("DISPLAY");
        QApplication::setFont(appFont());
        QVERIFY(folder.isValid());
        programs = folder.filePath("programs");
        for (const char *path : {"a/Editor.exe", "Calculator.exe", "Game.EXE", "svchost.exe", "TextInputHost.exe",
                                 "Linked.exe", "linked.exe", "notes", "<b>R&D", "host/ApplicationFrameHost.exe"}) {
            QVERIFY(QDir().mkpath(QFileInfo(program(path)).path()));
            QFile file(program(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // A link shows another icon than a plain file: the first window's
        // icon can be told from the others'.
        QVERIFY(QDir().mkpath(program("b")));
        QVERIFY(QFile::link(program("a/Editor.exe"), program("b/Editor.exe")));
        QVERIFY(QFile::link(program("host/ApplicationFrameHost.exe"), program("ApplicationFrameHost.exe")));
        QVERIFY(fileIcon(program("b/Editor.exe")) != fileIcon(program("a/Editor.exe")));

        desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QVERIFY(QDir().mkpath(desktopFolder));
        QFile game(desktopFolder + "/Game.EXE");
        QVERIFY(game.open(QIODevice::WriteOnly));
    }
    void init() { desktop = std::make_unique<Desktop>(folder.filePath("settings.ini")); }
    void cleanup()
    {
        desktop.reset();
        qApp->setStyleSheet(QString());
    }

    // One row per application in name order, with the first window's icon;
    // windows of no known program, the excluded names and the linked ones
    // give none.
    void listsEachOpenApplicationOnce()
    {
        desktop->addApp(1, 11, program("b/Editor.exe"));
        desktop->addApp(2, 12, program("a/Editor.exe"));
        desktop->addApp(3, 13, program("c/Editor.exe"));
        // A store application: named by its child window, shown with the frame host's icon.
        desktop->addApp(4, 20, program("ApplicationFrameHost.exe"));
        desktop->processes.addProcess(21, program("Calculator.exe"));
        desktop->windows.addWindow(40, 21, 4);
        desktop->addApp(5, 22, program("ApplicationFrameHost.exe"));
        desktop->addApp(6, 30, program("svchost.exe"));
        desktop->addApp(7, 31, program("TextInputHost.exe"));
        desktop->addApp(8, 32, program("Linked.exe"));
        desktop->addApp(9, 33, program("linked.exe"));
        desktop->windows.addWindow(10, 0);
        desktop->addApp(11, 40, QString());
        desktop->addApp(12, 41, program("Game.EXE"));
        desktop->addApp(13, 42, program("notes"));
        // A name is shown as it is, not read as markup.
        desktop->addApp(14, 43, program("<b>R&D"));

        // Under the application's style sheet, so that the picture shows
        // what the model key selects.
        const QString sheet = AppStyleSheet::joined();
        QVERIFY(!sheet.isEmpty());
        qApp->setStyleSheet(sheet);
        LinkProfile dialog(nullptr, {"Linked.exe"}, "Work", "tamsel");
        QCOMPARE(WidgetDriver::child<QLabel>(&dialog, "label")->text(), QString("Link App to Work profile"));
        QCOMPARE(listTexts(&dialog), (QStringList{"Select from open Apps, or browse for .exe:", "<b>R&D", "Calculator",
                                                  "Editor", "Game", "linked", "notes"}));
        const QList<QCheckBox *> rows = boxes(&dialog);
        QStringList names;
        for (const QCheckBox *box : rows)
            names.append(box->objectName());
        QCOMPARE(names, (QStringList{"<b>R&D", "Calculator.exe", "Editor.exe", "Game.EXE", "linked.exe", "notes"}));
        QCOMPARE(rowIcon(rows.at(1)), fileIcon(program("ApplicationFrameHost.exe")));
        QCOMPARE(rowIcon(rows.at(2)), fileIcon(program("b/Editor.exe")));
        QCOMPARE(rowIcon(rows.at(2)).size(), QSize(15, 15));

        // The model key on the dialog's own parts and each row's name and
        // box, not on the title.
        for (const char *name : {"frame", "pushButton_cancel", "pushButton_browse", "pushButton_link_selected"})
            QCOMPARE(WidgetDriver::child(&dialog, name)->property("m"), QVariant("tamsel"));
        QCOMPARE(dialog.property("m"), QVariant("tamsel"));
        QCOMPARE(rows.at(0)->property("m"), QVariant("tamsel"));
        QCOMPARE(rows.at(0)->parentWidget()->layout()->itemAt(1)->widget()->property("m"), QVariant("tamsel"));
        QVERIFY(!WidgetDriver::child(&dialog, "label")->property("m").isValid());

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.width(), 400);
        // Every row is in sight without scrolling.
        const auto *area = WidgetDriver::child<QScrollArea>(&dialog, "scrollArea");
        QVERIFY(area->viewport()->height() >= area->widget()->sizeHint().height());
        tick(rows.at(1));
        QVERIFY(!WidgetDriver::grabToPng(&dialog, "link-dialog").isEmpty());
    }

    // Each ticked application is announced in row order; the last one gives
    // the name and icon the caller reads.
    void linkAppsAnnouncesEachTickedApplication()
    {
        desktop->addApp(1, 11, program("b/Editor.exe"));
        desktop->addApp(2, 12, program("a/Editor.exe"));
        desktop->addApp(3, 14, program("Calculator.exe"));
        desktop->addApp(4, 15, program("notes"));
        LinkProfile dialog(nullptr, {}, "Work", "v");
        QSignalSpy announced(&dialog, &LinkProfile::linkApp);
        DialogAnswerer answer([](QWidget *shown) {
            const QList<QCheckBox *> rows = boxes(shown);
            tick(rows.at(1));
            tick(rows.at(0));
            QVERIFY(WidgetDriver::click(shown, "pushButton_link_selected"));
        });
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(answer.answered());
        QCOMPARE(announced.size(), 2);
        QCOMPARE(announced.at(0), linked("Calculator.exe"));
        QCOMPARE(announced.at(1), linked("Editor.exe"));
        QCOMPARE(dialog.chosenName(), QString("Editor"));
        QCOMPARE(iconImage(dialog.chosenIcon()), fileIcon(program("b/Editor.exe")));
    }

    void nothingLeftShowsOnlyTheInstruction()
    {
        desktop->addApp(1, 30, program("svchost.exe"));
        desktop->addApp(2, 31, program("TextInputHost.exe"));
        desktop->addApp(3, 32, program("Linked.exe"));
        LinkProfile dialog(nullptr, {"Linked.exe"}, "Work", "v");
        QCOMPARE(listTexts(&dialog), QStringList{"Select from open Apps, or browse for .exe:"});
        QSignalSpy announced(&dialog, &LinkProfile::linkApp);
        DialogAnswerer answer(DialogAnswerer::clickButton("pushButton_link_selected"));
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(answer.answered());
        QCOMPARE(announced.size(), 0);
        QVERIFY(dialog.chosenName().isNull());
        QVERIFY(dialog.chosenIcon().isNull());
    }

    void cancelLinksNothing()
    {
        desktop->addApp(1, 14, program("Calculator.exe"));
        LinkProfile dialog(nullptr, {}, "Work", "v");
        QSignalSpy announced(&dialog, &LinkProfile::linkApp);
        DialogAnswerer answer([](QWidget *shown) {
            tick(boxes(shown).at(0));
            QVERIFY(WidgetDriver::click(shown, "pushButton_cancel"));
        });
        QCOMPARE(dialog.exec(), 0);
        QVERIFY(answer.answered());
        QCOMPARE(announced.size(), 0);
        QVERIFY(dialog.chosenName().isNull());
    }

    void titleNamesTheProfile_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("title");
        QTest::newRow("named") << "Work"
                               << "Link App to Work profile";
        QTest::newRow("unnamed") << ""
                                 << "Link App to new profile";
        QTest::newRow("named like markup") << "<b>R&D</b>"
                                           << "Link App to <b>R&D</b> profile";
    }
    void titleNamesTheProfile()
    {
        QFETCH(QString, profile);
        QFETCH(QString, title);
        LinkProfile dialog(nullptr, {}, profile, "v");
        QCOMPARE(WidgetDriver::shownText(WidgetDriver::child<QLabel>(&dialog, "label")), title);
    }

    // A file dialog cancelled leaves the list open; a file chosen is linked
    // by its file name, whatever its suffix's letter case.
    void browseLinksTheChosenFile()
    {
        LinkProfile dialog(nullptr, {}, "Work", "v");
        QSignalSpy announced(&dialog, &LinkProfile::linkApp);
        Answerers answers;
        QString title;
        QStringList filters;
        QString directory;
        DialogAnswerer answer([&](QWidget *shown) {
            answers.push_back(std::make_unique<DialogAnswerer>(chooseFile(QString())));
            QVERIFY(WidgetDriver::click(shown, "pushButton_browse"));
            QVERIFY(answers.back()->answered());
            QVERIFY(shown->isVisible());
            QCOMPARE(announced.size(), 0);

            answers.push_back(std::make_unique<DialogAnswerer>([&](QWidget *files) {
                auto *fileDialog = qobject_cast<QFileDialog *>(files);
                QVERIFY(fileDialog);
                title = fileDialog->windowTitle();
                filters = fileDialog->nameFilters();
                directory = fileDialog->directory().absolutePath();
                chooseFile("Game.EXE")(files);
            }));
            QVERIFY(WidgetDriver::click(shown, "pushButton_browse"));
        });
        QCOMPARE(dialog.exec(), 1);
        QVERIFY(answer.answered());
        QCOMPARE(title, QString("Select app"));
        QCOMPARE(filters, (QStringList{"All files (*)", "*.exe"}));
        QCOMPARE(directory, desktopFolder);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0), linked("Game.EXE"));
        QCOMPARE(dialog.chosenName(), QString("Game.EXE"));
        QCOMPARE(iconImage(dialog.chosenIcon()), fileIcon(desktopFolder + "/Game.EXE"));
    }

    // A choice that is no longer a file when the dialog looks at it (removed
    // right after it was chosen) asks whether to choose again.
    void aChoiceThatIsNoFileAsks_data()
    {
        QTest::addColumn<bool>("again");
        QTest::newRow("yes: choose again") << true;
        QTest::newRow("no: back to the list") << false;
    }
    void aChoiceThatIsNoFileAsks()
    {
        QFETCH(bool, again);
        LinkProfile dialog(nullptr, {}, "Work", "pelkin");
        QSignalSpy announced(&dialog, &LinkProfile::linkApp);
        Answerers answers;
        QString question;
        QVariant questionKey;
        int questionWidth = 0;
        const QString vanishing = desktopFolder + "/Vanishing.EXE";
        QFile file(vanishing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        DialogAnswerer answer([&](QWidget *shown) {
            answers.push_back(std::make_unique<DialogAnswerer>([&](QWidget *files) {
                chooseFile("Vanishing.EXE")(files);
                QVERIFY(QFile::remove(vanishing));
                // The question opens once the file dialog has closed.
                answers.push_back(std::make_unique<DialogAnswerer>([&](QWidget *asked) {
                    question = WidgetDriver::child<QLabel>(asked, "label")->text();
                    questionKey = WidgetDriver::child(asked, "frame")->property("m");
                    questionWidth = asked->width();
                    if (again)
                        answers.push_back(std::make_unique<DialogAnswerer>(chooseFile("Game.EXE")));
                    QVERIFY(WidgetDriver::click(asked, again ? "btn_yes" : "btn_no"));
                }));
            }));
            QVERIFY(WidgetDriver::click(shown, "pushButton_browse"));
            if (!again) {
                QVERIFY(shown->isVisible());
                QVERIFY(WidgetDriver::click(shown, "pushButton_cancel"));
            }
        });
        QCOMPARE(dialog.exec(), again ? 1 : 0);
        QVERIFY(answer.answered());
        QCOMPARE(question, QString("Unable to retrieve an app location from the selected file. If you selected a "
                                   "shortcut try linking the app directly instead.\n\nWould you like try selecting "
                                   "another file?\n"));
        QCOMPARE(questionKey, QVariant("pelkin"));
        QCOMPARE(questionWidth, 500);
        QCOMPARE(announced.size(), again ? 1 : 0);
        if (again)
            QCOMPARE(announced.at(0), linked("Game.EXE"));
    }
};

QTEST_MAIN(TestLinkProfile)
#include "tst_linkprofile.moc"
