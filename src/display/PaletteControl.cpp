// The palette and amplitude scale as the controller uses them: the palette
// choice follows the Color Palette list's text, the scale m_LinearScale.

#include "app/CVessaDlg.h"
#include "display/AmplitudeScale.h"
#include "display/Palette.h"
#include "ui/ControlTable.h"

void CVessaDlg::BuildPalette()
{
    m_PaletteChoice = PaletteChoiceFromText(ControlText(Id::ColorPalette), m_PaletteChoice);
    FillPalette(m_PaletteChoice, m_Palette);
    m_PaletteBuilt = 1;
}

float CVessaDlg::ScaleValue(float a, int32_t linear) const
{
    return ::ScaleValue(a, linear == 1);
}

int32_t CVessaDlg::PaletteIndex(int32_t v) const
{
    return ::PaletteIndex(v, m_LinearScale == 1);
}
