#include "LinkedApp.h"

#include "StyleProperties.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

LinkedApp::LinkedApp(QWidget *parent, const QString &modelKey)
    : QFrame(parent)
{
    setFixedHeight(24);
    setProperty("frame_type", QStringLiteral("linked_apps"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("label_name"));
    m_name->setTextFormat(Qt::PlainText);
    m_name->setProperty("label_type", QStringLiteral("linked_apps"));
    m_name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    layout->addWidget(m_name);
    m_delete = new QPushButton(this);
    m_delete->setObjectName(QStringLiteral("pushButton_delete"));
    m_delete->setFixedSize(8, 8);
    m_delete->setProperty("button_type", QStringLiteral("del_linked_apps"));
    layout->addWidget(m_delete);
    StyleProperties::set({this, m_name, m_delete}, StyleProperties::modelKey, modelKey);
    connect(m_delete, &QPushButton::clicked, this, [this] { emit deleteClicked(id); });
}

LinkedApp::~LinkedApp() = default;

void LinkedApp::setText(const QString &name)
{
    m_name->setText(name);
}

QString LinkedApp::text() const
{
    return m_name->text();
}
