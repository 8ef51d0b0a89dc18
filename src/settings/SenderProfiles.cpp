#include "SenderProfiles.h"

#include "ListStore.h"
#include "SettingsEncoding.h"
#include "StoredProperties.h"

#include <QHash>

namespace quillory::settings {
namespace {

const QString kNameKey = QStringLiteral("Name");

QString profileKey(int index)
{
    return QStringLiteral("Profil%1").arg(index + 1);
}

/** The profile's values under the names the window's stored properties give the same fields. */
std::vector<StoredProperty> propertiesOf(SenderProfile& p)
{
    std::vector<StoredProperty> list;
    list.reserve(24);
    list.push_back(textProperty(QStringLiteral("Edit10_Text"), p.senderName));
    list.push_back(textProperty(QStringLiteral("Edit11_Text"), p.senderExtra));
    list.push_back(textProperty(QStringLiteral("Edit12_Text"), p.senderStreet));
    list.push_back(textProperty(QStringLiteral("Edit13_Text"), p.senderPostcode));
    list.push_back(textProperty(QStringLiteral("Edit19_Text"), p.senderCity));
    list.push_back(textProperty(QStringLiteral("Edit14_Text"), p.senderCountry));
    list.push_back(textProperty(QStringLiteral("Edit15_Text"), p.senderPhone));
    list.push_back(textProperty(QStringLiteral("Edit16_Text"), p.senderFax));
    list.push_back(textProperty(QStringLiteral("Edit17_Text"), p.senderEmail));
    list.push_back(textProperty(QStringLiteral("Edit18_Text"), p.footer));
    addFontProperties(list, QStringLiteral("FontDialog1"), p.letterFont);
    addFontProperties(list, QStringLiteral("FontDialog2"), p.footerFont);
    return list;
}

/** "key=value" lines by key; the first "=" ends the key, a value may hold more. */
QHash<QString, QString> valuesOf(const QStringList& lines)
{
    QHash<QString, QString> values;
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !values.contains(line.left(equals)))
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    return values;
}

} // namespace

SenderProfile SenderProfile::of(const document::Letter& l)
{
    return {l.senderName,  l.senderExtra,   l.senderStreet, l.senderPostcode,
            l.senderCity,  l.senderCountry, l.senderPhone,  l.senderFax,
            l.senderEmail, l.footer,        l.letterFont,   l.footerFont};
}

void SenderProfile::applyTo(document::Letter& l) const
{
    l.senderName = senderName;
    l.senderExtra = senderExtra;
    l.senderStreet = senderStreet;
    l.senderPostcode = senderPostcode;
    l.senderCity = senderCity;
    l.senderCountry = senderCountry;
    l.senderPhone = senderPhone;
    l.senderFax = senderFax;
    l.senderEmail = senderEmail;
    l.footer = footer;
    l.letterFont = letterFont;
    l.footerFont = footerFont;
}

QStringList SenderProfile::encode() const
{
    SenderProfile copy = *this;
    QStringList lines;
    for (const StoredProperty& property : propertiesOf(copy))
        lines.append(property.name + QLatin1Char('=') + property.encode());
    return lines;
}

SenderProfile SenderProfile::decode(const QStringList& lines)
{
    const QHash<QString, QString> values = valuesOf(lines);
    SenderProfile profile;
    for (const StoredProperty& property : propertiesOf(profile)) {
        const auto value = values.constFind(property.name);
        if (value != values.cend())
            property.decode(SettingsEncoding::trimmed(*value));
    }
    return profile;
}

SenderProfiles::SenderProfiles(ListStore& store) : m_store(store)
{
    // Up to the first empty key; a profile without a name, or with the name of
    // an earlier one (edited by hand), is passed over.
    for (int index = 0;; ++index) {
        const QStringList lines = m_store.readList(groupName(), profileKey(index));
        if (lines.isEmpty())
            break;
        const QString name = SettingsEncoding::trimmed(valuesOf(lines).value(kNameKey));
        if (!name.isEmpty() && indexOf(name) < 0)
            m_entries.append({name, SenderProfile::decode(lines)});
    }
}

QStringList SenderProfiles::names() const
{
    QStringList names;
    for (const Entry& entry : m_entries)
        names.append(entry.name);
    return names;
}

int SenderProfiles::indexOf(const QString& name) const
{
    const QString wanted = SettingsEncoding::trimmed(name);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString SenderProfiles::find(const QString& name) const
{
    const int index = indexOf(name);
    return index < 0 ? QString() : m_entries.at(index).name;
}

std::optional<SenderProfile> SenderProfiles::profile(const QString& name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    return m_entries.at(index).profile;
}

bool SenderProfiles::save(const QString& name, const SenderProfile& profile)
{
    const QString trimmed = SettingsEncoding::trimmed(name);
    if (trimmed.isEmpty())
        return false;
    // Held as the next start reads it, e.g. the fonts in points at 96 dpi.
    const Entry entry{trimmed, SenderProfile::decode(profile.encode())};
    int index = indexOf(trimmed);
    if (index < 0) {
        index = int(m_entries.size());
        m_entries.append(entry);
    } else {
        m_entries[index] = entry;
    }
    return write(index);
}

bool SenderProfiles::remove(const QString& name)
{
    const int index = indexOf(name);
    if (index < 0)
        return false;
    m_entries.removeAt(index);
    // The later ones move up one key, and the last key is emptied, which ends the list.
    bool stored = true;
    for (int i = index; i < m_entries.size(); ++i)
        stored = write(i) && stored;
    return m_store.writeList(groupName(), profileKey(int(m_entries.size())), {}) && stored;
}

bool SenderProfiles::write(int index)
{
    const Entry& entry = m_entries.at(index);
    return m_store.writeList(groupName(), profileKey(index),
                             QStringList{kNameKey + QLatin1Char('=') + entry.name} +
                                 entry.profile.encode());
}

} // namespace quillory::settings
