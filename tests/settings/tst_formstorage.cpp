#include "FileSizeLimit.h"
#include "settings/FormStorage.h"
#include "settings/ListStore.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/QSettingsBackend.h"
#include "settings/SettingsEncoding.h"
#include "settings/StoredProperties.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::settings;
using document::Letter;

namespace {

const ScreenInfo kScreen{96, QSize(1024, 768)};

WindowPlacement designPlacement()
{
    WindowPlacement placement;
    placement.normalGeometry = QRect(77, 64, 870, 640);
    return placement;
}

QStringList valueNamesInOrder()
{
    QStringList names = {QStringLiteral("FormVersion"),
                         QStringLiteral("Flags"),
                         QStringLiteral("ShowCmd"),
                         QStringLiteral("PixelsPerInch"),
                         QStringLiteral("MinMaxPos(1024x768)"),
                         QStringLiteral("MinMaxPos"),
                         QStringLiteral("NormPos(1024x768)"),
                         QStringLiteral("NormPos"),
                         QStringLiteral("Visible")};
    const char* texts[] = {"Edit10", "Edit11", "Edit12", "Edit13", "Edit15",
                           "Edit14", "Edit16", "Edit17", "Edit18"};
    for (const char* t : texts)
        names << QString::fromLatin1(t) + QStringLiteral("_Text");
    const char* font[] = {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"};
    for (const char* f : font)
        names << QStringLiteral("FontDialog1_Font") + QString::fromLatin1(f);
    names << QStringLiteral("Edit19_Text");
    for (const char* f : font)
        names << QStringLiteral("FontDialog2_Font") + QString::fromLatin1(f);
    for (const char* rest :
         {"RandEd_Value", "TeleRechts_Checked", "FussZentr_Checked", "ZeilenAbsender_Value",
          "ZeilenBisBetreff_Value", "ZeilenBisEmpfaenger_Value", "Absenderunterstr_Checked",
          "TrennZeichen_Text", "Absenderverkleinern_Value", "kleinereSchriftCheck_Checked",
          "LeerZeileCheck_Checked", "PLZOrtGroesserCheck_Checked", "Layout1Check_Checked",
          "Layout2Check_Checked", "Leer2Check_Checked"})
        names << QString::fromLatin1(rest);
    return names;
}

/** Records the order of writes. */
class OrderedBackend : public MemorySettingsBackend
{
public:
    QStringList order;
    bool write(const QString& name, const QString& text) override
    {
        order << name;
        return MemorySettingsBackend::write(name, text);
    }
};

} // namespace

class TestFormStorage : public QObject
{
    Q_OBJECT

private slots:
    void firstStartKeepsDefaultsButTrimsTexts()
    {
        MemorySettingsBackend backend;
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        const auto result = storage.restore(letter, view, designPlacement(), kScreen);
        QVERIFY(result.error.isEmpty());
        QVERIFY(storage.isRestored());
        QVERIFY(result.placement);
        QVERIFY(!result.placement->normalGeometry); // nothing stored: the window stays centred
        Letter expected = Letter::makeNew();
        expected.senderSeparator = QStringLiteral(";");
        expected.date = letter.date;
        QCOMPARE(letter, expected);
        QCOMPARE(view, ViewChoices());
    }

