#include "trixres/loader.h"

#include "base/strings.h"
#include "base/text.h"
#include "trixres/trixres.h"

#include <QCoreApplication>
#include <QLibrary>

namespace trix::res {

namespace {

QString& overridePath() {
    static QString path;
    return path;
}

} // namespace

void setLibraryOverride(const QString& path) {
    overridePath() = path;
}

QStringList libraryCandidates() {
    if (!overridePath().isEmpty())
        return {overridePath()};
    QStringList candidates{QStringLiteral("trixres")};
    if (QCoreApplication::instance() != nullptr) {
        const QString dir = QCoreApplication::applicationDirPath();
        candidates << dir + QStringLiteral("/libtrixres")
                   << dir + QStringLiteral("/../lib/libtrixres");
    }
    candidates << QStringLiteral(TRIXRES_DIR "/libtrixres");
    return candidates;
}

std::vector<QImage> loadPictures(std::span<const int> numbers, MessageSink& messages) {
    std::vector<QImage> images(numbers.size());
    if (numbers.empty())
        return images;
    QLibrary library;
    TrixresPictureFn picture = nullptr;
    for (const QString& candidate : libraryCandidates()) {
        library.setFileName(candidate);
        if (library.load()) {
            picture = reinterpret_cast<TrixresPictureFn>(library.resolve("TrixresPicture"));
            if (picture != nullptr)
                break;
            library.unload();
        }
    }
    if (picture == nullptr) {
        messages.show(str::kUtilityNotLoaded, Buttons::Ok, Icon::Warning);
        return images;
    }
    for (std::size_t i = 0; i < numbers.size(); ++i)
        picture(numbers[i], &images[i]);
    library.unload();
    return images;
}

QImage loadPicture(int number, MessageSink& messages) {
    const int numbers[] = {number};
    return loadPictures(numbers, messages).front();
}

bool printBitmap(QPainter& painter, const QRect& rect, const QPixmap& bitmap,
                 MessageSink& messages) {
    const int result = PrintDDB(&painter, &rect, &bitmap);
    if (result == 0)
        messages.show(str::kCreateLogicalDibFailed, Buttons::Ok, Icon::Warning);
    else if (result < 0)
        messages.show(cformat(str::kPrintingErrorCode, result), Buttons::Ok, Icon::Warning);
    return result > 0;
}

} // namespace trix::res
