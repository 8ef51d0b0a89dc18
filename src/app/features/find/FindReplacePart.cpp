#include "features/find/FindReplacePart.h"

#include "window/TextFields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>

#include <utility>

namespace quillory::app {
namespace {

const QString kBody = QStringLiteral("body");

QString textOf(const QWidget* field)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field))
        return memo->toPlainText();
    return QString();
}

/** The field's selection as [start, end); both the caret without one. */
std::pair<qsizetype, qsizetype> selectionOf(const QWidget* field)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(field)) {
        if (edit->hasSelectedText())
            return {edit->selectionStart(), edit->selectionEnd()};
        return {edit->cursorPosition(), edit->cursorPosition()};
    }
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field)) {
        const QTextCursor cursor = memo->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
    return {0, 0};
}

/** Brings forward every tab the field lies on, however deep. */
void showTabOf(QWidget* field)
{
    for (QWidget* page = field; page; page = page->parentWidget()) {
        // A tab's page sits in the tab widget's stack.
        QWidget* stack = page->parentWidget();
        auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr);
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
}

QAction* entry(QObject* owner, const char* name, const QString& text, const QKeySequence& keys)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcut(keys);
    return action;
}

} // namespace

FindReplacePart::FindReplacePart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("FindReplacePart")), m_lastKey(kBody)
{
    window.addPart(this);
    buildDialog();
    // Only these keys: Ctrl+A, C, V, X and Z stay with the field that has focus.
    QAction* find =
        entry(this, "Suchen1", QStringLiteral("Suchen..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction* again =
        entry(this, "Weitersuchen1", QStringLiteral("Weitersuchen"), QKeySequence(Qt::Key_F3));
    QAction* back = entry(this, "Rueckwaertssuchen1", QStringLiteral("Rückwärts weitersuchen"),
                          QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QAction* replace =
        entry(this, "Ersetzen1", QStringLiteral("Ersetzen..."), QKeySequence(Qt::CTRL | Qt::Key_H));
    for (QAction* action : {find, again, back, replace}) {
        window.addMenuEntry(LetterWindow::MenuPlace::EditingEnd, action);
        // The keys work in the dialog as well, which is a window of its own.
        m_dialog->addAction(action);
    }
    connectGuarded(find, &QAction::triggered, [this] { openDialog(false); });
    connectGuarded(replace, &QAction::triggered, [this] { openDialog(true); });
    for (const auto& [action, backwards] : {std::pair{again, false}, std::pair{back, true}}) {
        connectGuarded(action, &QAction::triggered, [this, backwards = backwards] {
            if (m_pattern->text().isEmpty())
                openDialog(false);
            else
                findNext(backwards);
        });
    }
    // The dialog takes the focus: remember the field the user was in before.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const TextField& field : textFields())
            if (now && now->objectName() == QLatin1StringView(field.objectName) &&
                this->window().textField(QLatin1StringView(field.key)) == now)
                m_lastKey = QLatin1StringView(field.key);
    });
}

void FindReplacePart::buildDialog()
{
    m_dialog = new QDialog(window().widget());
    m_dialog->setObjectName(QStringLiteral("SuchenDialog"));
    auto* grid = new QGridLayout(m_dialog);
    m_pattern = new QLineEdit(m_dialog);
    m_pattern->setObjectName(QStringLiteral("SuchenEdit"));
    grid->addWidget(new QLabel(QStringLiteral("Suchen nach:"), m_dialog), 0, 0);
    grid->addWidget(m_pattern, 0, 1);
    m_replacement = new QLineEdit(m_dialog);
    m_replacement->setObjectName(QStringLiteral("ErsetzenEdit"));
    m_replacementLabel = new QLabel(QStringLiteral("Ersetzen durch:"), m_dialog);
    grid->addWidget(m_replacementLabel, 1, 0);
    grid->addWidget(m_replacement, 1, 1);
    const auto check = [this, grid](const char* name, const QString& text, int row) {
        auto* box = new QCheckBox(text, m_dialog);
        box->setObjectName(QLatin1StringView(name));
        grid->addWidget(box, row, 0, 1, 2);
        return box;
    };
    m_matchCase = check("GrossKleinCheck", QStringLiteral("Groß-/Kleinschreibung beachten"), 2);
    m_wholeWords = check("GanzeWoerterCheck", QStringLiteral("Nur ganze Wörter"), 3);
    m_allFields = check("AlleFelderCheck", QStringLiteral("In allen Feldern"), 4);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, m_dialog);
    const auto button = [this, buttons](const char* name, const QString& text) {
        QPushButton* pushButton = buttons->addButton(text, QDialogButtonBox::ActionRole);
        pushButton->setObjectName(QLatin1StringView(name));
        pushButton->setAutoDefault(false);
        return pushButton;
    };
    QPushButton* next = button("WeitersuchenButton", QStringLiteral("Weitersuchen"));
    next->setDefault(true);
    m_replaceButton = button("ErsetzenButton", QStringLiteral("Ersetzen"));
    m_replaceAllButton = button("AlleErsetzenButton", QStringLiteral("Alle ersetzen"));
    QPushButton* close = button("SchliessenButton", QStringLiteral("Schließen"));
    grid->addWidget(buttons, 0, 2, 5, 1);
    connectGuarded(next, &QPushButton::clicked, [this] { findNext(false); });
    connectGuarded(m_replaceButton, &QPushButton::clicked, [this] { replaceCurrent(); });
    connectGuarded(m_replaceAllButton, &QPushButton::clicked, [this] { replaceAll(); });
    connect(close, &QPushButton::clicked, m_dialog, &QDialog::close);
}

