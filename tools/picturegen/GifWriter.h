#pragma once
// A small GIF89a writer for the one animation of the tree (Qt reads GIF but
// does not write it): frames of palette indices over one global colour
// table, an optional transparent index, and a loop that never ends.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QVector>

class GifWriter
{
public:
    // Up to 256 colours; transparentIndex -1 for none.
    GifWriter(QSize size, const QVector<QRgb> &palette, int transparentIndex = -1);

    // A frame of the writer's size in QImage::Format_Indexed8 whose pixels
    // are indices into the palette; its delay in milliseconds, kept in the
    // file's hundredths of a second. False when the frame does not fit.
    bool addFrame(const QImage &frame, int delayMs);

    // The whole file.
    QByteArray data() const;

private:
    QSize m_size;
    QVector<QRgb> m_palette;
    int m_transparentIndex;
    int m_tableBits; // the colour table holds 2^m_tableBits entries
    QByteArray m_frames;
};
