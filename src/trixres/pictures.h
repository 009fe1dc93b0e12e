#pragma once
// The pictures of the library, by number: their sizes and the code that draws each one.
// Nothing is stored; a picture is drawn whenever it is asked for.

#include <QImage>
#include <QSize>

class QPainter;

namespace trix::res {

// The size of a picture, or an empty size when the number has none.
QSize pictureSize(int number);

// The picture of a number; a null image when there is none.
QImage renderPicture(int number);

// Drawing code of the families, each into a painter on an image of the picture's size.
void drawReceiverPicture(QPainter& p, int number, QSize size);
bool drawInstrumentPicture(QPainter& p, int number);
bool drawPanelPicture(QPainter& p, int number);
bool drawAlmanacPicture(QPainter& p, int number);

} // namespace trix::res
