#include "document/LetterExtension.h"
#include "document/LetterFile.h"
#include "document/SafeWrite.h"
#include "FailDevice.h"
#include "LetterSamples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace quillory::document;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 8);

/** A letter whose every text is empty and whose fonts are both Arial. */
Letter emptyLetter()
{
    Letter letter;
    letter.date = QDate(2000, 1, 1);
    return letter;
}

using LetterSamples::everyFieldSet;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

void putInt32(QByteArray& data, qsizetype offset, qint32 value)
{
    qToLittleEndian(value, data.data() + offset);
}

void putDouble(QByteArray& data, qsizetype offset, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, data.data() + offset);
}

/** everyFieldSet() with something in each list beyond the 35 fields, and a payment. */
Letter withNewFields()
{
    Letter letter = everyFieldSet();
    letter.infoBlock = {{u"Ihr Zeichen"_s, u"AB/12"_s}, {u"Kundennummer"_s, u"4711"_s}};
    letter.postalNotes = {u"Einschreiben"_s};
    letter.enclosures = {u"Rechnung"_s, u"Lieferschein"_s};
    letter.distribution = {u"Buchhaltung"_s};
    letter.payment = {u"Jörg"_s, u"DE89370400440532013000"_s, {}, u"{Betrag}"_s, {}, u"März ☃"_s};
    return letter;
}

/** Where field 35 of a sound file ends, found field by field as any reader of the format does. */
qsizetype endOfField35(const QByteArray& file)
{
    qsizetype pos = 0;
    const auto string = [&] {
        pos += 4 + qFromLittleEndian<qint32>(file.constData() + pos);
    };
    const auto font = [&] {
        pos += 6 + quint8(file[pos + 5]) + 10;
    };
    for (int i = 0; i < 20; ++i)
        string();
    pos += 16; // margin, date
    font();
    font();
    pos += 2 + 24 + 1; // groups A and B, group C's flag
    string();
    return pos + 8 + 3; // group C's number, group D
}

const QString kLostBlock = u"Die Zusatzangaben (Infoblock, Anlagen, Verteiler) dieses Briefs "
                           u"sind beschädigt und wurden nicht übernommen."_s;

// Offsets in the file of emptyLetter(): 20 empty strings, then margin and date.
constexpr qsizetype kMarginOffset = 80;
constexpr qsizetype kDateOffset = 88;
constexpr qsizetype kLetterFontOffset = 96;
constexpr qsizetype kMainEnd = 96 + 21 + 21;
constexpr qsizetype kGroupAEnd = kMainEnd + 2;
constexpr qsizetype kGroupBEnd = kGroupAEnd + 24;
constexpr qsizetype kGroupCEnd = kGroupBEnd + 13;
constexpr qsizetype kGroupDEnd = kGroupCEnd + 3;

} // namespace

class TestLetterFile : public QObject
{
    Q_OBJECT

private slots:
    void emptyTextsWithArialFontsTake180Bytes()
    {
        QCOMPARE(LetterFile::serialize(emptyLetter()).size(), 180);
        QCOMPARE(kGroupDEnd, 180);
    }

    void emptyFaceNamesTake170Bytes()
    {
        Letter letter = emptyLetter();
        letter.letterFont.setFace(QString());
        letter.footerFont.setFace(QString());
        QCOMPARE(LetterFile::serialize(letter).size(), 170);
    }

    void defaultLetterFontIsThe21ByteRecord()
    {
        const QByteArray file = LetterFile::serialize(emptyLetter());
        const QByteArray expected =
            bytes({0x00, 0x08, 0x00, 0x00, 0x80, 0x05, 'A',  'r',  'i',  'a', 'l',
                   0x00, 0x60, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x00});
        QCOMPARE(file.mid(kLetterFontOffset, 21), expected);
        // The footer font is the same record with 8 points.
        QByteArray footer = expected;
        footer[16] = 0x08;
        QCOMPARE(file.mid(kLetterFontOffset + 21, 21), footer);
    }

