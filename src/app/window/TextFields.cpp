#include "window/TextFields.h"

#include <array>

namespace quillory::app {
namespace {

using L = document::Letter;

const std::array<TextField, 21> kFields{{
    {"recipient.name", "Edit1", "Name des Empfängers", &L::recipientName},
    {"recipient.extra", "Edit2", "Zusatzinformationen", &L::recipientExtra},
    {"recipient.street", "Edit3", "Straße und Nummer", &L::recipientStreet},
    {"recipient.city", "Edit4", "Postleitzahl und Ort", &L::recipientCity},
    {"recipient.country", "Edit5", "Zielland", &L::recipientCountry},
    {"subject", "Edit6", "Betreff", &L::subject},
    {"salutation", "Edit7", "Anrede", &L::salutation},
    {"body", "Memo1", "Brieftext", &L::body},
    {"closing", "Edit8", "Schlussformel", &L::closing},
    {"signature", "Edit9", "Unterschrift", &L::signature},
    {"sender.name", "Edit10", "Ihr Name", &L::senderName},
    {"sender.extra", "Edit11", "Zusatzinformationen", &L::senderExtra},
    {"sender.street", "Edit12", "Straße und Nummer", &L::senderStreet},
    {"sender.postcode", "Edit13", "Postleitzahl", &L::senderPostcode},
    {"sender.city", "Edit19", "Ort", &L::senderCity},
    {"sender.country", "Edit14", "Absender-Land", &L::senderCountry},
    {"sender.phone", "Edit15", "Telefon", &L::senderPhone},
    {"sender.fax", "Edit16", "Fax", &L::senderFax},
    {"sender.email", "Edit17", "Email", &L::senderEmail},
    {"footer", "Edit18", "Fußzeile", &L::footer},
    {"sender_separator", "TrennZeichen", "Trennzeichen", &L::senderSeparator},
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
