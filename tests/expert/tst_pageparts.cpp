// The small parts of a profile page, driven offscreen: the empty page in its
// mappings and settings variants with the hover line beside its button, and
// the breadcrumb item of the profile header.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "EmptyPage.h"
#include "TreeHeaderItem.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString text(const QWidget *root, const char *label)
{
    return WidgetDriver::shownText(WidgetDriver::child<QLabel>(root, label));
}

// The description row as it reads.
QString description(const EmptyPage &page)
{
    QStringList parts{text(&page, "label_no"), text(&page, "label_page"), text(&page, "label_from")};
    parts.removeAll(QString());
    return parts.join(' ');
}

bool shown(const QWidget *root, const char *name)
{
    return WidgetDriver::child(root, name)->isVisible();
}

// The pointer comes to rest on the widget, then leaves it.
void hover(QWidget *widget)
{
    QTest::mouseMove(widget, widget->rect().center());
    QApplication::processEvents();
}

void leave(QWidget *window)
{
    QTest::mouseMove(window, QPoint(2, window->height() - 2));
    QApplication::processEvents();
}

} // namespace

class TestPageParts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void noMappingsNamesTheParent()
    {
        EmptyPage page;
        page.resize(910, 323);
        QSignalSpy addMappings(&page, &EmptyPage::addMappings);
        QSignalSpy addSettings(&page, &EmptyPage::addSettings);
        page.showNoMappings("Games", "All");
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(description(page), QString("No mappings in this profile for All (mappings from Games apply)."));
        QVERIFY(shown(&page, "pushButton_add_mappings"));
        QVERIFY(!shown(&page, "pushButton_add_settings"));
        QVERIFY(shown(&page, "widget_legend"));
        QCOMPARE(text(&page, "label_tree_1"), QString("\"User Input\""));
        QCOMPARE(text(&page, "label_tree_2"), QString("\"Output Action\""));
        QVERIFY(!shown(&page, "label_to"));

        auto *button = WidgetDriver::child(&page, "pushButton_add_mappings");
        hover(button);
        QVERIFY(shown(&page, "label_to"));
        QCOMPARE(text(&page, "label_to"), QString("Add mappings to override Games."));
        QVERIFY(!WidgetDriver::grabToPng(&page, "empty-page-mappings").isEmpty());
        leave(&page);
        QVERIFY(!shown(&page, "label_to"));

        QVERIFY(WidgetDriver::click(&page, "pushButton_add_mappings"));
        QCOMPARE(addMappings.size(), 1);
        QCOMPARE(addSettings.size(), 0);
    }

    void noSettingsHasNoLegend()
    {
        EmptyPage page;
        page.resize(910, 323);
        QSignalSpy addSettings(&page, &EmptyPage::addSettings);
        page.showNoMappings("Games", "Tilt left / right");
        page.showNoSettings("Work");
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(description(page), QString("No settings in this profile (settings from Work apply)."));
        QVERIFY(text(&page, "label_page").isEmpty());
        QVERIFY(!shown(&page, "widget_legend"));
        QVERIFY(!shown(&page, "pushButton_add_mappings"));
        hover(WidgetDriver::child(&page, "pushButton_add_settings"));
        QCOMPARE(text(&page, "label_to"), QString("Add settings to override Work."));
        QVERIFY(shown(&page, "label_to"));
        QVERIFY(!WidgetDriver::grabToPng(&page, "empty-page-settings").isEmpty());
        QVERIFY(WidgetDriver::click(&page, "pushButton_add_settings"));
        QCOMPARE(addSettings.size(), 1);
    }

    // Before it is first filled the page reads as the settings variant of
    // the global profile.
    void newPageNamesGlobalSettings()
    {
        EmptyPage page;
        QCOMPARE(description(page), QString("No settings in this profile (settings from Global apply)."));
        QVERIFY(WidgetDriver::child(&page, "pushButton_add_mappings")->isHidden());
        QVERIFY(WidgetDriver::child(&page, "label_to")->isHidden());
    }

    // Profile names are shown as typed, never read as markup.
    void namesReadAsTyped()
    {
        const QString name = "<b>R&D</b> &lt;Lab&gt;";
        EmptyPage page;
        page.showNoMappings(name, "All");
        QCOMPARE(description(page), "No mappings in this profile for All (mappings from " + name + " apply).");
        QCOMPARE(text(&page, "label_to"), "Add mappings to override " + name + ".");
        page.showNoSettings(name);
        QCOMPARE(description(page), "No settings in this profile (settings from " + name + " apply).");
        QCOMPARE(text(&page, "label_to"), "Add settings to override " + name + ".");
        TreeHeaderItem item(name);
        QCOMPARE(text(&item, "label_header"), name);
    }

    void breadcrumbItemFitsItsText_data()
    {
        QTest::addColumn<QString>("label");
        QTest::newRow("short") << "A";
        QTest::newRow("card names") << "Left Button > Hard press";
    }
    void breadcrumbItemFitsItsText()
    {
        QFETCH(QString, label);
        TreeHeaderItem item(label);
        QCOMPARE(item.text(), label);
        auto *header = WidgetDriver::child<QLabel>(&item, "label_header");
        QCOMPARE(header->width(), QFontMetrics(appFont()).horizontalAdvance(label) + 20);
        QCOMPARE(header->minimumWidth(), header->maximumWidth());
        QCOMPARE(item.objectName(), QString("TreeHeaderItem"));
    }
};

QTEST_MAIN(TestPageParts)
#include "tst_pageparts.moc"
