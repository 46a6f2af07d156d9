#include "LazyColorEditor.h"

#include "ColorEditor.h"

LazyColorEditor::LazyColorEditor(const QString &mode, QObject *context, std::function<void(const QColor &)> picked)
    : m_mode(mode)
    , m_context(context)
    , m_picked(std::move(picked))
    , m_colour(ColorEditor::initialColor())
{}

LazyColorEditor::~LazyColorEditor() = default;

QColor LazyColorEditor::color() const
{
    return m_editor ? m_editor->color() : m_colour;
}

void LazyColorEditor::setColor(const QColor &colour)
{
    m_colour = colour;
    if (m_editor)
        m_editor->setColor(colour);
}

void LazyColorEditor::showAt(const QPoint &globalPos)
{
    editor()->showAt(globalPos);
}

ColorEditor *LazyColorEditor::editor()
{
    if (!m_editor) {
        m_editor = std::make_unique<ColorEditor>(m_mode);
        m_editor->setColor(m_colour);
        QObject::connect(m_editor.get(), &ColorEditor::colorChanged, m_context, m_picked);
    }
    return m_editor.get();
}
