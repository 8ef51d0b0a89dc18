#include "document/Letter.h"
#include "output/LetterPrinter.h"
#include "output/PdfMetadata.h"
#include "output/PdfTarget.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace quillory;
using namespace quillory::output;

namespace {

/** A PDF text string, literal or UTF-16 hex, as a reader decodes it. */
QString decodeString(const QByteArray& token)
{
    if (token.startsWith('<')) {
        const QByteArray bytes = QByteArray::fromHex(token.mid(1, token.size() - 2));
        if (!bytes.startsWith("\xFE\xFF"))
            return QStringLiteral("<no byte order mark>");
        QString text;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            text += QChar(char16_t((uchar(bytes[i]) << 8) | uchar(bytes[i + 1])));
        return text;
    }
    QString text;
    for (qsizetype i = 1; i + 1 < token.size(); ++i)
        text += QLatin1Char(token[i] == '\\' ? token[++i] : token[i]);
    return text;
}

/** The entries of the document information the trailer names; empty when a reader cannot find it.
 */
QMap<QByteArray, QString> documentInformation(const QByteArray& pdf)
{
    // Every object the cross-reference table lists must start where it says.
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    const qsizetype xref = pdf.mid(startxref + 10).split('\n').value(0).toLongLong();
    if (startxref < 0 || !pdf.mid(xref).startsWith("xref\n0 "))
        return {};
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).split(' ').value(1).toInt();
    for (int i = 1; i < count; ++i) {
        const qsizetype offset = lines.value(2 + i).left(10).toLongLong();
        if (!pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj"))
            return {};
    }
    const QRegularExpression infoRef(QStringLiteral("/Info (\\d+) 0 R"));
    const int info = infoRef.match(QString::fromLatin1(pdf.mid(xref))).captured(1).toInt();
    const qsizetype start = lines.value(2 + info).left(10).toLongLong();
    const QByteArray object = pdf.mid(start, pdf.indexOf("endobj", start) - start);
    QMap<QByteArray, QString> entries;
    static const QRegularExpression entry(
        QStringLiteral("/(\\w+) (\\((?:[^\\\\)]|\\\\.)*\\)|<[0-9A-F]*>)"));
    for (const auto& match : entry.globalMatch(QString::fromLatin1(object)))
        entries[match.captured(1).toLatin1()] = decodeString(match.captured(2).toLatin1());
    return entries;
}

} // namespace

