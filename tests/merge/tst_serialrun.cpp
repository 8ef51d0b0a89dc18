#include "merge/SerialRun.h"
#include "output/FakePrinter.h"
#include "output/LetterPrinter.h"
#include "output/PdfTarget.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory;
using namespace quillory::merge;
using document::Letter;

namespace {

constexpr int kDpi = 50; // enough to tell pages apart, cheap to draw
const QSize kA4At50(413, 585);

CsvTable table(const QString& csv)
{
    const CsvResult result = readCsv(csv.toUtf8());
    if (!result)
        qFatal("%s", qPrintable(result.error.text()));
    return *result.table;
}

/** A letter to "{Name}" whose body has the given number of lines. */
Letter letterTo(int bodyLines)
{
    Letter letter = Letter::makeNew(QDate(2026, 3, 1));
    letter.recipientName = u"{Name}"_s;
    letter.subject = u"Einladung für {Name}"_s;
    QStringList lines;
    for (int i = 1; i <= bodyLines; ++i)
        lines.append(u"Zeile %1 des Briefs an alle, die auf der Liste stehen."_s.arg(i));
    letter.body = lines.join(u"\r\n"_s);
    return letter;
}

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression count(u"/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"_s);
    const auto match = count.match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                               QDir::Name);
}

const QString kThree = u"Name;Ort\nAnna;Köln\nBernd;Bonn\nClara;Köln\n"_s;

} // namespace

class TestSerialRun : public QObject
{
    Q_OBJECT

private slots:
    void onePdf_data();
    void onePdf();
    void eachRecord_data();
    void eachRecord();
    void stoppedRun_data();
    void stoppedRun();
    void aLinkInTheFolderIsNeverFollowed_data();
    void aLinkInTheFolderIsNeverFollowed();
    void outOfMemory_data();
    void outOfMemory();
};

void TestSerialRun::onePdf_data()
{
    QTest::addColumn<int>("bodyLines");
    QTest::addColumn<int>("pagesPerLetter");
    QTest::addColumn<bool>("duplex");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("pdfPages");

    QTest::newRow("one-page letters") << 3 << 1 << false << 1 << 0 << 3;
    QTest::newRow("two-page letters") << 60 << 2 << false << 1 << 0 << 6;
    QTest::newRow("duplex: a blank back after each odd letter but the last")
        << 3 << 1 << true << 1 << 0 << 5;
    QTest::newRow("duplex: even letters need no blank") << 60 << 2 << true << 1 << 0 << 6;
    QTest::newRow("records 2 to 3") << 3 << 1 << false << 2 << 3 << 2;
}

void TestSerialRun::onePdf()
{
    QFETCH(int, bodyLines);
    QFETCH(int, pagesPerLetter);
    QFETCH(bool, duplex);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, pdfPages);

    const CsvTable names = table(kThree);
    const Letter letter = letterTo(bodyLines);
    MergeOptions options;
    options.duplex = duplex;
    options.first = first;
    options.last = last;
    const SerialRun run(letter, names, options);
    QCOMPARE(run.problem(), QString());

    // What the run prints is each record's letter as it prints alone, from
    // its own "- 1 -", with a blank page where duplex asks for one.
    FakePrinter printer(kDpi, kA4At50);
    const MergeOutcome outcome = run.printAll(printer);
    QCOMPARE(outcome.error, QString());
    QCOMPARE(printer.job->title, u"Serienbrief"_s);
    QCOMPARE(printer.job->begun, 1);
    QVERIFY(printer.job->ended);
    QList<QImage> expected;
    const int lastRecord = last > 0 ? last : names.recordCount();
    for (int record = first; record <= lastRecord; ++record) {
        FakePrinter alone(kDpi, kA4At50);
        output::PrintRequest request;
        request.letter = run.letterFor(record);
        QCOMPARE(request.letter.recipientName, names.value(record - 1, 0).toString());
        QCOMPARE(output::printLetter(alone, request).pages, pagesPerLetter);
        expected += alone.job->pages;
        if (duplex && pagesPerLetter % 2 == 1 && record < lastRecord) {
            QImage blank(kA4At50, QImage::Format_RGB32);
            blank.fill(Qt::white);
            expected.append(blank);
        }
    }
    QCOMPARE(printer.job->pages.size(), pdfPages);
    QCOMPARE(outcome.pages, pdfPages);
    QCOMPARE(outcome.letters, lastRecord - first + 1);
    for (int i = 0; i < pdfPages; ++i) {
        const QImage& page = printer.job->pages[i];
        QVERIFY2(page.convertToFormat(QImage::Format_RGB32) == expected[i],
                 qPrintable(u"page %1"_s.arg(i + 1)));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(u"alle.pdf"_s);
    output::PdfTarget pdf(path, QPageSize(QPageSize::A4), kDpi * 2);
    QCOMPARE(run.printAll(pdf).pages, pdfPages);
    QCOMPARE(pdfPageCount(path), pdfPages);
    QCOMPARE(filesIn(dir.path()), QStringList{u"alle.pdf"_s});
}

