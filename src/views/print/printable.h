#pragma once
// What a window offers the print command: its title for the page header and the document
// name, and its page layout drawn into the printable rectangle below the header. The
// adapters of the display windows hold guarded pointers, so a window closed while a print
// dialog runs is skipped instead of reached.

#include "base/ui.h"

#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QPainter;

namespace trix::print {

class Printable {
public:
    virtual ~Printable() = default;
    // The window's own title, without any file or mode suffix.
    virtual QString printTitle() const = 0;
    // The window still exists.
    virtual bool alive() const { return true; }
    // Draws the page into `target` (logical units, see printDocument). False when the page
    // could not be drawn; the message has been shown.
    virtual bool printPage(QPainter& painter, const QRect& target, MessageSink& messages) = 0;

    // A window whose content runs over several pages (a long list) says how many pages it
    // needs in a body rectangle of `target`'s size and draws each one in printPageAt; every
    // page gets the common header. One page by default.
    virtual int pageCount(QPainter& painter, const QRect& target) {
        (void)painter;
        (void)target;
        return 1;
    }
    virtual bool printPageAt(QPainter& painter, const QRect& target, int index,
                             MessageSink& messages) {
        return index == 0 && printPage(painter, target, messages);
    }
};

// A window that prints itself: the print command asks it for its document, so a new window
// family needs no change to the print command.
class PrintSource {
public:
    virtual ~PrintSource() = default;
    virtual std::unique_ptr<Printable> printDocument() = 0;
};

using PrintableList = std::vector<std::unique_ptr<Printable>>;

} // namespace trix::print
