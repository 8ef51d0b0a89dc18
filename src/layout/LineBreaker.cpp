#include "LineBreaker.h"

#include "GallopSearch.h"

#include <algorithm>

namespace quillory::layout {

void LineBreaker::setParagraph(const QString& paragraph)
{
    m_paragraph = paragraph;
    m_advances.clear();
    m_canvas.estimateAdvances(m_paragraph, m_advances);
    m_cumulative.resize(size_t(m_paragraph.size()) + 1);
    m_cumulative[0] = 0;
    double sum = 0;
    for (size_t i = 0; i < m_advances.size(); ++i) {
        sum += std::max(m_advances[i], 0.0);
        m_cumulative[i + 1] = sum;
    }
}

qsizetype LineBreaker::nextPiece(qsizetype from, int width)
{
    const qsizetype available = m_paragraph.size() - from;
    if (available <= 1)
        return std::max<qsizetype>(available, 0);

    // Guess: the longest prefix whose estimated width fits.
    const auto begin = m_cumulative.begin() + from;
    const auto end = m_cumulative.begin() + from + available + 1;
    const double limit = *begin + double(width);
    qsizetype length = qsizetype(std::upper_bound(begin + 1, end, limit) - begin) - 1;
    length = std::clamp<qsizetype>(length, 1, available);

    // Confirm with exact widths: the piece fits and one more character would
    // not. A single character is a piece whether it fits or not.
    length = gallopSearch(2, available + 1, length + 1,
                          [&](qsizetype longer) { return prefixWidth(from, longer) > width; }) -
             1;

    if (length < available) {
        const qsizetype afterSpace = endAfterLastSpace(QStringView(m_paragraph).mid(from, length));
        if (afterSpace > 0)
            length = afterSpace;
    }
    return length;
}

qsizetype LineBreaker::literalPiece(Canvas& canvas, QStringView rest, int width)
{
    QString piece = rest.toString();
    bool cut = false;
    // Stopping at one character keeps the loop from spinning where nothing
    // fits: the empty piece would be written again and again.
    while (piece.size() > 1 && canvas.textWidth(piece) > width) {
        piece.chop(1);
        cut = true;
    }
    if (cut) {
        const qsizetype afterSpace = endAfterLastSpace(piece);
        if (afterSpace > 0)
            return afterSpace;
    }
    return piece.size();
}

int LineBreaker::prefixWidth(qsizetype from, qsizetype length)
{
    return m_canvas.textWidth(m_paragraph.mid(from, length));
}

qsizetype LineBreaker::endAfterLastSpace(QStringView piece)
{
    return piece.lastIndexOf(QLatin1Char(' ')) + 1;
}

} // namespace quillory::layout
