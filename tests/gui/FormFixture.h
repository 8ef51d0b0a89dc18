#pragma once

#include "MainForm.h"
#include "MemoField.h"
#include "ScriptedPrompts.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

/** A main window answered by ScriptedPrompts, shown as at start-up. */
struct FormFixture
{
    ScriptedPrompts prompts;
    std::unique_ptr<quillory::app::MainForm> form;

    explicit FormFixture(const QStringList& arguments = {})
        : form(std::make_unique<quillory::app::MainForm>(arguments, &prompts))
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