    void saveWritesEveryValueInOrder()
    {
        OrderedBackend backend;
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        storage.restore(letter, view, designPlacement(), kScreen);
        letter.senderSeparator = QStringLiteral("; ");
        letter.marginMm = 12.5;
        QCOMPARE(storage.save(letter, view, designPlacement(), kScreen), QString());
        QCOMPARE(backend.order, valueNamesInOrder());

        const auto v = [&](const char* name) {
            return backend.values.value(QString::fromLatin1(name)).toString();
        };
        QCOMPARE(v("FormVersion"), QStringLiteral("0"));
        QCOMPARE(v("ShowCmd"), QStringLiteral("1"));
        QCOMPARE(v("PixelsPerInch"), QStringLiteral("96"));
        QCOMPARE(v("NormPos"), QStringLiteral("77,64,947,704"));
        QCOMPARE(v("NormPos(1024x768)"), QStringLiteral("77,64,947,704"));
        QCOMPARE(v("Visible"), QStringLiteral("0"));
        QCOMPARE(v("TrennZeichen_Text"), QStringLiteral(";"));
        QCOMPARE(v("RandEd_Value"), QStringLiteral("12.5"));
        QCOMPARE(v("ZeilenAbsender_Value"), QStringLiteral("6"));
        QCOMPARE(v("TeleRechts_Checked"), QStringLiteral("True"));
        QCOMPARE(v("kleinereSchriftCheck_Checked"), QStringLiteral("False"));
        QCOMPARE(v("Layout1Check_Checked"), QStringLiteral("True"));
        QCOMPARE(v("Layout2Check_Checked"), QStringLiteral("False"));
        QCOMPARE(v("FontDialog1_FontCharset"), QStringLiteral("0"));
        QCOMPARE(v("FontDialog1_FontColor"), QStringLiteral("-2147483640"));
        QCOMPARE(v("FontDialog1_FontHeight"), QStringLiteral("-15"));
        QCOMPARE(v("FontDialog1_FontName"), QStringLiteral("Arial"));
        QCOMPARE(v("FontDialog1_FontPitch"), QStringLiteral("fpDefault"));
        QCOMPARE(v("FontDialog1_FontSize"), QStringLiteral("11"));
        QCOMPARE(v("FontDialog1_FontStyle"), QStringLiteral("[]"));
        QCOMPARE(v("FontDialog2_FontSize"), QStringLiteral("8"));
        QCOMPARE(v("Edit15_Text"), QString());
    }

    void savedValuesComeBack()
    {
        MemorySettingsBackend backend;
        Letter letter = Letter::makeNew();
        letter.senderName = QStringLiteral("Jörg Beispiel");
        letter.senderCity = QStringLiteral("Köln");
        letter.marginMm = 12.35;
        letter.linesToRecipient = 4;
        letter.phoneRight = false;
        letter.layout1LargerCity = true;
        letter.senderSizeReduction = 0;
        letter.letterFont.setFace(QStringLiteral("Times New Roman"));
        letter.letterFont.setSize(14);
        letter.letterFont.setStyle(quint8(document::Bold | document::Italic));
        letter.letterFont.setColor(0x00123456);
        letter.footerFont.setPitch(document::FontPitch::Fixed);
        letter.footerFont.setCharset(238);
        ViewChoices view{true, true};
        {
            FormStorage first(backend);
            Letter scratch = Letter::makeNew();
            ViewChoices scratchView;
            first.restore(scratch, scratchView, designPlacement(), kScreen);
            QCOMPARE(first.save(letter, view, designPlacement(), kScreen), QString());
        }
        FormStorage second(backend);
        Letter restored = Letter::makeNew();
        ViewChoices restoredView;
        QVERIFY(second.restore(restored, restoredView, designPlacement(), kScreen).error.isEmpty());
        letter.senderSeparator = QStringLiteral(";");
        letter.date = restored.date;
        QCOMPARE(restored, letter);
        QCOMPARE(restoredView, view);
    }

    void storedValuesAreMadeValid()
    {
        MemorySettingsBackend backend;
        backend.values = {
            {QStringLiteral("ZeilenAbsender_Value"), QStringLiteral("1500")},
            {QStringLiteral("ZeilenBisBetreff_Value"), QStringLiteral("2.5")},
            {QStringLiteral("ZeilenBisEmpfaenger_Value"), QStringLiteral("viele")},
            {QStringLiteral("RandEd_Value"), QStringLiteral(" 12.5 ")},
            {QStringLiteral("TeleRechts_Checked"), QStringLiteral("FALSE")},
            {QStringLiteral("FussZentr_Checked"), QStringLiteral("yes")},
            {QStringLiteral("Edit10_Text"), QStringLiteral("  Firma  ")},
            {QStringLiteral("FontDialog1_FontHeight"), QStringLiteral("-40")},
            {QStringLiteral("FontDialog1_FontSize"), QStringLiteral("11")},
            {QStringLiteral("FontDialog1_FontStyle"), QStringLiteral("[fsBold, fsItalic]")},
            {QStringLiteral("FontDialog2_FontColor"), QStringLiteral("rot")},
            {QStringLiteral("Layout1Check_Checked"), QStringLiteral("False")},
            {QStringLiteral("Layout2Check_Checked"), QStringLiteral("True")},
            {QStringLiteral("Edit11_Text"), QVariant(42)}, // not a string: ignored
        };
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        QVERIFY(storage.restore(letter, view, designPlacement(), kScreen).error.isEmpty());
        QCOMPARE(letter.linesToSender, 1000);
        QCOMPARE(letter.linesToSubject, 2);
        QCOMPARE(letter.linesToRecipient, 1);
        QCOMPARE(letter.marginMm, 12.5);
        QCOMPARE(letter.phoneRight, false);
        QCOMPARE(letter.footerCentred, true);
        QCOMPARE(letter.senderName, QStringLiteral("Firma"));
        QCOMPARE(letter.senderExtra, Letter::makeNew().senderExtra);
        QCOMPARE(letter.letterFont.height(), -15); // the size comes last and wins
        QCOMPARE(letter.letterFont.style(), quint8(document::Bold | document::Italic));
        QCOMPARE(letter.footerFont.color(), 0u);
        QVERIFY(view.layout2);
    }

