#include "LetterArchive.h"

#include "document/DateFormat.h"
#include "document/Letter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace quillory::records {
namespace {

QString quoted(QString word)
{
    // Inside double quotes FTS5 reads no operator, column or NEAR: the text
    // is only split into tokens, and "" stands for a quote of its own.
    return QLatin1Char('"') + word.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1String("\"*");
}

bool hasLetterOrDigit(const QString& word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

QString withLineFeeds(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

/** Qt binds a null QString as SQL NULL; the archive's texts are empty instead. */
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

LetterText LetterText::of(const document::Letter& letter)
{
    QStringList lines;
    for (const QString& line : {letter.recipientName, letter.recipientExtra, letter.recipientStreet,
                                letter.recipientCity, letter.recipientCountry}) {
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    return {lines.join(QLatin1Char('\n')), letter.subject,
            document::DateFormat::format(letter.date), withLineFeeds(letter.body)};
}

QString LetterArchive::eventName(Event event)
{
    switch (event) {
    case Event::Printed:
        return QStringLiteral("gedruckt");
    case Event::Pdf:
        return QStringLiteral("PDF");
    case Event::Saved:
        break;
    }
    return QStringLiteral("gespeichert");
}

QString LetterArchive::matchExpression(const QString& words)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList terms;
    for (const QString& word : words.split(space, Qt::SkipEmptyParts)) {
        if (!hasLetterOrDigit(word))
            continue; // a quoted phrase without tokens would match nothing
        QStringList spellings{quoted(word)};
        QString other = word;
        if (word.contains(QChar(0xdf)))
            other.replace(QChar(0xdf), QLatin1String("ss"));
        else
            other.replace(QLatin1String("ss"), QString(QChar(0xdf)), Qt::CaseInsensitive);
        if (other != word)
            spellings << quoted(other);
        terms << (spellings.size() == 1 ? spellings.front()
                                        : QLatin1Char('(') + spellings.join(QLatin1String(" OR ")) +
                                              QLatin1Char(')'));
    }
    return terms.join(QLatin1String(" AND "));
}

bool LetterArchive::failed(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    m_error = QStringLiteral("Das Briefarchiv in „%1“: %2")
                  .arg(QDir::toNativeSeparators(m_database.path()),
                       error.databaseText().isEmpty() ? error.text() : error.databaseText());
    return false;
}

bool LetterArchive::addOne(const Record& record)
{
    const QString path = QFileInfo(record.path).absoluteFilePath();
    const int event = int(record.event);
    QSqlQuery query(m_database.connection());
    // The rows this record stands in for (see the class comment), gathered
    // first: the recipient that picks a printed row goes with its words.
    const bool perRecipient = record.event == Event::Printed;
    QList<qint64> replaced;
    const qsizetype rounds = perRecipient ? qsizetype(record.letters.size()) : 1;
    for (qsizetype i = 0; i < rounds; ++i) {
        query.prepare(perRecipient
                          ? QStringLiteral("SELECT a.id FROM archive a JOIN archive_text t "
                                           "ON t.rowid = a.id WHERE a.path = ? AND "
                                           "a.event = ? AND t.recipient = ?")
                          : QStringLiteral("SELECT id FROM archive WHERE path = ? AND "
                                           "event = ?"));
        query.addBindValue(path);
        query.addBindValue(event);
        if (perRecipient)
            query.addBindValue(notNull(record.letters[size_t(i)].recipient));
        if (!query.exec())
            return failed(query);
        while (query.next())
            replaced << query.value(0).toLongLong();
    }
    for (const qint64 id : std::as_const(replaced)) {
        for (const QString& statement : {QStringLiteral("DELETE FROM archive_text WHERE rowid = ?"),
                                         QStringLiteral("DELETE FROM archive WHERE id = ?")}) {
            query.prepare(statement);
            query.addBindValue(id);
            if (!query.exec())
                return failed(query);
        }
    }
    for (const LetterText& letter : record.letters) {
        query.prepare(QStringLiteral(
            "INSERT INTO archive (happened, event, path, letter_date) VALUES (?, ?, ?, ?)"));
        query.addBindValue(record.when.toMSecsSinceEpoch());
        query.addBindValue(event);
        query.addBindValue(path);
        query.addBindValue(notNull(letter.date));
        if (!query.exec())
            return failed(query);
        const QVariant id = query.lastInsertId();
        query.prepare(QStringLiteral(
            "INSERT INTO archive_text (rowid, recipient, subject, body) VALUES (?, ?, ?, ?)"));
        query.addBindValue(id);
        query.addBindValue(notNull(letter.recipient));
        query.addBindValue(notNull(letter.subject));
        query.addBindValue(notNull(letter.body));
        if (!query.exec())
            return failed(query);
    }
    return true;
}

bool LetterArchive::add(const std::vector<Record>& records)
{
    m_error.clear();
    if (!m_database.beginWrite()) {
        m_error = m_database.errorString();
        return false;
    }
    for (const Record& record : records) {
        if (!addOne(record)) {
            m_database.rollback();
            return false;
        }
    }
    if (m_database.commit())
        return true;
    m_error = m_database.errorString();
    m_database.rollback();
    return false;
}

std::vector<LetterArchive::Hit> LetterArchive::search(const QString& words, int limit)
{
    m_error.clear();
    const QString match = matchExpression(words);
    std::vector<Hit> hits;
    if (match.isEmpty() && !words.trimmed().isEmpty())
        return hits; // only punctuation: nothing can hold it
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    // The newest matches are picked by id and time alone; only their words are
    // read then: a word in every letter must not sort every letter's text.
    query.prepare(QStringLiteral("SELECT a.id, a.happened, a.event, a.path, a.letter_date, "
                                 "t.recipient, t.subject, t.body FROM (SELECT id FROM archive %1 "
                                 "ORDER BY happened DESC, id DESC LIMIT ?) AS picked "
                                 "CROSS JOIN archive a ON a.id = picked.id "
                                 "CROSS JOIN archive_text t ON t.rowid = a.id "
                                 "ORDER BY a.happened DESC, a.id DESC")
                      .arg(match.isEmpty() ? QString()
                                           : QStringLiteral("WHERE id IN (SELECT rowid FROM "
                                                            "archive_text WHERE archive_text "
                                                            "MATCH ?)")));
    if (!match.isEmpty())
        query.addBindValue(match);
    query.addBindValue(limit);
    if (!query.exec()) {
        failed(query);
        return hits;
    }
    while (query.next()) {
        Hit hit;
        hit.id = query.value(0).toLongLong();
        hit.when = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC);
        hit.event = Event(query.value(2).toInt());
        hit.path = query.value(3).toString();
        hit.letter = {query.value(5).toString(), query.value(6).toString(),
                      query.value(4).toString(), query.value(7).toString()};
        hit.missing = !QFileInfo::exists(hit.path);
        hits.push_back(std::move(hit));
    }
    return hits;
}

} // namespace quillory::records
