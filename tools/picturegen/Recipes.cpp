#include "Recipes.h"

#include "Artwork.h"
#include "Controls.h"
#include "GifWriter.h"
#include "Glyphs.h"
#include "MousePicture.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>

#include <functional>

namespace {

// The arguments of one entry, read in order; the first problem is kept.
class Arguments
{
public:
    explicit Arguments(const PictureEntry &entry)
        : m_words(entry.arguments)
    {}
    QColor colour(int index)
    {
        const QString word = m_words.value(index);
        const QColor colour(word);
        if (!word.startsWith(QLatin1Char('#')) || !colour.isValid())
            fail(QStringLiteral("argument %1 must be a colour (#rrggbb or #aarrggbb)").arg(index + 1));
        return colour;
    }
    QString word(int index, const QStringList &allowed)
    {
        const QString word = m_words.value(index);
        if (!allowed.contains(word))
            fail(QStringLiteral("argument %1 must be one of: %2").arg(index + 1).arg(allowed.join(QLatin1Char(' '))));
        return word;
    }
    Controls::Direction direction(int index)
    {
        const QString way = word(index, {"up", "down", "left", "right"});
        return way == QLatin1String("up")     ? Controls::Direction::Up
               : way == QLatin1String("down") ? Controls::Direction::Down
               : way == QLatin1String("left") ? Controls::Direction::Left
                                              : Controls::Direction::Right;
    }
    bool count(int expected)
    {
        if (m_words.size() != expected)
            fail(QStringLiteral("expected %1 arguments, found %2").arg(expected).arg(m_words.size()));
        return m_error.isEmpty();
    }
    void fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }
    QString error() const { return m_error; }

private:
    QStringList m_words;
    QString m_error;
};

using Drawing = std::function<void(QPainter &, const QRectF &, Arguments &)>;

// One colour for the whole picture.
Drawing plain(void (*draw)(QPainter &, const QRectF &, const QColor &))
{
    return [draw](QPainter &p, const QRectF &r, Arguments &a) {
        if (a.count(1))
            draw(p, r, a.colour(0));
    };
}

// Two colours.
Drawing paired(void (*draw)(QPainter &, const QRectF &, const QColor &, const QColor &))
{
    return [draw](QPainter &p, const QRectF &r, Arguments &a) {
        if (a.count(2))
            draw(p, r, a.colour(0), a.colour(1));
    };
}

Drawing pointing(void (*draw)(QPainter &, const QRectF &, Controls::Direction, const QColor &))
{
    return [draw](QPainter &p, const QRectF &r, Arguments &a) {
        if (!a.count(2))
            return;
        const Controls::Direction way = a.direction(0);
        const QColor colour = a.colour(1);
        if (a.error().isEmpty())
            draw(p, r, way, colour);
    };
}

