#include "SerialRun.h"

#include "document/FileIdentity.h"
#include "layout/PrintedPage.h"
#include "output/PdfTarget.h"
#include "payment/PaymentCode.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <exception>
#include <new>

namespace quillory::merge {

QString MergeOutcome::summary() const
{
    return (letters == 1 ? QStringLiteral("1 Brief") : QStringLiteral("%1 Briefe").arg(letters)) +
           QStringLiteral(", ") +
           (pages == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(pages));
}

QString MergeOutcome::unfinishedSummary(int letterCount) const
{
    if (!ownFiles)
        return QStringLiteral("Es wurde kein Brief ausgegeben");
    return QStringLiteral("%1 von %2 Briefen fertig").arg(letters).arg(letterCount);
}

namespace {

/** Draws one composed letter's pages on target; the first page is already begun. */
QString drawLetter(output::PrintTarget& target, const layout::PageLayout& pages,
                   const layout::PrintedPage& page, const layout::RoleFilter& filter)
{
    for (int pageNo = 1; pageNo <= pages.pageCount(); ++pageNo) {
        if (pageNo > 1) {
            if (QString error = target.newPage(); !error.isEmpty())
                return error;
        }
        layout::drawScaled(target.painter(), pages, pageNo, page, 1, filter);
    }
    return QString();
}

bool isReservedWindowsName(const QString& name)
{
    const QString stem = name.section(QLatin1Char('.'), 0, 0).toUpper();
    static const QStringList reserved = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                         QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (reserved.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
           stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9');
}

} // namespace

QString safeFileName(const QString& name)
{
    QString safe;
    safe.reserve(name.size() + 4);
    for (const QChar c : name) {
        const bool forbidden =
            c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"<>:\"/\\|?*").contains(c);
        safe += forbidden ? QLatin1Char('_') : c;
    }
    // Windows drops trailing dots and spaces, so two names could meet there.
    while (!safe.isEmpty() && (safe.endsWith(QLatin1Char('.')) || safe.endsWith(QLatin1Char(' '))))
        safe.chop(1);
    if (!safe.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        safe += QLatin1String(".pdf");
    // A leading dot hides the file, where a letter is to be found.
    while (safe.size() > 4 && safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    if (safe.size() == 4 || isReservedWindowsName(safe))
        safe.prepend(QLatin1Char('_'));
    return safe;
}

SerialRun::SerialRun(const document::Letter& letter, const CsvTable& table,
                     const MergeOptions& options)
    : m_table(table), m_options(options), m_salutation(table.columns, options.salutation),
      m_columns(table.columns + m_salutation.names()), m_template(letter), m_first(options.first),
      m_last(options.last > 0 ? options.last : table.recordCount())
{
    const auto unknown = m_template.bind(m_columns);
    if (!m_salutation.problem().isEmpty()) {
        m_problem = m_salutation.problem();
    } else if (!unknown.empty()) {
        m_problem = LetterTemplate::describe(unknown);
    } else if (m_first < 1 || m_last > table.recordCount() || m_first > m_last) {
        m_problem = QStringLiteral("Die Tabelle hat die Datensätze 1 bis %1, nicht %2 bis %3")
                        .arg(table.recordCount())
                        .arg(m_first)
                        .arg(m_last);
    } else {
        m_problem = paymentProblem();
    }
}

QString SerialRun::paymentProblem() const
{
    if (letter().payment.isEmpty())
        return QString();
    // Each record's values make its own payment: all are checked before the first is drawn.
    for (int record = m_first; record <= m_last; ++record) {
        if (QString problem = payment::PaymentCode::problem(letterFor(record)); !problem.isEmpty())
            return QStringLiteral("Datensatz %1: %2").arg(record).arg(problem);
    }
    return QString();
}

QString SerialRun::sameLettersWarning() const
{
    if (!m_problem.isEmpty() || letterCount() < 2 || m_template.namesColumns())
        return QString();
    return QStringLiteral("Der Brief enthält keinen Platzhalter wie „{%1}“: alle %2 Briefe werden "
                          "gleich")
        .arg(m_table.columns.value(0))
        .arg(letterCount());
}

QStringList SerialRun::values(int record) const
{
    QStringList values = m_table.record(record - 1);
    values += m_salutation.values(values);
    return values;
}

document::Letter SerialRun::letterFor(int record) const
{
    return m_template.fill(values(record));
}

MergeOutcome SerialRun::printAll(output::PrintTarget& target, const MergeProgress& progress) const
{
    MergeOutcome outcome;
    if (!m_problem.isEmpty()) {
        outcome.error = m_problem;
        return outcome;
    }
    output::PrinterMetrics metrics;
    if (QString error = target.metrics(metrics); !error.isEmpty()) {
        outcome.error = error;
        return outcome;
    }
    if (QString error = target.begin(jobTitle()); !error.isEmpty()) {
        outcome.error = error;
        return outcome;
    }
    const layout::PrintedPage page = metrics.page();
    int pages = 0;
    const layout::RoleFilter paper = target.onPaper()
                                         ? layout::paperFilter(m_options.kind, m_options.view)
                                         : layout::RoleFilter();
    try {
        for (int record = m_first; record <= m_last; ++record) {
            if (record > m_first) {
                if (QString error = target.newPage(); !error.isEmpty()) {
                    target.abort();
                    outcome.error = error;
                    return outcome;
                }
            }
            const layout::PageLayout layout =
                layout::composeForPage(m_options.kind, letterFor(record), m_options.view, page);
            if (QString error = drawLetter(target, layout, page, paper); !error.isEmpty()) {
                target.abort();
                outcome.error = error;
                return outcome;
            }
            pages += layout.pageCount();
            // The blank back of a letter's last sheet, so the next starts on a front side.
            if (m_options.duplex && layout.pageCount() % 2 == 1 && record < m_last) {
                if (QString error = target.newPage(); !error.isEmpty()) {
                    target.abort();
                    outcome.error = error;
                    return outcome;
                }
                ++pages;
            }
            ++outcome.letters;
            if (progress && !progress(outcome.letters, letterCount())) {
                target.abort();
                outcome.cancelled = true;
                return outcome;
            }
        }
        if (QString error = target.end(); !error.isEmpty()) {
            target.abort();
            outcome.error = error;
            return outcome;
        }
    } catch (const std::bad_alloc&) {
        target.abort();
        // Rather than the exception's English text.
        outcome.error = QStringLiteral("Nicht genügend Arbeitsspeicher");
        return outcome;
    } catch (const std::exception& e) {
        target.abort();
        outcome.error = QString::fromLocal8Bit(e.what());
        return outcome;
    }
    outcome.pages = pages;
    return outcome;
}

QStringList SerialRun::fileNames(const QString& pattern, QString& error) const
{
    error.clear();
    if (!m_problem.isEmpty()) {
        error = m_problem;
        return {};
    }
    QStringList columns = m_columns;
    const bool numbered = !columns.contains(recordNumberName());
    if (numbered)
        columns.append(recordNumberName());
    TextTemplate name(pattern);
    const QStringList unknown = name.bind(columns);
    if (!unknown.isEmpty()) {
        QStringList lines;
        for (const QString& column : unknown)
            lines.append(QStringLiteral("Unbekannte Spalte „%1“ im Dateinamen").arg(column));
        error = lines.join(QLatin1Char('\n'));
        return {};
    }
    QStringList names;
    // Folded, as Windows and macOS see "Brief-A.pdf" and "brief-a.pdf" as one file.
    QHash<QString, int> taken;
    for (int record = m_first; record <= m_last; ++record) {
        QStringList values = this->values(record);
        if (numbered)
            values.append(QString::number(record));
        const QString file = safeFileName(name.expand(values));
        const QString key = file.toCaseFolded();
        if (const auto it = taken.constFind(key); it != taken.constEnd()) {
            error = QStringLiteral("Die Datensätze %1 und %2 ergeben denselben Dateinamen „%3“")
                        .arg(it.value())
                        .arg(record)
                        .arg(file);
            return {};
        }
        taken.insert(key, record);
        names.append(file);
    }
    return names;
}

QString SerialRun::inputAmongFiles(const QString& folder, const QString& pattern,
                                   const QStringList& inputs) const
{
    QString error;
    const QDir dir(folder);
    for (const QString& name : fileNames(pattern, error)) {
        if (QString input = document::inputAt(dir.filePath(name), inputs); !input.isEmpty())
            return input;
    }
    return QString();
}

MergeOutcome SerialRun::writeEach(const QString& folder, const QString& pattern, bool overwrite,
                                  const MergeProgress& progress, const QPageSize& paper,
                                  int resolution) const
{
    MergeOutcome outcome;
    outcome.ownFiles = true;
    const QStringList names = fileNames(pattern, outcome.error);
    if (names.isEmpty())
        return outcome;
    const QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        outcome.error = QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden").arg(folder);
        return outcome;
    }
    for (const QString& name : names) {
        const QFileInfo file(dir.filePath(name));
        // A link planted in the folder would send a letter to a file outside
        // it, and "exists" says nothing where the link leads nowhere yet.
        if (file.isSymbolicLink()) {
            outcome.error = QStringLiteral("Die Datei „%1“ ist eine Verknüpfung").arg(name);
            return outcome;
        }
        if (!overwrite && file.exists()) {
            outcome.error = QStringLiteral("Die Datei „%1“ gibt es schon").arg(name);
            return outcome;
        }
    }
    for (int i = 0; i < names.size(); ++i) {
        const int record = m_first + i;
        output::PdfTarget target(dir.filePath(names[i]), paper, resolution);
        output::PrinterMetrics metrics;
        target.metrics(metrics);
        const layout::PrintedPage page = metrics.page();
        const document::Letter letter = letterFor(record);
        const layout::PageLayout layout =
            layout::composeForPage(m_options.kind, letter, m_options.view, page);
        // Each file is one letter: titled with its subject, authored by its sender.
        target.setMetadata(output::PdfMetadata::forLetter(letter));
        QString error = target.begin(jobTitle());
        if (error.isEmpty())
            error = drawLetter(target, layout, page, {});
        if (error.isEmpty())
            error = target.end();
        if (!error.isEmpty()) {
            target.abort();
            outcome.error = QStringLiteral("%1: %2").arg(names[i], error);
            return outcome;
        }
        outcome.pages += layout.pageCount();
        ++outcome.letters;
        if (progress && !progress(outcome.letters, letterCount())) {
            outcome.cancelled = true;
            return outcome;
        }
    }
    return outcome;
}

} // namespace quillory::merge
