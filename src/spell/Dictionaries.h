#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::spell {

/** One installed Hunspell dictionary, e.g. "de_DE" with its two files. */
struct Dictionary
{
    QString name;
    QString affPath;
    QString dicPath;
};

/**
 * The folders searched, first wins: "dictionaries" beside the program (how
 * they travel with it on Windows), then "hunspell", "myspell" and
 * "myspell/dicts" under every data folder of the system (/usr/share,
 * /usr/local/share, the user's own).
 */
QStringList dictionaryFolders();

/** The German dictionaries (de_*.aff with a .dic beside it) in folders, by name. */
QList<Dictionary> findGermanDictionaries(const QStringList& folders = dictionaryFolders());

/**
 * wanted when installed; else the system language's German dictionary
 * (de_AT on an Austrian desktop); else de_DE; else any German one.
 */
std::optional<Dictionary> chooseDictionary(const QList<Dictionary>& installed,
                                           const QString& wanted = {},
                                           const QLocale& system = QLocale::system());

/**
 * How a dictionary is shown to the user: its language and country in
 * German, "Deutsch (Österreich)" for de_AT; what follows the country in the
 * name comes after a comma ("de_DE_frami": "Deutsch (Deutschland, frami)").
 * A name that names no country is shown as it is.
 */
QString dictionaryDisplayName(const QString& name);

/** What to install when there is none, for the message that says so. */
QString dictionaryPackageHint();

} // namespace quillory::spell
