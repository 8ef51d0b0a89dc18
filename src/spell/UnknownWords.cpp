#include "UnknownWords.h"

#include "document/Letter.h"
#include "SpellChecker.h"
#include "SpellWalk.h"
#include "WordTokenizer.h"

#include <algorithm>
#include <iterator>

namespace quillory::spell {
namespace {

// Abbreviations of letters that the German dictionaries of the systems lack
// (they know "Nr.", "Tel." and "ggf.", not "gez." or "Str."), without the
// stop.
const QStringView kLetterAbbreviations[] = {
    u"Anl", u"Apr", u"Aug",  u"Az",   u"Di",  u"Do",   u"Febr",   u"Hr",
    u"Hrn", u"Jan", u"Kto",  u"Mi",   u"Mo",  u"Mwst", u"Pos",    u"So",
    u"Str", u"Whg", u"Ziff", u"ggfs", u"gez", u"mtl",  u"stellv", u"zzt",
};

bool isLetterAbbreviation(QStringView word)
{
    return std::find(std::cbegin(kLetterAbbreviations), std::cend(kLetterAbbreviations), word) !=
           std::cend(kLetterAbbreviations);
}

} // namespace

QList<TextField> checkedFields(const document::Letter& letter, bool signatureText)
{
    QList<TextField> fields{{QStringLiteral("recipient.name"), letter.recipientName},
                            {QStringLiteral("recipient.extra"), letter.recipientExtra},
                            {QStringLiteral("recipient.street"), letter.recipientStreet},
                            {QStringLiteral("recipient.city"), letter.recipientCity},
                            {QStringLiteral("recipient.country"), letter.recipientCountry},
                            {QStringLiteral("subject"), letter.subject},
                            {QStringLiteral("salutation"), letter.salutation},
                            {QStringLiteral("body"), letter.body},
                            {QStringLiteral("closing"), letter.closing}};
    if (signatureText)
        fields.append({QStringLiteral("signature"), letter.signature});
    return fields;
}

bool isKnownWord(const SpellChecker& checker, QStringView line, const WordSpan& span)
{
    const QStringView word = line.sliced(span.start, span.length);
    if (checker.isCorrect(word.toString()))
        return true;
    const qsizetype after = span.start + span.length;
    if (after >= line.size() || line[after] != u'.')
        return false;
    return isLetterAbbreviation(word) || checker.isCorrect(word.toString() + QLatin1Char('.'));
}

UnknownWordFinder::UnknownWordFinder(const SpellChecker& checker, QList<TextField> fields,
                                     SuggestionLimits limits)
    : m_checker(checker), m_fields(std::move(fields)), m_limits(limits),
      m_walk(std::make_unique<SpellWalk>(SpellWalk::Ignored{}, 0))
{}

UnknownWordFinder::~UnknownWordFinder() = default;

std::optional<UnknownWord> UnknownWordFinder::next()
{
    // The same walk as the window's dialog, so both report the same words in one order.
    std::optional<SpellWalk::Stop> stop = m_walk->next(m_checker, m_fields);
    if (!stop)
        return std::nullopt;
    m_walk->pass();
    UnknownWord& word = stop->word;
    const auto known = m_suggestions.constFind(word.word);
    if (known != m_suggestions.cend())
        word.suggestions = *known;
    else if (m_suggestions.size() < m_limits.words)
        word.suggestions =
            *m_suggestions.insert(word.word, m_checker.suggestions(word.word, m_limits.perWord));
    else
        m_leftOut = true;
    return std::move(word);
}

QList<UnknownWord> findUnknownWords(const SpellChecker& checker, const QList<TextField>& fields,
                                    SuggestionLimits limits)
{
    QList<UnknownWord> unknown;
    UnknownWordFinder finder(checker, fields, limits);
    while (std::optional<UnknownWord> word = finder.next())
        unknown.append(std::move(*word));
    return unknown;
}

} // namespace quillory::spell
