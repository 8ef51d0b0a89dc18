#include "FormFixture.h"
#include "records/AddressBook.h"
#include "support/SharedRecords.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

using namespace Qt::StringLiterals;
using quillory::records::AddressBook;
using quillory::records::Entry;

namespace {

AddressBook bookOf(FormFixture& f)
{
    return AddressBook(*quillory::app::SharedRecords::of(*f.form).database());
}

void addEntry(FormFixture& f, const QString& name, const QString& city,
              const QStringList& groups = {})
{
    Entry entry;
    entry.lines = {name, u"Einkauf"_s, u"Hauptstraße 1"_s, city, u""_s};
    entry.groups = groups;
    QVERIFY(bookOf(f).add(entry));
}

QLineEdit* line(FormFixture& f, int number)
{
    return f.form->findChild<QLineEdit*>(u"Edit%1"_s.arg(number));
}

/** Types text into edit key by key; QTest's keyClicks takes ASCII only. */
void type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void trigger(FormFixture& f, const QString& action)
{
    f.form->findChild<QAction*>(action)->trigger();
}

/** Answers the next mapping dialog: notes the columns preselected, sets those in set, accepts. */
void answerMapping(FormFixture& f, QStringList& seen, const QStringList& set)
{
    QTimer::singleShot(0, f.form.get(), [&f, &seen, set] {
        auto* dialog = f.form->findChild<QDialog*>(u"AdressSpalten"_s);
        QVERIFY(dialog);
        for (const QString& field : {u"Nachname"_s, u"Ort"_s}) {
            auto* combo = dialog->findChild<QComboBox*>(u"Spalte"_s + field);
            seen << combo->currentText();
            if (!set.isEmpty())
                combo->setCurrentText(set[seen.size() - 1]);
        }
        dialog->accept();
    });
}

} // namespace