    void placement_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<bool>("positioned");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("state");
        const QRect rect(10, 20, 800, 600);
        QTest::newRow("suffixed name")
            << QVariantMap{{QStringLiteral("NormPos(1024x768)"), QStringLiteral("10,20,810,620")},
                           {QStringLiteral("NormPos"), QStringLiteral("1,1,2,2")},
                           {QStringLiteral("ShowCmd"), QStringLiteral("1")}}
            << true << rect << int(WindowPlacement::Normal);
        QTest::newRow("other screen size: plain name")
            << QVariantMap{{QStringLiteral("NormPos(1920x1080)"), QStringLiteral("1,1,2,2")},
                           {QStringLiteral("NormPos"), QStringLiteral("10 20 810 620")},
                           {QStringLiteral("ShowCmd"), QStringLiteral("3")}}
            << true << rect << int(WindowPlacement::Maximized);
        QTest::newRow("other resolution: state only")
            << QVariantMap{{QStringLiteral("NormPos"), QStringLiteral("10,20,810,620")},
                           {QStringLiteral("PixelsPerInch"), QStringLiteral("120")},
                           {QStringLiteral("ShowCmd"), QStringLiteral("7")}}
            << false << QRect() << int(WindowPlacement::Minimized);
        QTest::newRow("malformed words take the current edges")
            << QVariantMap{{QStringLiteral("NormPos"), QStringLiteral("10,x")}} << true
            << QRect(10, 64, 937, 640) << int(WindowPlacement::Normal);
        QTest::newRow("empty rectangle ignored")
            << QVariantMap{{QStringLiteral("NormPos"), QStringLiteral("500,20,400,620")}} << false
            << QRect() << int(WindowPlacement::Normal);
        QTest::newRow("unknown show command")
            << QVariantMap{{QStringLiteral("ShowCmd"), QStringLiteral("11")}} << false << QRect()
            << int(WindowPlacement::Normal);
    }

