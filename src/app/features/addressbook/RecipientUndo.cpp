// Taking an entry into the recipient lines, and taking it back as one edit.
#include "features/addressbook/RecipientUndo.h"
#include "features/addressbook/AddressBookPart.h"
#include "records/AddressBook.h"

#include <QDateTime>

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace quillory::app {

RecipientUndo::RecipientUndo(const std::array<QLineEdit*, 5>& lines, QObject* parent)
    : QObject(parent), m_lines(lines)
{
    for (QLineEdit* line : m_lines) {
        if (!line)
            continue;
        line->installEventFilter(this);
        // Typed after the fill: the lines are the user's again, each with its own undo.
        connect(line, &QLineEdit::textEdited, this, [this] { m_armed = false; });
    }
}

void RecipientUndo::filled(const std::array<bool, 5>& changed)
{
    m_changed = changed;
    for (size_t i = 0; i < m_lines.size(); ++i)
        m_filled[i] = m_lines[i] ? m_lines[i]->text() : QString();
    m_armed = std::any_of(changed.begin(), changed.end(), [](bool c) { return c; });
}

bool RecipientUndo::stillFilled() const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i] && m_lines[i]->text() != m_filled[i])
            return false;
    return true;
}

bool RecipientUndo::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_armed || event->type() != QEvent::KeyPress ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo))
        return QObject::eventFilter(watched, event);
    m_armed = false;
    if (!stillFilled())
        return QObject::eventFilter(watched, event);
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_changed[i] && m_lines[i])
            m_lines[i]->undo();
    return true;
}

void AddressBookPart::takeEntry(const records::Entry& entry)
{
    m_filling = true;
    std::array<bool, 5> changed{};
    for (size_t i = 0; i < m_lines.size(); ++i) {
        QLineEdit* line = m_lines[i];
        if (!line || line->text() == entry.lines[i])
            continue;
        // Through the field's editing, not setText(), which would clear its undo.
        line->selectAll();
        line->insert(entry.lines[i]);
        line->setCursorPosition(0);
        changed[i] = true;
    }
    m_filling = false;
    m_undo->filled(changed);
    if (entry.id != 0)
        check(book().markUsed(entry.id, QDateTime::currentDateTime()));
}

} // namespace quillory::app
