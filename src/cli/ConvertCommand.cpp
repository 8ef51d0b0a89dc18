#include "ConvertCommand.h"

#include "document/SafeWrite.h"
#include "LetterFiles.h"
#include "LetterJson.h"

#include <QJsonDocument>

namespace quillory::cli {
namespace {

using namespace quillory::document;

int briToJson(const QString& in, const QString& out, Console& console)
{
    const auto loaded = readLetterFile(in, console);
    if (!loaded)
        return FileFailure;
    const QJsonObject object = LetterJson::toJson(loaded->letter, loaded->tailGroups);
    if (const FileError error =
            writeWholeFile(out, QJsonDocument(object).toJson(QJsonDocument::Indented)))
        return console.fileFailure(out, error.message());
    return Success;
}

// JSON spells a letter in more bytes than the letter file (an umlaut as two,
// a line break as four): twice the letter's bound leaves room for the largest.
constexpr qint64 kMaxJsonBytes = 2 * LetterFile::kMaxFileBytes;

int jsonToBri(const QString& in, const QString& out, Console& console)
{
    const FileResult<QByteArray> text = readWholeFile(in, kMaxJsonBytes);
    if (!text)
        return console.fileFailure(in, text.error().message());
    const LetterJson::Parsed parsed = LetterJson::fromJsonText(*text, Letter::makeNew());
    if (!parsed.letter)
        return console.fileFailure(in, parsed.error);

    // The letter file holds Windows-1252 only; say what could not be kept.
    const QString lost = LetterFile::unencodableCharacters(*parsed.letter);
    if (const FileError error = LetterFile::writeFile(out, *parsed.letter))
        return console.fileFailure(out, error.message());
    if (!lost.isEmpty())
        console.err << "quillory-cli: " << visible(out) << ": warning: written as \"?\": " << lost
                    << Qt::endl;
    return Success;
}

} // namespace

int ConvertCommand::run(const QStringList& arguments, Console& console)
{
    if (arguments.size() != 2)
        return console.usageFailure(QStringLiteral("convert takes two files"), usageLine());
    const QString& in = arguments[0];
    const QString& out = arguments[1];
    if (const int status = console.checkOutput(out, {in}, usageLine()))
        return status;
    if (hasExtension(in, "bri") && hasExtension(out, "json"))
        return briToJson(in, out, console);
    if (hasExtension(in, "json") && hasExtension(out, "bri"))
        return jsonToBri(in, out, console);
    return console.usageFailure(
        QStringLiteral("convert turns a .bri into a .json or a .json into a .bri"), usageLine());
}

} // namespace quillory::cli
