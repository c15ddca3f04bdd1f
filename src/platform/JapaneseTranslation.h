#pragma once

class QCoreApplication;

// The program speaks Japanese whatever the system's locale: Qt's own texts
// (the Yes/No and OK buttons, the file, colour, font and print dialogs) are
// loaded from Qt's Japanese translation, and the default locale becomes
// Japanese so that dialogs format numbers and paper names the Japanese way.
// Returns false when Qt's Japanese translation could not be found; the program
// still runs, with Qt's texts in English.
bool installJapaneseTranslation(QCoreApplication& app);
