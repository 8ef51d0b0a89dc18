#pragma once

#include "document/Letter.h"

#include <QByteArray>

#include <vector>

namespace quillory::payment {

/** A QR symbol: size × size modules, without the quiet zone. */
struct QrMatrix
{
    int size = 0;
    std::vector<bool> dark; ///< row by row

    bool isDark(int x, int y) const { return dark[size_t(y) * size_t(size) + size_t(x)]; }
    bool isEmpty() const { return size == 0; }
};

/** The payment code of a letter, from its data to the symbol's modules. */
namespace PaymentCode {

/** The letter's payment as printed: normalised, the payee defaulting to the sender's name. */
document::Letter::Payment effective(const document::Letter& letter);

/**
 * What keeps the letter's payment code from being printed; empty when the
 * letter has no payment or a sound one.
 */
QString problem(const document::Letter& letter);

/**
 * The EPC payload, version 002 in UTF-8, of a payment checked sound: its
 * lines separated by LF, ending with the last one given.
 */
QByteArray payload(const document::Letter::Payment& payment);

/** payload as a QR symbol of error correction level M in 8-bit mode; empty on failure. */
QrMatrix encode(const QByteArray& payload);

/** The letter's symbol; empty without a payment or with a problem. */
QrMatrix symbol(const document::Letter& letter);

} // namespace PaymentCode
} // namespace quillory::payment
