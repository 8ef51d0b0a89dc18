// Page composition and rendering. Figures to compare with: a one-page letter
// page at 96 dpi should take well under 2 ms; composing the 100-page letter
// at 600 dpi under 150 ms.
#include "document/LetterFile.h"
#include "envelope/AddressCheck.h"
#include "GuiBenchmarkMain.h"
#include "layout/DrawPage.h"
#include "layout/LineBreaker.h"
#include "layout/PagePrinter.h"
#include "layout/PainterCanvas.h"
#include "LongLetter.h"
#include "output/PdfMetadata.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

using namespace quillory;
using namespace quillory::layout;

namespace {

QImage imageAt(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

document::Letter sampleLetter()
{
    return bench::longLetter(3);
}

// What the preview does on every repaint: a white bitmap, page 1 composed and drawn.
void BM_PreviewPage1At96(benchmark::State& state)
{
    const document::Letter letter = sampleLetter();
    QImage image = imageAt(794, 1123, 96);
    int pages = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        pages = drawpage(canvas, 794, 1123, 1, 96, 1, letter, {});
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewPage1At96)->Unit(benchmark::kMicrosecond);

// Composes letter in Layout 1 at 600 dpi on every turn, and counts its pages.
void composeAt600(benchmark::State& state, const document::Letter& letter)
{
    QImage image = imageAt(8, 8, 600);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    int pages = 0;
    for (auto _ : state) {
        const PageLayout layout = composeLetter(LayoutKind::Layout1, letter, {}, canvas,
                                                PageGeometry{4961, 7016, 600, 1});
        pages = layout.pageCount();
    }
    state.counters["pages"] = pages;
}

void BM_ComposeLongAt600(benchmark::State& state)
{
    const document::Letter letter = bench::longLetter();
    composeAt600(state, letter);
}
BENCHMARK(BM_ComposeLongAt600)->Unit(benchmark::kMillisecond);

// A one-page letter composed at 600 dpi without (0) and with (1) a payment
// code: checking the payment, encoding the symbol and placing its modules
// should add well under 1 ms.
void BM_ComposePaymentCode(benchmark::State& state)
{
    document::Letter letter = sampleLetter();
    if (state.range(0) == 1)
        letter.payment = {QStringLiteral("Jörg Müller"),
                          QStringLiteral("DE89370400440532013000"),
                          QStringLiteral("COBADEFFXXX"),
                          QStringLiteral("149.90"),
                          QString(),
                          QStringLiteral("Rechnung 2026-117 vom 8. Dezember 2026")};
    composeAt600(state, letter);
}
BENCHMARK(BM_ComposePaymentCode)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The long letter in each layout, with an information block, a postal note,
// enclosures and a distribution list: the DIN forms place more than Layout 1
// and add "Seite n von N" to every page, and should cost at most 1.2 times
// as much.
void BM_ComposeLongByLayout(benchmark::State& state)
{
    document::Letter letter = bench::longLetter();
    letter.infoBlock = {{QStringLiteral("Ihr Zeichen"), QStringLiteral("ab-12")},
                        {QStringLiteral("Unser Zeichen"), QStringLiteral("em")},
                        {QStringLiteral("Kundennummer"), QStringLiteral("4711")}};
    letter.postalNotes = {QStringLiteral("Einschreiben")};
    letter.enclosures = {QStringLiteral("Vertrag"), QStringLiteral("Zählerstand")};
    letter.distribution = {QStringLiteral("Buchhaltung")};
    static const LayoutKind kinds[] = {LayoutKind::Layout1, LayoutKind::Layout2, LayoutKind::DinA,
                                       LayoutKind::DinB};
    static const char* const names[] = {"Layout 1", "Layout 2", "DIN A", "DIN B"};
    const size_t index = size_t(std::clamp<int64_t>(state.range(0), 0, 3));
    QImage image = imageAt(8, 8, 600);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    int pages = 0;
    for (auto _ : state) {
        const PageLayout layout =
            composeLetter(kinds[index], letter, {}, canvas, PageGeometry{4961, 7016, 600, 1});
        pages = layout.pageCount();
    }
    state.counters["pages"] = pages;
    state.SetLabel(names[index]);
}
BENCHMARK(BM_ComposeLongByLayout)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Argument 0: plain PDF 1.4; 1: PDF/A-1b with its metadata, as Quillory writes it.
void BM_PdfLongAt600(benchmark::State& state)
{
    const document::Letter letter = bench::longLetter();
    const PagePrinter printer(LayoutKind::Layout1, letter, {});
    const output::PdfVersion version =
        state.range(0) == 1 ? output::PdfVersion::A1b : output::PdfVersion::Plain;
    const output::PdfMetadata metadata = output::PdfMetadata::forLetter(letter);
    qint64 size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            metadata.applyTo(writer, version);
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            printer.print(writer, PrintedPage::a4At600());
        }
        size = metadata.complete(bytes).value_or(QByteArray()).size();
    }
    state.counters["bytes"] = double(size);
    state.SetLabel(version == output::PdfVersion::A1b ? "PDF/A-1b" : "PDF 1.4");
}
BENCHMARK(BM_PdfLongAt600)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The window-envelope check on a layout that is already composed, as the
// preview has it: it must stay far below a frame (0.1 ms).
void BM_AddressCheck(benchmark::State& state)
{
    const PrintedPage page = PrintedPage::a4At600();
    const PageLayout layout = composeForPage(LayoutKind::Layout1, bench::longLetter(), {}, page);
    const envelope::Envelope& dl = envelope::Envelope::of(envelope::EnvelopeKind::DL);
    for (auto _ : state)
        benchmark::DoNotOptimize(envelope::checkAddress(layout, page, {}, dl));
}
BENCHMARK(BM_AddressCheck)->Unit(benchmark::kMicrosecond);