void FindReplacePart::openDialog(bool replacing)
{
    // A selection of one line is what the user most likely looks for.
    QWidget* field = window().textField(m_lastKey);
    const auto [start, end] = selectionOf(field);
    const QString selected = textOf(field).mid(start, end - start);
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')))
        m_pattern->setText(selected);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_replacementLabel), static_cast<QWidget*>(m_replacement),
          static_cast<QWidget*>(m_replaceButton), static_cast<QWidget*>(m_replaceAllButton)})
        widget->setVisible(replacing);
    m_dialog->setWindowTitle(replacing ? QStringLiteral("Suchen und Ersetzen")
                                       : QStringLiteral("Suchen"));
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_pattern->setFocus();
    m_pattern->selectAll();
}

TextSearch FindReplacePart::search() const
{
    return TextSearch(m_pattern->text(), {m_matchCase->isChecked(), m_wholeWords->isChecked()});
}

QStringList FindReplacePart::searchedKeys() const
{
    if (!m_allFields->isChecked())
        return {kBody};
    QStringList keys;
    for (const TextField& field : textFields())
        keys.append(QLatin1StringView(field.key));
    return keys;
}

bool FindReplacePart::findNext(bool backwards)
{
    const QStringList keys = searchedKeys();
    QStringList texts;
    for (const QString& key : keys)
        texts.append(textOf(window().textField(key)));
    const int current = std::max(int(keys.indexOf(m_lastKey)), 0);
    const auto [start, end] = selectionOf(window().textField(keys.at(current)));
    const std::optional<TextSearch::Hit> hit =
        search().next(texts, current, backwards ? start : end, backwards);
    if (!hit) {
        notFound();
        return false;
    }
    select(keys.at(hit->text), hit->start, hit->length);
    if (hit->wrapped)
        window().showStatus(backwards ? QStringLiteral("Suche am Ende fortgesetzt")
                                      : QStringLiteral("Suche am Anfang fortgesetzt"),
                            LetterWindow::kStatusNoteMs);
    else
        window().showStatus(QString());
    return true;
}

void FindReplacePart::select(const QString& key, qsizetype start, qsizetype length)
{
    QWidget* field = window().textField(key);
    m_lastKey = key;
    showTabOf(field);
    // Focus within the letter's window only: the dialog stays the active one.
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setSelection(int(start), int(length));
        return;
    }
    auto* memo = qobject_cast<QPlainTextEdit*>(field);
    QTextCursor cursor(memo->document());
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    memo->ensureCursorVisible();
}

void FindReplacePart::replaceCurrent()
{
    QWidget* field = window().textField(m_lastKey);
    const auto [start, end] = selectionOf(field);
    if (searchedKeys().contains(m_lastKey) && search().isMatch(textOf(field), start, end - start)) {
        // As typed: the field marks the letter modified and keeps an undo step.
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->insert(m_replacement->text());
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
            QTextCursor cursor = memo->textCursor();
            cursor.beginEditBlock();
            cursor.insertText(m_replacement->text());
            cursor.endEditBlock();
            memo->setTextCursor(cursor);
        }
    }
    findNext(false);
}

void FindReplacePart::replaceAll()
{
    const TextSearch searching = search();
    const QString replacement = m_replacement->text();
    qsizetype replaced = 0;
    for (const QString& key : searchedKeys()) {
        QWidget* field = window().textField(key);
        const QString text = textOf(field);
        const QList<qsizetype> starts = searching.matches(text);
        if (starts.isEmpty())
            continue;
        replaced += starts.size();
        // One undo step per field. setText() would empty a line edit's undo
        // history; insert() over everything keeps it and adds one step.
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
            edit->insert(searching.replaceAll(text, replacement));
            continue;
        }
        auto* memo = qobject_cast<QPlainTextEdit*>(field);
        QTextCursor cursor(memo->document());
        cursor.beginEditBlock();
        // From the end, so that the positions before each one still hold.
        for (auto at = starts.crbegin(); at != starts.crend(); ++at) {
            cursor.setPosition(int(*at));
            cursor.setPosition(int(*at + m_pattern->text().size()), QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
        }
        cursor.endEditBlock();
    }
    if (replaced == 0) {
        notFound();
        return;
    }
    window().showStatus(replaced == 1 ? QStringLiteral("1 Stelle ersetzt.")
                                      : QStringLiteral("%1 Stellen ersetzt.").arg(replaced),
                        LetterWindow::kStatusNoteMs);
}

void FindReplacePart::notFound()
{
    window().showStatus(QStringLiteral("„%1“ wurde nicht gefunden.").arg(m_pattern->text()),
                        LetterWindow::kStatusNoteMs);
}

} // namespace quillory::app
