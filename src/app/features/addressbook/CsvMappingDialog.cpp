#include "features/addressbook/CsvMappingDialog.h"

#include "records/AddressCsv.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace quillory::app {

CsvMappingDialog::CsvMappingDialog(QWidget* parent, const QStringList& columns,
                                   const QStringList& chosen)
    : QDialog(parent), m_columns(columns)
{
    setObjectName(QStringLiteral("AdressSpalten"));
    setWindowTitle(QStringLiteral("Spalten zuordnen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Aus welcher Spalte der Tabelle kommt welches Feld?"), this));
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QStringList fields = records::csvFieldNames();
    for (qsizetype field = 0; field < fields.size(); ++field) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Spalte") + fields[field]);
        combo->addItem(QStringLiteral("(keine)"));
        combo->addItems(columns);
        combo->setCurrentIndex(
            int(columns.indexOf(field < chosen.size() ? chosen[field] : QString()) + 1));
        form->addRow(fields[field], combo);
        m_combos.push_back(combo);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CsvMappingDialog::mapping() const
{
    const QStringList fields = records::csvFieldNames();
    const QStringList byName = records::csvFieldColumns(m_columns);
    QStringList pairs;
    for (size_t field = 0; field < m_combos.size(); ++field) {
        const int index = m_combos[field]->currentIndex();
        const QString column = index > 0 ? m_columns[index - 1] : QString();
        if (column != byName[qsizetype(field)])
            pairs << fields[qsizetype(field)] + u'=' + column;
    }
    return pairs.join(u',');
}

std::optional<QString> CsvMappingDialog::ask(QWidget* parent, const QStringList& columns,
                                             const QString& remembered)
{
    const QStringList byName = records::csvFieldColumns(columns);
    bool known = true;
    for (const QString& column : columns)
        known = known && (column.trimmed().isEmpty() || byName.contains(column));
    if (known)
        return QString();
    CsvMappingDialog dialog(parent, columns, records::csvFieldColumns(columns, remembered));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mapping();
}

QString CsvMappingDialog::remember(const QString& remembered, const QString& mapping,
                                   const QStringList& columns)
{
    QStringList pairs = mapping.split(u',', Qt::SkipEmptyParts);
    const auto field = [](const QString& pair) {
        return pair.section(u'=', 0, 0).trimmed();
    };
    QStringList fields;
    for (const QString& pair : pairs)
        fields << field(pair);
    for (const QString& pair : remembered.split(u',', Qt::SkipEmptyParts)) {
        const QString column = pair.section(u'=', 1).trimmed();
        if (!fields.contains(field(pair), Qt::CaseInsensitive) &&
            !columns.contains(column, Qt::CaseInsensitive))
            pairs << pair;
    }
    return pairs.join(u',');
}

} // namespace quillory::app
