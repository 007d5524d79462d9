// The interface speaks Japanese, Qt's own dialogs and menus included (the
// Save-As dialog, the folder picker, a text box's context menu).
#pragma once

class QCoreApplication;

namespace folvane::gui {

// Loads Qt's Japanese translations (Debian's qt6-translations-l10n) into
// `app`; false when they are not installed, and Qt then speaks English.
bool InstallJapaneseTranslations(QCoreApplication& app);

}  // namespace folvane::gui
