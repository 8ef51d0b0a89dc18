#include "UnknownWords.h"

#include "document/Letter.h"
#include "SpellChecker.h"
#include "WordTokenizer.h"

#include <QRegularExpression>

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
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QList<UnknownWord> unknown;
    for (const TextField& field : fields) {
        const QStringList lines = field.text.split(lineBreak);
        for (qsizetype l = 0; l < lines.size(); ++l) {
            for (const WordSpan& span : checkableWords(lines[l])) {
                if (isKnownWord(checker, lines[l], span))
                    continue;
                const QString word = lines[l].mid(span.start, span.length);
                unknown.append({field.key, int(l + 1), int(span.start + 1), word,
                                checker.suggestions(word, maxSuggestions)});
            }
        }
    }
    return unknown;
}

} // namespace quillory::spell
