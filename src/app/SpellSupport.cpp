#include "SpellSupport.h"

#include "ErrorReport.h"
#include "spell/Dictionaries.h"
#include "spell/HunspellChecker.h"
#include "spell/UnknownWords.h"
#include "spell/WordTokenizer.h"
#include "SpellHighlighter.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QThread>

namespace quillory::app {
namespace {

constexpr int kMaxSuggestions = 5;

} // namespace

SpellSupport::SpellSupport(QPlainTextEdit* editor, Guard guard, QObject* parent)
    : QObject(parent), m_editor(editor), m_guard(std::move(guard)),
      m_highlighter(new SpellHighlighter(editor->document()))
{
    m_userWords.load();
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_guard([this, pos] {
            const std::unique_ptr<QMenu> menu(createContextMenu(pos));
            menu->exec(m_editor->viewport()->mapToGlobal(pos));
        });
    });
}

SpellSupport::~SpellSupport()
{
    if (m_loader)
        m_loader->wait();
}

void SpellSupport::loadDictionaryLater()
{
    if (m_checker || m_loader)
        return;
    // The folders are found here: QCoreApplication is the main thread's.
    const QStringList folders = spell::dictionaryFolders();
    auto loaded = std::make_shared<std::unique_ptr<spell::SpellChecker>>();
    m_loader = QThread::create([folders, loaded] {
        if (const auto dictionary = spell::chooseDictionary(spell::findGermanDictionaries(folders)))
            *loaded = spell::HunspellChecker::open(*dictionary, nullptr);
    });
    connect(m_loader, &QThread::finished, this, [this, loaded] {
        m_loader->deleteLater();
        m_loader = nullptr;
        if (*loaded && !m_checker)
            setChecker(std::move(*loaded));
    });
    m_loader->start(QThread::LowPriority);
}

void SpellSupport::setChecker(std::unique_ptr<spell::SpellChecker> checker)
{
    m_checker = std::move(checker);
    if (m_checker)
        m_userWords.applyTo(*m_checker);
    m_highlighter->setChecker(m_checker.get());
    if (m_checker)
        emit checkerReady();
}

void SpellSupport::setUserWordList(const QString& path)
{
    m_userWords = spell::UserWordList(path);
    m_userWords.load();
    if (m_checker)
        m_userWords.applyTo(*m_checker);
}

QMenu* SpellSupport::createContextMenu(const QPoint& pos)
{
    QMenu* menu = m_editor->createStandardContextMenu(pos);
    if (!m_checker)
        return menu;
    const QTextCursor at = m_editor->cursorForPosition(pos);
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int offset = at.positionInBlock();
    for (const spell::WordSpan& span : spell::checkableWords(text)) {
        if (offset < span.start || offset > span.start + span.length)
            continue;
        const QString word = text.mid(span.start, span.length);
        if (m_highlighter->isIgnored(word) || spell::isKnownWord(*m_checker, text, span))
            break;
        QAction* first = menu->actions().value(0);
        const int start = block.position() + int(span.start);
        const int end = start + int(span.length);
        for (const QString& suggestion : m_checker->suggestions(word, kMaxSuggestions)) {
            QAction* action = new QAction(suggestion, menu);
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            connect(action, &QAction::triggered, this, [this, start, end, suggestion] {
                m_guard([this, start, end, suggestion] {
                    // One edit block, so one undo step; the editor's change
                    // signal marks the letter modified as for any typing.
                    QTextCursor cursor(m_editor->document());
                    cursor.beginEditBlock();
                    cursor.setPosition(start);
                    cursor.setPosition(end, QTextCursor::KeepAnchor);
                    cursor.insertText(suggestion);
                    cursor.endEditBlock();
                });
            });
            menu->insertAction(first, action);
        }
        QAction* ignore = new QAction(QStringLiteral("Ignorieren"), menu);
        connect(ignore, &QAction::triggered, this,
                [this, word] { m_guard([this, word] { m_highlighter->ignore(word); }); });
        QAction* add = new QAction(QStringLiteral("Zum Wörterbuch hinzufügen"), menu);
        connect(add, &QAction::triggered, this, [this, word] {
            m_guard([this, word] {
                QString problem;
                if (!m_userWords.add(word, &problem))
                    throw CommandError(QStringLiteral("Das Wörterbuch %1 kann nicht gespeichert "
                                                      "werden: %2")
                                           .arg(m_userWords.path(), problem));
                m_checker->addWord(word);
                m_highlighter->recheckWord(word);
            });
        });
        menu->insertAction(first, ignore);
        menu->insertAction(first, add);
        menu->insertSeparator(first);
        break;
    }
    return menu;
}

} // namespace quillory::app
