#include "Entry.h"

#include <algorithm>

namespace quillory::records {
namespace {

QString joined(const QStringList& parts, QStringView separator)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    }
    return kept.join(separator);
}

} // namespace

QString Entry::personName() const
{
    return joined({salutation, title, firstName, surname}, u" ");
}

bool Entry::isEmpty() const
{
    const bool noLines = std::all_of(lines.cbegin(), lines.cend(),
                                     [](const QString& line) { return line.isEmpty(); });
    return noLines && salutation.isEmpty() && title.isEmpty() && firstName.isEmpty() &&
           surname.isEmpty() && company.isEmpty() && email.isEmpty() && note.isEmpty() &&
           groups.isEmpty();
}

void fillRecipientLines(Entry& entry, const AddressParts& parts)
{
    const QString person = entry.personName();
    const QString company = entry.company.trimmed();
    entry.lines[0] = company.isEmpty() ? person : company;
    entry.lines[1] = joined({company.isEmpty() ? QString() : person, parts.extra}, u", ");
    entry.lines[2] = parts.street.trimmed();
    entry.lines[3] = joined({parts.postcode, parts.city}, u" ");
    entry.lines[4] = parts.country.trimmed();
}

AddressParts addressParts(const Entry& entry)
{
    AddressParts parts;
    parts.street = entry.lines[2];
    parts.country = entry.lines[4];
    const QString cityLine = entry.lines[3].trimmed();
    const qsizetype space = cityLine.indexOf(QLatin1Char(' '));
    const QString first = cityLine.left(space);
    // "D-50667 Köln" and "1010 Wien" alike: a first word with a digit is the postcode.
    const bool postcode =
        space > 0 && std::any_of(first.cbegin(), first.cend(), [](QChar c) { return c.isDigit(); });
    parts.postcode = postcode ? first : QString();
    parts.city = postcode ? cityLine.mid(space + 1).trimmed() : cityLine;
    return parts;
}

QStringList normalizedGroups(const QStringList& groups)
{
    QStringList result;
    for (const QString& group : groups) {
        const QString name = group.trimmed();
        if (!name.isEmpty() && !result.contains(name))
            result << name;
    }
    return result;
}

} // namespace quillory::records
