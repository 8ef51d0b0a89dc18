#include "Dictionaries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace quillory::spell {

QStringList dictionaryFolders()
{
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QDir(QCoreApplication::applicationDirPath())
                       .filePath(QStringLiteral("dictionaries"));
    const QStringList subfolders{QStringLiteral("hunspell"), QStringLiteral("myspell"),
                                 QStringLiteral("myspell/dicts")};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        for (const QString& sub : subfolders)
            folders << QDir(data).filePath(sub);
    folders.removeDuplicates();
    return folders;
}

QList<Dictionary> findGermanDictionaries(const QStringList& folders)
{
    QList<Dictionary> found;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QStringList affixes =
            dir.entryList({QStringLiteral("de_*.aff"), QStringLiteral("de-*.aff")}, QDir::Files);
        for (const QString& aff : affixes) {
            const QString name = aff.chopped(4);
            const QString dic = dir.filePath(name + QStringLiteral(".dic"));
            const bool known = std::any_of(found.cbegin(), found.cend(),
                                           [&](const Dictionary& d) { return d.name == name; });
            if (!known && QFileInfo::exists(dic))
                found.append({name, dir.filePath(aff), dic});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Dictionary& a, const Dictionary& b) { return a.name < b.name; });
    return found;
}

std::optional<Dictionary> chooseDictionary(const QList<Dictionary>& installed,
                                           const QString& wanted, const QLocale& system)
{
    const auto named = [&](const QString& name) -> std::optional<Dictionary> {
        for (const Dictionary& dictionary : installed)
            if (dictionary.name.compare(name, Qt::CaseInsensitive) == 0)
                return dictionary;
        return std::nullopt;
    };
    if (!wanted.isEmpty())
        if (auto chosen = named(wanted))
            return chosen;
    if (system.language() == QLocale::German)
        if (auto chosen = named(system.name()))
            return chosen;
    if (auto chosen = named(QStringLiteral("de_DE")))
        return chosen;
    if (!installed.isEmpty())
        return installed.first();
    return std::nullopt;
}

QString dictionaryDisplayName(const QString& name)
{
    // "de_AT", "de-CH" or "de_DE_frami": the language, the country, a variant.
    const QStringList parts = name.split(QRegularExpression(QStringLiteral("[_-]")));
    if (parts.size() < 2 || parts[1].size() != 2)
        return name;
    const QLocale locale(parts[0] + QLatin1Char('_') + parts[1].toUpper());
    if (locale.language() != QLocale::German ||
        locale.territory() != QLocale::codeToTerritory(parts[1].toUpper()))
        return name;
    // The language in its plain German name: the Swiss and Austrian locales
    // call theirs "Schweizer Hochdeutsch" and "Österreichisches Deutsch".
    QString shown = QLocale(QLocale::German).nativeLanguageName() + QStringLiteral(" (") +
                    locale.nativeTerritoryName();
    if (parts.size() > 2)
        shown += QStringLiteral(", ") + parts.mid(2).join(QLatin1Char('_'));
    return shown + QLatin1Char(')');
}

QString dictionaryPackageHint()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Kein deutsches Wörterbuch gefunden: de_DE.aff und de_DE.dic gehören "
                          "in den Ordner \"dictionaries\" neben dem Programm.");
#else
    return QStringLiteral("Kein deutsches Wörterbuch gefunden: bitte das Paket "
                          "\"hunspell-de-de\" installieren.");
#endif
}

} // namespace quillory::spell
