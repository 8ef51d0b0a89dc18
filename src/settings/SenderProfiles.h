#pragma once

#include "document/Letter.h"
#include "document/LetterFont.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::settings {

class ListStore;

/** What a sender profile holds: the sender block, the footer and both fonts. */
struct SenderProfile
{
    QString senderName;     // Edit10
    QString senderExtra;    // Edit11
    QString senderStreet;   // Edit12
    QString senderPostcode; // Edit13
    QString senderCity;     // Edit19
    QString senderCountry;  // Edit14
    QString senderPhone;    // Edit15
    QString senderFax;      // Edit16
    QString senderEmail;    // Edit17
    QString footer;         // Edit18
    document::LetterFont letterFont;
    document::LetterFont footerFont;

    static SenderProfile of(const document::Letter& letter);
    /** Puts the profile's fields into letter; everything else stays. */
    void applyTo(document::Letter& letter) const;

    /**
     * "Edit10_Text=…", "FontDialog1_FontSize=…": the names and encodings the
     * window's stored properties use for the same fields.
     */
    QStringList encode() const;
    /**
     * Reads what encode() wrote. A value that is missing or cannot be
     * converted keeps the default; as in the window's store the font's size
     * wins over its height, so a font is kept in points.
     */
    static SenderProfile decode(const QStringList& values);

    friend bool operator==(const SenderProfile&, const SenderProfile&) = default;
};

/**
 * The user's named sender profiles, in the order they were first saved,
 * kept in the settings group "Absenderprofile" beside the window's stored
 * properties and never among them: "Profil1", "Profil2", ... each hold one
 * profile's values with its name as "Name=…". Names are matched without
 * regard to case and to blanks at either end. No widgets: the window fills
 * its list from names().
 */
class SenderProfiles
{
public:
    static QString groupName() { return QStringLiteral("Absenderprofile"); }

    /** Reads the profiles; store must outlive this. */
    explicit SenderProfiles(ListStore& store);

    QStringList names() const;
    /** The stored spelling of name, empty when there is no such profile. */
    QString find(const QString& name) const;
    std::optional<SenderProfile> profile(const QString& name) const;

    /**
     * Stores profile under name (trimmed, not empty): in the place of a
     * profile of that name, else at the end. False when it could not be stored.
     */
    bool save(const QString& name, const SenderProfile& profile);
    /** Removes the profile; false when it could not be stored (or was not there). */
    bool remove(const QString& name);

private:
    struct Entry
    {
        QString name;
        SenderProfile profile;
    };
    int indexOf(const QString& name) const;
    /** Stores the profile at index under its key; false on failure. */
    bool write(int index);

    ListStore& m_store;
    QList<Entry> m_entries;
};

} // namespace quillory::settings
