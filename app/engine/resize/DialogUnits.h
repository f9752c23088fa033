#pragma once
// Dialog units, the measure of list formats and window layouts: across, a quarter of the font's
// average character width; down, an eighth of its character height. Conversions round to the
// nearest whole unit or pixel, halves away from zero; a metric below 1 counts as 1.
namespace cdz {

int dialogUnitsToPixelsX(int units, int averageCharWidth);
int dialogUnitsToPixelsY(int units, int charHeight);
int pixelsToDialogUnitsX(int pixels, int averageCharWidth);
int pixelsToDialogUnitsY(int pixels, int charHeight);

}  // namespace cdz
