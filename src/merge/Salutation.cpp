#include "Salutation.h"

namespace quillory::merge {
namespace {

enum class Form { Woman, Man, ByName, Anyone };

Form formOf(QStringView value)
{
    const QString key = value.trimmed().toString().toCaseFolded();
    static const QStringList women = {QStringLiteral("frau"), QStringLiteral("fr."),
                                      QStringLiteral("fr")};
    static const QStringList men = {QStringLiteral("herr"), QStringLiteral("herrn"),
                                    QStringLiteral("hr."), QStringLiteral("hr")};
    static const QStringList byName = {QString(), QStringLiteral("divers"), QStringLiteral("d"),
                                       QStringLiteral("d.")};
    if (women.contains(key))
        return Form::Woman;
    if (men.contains(key))
        return Form::Man;
    // "Firma", and whatever else a table holds ("Familie", a typing error):
    // the greeting that is never wrong.
    return byName.contains(key) ? Form::ByName : Form::Anyone;
}

/** The non-empty parts, each with its spaces tidied, joined by one space. */
QString joined(std::initializer_list<QStringView> parts)
{
    QStringList words;
    for (QStringView part : parts) {
        if (QString word = part.toString().simplified(); !word.isEmpty())
            words.append(word);
    }
    return words.join(QLatin1Char(' '));
}

/** The index of name in columns: as written, else in any case; -1 for none. */
int columnNamed(const QStringList& columns, const QString& name)
{
    if (name.isEmpty())
        return -1;
    if (const qsizetype exact = columns.indexOf(name); exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace

Salutation Salutation::derive(QStringView form, QStringView title, QStringView surname,
                              QStringView firstName)
{
    const Form kind = formOf(form);
    const QString name = joined({title, surname});
    const bool named = !surname.trimmed().isEmpty();
    Salutation s;
    if (kind == Form::Woman || kind == Form::Man) {
        // A first name alone still names the person on the envelope.
        if (named || !firstName.trimmed().isEmpty())
            s.address = kind == Form::Woman ? QStringLiteral("Frau") : QStringLiteral("Herrn");
        if (named)
            s.letter = (kind == Form::Woman ? QStringLiteral("Sehr geehrte Frau ")
                                            : QStringLiteral("Sehr geehrter Herr ")) +
                       name + QLatin1Char(',');
    } else if (kind == Form::ByName && named) {
        s.letter =
            QStringLiteral("Guten Tag ") + joined({title, firstName, surname}) + QLatin1Char(',');
    }
    if (s.letter.isEmpty())
        s.letter = QStringLiteral("Sehr geehrte Damen und Herren,");
    return s;
}

QString SalutationColumns::toString() const
{
    QStringList names{form, title, surname};
    if (!firstName.isEmpty())
        names.append(firstName);
    return names.join(QLatin1Char(','));
}

std::optional<SalutationColumns> SalutationColumns::parse(QStringView text)
{
    const QList<QStringView> names = text.split(QLatin1Char(','));
    if (text.trimmed().isEmpty() || names.size() < 3 || names.size() > 4)
        return std::nullopt;
    SalutationColumns columns;
    columns.form = names[0].trimmed().toString();
    columns.title = names[1].trimmed().toString();
    columns.surname = names[2].trimmed().toString();
    if (names.size() == 4)
        columns.firstName = names[3].trimmed().toString();
    return columns;
}

SalutationColumns SalutationColumns::find(const QStringList& columns)
{
    const auto named = [&columns](const char* name) {
        return columns.value(columnNamed(columns, QString::fromLatin1(name)));
    };
    SalutationColumns found;
    found.form = named("Anrede");
    found.title = named("Titel");
    found.surname = named("Nachname");
    if (found.surname.isEmpty())
        found.surname = named("Name");
    found.firstName = named("Vorname");
    return found;
}

SalutationFields::SalutationFields(const QStringList& columns,
                                   const std::optional<SalutationColumns>& chosen)
{
    const SalutationColumns wanted = chosen ? *chosen : SalutationColumns::find(columns);
    for (const QString& name : {wanted.form, wanted.title, wanted.surname, wanted.firstName}) {
        if (!name.isEmpty() && columnNamed(columns, name) < 0) {
            m_problem = QStringLiteral("Unbekannte Spalte „%1“ für Briefanrede und Anschriftanrede")
                            .arg(name);
            return;
        }
    }
    m_form = columnNamed(columns, wanted.form);
    m_title = columnNamed(columns, wanted.title);
    m_surname = columnNamed(columns, wanted.surname);
    m_firstName = columnNamed(columns, wanted.firstName);
    m_used = {columns.value(m_form), columns.value(m_title), columns.value(m_surname),
              columns.value(m_firstName)};
    if (!m_used.derives())
        return;
    // The table's own column is what the user wrote: it is never replaced.
    m_letter = !columns.contains(Salutation::letterColumn());
    m_address = !columns.contains(Salutation::addressColumn());
}

QStringList SalutationFields::names() const
{
    QStringList names;
    if (m_letter)
        names.append(Salutation::letterColumn());
    if (m_address)
        names.append(Salutation::addressColumn());
    return names;
}

QStringList SalutationFields::values(const QStringList& record) const
{
    if (!m_letter && !m_address)
        return {};
    const auto at = [&record](int column) {
        return column >= 0 && column < record.size() ? QStringView(record[column]) : QStringView();
    };
    const Salutation s =
        Salutation::derive(at(m_form), at(m_title), at(m_surname), at(m_firstName));
    QStringList values;
    if (m_letter)
        values.append(s.letter);
    if (m_address)
        values.append(s.address);
    return values;
}

} // namespace quillory::merge
