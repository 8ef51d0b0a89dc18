#pragma once

#include <QSet>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTimer>

namespace quillory::spell {
class SpellChecker;
}

namespace quillory::app {

/**
 * Underlines unknown words of a document with a red wave. It only lays
 * formats over the text's layout: the text, its undo history and its
 * modified mark stay as they are.
 *
 * A typed key re-checks just its paragraph, as QSyntaxHighlighter does. A
 * large change at once (a letter opened, a long paste) and a new checker
 * are checked in idle slices of a few milliseconds instead, so a 1 MB body
 * never stalls typing.
 */
class SpellHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit SpellHighlighter(QTextDocument* document);

    /** Null turns the underlining off; the checker must outlive its use here. */
    void setChecker(const spell::SpellChecker* checker);
    const spell::SpellChecker* checker() const { return m_checker; }
    /** Not underlined again until the program ends. */
    void ignore(const QString& word);
    bool isIgnored(const QString& word) const { return m_ignored.contains(word); }
    /** Re-checks the paragraphs that hold word, e.g. once it is in the dictionary. */
    void recheckWord(const QString& word);
    /** Whether paragraphs still wait for their idle check. */
    bool isChecking() const { return m_idle.isActive(); }

protected:
    void highlightBlock(const QString& text) override;

private:
    void noteChange(int position, int removed, int added);
    void startIdleCheck(int fromBlock);
    void checkSlice();

    const spell::SpellChecker* m_checker = nullptr;
    QSet<QString> m_ignored;
    QTextCharFormat m_format;
    QTimer m_idle;
    int m_nextBlock = 0;
    /** The characters of a large change, left to the idle check. */
    int m_bulkStart = -1;
    int m_bulkEnd = -1;
    bool m_inSlice = false;
};

} // namespace quillory::app
