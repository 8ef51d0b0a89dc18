#include "SearchFold.h"

#include "Entry.h"

namespace quillory::records {

QString foldForSearch(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    // Decomposed, "ü" is "u" and a combining diaeresis, which is dropped with
    // every other mark; "ß" has no decomposition and is spelled out.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == u'ß' || c == u'ẞ')
            folded += QLatin1String("ss");
        else
            folded += c;
    }
    return folded.toCaseFolded();
}

QStringList searchWords(QStringView text)
{
    QStringList words;
    const QString folded = foldForSearch(text);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool inWord = i < folded.size() && folded.at(i).isLetterOrNumber();
        if (inWord && start < 0)
            start = i;
        else if (!inWord && start >= 0) {
            words << folded.mid(start, i - start);
            start = -1;
        }
    }
    return words;
}

QStringList entrySearchWords(const Entry& entry)
{
    QStringList words;
    for (const QString* field : {&entry.firstName, &entry.surname, &entry.company, &entry.lines[0],
                                 &entry.lines[3], &entry.email}) {
        for (const QString& word : searchWords(*field)) {
            if (!words.contains(word))
                words << word;
        }
    }
    return words;
}

QString duplicateKey(const Entry& entry)
{
    QStringList parts{entry.firstName, entry.surname};
    for (const QString& line : entry.lines)
        parts << line;
    QStringList key;
    for (const QString& part : parts)
        key << searchWords(part).join(QLatin1Char(' '));
    return key.join(QLatin1Char('|'));
}

} // namespace quillory::records
