#pragma once
// A printed PDF read back with poppler's tools, for tests of printouts.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace trix::testing {

// A poppler tool's output; empty when it is missing or fails.
inline QString runTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The number of pages of `pdf`, or -1 when it cannot be read.
inline int pdfPages(const QString& pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(runTool("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page (counted from 1), laid out as printed.
inline QString pageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return runTool("pdftotext", {"-f", n, "-l", n, "-layout", pdf, "-"});
}

} // namespace trix::testing
