#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>
#include <vector>

class QComboBox;

namespace quillory::app {

/**
 * "Spalten zuordnen": for each field of an entry the table's column it is
 * read from, or none. It only asks; the part reads the table.
 */
class CsvMappingDialog : public QDialog
{
    Q_OBJECT

public:
    /** chosen: per field of records::csvFieldNames() the column preselected, empty for none. */
    CsvMappingDialog(QWidget* parent, const QStringList& columns, const QStringList& chosen);

    /**
     * The choice as "Feld=Spalte,..." naming only the fields chosen other
     * than the columns' names give them ("Feld=" for none).
     */
    QString mapping() const;

    /**
     * The mapping to read a table of columns with: asks only when a column
     * is no field's by its name, preselecting as remembered says; nothing
     * when cancelled.
     */
    static std::optional<QString> ask(QWidget* parent, const QStringList& columns,
                                      const QString& remembered);
    /**
     * What to remember after mapping was chosen for columns: its pairs, and
     * those of remembered for other fields whose columns this table lacks.
     */
    static QString remember(const QString& remembered, const QString& mapping,
                            const QStringList& columns);

private:
    QStringList m_columns;
    std::vector<QComboBox*> m_combos;
};

} // namespace quillory::app
