// The letter's payment code in the window: its fields on "Weitere Angaben",
// checked as they are typed, and the refusal of output whose code cannot be
// printed. Composition draws the code and leaves out one it cannot encode.
#include "features/payment/PaymentPart.h"

#include "output/LetterPrinter.h"
#include "payment/PaymentCheck.h"
#include "payment/PaymentCode.h"
#include "settings/SettingsBackend.h"
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <utility>

namespace quillory::app {
namespace {

using document::Letter;
namespace PaymentCheck = payment::PaymentCheck;

/** The user's own account, a group of its own beside the form's. */
const QString kGroup = QStringLiteral("Zahlungscode");
const QString kIbanKey = QStringLiteral("IBAN");
const QString kBicKey = QStringLiteral("BIC");

struct FieldRule
{
    const char* name;
    const char* caption; ///< UTF-8
    QString Letter::Payment::*member;
    QString (*error)(const QString&);
};

/** In the order of PaymentPart::Field: the left column, then the right one. */
const FieldRule kFields[PaymentPart::FieldCount] = {
    {"ZahlungEmpfaenger", "Empfänger:", &Letter::Payment::payee, &PaymentCheck::payeeError},
    {"ZahlungIban", "IBAN:", &Letter::Payment::iban, &PaymentCheck::ibanError},
    {"ZahlungBic", "BIC:", &Letter::Payment::bic, &PaymentCheck::bicError},
    {"ZahlungBetrag", "Betrag (EUR):", &Letter::Payment::amount, &PaymentCheck::amountError},
    {"ZahlungZweck", "Verwendungszweck:", &Letter::Payment::text, &PaymentCheck::textError},
    {"ZahlungReferenz", "Referenz (RF…):", &Letter::Payment::reference,
     &PaymentCheck::referenceError},
};

/** value as the field shows it: a valid one as stored, the IBAN in groups, the amount with a comma.
 */
QString shownValue(int field, const QString& value)
{
    const FieldRule& rule = kFields[field];
    if (!rule.error(value).isEmpty())
        return value;
    Letter::Payment one;
    one.*rule.member = value;
    const QString stored = PaymentCheck::normalised(one).*rule.member;
    if (field == PaymentPart::Iban)
        return PaymentCheck::groupedIban(stored);
    if (field == PaymentPart::Amount)
        return QString(stored).replace(QLatin1Char('.'), QLatin1Char(','));
    return stored;
}

QLabel* errorLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(176, 0, 0));
    label->setPalette(red);
    label->hide();
    return label;
}

void showError(QLabel& label, const QString& error)
{
    label.setText(error);
    label.setVisible(!error.isEmpty());
}

} // namespace

PaymentPart::PaymentPart(LetterWindow& window) : WindowPart(window, QStringLiteral("PaymentPart"))
{
    window.addPart(this);
    buildLetterFields();
    buildOwnAccount();
    connectHandlers();
    checkFields();
}

void PaymentPart::buildLetterFields()
{
    // The box in its title switches the code and, with it, the fields.
    m_print = new QGroupBox(QStringLiteral("Zahlungscode drucken"));
    m_print->setObjectName(QStringLiteral("ZahlungscodeCheck"));
    m_print->setCheckable(true);
    m_print->setChecked(false);
    // Under the other details of the letter, across the tab; laid out at
    // once like them, not only once shown.
    QWidget* page = window().widget()->findChild<QWidget*>(QStringLiteral("TabSheet4"));
    auto* details = page ? qobject_cast<QGridLayout*>(page->layout()) : nullptr;
    if (details) {
        details->addWidget(m_print, details->rowCount(), 0, 1, details->columnCount());
    } else {
        page = new QWidget;
        (new QVBoxLayout(page))->addWidget(m_print);
        window().addTab(page, QStringLiteral("Zahlungscode"));
    }

    // Two lines of three fields, so that the tab keeps the height it needs,
    // and under them the messages across the group, in the fields' order.
    auto* grid = new QGridLayout(m_print);
    auto* messages = new QVBoxLayout;
    for (int field = 0; field < FieldCount; ++field) {
        const FieldRule& rule = kFields[field];
        const int column = field / 2 * 2;
        auto* edit = new QLineEdit(m_print);
        edit->setObjectName(QLatin1StringView(rule.name));
        auto* label = new QLabel(QString::fromUtf8(rule.caption), m_print);
        label->setBuddy(edit);
        grid->addWidget(label, field % 2, column);
        grid->addWidget(edit, field % 2, column + 1);
        m_errors[field] = errorLabel(edit->objectName() + QStringLiteral("Fehler"), m_print);
        messages->addWidget(m_errors[field]);
        m_fields[field] = edit;
    }
    // The IBAN and the text need the room, the BIC and the amount little.
    for (const auto& [column, stretch] : {std::pair{1, 3}, std::pair{3, 2}, std::pair{5, 3}})
        grid->setColumnStretch(column, stretch);
    m_problem = errorLabel(QStringLiteral("ZahlungscodeFehler"), m_print);
    messages->addWidget(m_problem);
    grid->addLayout(messages, 2, 0, 1, 6);
    if (details)
        details->activate();
    grid->activate();
}

