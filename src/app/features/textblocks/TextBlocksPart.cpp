#include "features/textblocks/TextBlocksPart.h"

#include "features/textblocks/TextBlocksDialog.h"
#include "support/ErrorReport.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>
#include <QWidgetAction>

namespace quillory::app {
namespace {

const QString kFolderName = QStringLiteral("Textbausteine");

QAction* entry(QObject* owner, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1StringView(name));
    return action;
}

/** A name to offer for text: its first line, as far as it makes a file name. */
QString suggestedName(const QString& text)
{
    QString name = text.section(QLatin1Char('\n'), 0, 0).left(40).trimmed();
    return document::TextBlockFolder::isValidName(name) ? name : QString();
}

} // namespace

TextBlocksPart::TextBlocksPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("TextBlocks"))
{
    window.addPart(this);
    m_body = qobject_cast<QPlainTextEdit*>(window.textField(QStringLiteral("body")));

    m_menu = new QMenu(QStringLiteral("Textbaustein einfügen"), window.widget());
    m_menu->setObjectName(QStringLiteral("TextbausteinEinfuegen1"));
    m_saveSelection = entry(this, "TextbausteinSpeichern1",
                            QStringLiteral("Auswahl als Textbaustein speichern..."));
    m_saveSelection->setEnabled(false);
    QAction* manage =
        entry(this, "TextbausteineVerwalten1", QStringLiteral("Textbausteine verwalten..."));
    auto* apart = new QAction(this);
    apart->setSeparator(true);
    for (QAction* action : {apart, m_menu->menuAction(), m_saveSelection, manage})
        window.addMenuEntry(LetterWindow::MenuPlace::EditingEnd, action);

    connectGuarded(m_menu, &QMenu::aboutToShow, [this] { fillMenu(); });
    connectGuarded(m_saveSelection, &QAction::triggered, [this] { saveSelection(); });
    connectGuarded(manage, &QAction::triggered, [this] { openManager(); });
    if (m_body)
        connect(m_body, &QPlainTextEdit::selectionChanged, this,
                [this] { m_saveSelection->setEnabled(m_body->textCursor().hasSelection()); });
}

document::TextBlockFolder TextBlocksPart::folder() const
{
    return document::TextBlockFolder(QDir(window().dataFolder()).filePath(kFolderName));
}

void TextBlocksPart::fillMenu()
{
    m_menu->clear();
    const QStringList names = folder().names();
    if (names.isEmpty()) {
        m_menu->addAction(QStringLiteral("(keine Textbausteine)"))->setEnabled(false);
        return;
    }
    if (names.size() > kFilterFrom) {
        auto* filter = new QLineEdit(m_menu);
        filter->setObjectName(QStringLiteral("TextbausteinFilter"));
        filter->setPlaceholderText(QStringLiteral("Suchen..."));
        filter->setClearButtonEnabled(true);
        auto* field = new QWidgetAction(m_menu);
        field->setDefaultWidget(filter);
        m_menu->addAction(field);
        m_menu->addSeparator();
        connect(filter, &QLineEdit::textChanged, this, &TextBlocksPart::filterMenu);
        // Once the menu is up, typing goes into the field straight away.
        QTimer::singleShot(0, filter, [filter] { filter->setFocus(); });
        // Enter takes the first block left, as a click on it would.
        connect(filter, &QLineEdit::returnPressed, m_menu, [this] {
            for (QAction* action : m_menu->actions())
                if (action->isVisible() && !action->data().isNull()) {
                    m_menu->close();
                    action->trigger();
                    return;
                }
        });
    }
    for (const QString& name : names) {
        // An ampersand in a name is shown, not taken for a shortcut.
        QString text = name;
        QAction* action = m_menu->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setData(name);
        connectGuarded(action, &QAction::triggered, [this, name] { insertBlock(name); });
    }
}

