#pragma once
// "Save Downloaded Almanac": asked when a downloaded almanac is closed with changes.

#include <QDialog>

namespace trix::views {

class SaveAlmanacDialog : public QDialog {
public:
    // The dialog's results: "Tennar Binary" ends it with 64, "Yuma ASCII" with 128.
    static constexpr int kBinary = 64;
    static constexpr int kYuma = 128;
    static constexpr int kDoNotSave = 2;
    static constexpr int kCancel = QDialog::Rejected;

    explicit SaveAlmanacDialog(QWidget* parent = nullptr);
};

} // namespace trix::views