void TestSerialRun::eachRecord_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("error");

    const QStringList none;
    QTest::newRow("default names")
        << kThree << SerialRun::defaultNamePattern() << none << false
        << QStringList{u"Brief-1.pdf"_s, u"Brief-2.pdf"_s, u"Brief-3.pdf"_s} << QString();
    QTest::newRow("a column named Datensatz wins")
        << u"Name;Datensatz\nAnna;K-7\nBernd;K-9\n"_s << SerialRun::defaultNamePattern() << none
        << false << QStringList{u"Brief-K-7.pdf"_s, u"Brief-K-9.pdf"_s} << QString();
    QTest::newRow("characters no file system takes")
        << u"Name\nMüller/Schmidt\n\"a:b?*\"\nMeier. \n<CON>\nCON\n"_s << u"{Name}"_s << none
        << false
        << QStringList{u"Meier.pdf"_s, u"Müller_Schmidt.pdf"_s, u"_CON.pdf"_s, u"_CON_.pdf"_s,
                       u"a_b__.pdf"_s}
        << QString();
    QTest::newRow("two records, one name")
        << kThree << u"{Ort}"_s << none << false << none
        << u"Die Datensätze 1 und 3 ergeben denselben Dateinamen „Köln.pdf“"_s;
    QTest::newRow("names differing only in case")
        << u"Name\nanna\nAnna\n"_s << u"{Name}.pdf"_s << none << false << none
        << u"Die Datensätze 1 und 2 ergeben denselben Dateinamen „Anna.pdf“"_s;
    QTest::newRow("an existing file is kept")
        << kThree << SerialRun::defaultNamePattern() << QStringList{u"Brief-2.pdf"_s} << false
        << QStringList{u"Brief-2.pdf"_s} << u"Die Datei „Brief-2.pdf“ gibt es schon"_s;
    QTest::newRow("an existing file replaced when asked")
        << kThree << SerialRun::defaultNamePattern() << QStringList{u"Brief-2.pdf"_s} << true
        << QStringList{u"Brief-1.pdf"_s, u"Brief-2.pdf"_s, u"Brief-3.pdf"_s} << QString();
    QTest::newRow("leading dots would hide the file")
        << u"Name\n.profile\n..x\n.\n"_s << u"{Name}"_s << none << false
        << QStringList{u"_.pdf"_s, u"profile.pdf"_s, u"x.pdf"_s} << QString();
    QTest::newRow("a name without a column") << kThree << u"{Nmae}-{Ort}"_s << none << false << none
                                             << u"Unbekannte Spalte „Nmae“ im Dateinamen"_s;
}

void TestSerialRun::eachRecord()
{
    QFETCH(QString, csv);
    QFETCH(QString, pattern);
    QFETCH(QStringList, existing);
    QFETCH(bool, overwrite);
    QFETCH(QStringList, files);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QByteArray old("nicht anfassen");
    for (const QString& name : existing) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    const CsvTable names = table(csv);
    const SerialRun run(letterTo(3), names, MergeOptions());
    const MergeOutcome outcome =
        run.writeEach(dir.path(), pattern, overwrite, {}, QPageSize(QPageSize::A4), kDpi);
    QCOMPARE(outcome.error, error);
    QCOMPARE(filesIn(dir.path()), files);
    QCOMPARE(outcome.letters, error.isEmpty() ? names.recordCount() : 0);
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (error.isEmpty())
            QVERIFY2(bytes.startsWith("%PDF") && pdfPageCount(file.fileName()) == 1,
                     qPrintable(name));
        else
            QCOMPARE(bytes, old);
    }
}

void TestSerialRun::stoppedRun_data()
{
    QTest::addColumn<bool>("onePdf");
    QTest::addColumn<bool>("failure"); // a folder in the way of the third file
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("unfinished"); // what the user is told is left

    const QStringList firstTwo{u"Brief-1.pdf"_s, u"Brief-2.pdf"_s};
    QTest::newRow("one PDF, cancelled after two letters")
        << true << false << QStringList() << u"Es wurde kein Brief ausgegeben"_s;
    QTest::newRow("a PDF each, cancelled after two letters")
        << false << false << firstTwo << u"2 von 4 Briefen fertig"_s;
    QTest::newRow("a PDF each, failing at the third")
        << false << true << (firstTwo + QStringList{u"Brief-3.pdf"_s})
        << u"2 von 4 Briefen fertig"_s;
}