class TestPdfMetadata : public QObject
{
    Q_OBJECT

private slots:
    void writtenAndReadBack_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<int>("offsetMinutes");
        QTest::addColumn<bool>("archive"); // PDF/A-1b through PdfTarget, else plain PDF 1.4
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author"); // as both records carry it
        QTest::addColumn<QString>("pdfDate");
        QTest::addColumn<QString>("xmpDate");
        QTest::newRow("umlauts, half-hour zone")
            << QStringLiteral("Kündigung Nr. 3") << QStringLiteral("Jörg Weiß") << 90 << true
            << QStringLiteral("Kündigung Nr. 3") << QStringLiteral("Jörg Weiß")
            << QStringLiteral("D:20261208143005+01'30'")
            << QStringLiteral("2026-12-08T14:30:05+01:30");
        QTest::newRow("no subject, no sender, UTC")
            << QStringLiteral("  ") << QString() << 0 << true << QStringLiteral("Brief")
            << QString() << QStringLiteral("D:20261208143005Z")
            << QStringLiteral("2026-12-08T14:30:05Z");
        QTest::newRow("brackets and markup, west of UTC")
            << QStringLiteral("Antrag (Teil 1) \\ <neu> & mehr") << QStringLiteral("Müller & Söhne")
            << -300 << true << QStringLiteral("Antrag (Teil 1) \\ <neu> & mehr")
            << QStringLiteral("Müller & Söhne") << QStringLiteral("D:20261208143005-05'00'")
            << QStringLiteral("2026-12-08T14:30:05-05:00");
        QTest::newRow("plain PDF 1.4")
            << QStringLiteral("Mahnung") << QStringLiteral("Erika Mustermann") << 60 << false
            << QStringLiteral("Mahnung") << QStringLiteral("Erika Mustermann")
            << QStringLiteral("D:20261208143005+01'00'") << QString();
        // From a letter file or a table's value: XML takes none of these.
        QTest::newRow("control characters")
            << QStringLiteral("Rechnung 4711\x0b\x01\r\n")
            << QString::fromUtf16(u"Jörg\0Weiß\uFFFE\xD800", 11) << 0 << true
            << QStringLiteral("Rechnung 4711") << QStringLiteral("Jörg Weiß")
            << QStringLiteral("D:20261208143005Z") << QStringLiteral("2026-12-08T14:30:05Z");
        QTest::newRow("nothing but control characters, plain PDF")
            << QStringLiteral("\x1b\t") << QStringLiteral("\x7f\u0085") << 0 << false
            << QStringLiteral("Brief") << QString() << QStringLiteral("D:20261208143005Z")
            << QString();
    }

    void writtenAndReadBack()
    {
        QFETCH(QString, subject);
        QFETCH(QString, sender);
        QFETCH(int, offsetMinutes);
        QFETCH(bool, archive);
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(QString, pdfDate);
        QFETCH(QString, xmpDate);
        document::Letter letter = document::Letter::makeNew(QDate(2026, 12, 8));
        letter.subject = subject;
        letter.senderName = sender;
        const QDateTime created(QDate(2026, 12, 8), QTime(14, 30, 5, 750), Qt::OffsetFromUTC,
                                offsetMinutes * 60);
        const PdfMetadata metadata = PdfMetadata::forLetter(letter, created);

        QByteArray pdf;
        if (archive) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("brief.pdf"));
            PdfTarget target(path, QPageSize(QPageSize::A4), 150);
            target.setMetadata(metadata);
            PrintRequest request;
            request.letter = letter;
            QCOMPARE(printLetter(target, request).error, QString());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            pdf = file.readAll();
        } else {
            QByteArray written;
            QBuffer buffer(&written);
            buffer.open(QIODevice::WriteOnly);
            {
                QPdfWriter writer(&buffer);
                metadata.applyTo(writer, PdfVersion::Plain);
                QPainter painter(&writer);
                painter.drawText(100, 100, QStringLiteral("Mahnung"));
            }
            const std::optional<QByteArray> complete = metadata.complete(written);
            QVERIFY(complete);
            pdf = *complete;
        }

        const QMap<QByteArray, QString> info = documentInformation(pdf);
        QVERIFY2(!info.isEmpty(), "the cross-reference table does not fit the objects");
        QCOMPARE(info.value("Title"), title);
        QCOMPARE(info.value("Author"), author);
        QCOMPARE(info.contains("Author"), !author.isEmpty());
        for (const QString& value : info) {
            for (const QChar c : value)
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(value));
        }
        QCOMPARE(info.value("Creator"), QStringLiteral("Quillory"));
        QCOMPARE(info.value("CreationDate"), pdfDate);

        const qsizetype xmpStart = pdf.indexOf("<x:xmpmeta");
        QCOMPARE(xmpStart >= 0, archive);
        QCOMPARE(pdf.contains("/OutputIntents"), archive);
        if (!archive)
            return;
        const QByteArray packet = pdf.mid(xmpStart, pdf.indexOf("</x:xmpmeta>") + 12 - xmpStart);
        QXmlStreamReader reader(packet);
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        const QString xmp = QString::fromUtf8(packet);
        QVERIFY(xmp.contains(QStringLiteral("<rdf:li xml:lang=\"x-default\">%1</rdf:li>")
                                 .arg(title.toHtmlEscaped())));
        QCOMPARE(xmp.contains(
                     QStringLiteral("<rdf:Seq><rdf:li>%1</rdf:li>").arg(author.toHtmlEscaped())),
                 !author.isEmpty());
        QVERIFY(xmp.contains(QStringLiteral("<xmp:CreateDate>%1</xmp:CreateDate>").arg(xmpDate)));
        QVERIFY(xmp.contains(QStringLiteral("<xmp:CreatorTool>Quillory</xmp:CreatorTool>")));
        QVERIFY(xmp.contains(QStringLiteral("<pdfaid:part>1</pdfaid:part>")));
    }

    void aPdfNotLaidOutAsQtWritesItIsRefused()
    {
        const PdfMetadata metadata(QStringLiteral("Brief"));
        QVERIFY(!metadata.complete(QByteArray()));
        QVERIFY(!metadata.complete("%PDF-1.4\nstartxref\n999\n%%EOF\n"));
        QVERIFY(!metadata.complete("%PDF-1.4\nxref\n0 1\n0000000000 65535 f \ntrailer\n<<\n/Size "
                                   "1\n>>\nstartxref\n9\n%%EOF\n"));
    }
};

QTEST_MAIN(TestPdfMetadata)
#include "tst_pdfmetadata.moc"
