#pragma once

#include "Canvas.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace quillory::layout {

/**
 * Splits one paragraph into the pieces that fit a width, in the current font
 * of a canvas. The rule: the longest prefix whose width fits; if something
 * had to be cut off and the prefix holds a space, the prefix ends after its
 * last space. When not even one character fits, the piece is one character,
 * so a paragraph always comes to an end.
 *
 * literalPiece() applies the rule as written, dropping one character and
 * measuring again. nextPiece() gives the same pieces much faster: it guesses
 * the break from the canvas's advance estimates and confirms it by measuring
 * the prefix at the break and the one a character longer. The two agree as
 * long as a longer prefix is never narrower than a shorter one, which holds
 * for text drawn without kerning.
 */
class LineBreaker
{
public:
    explicit LineBreaker(Canvas& canvas) : m_canvas(canvas) {}

    /** Starts a paragraph; the canvas font must stay the same until it is done. */
    void setParagraph(const QString& paragraph);

    /** Length of the piece starting at from (> 0 while from < paragraph length). */
    qsizetype nextPiece(qsizetype from, int width);

    /** The same piece, found by dropping one character at a time. */
    static qsizetype literalPiece(Canvas& canvas, QStringView rest, int width);

private:
    int prefixWidth(qsizetype from, qsizetype length);
    static qsizetype endAfterLastSpace(QStringView piece);

    Canvas& m_canvas;
    QString m_paragraph;
    std::vector<double> m_advances;
    std::vector<double> m_cumulative; // m_cumulative[i]: estimated width of the first i units
};

} // namespace quillory::layout