    void numbersAndDatesAreLittleEndianDoubles()
    {
        Letter letter = emptyLetter();
        letter.linesToSender = 6;
        const QByteArray file = LetterFile::serialize(letter);
        QCOMPARE(file.mid(kGroupAEnd, 8), bytes({0, 0, 0, 0, 0, 0, 0x18, 0x40}));
        QCOMPARE(file.mid(kDateOffset, 8), bytes({0, 0, 0, 0, 0xC0, 0xD5, 0xE1, 0x40}));
        QCOMPARE(file.mid(kMarginOffset, 8), bytes({0, 0, 0, 0, 0, 0, 0x34, 0x40})); // 20.0
    }

    void textsAreCountedWindows1252()
    {
        Letter letter = emptyLetter();
        letter.recipientName = QStringLiteral("ü");
        letter.body = QStringLiteral("a\r\nb");
        const QByteArray file = LetterFile::serialize(letter);
        QCOMPARE(file.left(5), bytes({0x01, 0x00, 0x00, 0x00, 0xFC}));
        // The body is field 20, after 19 strings: 18 empty ones and the name.
        QCOMPARE(file.mid(5 + 18 * 4, 8), bytes({0x04, 0x00, 0x00, 0x00, 0x61, 0x0D, 0x0A, 0x62}));
    }

    void flagsAreWrittenAsZeroOrOne()
    {
        Letter letter = emptyLetter();
        letter.phoneRight = true;
        letter.footerCentred = false;
        const QByteArray file = LetterFile::serialize(letter);
        QCOMPARE(file.mid(kMainEnd, 2), bytes({0x01, 0x00}));
    }

    void everyFieldSurvivesARoundTrip()
    {
        const Letter original = everyFieldSet();
        const auto loaded =
            LetterFile::parse(LetterFile::serialize(original), Letter::makeNew(kToday), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->tailGroups, QStringLiteral("ABCD"));
        QCOMPARE(loaded->letter, original);
        // And the file written again is the same file.
        QCOMPARE(LetterFile::serialize(loaded->letter), LetterFile::serialize(original));
    }

