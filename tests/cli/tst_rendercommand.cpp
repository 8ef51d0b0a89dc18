#include "cli/RenderCommand.h"
#include "document/LetterFile.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::cli;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run render(const QStringList& arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    Console console{out, err};
    run.status = RenderCommand().run(arguments, console);
    out.flush();
    err.flush();
    return run;
}

/** The number of pages a PDF's page tree declares. */
int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF-"))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("/Type\\s*/Pages.*?/Count\\s+(\\d+)"),
                                          QRegularExpression::DotMatchesEverythingOption)
                           .match(QString::fromLatin1(bytes));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestRenderCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        document::Letter letter = document::Letter::makeNew(QDate(2026, 12, 8));
        QVERIFY(!document::LetterFile::writeFile(path("short.bri"), letter));
        QStringList body;
        for (int i = 0; i < 120; ++i)
            body << QStringLiteral("Absatz %1 mit etwas Text, damit die Zeile nicht leer ist.")
                        .arg(i);
        letter.body = body.join(QStringLiteral("\r\n"));
        QVERIFY(!document::LetterFile::writeFile(path("long.bri"), letter));
        QFile damaged(path("kaputt.png"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("\x89PNG\r\n\x1a\nnicht mehr");
        // Signatures of extreme shape, and a thin one that vanishes below 40 mm.
        const std::pair<const char*, QSize> shapes[] = {{"breit.png", QSize(20000, 1)},
                                                        {"hoch.png", QSize(1, 20000)},
                                                        {"duenn.png", QSize(1, 300)}};
        for (const auto& [name, size] : shapes) {
            QImage image(size, QImage::Format_Grayscale8);
            image.fill(Qt::black);
            QVERIFY(image.save(path(name)));
        }
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("ordner.png")));
        QImage logo(300, 100, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(path("logo.png")));
    }

    void outputs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("pages");     // in the PDF; 0: as many as the letter has, more than 1
        QTest::addColumn<QSize>("pngSize"); // empty for a PDF
        QTest::newRow("pdf, every page") << QStringList{QStringLiteral("long.bri")}
                                         << QStringLiteral("long.pdf") << 0 << QSize();
        QTest::newRow("pdf, layout 2, one page")
            << QStringList{QStringLiteral("long.bri"), QStringLiteral("--layout"),
                           QStringLiteral("2"), QStringLiteral("--page"), QStringLiteral("2")}
            << QStringLiteral("one.pdf") << 1 << QSize();
        QTest::newRow("pdf, DIN Form B")
            << QStringList{QStringLiteral("long.bri"), QStringLiteral("--layout"),
                           QStringLiteral("din-b")}
            << QStringLiteral("din-b.pdf") << 0 << QSize();
        QTest::newRow("pdf, DIN Form A, letterhead, long date")
            << QStringList{QStringLiteral("long.bri"), QStringLiteral("--layout"),
                           QStringLiteral("din-a"),    QStringLiteral("--letterhead"),
                           path("logo.png"),           QStringLiteral("--date-style"),
                           QStringLiteral("long")}
            << QStringLiteral("din-a.pdf") << 0 << QSize();
        QTest::newRow("png, A4 at 96 dpi") << QStringList{QStringLiteral("short.bri")}
                                           << QStringLiteral("a4.png") << 1 << QSize(794, 1123);
        QTest::newRow("png, letter paper at 50 dpi")
            << QStringList{QStringLiteral("short.bri"), QStringLiteral("--paper"),
                           QStringLiteral("letter"), QStringLiteral("--dpi"), QStringLiteral("50")}
            << QStringLiteral("letter.png") << 1 << QSize(425, 550);
        QTest::newRow("png, long letter at 24 dpi")
            << QStringList{QStringLiteral("long.bri"), QStringLiteral("--dpi"),
                           QStringLiteral("24"), QStringLiteral("--page"), QStringLiteral("3")}
            << QStringLiteral("small.png") << 0 << QSize(198, 281);
    }

    void outputs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QFETCH(int, pages);
        QFETCH(QSize, pngSize);
        arguments[0] = m_dir.filePath(arguments[0]);
        arguments << QStringLiteral("-o") << m_dir.filePath(output);
        const Run run = render(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, int(Success));
        if (pngSize.isEmpty()) {
            const int pageCount = run.out.trimmed().toInt();
            QVERIFY2(pageCount > 1, qPrintable(run.out));
            QCOMPARE(pdfPageCount(m_dir.filePath(output)), pages > 0 ? pages : pageCount);
        } else {
            // A PNG is a picture of the PDF's page: it counts the PDF's pages at any dpi.
            const Run pdf = render(
                {arguments[0], QStringLiteral("-o"), m_dir.filePath(QStringLiteral("same.pdf"))});
            QCOMPARE(run.out, pdf.out);
            QCOMPARE(run.out.trimmed().toInt() > 1, pages == 0);
            const QImage image(m_dir.filePath(output));
            QCOMPARE(image.size(), pngSize);
        }
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("no output")
            << QStringList{QStringLiteral("@short.bri")} << int(UsageFailure)
            << QStringLiteral("quillory-cli: render writes OUT.pdf or OUT.png (-o)");
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("--zoom")}
            << int(UsageFailure) << QStringLiteral("quillory-cli: unknown option --zoom");
        QTest::newRow("layout 3") << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                                                 QStringLiteral("@x.pdf"),
                                                 QStringLiteral("--layout"), QStringLiteral("3")}
                                  << int(UsageFailure)
                                  << QStringLiteral("quillory-cli: invalid value for --layout: 3");
        QTest::newRow("page 0") << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                                               QStringLiteral("@x.png"), QStringLiteral("--page"),
                                               QStringLiteral("0")}
                                << int(UsageFailure)
                                << QStringLiteral("quillory-cli: invalid value for --page: 0");
        QTest::newRow("png at 1200 dpi")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.png"), QStringLiteral("--dpi"),
                           QStringLiteral("1200")}
            << int(UsageFailure) << QStringLiteral("quillory-cli: a PNG takes at most 600 dpi");
        QTest::newRow("dpi without value")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("--dpi")}
            << int(UsageFailure) << QStringLiteral("quillory-cli: --dpi needs a value");
        QTest::newRow("pdf 1.7") << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                                                QStringLiteral("@x.pdf"), QStringLiteral("--pdf"),
                                                QStringLiteral("1.7")}
                                 << int(UsageFailure)
                                 << QStringLiteral("quillory-cli: invalid value for --pdf: 1.7");
        QTest::newRow("signature height 7")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf"), QStringLiteral("--signature-height"),
                           QStringLiteral("7")}
            << int(UsageFailure)
            << QStringLiteral(
                   "quillory-cli: invalid value for --signature-height: 7 (erlaubt: 8 bis 40 mm)");
        QTest::newRow("a page beyond the last")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf"), QStringLiteral("--page"), QStringLiteral("2")}
            << int(UsageFailure)
            << QStringLiteral(
                   "quillory-cli: @short.bri: Der Brief hat 1 Seite, eine Seite 2 gibt es nicht");
        const auto signature = [](const char* image, const char* height) {
            return QStringList{QStringLiteral("@short.bri"),
                               QStringLiteral("-o"),
                               QStringLiteral("@x.pdf"),
                               QStringLiteral("--signature-image"),
                               QStringLiteral("@") + QLatin1String(image),
                               QStringLiteral("--signature-height"),
                               QLatin1String(height)};
        };
        QTest::newRow("signature one pixel high")
            << signature("breit.png", "40") << int(FileFailure)
            << QStringLiteral("quillory-cli: @breit.png: Das Bild (20000 × 1 Pixel) wäre auf "
                              "210 mm Breite flacher als ein Bildpunkt und verschwände");
        QTest::newRow("signature one pixel wide")
            << signature("hoch.png", "40") << int(FileFailure)
            << QStringLiteral("quillory-cli: @hoch.png: Das Bild (1 × 20000 Pixel) wäre in 40 mm "
                              "Höhe schmaler als ein Bildpunkt und verschwände");
        QTest::newRow("thin signature at 8 mm")
            << signature("duenn.png", "8") << int(FileFailure)
            << QStringLiteral("quillory-cli: @duenn.png: Das Bild (1 × 300 Pixel) wäre in 8 mm "
                              "Höhe schmaler als ein Bildpunkt und verschwände");
        QTest::newRow("a folder as signature")
            << signature("ordner.png", "15") << int(FileFailure)
            << QStringLiteral(
                   "quillory-cli: @ordner.png: cannot read the image: Ist ein Ordner, keine Datei");
        QTest::newRow("the signature as output")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@kaputt.png"), QStringLiteral("--signature-image"),
                           QStringLiteral("@kaputt.png")}
            << int(UsageFailure)
            << QStringLiteral("quillory-cli: @kaputt.png: „@kaputt.png“ wird gelesen und kann "
                              "nicht zugleich die Ausgabe sein");
        QTest::newRow("damaged signature image")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf"), QStringLiteral("--signature-image"),
                           QStringLiteral("@kaputt.png")}
            << int(FileFailure)
            << QStringLiteral(
                   "quillory-cli: @kaputt.png: cannot read the image: Unable to read image data");
        QTest::newRow("date style by weekday")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf"), QStringLiteral("--date-style"),
                           QStringLiteral("weekday")}
            << int(UsageFailure)
            << QStringLiteral("quillory-cli: --date-style takes numeric, iso or long");
        QTest::newRow("damaged letterhead image")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf"), QStringLiteral("--letterhead"),
                           QStringLiteral("@kaputt.png")}
            << int(FileFailure)
            << QStringLiteral(
                   "quillory-cli: @kaputt.png: cannot read the image: Unable to read image data");
        QTest::newRow("missing letter file")
            << QStringList{QStringLiteral("@none.bri"), QStringLiteral("-o"),
                           QStringLiteral("@x.pdf")}
            << int(FileFailure) << QStringLiteral("quillory-cli: @none.bri: File not found");
        QTest::newRow("output folder missing")
            << QStringList{QStringLiteral("@short.bri"), QStringLiteral("-o"),
                           QStringLiteral("@no/such/x.pdf")}
            << int(FileFailure)
            << QStringLiteral("quillory-cli: @no/such/x.pdf: Ordner nicht gefunden");
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, firstLine);
        const QString dir = m_dir.path() + QLatin1Char('/');
        for (QString& argument : arguments)
            argument.replace(QLatin1Char('@'), dir);
        const Run run = render(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err.section(QLatin1Char('\n'), 0, 0),
                 firstLine.replace(QLatin1Char('@'), dir));
        QCOMPARE(run.out, QString());
        // Nothing is written on a failure: no blank page, no empty picture.
        QVERIFY(!QFile::exists(dir + QStringLiteral("x.pdf")));
        QVERIFY(!QFile::exists(dir + QStringLiteral("x.png")));
        QCOMPARE(QFileInfo(dir + QStringLiteral("kaputt.png")).size(), 18);
    }
};

QTEST_MAIN(TestRenderCommand)
#include "tst_rendercommand.moc"
