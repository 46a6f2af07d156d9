#include "ProfileSelect.h"

#include "CustomMessageBox.h"
#include "DisplayText.h"
#include "ui_ProfileSelect.h"

#include <QCheckBox>

namespace {

// Ticking a box from the handler runs the handler again; this keeps that
// from going further.
bool updatingBoxes = false;

constexpr int baseHeight = 260;
constexpr int heightPerProfile = 26;

} // namespace

ProfileSelect::ProfileSelect(const QStringList &names, int mode, bool hasGlobal, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ProfileSelect>())
    , m_hasGlobal(hasGlobal)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);

    if (mode == Export)
        ui->label_header->setText(tr("Select Profiles to Export"));
    else if (mode == Import)
        ui->label_header->setText(tr("Select Profiles to Import"));

    // The spacer at the end of the list keeps the boxes at the top.
    const int spacerIndex = ui->verticalLayout_profiles->count() - 1;
    for (const QString &name : names) {
        auto *box = new QCheckBox(QLatin1Char(' ') + DisplayText::forButton(name), ui->scrollAreaWidgetContents);
        ui->verticalLayout_profiles->insertWidget(spacerIndex + m_boxes.size(), box);
        m_boxes.append(box);
        connect(box, &QCheckBox::toggled, this, [this, box] { boxChanged(box); });
    }
    connect(ui->checkBox_selectAll, &QCheckBox::toggled, this, [this] { boxChanged(ui->checkBox_selectAll); });
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &ProfileSelect::okClicked);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QDialog::reject);
    boxChanged(nullptr);

    const int wanted = baseHeight + heightPerProfile * int(names.size());
    setFixedHeight(parent ? qMin(parent->height(), wanted) : wanted);
}

ProfileSelect::~ProfileSelect() = default;

void ProfileSelect::boxChanged(QCheckBox *sender)
{
    if (updatingBoxes)
        return;
    updatingBoxes = true;
    if (sender == ui->checkBox_selectAll) {
        for (QCheckBox *box : qAsConst(m_boxes))
            box->setChecked(sender->isChecked());
    }
    bool all = !m_boxes.isEmpty();
    bool any = false;
    for (const QCheckBox *box : qAsConst(m_boxes)) {
        all = all && box->isChecked();
        any = any || box->isChecked();
    }
    ui->checkBox_selectAll->setChecked(all);
    ui->pushButton_ok->setEnabled(any);
    updatingBoxes = false;
}

void ProfileSelect::okClicked()
{
    m_allSelected = ui->checkBox_selectAll->isChecked();
    if (m_hasGlobal && m_allSelected)
        m_overwriteGlobal = true;
    m_selection.clear();
    for (const QCheckBox *box : qAsConst(m_boxes))
        m_selection.append(box->isChecked());
    if (m_hasGlobal && !m_allSelected && !m_selection.isEmpty() && m_selection.first()) {
        CustomMessageBox question(this,
                                  tr("You have chosen the Global profile, this will\n"
                                     "overwrite your existing Global Profile. Proceed?"),
                                  tr("Yes"), tr("No"), QString());
        if (question.exec() == 2)
            m_overwriteGlobal = true;
    }
    done(Accepted);
}
