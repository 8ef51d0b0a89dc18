#include "features/spelling/SpellHighlighter.h"

#include "spell/SpellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/WordTokenizer.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>

namespace quillory::app {
namespace {

// A change larger than a few paragraphs is not typing: it is checked idly.
constexpr int kBulkChars = 4096;
// Well inside one frame at 60 Hz, so keys and paints get their turn.
constexpr qint64 kSliceMs = 8;

} // namespace

SpellHighlighter::SpellHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(static_cast<QObject*>(document))
{
    m_format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_format.setUnderlineColor(Qt::red);
    // Connected before QSyntaxHighlighter's own slot, which re-highlights the
    // changed paragraphs at once: it must already know a change is large.
    connect(document, &QTextDocument::contentsChange, this, &SpellHighlighter::noteChange);
    setDocument(document);
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &SpellHighlighter::checkSlice);
}

void SpellHighlighter::setChecker(const spell::SpellChecker* checker)
{
    m_checker = checker;
    startIdleCheck(0);
}

void SpellHighlighter::ignore(const QString& word)
{
    m_ignored.insert(word);
    recheckWord(word);
}

void SpellHighlighter::recheckWord(const QString& word)
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(word))
            rehighlightBlock(block);
    }
}

void SpellHighlighter::noteChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    const QTextBlock block = document()->findBlock(position);
    if (added > kBulkChars) {
        m_bulkStart = position;
        m_bulkEnd = position + added;
        startIdleCheck(block.blockNumber());
        return;
    }
    m_bulkStart = m_bulkEnd = -1;
    if (m_idle.isActive() && block.blockNumber() < m_nextBlock)
        m_nextBlock = block.blockNumber(); // lines removed above the idle check
}

void SpellHighlighter::startIdleCheck(int fromBlock)
{
    m_nextBlock = m_idle.isActive() ? std::min(m_nextBlock, fromBlock) : fromBlock;
    m_idle.start();
}

void SpellHighlighter::checkSlice()
{
    QElapsedTimer clock;
    clock.start();
    m_inSlice = true;
    QTextBlock block = document()->findBlockByNumber(m_nextBlock);
    while (block.isValid() && clock.elapsed() < kSliceMs) {
        rehighlightBlock(block);
        block = block.next();
    }
    m_inSlice = false;
    if (block.isValid()) {
        m_nextBlock = block.blockNumber();
        m_idle.start();
    }
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    if (!m_checker)
        return;
    // The paragraphs of a large change wait for the idle check.
    const int position = currentBlock().position();
    if (!m_inSlice && position >= m_bulkStart && position < m_bulkEnd)
        return;
    for (const spell::WordSpan& span : spell::checkableWords(text)) {
        const QString word = text.mid(span.start, span.length);
        if (m_ignored.contains(word) || spell::isKnownWord(*m_checker, text, span))
            continue;
        setFormat(int(span.start), int(span.length), m_format);
    }
}

} // namespace quillory::app
