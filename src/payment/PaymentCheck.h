#pragma once

#include "document/Letter.h"

#include <QString>

namespace quillory::payment {

/**
 * The checks of a payment code's fields. Each returns an empty string when
 * the value is fine, else the message the window and the command line show.
 * Values are checked as the user may type them: an IBAN with spaces and in
 * lower case, an amount with a decimal comma.
 */
namespace PaymentCheck {

inline constexpr int kMaxPayee = 70;
inline constexpr int kMaxText = 140;
inline constexpr int kMaxPayloadBytes = 331;

QString payeeError(const QString& payee);
/** Country code known, its length, the check digits (mod 97). */
QString ibanError(const QString& iban);
/** Empty is fine: within the EEA a bank is found by the IBAN alone. */
QString bicError(const QString& bic);
/** Empty is fine: the payer enters the amount. */
QString amountError(const QString& amount);
/** An ISO 11649 creditor reference, "RF" and two check digits; empty is fine. */
QString referenceError(const QString& reference);
QString textError(const QString& text);

/**
 * The first problem of a payment whose payee is already filled in (see
 * PaymentCode::effective), field by field, then the pair of reference and
 * text and the size of the payload; empty when it can be printed.
 */
QString problem(const document::Letter::Payment& payment);

/** The IBAN as stored: without spaces, in upper case. */
QString compactIban(const QString& iban);
/** The IBAN in groups of four, as printed: "DE89 3704 0044 0532 0130 00". */
QString groupedIban(const QString& iban);
/** A valid amount as stored, "149.90"; any other text as it is. */
QString normalAmount(const QString& amount);
/** Every valid field as stored, texts trimmed; invalid ones as they are. */
document::Letter::Payment normalised(const document::Letter::Payment& payment);

} // namespace PaymentCheck
} // namespace quillory::payment
