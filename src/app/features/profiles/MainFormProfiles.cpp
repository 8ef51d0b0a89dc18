// "Absender:" on the tab "Ihre Daten": named sender profiles kept per user.
// Choosing one is an edit of the letter like typing the same fields; saving
// or deleting one changes only the user's settings, never the letter.
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"
#include "window/MainForm.h"
#include "settings/SenderProfiles.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace quillory::app {

void MainForm::buildSenderProfiles(FormBuilder& b)
{
    const DesignScale& scale = b.scale();
    QLabel* caption = b.labelAbove(TabSheet2, QStringLiteral("Absender:"), 8, 408);
    caption->setObjectName(QStringLiteral("AbsenderLabel"));

    AbsenderCombo = new QComboBox(TabSheet2);
    AbsenderCombo->setObjectName(QStringLiteral("AbsenderCombo"));
    AbsenderCombo->setGeometry(scale.rect(8, 408, 233, FormBuilder::kFieldHeight));
    AbsenderCombo->setPlaceholderText(QStringLiteral("(keines gewählt)"));
    caption->setBuddy(AbsenderCombo);

    // Side by side under the list; a wider caption at a larger screen font
    // pushes the second one right rather than under the first.
    const auto button = [&](const QString& name, const QString& text, int left) {
        auto* pushButton = new QPushButton(text, TabSheet2);
        pushButton->setObjectName(name);
        pushButton->setGeometry(scale.rect(left, 436, 113, FormBuilder::kButtonHeight));
        pushButton->resize(std::max(pushButton->width(), pushButton->sizeHint().width()),
                           pushButton->height());
        return pushButton;
    };
    AbsenderSpeichern =
        button(QStringLiteral("AbsenderSpeichern"), QStringLiteral("Speichern als..."), 8);
    AbsenderLoeschen = button(QStringLiteral("AbsenderLoeschen"), QStringLiteral("Löschen"), 128);
    AbsenderLoeschen->move(
        std::max(AbsenderLoeschen->x(), AbsenderSpeichern->geometry().right() + 1 + scale.px(7)),
        AbsenderLoeschen->y());
    AbsenderLoeschen->setEnabled(false);
}

void MainForm::connectSenderProfiles()
{
    // Only the user's choice fills the fields, not a refill of the list.
    connect(AbsenderCombo, &QComboBox::activated, this,
            [this] { runGuarded([this] { AbsenderComboSelect(); }); });
    connect(AbsenderCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { AbsenderLoeschen->setEnabled(index >= 0); });
    connect(AbsenderSpeichern, &QPushButton::clicked, this,
            [this] { runGuarded([this] { AbsenderSpeichernClick(); }); });
    connect(AbsenderLoeschen, &QPushButton::clicked, this,
            [this] { runGuarded([this] { AbsenderLoeschenClick(); }); });
}

settings::SenderProfiles& MainForm::senderProfiles()
{
    if (!m_senderProfiles)
        m_senderProfiles = std::make_unique<settings::SenderProfiles>(listStore());
    return *m_senderProfiles;
}

void MainForm::fillSenderProfiles(const QString& current)
{
    AbsenderCombo->clear();
    AbsenderCombo->addItems(senderProfiles().names());
    AbsenderCombo->setCurrentIndex(current.isEmpty() ? -1 : AbsenderCombo->findText(current));
}

void MainForm::AbsenderComboSelect()
{
    const std::optional<settings::SenderProfile> profile =
        senderProfiles().profile(AbsenderCombo->currentText());
    if (!profile)
        return;
    const document::Letter before = letter();
    document::Letter chosen = before;
    profile->applyTo(chosen);
    setLetter(chosen);
    // The text fields mark the letter themselves; the fonts have no signal.
    if (letter() != before)
        SetChanged();
}

void MainForm::AbsenderSpeichernClick()
{
    const QString name = m_prompts->askText(QStringLiteral("Absender speichern"),
                                            QStringLiteral("Name des Absenderprofils:"),
                                            AbsenderCombo->currentText());
    if (name.trimmed().isEmpty())
        return;
    const QString existing = senderProfiles().find(name);
    if (!existing.isEmpty() &&
        !m_prompts->confirmSave(
            QStringLiteral("Das Absenderprofil \"%1\" gibt es schon. Ersetzen?").arg(existing)))
        return;
    const bool stored = senderProfiles().save(name, settings::SenderProfile::of(letter()));
    fillSenderProfiles(name.trimmed());
    if (!stored)
        throw CommandError(QStringLiteral("Das Absenderprofil konnte nicht gespeichert werden"));
}

void MainForm::AbsenderLoeschenClick()
{
    const QString name = AbsenderCombo->currentText();
    if (senderProfiles().find(name).isEmpty() ||
        !m_prompts->confirmDiscard(QStringLiteral("Das Absenderprofil \"%1\" löschen?").arg(name)))
        return;
    const bool stored = senderProfiles().remove(name);
    fillSenderProfiles(QString());
    if (!stored)
        throw CommandError(QStringLiteral("Das Absenderprofil konnte nicht gelöscht werden"));
}

} // namespace quillory::app
