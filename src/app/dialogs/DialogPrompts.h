#pragma once

#include "window/Prompts.h"

#include <QPointer>

class QWidget;

namespace quillory::app {

class SpellDialog;

/**
 * The prompts as the user sees them: message boxes and Qt's file dialogs,
 * modal to the given window. The filters and options are those of the
 * letter file dialogs; their texts come from Qt's German translation.
 */
class DialogPrompts final : public Prompts
{
public:
    explicit DialogPrompts(QWidget* window) : m_window(window) {}

    Answer askToSave(const QString& text) override;
    bool confirmSave(const QString& text) override;
    QString fileName(FileKind kind, const QString& lastName) override;
    void showError(const QString& text) override;
    void showInfo(const QString& text) override;
    std::optional<FontChoice> chooseFont(const QString& title, const FontChoice& current) override;
    Recovery offerRecovery(const QString& text) override;
    bool confirmDiscard(const QString& text) override;
    SpellingAnswer askSpelling(const QString& field, const QString& word,
                               const QStringList& suggestions, const QString& note) override;
    void endSpelling() override;
    void editUserWords(UserWordEditor& words) override;
    QString askText(const QString& title, const QString& label, const QString& suggestion) override;
    int askChoice(const QString& text, const QStringList& choices) override;

private:
    QWidget* m_window;
    /** One for the window's life, so it comes back where the user moved it; the window owns it. */
    QPointer<SpellDialog> m_spellDialog;
};

} // namespace quillory::app
