#pragma once

#include "CsvTable.h"
#include "layout/Composer.h"
#include "LetterTemplate.h"
#include "output/PrintTarget.h"
#include "Salutation.h"

#include <QPageSize>

#include <functional>

namespace quillory::merge {

/** What a run of a serial letter made. */
struct MergeOutcome
{
    int letters = 0;        ///< letters finished (when cancelled or failed: before that)
    int pages = 0;          ///< pages of those letters, blank pages included
    bool cancelled = false; ///< stopped by the user
    QString error;          ///< why it failed
    bool ownFiles = false;  ///< each letter a file of its own, kept when a later one fails

    /** "3 Briefe, 4 Seiten", in the singular where it is one. */
    QString summary() const;
    /**
     * What a cancelled or failed run leaves: "2 von 3 Briefen fertig" where
     * each letter is a file of its own, else "Es wurde kein Brief ausgegeben"
     * (the one job is dropped, whatever was drawn).
     */
    QString unfinishedSummary(int letterCount) const;
};

/** Told after each letter; returning false cancels the run. */
using MergeProgress = std::function<bool(int letter, int letterCount)>;

/** The choices of a run besides the letter and the table. */
struct MergeOptions
{
    layout::ViewOptions view;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    bool duplex = false; ///< "für beidseitigen Druck": every letter starts on a front side
    int first = 1;       ///< the first record, counted from 1
    int last = 0;        ///< the last record; 0 for the table's last
    /** The columns "Briefanrede" and "Anschriftanrede" come from; none: found by name. */
    std::optional<SalutationColumns> salutation;
};

/**
 * One letter sent to every record of a table. Each record's letter is
 * composed on its own, drawn and dropped before the next, so its pages are
 * labelled from "- 1 -" and memory does not grow with the number of records.
 * The letter given is copied, never changed; the table must outlive the run.
 */
class SerialRun
{
public:
    static QString jobTitle() { return QStringLiteral("Serienbrief"); }
    static QString defaultNamePattern() { return QStringLiteral("Brief-{Datensatz}.pdf"); }
    /** The name of the record number in a file name pattern, unless a column has it. */
    static QString recordNumberName() { return QStringLiteral("Datensatz"); }

    SerialRun(const document::Letter& letter, const CsvTable& table, const MergeOptions& options);

    /**
     * Why the run cannot start: a chosen salutation column or placeholders
     * naming no column (each with its field), records the table does not
     * have or a record whose payment code cannot be printed; empty when it
     * can. The columns derived for the salutation count as the table's own.
     */
    QString problem() const { return m_problem; }

    /**
     * A warning before the run: every letter alike, as the letter names no
     * column; empty when the letters differ or there is only one.
     */
    QString sameLettersWarning() const;

    /** The number of letters the run makes. */
    int letterCount() const { return m_last - m_first + 1; }

    /** The letter of record (counted from 1 in the table), with its values. */
    document::Letter letterFor(int record) const;

    /**
     * Prints every letter as one job "Serienbrief" on target (a printer or
     * one PDF), each composed for the target's page. A cancel or failure
     * aborts the job, so nothing is handed over.
     */
    MergeOutcome printAll(output::PrintTarget& target, const MergeProgress& progress = {}) const;

    /**
     * The file name for each letter from pattern, in order; empty with error
     * set when the pattern names no column or two records give one name.
     */
    QStringList fileNames(const QString& pattern, QString& error) const;

    /**
     * The first of inputs that writing each letter into folder, named from
     * pattern, would replace; empty when none (or the names cannot be made).
     */
    QString inputAmongFiles(const QString& folder, const QString& pattern,
                            const QStringList& inputs) const;

    /**
     * Writes each letter into a PDF of its own in folder, named from pattern.
     * Nothing is written unless every name is free (or overwrite is set),
     * unique and no link, which is never followed. Each file replaces its
     * name only when complete; a cancel or failure keeps the letters finished
     * before it and leaves no other file.
     */
    MergeOutcome writeEach(const QString& folder, const QString& pattern, bool overwrite,
                           const MergeProgress& progress = {},
                           const QPageSize& paper = QPageSize(QPageSize::A4),
                           int resolution = 600) const;

private:
    /** The values of record (counted from 1), those derived for the salutation after the table's.
     */
    QStringList values(int record) const;
    /** The first record whose payment code cannot be printed, with its problem. */
    QString paymentProblem() const;
    const document::Letter& letter() const { return m_template.letter(); }

    const CsvTable& m_table;
    MergeOptions m_options;
    SalutationFields m_salutation;
    QStringList m_columns; ///< the table's and the derived ones
    LetterTemplate m_template;
    int m_first = 1;
    int m_last = 0;
    QString m_problem;
};

/**
 * A file name made safe: characters no file system takes become "_", leading
 * dots (a hidden file) go, and it ends in ".pdf".
 */
QString safeFileName(const QString& name);

} // namespace quillory::merge
