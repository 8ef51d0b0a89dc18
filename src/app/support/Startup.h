#pragma once

class QCoreApplication;

namespace quillory::app {

/** What the program sets up before its first window. */
namespace Startup {

/**
 * Loads Qt's German translation ("qtbase_de") into the application whatever
 * the system language, so Qt's own buttons and dialogs speak German like the
 * rest of the program. False when the translation is not installed.
 */
bool installGermanTranslations(QCoreApplication& application);

} // namespace Startup
} // namespace quillory::app
