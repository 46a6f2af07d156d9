#include "AddProfile.h"

#include "ComboBox.h"
#include "CustomMessageBox.h"
#include "ProfileListRules.h"
#include "ui_AddProfile.h"

#include <QKeyEvent>

AddProfile::AddProfile(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AddProfile>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    ui->lineEdit_name->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_maxHeight = maximumHeight();
    m_minHeight = minimumHeight();

    m_parents = new ComboBox(ui->comboBox_parents, ui->widget_parent);
    m_parents->setObjectName(QStringLiteral("comboBox_parents"));
    m_parents->setPopupColor(QColor(QStringLiteral("#ffffff")));
    delete ui->horizontalLayout_2->replaceWidget(ui->comboBox_parents, m_parents);
    delete ui->comboBox_parents;
    ui->comboBox_parents = nullptr;

    // No default buttons: one Return adds once, wherever the focus is.
    ui->pushButton_add->setAutoDefault(false);
    ui->pushButton_cancel->setAutoDefault(false);
    connect(ui->pushButton_add, &QPushButton::clicked, this, &AddProfile::add);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &AddProfile::close);
}

AddProfile::~AddProfile() = default;

void AddProfile::show(const QList<QStringList> &profiles, bool isGlobal)
{
    m_topLevel = isGlobal;
    if (isGlobal) {
        showNoParents({tr("Global")}, true);
        m_profiles = profiles; // the check covers every top-level name
        return;
    }
    m_profiles = profiles;
    QStringList parents{tr("Global")};
    for (const QStringList &group : profiles)
        parents << group.value(0);
    m_parents->setItems(parents);
    m_parents->setCurrentIndex(0);
    ui->widget_parent->show();
    setFixedHeight(m_maxHeight);
    QDialog::show();
}

void AddProfile::showNoParents(const QStringList &profile, bool isGlobal)
{
    m_topLevel = isGlobal;
    m_profiles = {profile};
    m_parents->setItems({profile.value(0)});
    m_parents->setCurrentIndex(0);
    ui->widget_parent->hide();
    setFixedHeight(m_minHeight);
    QDialog::show();
}

QString AddProfile::chosenParent() const
{
    return m_topLevel ? QString() : m_parents->currentText();
}

bool AddProfile::nameExists() const
{
    return ProfileListRules::namesToDifferFrom(m_profiles, m_topLevel, chosenParent())
        .contains(ui->lineEdit_name->text());
}

void AddProfile::add()
{
    if (!ui->widget_parent->isHidden())
        m_topLevel = m_parents->currentIndex() == 0;
    const QString name = ui->lineEdit_name->text();
    const QString refusal = ProfileListRules::addRefusal(name, m_profiles, m_topLevel, chosenParent());
    if (!refusal.isEmpty()) {
        CustomMessageBox box(this, tr("Sorry") + QLatin1Char('\n') + refusal, tr("Ok"), QString(), QString());
        box.setTextAlignment(Qt::AlignHCenter);
        box.exec();
        return;
    }
    emit addProfile(name, chosenParent());
    ui->lineEdit_name->clear();
    hide();
}

void AddProfile::close()
{
    ui->lineEdit_name->clear();
    hide();
}

void AddProfile::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        add();
        return;
    }
    QDialog::keyPressEvent(event);
}