    void truncatedFiles_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("groups");
        for (int length = 0; length <= kGroupDEnd; ++length) {
            QString groups;
            bool opens = false;
            if (length == kMainEnd)
                opens = true;
            else if (length == kGroupAEnd)
                opens = true, groups = QStringLiteral("A");
            else if (length == kGroupBEnd)
                opens = true, groups = QStringLiteral("AB");
            else if (length == kGroupCEnd)
                opens = true, groups = QStringLiteral("ABC");
            else if (length == kGroupDEnd)
                opens = true, groups = QStringLiteral("ABCD");
            QTest::addRow("%d bytes", length) << length << opens << groups;
        }
    }

    void truncatedFiles()
    {
        QFETCH(int, length);
        QFETCH(bool, opens);
        QFETCH(QString, groups);
        // Each tail group's values differ between the file and the current letter.
        Letter written = emptyLetter();
        written.phoneRight = true;
        written.linesToSender = 7;
        written.senderSeparator = QString();
        written.layout1LargerCity = false;
        const QByteArray file = LetterFile::serialize(written).left(length);

        const Letter current = everyFieldSet();
        const auto loaded = LetterFile::parse(file, current, kToday);
        QCOMPARE(bool(loaded), opens);
        if (!opens) {
            QCOMPARE(loaded.error().message(), QStringLiteral("Read beyond end of file"));
            return;
        }
        QCOMPARE(loaded->tailGroups, groups);
        QCOMPARE(loaded->letter.recipientName, QString());
        QVERIFY(!current.phoneRight && current.linesToSender != 7 &&
                !current.senderSeparator.isEmpty() && current.layout1LargerCity);
        // A group the file held is read; the groups after it keep the current values.
        QCOMPARE(loaded->letter.phoneRight,
                 groups.contains(QLatin1Char('A')) ? true : current.phoneRight);
        QCOMPARE(loaded->letter.linesToSender,
                 groups.contains(QLatin1Char('B')) ? 7 : current.linesToSender);
        QCOMPARE(loaded->letter.senderSeparator,
                 groups.contains(QLatin1Char('C')) ? QString() : current.senderSeparator);
        QCOMPARE(loaded->letter.layout1LargerCity,
                 groups.contains(QLatin1Char('D')) ? false : current.layout1LargerCity);
    }

    void bytesAfterTheLastFieldAreIgnored()
    {
        const QByteArray file = LetterFile::serialize(everyFieldSet()) + QByteArray("trailing");
        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter, everyFieldSet());
    }

    void valuesOutsideTheirRangesAreMadeValid()
    {
        QByteArray file = LetterFile::serialize(emptyLetter());
        file[kMainEnd] = 2;                    // TeleRechts
        putDouble(file, kGroupAEnd, 1500);     // ZeilenAbsender
        putDouble(file, kGroupAEnd + 8, 2.5);  // ZeilenBisEmpfaenger
        putDouble(file, kGroupAEnd + 16, 3.5); // ZeilenBisBetreff
        putDouble(file, kGroupBEnd + 5, 12);   // Absenderverkleinern, after flag and ""
        putDouble(file, kMarginOffset, -5);
        putDouble(file, kDateOffset, 0);

        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.phoneRight, true);
        QCOMPARE(loaded->letter.linesToSender, 1000);
        QCOMPARE(loaded->letter.linesToRecipient, 2);
        QCOMPARE(loaded->letter.linesToSubject, 4);
        QCOMPARE(loaded->letter.senderSizeReduction, 10);
        QCOMPARE(loaded->letter.marginMm, 0.0);
        QCOMPARE(loaded->letter.date, kToday);
        // Written again, the flag is a plain 1.
        QCOMPARE(LetterFile::serialize(loaded->letter).at(kMainEnd), char(1));
    }

    void longFaceNamesAreCutButConsumed()
    {
        QByteArray file = LetterFile::serialize(emptyLetter());
        const QByteArray face(40, 'F');
        QByteArray record = bytes({0x00, 0x08, 0x00, 0x00, 0x80, 40}) + face +
                            bytes({0x00, 0x60, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x01});
        file.replace(kLetterFontOffset, 21, record);
        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.letterFont.face(), QString(31, QLatin1Char('F')));
        QVERIFY(loaded->letter.letterFont.hasStyle(FontStyleBit::Bold));
        QCOMPARE(loaded->letter.footerFont.face(), QStringLiteral("Arial"));
        QCOMPARE(loaded->tailGroups, QStringLiteral("ABCD"));
    }

    void unknownPitchAndStyleBitsAreDropped()
    {
        QByteArray file = LetterFile::serialize(emptyLetter());
        file[kLetterFontOffset + 11] = 7;          // pitch
        file[kLetterFontOffset + 20] = char(0xF3); // style
        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.letterFont.pitch(), FontPitch::Default);
        QCOMPARE(loaded->letter.letterFont.style(),
                 quint8(FontStyleBit::Bold | FontStyleBit::Italic));
    }

    void fontsKeepTheirPointSizeAcrossResolutions()
    {
        // 11 pt written at 120 ppi opens on a 96-ppi screen as height -15.
        QByteArray file = LetterFile::serialize(emptyLetter());
        putInt32(file, kLetterFontOffset + 12, 120);
        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.letterFont.pixelsPerInch(), 96);
        QCOMPARE(loaded->letter.letterFont.height(), -15);
        QCOMPARE(loaded->storedLetterFont.pixelsPerInch(), 120);
        QCOMPARE(loaded->storedLetterFont.size(), 11);

        // -14 at 96 ppi is 10.5 pt: saved as 11 and opened as -15.
        Letter letter = emptyLetter();
        letter.letterFont.setHeight(-14);
        const QByteArray saved = LetterFile::serialize(letter);
        QCOMPARE(saved.mid(kLetterFontOffset + 16, 4), bytes({0x0B, 0, 0, 0}));
        const auto reopened = LetterFile::parse(saved, Letter(), kToday);
        QVERIFY(reopened);
        QCOMPARE(reopened->letter.letterFont.height(), -15);

        // A negative size is a cell height (16 px at 96 ppi): it opens drawn
        // at 12 pt and is saved again byte for byte.
        putInt32(file, kLetterFontOffset + 12, 96);
        putInt32(file, kLetterFontOffset + 16, -12);
        const auto cell = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(cell);
        QCOMPARE(cell->letter.letterFont.height(), 16);
        QCOMPARE(cell->letter.letterFont.pointSize(), 12);
        QCOMPARE(LetterFile::serialize(cell->letter), file);
    }

    void filesBeyondTheBoundAreRefused_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("message"); // empty: opens
        QTest::newRow("at the bound") << LetterFile::kMaxFileBytes << QString();
        QTest::newRow("one byte beyond")
            << LetterFile::kMaxFileBytes + 1 << QStringLiteral("Datei zu groß (mehr als 64 MB)");
    }

    void filesBeyondTheBoundAreRefused()
    {
        QFETCH(qint64, size);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gross.bri"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(size)); // zeros: empty texts and fonts, sparse on disk
        file.close();
        const auto loaded = LetterFile::readFile(path, Letter(), kToday);
        QCOMPARE(loaded.error().message(), message);
        QCOMPARE(readWholeFile(path, LetterFile::kMaxFileBytes).error().message(), message);

        // What could not be read back is not written either, and the old file stays.
        QVERIFY(!LetterFile::writeFile(path, emptyLetter()));
        Letter large = emptyLetter();
        large.body = QString(qsizetype(size - LetterFile::serialize(emptyLetter()).size()),
                             QLatin1Char('x'));
        QCOMPARE(LetterFile::serialize(large).size(), size);
        QCOMPARE(LetterFile::writeFile(path, large).message(), message);
        QCOMPARE(QFileInfo(path).size(), message.isEmpty() ? size : 180);
    }

    void damagedStringCounts_data()
    {
        QTest::addColumn<qint32>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("one more than left")
            << qint32(180 - 4 + 1) << QStringLiteral("Read beyond end of file");
        QTest::newRow("largest count")
            << qint32(0x7FFFFFFF) << QStringLiteral("Read beyond end of file");
        QTest::newRow("negative") << qint32(-1) << QStringLiteral("Datei beschädigt");
        QTest::newRow("most negative") << qint32(0x80000000) << QStringLiteral("Datei beschädigt");
    }

    void damagedStringCounts()
    {
        QFETCH(qint32, count);
        QFETCH(QString, message);
        QByteArray file = LetterFile::serialize(emptyLetter());
        putInt32(file, 0, count);
        const auto loaded = LetterFile::parse(file, Letter(), kToday);
        QVERIFY(!loaded);
        QCOMPARE(loaded.error().message(), message);
    }

    void aShortWriteIsDiskFull()
    {
        const QByteArray whole = LetterFile::serialize(everyFieldSet());
        for (qint64 limit : {qint64(0), qint64(1), qint64(100), qint64(whole.size() - 1)}) {
            FailDevice device(limit);
            QVERIFY(device.open(QIODevice::WriteOnly));
            QCOMPARE(LetterFile::write(device, everyFieldSet()).message(),
                     QStringLiteral("Disk full"));
        }
        FailDevice roomy(whole.size());
        QVERIFY(roomy.open(QIODevice::WriteOnly));
        QVERIFY(!LetterFile::write(roomy, everyFieldSet()));
        QCOMPARE(roomy.data(), whole);
    }

    void filesOnDisk()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("brief.bri"));
        QVERIFY(!LetterFile::writeFile(path, everyFieldSet()));
        const auto loaded = LetterFile::readFile(path, Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter, everyFieldSet());

        // Overwriting replaces the whole file, leaving nothing of a longer one.
        QVERIFY(!LetterFile::writeFile(path, emptyLetter()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), LetterFile::serialize(emptyLetter()));
    }

    void emptyFileIsReadBeyondEnd()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("leer.bri"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const auto loaded = LetterFile::readFile(path, Letter(), kToday);
        QVERIFY(!loaded);
        QCOMPARE(loaded.error().message(), QStringLiteral("Read beyond end of file"));
    }

    void openAndCreateFailures()
    {
        QTemporaryDir dir;
        const auto missing =
            LetterFile::readFile(dir.filePath(QStringLiteral("fehlt.bri")), Letter());
        QCOMPARE(missing.error().message(), QStringLiteral("File not found"));
        const auto noFolder =
            LetterFile::readFile(dir.filePath(QStringLiteral("x/y.bri")), Letter());
        QCOMPARE(noFolder.error().message(), QStringLiteral("Ordner nicht gefunden"));
        const auto folder = LetterFile::readFile(dir.path(), Letter());
        QCOMPARE(folder.error().message(), QStringLiteral("Ist ein Ordner, keine Datei"));
        QCOMPARE(LetterFile::writeFile(dir.filePath(QStringLiteral("x/y.bri")), Letter()).message(),
                 QStringLiteral("Ordner nicht gefunden"));
        QCOMPARE(LetterFile::writeFile(dir.path(), Letter()).message(),
                 QStringLiteral("Ist ein Ordner, keine Datei"));
        // Longer than any file system's 255 bytes for one name.
        const QString tooLong =
            dir.filePath(QString(300, QLatin1Char('a')) + QStringLiteral(".bri"));
        QCOMPARE(LetterFile::readFile(tooLong, Letter()).error().message(),
                 QStringLiteral("Dateiname zu lang"));
        QCOMPARE(LetterFile::writeFile(tooLong, Letter()).message(),
                 QStringLiteral("Dateiname zu lang"));
    }

