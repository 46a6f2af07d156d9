// The linked applications row and its chips, driven offscreen against the
// store's current profile: sorting, the "None" chip, chip widths, the row's
// height as chips wrap, reloads that store nothing, and the link dialog's
// applications handed on rather than linked.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "AppWidget.h"
#include "DialogAnswerer.h"
#include "LinkProfile.h"
#include "LinkedApps.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "SampleModel.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>
#include <vector>

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

QList<AppWidget *> chipsOf(const LinkedApps &row)
{
    // Display order: the order the flow layout holds them in.
    QList<AppWidget *> chips;
    const QLayout *flow = row.findChild<QWidget *>("scrollAreaWidgetContents")->layout()->itemAt(0)->layout();
    for (int i = 0; i < flow->count(); ++i)
        chips << qobject_cast<AppWidget *>(flow->itemAt(i)->widget());
    return chips;
}

QStringList shownNames(const LinkedApps &row)
{
    QStringList names;
    const QList<AppWidget *> chips = chipsOf(row);
    for (const AppWidget *chip : chips)
        names << chip->findChild<QLabel *>("label_name")->text();
    return names;
}

// Counts the resizes of a widget.
class ResizeCounter : public QObject
{
public:
    explicit ResizeCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            ++count;
        return false;
    }
};

bool noneShown(const LinkedApps &row)
{
    return row.findChild<QFrame *>("frame_none")->isVisible();
}

} // namespace