const QHash<QString, Drawing> &drawings()
{
    static const QHash<QString, Drawing> table = {
        {"glyph",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(2))
                 Glyphs::gesture(p, r, a.word(0, Glyphs::gestureNames()), a.colour(1));
         }},
        {"tab",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(2))
                 Glyphs::tab(p, r, a.word(0, Glyphs::tabNames()), a.colour(1));
         }},
        {"chevron", pointing(Controls::chevron)},
        {"triangle", pointing(Controls::triangle)},
        {"check", plain(Controls::check)},
        {"checkbox",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(4))
                 Controls::checkbox(p, r, a.word(0, {"on", "off"}) == QLatin1String("on"), a.colour(1), a.colour(2),
                                    a.colour(3));
         }},
        {"cross", plain(Controls::cross)},
        {"plus", plain(Controls::plus)},
        {"dots",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(2))
                 Controls::dots(p, r, a.word(0, {"horizontal", "vertical"}) == QLatin1String("vertical"), a.colour(1));
         }},
        {"bars", plain(Controls::bars)},
        {"grip", plain(Controls::grip)},
        {"duplicate", plain(Controls::duplicate)},
        {"disc", plain(Controls::disc)},
        {"ring", paired(Controls::ring)},
        {"bar", plain(Controls::bar)},
        {"toggle",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(3))
                 Controls::toggle(p, r, a.word(0, {"on", "off"}) == QLatin1String("on"), a.colour(1), a.colour(2));
         }},
        {"question", plain(Controls::question)},
        {"refresh", plain(Controls::refresh)},
        {"pipette", plain(Controls::pipette)},
        {"record", plain(Controls::record)},
        {"pen", plain(Controls::pen)},
        {"create", paired(Controls::create)},
        {"picture", plain(Controls::picture)},
        {"holder", plain(Controls::holder)},
        {"bin", plain(Controls::bin)},
        {"home", plain(Controls::home)},
        {"sliders", plain(Controls::sliders)},
        {"magnifier", plain(Controls::magnifier)},
        {"vibration", plain(Controls::vibration)},
        {"info", plain(Controls::info)},
        {"mouseicon", plain(Controls::mouseIcon)},
        {"empty", [](QPainter &, const QRectF &, Arguments &a) { a.count(0); }},
        {"logo",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(1))
                 Artwork::logo(p, r, a.word(0, Artwork::logoNames()));
         }},
        {"sidebarlogo",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(1))
                 Artwork::sideBarLogo(p, r, a.word(0, Artwork::logoNames()));
         }},
        {"background", paired(Artwork::background)},
        {"appicon",
         [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(0))
                 Artwork::appIcon(p, r);
         }},
        {"frame", [](QPainter &p, const QRectF &r, Arguments &a) {
             if (a.count(1))
                 Artwork::editorFrame(p, r, a.colour(0));
         }}};
    return table;
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Fast compression: the generator runs in every build.
    writer.setQuality(80);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray mouse(const PictureEntry &entry, QString *error)
{
    Arguments a(entry);
    if (!a.count(2)) {
        *error = a.error();
        return {};
    }
    const QString view = a.word(0, {"expert", "simple"});
    const QString look = a.word(1, {"v", "v2", "pelkin", "tamsel", "none"});
    if (!a.error().isEmpty()) {
        *error = a.error();
        return {};
    }
    const MouseScheme scheme =
        MousePicture::scheme(view == QLatin1String("expert") ? MousePicture::Expert : MousePicture::Simple, look);
    if (scheme.size != entry.size) {
        *error = QStringLiteral("the %1 mouse pictures are %2x%3")
                     .arg(view)
                     .arg(scheme.size.width())
                     .arg(scheme.size.height());
        return {};
    }
    return png(MousePicture::paint(scheme));
}

QByteArray typing(const PictureEntry &entry, QString *error)
{
    Arguments a(entry);
    const bool counted = a.count(2);
    const QColor keys = a.colour(0);
    const QColor lit = a.colour(1);
    if (!counted || !a.error().isEmpty()) {
        *error = a.error();
        return {};
    }
    const Artwork::Animation animation = Artwork::typing(entry.size, keys, lit);
    GifWriter gif(entry.size, animation.palette, 0);
    for (int i = 0; i < animation.frames.size(); ++i)
        gif.addFrame(animation.frames[i], animation.delaysMs[i]);
    return gif.data();
}

} // namespace

QByteArray Recipes::render(const PictureEntry &entry, QString *error)
{
    if (entry.recipe == QLatin1String("mouse"))
        return mouse(entry, error);
    if (entry.recipe == QLatin1String("typing"))
        return typing(entry, error);
    const auto found = drawings().constFind(entry.recipe);
    if (found == drawings().constEnd()) {
        *error = QStringLiteral("unknown recipe \"%1\"").arg(entry.recipe);
        return {};
    }
    QImage image(entry.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Arguments arguments(entry);
    found.value()(painter, QRectF(QPointF(0, 0), QSizeF(entry.size)), arguments);
    painter.end();
    if (!arguments.error().isEmpty()) {
        *error = arguments.error();
        return {};
    }
    return png(image.convertToFormat(QImage::Format_ARGB32));
}
