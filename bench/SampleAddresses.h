#pragma once

#include "records/AddressBook.h"
#include "records/Entry.h"

#include <QDateTime>
#include <QStringList>

#include <vector>

namespace quillory::bench {

/**
 * count entries of common German names and cities, one in ten used in a
 * letter: the address book the completion benchmarks search.
 */
inline std::vector<records::Entry> sampleAddresses(int count)
{
    const QStringList first = QStringLiteral("Max Anna Jürgen Ayşe Renée Paul Eva Lukas Mia "
                                             "Tim Lea Jan Sophie Ben Emma Noah")
                                  .split(u' ');
    const QStringList last = QStringLiteral("Müller Schmidt Schneider Fischer Weber Meyer "
                                            "Wagner Becker Schulz Hoffmann Özdemir Strauß "
                                            "Koch Richter Klein Wolf")
                                 .split(u' ');
    const QStringList cities =
        QStringLiteral("Köln Berlin München Hamburg Düsseldorf Bonn Wien Zürich").split(u' ');
    std::vector<records::Entry> entries;
    for (int i = 0; i < count; ++i) {
        records::Entry entry;
        entry.firstName = first[i % first.size()];
        // A number makes each name its own, as real address books hold few twins.
        entry.surname = last[(i / first.size()) % last.size()] + QString::number(i);
        entry.email = entry.firstName.toLower() + QStringLiteral("@example.de");
        records::fillRecipientLines(entry, {{},
                                            QStringLiteral("Hauptstraße %1").arg(i % 200),
                                            QString::number(10000 + i % 89999),
                                            cities[i % cities.size()],
                                            {}});
        // Completion looks at the entries used in letters first.
        if (i % 10 == 0)
            entry.lastUsed = QDateTime(QDate(2026, 1, 1), QTime()).addSecs(i);
        entries.push_back(entry);
    }
    return entries;
}

} // namespace quillory::bench
