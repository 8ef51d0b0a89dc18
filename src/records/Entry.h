#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace quillory::records {

/**
 * One entry of the address book. The five recipient lines are what a letter
 * takes over as they stand (name, extra line, street, postcode and city,
 * country, as document::Letter holds them); the name fields beside them feed
 * salutations, completion and the files the entries travel in.
 */
struct Entry
{
    qint64 id = 0; ///< 0 until stored
    std::array<QString, 5> lines;
    QString salutation; ///< form of address: "Herr", "Frau"
    QString title;      ///< "Dr."
    QString firstName;
    QString surname;
    QString company;
    QString email;
    QString note;
    QStringList groups; ///< free tags
    QDateTime lastUsed; ///< null when never used in a letter

    /** "Herr Dr. Max Müller": the name fields that are set, in that order. */
    QString personName() const;

    /** Whether no field holds anything. */
    bool isEmpty() const;

    friend bool operator==(const Entry&, const Entry&) = default;
};

/** The parts of an address as lists and cards give them. */
struct AddressParts
{
    QString extra; ///< "Zusatz": department, c/o
    QString street;
    QString postcode;
    QString city;
    QString country;
};

/**
 * Fills entry's five recipient lines from its name fields and parts, in the
 * roles of the letter's lines:
 *   1. the company, or the person's name when there is no company;
 *   2. the person's name when a company took line 1, and the extra line,
 *      joined by ", " when there are both;
 *   3. the street;
 *   4. postcode and city, separated by a space;
 *   5. the country.
 * Nothing given is dropped, and no line moves to another's place, so a
 * letter's field always holds what its name says.
 */
void fillRecipientLines(Entry& entry, const AddressParts& parts);

/** The parts read back from lines 3 to 5; a leading number of line 4 is the postcode. */
AddressParts addressParts(const Entry& entry);

/** Groups typed as "Kunden, Weihnachten": trimmed, empty ones dropped, each once. */
QStringList normalizedGroups(const QStringList& groups);

} // namespace quillory::records
