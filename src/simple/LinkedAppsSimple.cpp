#include "LinkedAppsSimple.h"

#include "FlowLayout.h"
#include "LinkedApp.h"
#include "StyleProperties.h"
#include "ui_LinkedAppsSimple.h"

#include <QResizeEvent>

#include <algorithm>

LinkedAppsSimple::LinkedAppsSimple(QWidget *parent, const QString &modelKey)
    : QWidget(parent)
    , ui(std::make_unique<Ui::LinkedAppsSimple>())
{
    ui->setupUi(this);
    StyleProperties::set({ui->scrollArea, ui->apps_container}, StyleProperties::modelKey, modelKey);
    // The chips lie on the dialog's own background.
    ui->scrollArea->viewport()->setAutoFillBackground(false);
    ui->apps_container->setAutoFillBackground(false);
    m_flow = new FlowLayout(ui->apps_container);
    m_flow->setContentsMargins(3, 3, 3, 3);
    updateHeight();
}

LinkedAppsSimple::~LinkedAppsSimple() = default;

void LinkedAppsSimple::addApp(const QString &id, const QString &name, const QString &modelKey)
{
    auto *chip = new LinkedApp(ui->apps_container, modelKey);
    chip->id = id;
    chip->setText(name);
    connect(chip, &LinkedApp::deleteClicked, this, &LinkedAppsSimple::removeApp);
    m_chips.append(chip);
    updateHeight();
    std::stable_sort(m_chips.begin(), m_chips.end(), [](const LinkedApp *a, const LinkedApp *b) {
        return a->text().compare(b->text(), Qt::CaseInsensitive) < 0;
    });
    // The flow shows its items in the order they were added.
    for (LinkedApp *shown : qAsConst(m_chips))
        m_flow->removeWidget(shown);
    for (LinkedApp *shown : qAsConst(m_chips))
        m_flow->addWidget(shown);
}

bool LinkedAppsSimple::hasApp(const QString &id) const
{
    return std::any_of(m_chips.cbegin(), m_chips.cend(), [&id](const LinkedApp *chip) { return chip->id == id; });
}

QStringList LinkedAppsSimple::appIds() const
{
    QStringList ids;
    for (const LinkedApp *chip : m_chips)
        ids.append(chip->id);
    return ids;
}

QStringList LinkedAppsSimple::appNames() const
{
    QStringList names;
    for (const LinkedApp *chip : m_chips)
        names.append(chip->text());
    return names;
}

void LinkedAppsSimple::removeApp(const QString &id)
{
    const auto found =
        std::find_if(m_chips.begin(), m_chips.end(), [&id](const LinkedApp *chip) { return chip->id == id; });
    if (found == m_chips.end())
        return;
    // The chip's own click is still running.
    (*found)->deleteLater();
    m_chips.erase(found);
    updateHeight();
    emit appRemoved(id);
}

void LinkedAppsSimple::updateHeight()
{
    setFixedHeight(m_chips.size() < 2 ? 30 : 130);
}

void LinkedAppsSimple::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->apps_container->setFixedWidth(event->size().width());
}
