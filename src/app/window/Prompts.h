#pragma once

#include "support/FontChoice.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quillory::app {

/** What the user did with an unknown word in "Rechtschreibung prüfen...". */
struct SpellingAnswer
{
    enum Action { Change, Ignore, Add, Next, Close };
    Action action = Close;
    /** The word to put in its place, for Change. */
    QString replacement{};
};

/**
 * The user's own words as "Wörterbuch bearbeiten..." shows and changes them.
 * A change is in the word list file, the checker and the underlining at
 * once; one that fails has already been reported and changed nothing.
 */
class UserWordEditor
{
public:
    virtual ~UserWordEditor() = default;
    virtual QStringList userWords() const = 0;
    virtual bool addUserWord(const QString& word) = 0;
    virtual bool removeUserWord(const QString& word) = 0;
};

/**
 * Every question and dialog the main window puts to the user. The window
 * never opens a dialog itself, so tests can answer in its place and the
 * program's decisions can be checked without anyone clicking.
 */
class Prompts
{
public:
    enum class Answer { Yes, No, Cancel };
    /** The answers to a recovery copy found at the start: "Ja", "Nein", "Später". */
    enum class Recovery { Recover, Discard, Later };

    virtual ~Prompts() = default;

    /** The question before unsaved changes are given up: caption "Speichern", Yes/No/Cancel. */
    virtual Answer askToSave(const QString& text) = 0;

    /** A Yes/No question before saving something that will not come back as it was. */
    virtual bool confirmSave(const QString& text) = 0;

    /** What a file dialog asks for. */
    enum class FileKind {
        OpenLetter, ///< a letter file to open
        SaveLetter, ///< a letter file name to save under
        Pdf,        ///< a PDF file name to export to
        Table,      ///< a table of recipients (CSV) to read
        Folder,     ///< a folder to write files into
        Image,      ///< a PNG or JPEG image to open
        Addresses,  ///< addresses (CSV or vCard) to read into the address book
        AddressOut, ///< a file (CSV or vCard) to write addresses to
    };

    /** A file (or folder) of kind, starting from lastName; empty when cancelled. */
    virtual QString fileName(FileKind kind, const QString& lastName) = 0;

    /** fileName(kind, last); a name chosen becomes last, where the next dialog starts. */
    QString nextFileName(FileKind kind, QString& last)
    {
        const QString name = fileName(kind, last);
        if (!name.isEmpty())
            last = name;
        return name;
    }

    /** The application's error report; text already carries its final full stop. */
    virtual void showError(const QString& text) = 0;

    /** A note that needs no answer, e.g. why a command changed nothing; with its full stop. */
    virtual void showInfo(const QString& text) = 0;

    /** A font dialog titled title, starting from current; nothing when cancelled. */
    virtual std::optional<FontChoice> chooseFont(const QString& title,
                                                 const FontChoice& current) = 0;

    /** Ja / Nein / Später for a letter kept when an earlier run ended without saving it. */
    virtual Recovery offerRecovery(const QString& text) = 0;

    /** A Yes/No question before something is deleted for good, e.g. a recovery copy. */
    virtual bool confirmDiscard(const QString& text) = 0;

    /**
     * The spelling dialog for one unknown word of the field titled field,
     * with up to five suggestions and a note on the answer before (e.g. the
     * word added), empty for none. It is asked once per word of a check and
     * stays on screen, in its place, until endSpelling().
     */
    virtual SpellingAnswer askSpelling(const QString& field, const QString& word,
                                       const QStringList& suggestions, const QString& note) = 0;

    /** The check is over, however it ended: the spelling dialog goes. */
    virtual void endSpelling() = 0;

    /** "Wörterbuch bearbeiten...": the user's words, to look through, add to and remove from. */
    virtual void editUserWords(UserWordEditor& words) = 0;

    /**
     * A line of text, e.g. a name to save under: caption title, the question
     * label, starting from suggestion; empty when cancelled.
     */
    virtual QString askText(const QString& title, const QString& label,
                            const QString& suggestion) = 0;

    /**
     * A question answered by one of choices, e.g. "Alle 5 Briefe" / "Nur
     * Datensatz 2" / "Abbrechen": the index of the one chosen. The first is
     * the default; the last is what closing the box answers.
     */
    virtual int askChoice(const QString& text, const QStringList& choices) = 0;
};

} // namespace quillory::app