// A letter with one very long field, composed for the printed page as the
// command line does: argument 0 is the field (0 the sender name, also the
// signature; 1 the signature text; 2 a body line of soft hyphens, whose
// advance estimates are far off), argument 1 its length. Composition must
// grow with the length, not with its square: 200,000 characters well under
// a second.
void BM_ComposeLongField(benchmark::State& state)
{
    document::Letter letter = document::Letter::makeNew(QDate(2026, 12, 8));
    ViewOptions view;
    const QString text(qsizetype(state.range(1)), QLatin1Char('W'));
    switch (state.range(0)) {
    case 0:
        letter.senderName = text;
        break;
    case 1:
        letter.signature = text;
        view.signatureIsSenderName = false;
        break;
    default:
        letter.body = QString(qsizetype(state.range(1)), QChar(0xAD));
    }
    int pages = 0;
    for (auto _ : state)
        pages =
            composeForPage(LayoutKind::Layout1, letter, view, PrintedPage::a4At600()).pageCount();
    state.counters["pages"] = pages;
    static const char* const fields[] = {"sender name", "signature text", "body"};
    state.SetLabel(fields[std::min<int64_t>(state.range(0), 2)]);
}
BENCHMARK(BM_ComposeLongField)
    ->ArgsProduct({{0, 1, 2}, {20'000, 200'000}})
    ->ArgNames({"field", "length"})
    ->Unit(benchmark::kMillisecond);

// The window-envelope fit of check --fix, which composes the letter's head.
void BM_FitAddressLongSender(benchmark::State& state)
{
    document::Letter letter = bench::longLetter(3);
    letter.senderName = QString(qsizetype(state.range(0)), QLatin1Char('W'));
    const envelope::Envelope& dl = envelope::Envelope::of(envelope::EnvelopeKind::DL);
    int lines = 0;
    for (auto _ : state) {
        const envelope::AddressFit fit =
            envelope::fitAddress(letter, {}, LayoutKind::Layout1, PrintedPage::a4At600(), {}, dl);
        lines = fit.linesToSender + fit.linesToRecipient;
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_FitAddressLongSender)->Arg(20'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

// One 220-character paragraph broken into lines at 600 dpi: the fast search
// against dropping one character at a time.
void wrapParagraph(benchmark::State& state, bool literal)
{
    QString paragraph = bench::longLetter(40).body.section(QStringLiteral("\r\n"), 0, 10);
    paragraph.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    paragraph.truncate(220);
    QImage image = imageAt(8, 8, 600);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    canvas.setFont(CanvasFont{QStringLiteral("Arial"), 11});
    const int width = 4961 - 2 * 472;
    LineBreaker breaker(canvas);
    for (auto _ : state) {
        int pieces = 0;
        if (!literal)
            breaker.setParagraph(paragraph);
        for (qsizetype from = 0; from < paragraph.size(); ++pieces) {
            from += literal
                        ? LineBreaker::literalPiece(canvas, QStringView(paragraph).mid(from), width)
                        : breaker.nextPiece(from, width);
        }
        benchmark::DoNotOptimize(pieces);
    }
}
void BM_WrapFast(benchmark::State& state)
{
    wrapParagraph(state, false);
}
void BM_WrapLiteral(benchmark::State& state)
{
    wrapParagraph(state, true);
}
BENCHMARK(BM_WrapFast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WrapLiteral)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // "bench_layout --write-letter FILE.bri" writes the 100-page letter, for
    // timing quillory-cli render on it.
    if (argc == 3 && qstrcmp(argv[1], "--write-letter") == 0)
        return document::LetterFile::writeFile(QString::fromLocal8Bit(argv[2]), bench::longLetter())
                   ? 1
                   : 0;
    return bench::runGuiBenchmarks(argc, argv);
}
