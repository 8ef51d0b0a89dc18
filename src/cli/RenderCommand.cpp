#include "RenderCommand.h"

#include "ArchiveCommand.h"
#include "document/SafeWrite.h"
#include "layout/PagePrinter.h"
#include "layout/SignatureImage.h"
#include "LetterFiles.h"
#include "output/PdfMetadata.h"
#include "ViewArguments.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>

#include <optional>

namespace quillory::cli {
namespace {

using layout::LayoutKind;

struct Options
{
    QString input;
    QString output;
    LayoutKind kind = LayoutKind::Layout1;
    int page = 0; // 0: all pages of a PDF, page 1 of a PNG
    int dpi = 0;  // 0: 600 for a PDF, 96 for a PNG
    layout::ViewOptions view;
    QPageSize::PageSizeId paper = QPageSize::A4;
    output::PdfVersion pdfVersion = output::PdfVersion::A1b;
    QString signatureImage; // a scanned signature in place of the dotted line
    QString letterhead;     // a DIN letter's letterhead image
    bool archive = false;   // the PDF goes into the letter archive
};

// Bitmaps above this resolution would take hundreds of megabytes a page.
constexpr int kMinDpi = 24;
constexpr int kPrintDpi = 600; // a PDF's resolution unless --dpi says otherwise
constexpr int kMaxPdfDpi = 2400;
constexpr int kMaxPngDpi = 600;
constexpr int kPngDpi = 96; // a PNG's resolution unless --dpi says otherwise

std::optional<QPageSize::PageSizeId> paperSize(const QString& name)
{
    static const struct
    {
        const char* name;
        QPageSize::PageSizeId id;
    } sizes[] = {{"A3", QPageSize::A3}, {"A4", QPageSize::A4},         {"A5", QPageSize::A5},
                 {"B5", QPageSize::B5}, {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal}};
    for (const auto& size : sizes) {
        if (name.compare(QLatin1String(size.name), Qt::CaseInsensitive) == 0)
            return size.id;
    }
    return std::nullopt;
}

/** The options, or the problem with them. */
std::optional<Options> parse(const QStringList& arguments, QString& problem)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const QString value = hasValue ? arguments[i + 1] : QString();
        bool ok = true;
        if (argument == QLatin1String("-o") && hasValue) {
            options.output = value;
        } else if (argument == QLatin1String("--layout") && hasValue) {
            const std::optional<LayoutKind> kind = ViewArguments::layoutNamed(value);
            ok = kind.has_value();
            options.kind = kind.value_or(LayoutKind::Layout1);
        } else if (argument == QLatin1String("--page") && hasValue) {
            options.page = value.toInt(&ok);
            ok = ok && options.page >= 1;
        } else if (argument == QLatin1String("--dpi") && hasValue) {
            options.dpi = value.toInt(&ok);
            ok = ok && options.dpi >= kMinDpi && options.dpi <= kMaxPdfDpi;
        } else if (argument == QLatin1String("--paper") && hasValue) {
            const auto paper = paperSize(value);
            ok = paper.has_value();
            options.paper = paper.value_or(QPageSize::A4);
        } else if (argument == QLatin1String("--pdf") && hasValue) {
            ok = value == QLatin1String("1.4") || value.compare(u"A-1b", Qt::CaseInsensitive) == 0;
            options.pdfVersion =
                value == QLatin1String("1.4") ? output::PdfVersion::Plain : output::PdfVersion::A1b;
        } else if (argument == QLatin1String("--letterhead") && hasValue) {
            options.letterhead = value;
        } else if (argument == QLatin1String("--date-style") && hasValue) {
            const auto style = ViewArguments::dateStyleNamed(value);
            if (!style) {
                problem = ViewArguments::dateStyleProblem();
                return std::nullopt;
            }
            options.view.dateStyle = *style;
        } else if (argument == QLatin1String("--signature-image") && hasValue) {
            options.signatureImage = value;
        } else if (argument == QLatin1String("--signature-height") && hasValue) {
            options.view.signatureHeightMm = value.toInt(&ok);
            if (!ok ||
                options.view.signatureHeightMm < layout::ViewOptions::kMinSignatureHeightMm ||
                options.view.signatureHeightMm > layout::ViewOptions::kMaxSignatureHeightMm) {
                problem = QStringLiteral("invalid value for %1: %2 (erlaubt: %3 bis %4 mm)")
                              .arg(argument, value)
                              .arg(layout::ViewOptions::kMinSignatureHeightMm)
                              .arg(layout::ViewOptions::kMaxSignatureHeightMm);
                return std::nullopt;
            }
        } else if (ViewArguments::take(argument, options.view)) {
            continue;
        } else if (argument == QLatin1String("--archive")) {
            options.archive = true;
            continue;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            const bool takesValue =
                argument == QLatin1String("-o") || argument == QLatin1String("--layout") ||
                argument == QLatin1String("--page") || argument == QLatin1String("--dpi") ||
                argument == QLatin1String("--paper") || argument == QLatin1String("--pdf") ||
                argument == QLatin1String("--signature-image") ||
                argument == QLatin1String("--signature-height") ||
                argument == QLatin1String("--letterhead") ||
                argument == QLatin1String("--date-style");
            problem = takesValue ? QStringLiteral("%1 needs a value").arg(argument)
                                 : QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        } else if (options.input.isEmpty()) {
            options.input = argument;
            continue;
        } else {
            problem = QStringLiteral("render takes one letter file");
            return std::nullopt;
        }
        if (!ok) {
            problem = QStringLiteral("invalid value for %1: %2").arg(argument, value);
            return std::nullopt;
        }
        ++i;
    }
    if (options.input.isEmpty())
        problem = QStringLiteral("render takes one letter file");
    else if (!hasExtension(options.output, "pdf") && !hasExtension(options.output, "png"))
        problem = QStringLiteral("render writes OUT.pdf or OUT.png (-o)");
    else if (hasExtension(options.output, "png") && options.dpi > kMaxPngDpi)
        problem = QStringLiteral("a PNG takes at most %1 dpi").arg(kMaxPngDpi);
    else if (options.archive && !hasExtension(options.output, "pdf"))
        problem = QStringLiteral("--archive keeps PDF files, not pictures");
    if (!problem.isEmpty())
        return std::nullopt;
    return options;
}