#ifdef Q_OS_UNIX
    void aFailedSaveLeavesTheOldFileIntact()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("brief.bri"));
        QVERIFY(!LetterFile::writeFile(path, emptyLetter()));
        const QByteArray before = LetterFile::serialize(emptyLetter());

        Letter large = everyFieldSet();
        large.body = QString(100000, QLatin1Char('x'));

        // A file size limit makes the disk "fill up" partway through the save.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const FileError error = LetterFile::writeFile(path, large);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);

        QCOMPARE(error.message(), QStringLiteral("Disk full"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("brief.bri")});
    }
#endif

    void unencodableCharactersAreNamedBeforeSaving()
    {
        Letter letter = emptyLetter();
        QVERIFY(LetterFile::unencodableCharacters(letter).isEmpty());
        letter.subject = QStringLiteral("Привет ☃");
        letter.body = QStringLiteral("☃ und 😀");
        letter.footerFont.setFace(QStringLiteral("Ω"));
        QCOMPARE(LetterFile::unencodableCharacters(letter), QStringLiteral("Привет☃😀Ω"));
        const auto loaded = LetterFile::parse(LetterFile::serialize(letter), Letter(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.subject, QStringLiteral("?????? ?"));
        QCOMPARE(loaded->letter.body, QStringLiteral("? und ?"));
    }

    void newFieldsRoundTrip_data()
    {
        QTest::addColumn<int>("slot"); // the text goes to: label, value, note, enclosure, ...
        QTest::addColumn<QString>("text");
        QTest::newRow("no new fields") << -1 << QString();
        const char* names[] = {"label",     "value",        "postal note",
                               "enclosure", "distribution", "unknown entry"};
        for (int slot = 0; slot < 6; ++slot) {
            QTest::addRow("%s beyond Windows-1252", names[slot]) << slot << u"☃ Привет 😀"_s;
            QTest::addRow("%s like an entry", names[slot])
                << slot << u"enclosure 3\nxyz\nQUILLORY-EXTENSION\n\r\n"_s;
            QTest::addRow("empty %s", names[slot]) << slot << QString();
        }
    }

    void newFieldsRoundTrip()
    {
        QFETCH(int, slot);
        QFETCH(QString, text);
        Letter letter = slot < 0 ? everyFieldSet() : withNewFields();
        if (slot == 5) {
            letter.unknownExtensionEntries = {{"future.key", text.toUtf8()}};
        } else if (slot >= 0) {
            QString* target[] = {&letter.infoBlock[1].label, &letter.infoBlock[1].value,
                                 &letter.postalNotes[0], &letter.enclosures[1],
                                 &letter.distribution[0]};
            *target[slot] = text;
        }
        const QByteArray file = LetterFile::serialize(letter);
        // The current letter's lists never stand in for those of the file.
        const auto loaded = LetterFile::parse(file, withNewFields(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter, letter);
        QVERIFY(loaded->warning.isEmpty() && !loaded->modified);
        QCOMPARE(LetterFile::serialize(loaded->letter), file);

        // The 35 fields are those of the letter without the lists, and a
        // reader that stops after them reads the same letter.
        const qsizetype end = endOfField35(file);
        QCOMPARE(file.left(end), LetterFile::serialize(everyFieldSet()));
        QCOMPARE(end == file.size(), slot < 0);
        const auto fields = LetterFile::parse(file.left(end), Letter(), kToday);
        QVERIFY(fields);
        QCOMPARE(fields->letter, everyFieldSet());
    }

    void lostBlocksCostOnlyThemselves_data()
    {
        QTest::addColumn<QByteArray>("tail"); // after the 35 fields of everyFieldSet()
        QTest::addColumn<QString>("warning"); // empty: nothing lost

        const QByteArray block = LetterExtension::serialize(withNewFields());
        for (qsizetype length = 1; length < block.size(); ++length)
            QTest::addRow("cut after %d bytes", int(length)) << block.left(length) << kLostBlock;
        QByteArray changed = block;
        changed[changed.size() - 3] = 'X';
        QTest::newRow("a changed byte") << changed << kLostBlock;
        QTest::newRow("a newer version")
            << QByteArray(block).replace("EXTENSION\n1\n", "EXTENSION\n2\n")
            << u"Die Zusatzangaben (Infoblock, Anlagen, Verteiler) dieses Briefs stammen aus "
               u"einer neueren Programmversion und wurden nicht übernommen."_s;

        // Entries under a sound checksum.
        const auto framed = [](const char* name, const char* payload) {
            QTest::newRow(name) << LetterExtension::frame(payload) << kLostBlock;
        };
        framed("an entry without its line end", "enclosure 1\naX");
        framed("invalid UTF-8", "enclosure 1\n\xff\n");
        framed("a label without its value", "info.label 1\na\n");
        framed("a value without its label", "info.value 1\na\n");
        framed("a key outside the character set", "anl@ge 1\na\n");
        framed("a table's option without the table", "serial.option 1\na\n");
        framed("two tables", "serial.table 1\na\nserial.table 1\nb\n");
        framed("a table without a name", "serial.table 0\n\n");

        QTest::newRow("no block") << QByteArray() << QString();
        QTest::newRow("bytes of another writer") << QByteArray("trailing") << QString();
        QTest::newRow("a block without entries") << LetterExtension::frame("") << QString();
    }

    void lostBlocksCostOnlyThemselves()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, warning);
        const QByteArray file = LetterFile::serialize(everyFieldSet()) + tail;
        const auto loaded = LetterFile::parse(file, withNewFields(), kToday);
        QVERIFY(loaded);
        QCOMPARE(loaded->letter, everyFieldSet());
        QCOMPARE(loaded->warning, warning);
        QCOMPARE(loaded->modified, !warning.isEmpty());
    }

    void aNewLetterHasTheFormDefaults()
    {
        const Letter letter = Letter::makeNew(kToday);
        QCOMPARE(letter.salutation, QStringLiteral("Sehr geehrte Damen und Herren,"));
        QCOMPARE(letter.closing, QStringLiteral("Mit freundlichen Grüßen"));
        QVERIFY(letter.signature.startsWith(QStringLiteral("gez. ")));
        QCOMPARE(
            letter.body,
            QStringLiteral("hiermit möchte ich....\r\n\r\nVielen Dank für Ihre Aufmerksamkeit."));
        QCOMPARE(letter.date, kToday);
        QCOMPARE(letter.senderCountry, QStringLiteral("Deutschland"));
        QCOMPARE(letter.senderSeparator, QStringLiteral("; "));
        QCOMPARE(letter.marginMm, 20.0);
        QCOMPARE(letter.linesToSender, 6);
        QCOMPARE(letter.linesToRecipient, 1);
        QCOMPARE(letter.linesToSubject, 6);
        QCOMPARE(letter.senderSizeReduction, 3);
        QVERIFY(letter.phoneRight && letter.footerCentred && letter.senderOneLine);
        QVERIFY(!letter.layout1SmallerSender && !letter.layout1BlankBeforeCity &&
                !letter.layout1LargerCity);
        QCOMPARE(letter.letterFont.size(), 11);
        QCOMPARE(letter.footerFont.size(), 8);
        QVERIFY(LetterFile::unencodableCharacters(letter).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestLetterFile)
#include "tst_letterfile.moc"