class TestAddressBook : public QObject
{
    Q_OBJECT

private slots:
    void completionFillsTheRecipientAsAnUndoableEdit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("start of the surname") << u"mül"_s << u"Hans Müller"_s;
        QTest::newRow("without the accent") << u"muller"_s << u"Hans Müller"_s;
        QTest::newRow("a word of the city") << u"ham"_s << u"Eva Möller"_s;
    }

    void completionFillsTheRecipientAsAnUndoableEdit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        FormFixture f;
        addEntry(f, u"Hans Müller"_s, u"10115 Berlin"_s);
        addEntry(f, u"Eva Möller"_s, u"20095 Hamburg"_s);
        line(f, 3)->setText(u"Alte Gasse 2"_s);
        QLineEdit* first = line(f, 1);
        type(first, typed);
        QStringList before;
        for (int i = 1; i <= 5; ++i)
            before << line(f, i)->text();

        auto* completer = f.form->findChild<QCompleter*>(u"AdressVervollstaendigung"_s);
        QAbstractItemView* popup = completer->popup();
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        popup->setCurrentIndex(popup->model()->index(0, 0));
        QTest::keyClick(popup, Qt::Key_Return);

        const QStringList filled{name, u"Einkauf"_s, u"Hauptstraße 1"_s,
                                 name.contains(u"Eva") ? u"20095 Hamburg"_s : u"10115 Berlin"_s,
                                 u""_s};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(line(f, i + 1)->text(), filled[i]);
        QVERIFY(bookOf(f).complete(typed, 1).front().lastUsed.isValid());
        // One Ctrl+Z, in any of the lines, takes back the whole fill.
        QTest::keyClick(line(f, 3), Qt::Key_Z, Qt::ControlModifier);
        QStringList after;
        for (int i = 1; i <= 5; ++i)
            after << line(f, i)->text();
        QCOMPARE(after, before);
        QCOMPARE(first->text(), typed);
        QCOMPARE(line(f, 3)->text(), u"Alte Gasse 2"_s);
    }

    void storingTheRecipientUpdatesTheSameOne_data()
    {
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("entries");
        QTest::newRow("another extra line: the same entry") << 2 << 1;
        QTest::newRow("another street: another entry") << 3 << 2;
    }

    void storingTheRecipientUpdatesTheSameOne()
    {
        QFETCH(int, changed);
        QFETCH(int, entries);
        FormFixture f;
        for (int i = 1; i <= 4; ++i)
            line(f, i)->setText(u"Zeile %1"_s.arg(i));
        trigger(f, u"EmpfaengerInsAdressbuch1"_s);
        QCOMPARE(f.form->statusBar()->currentMessage(), u"Empfänger ins Adressbuch übernommen"_s);
        line(f, changed)->setText(u"Neu"_s);
        trigger(f, u"EmpfaengerInsAdressbuch1"_s);
        AddressBook book = bookOf(f);
        QCOMPARE(book.count(), entries);
        const std::vector<Entry> stored = book.list();
        QVERIFY(std::ranges::any_of(stored, [changed](const Entry& entry) {
            return entry.lines[static_cast<size_t>(changed - 1)] == u"Neu"_s;
        }));
        QVERIFY(f.prompts.errors.isEmpty());
    }

    void theDialogSearchesFiltersAndDeletes_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("search, delete") << u"mül"_s << 0 << QStringList{u"Hans Müller"_s} << true;
        QTest::newRow("search, keep")
            << u"münchen"_s << 0 << QStringList{u"Ute Schmidt"_s} << false;
        QTest::newRow("group") << u""_s << 1 << QStringList{u"Eva Möller"_s, u"Ute Schmidt"_s}
                               << true;
    }

    void theDialogSearchesFiltersAndDeletes()
    {
        QFETCH(QString, search);
        QFETCH(int, group);
        QFETCH(QStringList, shown);
        QFETCH(bool, confirm);
        FormFixture f;
        addEntry(f, u"Hans Müller"_s, u"10115 Berlin"_s);
        addEntry(f, u"Eva Möller"_s, u"20095 Hamburg"_s, {u"Kunden"_s});
        addEntry(f, u"Ute Schmidt"_s, u"80331 München"_s, {u"Kunden"_s});
        trigger(f, u"Adressbuch1"_s);
        auto* dialog = f.form->findChild<QDialog*>(u"AdressbuchDialog"_s);
        QVERIFY(dialog->isVisible());
        dialog->findChild<QLineEdit*>(u"AdressSuche"_s)->setText(search);
        dialog->findChild<QComboBox*>(u"AdressGruppe"_s)->setCurrentIndex(group);
        auto* list = dialog->findChild<QTreeWidget*>(u"AdressListe"_s);
        QStringList names;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            names << list->topLevelItem(i)->text(0);
        QCOMPARE(names, shown);

        f.prompts.discardAnswers = {confirm};
        dialog->findChild<QPushButton*>(u"AdresseLoeschen"_s)->click();
        QCOMPARE(bookOf(f).count(), confirm ? 2 : 3);
        QCOMPARE(list->topLevelItemCount(), shown.size() - (confirm ? 1 : 0));
    }

    void exportedAddressesImportAgain_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("table") << u"adressen.csv"_s;
        QTest::newRow("vCard") << u"adressen.vcf"_s;
    }

    void exportedAddressesImportAgain()
    {
        QFETCH(QString, file);
        FormFixture f;
        addEntry(f, u"Hans Müller"_s, u"10115 Berlin"_s, {u"Kunden"_s});
        trigger(f, u"Adressbuch1"_s);
        auto* dialog = f.form->findChild<QDialog*>(u"AdressbuchDialog"_s);
        const QString path = f.form->dataFolder() + u'/' + file;
        // Neither the book's own file is written over, nor is a failure taken for success.
        f.prompts.exportNames = {f.form->dataFolder() + u"/quillory.sqlite"_s, path};
        dialog->findChild<QPushButton*>(u"AdressenExportieren"_s)->click();
        QCOMPARE(f.prompts.errors.size(), 1);
        dialog->findChild<QPushButton*>(u"AdressenExportieren"_s)->click();
        QVERIFY(QFile::exists(path));

        FormFixture other;
        addEntry(other, u"Hans Müller"_s, u"10115 Berlin"_s);
        other.prompts.addressNames = {path};
        trigger(other, u"Adressbuch1"_s);
        other.form->findChild<QPushButton*>(u"AdressenImportieren"_s)->click();
        const std::vector<Entry> entries = bookOf(other).list();
        QCOMPARE(entries.size(), 1u);
        QCOMPARE(entries.front().groups, QStringList{u"Kunden"_s});
        QCOMPARE(other.form->statusBar()->currentMessage(),
                 u"0 Einträge hinzugefügt, 1 zusammengeführt"_s);
    }

    void aTablesColumnsAreMappedAndRemembered_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("two unknown columns")
            << QByteArray("Familienname;Wohnort") << u"Nachname=Familienname,Ort=Wohnort"_s;
        QTest::newRow("one known, one unknown")
            << QByteArray("Vorname;Familienname;Wohnort;Telefon")
            << u"Nachname=Familienname,Ort=Wohnort"_s;
    }

    void aTablesColumnsAreMappedAndRemembered()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, remembered);
        FormFixture f;
        trigger(f, u"Adressbuch1"_s);
        const QString path = f.form->dataFolder() + u"/fremd.csv"_s;
        QStringList seen;
        for (const QByteArray& name : {QByteArray("Meyer"), QByteArray("Kuhn")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            const QByteArray row =
                header.count(';') == 1 ? name + ";Bonn" : "Eva;" + name + ";Bonn;0";
            file.write(header + "\n" + row + "\n");
            file.close();
            f.prompts.addressNames = {path};
            answerMapping(f, seen,
                          seen.isEmpty() ? QStringList{u"Familienname"_s, u"Wohnort"_s}
                                         : QStringList{});
            f.form->findChild<QPushButton*>(u"AdressenImportieren"_s)->click();
            QVERIFY(!bookOf(f).complete(QString::fromUtf8(name), 1).empty());
            QCOMPARE(bookOf(f).complete(QString::fromUtf8(name), 1).front().surname,
                     QString::fromUtf8(name));
        }
        // The first time nothing was chosen; the second the remembered columns were.
        QCOMPARE(seen, (QStringList{u"(keine)"_s, u"(keine)"_s, u"Familienname"_s, u"Wohnort"_s}));
        QCOMPARE(f.ownSettings.readIn(u"Adressbuch"_s, u"Spaltenzuordnung"_s).text, remembered);
        QVERIFY(f.prompts.errors.isEmpty());
    }

    void startingLeavesTheDatabaseAlone_data()
    {
        QTest::addColumn<QByteArray>("before"); // the file's bytes before start; empty: none
        QTest::newRow("no database yet") << QByteArray();
        QTest::newRow("a damaged one") << QByteArray("kein SQLite, nur Text\n").repeated(200);
    }

    void startingLeavesTheDatabaseAlone()
    {
        QFETCH(QByteArray, before);
        FormFixture f({}, nullptr, QString(), false);
        const QString file = f.form->dataFolder() + u"/quillory.sqlite"_s;
        if (!before.isEmpty()) {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(before) == before.size());
        }
        f.show();
        QCOMPARE(QFile::exists(file), !before.isEmpty());
        QVERIFY(f.prompts.log.isEmpty());
        // The first key opens it; a damaged file is set aside, said once, and a new one serves.
        type(line(f, 1), u"m"_s);
        QVERIFY(QFile::exists(file));
        QCOMPARE(QFile::exists(file + u".damaged"_s), !before.isEmpty());
        QCOMPARE(f.prompts.infos.size(), before.isEmpty() ? 0 : 1);
        addEntry(f, u"Hans Müller"_s, u"10115 Berlin"_s);
        type(line(f, 1), u"ü"_s);
        QCOMPARE(f.prompts.infos.size(), before.isEmpty() ? 0 : 1);
        QVERIFY(f.prompts.errors.isEmpty());
    }
};

QTEST_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