/** The whole sheet at dpi: a PDF page has no unprintable border. */
layout::PrintedPage sheet(const Options& options, int dpi)
{
    return {QPageSize(options.paper).sizePixels(dpi), dpi, dpi, {}, {}};
}

int renderPdf(const Options& options, const layout::PagePrinter& printer,
              const output::PdfMetadata& metadata, QByteArray& bytes)
{
    const int dpi = options.dpi > 0 ? options.dpi : kPrintDpi;
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    int pageCount = -1;
    {
        QPdfWriter writer(&buffer);
        metadata.applyTo(writer, options.pdfVersion);
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(options.paper));
        // A PDF page is the whole sheet: the margins are the letter's own.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        pageCount = printer.print(writer, sheet(options, dpi), options.page, options.page);
    }
    const std::optional<QByteArray> complete = metadata.complete(written);
    if (pageCount < 0 || !complete)
        return -1;
    bytes = *complete;
    return pageCount;
}

/** "Der Brief hat 2 Seiten, eine Seite 5 gibt es nicht" */
QString missingPageText(int pageCount, int page)
{
    const QString pages =
        pageCount == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(pageCount);
    return QStringLiteral("Der Brief hat %1, eine Seite %2 gibt es nicht").arg(pages).arg(page);
}

int renderPng(const Options& options, const layout::PagePrinter& printer, QByteArray& bytes)
{
    const int dpi = options.dpi > 0 ? options.dpi : kPngDpi;
    // Rounded, not cut: an A4 sheet at 96 dpi is 794 x 1123 pixels.
    const QSizeF mm = QPageSize(options.paper).size(QPageSize::Millimeter);
    QImage image(qRound(mm.width() / 25.4 * dpi), qRound(mm.height() / 25.4 * dpi),
                 QImage::Format_RGB32);
    if (image.isNull())
        return -1;
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    // The picture of the PDF's page, whatever its resolution: composed for the
    // sheet as the PDF prints it, so PNG page n is PDF page n.
    const int pageCount =
        printer.drawPage(image, options.page > 0 ? options.page : 1, sheet(options, kPrintDpi));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (pageCount < 0 || !image.save(&buffer, "PNG"))
        return -1;
    return pageCount;
}

} // namespace

int RenderCommand::run(const QStringList& arguments, Console& console)
{
    QString problem;
    std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return console.usageFailure(problem, usageLine());
    if (const int status = console.checkOutput(
            options->output, {options->input, options->signatureImage, options->letterhead},
            usageLine()))
        return status;
    const bool pdf = hasExtension(options->output, "pdf");
    if (!options->signatureImage.isEmpty()) {
        QString error;
        const std::optional<QImage> image =
            layout::readSignatureImage(options->signatureImage, error);
        if (!image)
            return console.fileFailure(options->signatureImage,
                                       QStringLiteral("cannot read the image: %1").arg(error));
        // At the resolution the pixels come out at: a PNG is a smaller picture of the PDF's page.
        const int dpi = options->dpi > 0 ? options->dpi : pdf ? kPrintDpi : kPngDpi;
        const QString shape = layout::signatureShapeProblem(
            image->size(), options->view.signatureHeightMm, dpi,
            QPageSize(options->paper).size(QPageSize::Millimeter).width());
        if (!shape.isEmpty())
            return console.fileFailure(options->signatureImage, shape);
        options->view.signatureImage = *image;
    }

    if (!options->letterhead.isEmpty()) {
        // Flattened onto white as the signature is: the paper shows through nowhere.
        QString error;
        const std::optional<QImage> image = layout::readSignatureImage(options->letterhead, error);
        if (!image)
            return console.fileFailure(options->letterhead,
                                       QStringLiteral("cannot read the image: %1").arg(error));
        options->view.letterheadImage = *image;
    }

    const auto loaded = readLetterFile(options->input, console);
    if (!loaded)
        return FileFailure;
    if (const int status = checkPayment(options->input, loaded->letter, console))
        return status;
    const layout::PagePrinter printer(options->kind, loaded->letter, options->view);
    QByteArray bytes;
    const int pageCount =
        pdf ? renderPdf(*options, printer, output::PdfMetadata::forLetter(loaded->letter), bytes)
            : renderPng(*options, printer, bytes);
    if (pageCount < 0)
        return console.fileFailure(options->output, QStringLiteral("cannot draw the pages"));
    // Checked before anything is written: a page beyond the last would be blank.
    if (options->page > pageCount)
        return console.usageFailure(options->input + QStringLiteral(": ") +
                                        missingPageText(pageCount, options->page),
                                    usageLine());
    if (const document::FileError error = document::writeWholeFile(options->output, bytes))
        return console.fileFailure(options->output, error.message());
    console.out << pageCount << Qt::endl;
    if (options->archive)
        return ArchiveCommand::record({{records::LetterArchive::Event::Pdf,
                                        options->output,
                                        QDateTime::currentDateTimeUtc(),
                                        {records::LetterText::of(loaded->letter)}}},
                                      console);
    return Success;
}

} // namespace quillory::cli
