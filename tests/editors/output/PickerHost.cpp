#include "PickerHost.h"

#include "ActionLibrary.h"
#include "WidgetDriver.h"

#include <QGraphicsProxyWidget>
#include <QVBoxLayout>
#include <QtTest>

QByteArray pickerLibraryFile()
{
    QStringList lines{
        "Depth,Category,Name,Input,Press,Release,Notes,Category zh_TW,Name zh_TW",
        "0,Editing,Copy,None,ControlLeft↓ + C↓,C↑ + ControlLeft↑",
        "0,Editing,Paste,None,ControlLeft↓ + V↓,V↑ + ControlLeft↑",
        "0,Editing > Text,Bold,None,ControlLeft↓ + B↓,B↑ + ControlLeft↑",
        "0,Editing > Text,Code Block,None,ControlLeft↓ + E,ControlLeft↑",
        "0,Media > Recording,Record Screen,None,F9,None",
        "0,Clicks,Left with nested,None,MouseButton1↓,MouseButton1↑",
        "1,Clicks,Inner copy,Button 2,C,None",
        "1,Clicks,Inner paste,Button 3,V,None",
    };
    for (char letter = 'A'; letter <= 'Y'; ++letter)
        lines << QStringLiteral("0,Letters,Letter %1,None,%1,None").arg(QChar(letter));
    return lines.join('\n').toUtf8() + '\n';
}

PickerHost::PickerHost(InputMapActionConfig *mapping, Place place)
    : simple(place != Expert)
{
    ActionLibrary::fillModel(entries, &library);
    page = new QWidget;
    page->setObjectName("page");
    page->setStyleSheet("QWidget#page { background: #1d2040; }");
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 10, 10, 10);
    bar = new OutputBar(mapping, "v", simple, page);
    bar->setProperty("frame_type", simple ? "output_container" : "");
    bar->setFixedHeight(simple ? 40 : 20);
    if (place == SimpleBottom)
        layout->addStretch();
    layout->addWidget(bar);
    if (place != SimpleBottom)
        layout->addStretch();
    bar->setOutputModel(&library, entries);

    if (simple) {
        page->resize(520, 440);
        scene = std::make_unique<QGraphicsScene>();
        proxy = scene->addWidget(page); // owns the page
        scene->setSceneRect(0, 0, 520, 440);
        view = std::make_unique<QGraphicsView>(scene.get());
        view->setFrameShape(QFrame::NoFrame);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setFixedSize(520, 440);
    } else {
        window.reset(page);
        page->resize(520, 300);
    }
}

PickerHost::~PickerHost()
{
    // The view goes before the scene, which deletes the page with the bar.
    view.reset();
    scene.reset();
}

bool PickerHost::show()
{
    QWidget *top = simple ? static_cast<QWidget *>(view.get()) : window.get();
    top->show();
    top->activateWindow();
    return QTest::qWaitForWindowExposed(top);
}

QWidget *PickerHost::popup() const
{
    return combo()->popup();
}

QWidget *PickerHost::keyTarget() const
{
    return tree()->isVisible() ? static_cast<QWidget *>(tree()) : popup();
}

bool PickerHost::openPopup()
{
    ComboTree *c = combo();
    if (simple) {
        const QPoint inPage = c->mapTo(page, c->rect().center());
        const QPoint inView = view->mapFromScene(proxy->mapToScene(QPointF(inPage)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, inView);
    } else {
        QTest::mouseClick(c, Qt::LeftButton);
    }
    return c->isPopupVisible() && popup() && popup()->isVisible();
}

namespace {

void collectRows(const QTreeView *tree, const QModelIndex &parent, QStringList *rows)
{
    const QAbstractItemModel *model = tree->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        if (tree->isRowHidden(row, parent))
            continue;
        const QModelIndex index = model->index(row, 0, parent);
        rows->append(index.data().toString());
        if (tree->isExpanded(index))
            collectRows(tree, index, rows);
    }
}

} // namespace

QStringList PickerHost::shownRows() const
{
    QStringList rows;
    if (tree()->isVisible())
        collectRows(tree(), QModelIndex(), &rows);
    return rows;
}

bool PickerHost::clickRow(const QString &text)
{
    return WidgetDriver::clickTreeRow(tree(), text);
}

bool PickerHost::clickArrow(const QString &text)
{
    return WidgetDriver::clickTreeRow(tree(), text, true);
}

QRect PickerHost::comboRect() const
{
    return QRect(combo()->mapToGlobal(QPoint(0, 0)), combo()->size());
}

QRect PickerHost::popupRect() const
{
    return popup()->geometry();
}

QWidget *PickerHost::picture() const
{
    return simple ? static_cast<QWidget *>(view.get()) : window.get();
}
