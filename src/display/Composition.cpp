// The composed display: three layers of the display area's size. Layer 0
// holds the echogram (drawn by RenderEchogram only when the picture is to
// change), layer 1 the frame, grids, labels and colour bar (redrawn at every
// repaint), layer 2 the black base both are copied onto, leaving out the key
// colour, before it goes to the screen.

#include <QPainter>
#include <QWidget>

#include "app/CVessaDlg.h"
#include "display/FrameLayout.h"
#include "display/LayerView.h"
#include "display/Palette.h"
#include "display/RangeRules.h"
#include "platform/Text.h"
#include "ui/ControlTable.h"

namespace {

const QColor kKeyColour(204, 204, 204);
constexpr uint32_t kGridGrey = PackRgb(100, 100, 100);
const QColor kShadowColour(100, 100, 100);
const QColor kLabelColour(200, 200, 0);

}  // namespace

void CVessaDlg::CreateLayers()
{
    if (m_LayersCreated)
        return;
    m_KeyColour = kKeyColour;
    // Base first, then the echogram and frame layers. The echogram layer
    // starts empty (all key colour), so the frame shows on black until the
    // first echogram is drawn.
    for (int i : {2, 0, 1}) {
        m_Layers[i] = QImage(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
        m_Layers[i].fill(i == 2 ? QColor(0, 0, 0) : m_KeyColour);
    }
    m_LayersCreated = 1;
}

void CVessaDlg::RequestDisplayRepaint()
{
    if (QWidget* area = Control(Id::Display))
        area->update();
}

void CVessaDlg::PaintDisplay(QPainter& painter)
{
    m_KeyColour = kKeyColour;
    CreateLayers();
    const PixelBuffer base = LayerView(m_Layers[2]);
    base.Fill(PackRgb(0, 0, 0));
    DrawFrameAndAxes();
    const uint32_t key = LayerColour(m_KeyColour);
    CopyKeyed(LayerView(m_Layers[0]), base, key);
    CopyKeyed(LayerView(m_Layers[1]), base, key);
    // The base never holds the key colour, so it arrives whole.
    painter.drawImage(QPoint(0, 0), m_Layers[2]);
}

void CVessaDlg::DrawShadowText(QPainter& painter, const std::string& text, int left, int top,
                               int width, int height)
{
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const QString label = ToQt(text);
    painter.setPen(kShadowColour);
    painter.drawText(QRect(left, top, width, height), flags, label);
    painter.setPen(kLabelColour);
    painter.drawText(QRect(left - 1, top - 1, width, height), flags, label);
}

void CVessaDlg::DrawShadowText(const std::string& text, int left, int top, int width, int height)
{
    CreateLayers();
    QFont font = m_LabelFont;
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&m_Layers[1]);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawShadowText(painter, text, left, top, width, height);
}

void CVessaDlg::DrawFrameAndAxes()
{
    CreateLayers();
    QImage& layer = m_Layers[1];
    const int W = layer.width();
    const int H = layer.height();
    LayerView(layer).Fill(LayerColour(m_KeyColour));

    const float range = DepthRangeMetres(ControlText(Id::DisplayRange), DeviceParams.Range_mm);
    const float step = DepthStep(range);
    BuildPalette();

    // Labels are drawn group by group, each after its lines, so every later
    // line lies over the labels before it. Labels have no smoothing: a
    // blended edge would carry the key colour into the picture.
    QFont labelFont = m_LabelFont;
    labelFont.setStyleStrategy(QFont::NoAntialias);
    struct Label {
        std::string text;
        int left, top, width, height;
    };
    auto drawLabels = [&](const std::vector<Label>& labels) {
        QPainter painter(&layer);
        painter.setFont(labelFont);
        painter.setBackgroundMode(Qt::TransparentMode);
        for (const Label& l : labels)
            DrawShadowText(painter, l.text, l.left, l.top, l.width, l.height);
    };

    // Time grid: one line every 60 pings back from the newest.
    std::vector<Label> labels;
    {
        const PixelBuffer view = LayerView(layer);
        const std::vector<int> columns = TimeGridColumns(W);
        for (size_t k = 0; k < columns.size(); ++k) {
            view.DottedVerticalLine(columns[k], kEchogramTop, H - kEchogramBottomMargin, kGridGrey);
            labels.push_back({TimeGridLabel(static_cast<int>(k)), columns[k] - 4, 14, 40, 19});
        }
    }
    drawLabels(labels);

    // Depth grid, across the echogram and the profile strip.
    labels.clear();
    {
        const PixelBuffer view = LayerView(layer);
        const std::vector<int> rows = DepthGridRows(H, DepthPixelsPerStep(H, step, range));
        for (size_t k = 0; k < rows.size(); ++k) {
            view.DottedHorizontalLine(kEchogramLeft, W - kEchogramRightMargin, rows[k], kGridGrey);
            view.DottedHorizontalLine(W - 146, W - 79, rows[k], kGridGrey);
            labels.push_back({DepthGridLabel(static_cast<int>(k) + 1, step), 8, rows[k] - 8, 45, 14});
        }
    }
    drawLabels(labels);

    // Colour bar, strongest colour at the top, labelled in dB or percent.
    labels.clear();
    {
        const PixelBuffer view = LayerView(layer);
        uint32_t colours[kPaletteSize];
        PaletteColours(m_Palette, colours);
        const int barHeight = H - 60;
        for (int j = 0; j < barHeight; ++j)
            view.HorizontalLine(W - 60, W - 50, kEchogramTop + j, colours[ColourBarIndex(j, barHeight)]);
        for (const BarLabel& bar : ColourBarLabels(H, m_LinearScale == 1))
            labels.push_back({bar.text, W - 45, bar.row - 8, 32, 24});
    }
    drawLabels(labels);

    // Outlines on the pixels just outside each area.
    const PixelBuffer view = LayerView(layer);
    const FrameAreas areas = FrameAreasFor(W, H);
    for (const AreaRect& a : {areas.echogram, areas.profile, areas.colourBar})
        view.Outline(a.left - 1, a.top - 1, a.right, a.bottom, kGridGrey);
}
