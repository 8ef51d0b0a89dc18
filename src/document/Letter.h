#pragma once

#include "LetterFont.h"
#include "ValueRules.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillory::document {

/**
 * One letter as the letter file holds it: the letter's content and the
 * sender data and layout settings that shape its pages. The window mirrors
 * its widgets into this record and back; the file codec and page composition
 * only ever see the record.
 *
 * Numbers and the date are kept valid by whoever sets them from outside,
 * through ValueRules and the ranges below.
 */
struct Letter
{
    /** A row of the information block of a DIN 5008 letter: "Ihr Zeichen" and its value. */
    struct InfoRow
    {
        QString label;
        QString value;
        friend bool operator==(const InfoRow&, const InfoRow&) = default;
    };

    /**
     * An entry of the letter file's extension block that this version does
     * not know: kept as read, so a newer program's data survives a save here.
     */
    struct ExtensionEntry
    {
        QByteArray key;
        QByteArray value; ///< UTF-8
        friend bool operator==(const ExtensionEntry&, const ExtensionEntry&) = default;
    };

    /**
     * The table of a serial letter that goes with it: where it lies and how
     * it is read. Never its contents: the table stays a file of its own.
     */
    struct SerialAttachment
    {
        /**
         * The table's file. The letter file holds it relative to its own
         * folder (with "/") when the table lies there or below, else as an
         * absolute path; LetterFile's readFile() and writeFile() convert.
         */
        QString table;
        /** "name=value" entries, such as "delimiter=;": only what was chosen, not detected. */
        QStringList options;

        bool isEmpty() const { return table.isEmpty(); }
        /**
         * The table of a letter sent to the address book's entries: no file's
         * name on Windows ('<' and '>' are not allowed there), so a version
         * that knows no address book only finds no such table, and reads no
         * other in its place. The group, if any, is the option "gruppe=NAME".
         */
        static QString addressBook() { return QStringLiteral("<Adressbuch>"); }
        bool isAddressBook() const { return table == addressBook(); }
        static QString groupOption() { return QStringLiteral("gruppe="); }
        /** The address book's group the options name; empty: every entry. */
        QString addressBookGroup() const
        {
            for (const QString& option : options) {
                if (option.startsWith(groupOption()))
                    return option.mid(groupOption().size());
            }
            return {};
        }
        friend bool operator==(const SerialAttachment&, const SerialAttachment&) = default;
    };

    /**
     * The data of an EPC payment code ("GiroCode") printed beside the
     * closing; all empty: the letter has none. Kept as entered, so that a
     * serial letter's placeholders survive until each record fills them;
     * the payment module checks and normalises them.
     */
    struct Payment
    {
        QString payee;     ///< empty: the sender's name
        QString iban;      ///< without spaces, in upper case
        QString bic;       ///< may be empty
        QString amount;    ///< "149.90"; empty: the payer enters it
        QString reference; ///< ISO 11649 creditor reference "RF..."; never with text
        QString text;      ///< remittance text, up to 140 characters

        bool isEmpty() const
        {
            return payee.isEmpty() && iban.isEmpty() && bic.isEmpty() && amount.isEmpty() &&
                   reference.isEmpty() && text.isEmpty();
        }
        friend bool operator==(const Payment&, const Payment&) = default;
    };

    static constexpr NumberRange kMarginRange{0, 1000, 5};
    static constexpr NumberRange kLinesRange{0, 1000, 1};
    static constexpr NumberRange kSenderReductionRange{0, 10, 1};

    /** A new letter dated today, with the sample sender data. */
    static Letter makeNew(QDate today = QDate::currentDate());

    /**
     * A text's line breaks as the body holds them: every bare LF and bare CR
     * becomes CR LF, an existing CR LF stays. The window's editor stores its
     * lines this way, so a body brought in from elsewhere does not change on
     * its first save there.
     */
    static QString withBodyLineBreaks(const QString& text);

    // Letter content.
    QString recipientName;    // Edit1
    QString recipientExtra;   // Edit2
    QString recipientStreet;  // Edit3
    QString recipientCity;    // Edit4: postcode and city
    QString recipientCountry; // Edit5
    QString subject;          // Edit6
    QString salutation;       // Edit7
    QString closing;          // Edit8
    QString signature;        // Edit9, printed when the signature is not the sender's name
    QString body;             // Memo1, lines separated by "\r\n"
    QDate date;               // DateEdit1, always valid

    // Sender data and layout settings.
    QString senderName;                             // Edit10
    QString senderExtra;                            // Edit11
    QString senderStreet;                           // Edit12
    QString senderPostcode;                         // Edit13
    QString senderCity;                             // Edit19
    QString senderCountry;                          // Edit14
    QString senderPhone;                            // Edit15
    QString senderFax;                              // Edit16
    QString senderEmail;                            // Edit17
    QString footer;                                 // Edit18
    double marginMm = 20;                           // RandEd, two decimals
    bool phoneRight = true;                         // TeleRechts
    bool footerCentred = true;                      // FussZentr
    int linesToSender = 6;                          // ZeilenAbsender
    int linesToRecipient = 1;                       // ZeilenBisEmpfaenger
    int linesToSubject = 6;                         // ZeilenBisBetreff
    bool senderOneLine = true;                      // Absenderunterstr
    QString senderSeparator;                        // TrennZeichen
    int senderSizeReduction = 3;                    // Absenderverkleinern, points
    bool layout1SmallerSender = false;              // kleinereSchriftCheck
    bool layout1BlankBeforeCity = false;            // LeerZeileCheck
    bool layout1LargerCity = false;                 // PLZOrtGroesserCheck
    LetterFont letterFont = LetterFont::arial(-15); // FontDialog1: 11 pt at 96 ppi
    LetterFont footerFont = LetterFont::arial(-11); // FontDialog2: 8 pt at 96 ppi

    // Beyond the letter file's 35 fields: kept in its extension block, and
    // empty in every letter written before them.
    QList<InfoRow> infoBlock; ///< the information block's rows, in order
    QStringList postalNotes;  ///< up to 3 lines above the address, e.g. "Einschreiben"
    QStringList enclosures;   ///< "Anlage"/"Anlagen": one a line
    QStringList distribution; ///< "Verteiler": one a line
    SerialAttachment serial;  ///< the serial letter's table; empty without one
    Payment payment;          ///< the payment code beside the closing; empty: none
    QList<ExtensionEntry> unknownExtensionEntries; ///< written back after the known ones

    friend bool operator==(const Letter&, const Letter&) = default;
};

} // namespace quillory::document