void TestSerialRun::stoppedRun()
{
    QFETCH(bool, onePdf);
    QFETCH(bool, failure);
    QFETCH(QStringList, files);
    QFETCH(QString, unfinished);

    QTemporaryDir dir;
    if (failure)
        QVERIFY(QDir(dir.path()).mkdir(u"Brief-3.pdf"_s));
    const CsvTable names = table(u"Name\nA\nB\nC\nD\n"_s);
    const SerialRun run(letterTo(3), names, MergeOptions());
    const auto cancelAfterTwo = [&](int letter, int count) {
        [&] {
            QCOMPARE(count, 4);
        }();
        return failure || letter < 2;
    };
    MergeOutcome outcome;
    if (onePdf) {
        output::PdfTarget pdf(dir.filePath(u"alle.pdf"_s), QPageSize(QPageSize::A4), kDpi);
        outcome = run.printAll(pdf, cancelAfterTwo);
    } else {
        outcome = run.writeEach(dir.path(), SerialRun::defaultNamePattern(), true, cancelAfterTwo,
                                QPageSize(QPageSize::A4), kDpi);
    }
    QCOMPARE(outcome.letters, 2);
    QCOMPARE(outcome.cancelled, !failure);
    QCOMPARE(outcome.error.isEmpty(), !failure);
    QCOMPARE(outcome.unfinishedSummary(run.letterCount()), unfinished);
    // Only whole letters stay: no temporary file, no half-written PDF.
    QCOMPARE(filesIn(dir.path()), files);
    for (const QString& name : files) {
        if (QFileInfo(dir.filePath(name)).isFile())
            QCOMPARE(pdfPageCount(dir.filePath(name)), 1);
    }
}

void TestSerialRun::aLinkInTheFolderIsNeverFollowed_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("to a new file") << false << false;
    QTest::newRow("to a new file, overwriting") << true << false;
    QTest::newRow("to a file, overwriting") << true << true;
}

void TestSerialRun::aLinkInTheFolderIsNeverFollowed()
{
    QFETCH(bool, overwrite);
    QFETCH(bool, targetExists);
#ifndef Q_OS_UNIX
    QSKIP("QFile::link makes shortcuts here, not links");
#endif
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"briefe"_s);
    const QString outside = dir.filePath(u"woanders.pdf"_s);
    QVERIFY(QDir().mkpath(folder));
    if (targetExists) {
        QFile file(outside);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("nicht anfassen");
    }
    QVERIFY(QFile::link(u"../woanders.pdf"_s, folder + u"/Brief-2.pdf"_s));
    const CsvTable names = table(kThree);
    const SerialRun run(letterTo(3), names, MergeOptions());
    const MergeOutcome outcome = run.writeEach(folder, SerialRun::defaultNamePattern(), overwrite,
                                               {}, QPageSize(QPageSize::A4), kDpi);
    QCOMPARE(outcome.error, u"Die Datei „Brief-2.pdf“ ist eine Verknüpfung"_s);
    QCOMPARE(outcome.letters, 0);
    QFile file(outside);
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"),
             targetExists ? QByteArray("nicht anfassen") : QByteArray("<none>"));
    QVERIFY(!QFile::exists(folder + u"/Brief-1.pdf"_s));
}

void TestSerialRun::outOfMemory_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("a serial run") << true;
    QTest::newRow("one letter") << false;
}

void TestSerialRun::outOfMemory()
{
    QFETCH(bool, serial);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"alle.pdf"_s);
    output::PdfTarget pdf(path, QPageSize(QPageSize::A4), kDpi);
    const auto noMemory = [](int, int) -> bool {
        throw std::bad_alloc();
    };
    const CsvTable names = table(kThree);
    const SerialRun run(letterTo(3), names, MergeOptions());
    output::PrintRequest request;
    request.letter = run.letterFor(1);
    const QString error = serial ? run.printAll(pdf, noMemory).error
                                 : output::printLetter(pdf, request, noMemory).error;
    // Said in the user's language, not as the exception's English name.
    QCOMPARE(error, u"Nicht genügend Arbeitsspeicher"_s);
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestSerialRun)
#include "tst_serialrun.moc"
