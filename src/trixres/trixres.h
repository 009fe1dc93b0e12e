#pragma once
// The exports of the picture library libtrixres.so. The program links against it for
// DrawReceiver and PrintDDB and also loads it by name at run time (QLibrary) to take single
// pictures with TrixresPicture. The library keeps no state; it never talks to the user:
// failures are returned, and the caller shows the messages.

#include <QtCore/qglobal.h>

class QImage;
class QPainter;
class QPixmap;
class QRect;

#if defined(TRIXRES_BUILDING)
#define TRIXRES_API Q_DECL_EXPORT
#else
#define TRIXRES_API Q_DECL_IMPORT
#endif

extern "C" {

// Draws picture `number`, stretched smoothly into `rect`. Non-zero on success; 0 when the
// number has no picture or the painter cannot draw (nothing is drawn then).
TRIXRES_API int DrawReceiver(QPainter* dc, int number, const QRect* rect);

// Draws a screen copy (a device-dependent pixmap) stretched into `rect`, typically on a
// printer: the pixmap is first converted to a device-independent image. Returns 1 on success,
// 0 when the pixmap cannot be converted ("CreateLogicalDib failed"), -1 when the painter
// reports a failure while drawing ("Printing error code: %d").
TRIXRES_API int PrintDDB(QPainter* dc, const QRect* rect, const QPixmap* bitmap);

// Picture `number` into `out`. Non-zero on success; 0 when there is none (`out` is then null).
TRIXRES_API int TrixresPicture(int number, QImage* out);
}

// Function types for resolving the exports at run time.
using DrawReceiverFn = int (*)(QPainter*, int, const QRect*);
using PrintDDBFn = int (*)(QPainter*, const QRect*, const QPixmap*);
using TrixresPictureFn = int (*)(int, QImage*);