void PaymentPart::connectHandlers()
{
    connectGuarded(m_print, &QGroupBox::toggled, [this](bool on) { printToggled(on); });
    for (int field = 0; field < FieldCount; ++field) {
        QLineEdit* edit = m_fields[field];
        connectGuarded(edit, &QLineEdit::textChanged, [this] {
            checkFields();
            edited();
        });
        connectGuarded(edit, &QLineEdit::editingFinished,
                       [this, edit, field] { showNormalised(edit, field); });
    }
    // An empty payee stands for the sender, whose name the field shows greyed.
    if (auto* sender = qobject_cast<QLineEdit*>(window().textField(QStringLiteral("sender.name"))))
        connectGuarded(sender, &QLineEdit::textChanged, [this] { checkFields(); });
    // A letter without a payment leaves nothing of the one before in the
    // fields, nor the box ticked for one never typed.
    connectGuarded(&window().events(), &WindowEvents::letterReplaced, [this] {
        Letter shown;
        readLetter(shown);
        if (!shown.payment.isEmpty())
            return;
        const QScopedValueRollback<bool> showing(m_showing, true);
        m_print->setChecked(false);
        for (QLineEdit* edit : m_fields)
            edit->clear();
        checkFields();
    });
    for (QLineEdit* own : {m_ownIban, m_ownBic}) {
        connectGuarded(own, &QLineEdit::textChanged, [this] { ownAccountChanged(); });
        connectGuarded(own, &QLineEdit::editingFinished, [this, own] {
            const int field = own == m_ownIban ? Iban : Bic;
            if (kFields[field].error(own->text()).isEmpty())
                own->setText(shownValue(field, own->text()));
        });
    }
}

Letter::Payment PaymentPart::typed() const
{
    Letter::Payment payment;
    for (int field = 0; field < FieldCount; ++field)
        payment.*kFields[field].member = m_fields[field]->text();
    return payment;
}

QString PaymentPart::senderName() const
{
    const auto* sender =
        qobject_cast<const QLineEdit*>(window().textField(QStringLiteral("sender.name")));
    return sender ? sender->text().trimmed() : QString();
}

void PaymentPart::readLetter(Letter& letter) const
{
    letter.payment = m_print->isChecked() ? PaymentCheck::normalised(typed()) : Letter::Payment();
}

void PaymentPart::showLetter(const Letter& letter)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    Letter shown;
    readLetter(shown);
    // The same payment again leaves the fields as typed, spaces and all.
    if (shown.payment != letter.payment) {
        m_print->setChecked(!letter.payment.isEmpty());
        for (int field = 0; field < FieldCount; ++field)
            m_fields[field]->setText(shownValue(field, letter.payment.*kFields[field].member));
    }
    checkFields();
}

void PaymentPart::printToggled(bool on)
{
    if (on && !m_showing && m_fields[Iban]->text().trimmed().isEmpty()) {
        const QScopedValueRollback<bool> showing(m_showing, true);
        m_fields[Iban]->setText(shownValue(Iban, ownIban()));
        if (m_fields[Bic]->text().trimmed().isEmpty())
            m_fields[Bic]->setText(shownValue(Bic, ownBic()));
    }
    checkFields();
    edited();
}

void PaymentPart::edited()
{
    if (!m_showing)
        window().markEdited();
}

void PaymentPart::checkFields()
{
    const QString sender = senderName();
    m_fields[Payee]->setPlaceholderText(sender);
    const bool on = m_print->isChecked();
    Letter::Payment payment = typed();
    if (payment.payee.trimmed().isEmpty())
        payment.payee = sender;
    bool fine = true;
    for (int field = 0; field < FieldCount; ++field) {
        const FieldRule& rule = kFields[field];
        const QString error = on ? rule.error(payment.*rule.member) : QString();
        showError(*m_errors[field], error);
        fine = fine && error.isEmpty();
    }
    // What concerns the payment as a whole only once each field is sound.
    showError(*m_problem, on && fine ? PaymentCheck::problem(payment) : QString());
}

