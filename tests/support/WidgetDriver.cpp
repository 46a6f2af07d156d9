#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeView>
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

QString shownText(const QLabel *label)
{
    const Qt::TextFormat format = label->textFormat();
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    return label->text();
}

QString shownButtonText(const QString &text)
{
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            shown += text.at(i);
        else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
            shown += text.at(++i);
    }
    return shown;
}

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

QModelIndex shownTreeRow(const QTreeView *tree, const QString &text, const QModelIndex &parent)
{
    const QAbstractItemModel *model = tree ? tree->model() : nullptr;
    if (!model)
        return QModelIndex();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        if (tree->isRowHidden(row, parent))
            continue;
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == text)
            return index;
        if (tree->isExpanded(index)) {
            const QModelIndex found = shownTreeRow(tree, text, index);
            if (found.isValid())
                return found;
        }
    }
    return QModelIndex();
}

bool clickTreeRow(QTreeView *tree, const QString &text, bool onArrow)
{
    const QModelIndex index = shownTreeRow(tree, text);
    if (!index.isValid())
        return false;
    tree->scrollTo(index);
    const QRect rect = tree->visualRect(index);
    const QPoint point = onArrow ? QPoint(rect.left() - tree->indentation() / 2, rect.center().y()) : rect.center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

} // namespace WidgetDriver
