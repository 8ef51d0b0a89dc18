#pragma once

#include "document/Letter.h"

#include <QString>

#include <span>

namespace quillory::app {

/**
 * The letter's text fields in the window, in the order the letter reads
 * them: the one list every part walks instead of naming the form's fields.
 */
struct TextField
{
    /** The key quillory-cli's JSON and the spell checker use ("recipient.name", "body"). */
    const char* key;
    /** The form's widget for it ("Edit1", "Memo1"). */
    const char* objectName;
    /** Its label as the user reads it in messages ("Name des Empfängers"); UTF-8. */
    const char* title;
    /** The letter's member the field holds. */
    QString document::Letter::*member;
};

/** Every text field of the letter; the body is "body" in Memo1. */
std::span<const TextField> textFields();

/** The field with key, or null. */
const TextField* textFieldByKey(const QString& key);

} // namespace quillory::app
