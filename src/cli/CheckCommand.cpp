#include "CheckCommand.h"

#include "document/LetterFile.h"
#include "envelope/AddressCheck.h"
#include "LetterFiles.h"
#include "ViewArguments.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace quillory::cli {
namespace {

using envelope::AddressCheck;

struct Options
{
    QString input;
    std::optional<QString> fixed;
    std::optional<envelope::EnvelopeKind> envelope;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    layout::ViewOptions view;
    bool json = false;
};

std::optional<Options> parse(const QStringList& arguments, QString& problem)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--blank-before-city")) {
            options.view.blankBeforeRecipientCity = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument == QLatin1String("--envelope") && hasValue) {
            options.envelope = envelope::Envelope::fromName(arguments[++i]);
            if (!options.envelope) {
                problem = QStringLiteral("--envelope takes DL, C6/5 or C5");
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--layout") && hasValue) {
            const std::optional<layout::LayoutKind> kind =
                ViewArguments::layoutNamed(arguments[++i]);
            if (!kind) {
                problem = ViewArguments::layoutProblem();
                return std::nullopt;
            }
            options.kind = *kind;
        } else if (argument == QLatin1String("--fix") && hasValue) {
            options.fixed = arguments[++i];
        } else if (argument.startsWith(QLatin1Char('-')) || !options.input.isEmpty()) {
            problem = QStringLiteral("unexpected argument %1").arg(argument);
            return std::nullopt;
        } else {
            options.input = argument;
        }
    }
    if (options.input.isEmpty())
        problem = QStringLiteral("check takes one letter file");
    else if (!options.envelope)
        problem = QStringLiteral("check needs --envelope DL, C6/5 or C5");
    // Only a letter file takes the fix: anything else would get letter bytes under its name.
    else if (options.fixed && !hasExtension(*options.fixed, "bri"))
        problem = QStringLiteral("check --fix writes OUT.bri");
    if (!problem.isEmpty())
        return std::nullopt;
    return options;
}

QJsonObject box(const QRectF& mm)
{
    return {{QStringLiteral("left"), mm.left()},
            {QStringLiteral("top"), mm.top()},
            {QStringLiteral("width"), mm.width()},
            {QStringLiteral("height"), mm.height()}};
}

QJsonObject toJson(const AddressCheck& check)
{
    QJsonObject object{{QStringLiteral("envelope"), check.envelope},
                       {QStringLiteral("fits"), check.fits},
                       {QStringLiteral("tight"), check.tight},
                       {QStringLiteral("verdict"), check.verdict()},
                       {QStringLiteral("warnings"), QJsonArray::fromStringList(check.warnings)},
                       {QStringLiteral("safeZone"), box(check.safeZone)},
                       {QStringLiteral("windowAtCentre"), box(check.windowAtCentre)}};
    if (check.hasAddress) {
        const auto& d = check.distances;
        object.insert(QStringLiteral("distances"), QJsonObject{{QStringLiteral("left"), d[0]},
                                                               {QStringLiteral("top"), d[1]},
                                                               {QStringLiteral("right"), d[2]},
                                                               {QStringLiteral("bottom"), d[3]}});
        object.insert(QStringLiteral("recipientBox"), box(check.recipientBox));
    }
    if (check.returnLineBox) {
        object.insert(QStringLiteral("returnLineBox"), box(*check.returnLineBox));
        object.insert(QStringLiteral("returnLineVisibility"),
                      check.returnLine == envelope::Visibility::Whole    ? QStringLiteral("whole")
                      : check.returnLine == envelope::Visibility::Partly ? QStringLiteral("partly")
                                                                         : QStringLiteral("none"));
    }
    return object;
}

void printText(const AddressCheck& check, QTextStream& out)
{
    out << check.verdict() << '\n';
    if (check.hasAddress) {
        const auto& d = check.distances;
        out << QStringLiteral("Abstand zum sicheren Fensterbereich: links %1 mm, oben %2 mm, "
                              "rechts %3 mm, unten %4 mm")
                   .arg(envelope::millimetreText(d[0]), envelope::millimetreText(d[1]),
                        envelope::millimetreText(d[2]), envelope::millimetreText(d[3]))
            << '\n';
    }
    for (const QString& warning : check.warnings)
        out << QStringLiteral("Warnung: ") << warning << '\n';
}

} // namespace

int CheckCommand::run(const QStringList& arguments, Console& console)
{
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return console.usageFailure(problem, usageLine());
    if (options->fixed) {
        if (const int status = console.checkOutput(*options->fixed, {options->input}, usageLine()))
            return status;
    }
    auto loaded = readLetterFile(options->input, console);
    if (!loaded)
        return FileFailure;

    const layout::PrintedPage page = layout::PrintedPage::a4At600();
    const envelope::Sheet sheet;
    const envelope::Envelope& chosen = envelope::Envelope::of(*options->envelope);
    AddressCheck check = envelope::checkAddress(
        envelope::composeHead(loaded->letter, options->view, options->kind, page), page, sheet,
        chosen);

    QJsonObject json;
    if (options->fixed) {
        const envelope::AddressFit fit =
            envelope::fitAddress(loaded->letter, options->view, options->kind, page, sheet, chosen);
        if (!fit.possible) {
            console.err << "quillory-cli: " << fit.reason << Qt::endl;
        } else {
            loaded->letter.linesToSender = fit.linesToSender;
            loaded->letter.linesToRecipient = fit.linesToRecipient;
            if (const document::FileError error =
                    document::LetterFile::writeFile(*options->fixed, loaded->letter))
                return console.fileFailure(*options->fixed, error.message());
            check = fit.check;
            json.insert(QStringLiteral("fix"),
                        QJsonObject{{QStringLiteral("linesToSender"), fit.linesToSender},
                                    {QStringLiteral("linesToRecipient"), fit.linesToRecipient}});
            if (!options->json) {
                console.out << QStringLiteral("ZeilenAbsender %1, ZeilenBisEmpfaenger %2")
                                   .arg(fit.linesToSender)
                                   .arg(fit.linesToRecipient)
                            << '\n';
            }
        }
    }
    if (options->json) {
        const QJsonObject object = toJson(check);
        for (auto it = object.begin(); it != object.end(); ++it)
            json.insert(it.key(), it.value());
        console.out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
    } else {
        printText(check, console.out);
    }
    console.out.flush();
    return check.fits ? Success : kDoesNotFit;
}

} // namespace quillory::cli
