#include "FormFixture.h"
#include "settings/SenderProfiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <list>

using namespace Qt::StringLiterals;
using quillory::app::MainForm;
using quillory::document::Letter;
using quillory::document::LetterFont;
using quillory::settings::SenderProfile;

namespace {

/** A sender whose every field and both fonts follow from who, so two senders differ in each. */
SenderProfile senderOf(const QString& who)
{
    SenderProfile p;
    p.senderName = who;
    p.senderExtra = who + u" Zusatz"_s;
    p.senderStreet = who + u"weg 1"_s;
    p.senderPostcode = QString::number(10000 + who.size());
    p.senderCity = who + u"stadt"_s;
    p.senderCountry = who + u"land"_s;
    p.senderPhone = u"0"_s + QString::number(who.size());
    p.senderFax = u"1"_s + QString::number(who.size());
    p.senderEmail = who + u"@example.org"_s;
    p.footer = u"Konto von "_s + who;
    p.letterFont = LetterFont::arial(-15);
    p.letterFont.setFace(who + u" Antiqua"_s);
    p.letterFont.setSize(9 + who.size());
    p.letterFont.setStyle(quint8(who.size() % 16));
    p.footerFont = LetterFont::arial(-11);
    p.footerFont.setFace(who + u" Grotesk"_s);
    p.footerFont.setColor(quint32(0x100 * who.size()));
    return p;
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QComboBox* profileCombo(MainForm& form)
{
    return form.findChild<QComboBox*>(u"AbsenderCombo"_s);
}

QPushButton* profileButton(MainForm& form, const QString& name)
{
    return form.findChild<QPushButton*>(name);
}

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    /**
     * script: "type:Who" puts sender(Who) into the window, "clean" marks the
     * letter saved, "save:Name" answers "Speichern als..." with Name ("/yes",
     * "/no" answer the question before replacing), "choose:Name" picks a
     * profile as the user does, "delete/yes" and "delete/no" press "Löschen",
     * "restart" opens a second window over the first one's store.
     */
    void profilesAreSavedChosenAndDeleted_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("shownSender");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QStringList>("questions");

        const QString askName = u"text: Name des Absenderprofils: [%1]"_s;
        const QString askReplace = u"confirm: Das Absenderprofil \"%1\" gibt es schon. Ersetzen?"_s;
        const QString askDelete = u"discard: Das Absenderprofil \"%1\" löschen?"_s;

        QTest::newRow("saving is no edit of the letter")
            << QStringList{u"type:Anna"_s, u"clean"_s, u"save:Privat"_s} << QStringList{u"Privat"_s}
            << u"Privat"_s << u"Anna"_s << false << QStringList{askName.arg(QString())};
        QTest::newRow("choosing one fills every field and both fonts, as an edit")
            << QStringList{u"type:Anna"_s,  u"save:Privat"_s, u"type:Bernhard"_s,
                           u"save:Firma"_s, u"clean"_s,       u"choose:Privat"_s}
            << QStringList{u"Privat"_s, u"Firma"_s} << u"Privat"_s << u"Anna"_s << true
            << QStringList{askName.arg(QString()), askName.arg(u"Privat"_s)};
        QTest::newRow("choosing the sender already shown is no edit")
            << QStringList{u"type:Anna"_s, u"save:Privat"_s, u"clean"_s, u"choose:Privat"_s}
            << QStringList{u"Privat"_s} << u"Privat"_s << u"Anna"_s << false
            << QStringList{askName.arg(QString())};
        QTest::newRow("an existing name asks first; Nein keeps the old one")
            << QStringList{u"type:Anna"_s, u"save:Privat"_s, u"type:Bernhard"_s,
                           u"save:privat/no"_s, u"choose:Privat"_s}
            << QStringList{u"Privat"_s} << u"Privat"_s << u"Anna"_s << true
            << QStringList{askName.arg(QString()), askName.arg(u"Privat"_s),
                           askReplace.arg(u"Privat"_s)};
        QTest::newRow("Ja replaces it in its place")
            << QStringList{u"type:Anna"_s,     u"save:Privat"_s,     u"save:Firma"_s,
                           u"type:Bernhard"_s, u"save:privat/yes"_s, u"type:Carl"_s,
                           u"choose:privat"_s}
            << QStringList{u"privat"_s, u"Firma"_s} << u"privat"_s << u"Bernhard"_s << true
            << QStringList{askName.arg(QString()), askName.arg(u"Privat"_s),
                           askName.arg(u"Firma"_s), askReplace.arg(u"Privat"_s)};
        QTest::newRow("a cancelled name saves nothing")
            << QStringList{u"type:Anna"_s, u"save:"_s} << QStringList{} << QString() << u"Anna"_s
            << true << QStringList{askName.arg(QString())};
        QTest::newRow("Löschen asks first; Ja deletes")
            << QStringList{u"type:Anna"_s, u"save:Privat"_s, u"save:Firma"_s, u"choose:Privat"_s,
                           u"delete/yes"_s}
            << QStringList{u"Firma"_s} << QString() << u"Anna"_s << true
            << QStringList{askName.arg(QString()), askName.arg(u"Privat"_s),
                           askDelete.arg(u"Privat"_s)};
        QTest::newRow("Löschen answered Nein keeps it")
            << QStringList{u"type:Anna"_s, u"save:Privat"_s, u"delete/no"_s}
            << QStringList{u"Privat"_s} << u"Privat"_s << u"Anna"_s << true
            << QStringList{askName.arg(QString()), askDelete.arg(u"Privat"_s)};
        QTest::newRow("profiles are there after a restart")
            << QStringList{u"type:Anna"_s,  u"save:Privat"_s, u"type:Bernhard"_s,
                           u"save:Firma"_s, u"restart"_s,     u"choose:Privat"_s}
            << QStringList{u"Privat"_s, u"Firma"_s} << u"Privat"_s << u"Anna"_s << true
            << QStringList{};
        QTest::newRow("a deleted profile stays deleted after a restart")
            << QStringList{u"type:Anna"_s,  u"save:Privat"_s, u"type:Bernhard"_s, u"save:Firma"_s,
                           u"delete/yes"_s, u"restart"_s,     u"choose:Privat"_s}
            << QStringList{u"Privat"_s} << u"Privat"_s << u"Anna"_s << true << QStringList{};
    }

