#include "window/TextFields.h"

#include <array>

namespace quillory::app {
namespace {

using L = document::Letter;
using G = TextField::Group;

// The page's head is everything above the subject line: the recipient, the
// sender and its separator, the subject and salutation lines' start. The
// body lies below the address and the closing after it.
const std::array<TextField, 21> kFields{{
    {"recipient.name", "Edit1", "Name des Empfängers", G::Recipient, &L::recipientName, true},
    {"recipient.extra", "Edit2", "Zusatzinformationen", G::Recipient, &L::recipientExtra, true},
    {"recipient.street", "Edit3", "Straße und Nummer", G::Recipient, &L::recipientStreet, true},
    {"recipient.city", "Edit4", "Postleitzahl und Ort", G::Recipient, &L::recipientCity, true},
    {"recipient.country", "Edit5", "Zielland", G::Recipient, &L::recipientCountry, true},
    {"subject", "Edit6", "Betreff", G::Letter, &L::subject, true},
    {"salutation", "Edit7", "Anrede", G::Letter, &L::salutation, true},
    {"body", "Memo1", "Brieftext", G::Letter, &L::body, false},
    {"closing", "Edit8", "Schlussformel", G::Letter, &L::closing, false},
    {"signature", "Edit9", "Unterschrift", G::Letter, &L::signature, false},
    {"sender.name", "Edit10", "Ihr Name", G::Sender, &L::senderName, true},
    {"sender.extra", "Edit11", "Zusatzinformationen", G::Sender, &L::senderExtra, true},
    {"sender.street", "Edit12", "Straße und Nummer", G::Sender, &L::senderStreet, true},
    {"sender.postcode", "Edit13", "Postleitzahl", G::Sender, &L::senderPostcode, true},
    {"sender.city", "Edit19", "Ort", G::Sender, &L::senderCity, true},
    {"sender.country", "Edit14", "Absender-Land", G::Sender, &L::senderCountry, true},
    {"sender.phone", "Edit15", "Telefon", G::Sender, &L::senderPhone, true},
    {"sender.fax", "Edit16", "Fax", G::Sender, &L::senderFax, true},
    {"sender.email", "Edit17", "Email", G::Sender, &L::senderEmail, true},
    {"footer", "Edit18", "Fußzeile", G::Sender, &L::footer, true},
    {"sender_separator", "TrennZeichen", "Trennzeichen", G::Sender, &L::senderSeparator, true},
}};

} // namespace

std::span<const TextField> textFields()
{
    return kFields;
}

const TextField* textFieldByKey(const QString& key)
{
    for (const TextField& field : kFields)
        if (key == QLatin1StringView(field.key))
            return &field;
    return nullptr;
}

} // namespace quillory::app
