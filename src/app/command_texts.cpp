#include "command_texts.h"

#include "base/strings.h"

#include <QAction>

namespace trix::app {

namespace {

using C = Command;
namespace s = str;

constexpr CommandText kTexts[] = {
    {C::Connect, "&Connect...", "Ctrl+G", false, s::kTipConnect, s::kToolConnect},
    {C::Disconnect, "&Disconnect", "Ctrl+D", false, s::kTipDisconnect, s::kToolDisconnect},
    {C::SendCommand, "&Send command...", "", false, s::kTipSendCommand, nullptr},
    {C::Position, "Positio&n", "Ctrl+N", true, s::kTipPosition, nullptr},
    {C::SkyChart, "Sk&y chart", "Ctrl+Y", true, s::kTipSkyChart, nullptr},
    {C::IndicatorPanel, "&Indicator Panel", "Ctrl+I", true, s::kTipIndicatorPanel, nullptr},
    {C::DgpsRtc, "DGPS &RTC", "Ctrl+R", true, s::kTipDgpsRtc, nullptr},
    {C::DgpsRtk, "DGPS RT&K", "", true, s::kTipDgpsRtk, nullptr},
    {C::DataPlotting, "Data Pl&otting", "Ctrl+O", true, s::kTipDataPlotting, nullptr},
    {C::Logging, "Perform &log session", "", true, s::kTipLogging, s::kToolLogging},
    {C::ViewLogFile, "&View log file...", "", false, s::kTipViewLogFile, s::kToolViewLogFile},
    {C::EpochCounter, "&Epoch Counter", "", true, s::kTipEpochCounter, s::kToolEpochCounter},
    {C::Analysis, "&Analysis", "", true, s::kTipAnalysis, s::kToolAnalysis},
    {C::Emulation, "E&mulation", "", true, s::kTipEmulation, s::kToolEmulation},
    {C::SupportTicket, "Support &Ticket...", "", false, s::kTipSupportTicket, nullptr},
    {C::PortActivity, "Port &Activity", "Ctrl+A", true, s::kTipPortActivity, nullptr},
    {C::CloseLogFile, s::kCloseLogFileCommand, "", false, s::kTipCloseLogFile, nullptr},
    {C::EndEmulation, s::kEndEmulationCommand, "", false, s::kTipEndEmulation, nullptr},
};
static_assert(std::size(kTexts) == kCommandCount);

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].command) != i)
            return false;
    return true;
}
static_assert(inEnumOrder());

} // namespace

std::span<const CommandText> commandTexts() {
    return kTexts;
}

QAction* createAction(const CommandText& d, QObject* parent) {
    auto* a = new QAction(QString::fromUtf8(d.text), parent);
    a->setShortcut(QKeySequence(QString::fromUtf8(d.shortcut)));
    a->setCheckable(d.checkable);
    a->setStatusTip(QString::fromUtf8(d.statusTip));
    if (d.toolTip) {
        QString tip = QString::fromUtf8(d.toolTip);
        if (!a->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(a->shortcut().toString(QKeySequence::NativeText));
        a->setToolTip(tip);
    }
    return a;
}

} // namespace trix::app
