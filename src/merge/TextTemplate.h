#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace quillory::merge {

/**
 * A text with placeholders: "{Spalte}" stands for that column's value,
 * "{{" and "}}" for a brace of their own. A brace that opens no name ("{",
 * "{}", a name broken by a line) is kept as typed, as is a lone "}".
 */
class TextTemplate
{
public:
    TextTemplate() = default;
    explicit TextTemplate(QStringView text);

    /** Whether the text holds a placeholder or an escaped brace at all. */
    bool hasPlaceholders() const { return m_hasPlaceholders; }

    /** The placeholder names, in order of appearance, each once. */
    QStringList names() const;

    /**
     * Ties each placeholder to its column's index; the names the columns lack
     * are returned and expand to themselves as typed, braces and all.
     */
    QStringList bind(const QStringList& columns);

    /** The text with each placeholder replaced by values[its column], as is (never expanded again).
     */
    QString expand(const QStringList& values) const;

private:
    struct Piece
    {
        QString text; ///< literal text, or the placeholder's name
        bool isName = false;
        int column = -1;
    };

    std::vector<Piece> m_pieces;
    bool m_hasPlaceholders = false;
};

} // namespace quillory::merge
