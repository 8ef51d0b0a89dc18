#pragma once

#include "window/WindowPart.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace quillory::app {

/**
 * The payment code of the letter, "Zahlungscode" on "Weitere Angaben": whether
 * it is printed and its fields, checked as they are typed with the message
 * beside the field. A payment that cannot be printed stops "Drucken" and
 * "Als PDF speichern..."; the preview leaves its code out.
 *
 * The user's own account, "Ihre IBAN" and "Ihre BIC" on "Ihre Daten", lives
 * in the settings group "Zahlungscode" and fills a letter's empty IBAN when
 * its code is switched on.
 */
class PaymentPart : public WindowPart
{
    Q_OBJECT

public:
    explicit PaymentPart(LetterWindow& window);

    void restoreSettings(const settings::ViewChoices& view) override;
    /** The fields' payment, normalised; none while "Zahlungscode drucken" is off. */
    void readLetter(document::Letter& letter) const override;
    void showLetter(const document::Letter& letter) override;
    /** Throws the payment's problem: no page goes out without its code. */
    bool beforeOutput(Output output, output::PrintRequest& request) override;

    /** The letter's fields, in the order of the table in PaymentPart.cpp. */
    enum Field { Payee, Iban, Bic, Amount, Text, Reference, FieldCount };

private:
    void buildLetterFields();
    void buildOwnAccount();
    void connectHandlers();

    /** The payment as typed, not yet normalised. */
    document::Letter::Payment typed() const;
    /** "Zahlungscode drucken" switched by the user: an empty IBAN takes the user's own. */
    void printToggled(bool on);
    /** A field of the letter changed by the user (not by showLetter()). */
    void edited();
    /** The messages beside the letter's fields, for what they hold now. */
    void checkFields();
    /** A field left: a valid value is shown as it is stored, the IBAN in groups. */
    void showNormalised(QLineEdit* field, int index);
    /** The sender's name, which an empty payee stands for. */
    QString senderName() const;

    /** "Ihre IBAN" or "Ihre BIC" changed: checked, and kept when both are fine. */
    void ownAccountChanged();
    QString ownIban() const;
    QString ownBic() const;

    /** "Zahlungscode drucken": the group of the fields, checkable. */
    QGroupBox* m_print = nullptr;
    std::array<QLineEdit*, FieldCount> m_fields{};
    std::array<QLabel*, FieldCount> m_errors{};
    /** What no single field says: reference and text together, a payload too long. */
    QLabel* m_problem = nullptr;

    QLineEdit* m_ownIban = nullptr;
    QLineEdit* m_ownBic = nullptr;
    QLabel* m_ownError = nullptr;
    /** The stored account, so that only a change is written. */
    QString m_storedIban, m_storedBic;

    /** While showLetter() fills the fields, their changes are no edit. */
    bool m_showing = false;
    /** Changes of the own account are stored only after the stored one was shown. */
    bool m_restored = false;
};

} // namespace quillory::app
