#pragma once

// qt_translations: Qt's own texts (standard buttons, file dialogs) in the game's language.

// German (1) installs Qt's German translation, any other value goes back to
// Qt's built-in English. Safe to call again whenever the language changes; a
// missing translation file leaves Qt in English.
void UseQtTranslation(int language);