    void profilesAreSavedChosenAndDeleted()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, names);
        QFETCH(QString, current);
        QFETCH(QString, shownSender);
        QFETCH(bool, modified);
        QFETCH(QStringList, questions);

        std::list<FormFixture> runs;
        runs.emplace_back();
        quillory::settings::MemoryListStore& store = runs.front().ownLists;
        FormFixture* f = &runs.back();
        f->form->Edit1->setText(u"Empfänger bleibt"_s);
        for (const QString& step : script) {
            const QString verb = step.section(QLatin1Char(':'), 0, 0);
            const QString arg = step.section(QLatin1Char(':'), 1);
            MainForm& form = *f->form;
            if (verb == u"type") {
                Letter l = form.letter();
                senderOf(arg).applyTo(l);
                form.setLetter(l);
            } else if (verb == u"clean") {
                form.SetUnChanged();
            } else if (verb == u"save") {
                f->prompts.textAnswers << arg.section(QLatin1Char('/'), 0, 0);
                f->prompts.confirmAnswers << arg.endsWith(u"/yes");
                profileButton(form, u"AbsenderSpeichern"_s)->click();
                f->prompts.confirmAnswers.clear();
            } else if (verb == u"choose") {
                const int index = profileCombo(form)->findText(arg);
                QVERIFY2(index >= 0, qPrintable(arg));
                profileCombo(form)->setCurrentIndex(index);
                emit profileCombo(form)->activated(index);
            } else if (verb == u"delete/yes" || verb == u"delete/no") {
                QVERIFY(profileButton(form, u"AbsenderLoeschen"_s)->isEnabled());
                f->prompts.discardAnswers << (verb == u"delete/yes");
                profileButton(form, u"AbsenderLoeschen"_s)->click();
            } else if (verb == u"restart") {
                runs.emplace_back(QStringList(), nullptr, QString(), false);
                f = &runs.back();
                f->form->setListStore(&store);
                f->show();
            } else {
                QFAIL(qPrintable(step));
            }
        }

        MainForm& form = *f->form;
        QCOMPARE(comboItems(profileCombo(form)), names);
        QCOMPARE(profileCombo(form)->currentText(), current);
        QCOMPARE(profileButton(form, u"AbsenderLoeschen"_s)->isEnabled(), !current.isEmpty());
        QCOMPARE(SenderProfile::of(form.letter()), senderOf(shownSender));
        QCOMPARE(form.isChanged(), modified);
        QCOMPARE(form.windowTitle().endsWith(u"*]"_s), modified);
        if (runs.size() == 1)
            QCOMPARE(form.Edit1->text(), u"Empfänger bleibt"_s);
        QStringList asked;
        for (const QString& line : f->prompts.log)
            if (!line.startsWith(u"font: "_s))
                asked << line;
        QCOMPARE(asked, questions);
        QVERIFY(f->prompts.errors.isEmpty());
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
