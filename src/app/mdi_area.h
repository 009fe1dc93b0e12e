#pragma once
// The main window's MDI area. While data arrives and no window shows it, its empty background
// says which window to open: a first-time user otherwise sees a connected receiver and a grey
// area, and no sign that anything works.

#include <QMdiArea>

namespace trix::app {

class MdiArea : public QMdiArea {
    Q_OBJECT
public:
    explicit MdiArea(QWidget* parent = nullptr);

    // The text on the background; empty: none.
    void setHint(const QString& hint);
    QString hint() const { return hint_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString hint_;
};

} // namespace trix::app
