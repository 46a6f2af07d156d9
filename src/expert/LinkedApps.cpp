#include "LinkedApps.h"

#include "AppWidget.h"
#include "FlowLayout.h"
#include "LinkProfile.h"
#include "PackageCreator.h"
#include "ui_LinkedApps.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int chipHeight = 27;
constexpr int chipSpacing = 10;
// The top and bottom margins of the row's frame.
constexpr int rowMargins = 7 + 6;

} // namespace

LinkedApps::LinkedApps(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::LinkedApps>())
    , model(PackageCreator::instance())
{
    ui->setupUi(this);
    // The frame's sheet has no selector, and such a sheet of an ancestor
    // outranks the scroll area's own rules for its scroll bar; set on the
    // bar itself they apply.
    ui->scrollArea->verticalScrollBar()->setStyleSheet(ui->scrollArea->styleSheet());
    flow = new FlowLayout(nullptr, 0, chipSpacing, chipSpacing);
    ui->horizontalLayout_box->addLayout(flow);
    setFixedHeight(rowHeight(0, chipSpacing));
    // Queued: the flow layout announces its height in the middle of the
    // row's own layout pass, which a new fixed height must not re-enter.
    connect(flow, &FlowLayout::newHeight, this, &LinkedApps::heightChanged, Qt::QueuedConnection);
    connect(ui->pushButton_add, &QPushButton::clicked, this, &LinkedApps::openLinkDialog);
}

LinkedApps::~LinkedApps() = default;

int LinkedApps::rowHeight(int layoutHeight, int spacing)
{
    int rows = 3 * chipHeight + 2 * spacing;
    if (layoutHeight <= chipHeight)
        rows = chipHeight;
    else if (layoutHeight <= 2 * chipHeight + spacing)
        rows = 2 * chipHeight + spacing;
    return rows + rowMargins;
}

void LinkedApps::heightChanged(int layoutHeight)
{
    // The flow reports the height of its trial runs too, which its parents
    // make at other widths; a row that took those would change its height,
    // be laid out again at its own width and change it back, over and over.
    // It takes the height at the width the flow was laid out in.
    const int width = flow->geometry().width();
    if (width > 0) {
        const QSignalBlocker quiet(flow);
        layoutHeight = flow->heightForWidth(width);
    }
    const int height = rowHeight(layoutHeight, flow->verticalSpacing());
    if (height != this->height())
        setFixedHeight(height);
}

void LinkedApps::linkApp(const QString &id, const QString &appName, bool visualOnly)
{
    auto *chip = new AppWidget(appName, id, ui->scrollAreaWidgetContents);
    connect(chip, &AppWidget::deleteMe, this, [this, chip] { removeApp(chip); });
    chips.append(chip);
    std::stable_sort(chips.begin(), chips.end(), [](const AppWidget *a, const AppWidget *b) {
        return a->name().compare(b->name(), Qt::CaseInsensitive) < 0;
    });
    placeChips();
    if (!visualOnly)
        store();
}

void LinkedApps::removeApp(AppWidget *chip)
{
    if (!chips.removeOne(chip))
        return;
    flow->removeWidget(chip);
    // Removal may come from the chip's own click: it goes once that returned.
    chip->hide();
    chip->deleteLater();
    ui->frame_none->setVisible(chips.isEmpty());
    store();
}

void LinkedApps::unlinkApp(const QString &id)
{
    const QList<AppWidget *> all = chips;
    for (AppWidget *chip : all) {
        if (chip->id() == id)
            removeApp(chip);
    }
}

QStringList LinkedApps::appIds() const
{
    QStringList ids;
    for (const AppWidget *chip : chips)
        ids << chip->id();
    return ids;
}

QStringList LinkedApps::appNames() const
{
    QStringList names;
    for (const AppWidget *chip : chips)
        names << chip->name();
    return names;
}

void LinkedApps::reload()
{
    deleteChips();
    QStringList paths;
    QStringList names;
    model->linkedApps(&paths, &names);
    for (int i = 0; i < paths.size(); ++i)
        linkApp(paths.at(i), names.value(i), true);
    ui->frame_none->setVisible(chips.isEmpty());
}

void LinkedApps::clear()
{
    deleteChips();
    ui->frame_none->setVisible(true);
    store();
}

void LinkedApps::openLinkDialog()
{
    LinkProfile dialog(this, appNames(), model->currentProfile() ? model->currentProfile()->name : QString(),
                       QStringLiteral("v"));
    connect(&dialog, &LinkProfile::linkApp, this,
            [this](const QString &id, const QString &appName) { emit checkNewLink(id, appName); });
    dialog.exec();
}

void LinkedApps::deleteChips()
{
    for (AppWidget *chip : qAsConst(chips)) {
        flow->removeWidget(chip);
        delete chip;
    }
    chips.clear();
}

void LinkedApps::placeChips()
{
    while (QLayoutItem *item = flow->takeAt(0))
        delete item;
    for (AppWidget *chip : qAsConst(chips))
        flow->addWidget(chip);
    ui->frame_none->setVisible(chips.isEmpty());
}

void LinkedApps::store()
{
    model->setLinkedApps(appIds(), appNames());
}
