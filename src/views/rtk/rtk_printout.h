#pragma once
// The RTK window on paper: its scatter plot with the tables, the coordinate system and the
// warnings below it, on one page. The document holds its window through a guarded pointer, so
// a window closed while a print dialog runs is skipped.

#include "views/print/printable.h"

#include <QPointer>

namespace trix::views {

class RtkWindow;

class RtkPrintout : public print::Printable {
public:
    explicit RtkPrintout(RtkWindow* window);

    QString printTitle() const override { return title_; }
    bool alive() const override { return !window_.isNull(); }
    bool printPage(QPainter& painter, const QRect& target, MessageSink& messages) override;

private:
    QPointer<RtkWindow> window_;
    QString title_;
};

} // namespace trix::views
