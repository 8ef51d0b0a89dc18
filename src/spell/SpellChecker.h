#pragma once

#include <QString>
#include <QStringList>

namespace quillory::spell {

/**
 * Says whether a single word is spelt right and what it might have been
 * meant as. The window, the command line and the tests talk only to this,
 * so tests run with a stub and the dictionary library stays swappable.
 * Words arrive one at a time, already cut out by WordTokenizer.
 */
class SpellChecker
{
public:
    virtual ~SpellChecker() = default;

    virtual bool isCorrect(const QString& word) const = 0;
    /** At most max suggestions, the likeliest first. */
    virtual QStringList suggestions(const QString& word, int max) const = 0;
    /** Accepts word from now on (for this checker only; UserWordList keeps it). */
    virtual void addWord(const QString& word) = 0;
    /**
     * Takes back a word of addWord(): unknown from now on. A word never added
     * stays as it is. One that the dictionary knows as well may stay unknown
     * until the dictionary is read again (Hunspell cannot tell the two apart).
     */
    virtual void removeWord(const QString& word) = 0;
};

} // namespace quillory::spell
