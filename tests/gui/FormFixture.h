#pragma once

#include "window/MainForm.h"
#include "widgets/MemoField.h"
#include "ScriptedPrompts.h"
#include "settings/ListStore.h"
#include "settings/MemorySettingsBackend.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/**
 * A main window answered by ScriptedPrompts, shown as at start-up. Its
 * per-user settings live in memory and its recovery folder is temporary, so
 * no test touches the user's own; a test of a second start passes the first
 * one's store and folder.
 */
struct FormFixture
{
    ScriptedPrompts prompts;
    quillory::settings::MemorySettingsBackend ownSettings;
    quillory::settings::MemoryListStore ownLists;
    QTemporaryDir ownRecoveryDir;
    std::unique_ptr<quillory::app::MainForm> form;

    explicit FormFixture(const QStringList& arguments = {},
                         quillory::settings::SettingsBackend* settings = nullptr,
                         const QString& recoveryFolder = QString(), bool show = true)
        : form(std::make_unique<quillory::app::MainForm>(arguments, &prompts))
    {
        form->setSettingsBackend(settings ? settings : &ownSettings);
        form->setListStore(&ownLists);
        form->setDataFolder(recoveryFolder.isEmpty() ? ownRecoveryDir.path() : recoveryFolder);
        if (show)
            this->show();
    }

    void show()
    {
        form->show();
        // FormShow runs just after the first showing.
        QCoreApplication::processEvents();
    }

    QString title(const QString& suffix) const
    {
        return quillory::app::MainForm::designCaption() + QStringLiteral(" - [") + suffix +
               QLatin1Char(']');
    }
};
