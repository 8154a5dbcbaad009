// Operations whose subsystems are not built yet: each does nothing for now.
// A subsystem that defines one of these removes it from its section here.

#include <QPainter>

#include "app/CVessaDlg.h"

// ---- app/: settings store
void CVessaDlg::LoadSettings() {}
void CVessaDlg::SaveSettings() {}

// ---- serial/: connection control
void CVessaDlg::BuildPortLists() {}
void CVessaDlg::OnConnect() {}

// ---- device/
int CVessaDlg::SendFormatted(const std::string& text) { return SendCommand(text.c_str()); }
int CVessaDlg::SendWithWake(const char* command) { return SendCommand(command); }
void CVessaDlg::OnSendCommand() {}
void CVessaDlg::OnRereadParameters() {}
void CVessaDlg::ApplyParameters() {}
void CVessaDlg::ShowDeviceParams() {}

// ---- intake/
void CVessaDlg::OnDataArrived(int) {}
void CVessaDlg::AssembleDeviceLines() {}
int CVessaDlg::TakeGpsBytes() { return 0; }
void CVessaDlg::ProcessLine() {}
int CVessaDlg::ParseHeaderLine(const char*) { return 0; }
void CVessaDlg::ShowGpsLine(const char*) {}
void CVessaDlg::ClearGpsPanel() {}
void CVessaDlg::ShowReadoutLabels() {}
void CVessaDlg::UpdateSensorReadout() {}
void CVessaDlg::GeneratorEndOfPing() {}
void CVessaDlg::GenerateTestSignal() {}

// ---- logging/
void CVessaDlg::OpenLogAtConnect() {}
void CVessaDlg::WriteRawRecord(const char*, int32_t) {}
void CVessaDlg::WriteReportLine() {}
void CVessaDlg::CloseLog() {}

// ---- display/
void CVessaDlg::RenderEchogram() {}
void CVessaDlg::PaintDisplay(QPainter& painter) { painter.fillRect(painter.window(), Qt::black); }

// ---- playback/

// ---- folderchooser/
void CVessaDlg::BrowseDataFolder() {}
