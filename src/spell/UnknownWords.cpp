#include "UnknownWords.h"

#include "document/Letter.h"
#include "SpellChecker.h"
#include "SpellWalk.h"
#include "WordTokenizer.h"

namespace quillory::spell {

QList<TextField> checkedFields(const document::Letter& letter)
{
    return {{QStringLiteral("recipient.name"), letter.recipientName},
            {QStringLiteral("recipient.extra"), letter.recipientExtra},
            {QStringLiteral("recipient.street"), letter.recipientStreet},
            {QStringLiteral("recipient.city"), letter.recipientCity},
            {QStringLiteral("recipient.country"), letter.recipientCountry},
            {QStringLiteral("subject"), letter.subject},
            {QStringLiteral("salutation"), letter.salutation},
            {QStringLiteral("body"), letter.body},
            {QStringLiteral("closing"), letter.closing},
            {QStringLiteral("signature"), letter.signature}};
}

bool isKnownWord(const SpellChecker& checker, QStringView line, const WordSpan& span)
{
    const QString word = line.mid(span.start, span.length).toString();
    if (checker.isCorrect(word))
        return true;
    const qsizetype after = span.start + span.length;
    return after < line.size() && line[after] == u'.' && checker.isCorrect(word + QLatin1Char('.'));
}

QList<UnknownWord> findUnknownWords(const SpellChecker& checker, const QList<TextField>& fields,
                                    int maxSuggestions)
{
    // The same walk as the window's dialog, so both report the same words in one order.
    QList<UnknownWord> unknown;
    SpellWalk walk({}, maxSuggestions);
    while (const std::optional<SpellWalk::Stop> stop = walk.next(checker, fields)) {
        unknown.append(stop->word);
        walk.pass();
    }
    return unknown;
}

} // namespace quillory::spell
