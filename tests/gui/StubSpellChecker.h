#pragma once

#include "spell/SpellChecker.h"

#include <QHash>
#include <QSet>

/**
 * Knows every word but the ones it is told, and offers what it is told for
 * them; a word added is known until it is removed again.
 */
class StubSpellChecker : public quillory::spell::SpellChecker
{
public:
    QHash<QString, QStringList> unknown;
    QSet<QString> added;

    bool isCorrect(const QString& word) const override
    {
        return !unknown.contains(word) || added.contains(word);
    }
    QStringList suggestions(const QString& word, int max) const override
    {
        return unknown.value(word).mid(0, max);
    }
    void addWord(const QString& word) override { added.insert(word); }
    void removeWord(const QString& word) override { added.remove(word); }
};
