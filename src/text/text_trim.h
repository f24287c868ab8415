// In-place edits of texts: trimming, removing characters, leading zeros and letter case.
// Every function does nothing with a null text.
#pragma once

#include "text/ms_string.h"

namespace qv {

// Removes leading spaces, and trailing spaces, carriage returns and line feeds.
void TrimText(char* text);
void TrimText(msString& text);
// Removes trailing carriage returns and line feeds.
void StripLineEnd(char* text);
// Removes trailing c characters; a text made only of c is left unchanged.
void TrimTrailingChar(char* text, char c);
// Removes every c. Texts of 322 characters or more are left unchanged.
void RemoveChar(char* text, char c);
// RemoveChar with the space.
void RemoveSpaces(char* text);
// Trims as TrimText, then removes leading "0" characters; when only zeros were there, "0" is left.
void StripLeadingZeros(char* text);
// ASCII letters to upper or lower case.
void UpperText(char* text);
void UpperText(msString& text);
void LowerText(char* text);

} // namespace qv
