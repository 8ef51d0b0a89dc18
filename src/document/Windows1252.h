#pragma once

#include <QByteArray>
#include <QString>

namespace quillory::document {

/**
 * The 8-bit code page of letter files. Decoding is total: the five bytes that
 * Windows-1252 leaves unassigned map to the C1 controls of the same value, so
 * every byte sequence survives a decode/encode round trip unchanged.
 */
namespace Windows1252 {

QString decode(QByteArrayView bytes);

/** Encoding result; characters the code page cannot hold were written as '?'. */
struct Encoded
{
    QByteArray bytes;
    /** Each character that had to be replaced, once, in order of first appearance. */
    QString replaced;
};

Encoded encode(QStringView text);

/** Whether every character of the text has a byte of its own in the code page. */
bool canEncode(QStringView text);

/** The characters of the text without a byte of their own, each once. */
QString unencodableCharacters(QStringView text);

} // namespace Windows1252
} // namespace quillory::document
