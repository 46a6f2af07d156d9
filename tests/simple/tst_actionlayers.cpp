// The action layers on the fixture's inheriting sub-profile: rows and
// levels, "Add Input", removing rows, fitting the scroll areas, and the one
// copy of a tree that every edit of an inherited block makes.
#include "ActionLayer.h"
#include "ActionLayers.h"
#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "ForcePressInput.h"
#include "HintsArea.h"
#include "InputBar.h"
#include "LayerFixture.h"
#include "MappingPaths.h"
#include "ModelSnapshot.h"
#include "MouseMovementInput.h"
#include "OutputBar.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "ProgramFolder.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>

using LayerFixture::choose;

Q_DECLARE_METATYPE(std::function<void()>)
Q_DECLARE_METATYPE(QList<QList<int>>)
Q_DECLARE_METATYPE(InputMapActionConfig *)

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

// Hovers a widget as far as the rows care: an Enter event.
void enter(QWidget *widget)
{
    QEvent event(QEvent::Enter);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestActionLayers : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    QTemporaryDir programFolder;
    LayerFixture::Model m;
    std::unique_ptr<QWidget> host;
    QPointer<ActionLayers> page;

    void plugIn(int model)
    {
        mouse = std::make_unique<ConnectedMouse>(model);
        mouse->connect();
    }

    ActionLayers *load(const QList<InputMapActionConfig *> &mappings, int height = 1400)
    {
        host = std::make_unique<QWidget>();
        host->resize(1000, height);
        page = new ActionLayers(store()->currentProfile(), host.get());
        page->setModelKey(QStringLiteral("pelkin"));
        page->loadMappings(mappings);
        page->resize(1000, height);
        host->show();
        return page;
    }

    ActionLayer *rowOf(InputMapActionConfig *mapping) const
    {
        for (ActionLayer *row : page->layers()) {
            if (row->mapping() == mapping)
                return row;
        }
        return nullptr;
    }

    // The row's editor, opened by a click on its input button unless it is
    // open already.
    template<class Editor>
    Editor *openEditor(ActionLayer *row)
    {
        if (row && row->inputBar()->editor() && row->inputBar()->editor()->isVisible())
            return qobject_cast<Editor *>(row->inputBar()->editor());
        if (!row || !WidgetDriver::click(row, QStringLiteral("inputButton")))
            return nullptr;
        return qobject_cast<Editor *>(row->inputBar()->editor());
    }

    // Everything but "Work A" as it was; "Work A" holds one copy of the tree
    // of original, and every row of its block shows the mapping at its
    // place in that copy, in both bars.
    void checkOneCopy(const ModelSnapshot &before, InputMapActionConfig *original, const QList<QList<int>> &paths)
    {
        QCOMPARE(m.workA->inputMaps.size(), 1);
        InputMapActionConfig *copy = m.workA->inputMaps.first().get();
        InputMapList copied = m.workA->inputMaps;
        m.workA->inputMaps.clear();
        const QString difference = ModelSnapshot::take().differenceFrom(before);
        m.workA->inputMaps = copied;
        QVERIFY2(difference.isEmpty(), qPrintable(difference));

        QList<QList<int>> shown;
        for (ActionLayer *row : page->layers()) {
            InputMapActionConfig *root = MappingPaths::rootOf(row->mapping());
            QVERIFY(root != original);
            if (root != copy)
                continue; // another block
            QCOMPARE(row->inputBar()->config(), row->mapping());
            QCOMPARE(row->outputBar()->config(), row->mapping());
            shown << MappingPaths::pathOf(row->mapping());
        }
        QCOMPARE(shown, paths);
        QVERIFY(page->scrollAreaOf(copy));
        QVERIFY(page->addButtonOf(copy));
        QVERIFY(!page->scrollAreaOf(original));
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<InputMapActionConfig *>();
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
        m = LayerFixture::build();
    }
    void cleanup()
    {
        host.reset();
        mouse.reset();
        clean.reset();
    }

    void rowsShowThreeLevels()
    {
        load({m.left, m.right});
        QList<InputMapActionConfig *> mappings;
        QList<int> depths;
        for (ActionLayer *row : page->layers()) {
            mappings << row->mapping();
            depths << row->depth();
        }
        // The Top Thumb four levels down has no row.
        QCOMPARE(mappings, (QList<InputMapActionConfig *>{m.left, m.leftForce, m.leftTilt, m.leftMovement, m.right}));
        QCOMPARE(depths, (QList<int>{0, 1, 2, 1, 0}));
        QCOMPARE(page->scrollAreas().size(), 2);
        QVERIFY(page->scrollAreaOf(m.left)->isVisible());
        QCOMPARE(page->scrollAreaOf(m.left)->height(), 150);
        QVERIFY(!page->scrollAreaOf(m.right)->isVisible());
        QVERIFY(page->addButtonOf(m.right)->isVisible());
        QCOMPARE(page->addButtonOf(m.right)->text(), QStringLiteral("Add Input"));

        ActionLayer *top = page->layers().first();
        QVERIFY(!top->deleteButton());
        QVERIFY(!top->inputBar()->inputButton()->isEnabled());
        QCOMPARE(top->inputBar()->inputButton()->property("button_type").toString(), QStringLiteral("input"));

        QList<QPoint> anchors = page->layerAnchors(0);
        QCOMPARE(anchors.size(), 2);
        QCOMPARE(anchors.first(), top->pos() + QPoint(0, 20));
        anchors = page->layerAnchors(2);
        QCOMPARE(anchors.size(), 1);
        QCOMPARE(anchors.first().x(), 120);
        QCOMPARE(anchors.first().y(), rowOf(m.leftTilt)->y() + page->scrollAreaOf(m.left)->y() + 20);
    }

    void childRowOpensItsEditorInsteadOfThePicker()
    {
        load({m.left});
        ActionLayer *force = rowOf(m.leftForce);
        QVERIFY(force->outputBar()->isVisible());
        QVERIFY(!force->deleteButton()->isVisible());
        enter(force->inputBar());
        QVERIFY(force->deleteButton()->isVisible());

        // Over the picker the hint bar tells what it does.
        QLabel *hint = HintsArea::instance()->findChild<QLabel *>();
        QVERIFY(hint);
        enter(force->outputBar());
        QCOMPARE(hint->text(), HintsArea::hintText(9));

        auto *editor = openEditor<ForcePressInput>(force);
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QVERIFY(!force->outputBar()->isVisible());
        QVERIFY(WidgetDriver::click(force, QStringLiteral("hideInputButton")));
        QVERIFY(force->outputBar()->isVisible());
        QVERIFY(!editor->isVisible());
    }

    void middleButtonChildKinds_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("forceAndTilt");
        QTest::newRow("model 10") << 10 << false;
        QTest::newRow("model 5") << 5 << true;
    }
    void middleButtonChildKinds()
    {
        QFETCH(int, model);
        QFETCH(bool, forceAndTilt);
        plugIn(model);
        load({m.middle});
        auto *editor = openEditor<SimpleInputType>(rowOf(m.middleThumb));
        QVERIFY(editor);
        const QStringList kinds = LayerFixture::itemsOf(editor->kindCombo());
        QCOMPARE(kinds.contains("Force Press"), forceAndTilt);
        QCOMPARE(kinds.contains("Tilt/Pivot"), forceAndTilt);
    }

    void addInputMakesTheFirstKindOffered_data()
    {
        QTest::addColumn<bool>("underLeft");
        QTest::addColumn<int>("type");
        QTest::newRow("under the Right Button") << false << 10;
        QTest::newRow("under the Left Button") << true << 50;
    }
    void addInputMakesTheFirstKindOffered()
    {
        QFETCH(bool, underLeft);
        QFETCH(int, type);
        plugIn(10);
        const ModelSnapshot before = ModelSnapshot::take();
        load({m.left, m.right});
        InputMapActionConfig *parent = underLeft ? m.left : m.right;
        QSignalSpy stored(store(), &PackageCreator::updateMemoryUsed);
        QTest::mouseClick(page->addButtonOf(parent), Qt::LeftButton);
        QCOMPARE(stored.count(), 1);

        QCOMPARE(m.workA->inputMaps.size(), 1);
        InputMapActionConfig *copy = m.workA->inputMaps.first().get();
        InputMapActionConfig *child = copy->children.last().get();
        QCOMPARE(child->inputType, type);
        ActionLayer *row = page->layers().last();
        QCOMPARE(row->mapping(), child);
        QCOMPARE(row->depth(), 1);
        QVERIFY(row->inputBar()->editor());
        QVERIFY(row->inputBar()->editor()->isVisible());
        QVERIFY(!row->outputBar()->isVisible());
        QScrollArea *area = page->scrollAreaOf(copy);
        QVERIFY(area && area->isVisible());
        if (underLeft) {
            QCOMPARE(static_cast<InputMapAction_Force *>(child)->buttonId, 0);
            auto *force = qobject_cast<ForcePressInput *>(row->inputBar()->editor());
            QVERIFY(force);
            QCOMPARE(force->findChild<QSpinBox *>("forceSpin")->value(), 50);
            QCOMPARE(area->height(), 200);
        } else {
            QCOMPARE(static_cast<InputMapAction_Button *>(child)->buttonId, 0);
            QCOMPARE(row->inputBar()->editor()->kindCombo()->currentText(), QStringLiteral("Button"));
            // The first child shows the area with one row.
            QCOMPARE(area->height(), 50);
        }
        // Global is untouched; the block is one copy in "Work A".
        InputMapList copied = m.workA->inputMaps;
        m.workA->inputMaps.clear();
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        m.workA->inputMaps = copied;
    }

    void scrollMappingsGetNoChildren()
    {
        load({m.scroll});
        QVERIFY(!page->addButtonOf(m.scroll)->isVisible());
    }

    void removingARowTakesItsDescendants()
    {
        load({m.left});
        ActionLayer *force = rowOf(m.leftForce);
        enter(force->inputBar());
        QSignalSpy stored(store(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(force, QStringLiteral("deleteButton")));
        QCOMPARE(stored.count(), 1);
        QList<int> depths;
        for (ActionLayer *row : page->layers())
            depths << row->depth();
        QCOMPARE(depths, (QList<int>{0, 1}));
        QCOMPARE(page->layers().at(1)->mapping()->inputType, 20);
        QCOMPARE(page->scrollAreaOf(m.workA->inputMaps.first().get())->height(), 50);
        QCOMPARE(m.workA->inputMaps.first()->children.size(), 1);
        QCOMPARE(m.left->children.size(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void scrollAreasShrinkInAShortWindow()
    {
        QList<InputMapActionConfig *> tops;
        InputMapList all;
        for (int children : {5, 1, 6}) {
            const InputMapPtr top = SampleModel::button(3 + int(all.size()));
            for (int i = 0; i < children; ++i)
                top->addChild(SampleModel::button(i));
            all << top;
            tops << top.get();
        }
        m.global->inputMaps = all;
        load(tops, 755);
        QList<int> heights;
        for (QScrollArea *area : page->scrollAreas())
            heights << area->height();
        QCOMPARE(heights, (QList<int>{150, 50, 200}));
    }

    void everyEditOfAnInheritedBlockMakesOneCopy_data()
    {
        QTest::addColumn<std::function<void()>>("action");
        QTest::addColumn<bool>("middleBlock");
        QTest::addColumn<QList<QList<int>>>("paths");
        const QList<QList<int>> left{{}, {0}, {0, 0}, {1}};
        const QList<QList<int>> middle{{}, {0}, {1}};
        QTest::newRow("force editor") << std::function<void()>([this] {
            auto *editor = openEditor<ForcePressInput>(rowOf(m.leftForce));
            QVERIFY(editor);
            QTest::keyClick(editor->findChild<QSlider *>("forceSlider"), Qt::Key_Right);
        }) << false << left;
        QTest::newRow("movement editor") << std::function<void()>([this] {
            auto *editor = openEditor<MouseMovementInput>(rowOf(m.leftMovement));
            QVERIFY(editor);
            QVERIFY(WidgetDriver::click(editor, QStringLiteral("repeatCheck")));
        }) << false << left;
        QTest::newRow("angle editor") << std::function<void()>([this] {
            auto *editor = openEditor<SimpleInputType>(rowOf(m.leftTilt));
            QVERIFY(editor);
            QVERIFY(WidgetDriver::typeInto(editor, QStringLiteral("angleSpin"), QStringLiteral("20")));
        }) << false << left;
        QTest::newRow("button editor") << std::function<void()>([this] {
            auto *editor = openEditor<SimpleInputType>(rowOf(m.middleThumb));
            QVERIFY(editor);
            QVERIFY(choose(editor->findChild<QComboBox *>("buttonCombo"), QStringLiteral("Rear Edge")));
        }) << true << middle;
        QTest::newRow("scroll editor") << std::function<void()>([this] {
            auto *editor = openEditor<SimpleInputType>(rowOf(m.middleScroll));
            QVERIFY(editor);
            QVERIFY(choose(editor->findChild<QComboBox *>("directionCombo"), QStringLiteral("Both")));
        }) << true << middle;
        QTest::newRow("pick") << std::function<void()>([this] {
            rowOf(m.leftMovement)->outputBar()->outputChange("Editing", QString(), "Nothing Much");
        }) << false << left;
        QTest::newRow("add input") << std::function<void()>([this] {
            QTest::mouseClick(page->addButtonOf(m.left), Qt::LeftButton);
        }) << false << (left + QList<QList<int>>{{2}});
        QTest::newRow("remove") << std::function<void()>([this] {
            ActionLayer *row = rowOf(m.leftTilt);
            enter(row->inputBar());
            QVERIFY(WidgetDriver::click(row, QStringLiteral("deleteButton")));
        }) << false << QList<QList<int>>{{}, {0}, {1}};
        QTest::newRow("change of kind") << std::function<void()>([this] {
            auto *editor = openEditor<SimpleInputType>(rowOf(m.leftForce));
            QVERIFY(editor);
            QVERIFY(choose(editor->kindCombo(), QStringLiteral("Button")));
        }) << false << left;
    }
    void everyEditOfAnInheritedBlockMakesOneCopy()
    {
        QFETCH(std::function<void()>, action);
        QFETCH(bool, middleBlock);
        QFETCH(QList<QList<int>>, paths);
        InputMapActionConfig *original = middleBlock ? m.middle : m.left;
        const ModelSnapshot before = ModelSnapshot::take();
        load({m.left, m.middle, m.right});
        action();
        if (QTest::currentTestFailed())
            return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkOneCopy(before, original, paths);
        if (QTest::currentTestFailed())
            return;

        // The next edit of another row of the block goes to the same copy.
        ActionLayer *other = nullptr;
        for (ActionLayer *row : page->layers()) {
            const int type = row->mapping()->inputType;
            if (MappingPaths::rootOf(row->mapping()) == m.workA->inputMaps.first().get() && (type == 20 || type == 30))
                other = row;
        }
        QVERIFY(other);
        auto *editor = openEditor<SimpleInputType>(other);
        QVERIFY(editor);
        if (other->mapping()->inputType == 20) {
            QVERIFY(WidgetDriver::typeInto(editor, QStringLiteral("distanceSpin"), QStringLiteral("77")));
            QCOMPARE(static_cast<InputMapAction_Movement *>(other->mapping())->countDivisor.value(), quint16(77));
        } else {
            QVERIFY(choose(editor->findChild<QComboBox *>("directionCombo"), QStringLiteral("Push Forward")));
            QCOMPARE(static_cast<InputMapAction_Scroll *>(other->mapping())->wheelDirection, 0);
        }
        checkOneCopy(before, original, paths);
    }

    // The page is rebuilt from the profile on every reload, as the quick
    // editor does (the old page deleted later), while the row that asked for
    // it is still at work.
    void reloadRebuildsThePageDuringAnEdit_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("pick") << "pick";
        QTest::newRow("change of kind") << "kind";
        QTest::newRow("remove") << "remove";
    }
    void reloadRebuildsThePageDuringAnEdit()
    {
        QFETCH(QString, action);
        load({m.left});
        int reloads = 0;
        bool pointedBeforeReload = true;
        std::function<void()> connectReload;
        connectReload = [&] {
            connect(page, &ActionLayers::reload, host.get(), [&] {
                ++reloads;
                // Every row already shows a mapping of the current profile.
                for (ActionLayer *row : page->layers()) {
                    pointedBeforeReload = pointedBeforeReload && store()->containsInputMap(row->mapping())
                                          && row->inputBar()->config() == row->mapping()
                                          && row->outputBar()->config() == row->mapping();
                }
                page->hide();
                page->deleteLater();
                InputMapActionConfig *left = m.workA->inputMaps.isEmpty() ? m.left : m.workA->inputMaps.first().get();
                page = new ActionLayers(m.workA, host.get());
                page->loadMappings({left});
                connectReload();
            });
        };
        connectReload();
        if (action == "pick") {
            rowOf(m.leftForce)->outputBar()->outputChange("Editing", QString(), "Nothing Much");
        } else if (action == "kind") {
            auto *editor = openEditor<SimpleInputType>(rowOf(m.leftForce));
            QVERIFY(editor);
            QVERIFY(choose(editor->kindCombo(), QStringLiteral("Scroll")));
        } else {
            ActionLayer *row = rowOf(m.leftForce);
            enter(row->inputBar());
            QVERIFY(WidgetDriver::click(row, QStringLiteral("deleteButton")));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(reloads >= 1);
        QVERIFY(pointedBeforeReload);
        QCOMPARE(m.workA->inputMaps.size(), 1);
        QCOMPARE(page->layers().first()->mapping(), m.workA->inputMaps.first().get());
    }

    void pictureOfEveryEditor_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("v") << "v";
        QTest::newRow("pelkin") << "pelkin";
    }
    void pictureOfEveryEditor()
    {
        QFETCH(QString, key);
        plugIn(key == "v" ? 5 : 20);
        qApp->setStyleSheet(AppStyleSheet::joined());
        host = std::make_unique<QWidget>();
        host->setProperty("m", key);
        host->setObjectName("host");
        host->setStyleSheet(key == "v" ? "QWidget#host { background: #1e1e20; }"
                                       : "QWidget#host { background: #e6e6e6; }");
        host->resize(1000, 900);
        page = new ActionLayers(m.workA, host.get());
        page->setModelKey(key);
        page->loadMappings({m.left, m.middle, m.tilt});
        page->resize(1000, 900);
        host->show();
        for (InputMapActionConfig *mapping :
             {m.leftForce, m.leftTilt, m.leftMovement, m.middleThumb, m.middleScroll, m.tilt})
            QVERIFY(openEditor<SimpleInputType>(rowOf(mapping)));
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        QTest::qWait(50);
        QVERIFY(!WidgetDriver::grabToPng(host.get(), "layers-" + key).isEmpty());

        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestActionLayers)
#include "tst_actionlayers.moc"
