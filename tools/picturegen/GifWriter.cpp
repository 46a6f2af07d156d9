#include "GifWriter.h"

#include <vector>

namespace {

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// Codes of variable width, least significant bit first, packed into the
// sub-blocks of at most 255 bytes that GIF image data is made of.
class CodeStream
{
public:
    explicit CodeStream(QByteArray &out)
        : m_out(out)
    {}
    void put(int code, int width)
    {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            putByte(char(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void finish()
    {
        if (m_count > 0)
            putByte(char(m_bits & 0xff));
        flushBlock();
        m_out.append(char(0)); // block terminator
    }

private:
    void putByte(char byte)
    {
        m_block.append(byte);
        if (m_block.size() == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(char(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray &m_out;
    QByteArray m_block;
    quint32 m_bits = 0;
    int m_count = 0;
};

// GIF's variant of LZW: a clear code first, the code width growing with the
// table up to 12 bits, and a fresh table (after a clear code) when it is full.
void compress(const QImage &frame, int minCodeSize, QByteArray &out)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    // next[code * 256 + byte]: the code of the string code + byte, 0 if none.
    std::vector<quint16> next(4096 * 256, 0);
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;
    CodeStream codes(out);
    codes.put(clearCode, codeSize);
    int current = -1;
    for (int y = 0; y < frame.height(); ++y) {
        const uchar *row = frame.constScanLine(y);
        for (int x = 0; x < frame.width(); ++x) {
            const int byte = row[x];
            if (current < 0) {
                current = byte;
                continue;
            }
            quint16 &known = next[size_t(current) * 256 + size_t(byte)];
            if (known) {
                current = known;
                continue;
            }
            codes.put(current, codeSize);
            known = quint16(++lastCode);
            if (lastCode >= (1 << codeSize))
                ++codeSize;
            if (lastCode == 4095) {
                codes.put(clearCode, codeSize);
                std::fill(next.begin(), next.end(), quint16(0));
                codeSize = minCodeSize + 1;
                lastCode = endCode;
            }
            current = byte;
        }
    }
    if (current >= 0)
        codes.put(current, codeSize);
    codes.put(endCode, codeSize);
    codes.finish();
}

} // namespace

GifWriter::GifWriter(QSize size, const QVector<QRgb> &palette, int transparentIndex)
    : m_size(size)
    , m_palette(palette.mid(0, 256))
    , m_transparentIndex(transparentIndex)
    , m_tableBits(1)
{
    while ((1 << m_tableBits) < m_palette.size())
        ++m_tableBits;
}

bool GifWriter::addFrame(const QImage &frame, int delayMs)
{
    if (frame.size() != m_size || frame.format() != QImage::Format_Indexed8)
        return false;
    for (int y = 0; y < frame.height(); ++y) {
        const uchar *row = frame.constScanLine(y);
        for (int x = 0; x < frame.width(); ++x)
            if (row[x] >= m_palette.size())
                return false;
    }
    // Graphic control extension: keep the frame (disposal 1), its delay and
    // transparency.
    m_frames.append("\x21\xf9\x04", 3);
    m_frames.append(char((1 << 2) | (m_transparentIndex >= 0 ? 1 : 0)));
    putWord(m_frames, (delayMs + 5) / 10);
    m_frames.append(char(m_transparentIndex >= 0 ? m_transparentIndex : 0));
    m_frames.append(char(0));
    // Image descriptor: the whole screen, no local colour table.
    m_frames.append(char(0x2c));
    putWord(m_frames, 0);
    putWord(m_frames, 0);
    putWord(m_frames, m_size.width());
    putWord(m_frames, m_size.height());
    m_frames.append(char(0));
    const int minCodeSize = m_tableBits < 2 ? 2 : m_tableBits;
    m_frames.append(char(minCodeSize));
    compress(frame, minCodeSize, m_frames);
    return true;
}

QByteArray GifWriter::data() const
{
    QByteArray out("GIF89a");
    putWord(out, m_size.width());
    putWord(out, m_size.height());
    // Global colour table present, 8 bits per primary, its size.
    out.append(char(0x80 | (7 << 4) | (m_tableBits - 1)));
    out.append(char(0)); // background colour index
    out.append(char(0)); // square pixels
    for (int i = 0; i < (1 << m_tableBits); ++i) {
        const QRgb colour = i < m_palette.size() ? m_palette[i] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    // Loop forever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    out.append(m_frames);
    out.append(char(0x3b));
    return out;
}
