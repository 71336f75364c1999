// Natively there is no system ANSI code page; the program's texts are code page
// 932 on every build, so its lead bytes are the ones that count.
#include "convert/ansi_text.h"

bool IsAnsiLeadByte(uint8_t byte) { return IsCp932LeadByte(byte); }
