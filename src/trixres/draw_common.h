#pragma once
// Drawing helpers the picture families share: brushed panels, bezels, screws, inset boxes.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace trix::res {

// The panel colours of the instruments.
inline const QColor kPanelDark{46, 49, 54};
inline const QColor kPanelLight{92, 97, 105};
inline const QColor kDialBlack{14, 15, 18};
inline const QColor kMarkWhite{236, 236, 230};
inline const QColor kLabelGrey{176, 180, 186};

// A vertical gradient panel with a light top edge and a dark bottom edge.
void fillPanel(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom);
// A recessed box (value display): dark fill with shaded edges.
void insetBox(QPainter& p, const QRect& r, const QColor& fill = QColor(8, 10, 8));
// A round bezel around a dial of radius `radius` about `centre`, filled with `dial`.
void bezel(QPainter& p, QPointF centre, int radius, const QColor& dial);
// A small slotted screw head.
void screw(QPainter& p, QPointF centre, double radius = 3.0);
// The font at `pixelSize`, made smaller (down to 6 pixels) until `text` fits `width`.
void fitFont(QFont& f, int pixelSize, const QString& text, int width);
// Text centred in a rectangle, made smaller when it would not fit in a font of the given pixel
// size.
void centredText(QPainter& p, const QRect& r, const QString& text, int pixelSize,
                 const QColor& colour, bool bold = false);
// Tick mark from inner to outer radius at an angle (mathematical, radians).
void tick(QPainter& p, QPointF centre, double inner, double outer, double angle, double width,
          const QColor& colour);

} // namespace trix::res
