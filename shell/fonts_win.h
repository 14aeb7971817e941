// The normal and bold interface fonts (g_normalFont, g_boldFont).
#pragma once
void CreateFonts();
