#pragma once

#include "window/WindowPart.h"

class QPlainTextEdit;
class QTableWidget;

namespace quillory::app {

/**
 * "Weitere Angaben": what a DIN letter carries beyond the form's fields, in
 * a tab of its own: the information block's rows ("Ihr Zeichen", ...), the
 * postal notes, the enclosures and the distribution list. They belong to the
 * letter: each edit marks it modified, and opening a letter shows its own.
 */
class DetailsPart : public WindowPart
{
    Q_OBJECT

public:
    explicit DetailsPart(LetterWindow& window);

    void readLetter(document::Letter& letter) const override;
    void showLetter(const document::Letter& letter) override;

    /** The labels the information block offers; others may be typed. */
    static QStringList offeredLabels();

private:
    QWidget* build();
    void addRow(const QString& label, const QString& value);
    /** Moves the chosen row by step (-1 up, 1 down). */
    void moveRow(int step);
    void removeRow();
    /** A field changed by the user (not by showLetter()). */
    void edited();

    QTableWidget* m_rows = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QPlainTextEdit* m_enclosures = nullptr;
    QPlainTextEdit* m_distribution = nullptr;
    /** While showLetter() fills the fields, their changes are no edit. */
    bool m_showing = false;
};

} // namespace quillory::app
