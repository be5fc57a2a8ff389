#include "qt/platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace qtui {
namespace {

// qtbase holds every text of Qt Widgets; the qt_ catalogue would also drag in modules the program
// does not use, and fails to load on a machine that lacks one of them.
constexpr char kCatalogue[] = "qtbase_zh_CN";

} // namespace

bool loadQtChinese() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return false;
    const QString name = QString::fromLatin1(kCatalogue);
    if (application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr)
        return true;

    auto translator = std::make_unique<QTranslator>();
    translator->setObjectName(name);
    // Where Qt was installed, as on Debian; or beside the program, where a copy deployed with its
    // own Qt keeps the catalogues.
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
    };
    for (const QString& folder : folders) {
        if (translator->load(name, folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            translator.release()->setParent(application); // kept for the whole run
            return true;
        }
    }
    qWarning("Veltrano: no %s in %s; Qt's dialogs stay English", kCatalogue,
             qUtf8Printable(folders[0]));
    return false;
}

} // namespace qtui
