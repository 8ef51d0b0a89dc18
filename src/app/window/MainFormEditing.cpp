#include "support/FontChoice.h"
#include "widgets/MemoField.h"
#include "window/MainForm.h"
#include "window/WindowEvents.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

// The menu "Bearbeiten des Haupttextes" always works on the body text, not on
// whatever field has the focus, and the two font buttons choose the fonts the
// pages are drawn with; the body text's own display font never changes.

namespace quillory::app {
namespace {

/** Hands every key press of a widget to a handler and lets the widget have it too. */
class KeyDownFilter : public QObject
{
public:
    KeyDownFilter(QObject* parent, std::function<void(QKeyEvent&)> handler)
        : QObject(parent), m_handler(std::move(handler))
    {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            m_handler(*static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QKeyEvent&)> m_handler;
};

} // namespace

void MainForm::connectEditing()
{
    // The items' states are worked out as the menu opens, not kept up to date.
    bind(Bearbeiten1, &QMenu::aboutToShow, &MainForm::Bearbeiten1Click);
    bind(Rckgngig1, &QAction::triggered, &MainForm::Rckgngig1Click);
    bind(Kopieren1, &QAction::triggered, &MainForm::Kopieren1Click);
    bind(Kopieren2, &QAction::triggered, &MainForm::Kopieren2Click);
    bind(Einfgen1, &QAction::triggered, &MainForm::Einfgen1Click);
    bind(BitBtnXP1, &QPushButton::clicked, &MainForm::BitBtnXP1Click);
    bind(BitBtnXP2, &QPushButton::clicked, &MainForm::BitBtnXP2Click);

    Memo1->installEventFilter(new KeyDownFilter(Memo1, [this](QKeyEvent& event) {
        runGuarded([this, &event] {
            int key = event.key();
            Memo1KeyDown(key, event.modifiers());
        });
    }));
}

void MainForm::Bearbeiten1Click()
{
    Rckgngig1->setEnabled(Memo1->document()->isUndoAvailable());
    const bool selection = Memo1->textCursor().hasSelection();
    Kopieren1->setEnabled(selection);
    Kopieren2->setEnabled(selection);
}

void MainForm::Rckgngig1Click()
{
    Memo1->undo();
}

void MainForm::Kopieren1Click()
{
    Memo1->cut();
}

void MainForm::Kopieren2Click()
{
    Memo1->copy();
}

void MainForm::Einfgen1Click()
{
    Memo1->paste();
}

void MainForm::Memo1KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    // Shift or Alt held as well do not matter, and the key is not consumed.
    if ((Shift & Qt::ControlModifier) && Key == Qt::Key_A)
        Memo1->selectAll();
}

void MainForm::BitBtnXP1Click()
{
    SetChanged();
    chooseFont(m_letterFont, QStringLiteral("Schriftart"));
}

void MainForm::BitBtnXP2Click()
{
    SetChanged();
    chooseFont(m_footerFont, QStringLiteral("Schriftart für Fußzeile"));
}

void MainForm::chooseFont(document::LetterFont& font, const QString& title)
{
    // The letter counts as modified before the dialog opens, so a cancel
    // does not take the mark back.
    if (const std::optional<FontChoice> chosen =
            m_prompts->chooseFont(title, FontChoice::from(font)))
        chosen->applyTo(font);
    // The fonts have no notification of their own.
    m_events->letterEdited();
}

} // namespace quillory::app