    void placement()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(bool, positioned);
        QFETCH(QRect, geometry);
        QFETCH(int, state);
        MemorySettingsBackend backend;
        for (auto it = stored.begin(); it != stored.end(); ++it)
            backend.values.insert(it.key(), it.value());
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        const auto result = storage.restore(letter, view, designPlacement(), kScreen);
        QVERIFY(result.placement);
        QCOMPARE(bool(result.placement->normalGeometry), positioned);
        if (positioned)
            QCOMPARE(*result.placement->normalGeometry, geometry);
        QCOMPARE(int(result.placement->state), state);
    }

    void unreadablePlacementEndsTheRestore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wrongType");
        QTest::addColumn<QString>("error");
        QTest::newRow("version of wrong type")
            << QStringLiteral("FormVersion") << true
            << QStringLiteral("Ungültiger Datentyp für 'FormVersion'");
        QTest::newRow("version unreadable")
            << QStringLiteral("FormVersion") << false
            << QStringLiteral("Konnte Daten für 'FormVersion' nicht holen");
        QTest::newRow("position of wrong type")
            << QStringLiteral("NormPos(1024x768)") << true
            << QStringLiteral("Ungültiger Datentyp für 'NormPos(1024x768)'");
        QTest::newRow("show command unreadable")
            << QStringLiteral("ShowCmd") << false
            << QStringLiteral("Konnte Daten für 'ShowCmd' nicht holen");
    }

    void unreadablePlacementEndsTheRestore()
    {
        QFETCH(QString, name);
        QFETCH(bool, wrongType);
        QFETCH(QString, error);
        MemorySettingsBackend backend;
        backend.values.insert(name, wrongType ? QVariant(7) : QVariant(QStringLiteral("7")));
        if (!wrongType)
            backend.unreadable.insert(name);
        backend.values.insert(QStringLiteral("Edit10_Text"), QStringLiteral("Gespeichert"));
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        const auto result = storage.restore(letter, view, designPlacement(), kScreen);
        QCOMPARE(result.error, error);
        QVERIFY(!storage.isRestored());
        QCOMPARE(letter.senderName, Letter::makeNew().senderName);
        // What could not be read is never overwritten.
        QCOMPARE(storage.save(letter, view, designPlacement(), kScreen), QString());
        QCOMPARE(storage.saveOnDestroy(letter, view, designPlacement(), kScreen), QString());
        QCOMPARE(backend.writes, 0);
    }

    void failedSavesAreReportedAndRetriedOnce()
    {
        MemorySettingsBackend backend;
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        storage.restore(letter, view, designPlacement(), kScreen);

        backend.groupCreationFails = true;
        QCOMPARE(storage.save(letter, view, designPlacement(), kScreen),
                 QStringLiteral("Erzeugung von Schlüssel TMainForm misslungen"));
        backend.groupCreationFails = false;
        backend.unwritable.insert(QStringLiteral("Edit12_Text"));
        QCOMPARE(storage.save(letter, view, designPlacement(), kScreen),
                 QStringLiteral("Konnte Daten für 'Edit12_Text' nicht setzen"));
        QVERIFY(!storage.isSaved());
        QVERIFY(backend.values.contains(QStringLiteral("Edit11_Text"))); // written before the error
        QVERIFY(!backend.values.contains(QStringLiteral("Edit13_Text")));

        backend.unwritable.clear();
        QCOMPARE(storage.saveOnDestroy(letter, view, designPlacement(), kScreen), QString());
        QCOMPARE(backend.values.value(QStringLiteral("Visible")).toString(), QStringLiteral("1"));
        QVERIFY(storage.isSaved());
        const int writes = backend.writes;
        QCOMPARE(storage.saveOnDestroy(letter, view, designPlacement(), kScreen), QString());
        QCOMPARE(backend.writes, writes);
    }

    void handEditedValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("line");  // what follows "=" in the file
        QTest::addColumn<QString>("restored"); // empty: the design value stays

        QTest::newRow("decimal point") << "RandEd_Value" << QByteArray("12.5") << "12.5";
        QTest::newRow("whole number") << "ZeilenAbsender_Value" << QByteArray("12") << "12";
        QTest::newRow("group separator") << "ZeilenAbsender_Value" << QByteArray("1,500") << "";
        QTest::newRow("decimal comma") << "RandEd_Value" << QByteArray("12,5") << "";
        QTest::newRow("nan") << "RandEd_Value" << QByteArray("nan") << "";
        QTest::newRow("inf") << "ZeilenBisBetreff_Value" << QByteArray("inf") << "";
        QTest::newRow("-inf") << "Absenderverkleinern_Value" << QByteArray("-inf") << "";
        QTest::newRow("word") << "ZeilenBisEmpfaenger_Value" << QByteArray("zwölf") << "";
        QTest::newRow("text without quotes")
            << "Edit18_Text" << QByteArray("Bank: X, IBAN DE00") << "Bank: X, IBAN DE00";
        QTest::newRow("blanks around commas")
            << "Edit12_Text" << QByteArray("Weg 1 ,  Hinterhaus,links")
            << "Weg 1 ,  Hinterhaus,links";
        QTest::newRow("quoted text")
            << "Edit18_Text" << QByteArray("\"Bank: Y, IBAN DE11\"") << "Bank: Y, IBAN DE11";
        QTest::newRow("style without quotes")
            << "FontDialog1_FontStyle" << QByteArray("[fsBold, fsItalic]") << "[fsBold,fsItalic]";
    }

    void handEditedValues()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, line);
        QFETCH(QString, restored);
        // A folder per row: QSettings keeps files it has read, by name.
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Software")));
        QFile file(dir.filePath(QStringLiteral("Software/quillory-hand.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[TMainForm]\n" + name.toLatin1() + '=' + line + '\n');
        file.close();

        const auto valueOf = [&name](Letter& letter, ViewChoices& view) {
            for (const StoredProperty& property : storedProperties(letter, view)) {
                if (property.name == name)
                    return SettingsEncoding::trimmed(property.encode());
            }
            return QStringLiteral("no such property");
        };
        if (restored.isEmpty()) {
            Letter design = Letter::makeNew();
            ViewChoices designView;
            restored = valueOf(design, designView);
        }
        QSettingsBackend backend(QStringLiteral("quillory-hand"));
        FormStorage storage(backend);
        Letter letter = Letter::makeNew();
        ViewChoices view;
        QVERIFY(storage.restore(letter, view, designPlacement(), kScreen).error.isEmpty());
        QCOMPARE(valueOf(letter, view), restored);
    }

    void aFailedWriteKeepsTheStoredFile_data()
    {
        QTest::addColumn<bool>("list");
        QTest::newRow("the window's values") << false;
        QTest::newRow("a list beside them") << true;
    }

    void aFailedWriteKeepsTheStoredFile()
    {
        QFETCH(bool, list);
        QTemporaryDir dir; // a folder per row: QSettings keeps files it has read, by name
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        const QString program = QStringLiteral("quillory-voll");
        const QString group = QStringLiteral("TMainForm");
        QSettingsBackend backend(program);
        QVERIFY(backend.createGroup());
        QVERIFY(backend.writeIn(group, QStringLiteral("Edit1_Text"), QStringLiteral("alt")));
        QVERIFY(backend.flush());
        QFile file(backend.location());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        // More than the disk takes, though short enough to sit in a write buffer.
        const QString text(2000, QLatin1Char('x'));
        bool written = true;
        {
            FileSizeLimit full(before.size() + 100);
            if (!full.isSet())
                QSKIP("no file size limit can be set here");
            if (list) {
                written = QSettingsListStore(program).writeList(
                    QStringLiteral("Zuletzt"), QStringLiteral("Dateien"), {text, text});
            } else {
                QVERIFY(backend.createGroup());
                QVERIFY(backend.writeIn(group, QStringLiteral("Edit2_Text"), text));
                written = backend.flush();
            }
        }
        QVERIFY(!written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Software"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("quillory-voll.ini")});
    }

    void iniFileBackend()
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        {
            QSettingsBackend backend(QStringLiteral("quillory-test"));
            QVERIFY(backend.location().startsWith(dir.path()));
            QVERIFY(backend.location().endsWith(QStringLiteral("Software/quillory-test.ini")));
            FormStorage storage(backend);
            Letter letter = Letter::makeNew();
            ViewChoices view;
            storage.restore(letter, view, designPlacement(), kScreen);
            letter.senderStreet = QStringLiteral("Weg 1, Hinterhaus");
            view.envelope = QStringLiteral("C6/5");
            QCOMPARE(storage.save(letter, view, designPlacement(), kScreen), QString());
        }
        QSettingsBackend backend(QStringLiteral("quillory-test"));
        QCOMPARE(backend.read(QStringLiteral("NormPos")).text, QStringLiteral("77,64,947,704"));
        QCOMPARE(backend.read(QStringLiteral("Edit12_Text")).text,
                 QStringLiteral("Weg 1, Hinterhaus"));
        QCOMPARE(backend.read(QStringLiteral("Nichts")).kind, StoredValue::Missing);
        // The envelope in a group of its own, beside the form's.
        QCOMPARE(backend.readIn(QStringLiteral("Fensterumschlag"), QStringLiteral("Umschlag")).text,
                 QStringLiteral("C6/5"));
        QCOMPARE(backend.read(QStringLiteral("Umschlag")).kind, StoredValue::Missing);
        {
            FormStorage storage(backend);
            Letter letter = Letter::makeNew();
            ViewChoices view;
            QVERIFY(storage.restore(letter, view, designPlacement(), kScreen).error.isEmpty());
            QCOMPARE(view.envelope, QStringLiteral("C6/5"));
        }

        // Another program name is another store.
        QSettingsBackend other(QStringLiteral("quillory-other"));
        QCOMPARE(other.read(QStringLiteral("NormPos")).kind, StoredValue::Missing);
    }
};

QTEST_GUILESS_MAIN(TestFormStorage)
#include "tst_formstorage.moc"
