#include "layout/SignatureImage.h"
#include "output/LetterPrinter.h"
#include "PreviewFixture.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using quillory::settings::MemorySettingsBackend;

namespace {

const QString kImageKey = QStringLiteral("Unterschrift/Bild");
const QString kHeightKey = QStringLiteral("Unterschrift/Hoehe");
const QString kOnlyInPdfKey = QStringLiteral("Unterschrift/NurPdf");

/** The signature's widgets on "Ihre Daten", found by their names. */
QPushButton* chooseButton(const FormFixture& f)
{
    return f.form->findChild<QPushButton*>(QStringLiteral("UnterschriftButton"));
}

QPushButton* removeButton(const FormFixture& f)
{
    return f.form->findChild<QPushButton*>(QStringLiteral("UnterschriftEntfernen"));
}

QLabel* shownImage(const FormFixture& f)
{
    return f.form->findChild<QLabel*>(QStringLiteral("UnterschriftVorschau"));
}

quillory::app::SpinField* heightField(const FormFixture& f)
{
    return f.form->findChild<quillory::app::SpinField*>(QStringLiteral("UnterschriftHoehe"));
}

QCheckBox* onlyInPdfBox(const FormFixture& f)
{
    return f.form->findChild<QCheckBox*>(QStringLiteral("UnterschriftNurPdf"));
}

/** A transparent PNG with a black stroke: a scan as a user would cut it out. */
QString writeSignature(const QTemporaryDir& dir, const QString& name = QStringLiteral("sig.png"))
{
    QImage image(300, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawLine(10, 80, 290, 20);
    painter.end();
    const QString path = dir.filePath(name);
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

/** A printer small enough to keep every page whole as a picture. */
void wholePages(FakePrinterAccess& printer)
{
    printer.printer = {150, 150, QSize(1190, 1703)};
    printer.keptArea = printer.printer.printableArea;
}

QList<QImage> printed(FormFixture& f, FakePrinterAccess& printer)
{
    const qsizetype before = printer.jobs.size();
    f.form->Drucken1->trigger();
    return printer.jobs.size() == before + 1 ? printer.jobs.last()->pages : QList<QImage>();
}

/** The letter as composition prints it with this signature image (none: the dotted line). */
QList<QImage> composed(const FakePrinterAccess& printer, const quillory::document::Letter& letter,
                       const QImage& image, int heightMm)
{
    quillory::output::PrintRequest request;
    request.letter = letter;
    request.view.signatureImage = image;
    request.view.signatureHeightMm = heightMm;
    FakePrinter target(printer.printer.resolutionX, printer.printer.printableArea,
                       printer.keptArea);
    quillory::output::printLetter(target, request, {});
    return target.job->pages;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray exportedPdf(FormFixture& f, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("brief.pdf"));
    QFile::remove(path);
    f.prompts.pdfNames << path;
    f.form->AlsPDFspeichern1->trigger();
    return readAll(path);
}

/** The image objects of a PDF, as "width x height". */
QStringList pdfImages(const QByteArray& pdf)
{
    QStringList images;
    for (qsizetype at = pdf.indexOf("/Subtype /Image"); at >= 0;
         at = pdf.indexOf("/Subtype /Image", at + 1)) {
        const qsizetype dictionary = pdf.lastIndexOf("<<", at);
        const QByteArray head = pdf.mid(dictionary, pdf.indexOf(">>", at) - dictionary);
        const auto number = [&head](const QByteArray& key) {
            const qsizetype from = head.indexOf(key) + key.size();
            return head.mid(from).trimmed().split('\n').first().split(' ').first();
        };
        images << QString::fromLatin1(number("/Width") + 'x' + number("/Height"));
    }
    return images;
}

} // namespace

class TestSignature : public QObject
{
    Q_OBJECT

private slots:
    void theImageGoesWhereItIsWanted_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("onlyInPdf");
        QTest::addColumn<int>("heightMm");
        QTest::addColumn<bool>("printedWithImage");
        QTest::newRow("no image") << false << true << 15 << false;
        QTest::newRow("no image, not only in PDF") << false << false << 15 << false;
        QTest::newRow("only in PDF") << true << true << 15 << false;
        QTest::newRow("printed as well") << true << false << 15 << true;
        QTest::newRow("printed as well, 30 mm") << true << false << 30 << true;
    }

    void theImageGoesWhereItIsWanted()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, onlyInPdf);
        QFETCH(int, heightMm);
        QFETCH(bool, printedWithImage);
        QTemporaryDir dir;
        const QString original = writeSignature(dir);
        PreviewFixture plain; // the dotted line, for the preview to be held against
        wholePages(plain.printer);
        PreviewFixture f;
        wholePages(f.printer);
        QVERIFY(onlyInPdfBox(f)->isChecked()); // by default
        QCOMPARE(heightField(f)->letterValue(), 15.0);
        if (chosen) {
            f.prompts.imageNames << original;
            chooseButton(f)->click();
        }
        onlyInPdfBox(f)->setChecked(onlyInPdf);
        heightField(f)->setValue(heightMm);
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
        QCOMPARE(shownImage(f)->pixmap().isNull(), !chosen);
        QCOMPARE(removeButton(f)->isEnabled(), chosen);

