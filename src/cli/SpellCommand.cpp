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
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--json"))
            json = true;
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
    const QList<spell::UnknownWord> unknown =
        spell::findUnknownWords(*checker, spell::checkedFields(loaded->letter));

    if (json) {
        QJsonArray words;
        for (const spell::UnknownWord& w : unknown)
            words.append(QJsonObject{
                {QStringLiteral("field"), w.field},
                {QStringLiteral("line"), w.line},
                {QStringLiteral("column"), w.column},
                {QStringLiteral("word"), w.word},
                {QStringLiteral("suggestions"), QJsonArray::fromStringList(w.suggestions)}});
        const QJsonObject object{{QStringLiteral("dictionary"), dictionary->name},
                                 {QStringLiteral("unknown"), words}};
        console.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    } else {
        // "field:line:column: word" as compilers write it, so editors can jump there.
        for (const spell::UnknownWord& w : unknown) {
            console.out << w.field << ':' << w.line << ':' << w.column << ": " << w.word;
            if (!w.suggestions.isEmpty())
                console.out << " -> " << w.suggestions.join(QStringLiteral(", "));
            console.out << '\n';
        }
    }
    console.out.flush();
    return unknown.isEmpty() ? Success : kUnknownWords;
}

} // namespace quillory::cli
