#include "settings/ListStore.h"
#include "settings/SenderProfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace quillory;
using namespace quillory::settings;
using document::LetterFont;

namespace {

/** "name=content" for each profile, in the model's order; content is the sender name. */
QStringList contentsOf(const SenderProfiles& profiles)
{
    QStringList contents;
    for (const QString& name : profiles.names())
        contents << name + QLatin1Char('=') + profiles.profile(name).value().senderName;
    return contents;
}

LetterFont unusualFont(const QString& face, int size, quint8 style, quint32 color)
{
    LetterFont font;
    font.setFace(face);
    font.setSize(size);
    font.setStyle(style);
    font.setColor(color);
    font.setCharset(238);
    font.setPitch(document::FontPitch::Variable);
    return font;
}

} // namespace

class TestSenderProfiles : public QObject
{
    Q_OBJECT

private slots:
    /**
     * script: "+Name" saves a profile under Name whose sender name is the step's
     * number, "-Name" deletes one. Checked in the model and as read again.
     */
    void saveReplaceDelete_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("kept in the order first saved")
            << QStringList{u"+Privat"_s, u"+Firma"_s, u"+Verein"_s}
            << QStringList{u"Privat=1"_s, u"Firma=2"_s, u"Verein=3"_s};
        QTest::newRow("replacing keeps the place, takes the new spelling and fields")
            << QStringList{u"+Privat"_s, u"+Firma"_s, u"+ privat "_s}
            << QStringList{u"privat=3"_s, u"Firma=2"_s};
        QTest::newRow("deleting one in the middle moves the later ones up")
            << QStringList{u"+A"_s, u"+B"_s, u"+C"_s, u"-b"_s} << QStringList{u"A=1"_s, u"C=3"_s};
        QTest::newRow("deleting the last one")
            << QStringList{u"+A"_s, u"+B"_s, u"-B"_s} << QStringList{u"A=1"_s};
        QTest::newRow("deleting every one")
            << QStringList{u"+A"_s, u"+B"_s, u"-A"_s, u"-B"_s} << QStringList{};
        QTest::newRow("saved again after deleting goes to the end")
            << QStringList{u"+A"_s, u"+B"_s, u"-A"_s, u"+A"_s} << QStringList{u"B=2"_s, u"A=4"_s};
        QTest::newRow("a blank name stores nothing") << QStringList{u"+  "_s} << QStringList{};
        QTest::newRow("deleting an unknown name changes nothing")
            << QStringList{u"+A"_s, u"-X"_s} << QStringList{u"A=1"_s};
        QTest::newRow("a name with a slash, an equals sign and umlauts")
            << QStringList{u"+Büro/Köln = alt"_s} << QStringList{u"Büro/Köln = alt=1"_s};
    }

    void saveReplaceDelete()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, expected);
        MemoryListStore store;
        SenderProfiles profiles(store);
        for (int step = 0; step < script.size(); ++step) {
            const QString name = script.at(step).mid(1);
            if (script.at(step).startsWith(QLatin1Char('+'))) {
                SenderProfile profile;
                profile.senderName = QString::number(step + 1);
                QCOMPARE(profiles.save(name, profile), !name.trimmed().isEmpty());
            } else {
                const bool known = !profiles.find(name).isEmpty();
                QCOMPARE(profiles.remove(name), known);
            }
        }
        QCOMPARE(contentsOf(profiles), expected);
        QCOMPARE(contentsOf(SenderProfiles(store)), expected);
    }

    void everyFieldAndBothFontsComeBack()
    {
        SenderProfile profile;
        profile.senderName = u"Dr. Anna Müller-Lüdenscheidt"_s;
        profile.senderExtra = u"Ortsteil Süd"_s;
        profile.senderStreet = u"Hauptstraße 1a"_s;
        profile.senderPostcode = u"01234"_s;
        profile.senderCity = u"Köln"_s;
        profile.senderCountry = u"DEUTSCHLAND"_s;
        profile.senderPhone = u"0221 12345"_s;
        profile.senderFax = u"0221 12346"_s;
        profile.senderEmail = u"anna@example.org"_s;
        profile.footer = u"IBAN DE00 1234; BIC = ABCDEF"_s;
        profile.letterFont = unusualFont(u"Times New Roman"_s, 13,
                                         document::Bold | document::Underline, 0x00336699u);
        profile.footerFont =
            unusualFont(u"Courier New"_s, 7, document::Italic | document::StrikeOut, 0x80000005u);
        profile.footerFont.setPitch(document::FontPitch::Fixed);
        profile.footerFont.setCharset(0);
        QVERIFY(!(profile.letterFont == LetterFont()));

        MemoryListStore store;
        QVERIFY(SenderProfiles(store).save(u"Privat"_s, profile));
        const SenderProfiles again(store);
        QCOMPARE(again.names(), QStringList{u"Privat"_s});
        QCOMPARE(again.profile(u"Privat"_s), profile);

        // The same names and encodings as the window's own store.
        const QStringList stored = store.lists.value(u"Absenderprofile/Profil1"_s);
        QCOMPARE(stored.first(), u"Name=Privat"_s);
        for (const QString& line :
             {u"Edit19_Text=Köln"_s, u"Edit18_Text=IBAN DE00 1234; BIC = ABCDEF"_s,
              u"FontDialog1_FontSize=13"_s, u"FontDialog1_FontStyle=[fsBold,fsUnderline]"_s,
              u"FontDialog1_FontCharset=238"_s, u"FontDialog2_FontPitch=fpFixed"_s,
              u"FontDialog2_FontColor=-2147483643"_s, u"FontDialog2_FontName=Courier New"_s})
            QVERIFY2(stored.contains(line), qPrintable(line));

        // Fields written into a letter and taken out again are the same.
        document::Letter letter;
        profile.applyTo(letter);
        QCOMPARE(SenderProfile::of(letter), profile);
    }
};

QTEST_MAIN(TestSenderProfiles)
#include "tst_senderprofiles.moc"
