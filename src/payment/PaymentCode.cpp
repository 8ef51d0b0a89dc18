#include "PaymentCode.h"

#include "PaymentCheck.h"

#include <qrencode.h>

#include <QByteArrayList>

#include <memory>

namespace quillory::payment::PaymentCode {

document::Letter::Payment effective(const document::Letter& letter)
{
    document::Letter::Payment payment = PaymentCheck::normalised(letter.payment);
    // The sender is whom a letter's reader pays, unless the letter names another.
    if (payment.payee.isEmpty())
        payment.payee = letter.senderName.trimmed();
    return payment;
}

QString problem(const document::Letter& letter)
{
    if (letter.payment.isEmpty())
        return QString();
    return PaymentCheck::problem(effective(letter));
}

QByteArray payload(const document::Letter::Payment& payment)
{
    QByteArrayList lines = {
        "BCD",
        "002",
        "1", // UTF-8
        "SCT",
        payment.bic.toUtf8(),
        payment.payee.toUtf8(),
        payment.iban.toUtf8(),
        payment.amount.isEmpty() ? QByteArray() : "EUR" + payment.amount.toUtf8(),
        QByteArray(), // purpose code
        payment.reference.toUtf8(),
        payment.text.toUtf8(),
    };
    // Nothing follows the last element given, not even its line feed.
    while (lines.last().isEmpty())
        lines.removeLast();
    return lines.join('\n');
}

QrMatrix encode(const QByteArray& payload)
{
    // Version 0: the smallest symbol that holds the bytes.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(payload.size()),
                          reinterpret_cast<const unsigned char*>(payload.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    QrMatrix matrix;
    if (!code || code->width <= 0)
        return matrix;
    matrix.size = code->width;
    matrix.dark.resize(size_t(code->width) * size_t(code->width));
    for (size_t i = 0; i < matrix.dark.size(); ++i)
        matrix.dark[i] = (code->data[i] & 1) != 0;
    return matrix;
}

QrMatrix symbol(const document::Letter& letter)
{
    if (letter.payment.isEmpty())
        return {};
    const document::Letter::Payment payment = effective(letter);
    if (!PaymentCheck::problem(payment).isEmpty())
        return {};
    return encode(payload(payment));
}

} // namespace quillory::payment::PaymentCode
