#include "TextTemplate.h"

namespace quillory::merge {

TextTemplate::TextTemplate(QStringView text)
{
    QString literal;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && doubled) {
            literal += c;
            i += 2;
            m_hasPlaceholders = true;
            continue;
        }
        if (c == QLatin1Char('{')) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end] != QLatin1Char('}') &&
                   text[end] != QLatin1Char('{') && text[end] != QLatin1Char('\n') &&
                   text[end] != QLatin1Char('\r'))
                ++end;
            if (end < text.size() && text[end] == QLatin1Char('}') && end > i + 1) {
                if (!literal.isEmpty())
                    m_pieces.push_back({literal, false, -1});
                literal.clear();
                m_pieces.push_back({text.mid(i + 1, end - i - 1).toString(), true, -1});
                m_hasPlaceholders = true;
                i = end + 1;
                continue;
            }
        }
        literal += c;
        ++i;
    }
    if (!literal.isEmpty())
        m_pieces.push_back({literal, false, -1});
}

QStringList TextTemplate::names() const
{
    QStringList names;
    for (const Piece& piece : m_pieces) {
        if (piece.isName && !names.contains(piece.text))
            names.append(piece.text);
    }
    return names;
}

QStringList TextTemplate::bind(const QStringList& columns)
{
    QStringList unknown;
    for (Piece& piece : m_pieces) {
        if (!piece.isName)
            continue;
        piece.column = int(columns.indexOf(piece.text));
        if (piece.column < 0 && !unknown.contains(piece.text))
            unknown.append(piece.text);
    }
    return unknown;
}

QString TextTemplate::expand(const QStringList& values) const
{
    QString text;
    for (const Piece& piece : m_pieces) {
        if (!piece.isName)
            text += piece.text;
        else if (piece.column < 0)
            // Left as typed, so that a preview shows the misspelt name where it is.
            text += QLatin1Char('{') + piece.text + QLatin1Char('}');
        else if (piece.column < values.size())
            text += values[piece.column];
    }
    return text;
}

} // namespace quillory::merge
