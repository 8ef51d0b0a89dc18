#include "PrintCommand.h"

#include "ArchiveCommand.h"
#include "LetterFiles.h"
#include "output/LetterPrinter.h"
#include "output/PrinterTarget.h"
#include "ViewArguments.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quillory::cli {

int PrintCommand::run(const QStringList& arguments, Console& console)
{
    QString file;
    QString printerName;
    layout::LayoutKind kind = layout::LayoutKind::Layout1;
    layout::ViewOptions view;
    bool archive = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (ViewArguments::take(argument, view))
            continue;
        if (argument == QLatin1String("--archive")) {
            archive = true;
        } else if (argument == QLatin1String("--printer") && i + 1 < arguments.size()) {
            printerName = arguments[++i];
        } else if (argument == QLatin1String("--layout") && i + 1 < arguments.size()) {
            const std::optional<layout::LayoutKind> named =
                ViewArguments::layoutNamed(arguments[++i]);
            if (!named)
                return console.usageFailure(ViewArguments::layoutProblem(), usageLine());
            kind = *named;
        } else if (argument == QLatin1String("--date-style") && i + 1 < arguments.size()) {
            const auto style = ViewArguments::dateStyleNamed(arguments[++i]);
            if (!style)
                return console.usageFailure(ViewArguments::dateStyleProblem(), usageLine());
            view.dateStyle = *style;
        } else if (argument.startsWith(QLatin1Char('-')) || !file.isEmpty()) {
            return console.usageFailure(QStringLiteral("unexpected argument %1").arg(argument),
                                        usageLine());
        } else {
            file = argument;
        }
    }
    if (file.isEmpty())
        return console.usageFailure(QStringLiteral("print takes one letter file"), usageLine());

    const auto loaded = readLetterFile(file, console);
    if (!loaded)
        return FileFailure;
    if (const int status = checkPayment(file, loaded->letter, console))
        return status;

    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.isEmpty()) {
        if (QPrinterInfo::printerInfo(printerName).isNull())
            return console.fileFailure(printerName, output::PrinterTarget::invalidPrinterText());
        printer.setPrinterName(printerName);
    }
    output::PrinterTarget target(printer);
    output::PrintRequest request;
    request.letter = loaded->letter;
    request.view = view;
    request.kind = kind;
    const output::PrintOutcome outcome = output::printLetter(target, request);
    if (!outcome.error.isEmpty())
        return console.fileFailure(printer.printerName().isEmpty() ? file : printer.printerName(),
                                   outcome.error);
    console.out << outcome.pages << Qt::endl;
    if (archive)
        return ArchiveCommand::record({{records::LetterArchive::Event::Printed,
                                        file,
                                        QDateTime::currentDateTimeUtc(),
                                        {records::LetterText::of(loaded->letter)}}},
                                      console);
    return Success;
}

} // namespace quillory::cli
