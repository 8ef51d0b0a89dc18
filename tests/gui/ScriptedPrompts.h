#pragma once

#include "Prompts.h"

#include <QStringList>

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
    /** Answers of the font dialog; nothing is Cancel. */
    QList<std::optional<quillory::app::FontChoice>> fontAnswers;
    /** What each font dialog was opened with. */
    QList<quillory::app::FontChoice> fontsShown;
    /** Answers to a recovery copy found at the start; none is "Später". */
    QList<Recovery> recoveryAnswers;
    QList<bool> discardAnswers;
    /** Lines typed into a text question; none is Cancel. */
    QStringList textAnswers;

    /**
     * "ask: <text>", "confirm: <text>", "open: <last name>", "save: <last name>",
     * "error: <text>", "info: <text>", "font: <title>", "recover: <text>", "discard: <text>",
     * "text: <label> [<suggestion>]"
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
    QString openFileName(const QString& lastName) override
    {
        log << QStringLiteral("open: ") + lastName;
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString saveFileName(const QString& lastName) override
    {
        log << QStringLiteral("save: ") + lastName;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    QString pdfFileName(const QString& lastName) override
    {
        log << QStringLiteral("pdf: ") + lastName;
        return pdfNames.isEmpty() ? QString() : pdfNames.takeFirst();
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
    QString askText(const QString&, const QString& label, const QString& suggestion) override
    {
        log << QStringLiteral("text: ") + label + QStringLiteral(" [") + suggestion +
                   QLatin1Char(']');
        return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
    }
};
