#include "features/serial/SerialLetterDialog.h"

#include "merge/SerialRun.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillory::app {
namespace {

const QChar kDelimiters[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
const merge::CsvEncoding kEncodings[] = {merge::CsvEncoding::Utf8, merge::CsvEncoding::Windows1252,
                                         merge::CsvEncoding::Utf16};

template <typename T, std::size_t N>
int indexOf(const T (&values)[N], const T& value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == value)
            return int(i);
    }
    return -1;
}

} // namespace

SerialLetterDialog::SerialLetterDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SerialLetterDialog"));
    setWindowTitle(QStringLiteral("Serienbrief"));

    auto* tableBox = new QGroupBox(QStringLiteral("Tabelle der Empfänger"), this);
    TabelleEdit = new QLineEdit(tableBox);
    TabelleEdit->setObjectName(QStringLiteral("TabelleEdit"));
    TabelleEdit->setReadOnly(true);
    AuswaehlenButton = new QPushButton(QStringLiteral("Auswählen..."), tableBox);
    AuswaehlenButton->setObjectName(QStringLiteral("AuswaehlenButton"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(TabelleEdit, 1);
    fileRow->addWidget(AuswaehlenButton);

    TrennzeichenCombo = new QComboBox(tableBox);
    TrennzeichenCombo->setObjectName(QStringLiteral("TrennzeichenCombo"));
    for (QChar c : kDelimiters)
        TrennzeichenCombo->addItem(merge::delimiterName(c));
    ZeichensatzCombo = new QComboBox(tableBox);
    ZeichensatzCombo->setObjectName(QStringLiteral("ZeichensatzCombo"));
    for (merge::CsvEncoding e : kEncodings)
        ZeichensatzCombo->addItem(merge::encodingName(e));

    SpaltenList = new QListWidget(tableBox);
    SpaltenList->setObjectName(QStringLiteral("SpaltenList"));
    SpaltenList->setToolTip(
        QStringLiteral("Doppelklick fügt die Spalte in das zuletzt bearbeitete Feld ein"));
    AnzahlLabel = new QLabel(tableBox);
    AnzahlLabel->setObjectName(QStringLiteral("AnzahlLabel"));
    WarnungLabel = new QLabel(tableBox);
    WarnungLabel->setObjectName(QStringLiteral("WarnungLabel"));
    WarnungLabel->setWordWrap(true);
    WarnungLabel->setTextFormat(Qt::PlainText);
    QPalette warningColours = WarnungLabel->palette();
    warningColours.setColor(QPalette::WindowText, QColor(176, 0, 0));
    WarnungLabel->setPalette(warningColours);

    auto* tableForm = new QFormLayout(tableBox);
    tableForm->addRow(QStringLiteral("Quelle:"), buildSourceRow(tableBox));
    tableForm->addRow(QStringLiteral("Datei:"), fileRow);
    tableForm->addRow(QStringLiteral("Trennzeichen:"), TrennzeichenCombo);
    tableForm->addRow(QStringLiteral("Zeichensatz:"), ZeichensatzCombo);
    tableForm->addRow(QStringLiteral("Spalten:"), SpaltenList);
    tableForm->addRow(QStringLiteral("Datensätze:"), AnzahlLabel);
    tableForm->addRow(WarnungLabel);

    auto* outputBox = new QGroupBox(QStringLiteral("Ausgabe"), this);
    EinePdfRadio = new QRadioButton(QStringLiteral("Eine PDF-Datei"), outputBox);
    EinePdfRadio->setObjectName(QStringLiteral("EinePdfRadio"));
    JeDatensatzRadio = new QRadioButton(QStringLiteral("Eine PDF-Datei je Datensatz"), outputBox);
    JeDatensatzRadio->setObjectName(QStringLiteral("JeDatensatzRadio"));
    MusterEdit = new QLineEdit(merge::SerialRun::defaultNamePattern(), outputBox);
    MusterEdit->setObjectName(QStringLiteral("MusterEdit"));
    DruckerRadio = new QRadioButton(QStringLiteral("Drucker"), outputBox);
    DruckerRadio->setObjectName(QStringLiteral("DruckerRadio"));
    BeidseitigCheck = new QCheckBox(QStringLiteral("für beidseitigen Druck"), outputBox);
    BeidseitigCheck->setObjectName(QStringLiteral("BeidseitigCheck"));
    auto* group = new QButtonGroup(outputBox);
    for (QRadioButton* radio : {EinePdfRadio, JeDatensatzRadio, DruckerRadio})
        group->addButton(radio);
    EinePdfRadio->setChecked(true);

    auto* patternRow = new QHBoxLayout;
    patternRow->setContentsMargins(24, 0, 0, 0);
    patternRow->addWidget(new QLabel(QStringLiteral("Dateiname:"), outputBox));
    patternRow->addWidget(MusterEdit, 1);
    auto* outputLayout = new QVBoxLayout(outputBox);
    outputLayout->addWidget(EinePdfRadio);
    outputLayout->addWidget(JeDatensatzRadio);
    outputLayout->addLayout(patternRow);
    outputLayout->addWidget(DruckerRadio);
    outputLayout->addWidget(BeidseitigCheck);

    auto* buttons = new QDialogButtonBox(this);
    StartenButton = buttons->addButton(QStringLiteral("Starten"), QDialogButtonBox::ActionRole);
    StartenButton->setObjectName(QStringLiteral("StartenButton"));
    LoesenButton = buttons->addButton(QStringLiteral("Tabelle lösen"), QDialogButtonBox::ResetRole);
    LoesenButton->setObjectName(QStringLiteral("LoesenButton"));
    QPushButton* close =
        buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("SchliessenButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tableBox, 1);
    layout->addWidget(buildSalutationBox());
    layout->addWidget(outputBox);
    layout->addWidget(buttons);

    connect(AuswaehlenButton, &QPushButton::clicked, this, &SerialLetterDialog::chooseTable);
    for (QComboBox* combo : {TrennzeichenCombo, ZeichensatzCombo}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_quiet)
                emit readAgain();
        });
    }
    connect(SpaltenList, &QListWidget::itemDoubleClicked, this,
            &SerialLetterDialog::onColumnActivated);
    connect(StartenButton, &QPushButton::clicked, this, &SerialLetterDialog::start);
    connect(LoesenButton, &QPushButton::clicked, this, &SerialLetterDialog::detach);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(group, &QButtonGroup::buttonToggled, this, &SerialLetterDialog::updateOutputChoice);
    clearTable();
    updateOutputChoice();
}

