#pragma once
// The program's side of the picture library: single pictures taken from the library loaded by
// name at run time (QLibrary "trixres"), and printing of a screen copy through PrintDDB.

#include "base/ui.h"

#include <QImage>
#include <QString>

#include <span>
#include <vector>

class QPainter;
class QPixmap;
class QRect;

namespace trix::res {

// Loads the library, takes every picture asked for by number and unloads the library again.
// When it cannot be loaded, its message is shown once for the request and every image is null,
// so the callers show nothing in place of the pictures. A number without a picture
// gives a null image without a message.
std::vector<QImage> loadPictures(std::span<const int> numbers, MessageSink& messages);
QImage loadPicture(int number, MessageSink& messages);

// Where the library is looked for: the system's library path first, then beside the program,
// its ../lib folder and the build folder. A non-empty override is the only place tried (tests
// use it to make loading fail).
QStringList libraryCandidates();
void setLibraryOverride(const QString& path);

// Prints a screen copy stretched into `rect` with PrintDDB; a failure is shown as
// "CreateLogicalDib failed" or "Printing error code: %d". False on failure.
bool printBitmap(QPainter& painter, const QRect& rect, const QPixmap& bitmap,
                 MessageSink& messages);

} // namespace trix::res
