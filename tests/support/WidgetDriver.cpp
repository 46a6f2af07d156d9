#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QtTest>

namespace {

QWidget *reachable(const QWidget *root, const QString &objectName)
{
    QWidget *widget = WidgetDriver::child(root, objectName);
    if (!widget) {
        qWarning().noquote() << "WidgetDriver: no widget named" << objectName;
        return nullptr;
    }
    if (!widget->isVisible() || !widget->isEnabled()) {
        qWarning().noquote() << "WidgetDriver:" << objectName << "is hidden or disabled";
        return nullptr;
    }
    return widget;
}

} // namespace

namespace WidgetDriver {

bool clickText(const QWidget *root, const QString &text)
{
    if (!root)
        return false;
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->isVisible() && button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
            return true;
        }
    }
    return false;
}

bool click(const QWidget *root, const QString &objectName)
{
    QWidget *widget = reachable(root, objectName);
    if (!widget)
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    return true;
}

bool typeInto(const QWidget *root, const QString &objectName, const QString &text, bool replace)
{
    QWidget *widget = reachable(root, objectName);
    if (!widget)
        return false;
    widget->setFocus(Qt::OtherFocusReason);
    if (replace)
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, text);
    return true;
}

QString outputFolder()
{
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString folder =
        executable.absolutePath() + QLatin1Char('/') + executable.fileName() + QStringLiteral("-output");
    QDir().mkpath(folder);
    return folder;
}

QString grabToPng(QWidget *widget, const QString &name)
{
    if (!widget)
        return QString();
    const QString path = outputFolder() + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget->grab().save(path, "PNG")) {
        qWarning().noquote() << "WidgetDriver: could not write" << path;
        return QString();
    }
    return path;
}

} // namespace WidgetDriver
