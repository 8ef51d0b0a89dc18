#include "AboutBox.h"
#include "ErrorReport.h"
#include "FormBuilder.h"
#include "FormFixture.h"
#include "Startup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImageReader>
#include <QLineEdit>

#include <stdexcept>

using namespace Qt::StringLiterals;
using quillory::app::AboutBox;
using quillory::app::CommandError;
namespace ErrorReport = quillory::app::ErrorReport;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void fullStop_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << u"File not found"_s << u"File not found."_s;
        QTest::newRow("digit") << u"I/O error 5"_s << u"I/O error 5."_s;
        QTest::newRow("already a full stop") << u"Disk full."_s << u"Disk full."_s;
        QTest::newRow("exclamation mark sorts before") << u"Fehler!"_s << u"Fehler!"_s;
        QTest::newRow("comma sorts before") << u"Fehler,"_s << u"Fehler,"_s;
        QTest::newRow("question mark sorts after") << u"Fehler?"_s << u"Fehler?."_s;
        QTest::newRow("closing parenthesis sorts before") << u"(Fehler)"_s << u"(Fehler)"_s;
        QTest::newRow("umlaut") << u"Datei ungültig: Ä"_s << u"Datei ungültig: Ä."_s;
        QTest::newRow("empty") << QString() << QString();
    }

    void fullStop()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ErrorReport::finished(text), shown);
    }

    void aFailingHandlerIsReportedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("command error") << 0 << u"File access denied."_s;
        QTest::newRow("standard exception") << 1 << u"kaputt."_s;
        QTest::newRow("anything else") << 2 << u"Unbekannter Fehler."_s;
    }

    void aFailingHandlerIsReportedAndTheProgramGoesOn()
    {
        QFETCH(int, kind);
        QFETCH(QString, shown);
        FormFixture f;
        const bool ok = f.form->runGuarded([kind] {
            if (kind == 0)
                throw CommandError(u"File access denied"_s);
            if (kind == 1)
                throw std::runtime_error("kaputt");
            throw 42;
        });
        QVERIFY(!ok);
        QCOMPARE(f.prompts.errors, QStringList{shown});
        QVERIFY(f.form->runGuarded([] {}));
        QCOMPARE(f.prompts.errors.size(), 1);
    }

    void qtSpeaksGerman()
    {
        QVERIFY2(quillory::app::Startup::installGermanTranslations(*QCoreApplication::instance()),
                 "qtbase_de.qm missing: install qt6-translations-l10n");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Ja"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), u"&Nein"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    }

    void theAboutBoxShowsThisYearAndItsPicture_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("year");
        QTest::newRow("today") << QDate::currentDate()
                               << QString::number(QDate::currentDate().year());
        QTest::newRow("New Year's Eve") << QDate(2031, 12, 31) << u"2031"_s;
        QTest::newRow("a small year") << QDate(999, 6, 1) << u"0999"_s;
    }

    void theAboutBoxShowsThisYearAndItsPicture()
    {
        QFETCH(QDate, today);
        QFETCH(QString, year);
        QVERIFY(AboutBox::noticeTemplate().contains(u"XXXX"_s));
        AboutBox box(nullptr, today);
        QVERIFY(!box.notice().contains(u"XXXX"_s));
        QCOMPARE(box.notice(), QString(AboutBox::noticeTemplate()).replace(u"XXXX"_s, year));
        QCOMPARE(box.windowTitle(), u"Info"_s);
        QCOMPARE(box.size(), QSize(664, 453));
        QVERIFY2(box.hasPicture(), "the JPEG picture could not be decoded");
    }

    void thePictureIsAJpeg()
    {
        QImageReader reader(u":/quillory/about.jpg"_s);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(306, 322));
    }

    void positionsScaleWithTheScreen_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QRect>("field");
        QTest::newRow("96 dpi") << 1.0 << QRect(8, 32, 233, 21);
        QTest::newRow("120 dpi") << 1.25 << QRect(10, 40, 291, 26);
        QTest::newRow("144 dpi") << 1.5 << QRect(12, 48, 350, 32);
    }

    void positionsScaleWithTheScreen()
    {
        QFETCH(double, factor);
        QFETCH(QRect, field);
        QWidget parent;
        const quillory::app::FormBuilder builder{quillory::app::DesignScale(factor)};
        QCOMPARE(builder.textField(&parent, u"Edit1"_s, 8, 32, 233)->geometry(), field);
        QCOMPARE(builder.checkBox(&parent, u"x"_s, u"x"_s, 8, 32, 233)->height(),
                 quillory::app::DesignScale(factor).px(17));
    }

    void theWindowHasItsDesignSize()
    {
        FormFixture f;
        QCOMPARE(f.form->size(), QSize(870, 640));
        QCOMPARE(f.form->windowTitle(), f.title(u"unbenannt.bri"_s));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