        // The printer gets exactly the composition with or without the image.
        QString error;
        const QImage flat = *quillory::layout::readSignatureImage(original, error);
        const QList<QImage> withImage = composed(f.printer, f.form->letter(), flat, heightMm);
        const QList<QImage> dotted = composed(f.printer, f.form->letter(), QImage(), heightMm);
        QVERIFY(withImage != dotted);
        const QList<QImage> pages = printed(f, f.printer);
        QVERIFY(!pages.isEmpty());
        QVERIFY(pages == (printedWithImage ? withImage : dotted));

        // The preview shows what the printer prints.
        QCOMPARE(f.paint(), plain.paint());
        QCOMPARE(f.form->PaintBox1->grab().toImage() == plain.form->PaintBox1->grab().toImage(),
                 !printedWithImage);

        // A PDF always carries the chosen image, flattened, at its own resolution.
        const QStringList images = pdfImages(exportedPdf(f, dir));
        QCOMPARE(images, chosen ? QStringList{QStringLiteral("300x100")} : QStringList());
        QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
    }

    void theHeightStaysBetween8And40Millimetres_data()
    {
        QTest::addColumn<QString>("stored"); // empty: nothing stored
        QTest::addColumn<int>("shown");
        QTest::addColumn<double>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("nothing stored") << "" << 15 << 20.0 << "20";
        QTest::newRow("too low, then too high") << "5" << 8 << 99.0 << "40";
        QTest::newRow("too high, then too low") << "41" << 40 << 2.0 << "8";
        QTest::newRow("the ends") << "8" << 8 << 40.0 << "40";
        QTest::newRow("no number") << "hoch" << 15 << 12.4 << "12";
    }

    void theHeightStaysBetween8And40Millimetres()
    {
        QFETCH(QString, stored);
        QFETCH(int, shown);
        QFETCH(double, typed);
        QFETCH(QString, kept);
        MemorySettingsBackend settings;
        if (!stored.isEmpty())
            settings.values.insert(kHeightKey, stored);
        FormFixture f({}, &settings);
        QCOMPARE(heightField(f)->letterValue(), double(shown));
        heightField(f)->setValue(typed);
        QCOMPARE(settings.values.value(kHeightKey).toString(), kept);
        QVERIFY(f.prompts.log.isEmpty());
        QVERIFY(!f.form->isChanged()); // a choice of the user's, not the letter's
    }

    void aStoredImageThatCannotBeReadIsReportedOnce_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::newRow("gone") << QByteArray();
        QTest::newRow("no image") << QByteArray("Das ist kein Bild.");
        QTest::newRow("cut off") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0", 18);
    }

    void aStoredImageThatCannotBeReadIsReportedOnce()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Unterschrift.png"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        MemorySettingsBackend settings;
        settings.values.insert(kImageKey, path);
        settings.values.insert(kOnlyInPdfKey, QStringLiteral("0"));
        PreviewFixture plain;
        wholePages(plain.printer);
        PreviewFixture f({}, &settings, dir.path(), false);
        wholePages(f.printer);
        f.form->show();
        QVERIFY(f.prompts.log.isEmpty()); // not before the window is on screen
        QCoreApplication::processEvents();
        QCOMPARE(f.prompts.errors.size(), 1);
        QVERIFY2(f.prompts.errors.first().startsWith(QStringLiteral("Das Bild Ihrer Unterschrift")),
                 qPrintable(f.prompts.errors.first()));
        QVERIFY(f.prompts.errors.first().contains(QDir::toNativeSeparators(path)));

        // The dotted line, wherever the letter goes, and no second word about it.
        QCOMPARE(printed(f, f.printer), printed(plain, plain.printer));
        QVERIFY(pdfImages(exportedPdf(f, dir)).isEmpty());
        f.paint();
        QCoreApplication::processEvents();
        QCOMPARE(f.prompts.errors.size(), 1);
        QCOMPARE(f.prompts.log.size(), 2); // the error and the PDF's name
        // Kept as stored until the user removes it.
        QVERIFY(removeButton(f)->isEnabled());
        QCOMPARE(settings.values.value(kImageKey).toString(), path);
    }

    void anImageThatWouldVanishIsRefused_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("problem"); // empty: taken
        QTest::newRow("one pixel high")
            << QSize(20000, 1)
            << QStringLiteral("Das Bild (20000 × 1 Pixel) wäre auf 210 mm Breite flacher als ein "
                              "Bildpunkt und verschwände");
        QTest::newRow("one pixel wide, even at 40 mm")
            << QSize(1, 300)
            << QStringLiteral("Das Bild (1 × 300 Pixel) wäre in 8 mm Höhe schmaler als ein "
                              "Bildpunkt und verschwände");
        QTest::newRow("thin, but seen at 8 mm") << QSize(1, 150) << QString();
    }

    void anImageThatWouldVanishIsRefused()
    {
        QFETCH(QSize, size);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("strich.png"));
        QImage image(size, QImage::Format_Grayscale8);
        image.fill(Qt::black);
        QVERIFY(image.save(path));
        FormFixture f({}, nullptr, dir.path());
        heightField(f)->setValue(40);
        f.prompts.imageNames << path;
        chooseButton(f)->click();
        if (problem.isEmpty()) {
            QVERIFY2(f.prompts.errors.isEmpty(), qPrintable(f.prompts.errors.join(u'\n')));
            QVERIFY(removeButton(f)->isEnabled());
            return;
        }
        QCOMPARE(f.prompts.errors,
                 QStringList{QStringLiteral("„%1“ taugt nicht als Unterschrift: %2.")
                                 .arg(QDir::toNativeSeparators(path), problem)});
        QVERIFY(!removeButton(f)->isEnabled());
        QVERIFY(shownImage(f)->pixmap().isNull());
    }

    void aPdfIsNeverSavedOverTheSignature()
    {
        MemorySettingsBackend settings;
        QTemporaryDir data;
        FormFixture f({}, &settings, data.path());
        f.prompts.imageNames << writeSignature(data, QStringLiteral("original.png"));
        chooseButton(f)->click();
        const QString copy = settings.values.value(kImageKey).toString();
        const qint64 size = QFileInfo(copy).size();
        QVERIFY(size > 0);
        f.prompts.pdfNames << copy;
        f.form->AlsPDFspeichern1->trigger();
        QCOMPARE(f.prompts.errors,
                 QStringList{QStringLiteral("„%1“ wird gelesen und kann nicht zugleich die Ausgabe "
                                            "sein.")
                                 .arg(QDir::toNativeSeparators(copy))});
        QCOMPARE(QFileInfo(copy).size(), size);
    }

    void aLetterIsNeverSavedOverTheSignature()
    {
        MemorySettingsBackend settings;
        QTemporaryDir data;
        FormFixture f({}, &settings, data.path());
        f.prompts.imageNames << writeSignature(data, QStringLiteral("original.png"));
        chooseButton(f)->click();
        const QString copy = settings.values.value(kImageKey).toString();
        const QByteArray image = readAll(copy);
        f.form->Edit1->setText(QStringLiteral("Frau Muster"));
        f.prompts.saveNames << copy;
        f.form->Speichernunter1->trigger();
        QCOMPARE(f.prompts.errors.size(), 1);
        QCOMPARE(readAll(copy), image);
        QVERIFY(f.form->isChanged()); // not saved anywhere
    }

    void theImageOutlivesTheWindowAndItsOriginal()
    {
        MemorySettingsBackend settings;
        QTemporaryDir data;
        QTemporaryDir elsewhere;
        const QString original = writeSignature(elsewhere);
        {
            FormFixture f({}, &settings, data.path());
            f.prompts.imageNames << original;
            chooseButton(f)->click();
            heightField(f)->setValue(22);
            onlyInPdfBox(f)->setChecked(false);
            QVERIFY(f.form->close());
            QCOMPARE(f.prompts.log, QStringList{QStringLiteral("image: ")});
        }
        QVERIFY(QFile::remove(original));
        // Its own group, beside the form's properties.
        QStringList group;
        for (const QString& key : settings.values.keys())
            if (key.contains(QStringLiteral("Unterschrift"), Qt::CaseInsensitive))
                group << key;
        group.sort();
        QCOMPARE(group, (QStringList{kImageKey, kHeightKey, kOnlyInPdfKey}));
        const QString copy = settings.values.value(kImageKey).toString();
        QCOMPARE(QFileInfo(copy).absolutePath(), QDir(data.path()).absolutePath());

        {
            PreviewFixture g({}, &settings, data.path());
            wholePages(g.printer);
            QVERIFY2(g.prompts.log.isEmpty(), qPrintable(g.prompts.log.join(u'\n')));
            QCOMPARE(heightField(g)->letterValue(), 22.0);
            QVERIFY(!onlyInPdfBox(g)->isChecked());
            QVERIFY(!shownImage(g)->pixmap().isNull());
            QString error;
            QCOMPARE(printed(g, g.printer),
                     composed(g.printer, g.form->letter(),
                              *quillory::layout::readSignatureImage(copy, error), 22));

            removeButton(g)->click();
            QVERIFY(!QFile::exists(copy));
            QVERIFY(shownImage(g)->pixmap().isNull());
            QVERIFY(!removeButton(g)->isEnabled());
            QVERIFY(g.form->close());
        }
        FormFixture h({}, &settings, data.path());
        QVERIFY(h.prompts.log.isEmpty());
        QVERIFY(!removeButton(h)->isEnabled());
        QCOMPARE(settings.values.value(kImageKey).toString(), QString());
        QCOMPARE(heightField(h)->letterValue(), 22.0);
    }
};

QTEST_MAIN(TestSignature)
#include "tst_signature.moc"
