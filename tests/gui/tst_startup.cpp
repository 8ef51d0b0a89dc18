#include "dialogs/AboutBox.h"
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"
#include "FormFixture.h"
#include "support/Startup.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include <stdexcept>

using namespace Qt::StringLiterals;
using quillory::app::AboutBox;
using quillory::app::CommandError;
namespace ErrorReport = quillory::app::ErrorReport;

namespace {

bool isControl(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QComboBox*>(w);
}

/** The labels, fields and buttons the user sees on a tab, not the parts they are made of. */
QList<QWidget*> controlsOf(QWidget* tab)
{
    QList<QWidget*> controls;
    for (QWidget* w : tab->findChildren<QWidget*>()) {
        if (w->isHidden() || !isControl(w))
            continue;
        bool part = false;
        for (QWidget* up = w->parentWidget(); up != tab && !part; up = up->parentWidget())
            part = isControl(up);
        if (!part)
            controls << w;
    }
    return controls;
}

/**
 * Runs one row of a test function again in a process whose screen has the
 * given logical resolution; the output when it fails.
 */
QString failureAtDpi(int dpi, const QString& function, const QString& tag)
{
    QTemporaryDir dir;
    QFile config(dir.filePath(u"screen.json"_s));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":1920,)"
                                    R"("height":1200,"logicalDpi":%1,"dpr":1}]})")
                         .arg(dpi)
                         .toUtf8()) < 0)
        return u"cannot write the screen configuration"_s;
    config.close();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen:configfile="_s + config.fileName());
    // Qt would otherwise turn the resolution into a device pixel ratio at 96 dpi.
    env.insert(u"QT_ENABLE_HIGHDPI_SCALING"_s, u"0"_s);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QCoreApplication::applicationFilePath(), {function + u':' + tag});
    if (!process.waitForFinished(120000))
        return u"the run at %1 dpi did not end"_s.arg(dpi);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return QString();
    return QString::fromLocal8Bit(process.readAll());
}

} // namespace

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

    void labelsStayInTheirColumnAndFilledFieldsShowTheirStart_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96 dpi") << 96;
        QTest::newRow("120 dpi") << 120;
    }

    void labelsStayInTheirColumnAndFilledFieldsShowTheirStart()
    {
        QFETCH(int, dpi);
        if (qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()) != dpi) {
            const QString failure =
                failureAtDpi(dpi, QString::fromLatin1(QTest::currentTestFunction()),
                             QString::fromLatin1(QTest::currentDataTag()));
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            return;
        }
        FormFixture f;
        QCOMPARE(quillory::app::DesignScale().px(96), dpi);
        for (int i = 0; i < f.form->PageControl1->count(); ++i) {
            QWidget* tab = f.form->PageControl1->widget(i);
            const QList<QWidget*> controls = controlsOf(tab);
            QVERIFY(controls.size() > 3);
            for (QWidget* w : controls) {
                auto* label = qobject_cast<QLabel*>(w);
                if (!label || label->text().isEmpty())
                    continue;
                const QRect area(label->mapTo(tab, QPoint(0, 0)), label->size());
                for (QWidget* other : controls) {
                    const QRect otherArea(other->mapTo(tab, QPoint(0, 0)), other->size());
                    QVERIFY2(other == w || !area.intersects(otherArea),
                             qPrintable(label->text() + u" runs into "_s + other->objectName() +
                                        u' ' +
                                        (qobject_cast<QLabel*>(other)
                                             ? qobject_cast<QLabel*>(other)->text()
                                             : QString())));
                }
            }
        }
        // The sender profiles came after the rest: clear of every other control, on the tab.
        QWidget* const senderTab = f.form->TabSheet2;
        f.form->PageControl1->setCurrentWidget(senderTab);
        QCoreApplication::processEvents();
        const QList<QWidget*> senderControls = controlsOf(senderTab);
        QList<QWidget*> profileControls;
        for (const QString& name :
             {u"AbsenderCombo"_s, u"AbsenderSpeichern"_s, u"AbsenderLoeschen"_s})
            profileControls << f.form->findChild<QWidget*>(name);
        for (QWidget* w : profileControls) {
            QVERIFY(senderControls.contains(w));
            QVERIFY2(senderTab->rect().contains(w->geometry()), qPrintable(w->objectName()));
            for (QWidget* other : senderControls)
                QVERIFY2(other == w || !w->geometry().intersects(other->geometry()),
                         qPrintable(w->objectName() + u" runs into "_s + other->objectName()));
        }
        // As the program fills them: at the start and after a restore or an opened letter.
        f.form->setLetter(f.form->letter());
        const QList<QLineEdit*> fields = {f.form->Edit7,  f.form->Edit8,  f.form->Edit9,
                                          f.form->Edit10, f.form->Edit11, f.form->Edit12,
                                          f.form->Edit14, f.form->Edit17, f.form->Edit18};
        for (QLineEdit* field : fields) {
            QVERIFY(!field->text().isEmpty());
            QVERIFY2(field->cursorPosition() == 0, qPrintable(field->objectName()));
        }
        auto letter = f.form->letter();
        letter.footer += u" · weiter"_s;
        f.form->setLetter(letter);
        QCOMPARE(f.form->Edit18->cursorPosition(), 0);
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
