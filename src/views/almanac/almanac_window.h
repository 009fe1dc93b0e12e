#pragma once
// The almanac window: one document and its listing, with Open, the two Save as commands,
// printing and the save question for a downloaded almanac. Standalone: it needs only the
// almanac folder and a message sink.

#include "almanac/almanac_document.h"
#include "base/ui.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace trix::views {

class AlmanacView;

class AlmanacWindow : public QWidget {
public:
    // The choice of the save question; tests and the integrator may replace the dialog.
    using SaveQuestion = std::function<int(QWidget* parent)>;

    AlmanacWindow(std::unique_ptr<almanac::AlmanacDocument> doc, QString almanacFolder,
                  MessageSink& messages, QWidget* parent = nullptr);
    ~AlmanacWindow() override;

    // Asks for a file ("Almanac (alm*.*)") in the almanac folder and opens it; nullptr when
    // cancelled or the file cannot be read (after "Bad almanac file !").
    static std::unique_ptr<AlmanacWindow>
    openWithDialog(const QString& almanacFolder, MessageSink& messages, QWidget* parent = nullptr);
    static std::unique_ptr<AlmanacWindow> openFile(const QString& path,
                                                   const QString& almanacFolder,
                                                   MessageSink& messages,
                                                   QWidget* parent = nullptr);

    // "Tennar Binary" / "Yuma ASCII": named after the almanac's date in the almanac folder,
    // saved without a dialog; the document takes that path. False on failure (shown).
    bool saveAs(almanac::FileFormat format);
    // Save as through the file dialog, the format chosen by the name.
    bool saveWithDialog();
    bool print(QPagedPaintDevice& device) const;

    almanac::AlmanacDocument& document() { return *doc_; }
    AlmanacView& view() { return *view_; }
    const QString& path() const { return path_; }
    void setSaveQuestion(SaveQuestion q) { question_ = std::move(q); }
    // The question before closing a changed document; false keeps the window open.
    bool maySaveAndClose();
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();

    std::unique_ptr<almanac::AlmanacDocument> doc_;
    QString folder_;
    MessageSink& messages_;
    AlmanacView* view_;
    QString path_;
    SaveQuestion question_;
};

} // namespace trix::views