class TestLinkedApps : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    ProfileData *profile = nullptr;
    // The row at the top of a page, as on a profile page.
    std::unique_ptr<QWidget> page;
    LinkedApps *row = nullptr;

    void showRow()
    {
        page = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(page.get());
        layout->setContentsMargins(0, 0, 0, 0);
        row = new LinkedApps(page.get());
        layout->addWidget(row);
        layout->addStretch(1);
        page->resize(600, 200);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

private slots:
    void initTestCase()
    {
        qunsetenv("DISPLAY"); // the link dialog's detector must not reach a real display
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void init()
    {
        clean.emplace();
        SampleModel::emptyModel();
        profile = store()->addProfile(0, 255, "Work");
        store()->loading = false;
    }

    void cleanup()
    {
        page.reset();
        clean.reset();
    }

    void chipsSortByNameIgnoringCase()
    {
        showRow();
        QVERIFY(noneShown(*row));
        QCOMPARE(row->findChild<QLabel *>("label_none")->text(), QString("  None"));
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        row->linkApp("/usr/bin/beta", "beta");
        row->linkApp("C:\\Apps\\alpha.exe", "Alpha");
        row->linkApp("gamma.exe", "Gamma");
        QCOMPARE(shownNames(*row), QStringList({"Alpha", "beta", "Gamma"}));
        QCOMPARE(row->appIds(), QStringList({"C:\\Apps\\alpha.exe", "/usr/bin/beta", "gamma.exe"}));
        QCOMPARE(profile->linkedAppNames, QStringList({"Alpha", "beta", "Gamma"}));
        QCOMPARE(profile->linkedAppPaths, row->appIds());
        QCOMPARE(edits.size(), 3);
        QVERIFY(!noneShown(*row));

        row->linkApp("delta.exe", "Delta", true);
        QCOMPARE(profile->linkedAppNames.size(), 3);
        QCOMPARE(edits.size(), 3);
    }

    // The close button takes the chip away and stores the rest; the last one
    // gone shows "None" again.
    void closingChipsUnlinksThem()
    {
        showRow();
        row->linkApp("a.exe", "A");
        row->linkApp("b.exe", "B");
        QApplication::processEvents(); // new chips show once the layout took them
        QVERIFY(WidgetDriver::click(chipsOf(*row).at(0), "pushButton_close"));
        QCOMPARE(shownNames(*row), QStringList({"B"}));
        QCOMPARE(profile->linkedAppPaths, QStringList({"b.exe"}));
        QVERIFY(!noneShown(*row));
        QVERIFY(WidgetDriver::click(chipsOf(*row).at(0), "pushButton_close"));
        QVERIFY(shownNames(*row).isEmpty());
        QVERIFY(profile->linkedAppPaths.isEmpty());
        QVERIFY(profile->linkedAppNames.isEmpty());
        QVERIFY(noneShown(*row));
        QTest::qWait(0); // the chips go once their click returned
    }

    void unlinkRemovesEveryChipOfTheId()
    {
        showRow();
        row->linkApp("a.exe", "A");
        row->linkApp("b.exe", "B");
        row->linkApp("a.exe", "A again");
        row->unlinkApp("A.EXE");
        QCOMPARE(row->appIds().size(), 3);
        row->unlinkApp("a.exe");
        QCOMPARE(shownNames(*row), QStringList({"B"}));
        QCOMPARE(profile->linkedAppPaths, QStringList({"b.exe"}));
        row->clear();
        QVERIFY(noneShown(*row));
        QVERIFY(profile->linkedAppPaths.isEmpty());
    }

    // A reload shows the stored lists sorted but stores nothing, even lists
    // out of order or with an id twice.
    void reloadStoresNothing()
    {
        profile->linkedAppPaths = QStringList({"z.exe", "/opt/m/m", "z.exe"});
        profile->linkedAppNames = QStringList({"zeta", "Mu", "Zeta"});
        showRow();
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        row->reload();
        QCOMPARE(shownNames(*row), QStringList({"Mu", "zeta", "Zeta"}));
        QCOMPARE(profile->linkedAppPaths, QStringList({"z.exe", "/opt/m/m", "z.exe"}));
        QCOMPARE(profile->linkedAppNames, QStringList({"zeta", "Mu", "Zeta"}));
        QCOMPARE(edits.size(), 0);
        QVERIFY(!noneShown(*row));

        store()->setCurrentProfile(store()->globalProfile());
        row->reload();
        QVERIFY(shownNames(*row).isEmpty());
        QVERIFY(noneShown(*row));
        QCOMPARE(profile->linkedAppPaths.size(), 3);
        QCOMPARE(edits.size(), 0);
    }

    void chipIsAsWideAsItsName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("short") << "vi";
        QTest::newRow("long") << "A program with a really rather long name.exe";
        QTest::newRow("like markup") << "<b>R&D</b> &lt;Lab&gt;.exe";
    }
    void chipIsAsWideAsItsName()
    {
        QFETCH(QString, name);
        AppWidget chip(name, "id");
        auto *frame = chip.findChild<QFrame *>("frame");
        QCOMPARE(frame->width(), QFontMetrics(appFont()).horizontalAdvance(name) + 42);
        QCOMPARE(frame->height(), 27);
        QCOMPARE(WidgetDriver::shownText(chip.findChild<QLabel *>("label_name")), name);
    }

    void rowHeight_data()
    {
        QTest::addColumn<int>("layoutHeight");
        QTest::addColumn<int>("height");
        QTest::newRow("empty") << 0 << 40;
        QTest::newRow("one line") << 27 << 40;
        QTest::newRow("just over one line") << 28 << 77;
        QTest::newRow("two lines") << 64 << 77;
        QTest::newRow("just over two lines") << 65 << 114;
        QTest::newRow("three lines") << 101 << 114;
        QTest::newRow("many lines scroll") << 400 << 114;
    }
    void rowHeight()
    {
        QFETCH(int, layoutHeight);
        QFETCH(int, height);
        QCOMPARE(LinkedApps::rowHeight(layoutHeight, 10), height);
    }

    // The row grows a line at a time as the chips wrap, and stops at three.
    void rowGrowsWithTheChips()
    {
        showRow();
        QCOMPARE(row->height(), 40);
        QList<int> heights;
        for (int i = 0; i < 16; ++i) {
            row->linkApp(QString("app%1.exe").arg(i), QString("Application %1").arg(i, 2, 10, QChar('0')));
            QTest::qWait(0);
            QApplication::processEvents();
            if (heights.isEmpty() || heights.last() != row->height())
                heights << row->height();
        }
        QCOMPARE(heights, QList<int>({40, 77, 114}));
        QCOMPARE(row->minimumHeight(), row->maximumHeight());

        row->clear();
        QTRY_COMPARE(row->height(), 40);
    }

    // Two short chips on one line. The layouts round the row also try
    // narrower widths, at which the chips would wrap: the row keeps one
    // line's height, and once laid out it is left alone.
    void rowSettlesOnOneLine()
    {
        showRow();
        row->linkApp("/usr/bin/tool1", "Tool 1");
        row->linkApp("C:\\Games\\game1.exe", "Game \"1\"");
        ResizeCounter resizes(row);
        const auto settle = [] {
            QElapsedTimer timer;
            timer.start();
            while (timer.elapsed() < 200)
                QApplication::processEvents();
        };
        settle();
        QCOMPARE(row->height(), 40);
        const int settled = resizes.count;
        settle();
        QCOMPARE(resizes.count, settled);
        QCOMPARE(row->height(), 40);
    }

    void threeLinesPicture()
    {
        showRow();
        for (const char *name : {"Calculator", "Editor", "Game", "Mail", "Music Player", "Terminal", "Browser",
                                 "Photo Editor", "Chat", "Spreadsheet"})
            row->linkApp(QString(name).toLower() + ".exe", name);
        QTRY_COMPARE(row->height(), 114);
        QApplication::processEvents();
        const QString picture = WidgetDriver::grabToPng(row, "linked-apps-three-lines");
        QVERIFY(!picture.isEmpty());
        row->clear();
        QTRY_COMPARE(row->height(), 40);
        QApplication::processEvents();
        QVERIFY(!WidgetDriver::grabToPng(row, "linked-apps-none").isEmpty());
    }

    // "+ Add" runs the link dialog for the current profile; what it links is
    // handed on for the receiver to link, never linked here as well.
    void linkDialogHandsTheApplicationsOn()
    {
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QVERIFY(QDir().mkpath(desktop));
        QFile program(desktop + "/Game.exe");
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        showRow();
        row->linkApp("b.exe", "Beta");
        QSignalSpy handed(row, &LinkedApps::checkNewLink);

        QString title;
        std::vector<std::unique_ptr<DialogAnswerer>> answers;
        DialogAnswerer answer([&](QWidget *dialog) {
            title = WidgetDriver::child<QLabel>(dialog, "label")->text();
            answers.push_back(std::make_unique<DialogAnswerer>([](QWidget *files) {
                QVERIFY(WidgetDriver::typeInto(files, "fileNameEdit", "Game.exe"));
                QPushButton *open =
                    WidgetDriver::child<QDialogButtonBox>(files, "buttonBox")->button(QDialogButtonBox::Open);
                QTest::mouseClick(open, Qt::LeftButton, Qt::NoModifier, open->rect().center());
            }));
            QVERIFY(WidgetDriver::click(dialog, "pushButton_browse"));
        });
        QVERIFY(WidgetDriver::click(row, "pushButton_add"));
        QVERIFY(answer.answered());
        QCOMPARE(title, QString("Link App to Work profile"));
        QCOMPARE(handed.size(), 1);
        QCOMPARE(handed.at(0), QVariantList({"Game.exe", "Game.exe"}));
        QCOMPARE(shownNames(*row), QStringList({"Beta"}));
        QCOMPARE(profile->linkedAppPaths, QStringList({"b.exe"}));
    }
};

QTEST_MAIN(TestLinkedApps)
#include "tst_linkedapps.moc"
