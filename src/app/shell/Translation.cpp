// The program in its user's language.
#include "Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "shell/LocaleDates.h"
#include "texts/DateTexts.h"
#include "texts/Translate.h"

namespace tv {

namespace {

std::string TranslateForCore(const char* english) {
    const QString translated = QCoreApplication::translate(kCoreTextContext, english);
    // No translation: the core keeps its own English text.
    if (translated == QLatin1String(english)) return {};
    return translated.toStdString();
}

bool Install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

}  // namespace

QString CoreText(const char* english) { return QCoreApplication::translate(kCoreTextContext, english); }

QString CoreFormat(const char* englishFormat) { return QString::fromStdString(texts::TrFormat(englishFormat)); }

bool IsEnglishLocale(const QLocale& locale) {
    return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

QString InstallTranslations(const QLocale& locale, const QStringList& shippedFolders) {
    texts::SetTranslator(TranslateForCore);
    if (IsEnglishLocale(locale)) return {};
    // The locale's date forms live as long as the program.
    static CLocaleDateTexts dates(locale);
    dates = CLocaleDateTexts(locale);
    SetDateTexts(&dates);
    // Qt's standard buttons and dialogs ("OK", "Cancel", the file dialog) in the same language.
    Install(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    for (const QString& folder : shippedFolders) {
        const QString dir = QDir(folder).filePath(QStringLiteral("translations"));
        if (Install(locale, QStringLiteral("tallyvane"), dir)) return dir;
    }
    return {};
}

}  // namespace tv
