#include "SpellCommand.h"

#include "LetterFiles.h"
#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/UserWordList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillory::cli {

int SpellCommand::run(const QStringList& arguments, Console& console)
{
    QString input;
    QString wanted;
    bool json = false;
    bool signatureText = false;
    spell::SuggestionLimits limits;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument == QLatin1String("--no-suggestions"))
            limits.words = 0;
        else if (argument == QLatin1String("--signature-text"))
            signatureText = true;
        else if (argument == QLatin1String("--dictionary") && i + 1 < arguments.size())
            wanted = arguments[++i];
        else if (argument.startsWith(QLatin1Char('-')) || !input.isEmpty())
            return console.usageFailure(QStringLiteral("unexpected argument %1").arg(argument),
                                        usageLine());
        else
            input = argument;
    }
    if (input.isEmpty())
        return console.usageFailure(QStringLiteral("spell takes one letter file"), usageLine());

    const QList<spell::Dictionary> installed = spell::findGermanDictionaries();
    if (!wanted.isEmpty()) {
        const bool known =
            std::any_of(installed.cbegin(), installed.cend(),
                        [&](const spell::Dictionary& d) { return d.name == wanted; });
        if (!known) {
            QStringList names;
            for (const spell::Dictionary& d : installed)
                names << d.name;
            return console.usageFailure(
                QStringLiteral("no dictionary %1 (installed: %2)")
                    .arg(wanted, names.isEmpty() ? QStringLiteral("none") : names.join(u", ")),
                usageLine());
        }
    }
    const std::optional<spell::Dictionary> dictionary = spell::chooseDictionary(installed, wanted);
    if (!dictionary) {
        console.err << "quillory-cli: " << spell::dictionaryPackageHint() << Qt::endl;
        return FileFailure;
    }
    QString problem;
    const std::unique_ptr<spell::HunspellChecker> checker =
        spell::HunspellChecker::open(*dictionary, &problem);
    if (!checker)
        return console.fileFailure(dictionary->affPath, problem);
    spell::UserWordList userWords;
    if (!userWords.load(&problem))
        return console.fileFailure(spell::UserWordList::defaultPath(), problem);
    userWords.applyTo(*checker);

    const auto loaded = readLetterFile(input, console);
    if (!loaded)
        return FileFailure;
    spell::UnknownWordFinder finder(*checker, spell::checkedFields(loaded->letter, signatureText),
                                    limits);
    // Told once, when the first word goes without, so it stands beside the listing.
    bool toldLeftOut = false;
    const auto tellLeftOut = [&] {
        if (toldLeftOut || limits.words == 0 || !finder.suggestionsLeftOut())
            return;
        toldLeftOut = true;
        console.err << "quillory-cli: " << input << ": "
                    << QStringLiteral("Vorschläge nur für die ersten %1 unbekannten Wörter, "
                                      "die übrigen stehen ohne da")
                           .arg(limits.words)
                    << Qt::endl;
    };
    bool any = false;
    if (json) {
        // One document, written once the walk is through.
        QJsonArray words;
        while (const std::optional<spell::UnknownWord> w = finder.next())
            words.append(QJsonObject{
                {QStringLiteral("field"), w->field},
                {QStringLiteral("line"), w->line},
                {QStringLiteral("column"), w->column},
                {QStringLiteral("word"), w->word},
                {QStringLiteral("suggestions"), QJsonArray::fromStringList(w->suggestions)}});
        tellLeftOut();
        any = !words.isEmpty();
        const QJsonObject object{{QStringLiteral("dictionary"), dictionary->name},
                                 {QStringLiteral("unknown"), words}};
        console.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    } else {
        // "field:line:column: word" as compilers write it, so editors can jump
        // there; each line as soon as its word is found.
        while (const std::optional<spell::UnknownWord> w = finder.next()) {
            any = true;
            tellLeftOut();
            console.out << w->field << ':' << w->line << ':' << w->column << ": " << w->word;
            if (!w->suggestions.isEmpty())
                console.out << " -> " << w->suggestions.join(QStringLiteral(", "));
            console.out << '\n';
            console.out.flush();
        }
    }
    console.out.flush();
    return any ? kUnknownWords : Success;
}

} // namespace quillory::cli