void TextBlocksPart::filterMenu(const QString& text)
{
    for (QAction* action : m_menu->actions())
        if (!action->data().isNull())
            action->setVisible(action->data().toString().contains(text, Qt::CaseInsensitive));
}

QPlainTextEdit* TextBlocksPart::target() const
{
    // The window's own focus stays where it was while its menu (and a
    // filter field in it) has the keyboard.
    auto* focused = qobject_cast<QPlainTextEdit*>(window().widget()->focusWidget());
    return focused && !focused->isReadOnly() ? focused : m_body;
}

void TextBlocksPart::insertBlock(const QString& name)
{
    QString error;
    const std::optional<QString> text = folder().read(name, error);
    if (!text)
        throw CommandError(error);
    QPlainTextEdit* field = target();
    if (!field)
        return;
    QTextCursor cursor = field->textCursor();
    // One step for undo, however many lines, and not merged with what was typed before.
    cursor.beginEditBlock();
    cursor.insertText(*text);
    cursor.endEditBlock();
    field->setTextCursor(cursor);
    field->setFocus();
}

void TextBlocksPart::saveSelection()
{
    if (!m_body || !m_body->textCursor().hasSelection())
        return;
    // The fragment gives line breaks as LF, where selectedText() has U+2029.
    const QString text = m_body->textCursor().selection().toPlainText();
    Prompts& prompts = window().prompts();
    const QString name =
        prompts
            .askText(QStringLiteral("Textbaustein speichern"),
                     QStringLiteral("Name des Textbausteins:"), suggestedName(text))
            .trimmed();
    if (name.isEmpty())
        return;
    const document::TextBlockFolder blocks = folder();
    if (blocks.contains(name) &&
        !prompts.confirmSave(
            QStringLiteral("Den Textbaustein „%1“ gibt es schon. Ersetzen?").arg(name)))
        return;
    if (const QString error = blocks.save(name, text); !error.isEmpty())
        throw CommandError(error);
    window().showStatus(QStringLiteral("Textbaustein „%1“ gespeichert").arg(name),
                        LetterWindow::kStatusNoteMs);
}

void TextBlocksPart::openManager()
{
    if (!m_dialog) {
        m_dialog = new TextBlocksDialog(window().widget());
        connectGuarded(m_dialog.data(), &TextBlocksDialog::renameBlock,
                       [this](const QString& name) { renameBlock(name); });
        connectGuarded(m_dialog.data(), &TextBlocksDialog::deleteBlock,
                       [this](const QString& name) { deleteBlock(name); });
        connectGuarded(m_dialog.data(), &TextBlocksDialog::openFolder, [this] { openFolder(); });
    }
    showBlocks(QString());
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void TextBlocksPart::showBlocks(const QString& current)
{
    if (m_dialog)
        m_dialog->showNames(folder().names(), current);
}

void TextBlocksPart::renameBlock(const QString& name)
{
    if (name.isEmpty())
        return;
    const QString to =
        window()
            .prompts()
            .askText(QStringLiteral("Textbaustein umbenennen"), QStringLiteral("Neuer Name:"), name)
            .trimmed();
    if (to.isEmpty() || to == name)
        return;
    const QString error = folder().rename(name, to);
    showBlocks(error.isEmpty() ? to : name);
    if (!error.isEmpty())
        throw CommandError(error);
}

void TextBlocksPart::deleteBlock(const QString& name)
{
    if (name.isEmpty() || !window().prompts().confirmDiscard(
                              QStringLiteral("Den Textbaustein „%1“ löschen?").arg(name)))
        return;
    const QString error = folder().remove(name);
    showBlocks(QString());
    if (!error.isEmpty())
        throw CommandError(error);
}

void TextBlocksPart::openFolder()
{
    // Made if need be, so that blocks can be put there from elsewhere.
    const QString path = folder().folder();
    if (!QDir().mkpath(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw CommandError(QStringLiteral("Der Ordner „%1“ kann nicht geöffnet werden")
                               .arg(QDir::toNativeSeparators(path)));
}

} // namespace quillory::app