void SerialLetterDialog::showTable(const QString& path, const merge::CsvTable& table)
{
    TabelleEdit->setText(path);
    setQuietly(TrennzeichenCombo, indexOf(kDelimiters, table.delimiter));
    setQuietly(ZeichensatzCombo, indexOf(kEncodings, table.encoding));
    SpaltenList->clear();
    SpaltenList->addItems(table.columns);
    AnzahlLabel->setText(QString::number(table.recordCount()));
    // Shown before any run, so a table read other than written can be mended first.
    WarnungLabel->setText(table.warnings.join(QLatin1Char('\n')));
    WarnungLabel->setVisible(!table.warnings.isEmpty());
    m_quiet = true;
    for (QComboBox* combo : salutationCombos()) {
        combo->clear();
        combo->addItem(QStringLiteral("(keine)"));
        combo->addItems(table.columns);
    }
    m_quiet = false;
    for (QWidget* w : std::initializer_list<QWidget*>{StartenButton, LoesenButton})
        w->setEnabled(true);
    showSource(false);
}

QWidget* SerialLetterDialog::buildSalutationBox()
{
    auto* box = new QGroupBox(QStringLiteral("Briefanrede und Anschriftanrede"), this);
    auto* grid = new QGridLayout(box);
    const auto combo = [box](const char* name) {
        auto* c = new QComboBox(box);
        c->setObjectName(QString::fromLatin1(name));
        // Filled only once a table is read, when the dialog has its size already.
        c->setMinimumContentsLength(12);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return c;
    };
    AnredeSpalteCombo = combo("AnredeSpalteCombo");
    TitelSpalteCombo = combo("TitelSpalteCombo");
    NachnameSpalteCombo = combo("NachnameSpalteCombo");
    VornameSpalteCombo = combo("VornameSpalteCombo");
    const std::pair<const char16_t*, QComboBox*> rows[] = {{u"Anrede:", AnredeSpalteCombo},
                                                           {u"Titel:", TitelSpalteCombo},
                                                           {u"Nachname:", NachnameSpalteCombo},
                                                           {u"Vorname:", VornameSpalteCombo}};
    // Two by two, so the box takes little of the dialog's height.
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf16(rows[i].first), box);
        label->setBuddy(rows[i].second);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(rows[i].second, i / 2, (i % 2) * 2 + 1);
        connect(rows[i].second, &QComboBox::currentIndexChanged, this, [this] {
            if (m_quiet)
                return;
            QStringList names;
            for (QComboBox* c : salutationCombos())
                names.append(c->currentIndex() > 0 ? c->currentText() : QString());
            emit salutationChosen(
                merge::SalutationColumns{names[0], names[1], names[2], names[3]}.toString());
        });
    }
    BriefanredeLabel = new QLabel(box);
    BriefanredeLabel->setObjectName(QStringLiteral("BriefanredeLabel"));
    AnschriftanredeLabel = new QLabel(box);
    AnschriftanredeLabel->setObjectName(QStringLiteral("AnschriftanredeLabel"));
    for (QLabel* label : {BriefanredeLabel, AnschriftanredeLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    grid->addWidget(BriefanredeLabel, 2, 0, 1, 4);
    grid->addWidget(AnschriftanredeLabel, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

std::array<QComboBox*, 4> SerialLetterDialog::salutationCombos() const
{
    return {AnredeSpalteCombo, TitelSpalteCombo, NachnameSpalteCombo, VornameSpalteCombo};
}

void SerialLetterDialog::showSalutation(const merge::CsvTable& table, int record,
                                        const std::optional<merge::SalutationColumns>& chosen)
{
    const merge::SalutationFields fields(table.columns, chosen);
    const merge::SalutationColumns& used = fields.used();
    const QString names[] = {used.form, used.title, used.surname, used.firstName};
    int i = 0;
    for (QComboBox* combo : salutationCombos())
        setQuietly(combo, int(table.columns.indexOf(names[i++])) + 1);
    // What the placeholders take, be it derived or the table's own column.
    const QStringList columns = table.columns + fields.names();
    QStringList values = table.record(record - 1);
    values += fields.values(values);
    const QString none = fields.problem().isEmpty()
                             ? QStringLiteral("– (Spalten für Anrede und Nachname wählen)")
                             : fields.problem();
    // The derived columns go into the letter by a double-click, as the table's do.
    while (SpaltenList->count() > table.columns.size())
        delete SpaltenList->takeItem(SpaltenList->count() - 1);
    SpaltenList->addItems(fields.names());
    const auto show = [&](QLabel* label, const QString& column) {
        const qsizetype at = columns.indexOf(column);
        label->setText(column + QStringLiteral(": ") + (at >= 0 ? values.value(at) : none));
    };
    show(BriefanredeLabel, merge::Salutation::letterColumn());
    show(AnschriftanredeLabel, merge::Salutation::addressColumn());
}

void SerialLetterDialog::clearTable()
{
    TabelleEdit->clear();
    SpaltenList->clear();
    AnzahlLabel->clear();
    WarnungLabel->clear();
    WarnungLabel->hide();
    m_quiet = true;
    for (QComboBox* combo : salutationCombos())
        combo->clear();
    m_quiet = false;
    BriefanredeLabel->clear();
    AnschriftanredeLabel->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{StartenButton, LoesenButton})
        w->setEnabled(false);
    showSource(false);
    TrennzeichenCombo->setEnabled(false);
    ZeichensatzCombo->setEnabled(false);
}

void SerialLetterDialog::setQuietly(QComboBox* combo, int index)
{
    m_quiet = true;
    combo->setCurrentIndex(index);
    m_quiet = false;
}

merge::CsvOptions SerialLetterDialog::csvOptions() const
{
    merge::CsvOptions options;
    if (const int i = TrennzeichenCombo->currentIndex(); i >= 0)
        options.delimiter = kDelimiters[i];
    if (const int i = ZeichensatzCombo->currentIndex(); i >= 0)
        options.encoding = kEncodings[i];
    return options;
}

SerialLetterDialog::Output SerialLetterDialog::output() const
{
    if (JeDatensatzRadio->isChecked())
        return Output::PdfPerRecord;
    return DruckerRadio->isChecked() ? Output::Printer : Output::OnePdf;
}

bool SerialLetterDialog::duplex() const
{
    return BeidseitigCheck->isChecked();
}

QString SerialLetterDialog::namePattern() const
{
    return MusterEdit->text();
}

void SerialLetterDialog::onColumnActivated(QListWidgetItem* item)
{
    emit insertColumn(QLatin1Char('{') + item->text() + QLatin1Char('}'));
}

void SerialLetterDialog::updateOutputChoice()
{
    MusterEdit->setEnabled(JeDatensatzRadio->isChecked());
    // Each file of its own starts on its own first page anyway.
    BeidseitigCheck->setEnabled(!JeDatensatzRadio->isChecked());
}

} // namespace quillory::app
