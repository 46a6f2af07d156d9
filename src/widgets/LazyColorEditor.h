#pragma once
#include <QColor>
#include <QString>

#include <functional>
#include <memory>

class ColorEditor;
class QObject;
class QPoint;

// The colour editor of a page that mostly only shows a colour: the editor, a
// window of its own, is made when it is first opened, so a page that never
// opens it needs none. Until then it keeps the colour the editor would hold.
// The editor goes with this object.
class LazyColorEditor
{
public:
    // mode is the editor's model key (ColorEditor); picked runs on every
    // colour chosen with Ok while context lives.
    LazyColorEditor(const QString &mode, QObject *context, std::function<void(const QColor &)> picked);
    ~LazyColorEditor();

    // The colour last set or chosen.
    QColor color() const;
    // Loads a colour into the editor without announcing it.
    void setColor(const QColor &colour);
    // Opens the editor beside globalPos.
    void showAt(const QPoint &globalPos);

private:
    ColorEditor *editor();

    QString m_mode;
    QObject *m_context;
    std::function<void(const QColor &)> m_picked;
    std::unique_ptr<ColorEditor> m_editor;
    QColor m_colour;
};
