#pragma once

#include "window/Prompts.h"

#include <QStringList>

#include <functional>
#include <utility>

/**
 * Answers the window's questions from prepared lists and records every
 * question asked, so a test sees exactly what the user would have seen.
 * A question without a prepared answer is answered Cancel (or No).
 */
class ScriptedPrompts final : public quillory::app::Prompts
{
public:
    QList<Answer> saveAnswers;
    QList<bool> confirmAnswers;
    QStringList openNames;
    QStringList saveNames;
    QStringList pdfNames;
    QStringList tableNames;
    QStringList folderNames;
    QStringList imageNames;
    /** Address files to read ("addresses: ") and to write ("export: "). */
    QStringList addressNames;
    QStringList exportNames;
    /** Answers of the font dialog; nothing is Cancel. */
    QList<std::optional<quillory::app::FontChoice>> fontAnswers;
    /** What each font dialog was opened with. */
    QList<quillory::app::FontChoice> fontsShown;
    /** Answers to a recovery copy found at the start; none is "Später". */
    QList<Recovery> recoveryAnswers;
    QList<bool> discardAnswers;
    /** Answers of the spelling dialog; none left is Close. */
    QList<quillory::app::SpellingAnswer> spellingAnswers;
    /** Run for each word of the spelling dialog, before it is answered. */
    std::function<void(const QString& word)> onSpelling;
    /** The note each word of the spelling dialog was shown with. */
    QStringList spellingNotes;
    /** How often a check said it was over. */
    int spellingEnded = 0;
    /**
     * What the user does in "Wörterbuch bearbeiten...": "+word" adds, "-word"
     * removes. The words shown when it opens are logged as "words: a, b".
     */
    QStringList wordEdits;
    /** Lines typed into a text question; none is Cancel. */
    QStringList textAnswers;
    /** Indexes chosen in askChoice(); none left is the last choice. */
    QList<int> choiceAnswers;

    /**
     * "ask: <text>", "confirm: <text>", "open: <last name>", "save: <last name>",
     * "table: <last name>", "folder: <last name>", "image: <last name>",
     * "error: <text>", "info: <text>", "font: <title>", "recover: <text>", "discard: <text>",
     * "spell: <field>: <word> [<suggestion>, ...]", "text: <label> [<suggestion>]",
     * "choose: <text> [<choice>|<choice>|...]", "words: <word>, ..."
     */
    QStringList log;
    QStringList errors;
    QStringList infos;

    Answer askToSave(const QString& text) override
    {
        log << QStringLiteral("ask: ") + text;
        return saveAnswers.isEmpty() ? Answer::Cancel : saveAnswers.takeFirst();
    }
    bool confirmSave(const QString& text) override
    {
        log << QStringLiteral("confirm: ") + text;
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    QString fileName(FileKind kind, const QString& lastName) override
    {
        const auto next = [&](const QString& prefix, QStringList& names) {
            log << prefix + QStringLiteral(": ") + lastName;
            return names.isEmpty() ? QString() : names.takeFirst();
        };
        switch (kind) {
        case FileKind::OpenLetter:
            return next(QStringLiteral("open"), openNames);
        case FileKind::SaveLetter:
            return next(QStringLiteral("save"), saveNames);
        case FileKind::Pdf:
            return next(QStringLiteral("pdf"), pdfNames);
        case FileKind::Table:
            return next(QStringLiteral("table"), tableNames);
        case FileKind::Folder:
            return next(QStringLiteral("folder"), folderNames);
        case FileKind::Image:
            return next(QStringLiteral("image"), imageNames);
        case FileKind::Addresses:
            return next(QStringLiteral("addresses"), addressNames);
        case FileKind::AddressOut:
            return next(QStringLiteral("export"), exportNames);
        }
        return QString();
    }
    void showError(const QString& text) override
    {
        log << QStringLiteral("error: ") + text;
        errors << text;
    }
    void showInfo(const QString& text) override
    {
        log << QStringLiteral("info: ") + text;
        infos << text;
    }
    std::optional<quillory::app::FontChoice>
    chooseFont(const QString& title, const quillory::app::FontChoice& current) override
    {
        log << QStringLiteral("font: ") + title;
        fontsShown << current;
        return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.takeFirst();
    }
    Recovery offerRecovery(const QString& text) override
    {
        log << QStringLiteral("recover: ") + text;
        return recoveryAnswers.isEmpty() ? Recovery::Later : recoveryAnswers.takeFirst();
    }
    bool confirmDiscard(const QString& text) override
    {
        log << QStringLiteral("discard: ") + text;
        return !discardAnswers.isEmpty() && discardAnswers.takeFirst();
    }
    quillory::app::SpellingAnswer askSpelling(const QString& field, const QString& word,
                                              const QStringList& suggestions,
                                              const QString& note) override
    {
        log << QStringLiteral("spell: %1: %2 [%3]")
                   .arg(field, word, suggestions.join(QStringLiteral(", ")));
        spellingNotes << note;
        if (onSpelling)
            onSpelling(word);
        return spellingAnswers.isEmpty() ? quillory::app::SpellingAnswer{}
                                         : spellingAnswers.takeFirst();
    }
    void endSpelling() override { ++spellingEnded; }
    void editUserWords(quillory::app::UserWordEditor& words) override
    {
        log << QStringLiteral("words: ") + words.userWords().join(QStringLiteral(", "));
        for (const QString& edit : std::exchange(wordEdits, {})) {
            if (edit.startsWith(QLatin1Char('+')))
                words.addUserWord(edit.mid(1));
            else
                words.removeUserWord(edit.mid(1));
        }
    }
    QString askText(const QString&, const QString& label, const QString& suggestion) override
    {
        log << QStringLiteral("text: ") + label + QStringLiteral(" [") + suggestion +
                   QLatin1Char(']');
        return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
    }
    int askChoice(const QString& text, const QStringList& choices) override
    {
        log << QStringLiteral("choose: ") + text + QStringLiteral(" [") +
                   choices.join(QLatin1Char('|')) + QLatin1Char(']');
        return choiceAnswers.isEmpty() ? int(choices.size()) - 1 : choiceAnswers.takeFirst();
    }
};
