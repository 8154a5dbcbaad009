// RenderEchogram: redraws the echogram layer (layer 0) from PingHistory and
// the current list texts: echogram, profile strip, threshold marker and the
// status line. It never touches the screen; callers request a repaint.

#include <QPainter>

#include "app/CVessaDlg.h"
#include "app/PingHistory.h"
#include "display/EchogramRenderer.h"
#include "display/LayerView.h"
#include "display/Palette.h"
#include "display/RangeRules.h"
#include "display/StatusLine.h"
#include "platform/Text.h"
#include "ui/ControlTable.h"

namespace {

void DrawStatusLine(QImage& layer, const QFont& font, const std::string& text)
{
    QFont statusFont = font;
    statusFont.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&layer);
    painter.setFont(statusFont);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(255, 255, 255));
    const int top = layer.height() - 23;
    const QRect box(40, top, 800, 19);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    painter.setPen(QColor(100, 100, 100));
    painter.drawText(box, flags, ToQt(text));
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(box.translated(-1, -1), flags, ToQt(text));
}

}  // namespace

void CVessaDlg::RenderEchogram()
{
    CreateLayers();
    if (!m_PaletteBuilt)
        BuildPalette();
    QImage& layer = m_Layers[0];
    LayerView(layer).Fill(LayerColour(m_KeyColour));

    const int64_t samples = SamplesShown(ControlText(Id::DisplayRange), DeviceParams.Resolution,
                                         DeviceParams.NSamples, DeviceParams.Range_mm);
    m_MeanMode = ControlText(Id::DataOutput).find("Mean") != std::string::npos ? 1 : 0;
    m_LinearScale = ControlText(Id::DataScale).find("Linear") != std::string::npos ? 1 : 0;

    DrawStatusLine(layer, m_StatusFont, StatusLineText(DeviceParams));

    uint32_t colours[kPaletteSize];
    PaletteColours(m_Palette, colours);
    EchogramStyle style;
    style.slotsPerRow = SlotsPerPixelRow(samples, layer.height());
    style.meanMode = m_MeanMode == 1;
    style.linear = m_LinearScale == 1;
    style.colours = colours;

    // The view is taken after the painter has finished with the image.
    const PixelBuffer view = LayerView(layer);
    DrawEchogramColumns(view, PingHistory, last_ping, style);
    const int32_t newest = EchogramRowOf(last_ping, view.width - 151, view.width);
    DrawProfileStrip(view, PingHistory[newest], DeviceParams.Threshold, style);
}