void PaymentPart::showNormalised(QLineEdit* field, int index)
{
    if (!m_errors[index]->text().isEmpty())
        return;
    const QString shown = shownValue(index, field->text());
    if (shown == field->text())
        return;
    // The letter is the same: shown otherwise, not edited.
    const QScopedValueRollback<bool> showing(m_showing, true);
    field->setText(shown);
}

bool PaymentPart::beforeOutput(Output, output::PrintRequest& request)
{
    if (const QString problem = payment::PaymentCode::problem(request.letter); !problem.isEmpty())
        throw CommandError(QStringLiteral("Der Zahlungscode kann so nicht gedruckt werden.\n") +
                           problem);
    return true;
}

void PaymentPart::buildOwnAccount()
{
    const FormBuilder b{DesignScale()};
    QWidget* const tab = window().place(LetterWindow::Place::SenderTab);
    // Right of the page's own settings, clear of their longest captions.
    auto* group = new QGroupBox(QStringLiteral("Zahlungscode"), tab);
    group->setObjectName(QStringLiteral("EigenesKontoGruppe"));
    group->setGeometry(b.scale().rect(592, 8, 266, 200));
    b.labelAbove(group, QStringLiteral("Ihre IBAN:"), 10, 40);
    m_ownIban = b.textField(group, QStringLiteral("EigeneIban"), 10, 40, 246);
    b.labelAbove(group, QStringLiteral("Ihre BIC:"), 10, 80);
    m_ownBic = b.textField(group, QStringLiteral("EigeneBic"), 10, 80, 120);
    m_ownError = errorLabel(QStringLiteral("EigenesKontoFehler"), group);
    m_ownError->setGeometry(b.scale().rect(10, 108, 246, 86));
    b.fitLabels(group);
    if (QWidget* last = tab->findChild<QWidget*>(QStringLiteral("VordruckCheck")))
        QWidget::setTabOrder(last, m_ownIban);
    QWidget::setTabOrder(m_ownIban, m_ownBic);
}

QString PaymentPart::ownIban() const
{
    const QString iban = m_ownIban->text();
    return PaymentCheck::ibanError(iban).isEmpty() ? PaymentCheck::compactIban(iban) : QString();
}

QString PaymentPart::ownBic() const
{
    Letter::Payment payment;
    payment.bic = m_ownBic->text();
    return PaymentCheck::bicError(payment.bic).isEmpty() ? PaymentCheck::normalised(payment).bic
                                                         : QString();
}

void PaymentPart::restoreSettings(const settings::ViewChoices&)
{
    settings::SettingsBackend& store = window().settingsStore();
    const auto stored = [&store](const QString& name) {
        const settings::StoredValue value = store.readIn(kGroup, name);
        return value.kind == settings::StoredValue::Text ? value.text.trimmed() : QString();
    };
    m_ownIban->setText(shownValue(Iban, stored(kIbanKey)));
    m_ownBic->setText(shownValue(Bic, stored(kBicKey)));
    m_storedIban = ownIban();
    m_storedBic = ownBic();
    m_restored = true;
}

void PaymentPart::ownAccountChanged()
{
    // No IBAN of one's own is fine: the letters then get theirs typed.
    QStringList errors;
    if (!m_ownIban->text().trimmed().isEmpty())
        errors << PaymentCheck::ibanError(m_ownIban->text());
    errors << PaymentCheck::bicError(m_ownBic->text());
    errors.removeAll(QString());
    showError(*m_ownError, errors.join(QLatin1Char('\n')));
    if (!m_restored || !errors.isEmpty() || (ownIban() == m_storedIban && ownBic() == m_storedBic))
        return;
    const QString ownIbanValue = ownIban(), ownBicValue = ownBic();
    saveSettings([&](settings::SettingsBackend& store) {
        for (const auto& [name, value] :
             {std::pair{kIbanKey, ownIbanValue}, std::pair{kBicKey, ownBicValue}})
            if (!store.writeIn(kGroup, name, value))
                return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
        return store.flush() ? QString()
                             : QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kBicKey);
    });
    m_storedIban = ownIbanValue;
    m_storedBic = ownBicValue;
}

} // namespace quillory::app
