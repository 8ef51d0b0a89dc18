#include "features/details/DetailsPart.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableWidget>

namespace quillory::app {
namespace {

/** The lines of a field, without the empty ones a last line break leaves. */
QStringList linesOf(const QPlainTextEdit& field)
{
    QStringList lines = field.toPlainText().split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

void setLines(QPlainTextEdit& field, const QStringList& lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (field.toPlainText() != text)
        field.setPlainText(text);
}

QPlainTextEdit* linesField(const QString& name, QWidget* parent)
{
    auto* field = new QPlainTextEdit(parent);
    field->setObjectName(name);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setTabChangesFocus(true);
    return field;
}

} // namespace

DetailsPart::DetailsPart(LetterWindow& window) : WindowPart(window, QStringLiteral("DetailsPart"))
{
    window.addPart(this);
    QWidget* page = build();
    window.addTab(page, QStringLiteral("Weitere Angaben"));
    // Laid out from the start, not only once shown: every resize of the
    // window then places the fields, as on the form's own tabs.
    page->layout()->activate();
}

QStringList DetailsPart::offeredLabels()
{
    return {QStringLiteral("Ihr Zeichen"),   QStringLiteral("Ihre Nachricht vom"),
            QStringLiteral("Unser Zeichen"), QStringLiteral("Unsere Nachricht vom"),
            QStringLiteral("Name"),          QStringLiteral("Telefon"),
            QStringLiteral("E-Mail")};
}

QWidget* DetailsPart::build()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    auto* grid = new QGridLayout(page);

    grid->addWidget(new QLabel(QStringLiteral("Infoblock:"), page), 0, 0);
    m_rows = new QTableWidget(0, 2, page);
    m_rows->setObjectName(QStringLiteral("InfoblockTabelle"));
    m_rows->setHorizontalHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Angabe")});
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setColumnWidth(0, 180);
    m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->addWidget(m_rows, 1, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& name, const QString& text, auto handler) {
        auto* pushButton = new QPushButton(text, page);
        pushButton->setObjectName(name);
        buttons->addWidget(pushButton);
        connectGuarded(pushButton, &QPushButton::clicked, handler);
    };
    button(QStringLiteral("InfoblockNeu"), QStringLiteral("Zeile hinzufügen"), [this] {
        addRow(QString(), QString());
        edited();
    });
    button(QStringLiteral("InfoblockEntfernen"), QStringLiteral("Zeile entfernen"),
           [this] { removeRow(); });
    button(QStringLiteral("InfoblockHoch"), QStringLiteral("Nach oben"), [this] { moveRow(-1); });
    button(QStringLiteral("InfoblockRunter"), QStringLiteral("Nach unten"), [this] { moveRow(1); });
    buttons->addStretch();
    grid->addLayout(buttons, 2, 0, 1, 2);
    connectGuarded(m_rows, &QTableWidget::itemChanged, [this] { edited(); });

    grid->addWidget(new QLabel(QStringLiteral("Vermerke über der Anschrift (bis zu 3 Zeilen, "
                                              "z.B. Einschreiben):"),
                               page),
                    3, 0);
    m_notes = linesField(QStringLiteral("VermerkeFeld"), page);
    grid->addWidget(m_notes, 4, 0);
    grid->addWidget(new QLabel(QStringLiteral("Anlagen (eine je Zeile):"), page), 3, 1);
    m_enclosures = linesField(QStringLiteral("AnlagenFeld"), page);
    grid->addWidget(m_enclosures, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Verteiler (einer je Zeile):"), page), 5, 0);
    m_distribution = linesField(QStringLiteral("VerteilerFeld"), page);
    grid->addWidget(m_distribution, 6, 0);
    auto* note = new QLabel(QStringLiteral("DIN 5008 A und B drucken alle Angaben dieser Seite; "
                                           "Layout 1 und Layout 2 nur die Anlagen und den "
                                           "Verteiler."),
                            page);
    note->setWordWrap(true);
    grid->addWidget(note, 6, 1, Qt::AlignTop);
    for (QPlainTextEdit* field : {m_notes, m_enclosures, m_distribution})
        connectGuarded(field, &QPlainTextEdit::textChanged, [this] { edited(); });
    return page;
}

void DetailsPart::addRow(const QString& label, const QString& value)
{
    const int row = m_rows->rowCount();
    m_rows->insertRow(row);
    auto* labels = new QComboBox(m_rows);
    labels->setEditable(true);
    labels->addItems(offeredLabels());
    labels->setCurrentText(label);
    m_rows->setCellWidget(row, 0, labels);
    connectGuarded(labels, &QComboBox::currentTextChanged, [this] { edited(); });
    m_rows->setItem(row, 1, new QTableWidgetItem(value));
}

void DetailsPart::removeRow()
{
    const int row = m_rows->currentRow();
    if (row < 0)
        return;
    m_rows->removeRow(row);
    edited();
}

void DetailsPart::moveRow(int step)
{
    const int row = m_rows->currentRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= m_rows->rowCount())
        return;
    document::Letter letter;
    readLetter(letter);
    letter.infoBlock.swapItemsAt(row, other);
    showLetter(letter);
    m_rows->setCurrentCell(other, 1);
    edited();
}

void DetailsPart::edited()
{
    if (!m_showing)
        window().markEdited();
}

void DetailsPart::readLetter(document::Letter& letter) const
{
    letter.infoBlock.clear();
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        const auto* labels = qobject_cast<const QComboBox*>(m_rows->cellWidget(row, 0));
        const QTableWidgetItem* value = m_rows->item(row, 1);
        letter.infoBlock.append(
            {labels ? labels->currentText() : QString(), value ? value->text() : QString()});
    }
    letter.postalNotes = linesOf(*m_notes);
    letter.enclosures = linesOf(*m_enclosures);
    letter.distribution = linesOf(*m_distribution);
}

void DetailsPart::showLetter(const document::Letter& letter)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    document::Letter shown;
    readLetter(shown);
    if (shown.infoBlock != letter.infoBlock) {
        m_rows->setRowCount(0);
        for (const document::Letter::InfoRow& row : letter.infoBlock)
            addRow(row.label, row.value);
    }
    setLines(*m_notes, letter.postalNotes);
    setLines(*m_enclosures, letter.enclosures);
    setLines(*m_distribution, letter.distribution);
}

} // namespace quillory::app
