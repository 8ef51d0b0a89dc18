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

QList<UnknownWord> findUnknownWords(const SpellChecker& checker, const QList<TextField>& fields,
                                    int maxSuggestions)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QList<UnknownWord> unknown;
    for (const TextField& field : fields) {
        const QStringList lines = field.text.split(lineBreak);
        for (qsizetype l = 0; l < lines.size(); ++l) {
            for (const WordSpan& span : checkableWords(lines[l])) {
                const QString word = lines[l].mid(span.start, span.length);
                if (checker.isCorrect(word))
                    continue;
                unknown.append({field.key, int(l + 1), int(span.start + 1), word,
                                checker.suggestions(word, maxSuggestions)});
            }
        }
    }
    return unknown;
}

} // namespace quillory::spell
