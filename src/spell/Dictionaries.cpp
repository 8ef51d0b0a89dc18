#include "Dictionaries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
