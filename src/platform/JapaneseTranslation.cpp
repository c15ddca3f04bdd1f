#include "platform/JapaneseTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installJapaneseTranslation(QCoreApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds every text of the widgets and dialogs the program uses;
    // qt_ja is the catalogue that pulls in all of Qt's modules, a fallback
    // for installations that ship only that.
    for (const char* catalogue : {"qtbase_ja", "qt_ja"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLatin1String(catalogue), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}
